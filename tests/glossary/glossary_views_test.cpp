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
        WriteGlossary(dir / "g.bin", entries);
        ASSERT_TRUE(store.Load(dir / "g.bin"));
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
    WriteGlossary(dir / "g.bin", entries);
    ASSERT_TRUE(store.Load(dir / "g.bin"));
    int total = 0;
    for (int row = 0; row < 10; ++row) {
        total += store.FilterByKanaRow(row);
    }
    EXPECT_EQ(total, 1);  // entry 228 alone
}

TEST_F(GlossaryViews, SearchMatchesTitleReadingAndTextsExactly) {
    auto entries = NumberedEntries();
    entries[0].title = Sj("「灯台」");
    entries[0].reading = Sj("（とうだい）");
    entries[0].text1 = Sj("岬の灯台。");
    entries[1].text1 = Sj("「灯台」の話 ");
    entries[4].text2 = Sj("（注）");
    entries[5].text1 = Sj("ア");  // 0x83 0x41: contains "A" only as a trail byte
    WriteGlossary(dir / "g.bin", entries);
    ASSERT_TRUE(store.Load(dir / "g.bin"));

    store.Search(Sj("灯台"));
    EXPECT_EQ(store.VisibleCount(), 2);

    // The title lost its brackets and the raw title is not searched: only text1 of entry 1.
    store.Search(Sj("「"));
    ASSERT_EQ(store.VisibleCount(), 1);
    EXPECT_EQ(store.TitleAt(0), "E001");

    // Readings lost their parentheses: only entry 4's text2 has one.
    store.Search(Sj("（"));
    ASSERT_EQ(store.VisibleCount(), 1);
    EXPECT_EQ(store.TitleAt(0), "E004");

    store.Search(Sj("の話 "));  // trailing space is part of the text
    EXPECT_EQ(store.VisibleCount(), 1);
    store.Search(Sj("の話  "));
    EXPECT_EQ(store.VisibleCount(), 0);

    store.Search("A");  // no match inside ア, none in "E005"... only titles/texts with A
    EXPECT_EQ(store.VisibleCount(), 0);
    store.Search("e");  // no case folding: titles are E...
    EXPECT_EQ(store.VisibleCount(), 0);
    store.Search(Sj("とうだい"));
    EXPECT_EQ(store.VisibleCount(), 1);

    store.Search("S1");  // text2 S100..S199 where the layout has TX2: sorted order kept
    for (int row = 1; row < store.VisibleCount(); ++row) {
        EXPECT_LT(store.TitleAt(row - 1), store.TitleAt(row));
    }
    store.ShowNone();
    EXPECT_EQ(store.VisibleCount(), 0);
}

TEST_F(GlossaryViews, SearchFindsTextsWithinOneFieldOnly) {
    auto entries = NumberedEntries();
    entries[5].title = Sj("ア");  // "A" only as a trail byte (0x83 0x41)...
    entries[5].text1 = "xA";      // ...and at a boundary in the same entry's text1
    entries[6].title = Sj("ｷｶ");  // ｶ ends the title and ﾞ starts text1...
    entries[6].text1 = Sj("ﾞｷ");
    WriteGlossary(dir / "g.bin", entries);
    ASSERT_TRUE(store.Load(dir / "g.bin"));

    store.Search("A");
    ASSERT_EQ(store.VisibleCount(), 1);
    EXPECT_EQ(store.Text1At(0), "xA");
    // Across a title and the text after it ("E000" + "T000"), and across two entries: nothing.
    store.Search("0T0");
    EXPECT_EQ(store.VisibleCount(), 0);
    store.Search("0E0");
    EXPECT_EQ(store.VisibleCount(), 0);
    // ...so folded they never join into が, nor does a search join them.
    store.Search(Sj("が"), SearchMatch::Folded);
    EXPECT_EQ(store.VisibleCount(), 0);
    store.Search(Sj("ｶﾞ"), SearchMatch::Folded);
    EXPECT_EQ(store.VisibleCount(), 0);
    store.Search(Sj("ﾞ"), SearchMatch::Folded);
    EXPECT_EQ(store.VisibleCount(), 1);
    // Several entries in a row, and the very end of the last entry's text.
    store.Search("T29");
    EXPECT_EQ(store.VisibleCount(), 4);
    store.Search("T293");
    ASSERT_EQ(store.VisibleCount(), 1);
    EXPECT_EQ(store.TitleAt(0), "E293");
}
