#pragma once

#include <string>
#include <string_view>

namespace platform {

/// The SHA-256 digest of `bytes` as 64 lower-case hex digits, computed by the system's own
/// cryptography library (Nettle on Linux, CNG on Windows).
std::string Sha256Hex(std::string_view bytes);

}  // namespace platform
