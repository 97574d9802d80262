// Arbitrary search texts on the sample glossary: the rows shown are exactly the rows of the full
// view whose title, reading or texts contain the text at a character boundary, whatever view
// was shown before.
//
// Input layout: byte 0 picks the view shown before the search (a kana row, or the full view),
// the rest is the search text.

#include <string>
#include <vector>

#include "fuzz/reference.h"
#include "glossary/glossary_store.h"

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;  // the search box never passes an empty text
    }
    const std::vector<Fields>& all = FullView();
    GlossaryStore& store = Sample();
    if (data[0] % 11 < 10) {
        store.FilterByKanaRow(data[0] % 11);
    } else {
        store.ShowAll();
    }
    const std::string needle(reinterpret_cast<const char*>(data) + 1, size - 1);
    store.Search(needle);

    std::vector<const Fields*> expected;
    for (const Fields& row : all) {
        if (reference::Find(row.title, needle) >= 0 || reference::Find(row.reading, needle) >= 0 ||
            reference::Find(row.text1, needle) >= 0 || reference::Find(row.text2, needle) >= 0) {
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
