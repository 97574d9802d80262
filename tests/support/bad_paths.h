#pragma once

#include <filesystem>
#include <vector>

/// The one table of paths that a glossary cannot be read from and an export cannot be created
/// at, made under `dir` beside the data file `data`: a missing file, a folder, a file used as a
/// folder and the empty path, and on POSIX also a FIFO (one kept open by a writer to read from,
/// one that nobody reads to write to), a socket, devices, links to a FIFO and to nothing, and a
/// path longer than the system allows. Opening none of them may block. The special files stay
/// usable while the table lives.
class BadPaths {
  public:
    BadPaths(const std::filesystem::path& dir, const std::filesystem::path& data);
    ~BadPaths();
    BadPaths(const BadPaths&) = delete;
    BadPaths& operator=(const BadPaths&) = delete;

    std::vector<std::filesystem::path> inputs;   // cannot be read as a data file
    std::vector<std::filesystem::path> outputs;  // cannot be created for writing

  private:
    int writer = -1;
    int socket = -1;
};
