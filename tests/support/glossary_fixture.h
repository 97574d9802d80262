#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/error_message.h"
#include "support/numbered_entries.h"
#include "tools/glossary_file_writer.h"

/// Shift-JIS bytes of a UTF-8 literal (the test fails loudly if it has no Shift-JIS form).
std::string Sj(const std::string& utf8);

/// A fresh directory under the system's temporary folder, removed with its contents at the end.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return path; }
    std::filesystem::path operator/(const std::string& name) const { return path / name; }

  private:
    std::filesystem::path path;
};

/// Writes the entries as a data file at `path` (the test fails if they do not fit).
void WriteGlossary(const std::filesystem::path& path, const std::vector<EntryChunks>& entries);

/// Reads a whole file as bytes.
std::string ReadBytes(const std::filesystem::path& path);

/// Records every message shown through ShowErrorMessage while it lives.
class MessageRecorder {
  public:
    MessageRecorder();
    ~MessageRecorder();
    std::vector<std::string> messages;  // Shift-JIS, as shown

  private:
    platform::ErrorMessageHandler previous;
};
