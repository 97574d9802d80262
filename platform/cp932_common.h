#pragma once

// The Unicode side of the CP932 conversions, shared by each system's converter.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

/// U+FFFD in UTF-8: what a broken character decodes to.
inline constexpr char kReplacementCharacter[] = "\xEF\xBF\xBD";

/// Decodes the UTF-8 sequence at `pos` into `cp` and moves `pos` past it; false on malformed
/// input (cut off, overlong, a surrogate, above U+10FFFF).
bool NextCodePoint(std::string_view text, std::size_t& pos, std::uint32_t& cp);

/// Appends `cp` to `out` as UTF-8.
void AppendUtf8(std::string& out, std::uint32_t cp);

/// Input methods and other programs produce either Unicode form of a few CP932 characters; this
/// gives the form CP932 decodes to (U+301C -> U+FF5E, ...), so both give the same bytes. Any
/// other code point comes back unchanged.
std::uint32_t FoldAmbiguous(std::uint32_t cp);

}  // namespace platform
