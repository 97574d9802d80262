#pragma once

// The byte ranges of two-byte Shift-JIS (CP932) characters, for the glossary's text rules and the
// platform's conversions alike.

namespace platform {

/// True for a byte that may start a two-byte Shift-JIS character (0x81-0x9F, 0xE0-0xFC).
constexpr bool IsSjisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

/// True for a byte that may end a two-byte Shift-JIS character (0x40-0x7E, 0x80-0xFC).
constexpr bool IsSjisTrailByte(unsigned char byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

}  // namespace platform
