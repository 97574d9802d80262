#include "export/stardict_export.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <numeric>

#include "export/output_files.h"

namespace {

void PutBigEndian32(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out += static_cast<char>((value >> shift) & 0xFF);
    }
}

// Positions of `words` in StarDict's order; equal words keep their order.
std::vector<std::size_t> SortedPositions(const std::vector<const std::string*>& words) {
    std::vector<std::size_t> order(words.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&words](std::size_t a, std::size_t b) {
        return StarDictCompare(*words[a], *words[b]) < 0;
    });
    return order;
}

}  // namespace

int StarDictCompare(const std::string& a, const std::string& b) {
    const auto lower = [](unsigned char c) -> int {
        return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
    };
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const int difference = lower(a[i]) - lower(b[i]);
        if (difference != 0) {
            return difference;
        }
    }
    if (a.size() != b.size()) {
        return a.size() < b.size() ? -1 : 1;
    }
    // Equal without case: strcmp decides. Words hold no NUL, so comparing bytes is strcmp.
    const int order = std::memcmp(a.data(), b.data(), a.size());
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

StarDictFiles MakeStarDictFiles(const std::vector<DictionaryEntry>& entries,
                                const DictionaryInfo& info) {
    StarDictFiles files;
    std::vector<std::uint32_t> offsets;
    std::vector<std::uint32_t> sizes;
    for (const DictionaryEntry& entry : entries) {
        const std::string definition = DefinitionText(entry);
        offsets.push_back(static_cast<std::uint32_t>(files.dict.size()));
        sizes.push_back(static_cast<std::uint32_t>(definition.size()));
        files.dict += definition;
    }

    std::vector<const std::string*> headwords;
    for (const DictionaryEntry& entry : entries) {
        headwords.push_back(&entry.headword);
    }
    const std::vector<std::size_t> idxOrder = SortedPositions(headwords);
    std::vector<std::uint32_t> idxNumber(entries.size());  // entry -> its number in the .idx
    for (std::size_t number = 0; number < idxOrder.size(); ++number) {
        const std::size_t entry = idxOrder[number];
        idxNumber[entry] = static_cast<std::uint32_t>(number);
        files.idx += entries[entry].headword;
        files.idx += '\0';
        PutBigEndian32(files.idx, offsets[entry]);
        PutBigEndian32(files.idx, sizes[entry]);
    }

    std::vector<const std::string*> synonyms;
    std::vector<std::size_t> synonymEntry;
    for (std::size_t entry = 0; entry < entries.size(); ++entry) {
        if (entries[entry].HasSynonym()) {
            synonyms.push_back(&entries[entry].reading);
            synonymEntry.push_back(entry);
        }
    }
    for (const std::size_t position : SortedPositions(synonyms)) {
        files.syn += *synonyms[position];
        files.syn += '\0';
        PutBigEndian32(files.syn, idxNumber[synonymEntry[position]]);
    }

    files.ifo = "StarDict's dict ifo file\nversion=2.4.2\n";
    files.ifo += "bookname=" + info.title + "\n";
    files.ifo += "wordcount=" + std::to_string(entries.size()) + "\n";
    // StarDict's readers take synwordcount=0 for a missing count beside a .syn: without
    // synonyms there is neither.
    if (!synonyms.empty()) {
        files.ifo += "synwordcount=" + std::to_string(synonyms.size()) + "\n";
    }
    files.ifo += "idxfilesize=" + std::to_string(files.idx.size()) + "\n";
    files.ifo += "sametypesequence=m\n";
    files.ifo += "description=" + info.description + "\n";
    files.ifo += "date=" + info.date + "\n";
    return files;
}

std::vector<std::filesystem::path> StarDictPaths(const std::filesystem::path& ifoPath) {
    std::string extension = ifoPath.extension().u8string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    std::filesystem::path base = ifoPath;
    std::vector<std::filesystem::path> paths = {ifoPath};
    if (extension == ".ifo") {
        base.replace_extension();
    } else {
        paths[0] += ".ifo";
    }
    for (const char* suffix : {".idx", ".dict", ".syn"}) {
        std::filesystem::path path = base;
        path += suffix;
        paths.push_back(path);
    }
    return paths;
}

GlossaryResult ExportStarDict(const std::vector<DictionaryEntry>& entries,
                              const DictionaryInfo& info, const std::filesystem::path& ifoPath) {
    if (entries.empty()) {
        return {kNoEntriesMessage};
    }
    StarDictFiles files = MakeStarDictFiles(entries, info);
    const std::vector<std::filesystem::path> paths = StarDictPaths(ifoPath);
    const bool synonyms = !files.syn.empty();
    std::vector<OutputFile> outputs = {{paths[2], std::move(files.dict)},
                                       {paths[1], std::move(files.idx)}};
    if (synonyms) {
        outputs.push_back({paths[3], std::move(files.syn)});
    }
    // The .ifo is what tools look for: it comes into place last.
    outputs.push_back({paths[0], std::move(files.ifo)});
    GlossaryResult result = WriteOutputFiles(outputs);
    if (result.Ok() && !synonyms && std::filesystem::is_regular_file(paths[3])) {
        // An earlier export's synonyms would point into the new index.
        std::error_code ignored;
        std::filesystem::remove(paths[3], ignored);
    }
    return result;
}
