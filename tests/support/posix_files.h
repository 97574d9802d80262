// Special files and awkward paths for the tests of bad inputs and outputs. POSIX only: on
// Windows this header declares nothing.
#pragma once

#ifndef _WIN32

#include <sys/resource.h>

#include <csignal>
#include <filesystem>

/// Creates a FIFO at `path` (the test fails if it cannot).
void MakeFifo(const std::filesystem::path& path);

/// Binds a Unix-domain socket at `path` and returns its descriptor (-1 after a test failure).
int MakeSocket(const std::filesystem::path& path);

/// A path under `dir` longer than the system allows for any path (ENAMETOOLONG).
std::filesystem::path OverlongPath(const std::filesystem::path& dir);

/// A folder under `dir` whose path holds Japanese characters and spaces and is longer than 260
/// bytes, created with its parents.
std::filesystem::path LongJapaneseFolder(const std::filesystem::path& dir);

/// While it lives, files this process writes stop growing at `bytes`, as on a disk that has just
/// filled up: a write past the limit fails after writing what fits.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit previousLimit{};
    void (*previousSignal)(int) = SIG_DFL;
};

#endif
