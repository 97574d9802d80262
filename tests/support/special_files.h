// Special files and conditions for the tests of bad inputs and outputs (POSIX only).
#pragma once

#include <sys/resource.h>

#include <csignal>
#include <filesystem>

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
