#include "platform/file_access.h"

#ifdef _WIN32
#include "platform/windows_api.h"

#include <algorithm>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace platform {

namespace {

FileFaultHook faultHook = nullptr;

bool Faulted(FileOperation operation) {
    return faultHook != nullptr && faultHook(operation);
}

}  // namespace

FileFaultHook SetFileFaultHook(FileFaultHook hook) {
    FileFaultHook previous = faultHook;
    faultHook = hook;
    return previous;
}

File::~File() {
    Abort();
}

bool File::IsOpen() const {
#ifdef _WIN32
    return handle != nullptr;
#else
    return descriptor >= 0;
#endif
}

#ifdef _WIN32

// Files are opened with CreateFileW on the wide form of the path, so that a name in any script
// works whatever the system's ANSI code page is. Handles never translate line ends.

namespace {

// ReadFile and WriteFile take 32-bit counts.
constexpr std::size_t kMaxTransfer = 1u << 30;

}  // namespace

bool File::OpenForReading(const std::filesystem::path& path) {
    Abort();
    // Others may go on reading and writing the file while it is read. A directory cannot be
    // opened this way (no FILE_FLAG_BACKUP_SEMANTICS); a pipe, a console or a device such as NUL
    // opens without waiting and is refused by its type right after.
    const HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return false;
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (::GetFileType(h) != FILE_TYPE_DISK || !::GetFileInformationByHandle(h, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        ::CloseHandle(h);
        return false;
    }
    handle = h;
    ownsDescriptor = true;
    return true;
}

bool File::OpenForWriting(const std::filesystem::path& path) {
    Abort();
    // While the export is written, others may only read the file.
    const HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return false;
    }
    handle = h;
    ownsDescriptor = true;
    return true;
}

void File::AttachStandardOutput() {
    Abort();
    const HANDLE h = ::GetStdHandle(STD_OUTPUT_HANDLE);
    handle = h == INVALID_HANDLE_VALUE ? nullptr : h;
    ownsDescriptor = false;
}

std::int64_t File::ReadAt(std::uint64_t offset, char* buffer, std::size_t size) {
    if (handle == nullptr || Faulted(FileOperation::Read)) {
        return -1;
    }
    std::size_t total = 0;
    while (total < size) {
        const std::uint64_t position = offset + total;
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(position & 0xFFFFFFFFu);
        at.OffsetHigh = static_cast<DWORD>(position >> 32);
        const auto want = static_cast<DWORD>(std::min(size - total, kMaxTransfer));
        DWORD n = 0;
        if (!::ReadFile(handle, buffer + total, want, &n, &at)) {
            if (::GetLastError() == ERROR_HANDLE_EOF) {
                break;  // the offset is at or past the end
            }
            return -1;
        }
        if (n == 0) {
            break;  // end of file
        }
        total += n;
    }
    return static_cast<std::int64_t>(total);
}

bool File::WriteBytes(const char* data, std::size_t size) {
    if (handle == nullptr) {
        return false;
    }
    std::size_t total = 0;
    while (total < size) {
        const auto chunk = static_cast<DWORD>(std::min(size - total, kMaxTransfer));
        DWORD n = 0;
        if (!::WriteFile(handle, data + total, chunk, &n, nullptr) || n == 0) {
            return false;
        }
        total += n;
    }
    return true;
}

bool File::Close() {
    if (handle == nullptr) {
        return true;
    }
    const bool faulted = Faulted(FileOperation::Close);
    const HANDLE h = handle;
    const bool owned = ownsDescriptor;
    handle = nullptr;
    ownsDescriptor = false;
    const bool closed = !owned || ::CloseHandle(h) != 0;
    return closed && !faulted;
}

void File::Abort() {
    if (handle != nullptr && ownsDescriptor) {
        ::CloseHandle(handle);
    }
    handle = nullptr;
    ownsDescriptor = false;
}

#else  // POSIX

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

#endif

bool File::Write(const char* data, std::size_t size) {
    if (!IsOpen() || Faulted(FileOperation::Write)) {
        return false;
    }
    return WriteBytes(data, size);
}

}  // namespace platform
