#include "export/yomitan_export.h"

#include <nlohmann/json.hpp>

std::string YomitanRevision(const std::string& version, const std::string& sha256Hex) {
    return version + "-" + sha256Hex.substr(0, 12);
}

std::string YomitanIndex(const DictionaryInfo& info) {
    // Ordered as Yomitan's documentation lists the keys, so that a person reading it finds the
    // title first.
    nlohmann::ordered_json index;
    index["title"] = info.title;
    index["revision"] = info.revision;
    index["format"] = 3;
    index["sourceLanguage"] = "ja";
    index["targetLanguage"] = "ja";
    index["description"] = info.description;
    return index.dump(2) + "\n";
}

std::string YomitanTermBank(const std::vector<DictionaryEntry>& entries) {
    nlohmann::json bank = nlohmann::json::array();
    int sequence = 0;
    for (const DictionaryEntry& entry : entries) {
        nlohmann::json definitions = nlohmann::json::array();
        for (const std::string* text : {&entry.text2, &entry.text1}) {
            if (!text->empty()) {
                definitions.push_back(*text);
            }
        }
        bank.push_back(nlohmann::json::array({entry.headword,
                                              entry.HasSynonym() ? entry.reading : std::string(),
                                              "", "", 0, std::move(definitions), ++sequence, ""}));
    }
    return bank.dump();
}
