// The exporter command on bad data files and bad outputs: one UTF-8 message on standard error,
// exit status 1, nothing on standard output, and an existing output file left alone when the
// data file fails. Never a block, never success after a failure.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "glossary/chunk_index.h"
#include "hardening/hardening_support.h"
#include "support/glossary_fixture.h"

namespace {

const char kOpenFailed[] = "ファイルのオープンに失敗しました。\n";
const char kWriteFailed[] = "ファイルの書き込みに失敗しました。\n";

class ExporterBadInput : public ::testing::Test {
  protected:
    void SetUp() override {
        const CommandResult result =
            RunExporter({"--csv", HOSHIWA2_SAMPLE_GLOSSARY, "-"}, dir.Path());
        ASSERT_EQ(result.status, 0);
        sampleCsv = result.out;
        ASSERT_FALSE(sampleCsv.empty());
    }

    TempDir dir;
    std::string sampleCsv;
};

}  // namespace

TEST_F(ExporterBadInput, RejectsDataFilesThatAreNotRegularFilesAndKeepsTheOutput) {
    const auto fifo = dir / "fifo";
    MakeFifo(fifo);
    const int socket = MakeSocket(dir / "socket");
    ASSERT_TRUE(WriteBinaryFile(dir / "file.bin", "x"));
    const auto output = dir / "kept.csv";
    for (const std::string& data :
         {fifo.string(), std::string("/dev/zero"), std::string("/dev/null"), dir.Path().string(),
          (dir / "socket").string(), (dir / "file.bin" / "inside").string(),
          OverlongPath(dir.Path()).string()}) {
        ASSERT_TRUE(WriteBinaryFile(output, "earlier export"));
        for (const std::string& out : {output.string(), std::string("-")}) {
            const CommandResult result = RunExporter({"--csv", data, out}, dir.Path());
            EXPECT_EQ(result.status, 1) << data;
            EXPECT_EQ(result.err, kOpenFailed) << data;
            EXPECT_EQ(result.out, "") << data;
        }
        EXPECT_EQ(ReadBytes(output), "earlier export") << data;
    }
    ::close(socket);
}

TEST_F(ExporterBadInput, ReportsEveryOutputThatCannotTakeTheExport) {
    const auto fifo = dir / "fifo";
    MakeFifo(fifo);
    ASSERT_TRUE(WriteBinaryFile(dir / "file.bin", "x"));
    struct Case {
        std::string out;
        const char* message;
    };
    const Case cases[] = {
        {"/dev/full", kWriteFailed},
        {dir.Path().string(), kOpenFailed},
        {(dir / "missing" / "out.csv").string(), kOpenFailed},
        {(dir / "file.bin" / "out.csv").string(), kOpenFailed},
        {fifo.string(), kOpenFailed},  // nobody reads it: refused at once
        {OverlongPath(dir.Path()).string(), kOpenFailed},
    };
    const std::vector<std::vector<std::string>> views = {{"--csv"}, {"--row", "か"}};
    for (const Case& c : cases) {
        for (std::vector<std::string> args : views) {
            args.insert(args.end(), {HOSHIWA2_SAMPLE_GLOSSARY, c.out});
            const CommandResult result = RunExporter(args, dir.Path());
            EXPECT_EQ(result.status, 1) << c.out;
            EXPECT_EQ(result.err, c.message) << c.out;
            EXPECT_EQ(result.out, "") << c.out;
        }
    }
}

TEST_F(ExporterBadInput, ReportsAStandardOutputThatCannotBeWritten) {
    for (const char* redirect : {">/dev/full", ">&-"}) {
        const CommandResult result =
            RunExporter({"--csv", HOSHIWA2_SAMPLE_GLOSSARY, "-"}, dir.Path(), redirect);
        EXPECT_EQ(result.status, 1) << redirect;
        EXPECT_EQ(result.err, kWriteFailed) << redirect;
    }
}

TEST_F(ExporterBadInput, ExportsTheGlossaryOfAFourGibibyteSparseFile) {
    const auto huge = dir / "huge.bin";
    ASSERT_TRUE(WriteBinaryFile(huge, ReadBytes(HOSHIWA2_SAMPLE_GLOSSARY)));
    if (::truncate(huge.c_str(), static_cast<off_t>(std::uint64_t{4} << 30)) != 0) {
        GTEST_SKIP() << "the temporary folder takes no 4 GiB sparse file";
    }
    const CommandResult result = RunExporter({"--csv", huge.string(), "-"}, dir.Path());
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, sampleCsv);
}

TEST_F(ExporterBadInput, TakesLongJapanesePathsWithSpacesBothWays) {
    const auto folder = LongJapaneseFolder(dir.Path());
    const auto data = folder / std::filesystem::u8path("霧笛島 YGS_PRG.BIN");
    const auto out = folder / std::filesystem::u8path("書き出し 結果.csv");
    ASSERT_TRUE(WriteBinaryFile(data, ReadBytes(HOSHIWA2_SAMPLE_GLOSSARY)));
    const CommandResult result = RunExporter({"--csv", data.string(), out.string()}, dir.Path());
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(ReadBytes(out), sampleCsv);
}

TEST_F(ExporterBadInput, ExportsWhatATruncatedFileCompletes) {
    // Cut inside the glossary: the command succeeds silently with the completed entries.
    const std::string sample = ReadBytes(HOSHIWA2_SAMPLE_GLOSSARY);
    const auto cut = dir / "cut.bin";
    ASSERT_TRUE(WriteBinaryFile(cut, sample.substr(0, kGlossaryBegin + 5000)));
    const CommandResult result = RunExporter({"--csv", cut.string(), "-"}, dir.Path());
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    // Every completed entry's record is one of the full sample's; the rest are empty records.
    std::size_t start = 0;
    int completed = 0;
    while (start < result.out.size()) {
        const std::size_t end = result.out.find("\r\n", start) + 2;
        const std::string record = result.out.substr(start, end - start);
        if (record != "\"\",\"\",\"\"\r\n") {
            EXPECT_NE(sampleCsv.find(record), std::string::npos) << record;
            ++completed;
        }
        start = end;
    }
    int expected = 0;
    for (const ChunkDescriptor& chunk : ChunkIndex) {
        expected += chunk.tag == ChunkTag::Separator && chunk.end <= kGlossaryBegin + 5000 ? 1 : 0;
    }
    EXPECT_EQ(completed, expected);
    EXPECT_GT(completed, 0);
}
