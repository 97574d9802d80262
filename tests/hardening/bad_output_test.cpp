// Exporting wherever a user points: full devices, special files and paths that cannot be
// created. A failed export says so once and returns false; it never blocks.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "export/glossary_export.h"
#include "glossary/glossary_messages.h"
#include "glossary/glossary_store.h"
#include "hardening/hardening_support.h"
#include "platform/file_access.h"
#include "support/glossary_fixture.h"

namespace {

class BadOutput : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(store.Load(HOSHIWA2_SAMPLE_GLOSSARY));
        ASSERT_GT(store.FilterByKanaRow(0), 0);
        ASSERT_TRUE(WriteBinaryFile(dir / "file.bin", "x"));
    }

    // Both exports to `path`, each expected to fail with `message`.
    void ExpectBothFail(const std::filesystem::path& path, const char* message) {
        recorder.messages.clear();
        EXPECT_FALSE(ExportText(store, path)) << path;
        EXPECT_FALSE(ExportCsv(store, path)) << path;
        EXPECT_EQ(recorder.messages, std::vector<std::string>(2, message)) << path;
    }

    TempDir dir;
    MessageRecorder recorder;
    GlossaryStore store;
};

}  // namespace

TEST_F(BadOutput, ReportsAFullDeviceAsAWriteFailure) {
    ExpectBothFail("/dev/full", kWriteFailedMessage);
    platform::File full;
    ASSERT_TRUE(full.OpenForWriting("/dev/full"));
    recorder.messages.clear();
    EXPECT_FALSE(ExportCsv(store, full));
    EXPECT_EQ(recorder.messages, std::vector<std::string>{kWriteFailedMessage});
    EXPECT_FALSE(full.IsOpen());
}

TEST_F(BadOutput, ReportsPathsThatCannotBeCreatedAsOpenFailures) {
    std::filesystem::create_symlink(dir / "missing" / "out.csv", dir / "dangling-link");
    for (const auto& path : {dir / "file.bin" / "out.txt", dir / "dangling-link",
                             OverlongPath(dir.Path()), std::filesystem::path()}) {
        ExpectBothFail(path, kOpenFailedMessage);
    }
    EXPECT_EQ(ReadBytes(dir / "file.bin"), "x");
}

TEST_F(BadOutput, NeverBlocksOnAFifoWithoutAReader) {
    const auto fifo = dir / "fifo";
    MakeFifo(fifo);
    // Should the open wait for a reader, the alarm ends the suite instead of hanging it.
    ::alarm(60);
    ExpectBothFail(fifo, kOpenFailedMessage);
    ::alarm(0);
}

TEST_F(BadOutput, WritesIntoAFifoThatSomeoneReads) {
    const auto fifo = dir / "fifo";
    MakeFifo(fifo);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    ASSERT_TRUE(ExportCsv(store, dir / "expected.csv"));
    const std::string expected = ReadBytes(dir / "expected.csv");
    ASSERT_LT(expected.size(), 16384u);  // fits the pipe, so no second thread is needed
    ASSERT_TRUE(ExportCsv(store, fifo));
    std::string got(expected.size() + 1, '\0');
    const ssize_t n = ::read(reader, got.data(), got.size());
    ASSERT_GE(n, 0);
    got.resize(static_cast<std::size_t>(n));
    EXPECT_EQ(got, expected);
    EXPECT_TRUE(recorder.messages.empty());
    ::close(reader);
}
