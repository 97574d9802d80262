#include "hardening/hardening_support.h"
#include "export/glossary_export.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <cstring>

#include "support/glossary_fixture.h"

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
    EXPECT_TRUE(ExportText(store, dir / "snapshot.txt"));
    EXPECT_TRUE(ExportCsv(store, dir / "snapshot.csv"));
    snapshot.text = ReadBytes(dir / "snapshot.txt");
    snapshot.csv = ReadBytes(dir / "snapshot.csv");
    return snapshot;
}

void MakeFifo(const std::filesystem::path& path) {
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0) << path;
}

int MakeSocket(const std::filesystem::path& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.native().size() >= sizeof address.sun_path) {
        ADD_FAILURE() << "socket path too long: " << path;
        return -1;
    }
    std::strcpy(address.sun_path, path.c_str());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    EXPECT_GE(fd, 0);
    EXPECT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    return fd;
}

std::filesystem::path OverlongPath(const std::filesystem::path& dir) {
    std::filesystem::path path = dir;
    while (path.native().size() <= PATH_MAX) {
        path /= std::string(200, 'x');
    }
    return path / "YGS_PRG.BIN";
}

std::filesystem::path LongJapaneseFolder(const std::filesystem::path& dir) {
    std::filesystem::path path = dir;
    // Levels of Japanese characters, spaces and a number, until the path passes 300 bytes.
    for (int level = 0; path.native().size() <= 300; ++level) {
        path /=
            std::filesystem::u8path("用語集 フォルダ " + std::to_string(level) + " 霧笛島 資料");
    }
    std::filesystem::create_directories(path);
    return path;
}

std::string ShellQuote(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

CommandResult RunExporter(const std::vector<std::string>& args, const std::filesystem::path& dir,
                          const std::string& stdoutRedirect) {
    // The time limit only keeps a command that blocks from stopping the whole suite.
    std::string command = "timeout 60 " + ShellQuote(HOSHIWA2_EXPORT_PATH);
    for (const auto& arg : args) {
        command += " " + ShellQuote(arg);
    }
    const auto out = dir / "command.out";
    const auto err = dir / "command.err";
    std::filesystem::remove(out);
    command += stdoutRedirect.empty() ? " >" + ShellQuote(out.string()) : " " + stdoutRedirect;
    command += " 2>" + ShellQuote(err.string()) + " </dev/null";
    CommandResult result;
    const int raw = std::system(command.c_str());
    result.status = WIFEXITED(raw) && WEXITSTATUS(raw) != 124 ? WEXITSTATUS(raw) : -1;
    result.out = ReadBytes(out);
    result.err = ReadBytes(err);
    return result;
}
