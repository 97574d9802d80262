#include "viewer_fixture.h"

#include <string>

#include "glossary/glossary_store.h"
#include "platform/cp932.h"
#include "support/numbered_entries.h"

namespace {

// The fixture texts are written as UTF-8 here and stored as the data file holds them.
std::string Sjis(const char* utf8) {
    return platform::Utf8ToCp932(utf8).value();
}

}  // namespace

std::vector<EntryChunks> ViewerEntries() {
    std::vector<EntryChunks> entries = NumberedEntries();
    // Entry layouts (chunk lengths) decide what fits: entry 1 has an empty reading chunk, so its
    // katakana title gives its key.
    entries[0].title = Sjis("「階段」");
    entries[0].reading = Sjis("（かいだん）");
    entries[1].title = Sjis("カメラ");
    entries[2].title = Sjis("桜");
    entries[2].reading = Sjis("（さくら）");
    entries[2].text1 = "\x94\x67\x81\x60\x90\xFC";  // 波, 0x8160, 線
    entries[3].title = Sjis("朝日");
    entries[3].reading = Sjis("（あさひ）");
    entries[4].title = Sjis("機械");
    entries[4].reading = Sjis("（きかい）");
    return entries;
}
