// Loads the generated sample glossary through the engine and checks what a wrong generator or
// wrong content would break.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "glossary/glossary_store.h"
#include "glossary/sjis_text.h"
#include "platform/cp932.h"
#include "tools/glossary_file_writer.h"

namespace {

class SampleGlossary : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(store.Load(HOSHIWA2_SAMPLE_GLOSSARY).Ok()); }
    GlossaryStore store;
};

// A field is clean when it has no control bytes and decodes without a broken character.
bool IsCleanText(const std::string& text) {
    for (unsigned char c : text) {
        if (c < 0x20 || c == 0x7F) {
            return false;
        }
    }
    return platform::Cp932ToUtf8(text).find("\uFFFD") == std::string::npos;
}

}  // namespace

TEST_F(SampleGlossary, HasTheLayoutsSizeAndEveryField) {
    EXPECT_EQ(std::filesystem::file_size(HOSHIWA2_SAMPLE_GLOSSARY), 86812u);
    ASSERT_EQ(store.VisibleCount(), kEntryCount);
    int text2Count = 0;
    int readingCount = 0;
    for (int row = 0; row < kEntryCount; ++row) {
        SCOPED_TRACE(platform::Cp932ToUtf8(store.RawTitleAt(row)));
        EXPECT_FALSE(store.TitleAt(row).empty());
        EXPECT_FALSE(store.Text1At(row).empty());
        text2Count += store.Text2At(row).empty() ? 0 : 1;
        readingCount += store.ReadingAt(row).empty() ? 0 : 1;
        for (const std::string& field :
             {store.TitleAt(row), store.ReadingAt(row), store.Text1At(row), store.Text2At(row),
              store.RawTitleAt(row)}) {
            EXPECT_TRUE(IsCleanText(field)) << platform::Cp932ToUtf8(field);
        }
    }
    EXPECT_EQ(text2Count, 106);
    EXPECT_EQ(readingCount, 274);
}

TEST_F(SampleGlossary, PopulatesEveryKanaRow) {
    for (int kanaRow = 0; kanaRow < 10; ++kanaRow) {
        EXPECT_GE(store.FilterByKanaRow(kanaRow), 5) << kanaRow;
    }
}

TEST_F(SampleGlossary, ExercisesTheLoadersCleanup) {
    // The titles carry brackets, including one pair of bracketed names, and readings are in
    // parentheses: the cleaned texts differ from the raw ones.
    int bracketed = 0;
    int namePairs = 0;
    for (int row = 0; row < kEntryCount; ++row) {
        const std::string raw = store.RawTitleAt(row);
        bracketed += raw != store.TitleAt(row) ? 1 : 0;
        namePairs += SjisFind(raw, "\x81\x76\x81\x75") >= 0 ? 1 : 0;  // 」「
    }
    EXPECT_GE(bracketed, 5);
    EXPECT_GE(namePairs, 1);
}
