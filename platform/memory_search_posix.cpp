#include <string.h>

#include "platform/memory_search.h"

namespace platform {

std::size_t SearchMemory(const char* text, std::size_t size, const char* needle, std::size_t n) {
    const void* hit = ::memmem(text, size, needle, n);
    return hit == nullptr ? size : static_cast<std::size_t>(static_cast<const char*>(hit) - text);
}

}  // namespace platform
