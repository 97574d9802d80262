#include "support/numbered_entries.h"

#include <cstdio>
#include <string>

#include "glossary/glossary_store.h"
#include "platform/cp932.h"

std::string Sj(const std::string& utf8) {
    return platform::Utf8ToCp932(utf8).value();
}

std::vector<EntryChunks> NumberedEntries() {
    std::vector<EntryChunks> entries(kEntryCount);
    for (int e = 0; e < kEntryCount; ++e) {
        char number[8];
        std::snprintf(number, sizeof number, "%03d", e);
        entries[e].title = std::string("E") + number;
        entries[e].text1 = std::string("T") + number;
        if (ChunkLength(e, ChunkTag::Text2) > 0) {
            entries[e].text2 = std::string("S") + number;
        }
    }
    return entries;
}
