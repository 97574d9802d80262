#include <algorithm>
#include <functional>

#include "platform/memory_search.h"

namespace platform {

// Windows' C library has no memmem.
std::size_t SearchMemory(const char* text, std::size_t size, const char* needle, std::size_t n) {
    const char* end = text + size;
    return static_cast<std::size_t>(
        std::search(text, end, std::boyer_moore_horspool_searcher(needle, needle + n)) - text);
}

}  // namespace platform
