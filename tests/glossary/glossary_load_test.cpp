#include <gtest/gtest.h>

#ifdef _WIN32
#include "platform/windows_api.h"
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <set>
#include <string>

#include "export/glossary_export.h"
#include "glossary/chunk_index.h"
#include "glossary/glossary_messages.h"
#include "glossary/glossary_store.h"
#include "platform/file_access.h"
#include "support/bad_paths.h"
#include "support/glossary_fixture.h"
#include "support/posix_files.h"

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
        return WriteGlossary(dir, entries, name);
    }

    // The message of a load that must fail.
    std::string LoadFailure(const std::filesystem::path& path) {
        const GlossaryResult result = store.Load(path);
        EXPECT_FALSE(result.Ok()) << path;
        return result.errorMessage;
    }

    TempDir dir;
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
    ASSERT_TRUE(store.Load(Write(NumberedEntries())).Ok());
    EXPECT_TRUE(store.IsLoaded());
    EXPECT_EQ(store.VisibleCount(), kEntryCount);
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
    // The indent goes first, and then the "n" before the line break it leaves.
    entries[4].text2 = "xn\n" + Sj("　") + "y";
    ASSERT_TRUE(store.Load(Write(entries)).Ok());
    EXPECT_EQ(store.Text1At(0), Sj("一行目二行目"));
    EXPECT_EQ(store.Text2At(0), "abcdefgh");
    EXPECT_EQ(store.Text1At(1), Sj("ハム"));
    EXPECT_EQ(store.Text2At(4), "xy");
}

TEST_F(GlossaryLoad, CleansTitlesAndReadings) {
    auto entries = NumberedEntries();
    entries[14].title = Sj("「甲」「乙」");  // entry 14's title chunk has 28 bytes
    entries[14].reading = Sj("（よみ）");
    entries[1].reading = Sj("（）");
    entries[1].title = Sj("カタ");
    ASSERT_TRUE(store.Load(Write(entries)).Ok());
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
    ASSERT_TRUE(store.Load(Write(entries)).Ok());
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
    ASSERT_TRUE(store.Load(Write(entries)).Ok());
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
    const std::string image = GlossaryImage(NumberedEntries());

    // Up to just before entry 0's SEP chunk ends: no entry, yet loaded and all 294 rows shown.
    const auto cut = dir / "cut";
    ASSERT_TRUE(WriteBinaryFile(cut, image.substr(0, ChunkIndex[4].end - 1)));
    ASSERT_TRUE(store.Load(cut).Ok());
    EXPECT_TRUE(store.IsLoaded());
    EXPECT_EQ(store.VisibleCount(), kEntryCount);
    for (int row = 0; row < kEntryCount; ++row) {
        ASSERT_EQ(store.TitleAt(row), "");
    }

    // Exactly through entry 0's SEP chunk: entry 0 only.
    ASSERT_TRUE(WriteBinaryFile(cut, image.substr(0, ChunkIndex[4].end)));
    ASSERT_TRUE(store.Load(cut).Ok());
    EXPECT_EQ(RowOfTitle(store, "E000"), kEntryCount - 1);  // non-empty keys sort last
    EXPECT_EQ(RowOfTitle(store, "E001"), -1);

    // A file longer than the glossary loads it all and ignores the rest.
    ASSERT_TRUE(WriteBinaryFile(cut, image + std::string(5000, 'z')));
    ASSERT_TRUE(store.Load(cut).Ok());
    EXPECT_EQ(store.TitleAt(292), "E293");
}

TEST_F(GlossaryLoad, ReportsFilesThatCannotBeOpenedAndKeepsTheStore) {
    EXPECT_EQ(LoadFailure(dir / "missing.bin"), kOpenFailedMessage);
    EXPECT_EQ(LoadFailure(dir.Path()), kOpenFailedMessage);  // a directory
#ifdef _WIN32
    // A pipe whose server is waiting opens at once, like the NUL device; neither is a file.
    const std::wstring pipe =
        L"\\\\.\\pipe\\hoshiwa2-test-" + std::to_wstring(::GetCurrentProcessId());
    const HANDLE server = ::CreateNamedPipeW(pipe.c_str(), PIPE_ACCESS_OUTBOUND,
                                             PIPE_TYPE_BYTE | PIPE_WAIT, 1, 0, 0, 0, nullptr);
    ASSERT_NE(server, INVALID_HANDLE_VALUE);
    EXPECT_EQ(LoadFailure(pipe), kOpenFailedMessage);
    ::CloseHandle(server);
    EXPECT_EQ(LoadFailure("NUL"), kOpenFailedMessage);
#endif  // POSIX's special files: GlossaryLoadBadFile
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
    ASSERT_TRUE(store.Load(Write(first, "first.bin")).Ok());
    ASSERT_EQ(store.FilterByKanaRow(1), 1);  // narrowed view

    auto second = NumberedEntries();
    for (auto& entry : second) {
        entry.title = "new";
    }
    const auto secondPath = Write(second, "second.bin");
    for (auto operation : {platform::FileOperation::Read, platform::FileOperation::Close}) {
        failingOperation = operation;
        const auto previousHook = platform::SetFileFaultHook(FailSelected);
        EXPECT_EQ(LoadFailure(secondPath), kReadFailedMessage);
        platform::SetFileFaultHook(previousHook);
    }
    EXPECT_EQ(LoadFailure(dir / "missing.bin"), kOpenFailedMessage);
    EXPECT_TRUE(store.IsLoaded());
    ASSERT_EQ(store.VisibleCount(), 1);
    EXPECT_EQ(store.TitleAt(0), "E005");
    store.ShowAll();
    for (int row = 0; row < kEntryCount; ++row) {
        ASSERT_NE(store.TitleAt(row), "new");
    }
}

TEST_F(GlossaryLoad, ASuccessfulShortLoadLeavesNothingOfTheEarlierGlossary) {
    ASSERT_TRUE(store.Load(Write(NumberedEntries(), "full.bin")).Ok());
    std::string error;
    const std::string image = BuildGlossaryImage(NumberedEntries(), "", error);
    const auto cut = dir / "cut.bin";
    ASSERT_TRUE(WriteBinaryFile(cut, image.substr(0, ChunkIndex[8].end)));  // entries 0 and 1
    ASSERT_TRUE(store.Load(cut).Ok());
    int nonEmpty = 0;
    for (int row = 0; row < kEntryCount; ++row) {
        nonEmpty += store.TitleAt(row).empty() ? 0 : 1;
    }
    EXPECT_EQ(nonEmpty, 2);
}

#ifndef _WIN32

// Whatever file a user may pick: special files, huge and truncated files and awkward paths. A
// load either succeeds with exactly what the file holds or fails with one message and changes
// nothing.

namespace {

// Everything the rows of the current view show, plus both exports of it: two snapshots are
// equal only when a user could not tell the stores apart.
struct StoreSnapshot {
    bool loaded = false;
    std::vector<std::string> rows;  // each row's fields separated by NULs
    std::string text;
    std::string csv;
    bool operator==(const StoreSnapshot& other) const {
        return loaded == other.loaded && rows == other.rows && text == other.text &&
               csv == other.csv;
    }
};

std::vector<std::string> ShownRows(const GlossaryStore& store) {
    std::vector<std::string> rows;
    for (int row = 0; row < store.VisibleCount(); ++row) {
        rows.push_back(store.TitleAt(row) + '\0' + store.ReadingAt(row) + '\0' +
                       store.Text1At(row) + '\0' + store.Text2At(row) + '\0' +
                       store.RawTitleAt(row));
    }
    return rows;
}

StoreSnapshot Snapshot(const GlossaryStore& store, const std::filesystem::path& dir) {
    StoreSnapshot snapshot;
    snapshot.loaded = store.IsLoaded();
    snapshot.rows = ShownRows(store);
    EXPECT_TRUE(ExportText(store, dir / "snapshot.txt").Ok());
    EXPECT_TRUE(ExportCsv(store, dir / "snapshot.csv").Ok());
    snapshot.text = ReadBytes(dir / "snapshot.txt");
    snapshot.csv = ReadBytes(dir / "snapshot.csv");
    return snapshot;
}

class GlossaryLoadBadFile : public GlossaryLoad {
  protected:
    void SetUp() override {
        auto entries = NumberedEntries();
        entries[0].reading = Sj("（かいだん）");
        entries[5].reading = Sj("（あさひ）");
        image = GlossaryImage(entries);
        data = Write(entries);
    }

    std::string image;
    std::filesystem::path data;
};

}  // namespace

TEST_F(GlossaryLoadBadFile, RefusesEverySpecialFileAndKeepsTheShownGlossary) {
    ASSERT_TRUE(store.Load(data).Ok());
    const StoreSnapshot whole = Snapshot(store, dir.Path());
    store.Search("T00");
    ASSERT_EQ(store.VisibleCount(), 10);
    const StoreSnapshot before = Snapshot(store, dir.Path());

    const BadPaths bad(dir.Path(), data);
    for (const auto& path : bad.inputs) {
        EXPECT_EQ(LoadFailure(path), kOpenFailedMessage) << path;
        ASSERT_EQ(Snapshot(store, dir.Path()), before) << path;
    }
    store.ShowAll();
    EXPECT_EQ(Snapshot(store, dir.Path()), whole);
}

TEST_F(GlossaryLoadBadFile, FollowsALinkToARegularFile) {
    ASSERT_TRUE(store.Load(data).Ok());
    const StoreSnapshot direct = Snapshot(store, dir.Path());
    std::filesystem::create_symlink(data, dir / "link.bin");
    GlossaryStore viaLink;
    ASSERT_TRUE(viaLink.Load(dir / "link.bin").Ok());
    EXPECT_EQ(Snapshot(viaLink, dir.Path()), direct);
}

TEST_F(GlossaryLoadBadFile, ReadsOnlyTheGlossaryRangeOfAFourGibibyteSparseFile) {
    ASSERT_TRUE(store.Load(data).Ok());
    const StoreSnapshot expected = Snapshot(store, dir.Path());

    // The glossary, then a hole up to 4 GiB with a few bytes of junk at its very end. Reading it
    // all would take minutes; the load reads the glossary range alone.
    const auto huge = dir / "huge.bin";
    const int fd = ::open(huge.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    ASSERT_GE(fd, 0);
    const std::uint64_t size = std::uint64_t{4} << 30;
    ASSERT_EQ(::pwrite(fd, image.data(), image.size(), 0), static_cast<ssize_t>(image.size()));
    if (::ftruncate(fd, static_cast<off_t>(size)) != 0) {
        ::close(fd);
        GTEST_SKIP() << "the temporary folder takes no 4 GiB sparse file";
    }
    ASSERT_EQ(::pwrite(fd, "junk\n\x83", 6, static_cast<off_t>(size - 6)), 6);
    ASSERT_EQ(::close(fd), 0);
    ASSERT_EQ(std::filesystem::file_size(huge), size);

    GlossaryStore hugeStore;
    ASSERT_TRUE(hugeStore.Load(huge).Ok());
    EXPECT_EQ(Snapshot(hugeStore, dir.Path()), expected);
}

TEST_F(GlossaryLoadBadFile, ATruncatedFileHoldsExactlyTheEntriesItCompletesWhereverItEnds) {
    // Rows that show something.
    const auto nonEmptyRows = [this] {
        std::multiset<std::string> rows;
        for (const std::string& row : ShownRows(store)) {
            if (row != std::string(4, '\0')) {
                rows.insert(row);
            }
        }
        return rows;
    };
    ASSERT_TRUE(store.Load(data).Ok());
    const std::multiset<std::string> all = nonEmptyRows();
    ASSERT_EQ(all.size(), static_cast<std::size_t>(kEntryCount));

    // Every chunk boundary and one byte either side, from the end down, truncating one copy.
    std::set<std::uint32_t> cuts;
    for (const ChunkDescriptor& chunk : ChunkIndex) {
        for (std::uint32_t boundary : {chunk.start, chunk.end}) {
            cuts.insert({boundary - 1, boundary, boundary + 1});
        }
    }
    cuts.erase(kGlossaryEnd + 1);
    const auto cut = dir / "cut.bin";
    ASSERT_TRUE(WriteBinaryFile(cut, image));

    std::multiset<std::string> later = all;  // what the next larger cut showed
    for (auto it = cuts.rbegin(); it != cuts.rend(); ++it) {
        const std::uint32_t length = *it;
        ASSERT_EQ(::truncate(cut.c_str(), length), 0);
        const auto completed = std::count_if(
            std::begin(ChunkIndex), std::end(ChunkIndex), [length](const ChunkDescriptor& chunk) {
                return chunk.tag == ChunkTag::Separator && chunk.end <= length;
            });
        // A fresh load into a store that held the whole glossary: nothing may be left over.
        ASSERT_TRUE(store.Load(cut).Ok()) << length;
        ASSERT_EQ(store.VisibleCount(), kEntryCount) << length;
        const std::multiset<std::string> shown = nonEmptyRows();
        ASSERT_EQ(shown.size(), static_cast<std::size_t>(completed)) << length;
        // The completed entries are whole: each is a row of the full glossary, and a shorter
        // file shows a subset of what a longer one shows.
        ASSERT_TRUE(std::includes(later.begin(), later.end(), shown.begin(), shown.end()))
            << length;
        later = shown;
    }
    EXPECT_TRUE(later.empty());  // the smallest cut ends before the first entry
}

TEST_F(GlossaryLoadBadFile, LoadsAndExportsThroughLongJapanesePathsWithSpaces) {
    ASSERT_TRUE(store.Load(data).Ok());
    const StoreSnapshot expected = Snapshot(store, dir.Path());

    const auto folder = LongJapaneseFolder(dir.Path());
    const auto longData = folder / std::filesystem::u8path("霧笛島 用語集 YGS_PRG.BIN");
    ASSERT_GT(longData.native().size(), 260u);
    ASSERT_TRUE(WriteBinaryFile(longData, image));
    GlossaryStore other;
    ASSERT_TRUE(other.Load(longData).Ok());
    EXPECT_EQ(Snapshot(other, folder), expected);
    // A file name of 240 bytes, close to what the file system allows in one name.
    std::string name;
    while (name.size() < 240) {
        name += "用語";
    }
    ASSERT_TRUE(ExportCsv(other, folder / std::filesystem::u8path(name)).Ok());
    EXPECT_EQ(ReadBytes(folder / std::filesystem::u8path(name)), expected.csv);
}

#endif
