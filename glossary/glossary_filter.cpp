#include "glossary/glossary_store.h"

#include <algorithm>

#include "glossary/kana_rows.h"
#include "glossary/sjis_text.h"

namespace {

// ん bounds the last row from above. Rows are half-open ranges of hiragana, so small kana just
// below a row's first kana (ぁ, ゃ, ゎ) fall outside that row.
const char kAfterLastRow[] = "\x82\xF1";

}  // namespace

int GlossaryStore::FilterByKanaRow(int row) {
    if (row < 0 || row >= kKanaRowCount) {
        return 0;
    }
    const std::string lower = kKanaRows[row];
    const std::string upper = row + 1 < kKanaRowCount ? kKanaRows[row + 1] : kAfterLastRow;
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

void GlossaryStore::IndexSearchTexts() const {
    if (exactReady) {
        return;
    }
    exactReady = true;
    exactTexts.texts.clear();
    int field = 0;
    for (int e = 0; e < kEntryCount; ++e) {
        CleanTexts(e);
        const std::array<const std::string*, kSearchedFields> fields{&title[e], &reading[e],
                                                                     &text1[e], &text2[e]};
        for (const std::string* text : fields) {
            exactTexts.starts[field++] = static_cast<std::uint32_t>(exactTexts.texts.size());
            exactTexts.texts += *text;
        }
    }
    exactTexts.starts[field] = static_cast<std::uint32_t>(exactTexts.texts.size());
    quotesInTexts = exactTexts.texts.find('"') != std::string::npos;
}

bool GlossaryStore::TextsHoldQuotes() const {
    IndexSearchTexts();
    return quotesInTexts;
}

void GlossaryStore::FoldSearchTexts() {
    // Folded field by field, so that a half-width kana ending one field never joins a mark
    // starting the next, into one buffer allocated once: only a half-width byte grows (to two
    // bytes), so counting the bytes that may be one bounds the folded size.
    const std::string& exact = exactTexts.texts;
    std::string& folded = foldedTexts.texts;
    const auto mayGrow = std::count_if(exact.begin(), exact.end(), [](char c) {
        return static_cast<unsigned char>(c) >= 0xA1 && static_cast<unsigned char>(c) <= 0xDF;
    });
    folded.assign(exact.size() + static_cast<std::size_t>(mayGrow), '\0');
    char* out = folded.data();
    int field = 0;
    for (; field < kEntryCount * kSearchedFields; ++field) {
        foldedTexts.starts[field] = static_cast<std::uint32_t>(out - folded.data());
        const std::uint32_t begin = exactTexts.starts[field];
        out = FoldForSearchInto(exact.data() + begin, exactTexts.starts[field + 1] - begin, out);
    }
    foldedTexts.starts[field] = static_cast<std::uint32_t>(out - folded.data());
    folded.resize(foldedTexts.starts[field]);
    foldedReady = true;
}

void GlossaryStore::Search(const std::string& text, SearchMatch match) {
    IndexSearchTexts();
    if (match == SearchMatch::Folded) {
        if (!foldedReady) {
            FoldSearchTexts();
        }
        SearchIn(foldedTexts, FoldForSearch(text));
    } else {
        SearchIn(exactTexts, text);
    }
}

// One pass of a byte search over all the texts instead of one per text: a hit counts when it
// lies inside one text and starts on a character boundary of that text, as SjisFind requires;
// the first such hit settles its entry and the pass goes on with the next entry.
void GlossaryStore::SearchIn(const SearchedTexts& searched, const std::string& text) {
    const auto& searchStarts = searched.starts;
    std::array<bool, kEntryCount> found{};
    const std::size_t n = text.size();
    if (n == 0) {
        found.fill(true);  // the empty text is found in every text
    }
    const char* const texts = searched.texts.data();
    const std::size_t size = searched.texts.size();
    std::size_t from = 0;
    int field = 0;
    int walkedField = -1;  // the text whose character boundaries `boundary` walks
    std::size_t boundary = 0;
    while (n > 0 && from + n <= size) {
        const std::size_t at = FindBytes(texts + from, size - from, text.data(), n);
        if (at == kNotFound) {
            break;
        }
        const std::size_t hit = from + at;
        while (searchStarts[field + 1] <= hit) {
            ++field;
        }
        const std::size_t end = searchStarts[field + 1];
        if (hit + n <= end) {
            if (walkedField != field) {
                walkedField = field;
                boundary = searchStarts[field];
            }
            while (boundary < hit) {
                boundary += SjisFindStep(texts, boundary, end);
            }
            if (boundary == hit) {
                const int entry = field / kSearchedFields;
                found[entry] = true;
                from = searchStarts[(entry + 1) * kSearchedFields];
                continue;
            }
        }
        from = hit + 1;
    }
    int count = 0;
    for (int p = 0; p < kEntryCount; ++p) {
        if (found[sortOrder[p]]) {
            visibleRows[count++] = p;
        }
    }
    visibleCount = count;
}
