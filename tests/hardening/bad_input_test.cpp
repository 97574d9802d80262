// Loading whatever file a user may pick: special files, huge and truncated files, random bytes
// and awkward paths. A load either succeeds with exactly what the file holds or fails with one
// message and changes nothing.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <set>

#include "export/glossary_export.h"
#include "glossary/chunk_index.h"
#include "glossary/glossary_messages.h"
#include "glossary/glossary_store.h"
#include "hardening/hardening_support.h"
#include "platform/file_access.h"
#include "support/glossary_fixture.h"

namespace {

class BadInput : public ::testing::Test {
  protected:
    void SetUp() override {
        sample = ReadBytes(HOSHIWA2_SAMPLE_GLOSSARY);
        ASSERT_EQ(sample.size(), kGlossaryEnd);
    }

    // Rows that show something, as snapshot rows.
    std::multiset<std::string> NonEmptyRows() const {
        std::multiset<std::string> rows;
        for (const std::string& row : ShownRows(store)) {
            if (row != std::string(4, '\0')) {
                rows.insert(row);
            }
        }
        return rows;
    }

    TempDir dir;
    MessageRecorder recorder;
    GlossaryStore store;
    std::string sample;
};

bool FailReads(platform::FileOperation operation) {
    return operation == platform::FileOperation::Read;
}

}  // namespace

TEST_F(BadInput, RefusesEverySpecialFileAndKeepsTheShownGlossary) {
    ASSERT_TRUE(store.Load(HOSHIWA2_SAMPLE_GLOSSARY));
    const StoreSnapshot whole = Snapshot(store, dir.Path());
    ASSERT_GT(store.FilterByKanaRow(2), 0);
    const StoreSnapshot before = Snapshot(store, dir.Path());

    const auto fifo = dir / "fifo";
    MakeFifo(fifo);
    // A writer keeps the FIFO open, so data could arrive at any time: still no file.
    const int writer = ::open(fifo.c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(writer, 0);
    const int socket = MakeSocket(dir / "socket");
    ASSERT_TRUE(WriteBinaryFile(dir / "plain.bin", sample));
    std::filesystem::create_symlink(fifo, dir / "link-to-fifo");
    std::filesystem::create_symlink(dir / "gone", dir / "dangling-link");

    const std::vector<std::filesystem::path> refused = {
        fifo,
        "/dev/null",
        "/dev/urandom",
        dir / "socket",
        dir / "link-to-fifo",
        dir / "dangling-link",
        dir / "plain.bin" / "inside",  // a file used as a folder
        OverlongPath(dir.Path()),
        "",
    };
    for (const auto& path : refused) {
        recorder.messages.clear();
        EXPECT_FALSE(store.Load(path)) << path;
        EXPECT_EQ(recorder.messages, std::vector<std::string>{kOpenFailedMessage}) << path;
        ASSERT_EQ(Snapshot(store, dir.Path()), before) << path;
    }

    // A read error halfway is as harmless.
    recorder.messages.clear();
    const auto previousHook = platform::SetFileFaultHook(FailReads);
    EXPECT_FALSE(store.Load(dir / "plain.bin"));
    platform::SetFileFaultHook(previousHook);
    EXPECT_EQ(recorder.messages, std::vector<std::string>{kReadFailedMessage});
    EXPECT_EQ(Snapshot(store, dir.Path()), before);
    store.ShowAll();
    EXPECT_EQ(Snapshot(store, dir.Path()), whole);

    ::close(writer);
    ::close(socket);
}

TEST_F(BadInput, FollowsALinkToARegularFile) {
    ASSERT_TRUE(store.Load(HOSHIWA2_SAMPLE_GLOSSARY));
    const StoreSnapshot direct = Snapshot(store, dir.Path());
    std::filesystem::create_symlink(HOSHIWA2_SAMPLE_GLOSSARY, dir / "link.bin");
    GlossaryStore viaLink;
    ASSERT_TRUE(viaLink.Load(dir / "link.bin"));
    EXPECT_EQ(Snapshot(viaLink, dir.Path()), direct);
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(BadInput, ReadsOnlyTheGlossaryRangeOfAFourGibibyteSparseFile) {
    ASSERT_TRUE(store.Load(HOSHIWA2_SAMPLE_GLOSSARY));
    const StoreSnapshot expected = Snapshot(store, dir.Path());

    // The sample, then a hole up to 4 GiB with a few bytes of junk at its very end. Reading it
    // all would take minutes; the load reads the glossary range alone.
    const auto huge = dir / "huge.bin";
    const int fd = ::open(huge.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    ASSERT_GE(fd, 0);
    const std::uint64_t size = std::uint64_t{4} << 30;
    ASSERT_EQ(::pwrite(fd, sample.data(), sample.size(), 0), static_cast<ssize_t>(sample.size()));
    if (::ftruncate(fd, static_cast<off_t>(size)) != 0) {
        ::close(fd);
        GTEST_SKIP() << "the temporary folder takes no 4 GiB sparse file";
    }
    ASSERT_EQ(::pwrite(fd, "junk\n\x83", 6, static_cast<off_t>(size - 6)), 6);
    ASSERT_EQ(::close(fd), 0);
    ASSERT_EQ(std::filesystem::file_size(huge), size);

    GlossaryStore hugeStore;
    ASSERT_TRUE(hugeStore.Load(huge));
    EXPECT_EQ(Snapshot(hugeStore, dir.Path()), expected);
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(BadInput, ATruncatedSampleHoldsExactlyTheEntriesItCompletes) {
    ASSERT_TRUE(store.Load(HOSHIWA2_SAMPLE_GLOSSARY));
    const std::multiset<std::string> all = NonEmptyRows();
    ASSERT_EQ(all.size(), static_cast<std::size_t>(kEntryCount));  // every sample entry shows

    // Every chunk boundary and one byte either side, from the end down, truncating one copy.
    std::set<std::uint32_t> cuts;
    for (const ChunkDescriptor& chunk : ChunkIndex) {
        for (std::uint32_t boundary : {chunk.start, chunk.end}) {
            cuts.insert({boundary - 1, boundary, boundary + 1});
        }
    }
    cuts.erase(kGlossaryEnd + 1);
    const auto cut = dir / "cut.bin";
    ASSERT_TRUE(WriteBinaryFile(cut, sample));

    std::multiset<std::string> later = all;  // what the next larger cut showed
    for (auto it = cuts.rbegin(); it != cuts.rend(); ++it) {
        const std::uint32_t length = *it;
        ASSERT_EQ(::truncate(cut.c_str(), length), 0);
        int completed = 0;
        for (const ChunkDescriptor& chunk : ChunkIndex) {
            completed += chunk.tag == ChunkTag::Separator && chunk.end <= length ? 1 : 0;
        }
        // A fresh load into a store that held the whole sample: nothing may be left over.
        ASSERT_TRUE(store.Load(cut)) << length;
        ASSERT_EQ(store.VisibleCount(), kEntryCount) << length;
        const std::multiset<std::string> shown = NonEmptyRows();
        ASSERT_EQ(shown.size(), static_cast<std::size_t>(completed)) << length;
        // The completed entries are whole: each is a row of the full sample, and a shorter file
        // shows a subset of what a longer one shows.
        ASSERT_TRUE(std::includes(later.begin(), later.end(), shown.begin(), shown.end()))
            << length;
        later = shown;
    }
    EXPECT_TRUE(later.empty());  // the smallest cut ends before the first entry
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(BadInput, RandomBytesInTheGlossaryRangeLoadAsCleanText) {
    // Bytes drawn mostly from what the cleanup and the key rules react to.
    const std::string interesting = std::string("\x0A\x81\x40n\x83\x82\x76\x75\x69\x6A\"\x7F", 12) +
                                    std::string(1, '\0') + "\xE0\xFC\x9F\xA0\xFD\xFF";
    for (unsigned seed = 1; seed <= 8; ++seed) {
        std::mt19937 random(seed);
        std::string image = sample;
        for (std::uint32_t i = kGlossaryBegin; i < kGlossaryEnd; ++i) {
            const unsigned draw = random();
            image[i] = draw % 3 == 0 ? static_cast<char>(draw >> 8)
                                     : interesting[(draw >> 8) % interesting.size()];
        }
        const auto path = dir / ("random-" + std::to_string(seed) + ".bin");
        ASSERT_TRUE(WriteBinaryFile(path, image));
        ASSERT_TRUE(store.Load(path)) << seed;
        ASSERT_EQ(store.VisibleCount(), kEntryCount);
        const StoreSnapshot first = Snapshot(store, dir.Path());
        for (const std::string& row : first.rows) {
            // Fields are separated by NULs in a snapshot row: four separators, no other NUL.
            EXPECT_EQ(std::count(row.begin(), row.end(), '\0'), 4) << seed;
            EXPECT_EQ(row.find('\n'), std::string::npos) << seed;
        }
        for (int kanaRow = 0; kanaRow < 10; ++kanaRow) {
            EXPECT_LE(store.FilterByKanaRow(kanaRow), kEntryCount);
        }
        store.Search(image.substr(kGlossaryBegin + seed * 1000, 2));
        Snapshot(store, dir.Path());
        GlossaryStore again;
        ASSERT_TRUE(again.Load(path));
        EXPECT_EQ(Snapshot(again, dir.Path()), first) << seed;
    }
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(BadInput, LoadsAndExportsThroughLongJapanesePathsWithSpaces) {
    ASSERT_TRUE(store.Load(HOSHIWA2_SAMPLE_GLOSSARY));
    const StoreSnapshot expected = Snapshot(store, dir.Path());

    const auto folder = LongJapaneseFolder(dir.Path());
    const auto data = folder / std::filesystem::u8path("霧笛島 用語集 YGS_PRG.BIN");
    ASSERT_GT(data.native().size(), 260u);
    ASSERT_TRUE(WriteBinaryFile(data, sample));
    GlossaryStore other;
    ASSERT_TRUE(other.Load(data));
    EXPECT_EQ(Snapshot(other, folder), expected);
    // A file name of 240 bytes, close to what the file system allows in one name.
    std::string name;
    while (name.size() < 240) {
        name += "用語";
    }
    ASSERT_TRUE(ExportCsv(other, folder / std::filesystem::u8path(name)));
    EXPECT_EQ(ReadBytes(folder / std::filesystem::u8path(name)), expected.csv);
    EXPECT_TRUE(recorder.messages.empty());
}
