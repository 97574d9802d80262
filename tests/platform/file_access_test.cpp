#include "platform/file_access.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include "platform/windows_api.h"
#endif

#include <string>

#include "support/glossary_fixture.h"
#include "support/posix_files.h"

namespace {

// Every byte a text-mode stream would change: CRLF, a lone LF and CR, Ctrl-Z, NUL, and
// Shift-JIS with 0x5C trail bytes (表, ソ).
const std::string kAwkwardBytes = std::string(
                                      "a\r\nb\nc\rd\x1A"
                                      "e") +
                                  '\0' + "\x95\x5C\x83\x5C\r\n";

std::string ReadAll(platform::File& file, std::uint64_t offset, std::size_t size) {
    std::string buffer(size, '\0');
    const std::int64_t n = file.ReadAt(offset, buffer.data(), size);
    if (n < 0) {
        return "<error>";
    }
    buffer.resize(static_cast<std::size_t>(n));
    return buffer;
}

class FileAccess : public ::testing::Test {
  protected:
    TempDir dir;
};

}  // namespace

TEST_F(FileAccess, WritesAndReadsBytesUnchangedInFoldersNamedInAnyScript) {
    for (const char* folder : {"用語集フォルダ", "Глоссарий", "ascii"}) {
        const auto sub = dir.Path() / std::filesystem::u8path(folder);
        ASSERT_TRUE(std::filesystem::create_directory(sub)) << folder;
        const auto path = sub / std::filesystem::u8path("出力.txt");

        platform::File out;
        ASSERT_TRUE(out.OpenForWriting(path)) << folder;
        EXPECT_TRUE(out.IsOpen());
        ASSERT_TRUE(out.Write(kAwkwardBytes.data(), kAwkwardBytes.size()));
        ASSERT_TRUE(out.Close());
        EXPECT_FALSE(out.IsOpen());
        EXPECT_EQ(ReadBytes(path), kAwkwardBytes) << folder;

        platform::File in;
        ASSERT_TRUE(in.OpenForReading(path)) << folder;
        EXPECT_EQ(ReadAll(in, 0, 100), kAwkwardBytes);  // short only at the end
        EXPECT_EQ(ReadAll(in, 2, 4), "\nb\nc");
        EXPECT_EQ(ReadAll(in, kAwkwardBytes.size() - 2, 10), "\r\n");
        EXPECT_EQ(ReadAll(in, kAwkwardBytes.size(), 10), "");
        EXPECT_EQ(ReadAll(in, 1u << 20, 10), "");  // past the end
        EXPECT_TRUE(in.Close());
    }
}

TEST_F(FileAccess, WritingTruncatesAndReadingTakesOnlyExistingRegularFiles) {
    const auto path = dir / "data.bin";
    ASSERT_TRUE(WriteBinaryFile(path, std::string(1000, 'x')));
    platform::File file;
    ASSERT_TRUE(file.OpenForWriting(path));
    ASSERT_TRUE(file.Write("yz", 2));
    ASSERT_TRUE(file.Close());
    EXPECT_EQ(ReadBytes(path), "yz");

    EXPECT_FALSE(file.OpenForReading(dir / "missing.bin"));
    EXPECT_FALSE(file.OpenForReading(dir.Path()));
    EXPECT_FALSE(file.OpenForWriting(dir.Path()));
    EXPECT_FALSE(file.OpenForWriting(dir / "missing" / "out.txt"));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(file.ReadAt(0, nullptr, 0), -1);  // nothing open
    EXPECT_FALSE(file.Write("a", 1));
    EXPECT_TRUE(file.Close());
}

#ifndef _WIN32
TEST_F(FileAccess, AWriteThatOutgrowsTheDiskKeepsWhatFitAndFails) {
    // A file size limit of 5 bytes stands in for a disk that fills up: "onetw" fits.
    platform::File file;
    ASSERT_TRUE(file.OpenForWriting(dir / "full.bin"));
    bool written = true;
    {
        const FileSizeLimit full(5);
        written = file.Write("onetwothree", 11);
    }
    file.Abort();
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadBytes(dir / "full.bin"), "onetw");
}
#endif

#ifdef _WIN32

namespace {

// Opens `path` as another program would; INVALID_HANDLE_VALUE when sharing forbids it.
HANDLE OpenElsewhere(const std::filesystem::path& path, DWORD access, DWORD share) {
    return ::CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING, 0, nullptr);
}

}  // namespace

TEST_F(FileAccess, ReadingLetsOthersReadAndWriteTheFile) {
    const auto path = dir / "data.bin";
    ASSERT_TRUE(WriteBinaryFile(path, "before"));
    platform::File file;
    ASSERT_TRUE(file.OpenForReading(path));
    const HANDLE writer =
        OpenElsewhere(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE) << ::GetLastError();
    DWORD written = 0;
    EXPECT_TRUE(::WriteFile(writer, "after!", 6, &written, nullptr));
    ::CloseHandle(writer);
    EXPECT_EQ(ReadAll(file, 0, 10), "after!");  // the change shows through
    file.Abort();

    // A program that keeps the file to itself keeps it from being read.
    const HANDLE exclusive = OpenElsewhere(path, GENERIC_READ, 0);
    ASSERT_NE(exclusive, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(file.OpenForReading(path));
    ::CloseHandle(exclusive);
}

TEST_F(FileAccess, AnExportLetsOthersOnlyReadWhileItIsOpen) {
    const auto path = dir / "out.txt";
    platform::File file;
    ASSERT_TRUE(file.OpenForWriting(path));
    ASSERT_TRUE(file.Write("abc", 3));

    const HANDLE reader = OpenElsewhere(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
    EXPECT_NE(reader, INVALID_HANDLE_VALUE);
    if (reader != INVALID_HANDLE_VALUE) {
        ::CloseHandle(reader);
    }
    const HANDLE writer = OpenElsewhere(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    if (writer != INVALID_HANDLE_VALUE) {
        ::CloseHandle(writer);
    }
    platform::File second;
    EXPECT_FALSE(second.OpenForWriting(path));  // not even a second export
    ASSERT_TRUE(file.Close());

    // Closed, it is anybody's again; and an export cannot replace a file another program
    // is writing.
    const HANDLE other = OpenElsewhere(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(file.OpenForWriting(path));
    ::CloseHandle(other);
    EXPECT_EQ(ReadBytes(path), "abc");
}

#endif
