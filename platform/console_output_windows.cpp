#include <cstdio>
#include <string>

#include "platform/console_output.h"
#include "platform/windows_api.h"

namespace platform {

namespace {

bool WriteBytes(HANDLE handle, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk =
            bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!::WriteFile(handle, bytes.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

bool WriteToConsole(HANDLE console, std::string_view utf8) {
    if (utf8.empty()) {
        return true;
    }
    const int length = static_cast<int>(utf8.size());
    const int wideLength = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    if (wideLength <= 0) {
        return false;
    }
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), wideLength);
    // The console keeps "\n" as a line break; nothing needs translating.
    const wchar_t* next = wide.data();
    DWORD left = static_cast<DWORD>(wide.size());
    while (left > 0) {
        DWORD written = 0;
        if (!::WriteConsoleW(console, next, left, &written, nullptr) || written == 0) {
            return false;
        }
        next += written;
        left -= written;
    }
    return true;
}

}  // namespace

bool WriteUtf8(StandardStream stream, std::string_view utf8) {
    // Anything the C runtime still buffers goes first, so the order of the output is kept.
    std::FILE* file = stream == StandardStream::Output ? stdout : stderr;
    std::fflush(file);
    const HANDLE handle =
        ::GetStdHandle(stream == StandardStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD mode = 0;
    if (::GetConsoleMode(handle, &mode)) {
        return WriteToConsole(handle, utf8);
    }
    return WriteBytes(handle, utf8);
}

}  // namespace platform
