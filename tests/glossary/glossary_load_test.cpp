#include <gtest/gtest.h>

#ifdef _WIN32
#include "platform/windows_api.h"

#include <string>
#else
#include <sys/stat.h>
#endif

#include "glossary/chunk_index.h"
#include "glossary/glossary_messages.h"
#include "glossary/glossary_store.h"
#include "platform/file_access.h"
#include "support/glossary_fixture.h"

namespace {

// Row of the entry whose title is `title` in the full view, or -1.
int RowOfTitle(const GlossaryStore& store, const std::string& title) {
    for (int row = 0; row < store.VisibleCount(); ++row) {
        if (store.TitleAt(row) == title) {
            return row;
        }
    }
    return -1;
}

class GlossaryLoad : public ::testing::Test {
  protected:
    std::filesystem::path Write(const std::vector<EntryChunks>& entries,
                                const std::string& name = "YGS_PRG.BIN") {
        const auto path = dir / name;
        WriteGlossary(path, entries);
        return path;
    }

    TempDir dir;
    MessageRecorder recorder;
    GlossaryStore store;
};

}  // namespace

TEST_F(GlossaryLoad, StartsEmptyAndUnloaded) {
    EXPECT_FALSE(store.IsLoaded());
    EXPECT_EQ(store.VisibleCount(), 0);
    EXPECT_EQ(store.TitleAt(0), "");
    EXPECT_EQ(store.RawTitleAt(-1), "");
}

TEST_F(GlossaryLoad, LoadsEveryEntrySortedAndShown) {
    ASSERT_TRUE(store.Load(Write(NumberedEntries())));
    EXPECT_TRUE(store.IsLoaded());
    EXPECT_EQ(store.VisibleCount(), kEntryCount);
    EXPECT_TRUE(recorder.messages.empty());
    // Titles are ASCII keys E000..E293, so the sorted view is file order, but for entry 228,
    // whose key is always へちまのはな and so orders after every ASCII key.
    EXPECT_EQ(store.TitleAt(0), "E000");
    EXPECT_EQ(store.Text1At(0), "T000");
    EXPECT_EQ(store.Text2At(0), "S000");  // entry 0's layout has a TX2 chunk
    EXPECT_EQ(store.Text2At(1), "");
    EXPECT_EQ(store.TitleAt(292), "E293");
    EXPECT_EQ(store.TitleAt(293), "E228");
    EXPECT_EQ(store.TitleAt(294), "");
    EXPECT_EQ(store.TitleAt(-1), "");
}

TEST_F(GlossaryLoad, CleansChunksInRuleOrder) {
    auto entries = NumberedEntries();
    // Wrapped lines: LF + two ideographic spaces collapse, then the LF goes.
    entries[0].text1 = Sj("一行目") + "\n" + Sj("　　") + Sj("二行目");
    // A stray "n" before a line break goes with it; NUL bytes inside go too.
    entries[0].text2 = "abcn\ndef" + std::string(1, '\0') + "gh\n";
    // ハ + LF keeps its ハ (its trail byte 0x6E is not a letter n).
    entries[1].text1 = Sj("ハ") + "\n" + Sj("ム");
    ASSERT_TRUE(store.Load(Write(entries)));
    EXPECT_EQ(store.Text1At(0), Sj("一行目二行目"));
    EXPECT_EQ(store.Text2At(0), "abcdefgh");
    EXPECT_EQ(store.Text1At(1), Sj("ハム"));
}

TEST_F(GlossaryLoad, CleansTitlesAndReadings) {
    auto entries = NumberedEntries();
    entries[14].title = Sj("「甲」「乙」");  // entry 14's title chunk has 28 bytes
    entries[14].reading = Sj("（よみ）");
    entries[1].reading = Sj("（）");
    entries[1].title = Sj("カタ");
    ASSERT_TRUE(store.Load(Write(entries)));
    const int row = RowOfTitle(store, Sj("甲、乙"));
    ASSERT_GE(row, 0);
    EXPECT_EQ(store.RawTitleAt(row), Sj("「甲」「乙」"));
    EXPECT_EQ(store.ReadingAt(row), Sj("よみ"));
    // An empty reading in parentheses counts as no reading: the key comes from the title.
    const int katakanaRow = RowOfTitle(store, Sj("カタ"));
    EXPECT_EQ(store.ReadingAt(katakanaRow), "");
    store.FilterByKanaRow(1);  // か row: かた
    EXPECT_EQ(store.VisibleCount(), 1);
    EXPECT_EQ(store.TitleAt(0), Sj("カタ"));
}

TEST_F(GlossaryLoad, DerivesSortKeysFromReadingsTitlesAndTheTwoFixedKeys) {
    auto entries = NumberedEntries();
    entries[2].title = Sj("漢字");
    entries[2].reading = Sj("（い）");
    entries[3].title = Sj("ウミ");        // empty reading chunk: read as うみ
    entries[182].title = Sj("ア");        // no reading chunk: read as あ
    entries[187].title = Sj("木");        // a kanji key orders after every kana key
    entries[259].reading = Sj("（あ）");  // fixed key すなどけいや instead
    entries[228].title = Sj("ワ");        // fixed key へちまのはな instead of わ
    ASSERT_TRUE(store.Load(Write(entries)));
    // The 288 ASCII keys E000... come first: single-byte characters order before kana.
    EXPECT_EQ(store.TitleAt(0), "E000");
    EXPECT_EQ(store.TitleAt(287), "E293");
    const std::string expected[] = {Sj("ア"), Sj("漢字"), Sj("ウミ"), "E259", Sj("ワ"), Sj("木")};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(store.TitleAt(288 + i), expected[i]) << i;
    }
}

TEST_F(GlossaryLoad, KeepsTheQuicksortOrderOfEqualKeys) {
    auto entries = NumberedEntries();
    for (auto& entry : entries) {
        entry.title = "x";  // every key equal but entry 228's fixed one, which is larger
    }
    for (int e = 0; e < kEntryCount; ++e) {
        entries[e].text1 = std::to_string(e);
    }
    ASSERT_TRUE(store.Load(Write(entries)));
    // Worked out by following the sort step by step: with nothing strictly smaller than a
    // pivot, each pass moves the middle element to the front and the front one to the middle.
    const char* const first[] = {"146", "147", "1", "148", "3", "149", "5", "150"};
    for (int row = 0; row < 8; ++row) {
        EXPECT_EQ(store.Text1At(row), first[row]) << row;
    }
    EXPECT_EQ(store.Text1At(290), "291");
    EXPECT_EQ(store.Text1At(291), "293");
    EXPECT_EQ(store.Text1At(292), "292");
    EXPECT_EQ(store.Text1At(293), "228");
}

TEST_F(GlossaryLoad, ShortFilesLoadTheCompletedEntries) {
    const auto entries = NumberedEntries();
    std::string error;
    const std::string image = BuildGlossaryImage(entries, "", error);
    ASSERT_EQ(error, "");

    // Up to just before entry 0's SEP chunk ends: no entry, yet loaded and all 294 rows shown.
    const auto cut = dir / "cut";
    ASSERT_TRUE(WriteBinaryFile(cut, image.substr(0, ChunkIndex[4].end - 1)));
    ASSERT_TRUE(store.Load(cut));
    EXPECT_TRUE(store.IsLoaded());
    EXPECT_EQ(store.VisibleCount(), kEntryCount);
    for (int row = 0; row < kEntryCount; ++row) {
        ASSERT_EQ(store.TitleAt(row), "");
    }

    // Exactly through entry 0's SEP chunk: entry 0 only.
    ASSERT_TRUE(WriteBinaryFile(cut, image.substr(0, ChunkIndex[4].end)));
    ASSERT_TRUE(store.Load(cut));
    EXPECT_EQ(RowOfTitle(store, "E000"), kEntryCount - 1);  // non-empty keys sort last
    EXPECT_EQ(RowOfTitle(store, "E001"), -1);

    // A file longer than the glossary loads it all and ignores the rest.
    ASSERT_TRUE(WriteBinaryFile(cut, image + std::string(5000, 'z')));
    ASSERT_TRUE(store.Load(cut));
    EXPECT_EQ(store.TitleAt(292), "E293");
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(GlossaryLoad, ReportsFilesThatCannotBeOpenedAndKeepsTheStore) {
    EXPECT_FALSE(store.Load(dir / "missing.bin"));
    EXPECT_FALSE(store.Load(dir.Path()));  // a directory
#ifdef _WIN32
    // A pipe whose server is waiting opens at once, like the NUL device; neither is a file.
    const std::wstring pipe =
        L"\\\\.\\pipe\\hoshiwa2-test-" + std::to_wstring(::GetCurrentProcessId());
    const HANDLE server = ::CreateNamedPipeW(pipe.c_str(), PIPE_ACCESS_OUTBOUND,
                                             PIPE_TYPE_BYTE | PIPE_WAIT, 1, 0, 0, 0, nullptr);
    ASSERT_NE(server, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(store.Load(pipe));
    ::CloseHandle(server);
    EXPECT_FALSE(store.Load("NUL"));
#else
    const auto fifo = dir / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(store.Load(fifo));  // must not block waiting for a writer
    EXPECT_FALSE(store.Load("/dev/zero"));
#endif
    EXPECT_EQ(recorder.messages, std::vector<std::string>(4, kOpenFailedMessage));
    EXPECT_FALSE(store.IsLoaded());
    EXPECT_EQ(store.VisibleCount(), 0);
}

namespace {
platform::FileOperation failingOperation;
bool FailSelected(platform::FileOperation operation) {
    return operation == failingOperation;
}
}  // namespace

TEST_F(GlossaryLoad, AFailedLoadLeavesTheEarlierGlossaryExactlyAsItWas) {
    auto first = NumberedEntries();
    first[5].reading = Sj("（か）");
    ASSERT_TRUE(store.Load(Write(first, "first.bin")));
    ASSERT_EQ(store.FilterByKanaRow(1), 1);  // narrowed view

    auto second = NumberedEntries();
    for (auto& entry : second) {
        entry.title = "new";
    }
    const auto secondPath = Write(second, "second.bin");
    for (auto operation : {platform::FileOperation::Read, platform::FileOperation::Close}) {
        failingOperation = operation;
        const auto previousHook = platform::SetFileFaultHook(FailSelected);
        EXPECT_FALSE(store.Load(secondPath));
        platform::SetFileFaultHook(previousHook);
    }
    EXPECT_FALSE(store.Load(dir / "missing.bin"));
    EXPECT_EQ(recorder.messages, (std::vector<std::string>{kReadFailedMessage, kReadFailedMessage,
                                                           kOpenFailedMessage}));
    EXPECT_TRUE(store.IsLoaded());
    ASSERT_EQ(store.VisibleCount(), 1);
    EXPECT_EQ(store.TitleAt(0), "E005");
    store.ShowAll();
    for (int row = 0; row < kEntryCount; ++row) {
        ASSERT_NE(store.TitleAt(row), "new");
    }
}

TEST_F(GlossaryLoad, ASuccessfulShortLoadLeavesNothingOfTheEarlierGlossary) {
    ASSERT_TRUE(store.Load(Write(NumberedEntries(), "full.bin")));
    std::string error;
    const std::string image = BuildGlossaryImage(NumberedEntries(), "", error);
    const auto cut = dir / "cut.bin";
    ASSERT_TRUE(WriteBinaryFile(cut, image.substr(0, ChunkIndex[8].end)));  // entries 0 and 1
    ASSERT_TRUE(store.Load(cut));
    int nonEmpty = 0;
    for (int row = 0; row < kEntryCount; ++row) {
        nonEmpty += store.TitleAt(row).empty() ? 0 : 1;
    }
    EXPECT_EQ(nonEmpty, 2);
}
