#pragma once

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <vector>

#include "glossary/chunk_index.h"

/// The floor of every read of the glossary: opens `path`, reads the glossary's byte range into
/// fresh memory with one call and closes it. False when the range could not be read whole.
inline bool ReadGlossaryRange(const char* path) {
    const std::size_t size = kGlossaryEnd - kGlossaryBegin;
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    std::vector<char> range(size);
    const ssize_t got = ::pread(fd, range.data(), size, kGlossaryBegin);
    ::close(fd);
    benchmark::DoNotOptimize(range.data());
    benchmark::ClobberMemory();
    return got == static_cast<ssize_t>(size);
}
