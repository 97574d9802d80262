#include "export/glossary_export.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include "glossary/glossary_messages.h"
#include "glossary/glossary_store.h"
#include "platform/file_access.h"
#include "support/bad_paths.h"
#include "support/glossary_fixture.h"
#include "support/posix_files.h"

namespace {

class GlossaryExport : public ::testing::Test {
  protected:
    void SetUp() override {
        auto entries = NumberedEntries();
        // Entry 0 (layout with a reading and a TX2 chunk): bracketed title, reading, both texts.
        entries[0].title = Sj("「甲」「乙」");
        entries[0].reading = Sj("（こう）");
        entries[0].text1 = Sj("本文");
        entries[0].text2 = Sj("補足");
        // Entry 1: reading only; entry 3: quotes and a comma in the text.
        entries[1].reading = Sj("（かい）");
        entries[3].reading = Sj("（かき）");
        entries[3].text1 = "say \"hi\", then";
        store = LoadedStore(WriteGlossary(dir, entries));
        ASSERT_EQ(store.FilterByKanaRow(1), 3);  // かい, かき, こう
    }

    TempDir dir;
    GlossaryStore store;
};

}  // namespace

TEST_F(GlossaryExport, WritesTheShownRowsAsTextRecords) {
    ASSERT_TRUE(ExportText(store, dir / "out.txt").Ok());
    const std::string expected =
        // かい: raw title, reading line, text1, blank line
        "E001\r\n" + Sj("（かい）") + "\r\nT001\r\n\r\n" + "E003\r\n" + Sj("（かき）") +
        "\r\nsay \"hi\", then\r\n\r\n" +
        // こう: brackets kept in the raw title, text2 before text1
        Sj("「甲」「乙」") + "\r\n" + Sj("（こう）") + "\r\n" + Sj("補足") + "\r\n" + Sj("本文") +
        "\r\n\r\n";
    EXPECT_EQ(ReadBytes(dir / "out.txt"), expected);
}

TEST_F(GlossaryExport, WritesTheShownRowsAsCsvRecords) {
    ASSERT_TRUE(ExportCsv(store, dir / "out.csv").Ok());
    const std::string expected =
        "\"E001\",\"" + Sj("かい") + "\",\"T001\"\r\n" +
        // quotes inside a field are doubled; the comma stays inside the quotes
        "\"E003\",\"" + Sj("かき") + "\",\"say \"\"hi\"\", then\"\r\n" +
        // cleaned title, text2 directly followed by text1
        "\"" + Sj("甲、乙") + "\",\"" + Sj("こう") + "\",\"" + Sj("補足本文") + "\"\r\n";
    EXPECT_EQ(ReadBytes(dir / "out.csv"), expected);
}

TEST_F(GlossaryExport, WritesEntriesWithoutReadingOrText2WithEmptyPieces) {
    store.Search("T002");
    ASSERT_TRUE(ExportText(store, dir / "out.txt").Ok());
    EXPECT_EQ(ReadBytes(dir / "out.txt"), "E002\r\nT002\r\n\r\n");
    ASSERT_TRUE(ExportCsv(store, dir / "out.csv").Ok());
    EXPECT_EQ(ReadBytes(dir / "out.csv"), "\"E002\",\"\",\"T002\"\r\n");
}

TEST_F(GlossaryExport, ARowOutsideTheViewHasNoRecord) {
    for (int row : {-1, 3}) {  // the view shows rows 0..2
        EXPECT_EQ(TextRecordAt(store, row), "") << row;
        EXPECT_EQ(CsvRecordAt(store, row), "") << row;
    }
}

TEST_F(GlossaryExport, AnEmptyViewGivesAnEmptyFileAndAllGivesEveryRow) {
    store.FilterByKanaRow(9);
    ASSERT_TRUE(ExportCsv(store, dir / "out.csv").Ok());
    EXPECT_EQ(ReadBytes(dir / "out.csv"), "");
    store.ShowAll();
    ASSERT_TRUE(ExportCsv(store, dir / "out.csv").Ok());
    const std::string all = ReadBytes(dir / "out.csv");
    std::size_t lines = 0;
    for (std::size_t pos = 0; (pos = all.find("\r\n", pos)) != std::string::npos; pos += 2) {
        ++lines;
    }
    EXPECT_EQ(lines, static_cast<std::size_t>(kEntryCount));
}

TEST_F(GlossaryExport, ReportsPlacesThatCannotBeCreatedAsOpenFailures) {
    ASSERT_TRUE(WriteBinaryFile(dir / "file.bin", "x"));
    const BadPaths bad(dir.Path(), dir / "file.bin");
    for (const auto& place : bad.outputs) {
        EXPECT_EQ(ExportText(store, place).errorMessage, kOpenFailedMessage) << place;
        EXPECT_EQ(ExportCsv(store, place).errorMessage, kOpenFailedMessage) << place;
    }
    EXPECT_EQ(ReadBytes(dir / "file.bin"), "x");
    EXPECT_EQ(store.VisibleCount(), 3);  // the store is untouched
}

namespace {
bool FailWrites(platform::FileOperation operation) {
    return operation == platform::FileOperation::Write;
}
}  // namespace

TEST_F(GlossaryExport, ReportsWriteFailuresAndClosesTheFile) {
    const auto previous = platform::SetFileFaultHook(FailWrites);
    EXPECT_EQ(ExportCsv(store, dir / "failed.csv").errorMessage, kWriteFailedMessage);
    platform::SetFileFaultHook(previous);
#ifndef _WIN32
    // A full disk, opened before the export as standard output is; Windows has no such device.
    platform::File full;
    ASSERT_TRUE(full.OpenForWriting("/dev/full"));
    EXPECT_EQ(ExportText(store, full).errorMessage, kWriteFailedMessage);
    EXPECT_FALSE(full.IsOpen());
#endif
}

#ifndef _WIN32
TEST_F(GlossaryExport, ADiskThatFillsUpKeepsTheRecordsWrittenBeforeInEitherForm) {
    const std::string firstCsv = "\"E001\",\"" + Sj("かい") + "\",\"T001\"\r\n";
    const std::string firstTwoTexts = "E001\r\n" + Sj("（かい）") + "\r\nT001\r\n\r\n" +
                                      "E003\r\n" + Sj("（かき）") + "\r\nsay \"hi\", then\r\n\r\n";
    GlossaryResult csvWritten;
    GlossaryResult textWritten;
    {
        const FileSizeLimit full(firstCsv.size());
        csvWritten = ExportCsv(store, dir / "partial.csv");
    }
    {
        const FileSizeLimit full(firstTwoTexts.size());
        textWritten = ExportText(store, dir / "partial.txt");
    }
    EXPECT_EQ(csvWritten.errorMessage, kWriteFailedMessage);
    EXPECT_EQ(textWritten.errorMessage, kWriteFailedMessage);
    EXPECT_EQ(ReadBytes(dir / "partial.csv"), firstCsv);
    EXPECT_EQ(ReadBytes(dir / "partial.txt"), firstTwoTexts);
}

TEST_F(GlossaryExport, WritesIntoAFifoThatSomeoneReads) {
    const auto fifo = dir / "fifo";
    MakeFifo(fifo);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    ASSERT_TRUE(ExportCsv(store, dir / "expected.csv").Ok());
    const std::string expected = ReadBytes(dir / "expected.csv");
    ASSERT_LT(expected.size(), 16384u);  // fits the pipe, so no second thread is needed
    ASSERT_TRUE(ExportCsv(store, fifo).Ok());
    std::string got(expected.size() + 1, '\0');
    const ssize_t n = ::read(reader, got.data(), got.size());
    ASSERT_GE(n, 0);
    got.resize(static_cast<std::size_t>(n));
    EXPECT_EQ(got, expected);
    ::close(reader);
}
#endif

TEST(GlossaryExportWithoutQuotes, WritesCsvFieldsAsTheyAre) {
    TempDir dir;
    GlossaryStore store = LoadedStore(WriteGlossary(dir, NumberedEntries()));
    store.Search("T00");
    ASSERT_TRUE(ExportCsv(store, dir / "out.csv").Ok());
    std::string expected;
    for (int row = 0; row < store.VisibleCount(); ++row) {
        expected += "\"" + store.TitleAt(row) + "\",\"\",\"" + store.Text2At(row) +
                    store.Text1At(row) + "\"\r\n";
    }
    EXPECT_EQ(store.VisibleCount(), 10);
    EXPECT_EQ(ReadBytes(dir / "out.csv"), expected);
}
