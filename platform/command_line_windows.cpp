#include "platform/command_line.h"

#include "platform/windows_api.h"

#include <shellapi.h>

namespace platform {

namespace {

std::string Utf8OfWide(const wchar_t* wide) {
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) {
        return std::string();
    }
    std::string utf8(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), length, nullptr, nullptr);
    utf8.pop_back();  // the terminating NUL
    return utf8;
}

}  // namespace

std::vector<std::string> CommandLineArguments(int, char**) {
    // argv holds the arguments in the ANSI code page, which cannot spell every file name.
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; wide != nullptr && i < count; ++i) {
        args.push_back(Utf8OfWide(wide[i]));
    }
    ::LocalFree(wide);
    return args;
}

}  // namespace platform
