#include <gtest/gtest.h>

#include <set>

#include "glossary/glossary_store.h"
#include "support/glossary_fixture.h"

namespace {

// A glossary whose entries with a reading chunk get the readings below, one per entry in file
// order; all other entries keep ASCII titles and so fall in no kana row, except entry 228, whose
// fixed key へちまのはな always puts it (with an empty reading) in the は row.
class GlossaryViews : public ::testing::Test {
  protected:
    void LoadWithReadings(const std::vector<std::string>& readingsUtf8) {
        auto entries = NumberedEntries();
        std::size_t next = 0;
        for (int e = 0; e < kEntryCount && next < readingsUtf8.size(); ++e) {
            if (ChunkLength(e, ChunkTag::Reading) >= 10) {
                entries[e].reading = Sj("（" + readingsUtf8[next++] + "）");
            }
        }
        ASSERT_EQ(next, readingsUtf8.size());
        store = LoadedStore(WriteGlossary(dir, entries));
    }

    std::vector<std::string> VisibleTitles() const {
        std::vector<std::string> titles;
        for (int row = 0; row < store.VisibleCount(); ++row) {
            titles.push_back(store.TitleAt(row));
        }
        return titles;
    }

    std::set<std::string> VisibleReadings() const {
        std::set<std::string> readings;
        for (int row = 0; row < store.VisibleCount(); ++row) {
            readings.insert(store.ReadingAt(row));
        }
        return readings;
    }

    std::set<std::string> SjSet(std::initializer_list<const char*> utf8) {
        std::set<std::string> out;
        for (const char* text : utf8) {
            out.insert(Sj(text));
        }
        return out;
    }

    TempDir dir;
    GlossaryStore store;
};

}  // namespace

TEST_F(GlossaryViews, KanaRowsTakeVoicedAndSmallKanaByCodeOrder) {
    LoadWithReadings({"ぁい", "あい", "がく", "ぎん", "そら", "っぽ", "ぬの", "ぱん", "ゃく",
                      "みず", "ゅう", "よる", "ゎに", "れい", "わに", "ゐど", "ゑび", "をか",
                      "んま"});
    EXPECT_EQ(VisibleReadings().size(), 20u);  // with entry 228's empty reading
    const std::set<std::string> rows[] = {
        SjSet({"あい"}),          // ぁ lies just below あ: no row
        SjSet({"がく", "ぎん"}),  // voiced kana stay in their row
        SjSet({"そら"}),
        SjSet({"っぽ"}),  // small っ in た's row
        SjSet({"ぬの"}),
        {Sj("ぱん"), ""},
        SjSet({"ゃく", "みず"}),  // ゃ lies just below や
        SjSet({"ゅう", "よる"}),
        SjSet({"ゎに", "れい"}),                  // ゎ lies just below わ
        SjSet({"わに", "ゐど", "ゑび", "をか"}),  // ん is the upper bound: no row
    };
    for (int row = 0; row < 10; ++row) {
        EXPECT_EQ(store.FilterByKanaRow(row), static_cast<int>(rows[row].size())) << row;
        EXPECT_EQ(VisibleReadings(), rows[row]) << row;
    }
}

TEST_F(GlossaryViews, KanaRowsKeepSortedOrderAndIgnoreNonKanaKeys) {
    LoadWithReadings({"かに", "かい", "きく", "あめ"});
    // ASCII titles, katakana readings and kanji do not fall in any row.
    EXPECT_EQ(store.FilterByKanaRow(1), 3);
    EXPECT_EQ(store.ReadingAt(0), Sj("かい"));
    EXPECT_EQ(store.ReadingAt(1), Sj("かに"));
    EXPECT_EQ(store.ReadingAt(2), Sj("きく"));
    EXPECT_EQ(store.FilterByKanaRow(1), 3);  // the same row twice gives the same rows
    EXPECT_EQ(store.ReadingAt(0), Sj("かい"));
    EXPECT_EQ(store.FilterByKanaRow(7), 0);  // an empty row
    EXPECT_EQ(store.VisibleCount(), 0);
    EXPECT_EQ(store.TitleAt(0), "");
    // Rows outside 0..9 change nothing.
    store.FilterByKanaRow(0);
    EXPECT_EQ(store.FilterByKanaRow(10), 0);
    EXPECT_EQ(store.FilterByKanaRow(-1), 0);
    EXPECT_EQ(store.VisibleCount(), 1);
    store.ShowAll();
    EXPECT_EQ(store.VisibleCount(), kEntryCount);
}

TEST_F(GlossaryViews, KatakanaKanjiAndAsciiReadingsFallInNoRow) {
    auto entries = NumberedEntries();
    entries[1].reading = Sj("（カニ）");  // readings are not converted
    entries[2].reading = Sj("（漢）");
    entries[3].reading = "(ab)";
    entries[4].reading = Sj("（ｱｲ）");  // half-width katakana orders below あ
    store = LoadedStore(WriteGlossary(dir, entries));
    int total = 0;
    for (int row = 0; row < 10; ++row) {
        total += store.FilterByKanaRow(row);
    }
    EXPECT_EQ(total, 1);  // entry 228 alone
}

TEST_F(GlossaryViews, SearchFindsTextsInsideOneFieldAtACharacterBoundaryInSortedOrder) {
    auto entries = NumberedEntries();
    entries[0].title = Sj("「灯台」");
    entries[0].reading = Sj("（とうだい）");
    entries[0].text1 = Sj("岬の灯台。");
    entries[1].text1 = Sj("「灯台」の話 ");
    entries[4].text2 = Sj("（注）");
    entries[5].title = Sj("ア");  // "A" only as a trail byte (0x83 0x41)...
    entries[5].text1 = "xA";      // ...and at a boundary in the same entry's text1
    entries[6].text1 = Sj("ア");  // "A" only as a trail byte
    entries[7].title = Sj("ｷｶ");  // ｶ ends the title and ﾞ starts text1
    entries[7].text1 = Sj("ﾞｷ");
    // Half-width bytes at both ends of their range, each folding to two bytes: more of them
    // than the other texts have trail bytes in that range.
    for (int i = 0; i < 30; ++i) {
        entries[8].text1 += Sj("｡ﾟ");
    }
    entries[10].title = "E010\x82";       // a lone lead byte ends the title, T010 follows
    entries[293].text2 = Sj("S293ィBB");  // ィ is 0x83 0x42: "BB" first inside it
    store = LoadedStore(WriteGlossary(dir, entries));

    const struct {
        std::string text;
        std::vector<std::string> titles;
    } cases[] = {
        {Sj("灯台"), {"E001", Sj("灯台")}},
        // The title lost its brackets and the raw title is not searched: only text1 of E001.
        {Sj("「"), {"E001"}},
        {Sj("（"), {"E004"}},  // readings lost their parentheses: only E004's text2 has one
        {Sj("とうだい"), {Sj("灯台")}},
        {Sj("の話 "), {"E001"}},  // a trailing space is part of the text
        {Sj("の話  "), {}},
        {"A", {Sj("ア")}},
        {"e", {}},  // no case folding: titles are E...
        // Across a title and the text after it ("E000" + "T000"), and across two entries.
        {"0T0", {}},
        {"0E0", {}},
        // Several entries in a row, and the very end of the last entry's text.
        {"T29", {"E290", "E291", "E292", "E293"}},
        {"T293", {"E293"}},
        {"BB", {"E293"}},
        {"T010", {"E010\x82"}},  // each text walks its own characters
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        store.Search(c.text);
        EXPECT_EQ(VisibleTitles(), c.titles);
    }
    store.Search("A");
    EXPECT_EQ(store.Text1At(0), "xA");
    // Folded, ｶ and ﾞ in two fields never join into が, nor does a search join them.
    for (const char* text : {"が", "ｶﾞ"}) {
        store.Search(Sj(text), SearchMatch::Folded);
        EXPECT_EQ(store.VisibleCount(), 0) << text;
    }
    store.Search(Sj("ﾞ"), SearchMatch::Folded);
    EXPECT_EQ(store.VisibleCount(), 1);
    store.Search("S293", SearchMatch::Folded);  // the last text still folds whole
    EXPECT_EQ(VisibleTitles(), std::vector<std::string>{"E293"});
    store.Search("S1");  // text2 S100..S199 where the layout has TX2: sorted order kept
    EXPECT_GT(store.VisibleCount(), 1);
    for (int row = 1; row < store.VisibleCount(); ++row) {
        EXPECT_LT(store.TitleAt(row - 1), store.TitleAt(row));
    }
    store.ShowNone();
    EXPECT_EQ(store.VisibleCount(), 0);
}
