#include "glossary/glossary_store.h"
#include "glossary/sjis_text.h"

namespace {

// Bounds of the ten kana rows as half-open ranges [lower, upper) of hiragana: あ か さ た な は
// ま や ら わ ん. Small kana just below a row's first kana (ぁ, ゃ, ゎ) fall outside that row.
const char* const kRowBounds[] = {
    "\x82\xA0", "\x82\xA9", "\x82\xB3", "\x82\xBD", "\x82\xC8", "\x82\xCD",
    "\x82\xDC", "\x82\xE2", "\x82\xE7", "\x82\xED", "\x82\xF1",
};
constexpr int kRowCount = 10;

}  // namespace

int GlossaryStore::FilterByKanaRow(int row) {
    if (row < 0 || row >= kRowCount) {
        return 0;
    }
    const std::string lower = kRowBounds[row];
    const std::string upper = kRowBounds[row + 1];
    int count = 0;
    for (int p = 0; p < kEntryCount; ++p) {
        const std::string prefix = sortKey[sortOrder[p]].substr(0, 2);
        if (SjisCompare(prefix, lower) >= 0 && SjisCompare(prefix, upper) < 0) {
            visibleRows[count++] = p;
        }
    }
    visibleCount = count;
    return count;
}

void GlossaryStore::Search(const std::string& text) {
    int count = 0;
    for (int p = 0; p < kEntryCount; ++p) {
        const int e = sortOrder[p];
        if (SjisFind(title[e], text) >= 0 || SjisFind(reading[e], text) >= 0 ||
            SjisFind(text1[e], text) >= 0 || SjisFind(text2[e], text) >= 0) {
            visibleRows[count++] = p;
        }
    }
    visibleCount = count;
}
