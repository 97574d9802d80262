#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

/// The SHA-256 digest of `bytes` as 64 lower-case hex digits, computed by the system's own
/// cryptography library (Nettle on Linux, CNG on Windows).
std::string Sha256Hex(std::string_view bytes);

/// `size` bytes from `bytes` as lower-case hex digits, two a byte: how Sha256Hex spells a digest.
inline std::string LowerHex(const std::uint8_t* bytes, std::size_t size) {
    static const char kHex[] = "0123456789abcdef";
    std::string hex;
    for (std::size_t i = 0; i < size; ++i) {
        hex += kHex[bytes[i] >> 4];
        hex += kHex[bytes[i] & 0x0F];
    }
    return hex;
}

}  // namespace platform
