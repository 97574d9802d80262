#include "support/posix_files.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

#include <climits>
#include <cstring>
#include <string>

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

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
    // Past the limit a write fails with EFBIG instead of ending the process.
    previousSignal = std::signal(SIGXFSZ, SIG_IGN);
    EXPECT_EQ(::getrlimit(RLIMIT_FSIZE, &previousLimit), 0);
    rlimit limit = previousLimit;
    limit.rlim_cur = bytes;
    EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
}

FileSizeLimit::~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &previousLimit);
    std::signal(SIGXFSZ, previousSignal);
}
