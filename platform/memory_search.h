#pragma once

#include <cstddef>

namespace platform {

/// The offset of the first `needle` (n bytes, n >= 1) in the `size` bytes of `text`, or `size`
/// when there is none: the system's own search (memmem) where it has one, which pays on long
/// texts.
std::size_t SearchMemory(const char* text, std::size_t size, const char* needle, std::size_t n);

}  // namespace platform
