#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "platform/file_access.h"

namespace platform {

bool File::OpenForReading(const std::filesystem::path& path) {
    Abort();
    // O_NONBLOCK keeps a FIFO from blocking the open; it is refused right after, like every file
    // that is not a regular one.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return false;
    }
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    descriptor = fd;
    ownsDescriptor = true;
    return true;
}

bool File::OpenForWriting(const std::filesystem::path& path) {
    Abort();
    // O_NONBLOCK makes a FIFO that nobody reads fail at once instead of blocking the program
    // until a reader comes; writes block as usual once the file is open.
    const int fd = ::open(path.c_str(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0) {
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    descriptor = fd;
    ownsDescriptor = true;
    return true;
}

void File::AttachStandardOutput() {
    Abort();
    descriptor = STDOUT_FILENO;
    ownsDescriptor = false;
}

std::int64_t File::ReadAt(std::uint64_t offset, char* buffer, std::size_t size) {
    if (descriptor < 0 || Faulted(FileOperation::Read)) {
        return -1;
    }
    std::size_t total = 0;
    while (total < size) {
        const ssize_t n =
            ::pread(descriptor, buffer + total, size - total, static_cast<off_t>(offset + total));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return -1;
        }
        if (n == 0) {
            break;  // end of file
        }
        total += static_cast<std::size_t>(n);
    }
    return static_cast<std::int64_t>(total);
}

bool File::WriteBytes(const char* data, std::size_t size) {
    if (descriptor < 0) {
        return false;
    }
    std::size_t total = 0;
    while (total < size) {
        const ssize_t n = ::write(descriptor, data + total, size - total);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        total += static_cast<std::size_t>(n);
    }
    return true;
}

bool File::Close() {
    if (descriptor < 0) {
        return true;
    }
    const bool faulted = Faulted(FileOperation::Close);
    const int fd = descriptor;
    const bool owned = ownsDescriptor;
    descriptor = -1;
    ownsDescriptor = false;
    const bool closed = !owned || ::close(fd) == 0;
    return closed && !faulted;
}

void File::Abort() {
    if (descriptor >= 0 && ownsDescriptor) {
        ::close(descriptor);
    }
    descriptor = -1;
    ownsDescriptor = false;
}

bool File::IsOpen() const {
    return descriptor >= 0;
}

void IgnoreBrokenPipes() {
    std::signal(SIGPIPE, SIG_IGN);
}

}  // namespace platform
