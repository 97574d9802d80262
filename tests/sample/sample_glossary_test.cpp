// Loads the generated sample glossary through the engine and checks what a wrong generator or
// wrong content would break.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "glossary/cross_references.h"
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

// The link rules written as plainly as they read, every title tried at every character boundary,
// against the indexed search, over every entry of a glossary whose texts name each other.
TEST_F(SampleGlossary, CrossReferencesFollowThePlainRulesInEveryEntry) {
    auto characters = [](const std::string& text) {
        int count = 0;
        for (std::size_t at = 0; at < text.size(); ++count) {
            at += SjisFindStep(text.data(), at, text.size());
        }
        return count;
    };
    std::size_t total = 0;
    for (int row = 0; row < kEntryCount; ++row) {  // rows are sorted positions under ShowAll
        std::vector<std::tuple<LinkField, std::size_t, std::size_t, int>> expected;
        for (const LinkField field : {LinkField::Text2, LinkField::Text1}) {
            const std::string& text =
                field == LinkField::Text2 ? store.Text2At(row) : store.Text1At(row);
            for (std::size_t at = 0; at < text.size();) {
                int target = -1;
                std::size_t length = 0;
                for (int other = 0; other < kEntryCount; ++other) {
                    const std::string& title = store.TitleAt(other);
                    if (title != store.TitleAt(row) && characters(title) >= 2 &&
                        title.find_first_of("\r\n") == std::string::npos && title.size() > length &&
                        text.compare(at, title.size(), title) == 0) {
                        target = other;
                        length = title.size();
                    }
                }
                if (target >= 0) {
                    expected.emplace_back(field, at, at + length, target);
                }
                at += target >= 0 ? length : SjisFindStep(text.data(), at, text.size());
            }
        }
        std::vector<std::tuple<LinkField, std::size_t, std::size_t, int>> found;
        for (const CrossReference& link : FindCrossReferences(store, row)) {
            found.emplace_back(link.field, link.range.begin, link.range.end, link.target);
        }
        EXPECT_EQ(found, expected) << row;
        total += found.size();
    }
    EXPECT_GE(total, 500u);
}
