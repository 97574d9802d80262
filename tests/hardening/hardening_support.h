// Helpers of the bad-input tests: what a user can observe of a store, special files, and the
// exporter run as a command.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "glossary/glossary_store.h"

/// Everything the rows of the current view show, plus both exports of it: two snapshots are
/// equal only when a user could not tell the stores apart.
struct StoreSnapshot {
    bool loaded = false;
    std::vector<std::string> rows;  // as ShownRows gives them
    std::string text;
    std::string csv;
    bool operator==(const StoreSnapshot& other) const {
        return loaded == other.loaded && rows == other.rows && text == other.text &&
               csv == other.csv;
    }
};

/// The rows of the current view, each as its fields separated by NULs.
std::vector<std::string> ShownRows(const GlossaryStore& store);

/// Takes a snapshot, exporting through files in `dir`.
StoreSnapshot Snapshot(const GlossaryStore& store, const std::filesystem::path& dir);

/// Creates a FIFO at `path` (the test fails if it cannot).
void MakeFifo(const std::filesystem::path& path);

/// Binds a Unix-domain socket at `path` and returns its descriptor (-1 after a test failure).
int MakeSocket(const std::filesystem::path& path);

/// A path under `dir` longer than the system allows for any path (ENAMETOOLONG).
std::filesystem::path OverlongPath(const std::filesystem::path& dir);

/// A folder under `dir` whose path holds Japanese characters and spaces and is longer than 260
/// bytes, created with its parents.
std::filesystem::path LongJapaneseFolder(const std::filesystem::path& dir);

/// The result of running the exporter as a command.
struct CommandResult {
    int status = -1;  // exit status; -1 when it did not exit normally or took over 60 s
    std::string out;  // standard output, unless the command redirected it elsewhere
    std::string err;  // standard error
};

/// Runs the exporter with `args`; `stdoutRedirect` replaces the capture of standard output when
/// it is not empty (for example ">/dev/full" or ">&-"). Standard error is captured in `dir`.
CommandResult RunExporter(const std::vector<std::string>& args, const std::filesystem::path& dir,
                          const std::string& stdoutRedirect = {});

/// Shell quoting of one argument.
std::string ShellQuote(const std::string& arg);
