#include "support/numbered_entries.h"

#include <cstdio>
#include <string>

#include "glossary/glossary_store.h"

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
