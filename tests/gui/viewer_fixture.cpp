#include "viewer_fixture.h"

#include "support/numbered_entries.h"

std::vector<EntryChunks> ViewerEntries() {
    std::vector<EntryChunks> entries = NumberedEntries();
    // Entry layouts (chunk lengths) decide what fits: entry 1 has an empty reading chunk, so its
    // katakana title gives its key.
    entries[0].title = Sj("「階段」");
    entries[0].reading = Sj("（かいだん）");
    entries[1].title = Sj("カメラ");
    entries[2].title = Sj("桜");
    entries[2].reading = Sj("（さくら）");
    entries[2].text1 = "\x94\x67\x81\x60\x90\xFC";  // 波, 0x8160, 線
    entries[3].title = Sj("朝日");
    entries[3].reading = Sj("（あさひ）");
    entries[4].title = Sj("機械");
    entries[4].reading = Sj("（きかい）");
    return entries;
}
