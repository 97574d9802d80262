#include "export/dictionary_entries.h"

#include "glossary/glossary_store.h"
#include "platform/cp932.h"

namespace {

constexpr char kIdeographicSpace[] = "\xE3\x80\x80";  // U+3000

std::string WithLineFeeds(std::string text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        out += text[i];
    }
    return out;
}

// Dictionary readers look words up by their exact bytes and StarDict's verifier rejects keys
// with control characters or surrounding white space, so a key keeps only what can be typed.
std::string AsKey(const std::string& utf8) {
    std::string key = utf8;
    for (char& c : key) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            c = ' ';
        }
    }
    const auto isSpaceAt = [&key](std::size_t at) -> std::size_t {
        if (key[at] == ' ') {
            return 1;
        }
        return key.compare(at, 3, kIdeographicSpace) == 0 ? 3 : 0;
    };
    std::size_t begin = 0;
    while (begin < key.size() && isSpaceAt(begin) > 0) {
        begin += isSpaceAt(begin);
    }
    std::size_t end = key.size();
    while (end > begin) {
        if (key[end - 1] == ' ') {
            --end;
        } else if (end - begin >= 3 && key.compare(end - 3, 3, kIdeographicSpace) == 0) {
            end -= 3;
        } else {
            break;
        }
    }
    return key.substr(begin, end - begin);
}

}  // namespace

DictionaryEntries CollectDictionaryEntries(const GlossaryStore& store) {
    DictionaryEntries result;
    for (int row = 0; row < store.VisibleCount(); ++row) {
        DictionaryEntry entry;
        const std::string title = AsKey(platform::Cp932ToUtf8(store.TitleAt(row)));
        entry.reading = AsKey(platform::Cp932ToUtf8(store.ReadingAt(row)));
        entry.headword = title.empty() ? entry.reading : title;
        if (entry.headword.empty()) {
            ++result.leftOut;
            continue;
        }
        // Each text is converted on its own, so that a broken lead byte at the end of one
        // cannot pair with the first byte of the next.
        entry.text2 = WithLineFeeds(platform::Cp932ToUtf8(store.Text2At(row)));
        entry.text1 = WithLineFeeds(platform::Cp932ToUtf8(store.Text1At(row)));
        const int replacements =
            platform::CountReplacements(title) + platform::CountReplacements(entry.reading) +
            platform::CountReplacements(entry.text2) + platform::CountReplacements(entry.text1);
        result.entries.push_back(std::move(entry));
        if (replacements > 0) {
            result.replaced.push_back({static_cast<int>(result.entries.size()),
                                       result.entries.back().headword, replacements});
        }
    }
    return result;
}

std::string DefinitionText(const DictionaryEntry& entry) {
    std::string texts;
    for (const std::string* piece : {&entry.text2, &entry.text1}) {
        if (!piece->empty()) {
            texts += (texts.empty() ? "" : "\n") + *piece;
        }
    }
    if (!entry.reading.empty()) {
        const std::string reading = "\xEF\xBC\x88" + entry.reading + "\xEF\xBC\x89";  // （…）
        return texts.empty() ? reading : reading + "\n\n" + texts;
    }
    return texts.empty() ? entry.headword : texts;
}
