#include <algorithm>

#include "platform/file_access.h"
#include "platform/windows_api.h"

namespace platform {

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

bool File::IsOpen() const {
    return handle != nullptr;
}

void IgnoreBrokenPipes() {}

}  // namespace platform
