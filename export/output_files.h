#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "glossary/glossary_result.h"

/// One file of an export that consists of several, with all its bytes.
struct OutputFile {
    std::filesystem::path path;
    std::string bytes;
};

/// Writes every file under a temporary name beside it ("NAME.part") and, once all are
/// complete, renames them into place in the given order (so put the file a reader looks for
/// last). A path that exists and is not a regular file, or a temporary file that cannot be
/// created, fails with the open message; a failed write, close or rename with the write
/// message. After a failure the temporary files are gone and no file was renamed, unless a
/// rename itself failed, which leaves the files renamed before it.
GlossaryResult WriteOutputFiles(const std::vector<OutputFile>& files);
