#include "glossary/entry_text.h"

#include <gtest/gtest.h>

#include "glossary/glossary_store.h"
#include "support/glossary_fixture.h"

namespace {

class EntryText : public ::testing::Test {
  protected:
    void SetUp() override {
        auto entries = NumberedEntries();
        // Entry 0's layout has a reading and a TX2 chunk; entry 1 has neither text here.
        entries[0].title = Sj("「階段」");
        entries[0].reading = Sj("（かいだん）");
        store = LoadedStore(WriteGlossary(dir, entries));
    }

    TempDir dir;
    GlossaryStore store;
};

}  // namespace

// The byte vectors are what the viewer's detail pane showed for these entries before the rule
// moved here (its GUI test holds the same texts with LF line ends), written out with
// `iconv -t CP932 | xxd`: 「階段」 81 75 8A 4B 92 69 81 76, （かいだん） 81 69 82 A9 82 A2 82 BE
// 82 F1 81 6A.
TEST_F(EntryText, TheDetailPanePutsABlankLineAfterTheReading) {
    store.Search("S000");
    ASSERT_EQ(store.VisibleCount(), 1);
    EXPECT_EQ(ComposeEntryText(store, 0, EntryTextForm::DetailPane),
              "\x81\x75\x8A\x4B\x92\x69\x81\x76\r\n"
              "\x81\x69\x82\xA9\x82\xA2\x82\xBE\x82\xF1\x81\x6A\r\n"
              "\r\n"
              "S000\r\nT000\r\n");
    EXPECT_EQ(ComposeEntryText(store, 0, EntryTextForm::TextExport),
              "\x81\x75\x8A\x4B\x92\x69\x81\x76\r\n"
              "\x81\x69\x82\xA9\x82\xA2\x82\xBE\x82\xF1\x81\x6A\r\n"
              "S000\r\nT000\r\n"
              "\r\n");
}

TEST_F(EntryText, AnEntryWithoutReadingOrText2KeepsOnlyTheBlankLine) {
    store.Search("T001");
    ASSERT_EQ(store.VisibleCount(), 1);
    EXPECT_EQ(ComposeEntryText(store, 0, EntryTextForm::DetailPane), "E001\r\n\r\nT001\r\n");
    EXPECT_EQ(ComposeEntryText(store, 0, EntryTextForm::TextExport), "E001\r\nT001\r\n\r\n");
}

TEST_F(EntryText, ARowOutsideTheViewComposesAsEmptyTexts) {
    store.Search("T001");
    for (int row : {-1, 1, kEntryCount}) {
        for (auto form : {EntryTextForm::DetailPane, EntryTextForm::TextExport}) {
            EXPECT_EQ(ComposeEntryText(store, row, form), "\r\n\r\n\r\n") << row;
            EXPECT_EQ(ComposeEntryText(store, row, form, nullptr), 6u) << row;
        }
    }
}
