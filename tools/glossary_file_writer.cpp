#include "tools/glossary_file_writer.h"

#include <fstream>

#include "glossary/chunk_index.h"
#include "glossary/glossary_store.h"

namespace {

// Every tag with the data file's name for it.
struct TagName {
    ChunkTag tag;
    const char* name;
};
constexpr TagName kTagNames[] = {{ChunkTag::Title, "TTL"},
                                 {ChunkTag::Reading, "RBY"},
                                 {ChunkTag::Text1, "TX1"},
                                 {ChunkTag::Text2, "TX2"},
                                 {ChunkTag::Separator, "SEP"}};

const std::string& TextForTag(const EntryChunks& entry, ChunkTag tag) {
    switch (tag) {
        case ChunkTag::Title:
            return entry.title;
        case ChunkTag::Reading:
            return entry.reading;
        case ChunkTag::Text1:
            return entry.text1;
        case ChunkTag::Text2:
            return entry.text2;
        case ChunkTag::Separator:
            break;
    }
    return entry.separator;
}

// First row of every entry's chunks, plus one past the last row.
std::vector<int> EntryFirstRows() {
    std::vector<int> first{0};
    for (int row = 0; row < kChunkCount; ++row) {
        if (ChunkIndex[row].tag == ChunkTag::Separator) {
            first.push_back(row + 1);
        }
    }
    return first;
}

}  // namespace

std::optional<ChunkTag> ChunkTagNamed(std::string_view name) {
    for (const TagName& known : kTagNames) {
        if (name == known.name) {
            return known.tag;
        }
    }
    return std::nullopt;
}

int ChunkLength(int entry, ChunkTag tag) {
    static const std::vector<int> first = EntryFirstRows();
    if (entry < 0 || entry >= kEntryCount) {
        return 0;
    }
    for (int row = first[entry]; row < first[entry + 1]; ++row) {
        if (tag == ChunkIndex[row].tag) {
            return static_cast<int>(ChunkIndex[row].end - ChunkIndex[row].start);
        }
    }
    return 0;
}

std::string BuildGlossaryImage(const std::vector<EntryChunks>& entries, std::string_view header,
                               std::string& error) {
    if (entries.size() > static_cast<std::size_t>(kEntryCount)) {
        error = "more than " + std::to_string(kEntryCount) + " entries";
        return {};
    }
    if (header.size() > kGlossaryBegin) {
        error = "header longer than " + std::to_string(kGlossaryBegin) + " bytes";
        return {};
    }
    std::string image(kGlossaryEnd, '\0');
    image.replace(0, header.size(), header);
    for (std::size_t e = 0; e < entries.size(); ++e) {
        for (const TagName& known : kTagNames) {
            const ChunkTag tag = known.tag;
            const std::string& text = TextForTag(entries[e], tag);
            const int length = ChunkLength(static_cast<int>(e), tag);
            if (length == 0 && !text.empty()) {
                error = "entry " + std::to_string(e) + " has no " + known.name + " chunk";
                return {};
            }
            if (static_cast<int>(text.size()) > length) {
                error = "entry " + std::to_string(e) + " " + known.name + ": " +
                        std::to_string(text.size()) + " bytes do not fit in " +
                        std::to_string(length);
                return {};
            }
        }
    }
    std::vector<int> first = EntryFirstRows();
    for (std::size_t e = 0; e < entries.size(); ++e) {
        for (int row = first[e]; row < first[e + 1]; ++row) {
            const std::string& text = TextForTag(entries[e], ChunkIndex[row].tag);
            image.replace(ChunkIndex[row].start, text.size(), text);
        }
    }
    return image;
}

bool WriteBinaryFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}
