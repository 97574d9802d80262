#include "support/bad_paths.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>

#include "support/posix_files.h"
#endif

BadPaths::BadPaths(const std::filesystem::path& dir, const std::filesystem::path& data) {
    inputs = {dir / "missing.bin", dir, data / "inside", ""};
    outputs = {dir / "missing" / "out.txt", dir, data / "out.txt", ""};
#ifndef _WIN32
    // A writer keeps this FIFO open, so data could arrive at any time: still no data file.
    MakeFifo(dir / "fifo-with-writer");
    writer = ::open((dir / "fifo-with-writer").c_str(), O_RDWR | O_CLOEXEC);
    EXPECT_GE(writer, 0);
    // Nobody reads this one: an export into it is refused at once.
    MakeFifo(dir / "fifo");
    socket = MakeSocket(dir / "socket");
    std::filesystem::create_symlink(dir / "fifo-with-writer", dir / "link-to-fifo");
    std::filesystem::create_symlink(dir / "missing" / "gone", dir / "dangling-link");
    const std::filesystem::path overlong = OverlongPath(dir);
    inputs.insert(inputs.end(),
                  {dir / "fifo-with-writer", "/dev/null", "/dev/zero", "/dev/urandom",
                   dir / "socket", dir / "link-to-fifo", dir / "dangling-link", overlong});
    outputs.insert(outputs.end(), {dir / "fifo", dir / "dangling-link", overlong});
#endif
}

BadPaths::~BadPaths() {
#ifndef _WIN32
    ::close(writer);
    ::close(socket);
#endif
}
