#pragma once

#include <string_view>

namespace platform {

enum class StandardStream { Output, Error };

/// Writes UTF-8 text to standard output or standard error and flushes it. On a Windows console
/// the text goes out as Unicode characters, so it reads right whatever code page the console
/// uses; anywhere else (a pipe, a file, every other system) the UTF-8 bytes go out unchanged,
/// without any line-end translation. False when the text could not be written.
bool WriteUtf8(StandardStream stream, std::string_view utf8);

}  // namespace platform
