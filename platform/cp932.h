#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

/// Decodes CP932 (Shift-JIS) bytes to UTF-8 the same way on every system, never through the
/// locale. A byte sequence that is not a CP932 character becomes U+FFFD (one per broken
/// character), so the result is always valid UTF-8.
std::string Cp932ToUtf8(std::string_view sjis);

/// The number of U+FFFD in `utf8`, a text that Cp932ToUtf8 made: CP932 decodes no character to
/// U+FFFD, so each one stands for a broken character of the original.
int CountReplacements(std::string_view utf8);

/// Encodes UTF-8 text as CP932. Both Unicode forms of CP932's ambiguous characters give the same
/// bytes (U+301C and U+FF5E both give 0x81 0x60, and so on). Returns nothing when the input is
/// not valid UTF-8 or holds a character CP932 cannot represent.
std::optional<std::string> Utf8ToCp932(std::string_view utf8);

}  // namespace platform
