#include <gtest/gtest.h>

#include <algorithm>

#include "export/dictionary_entries.h"
#include "export/dictionary_export.h"
#include "export/output_files.h"
#include "export/stardict_export.h"
#include "glossary/glossary_messages.h"
#include "glossary/glossary_store.h"
#include "platform/file_access.h"
#include "support/glossary_fixture.h"

namespace {

std::string BigEndian(std::uint32_t value) {
    return {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
            static_cast<char>(value >> 8), static_cast<char>(value)};
}

// Three words whose order differs between strcmp, a case-blind compare and StarDict's rule.
std::vector<DictionaryEntry> ThreeEntries() {
    return {{"beta", "べーた", "", "two"}, {"Alpha", "", "s", "one"}, {"alpha", "alpha", "", ""}};
}

DictionaryInfo Info() {
    return {"Test", "A test dictionary", "2026.12.07", "1.0-0123456789ab"};
}

}  // namespace

TEST(StarDictCompare, OrdersAsGlibCaseBlindCompareThenStrcmp) {
    // Expected signs worked out from g_ascii_strcasecmp's definition (unsigned bytes, only
    // A-Z folded), with strcmp deciding between words equal without case.
    struct Case {
        const char* a;
        const char* b;
        int sign;
    };
    const Case cases[] = {
        {"apple", "Banana", -1},  // strcmp alone would put 'B' first
        {"_", "A", -1},           // 'A' folds to 0x61, above '_' (0x5F)
        {"Z", "_", 1},            // and 'Z' to 0x7A
        {"same", "same", 0},
        {"Apple", "apple", -1},        // equal without case: strcmp, 'A' < 'a'
        {"ab", "abc", -1},             // a prefix first
        {"\xE3\x81\x82", "z", 1},      // あ: bytes above 0x7F are unsigned, so after ASCII
        {"\xC3\x89", "\xC3\xA9", -1},  // É and é: no folding beyond ASCII
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
        const int order = StarDictCompare(c.a, c.b);
        EXPECT_EQ((order > 0) - (order < 0), c.sign);
    }
}

TEST(StarDictFiles, HoldTheIndexSynonymsAndDefinitionsByteForByte) {
    const StarDictFiles files = MakeStarDictFiles(ThreeEntries(), Info());
    // Definitions in entry order: "（べーた）\n\ntwo" (20 bytes), "s\none" (5), "（alpha）" (11).
    EXPECT_EQ(files.dict,
              "\xEF\xBC\x88\xE3\x81\xB9\xE3\x83\xBC\xE3\x81\x9F\xEF\xBC\x89\n\ntwo"
              "s\none"
              "\xEF\xBC\x88"
              "alpha\xEF\xBC\x89");
    // Alpha < alpha (strcmp breaks the case-blind tie) < beta.
    const std::string idx = std::string("Alpha", 6) + BigEndian(20) + BigEndian(5) +
                            std::string("alpha", 6) + BigEndian(25) + BigEndian(11) +
                            std::string("beta", 5) + BigEndian(0) + BigEndian(20);
    EXPECT_EQ(files.idx, idx);
    // Only べーた is a synonym (alpha's reading is its headword); beta is word 2 of the .idx.
    EXPECT_EQ(files.syn, std::string("\xE3\x81\xB9\xE3\x83\xBC\xE3\x81\x9F", 10) + BigEndian(2));
    EXPECT_EQ(files.ifo,
              "StarDict's dict ifo file\nversion=2.4.2\nbookname=Test\nwordcount=3\n"
              "synwordcount=1\nidxfilesize=41\nsametypesequence=m\n"
              "description=A test dictionary\ndate=2026.12.07\n");
}

TEST(StarDictFiles, KeepEqualHeadwordsInEntryOrder) {
    // Two definitions under one headword: "one" at 0 comes before "two" at 3.
    const StarDictFiles files =
        MakeStarDictFiles({{"w", "", "", "one"}, {"w", "", "", "two"}}, Info());
    EXPECT_EQ(files.idx, std::string("w", 2) + BigEndian(0) + BigEndian(3) + std::string("w", 2) +
                             BigEndian(3) + BigEndian(3));
}

namespace {

class DictionaryRows : public ::testing::Test {
  protected:
    void SetUp() override {
        auto entries = NumberedEntries();
        entries[0].title = Sj("「甲」");  // brackets go, as in the list
        entries[0].reading = Sj("（こう）");
        entries[0].text1 = Sj("本文");
        entries[0].text2 = Sj("補足");
        entries[1].title = "";
        entries[1].reading = Sj("（かい）");  // no title: the reading is the headword
        entries[2].title = "\tx\ty\x7F";      // control characters become spaces
        entries[2].text1 = "a\rb";            // a CR alone is no line end: it stays
        entries[3].title = "";                // neither: left out
        entries[5].title = Sj("　かき ");     // white space around a key goes
        entries[5].reading = Sj("（かき）");  // the same as the title: no synonym
        entries[7].title = "E009";            // a title twice stays two entries
        store = LoadedStore(WriteGlossary(dir, entries, "g.bin"));
    }

    TempDir dir;
    GlossaryStore store;
};

}  // namespace

TEST_F(DictionaryRows, FollowTheHeadwordAndSynonymRules) {
    const DictionaryEntries collected = CollectDictionaryEntries(store);
    EXPECT_EQ(collected.leftOut, 1);
    EXPECT_TRUE(collected.replaced.empty());
    ASSERT_EQ(collected.entries.size(), 293u);
    struct Expected {
        std::string headword;
        std::string reading;
        bool synonym;
        std::string definition;
    };
    const std::vector<Expected> expected = {
        {"甲", "こう", true, "（こう）\n\n補足\n本文"},
        {"かい", "かい", false, "（かい）\n\nT001"},
        {"かき", "かき", false,
         ChunkLength(5, ChunkTag::Text2) > 0 ? "（かき）\n\nS005\nT005" : "（かき）\n\nT005"},
        {"x y", "", false, "a\rb"},
        {"E009", "", false, ""},  // two entries; which comes first is the sort's business
    };
    for (const Expected& want : expected) {
        SCOPED_TRACE(want.headword);
        int found = 0;
        for (const DictionaryEntry& entry : collected.entries) {
            if (entry.headword == want.headword) {
                ++found;
                EXPECT_EQ(entry.reading, want.reading);
                EXPECT_EQ(entry.HasSynonym(), want.synonym);
                if (!want.definition.empty()) {
                    EXPECT_EQ(DefinitionText(entry), want.definition);
                }
            }
        }
        EXPECT_EQ(found, want.headword == "E009" ? 2 : 1);
    }
}

namespace {

bool FailWrites(platform::FileOperation operation) {
    return operation == platform::FileOperation::Write;
}

bool FailCloses(platform::FileOperation operation) {
    return operation == platform::FileOperation::Close;
}

std::vector<std::string> NamesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& item : std::filesystem::directory_iterator(folder)) {
        names.push_back(item.path().filename().u8string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST_F(DictionaryRows, LeaveNoDictionaryBehindWhenAnExportFails) {
    const DictionaryEntries collected = CollectDictionaryEntries(store);
    struct Case {
        const char* what;
        const char* folderInTheWay;  // after the name of the .dict or the .zip, or nullptr
        platform::FileFaultHook hook;
        const char* message;
    };
    // A missing folder and an empty view are rows of the exporter's table.
    const Case cases[] = {
        {"a folder where a file goes", "", nullptr, kOpenFailedMessage},
        {"a folder where its temporary file goes", ".part", nullptr, kOpenFailedMessage},
        {"a full disk", nullptr, FailWrites, kWriteFailedMessage},
        {"a failed close", nullptr, FailCloses, kWriteFailedMessage},
    };
    int run = 0;
    for (const Case& c : cases) {
        for (const DictionaryFormat format :
             {DictionaryFormat::StarDict, DictionaryFormat::Yomitan}) {
            const bool stardict = format == DictionaryFormat::StarDict;
            SCOPED_TRACE(std::string(c.what) + (stardict ? ", StarDict" : ", Yomitan"));
            const auto folder = dir / ("run" + std::to_string(run++));
            std::filesystem::create_directory(folder);
            if (c.folderInTheWay != nullptr) {
                std::filesystem::create_directory(
                    folder / ((stardict ? "d.dict" : "d.zip") + std::string(c.folderInTheWay)));
            }
            const std::vector<std::string> before = NamesIn(folder);
            DictionaryRequest request;
            request.format = format;
            request.output = folder / (stardict ? "d.ifo" : "d.zip");
            request.dataFile = dir / "g.bin";
            const platform::FileFaultHook previous = platform::SetFileFaultHook(c.hook);
            const GlossaryResult result = ExportDictionary(collected, request);
            platform::SetFileFaultHook(previous);
            EXPECT_EQ(result.errorMessage, c.message);
            EXPECT_EQ(NamesIn(folder), before);
        }
    }
}

TEST_F(DictionaryRows, ReplaceAnEarlierExportWhole) {
    const DictionaryEntries collected = CollectDictionaryEntries(store);
    DictionaryRequest request;
    request.output = dir / "d.ifo";
    request.dataFile = dir / "g.bin";
    request.title = "Two\nlines\x7F";  // the .ifo holds it on one line
    DictionaryEntries few;
    few.entries = ThreeEntries();
    ASSERT_TRUE(ExportDictionary(collected, request).Ok());
    ASSERT_TRUE(ExportDictionary(few, request).Ok());
    const StarDictFiles files = MakeStarDictFiles(few.entries, Info());
    EXPECT_EQ(ReadBytes(dir / "d.idx"), files.idx);
    EXPECT_EQ(ReadBytes(dir / "d.dict"), files.dict);
    EXPECT_EQ(ReadBytes(dir / "d.syn"), files.syn);
    EXPECT_NE(ReadBytes(dir / "d.ifo").find("wordcount=3\n"), std::string::npos);
    EXPECT_NE(ReadBytes(dir / "d.ifo").find("\nbookname=Two lines \n"), std::string::npos);
    EXPECT_EQ(NamesIn(dir.Path()),
              (std::vector<std::string>{"d.dict", "d.idx", "d.ifo", "d.syn", "g.bin"}));

    // Without synonyms the old .syn goes, and the .ifo counts none.
    DictionaryEntries single;
    single.entries = {{"solo", "", "", "x"}};
    ASSERT_TRUE(ExportDictionary(single, request).Ok());
    EXPECT_EQ(NamesIn(dir.Path()), (std::vector<std::string>{"d.dict", "d.idx", "d.ifo", "g.bin"}));
    EXPECT_EQ(ReadBytes(dir / "d.ifo").find("synwordcount"), std::string::npos);
}

TEST(WriteOutputFiles, RemovesWhatARenameFailureLeaves) {
    // The same path twice: the second rename finds its temporary file gone, while the third
    // file is complete and not yet in place. Only the file renamed before the failure stays.
    TempDir dir;
    const GlossaryResult result =
        WriteOutputFiles({{dir / "a", "1"}, {dir / "a", "2"}, {dir / "b", "3"}});
    EXPECT_EQ(result.errorMessage, kWriteFailedMessage);
    EXPECT_EQ(NamesIn(dir.Path()), std::vector<std::string>{"a"});
}

TEST(DateOfEpochSeconds, GivesTheUtcDay) {
    // Days from Python: datetime.fromtimestamp(seconds, timezone.utc).
    const struct {
        long long seconds;
        int year, month, day;
    } cases[] = {
        {0, 1970, 1, 1},          {86399, 1970, 1, 1},      {86400, 1970, 1, 2},
        {951782400, 2000, 2, 29}, {4107542400, 2100, 3, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seconds);
        const CalendarDate date = DateOfEpochSeconds(c.seconds);
        EXPECT_EQ(std::vector<int>({date.year, date.month, date.day}),
                  std::vector<int>({c.year, c.month, c.day}));
    }
}
