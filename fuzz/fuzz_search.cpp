// Arbitrary search texts on the sample glossary: the rows shown are exactly the rows of the full
// view whose title, reading or texts contain the text at a character boundary (both folded, for
// a folded search), whatever view was shown before; the highlights of the detail pane are found
// in exactly those rows, and each covers characters that fold to the search text.
//
// Input layout: byte 0 picks the comparison (its high bit: folded) and the view shown before the
// search (the rest, modulo 11: a kana row, or the full view); the rest is the search text.

#include <string>
#include <vector>

#include "fuzz/reference.h"
#include "glossary/glossary_store.h"
#include "glossary/search_highlight.h"

namespace {

using reference::Check;

struct Fields {
    std::string title, reading, text1, text2;
};

GlossaryStore& Sample() {
    static GlossaryStore store;
    static const bool loaded = [] { return store.Load(HOSHIWA2_SAMPLE_GLOSSARY).Ok(); }();
    Check(loaded && store.IsLoaded(), "the sample glossary loads");
    return store;
}

const std::vector<Fields>& FullView() {
    static const std::vector<Fields> rows = [] {
        GlossaryStore& store = Sample();
        store.ShowAll();
        std::vector<Fields> all;
        for (int row = 0; row < store.VisibleCount(); ++row) {
            all.push_back(
                {store.TitleAt(row), store.ReadingAt(row), store.Text1At(row), store.Text2At(row)});
        }
        return all;
    }();
    return rows;
}

// The full view with every field folded by the reference, made once.
const std::vector<Fields>& FoldedFullView() {
    static const std::vector<Fields> rows = [] {
        std::vector<Fields> folded;
        for (const Fields& row : FullView()) {
            folded.push_back({reference::Fold(row.title), reference::Fold(row.reading),
                              reference::Fold(row.text1), reference::Fold(row.text2)});
        }
        return folded;
    }();
    return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;  // the search box never passes an empty text
    }
    const std::vector<Fields>& all = FullView();
    const std::vector<Fields>& foldedAll = FoldedFullView();
    GlossaryStore& store = Sample();
    const bool folded = (data[0] & 0x80) != 0;
    const SearchMatch match = folded ? SearchMatch::Folded : SearchMatch::Exact;
    if ((data[0] & 0x7F) % 11 < 10) {
        store.FilterByKanaRow((data[0] & 0x7F) % 11);
    } else {
        store.ShowAll();
    }
    const std::string needle(reinterpret_cast<const char*>(data) + 1, size - 1);
    store.Search(needle, match);

    auto compared = [folded](const std::string& text) {
        return folded ? reference::Fold(text) : text;
    };
    const std::string comparedNeedle = compared(needle);
    std::vector<const Fields*> expected;
    for (std::size_t r = 0; r < all.size(); ++r) {
        const Fields& row = all[r];
        const Fields& comparedRow = folded ? foldedAll[r] : row;
        bool found = false;
        const std::string* comparedFields[] = {&comparedRow.title, &comparedRow.reading,
                                               &comparedRow.text1, &comparedRow.text2};
        int f = 0;
        for (const std::string* field : {&row.title, &row.reading, &row.text1, &row.text2}) {
            const std::vector<ByteRange> ranges = FindOccurrences(*field, needle, match);
            for (const ByteRange& range : ranges) {
                Check(range.begin < range.end && range.end <= field->size(),
                      "a highlight lies inside its text");
                Check(compared(field->substr(range.begin, range.end - range.begin))
                              .compare(0, comparedNeedle.size(), comparedNeedle) == 0,
                      "a highlight covers characters that compare as the search text");
            }
            const bool inField = reference::Find(*comparedFields[f++], comparedNeedle) >= 0;
            Check(inField == !ranges.empty(), "the highlights agree with the search");
            found = found || inField;
        }
        if (found) {
            expected.push_back(&row);
        }
    }
    Check(store.VisibleCount() == static_cast<int>(expected.size()),
          "the search shows as many rows as contain the text");
    for (int row = 0; row < store.VisibleCount(); ++row) {
        const Fields& want = *expected[row];
        Check(store.TitleAt(row) == want.title && store.ReadingAt(row) == want.reading &&
                  store.Text1At(row) == want.text1 && store.Text2At(row) == want.text2,
              "the search shows the matching rows in full-view order");
    }
    Check(store.TitleAt(store.VisibleCount()).empty(), "no row after the last");
    return 0;
}
