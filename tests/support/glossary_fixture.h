#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "glossary/glossary_store.h"
#include "support/numbered_entries.h"
#include "tools/glossary_file_writer.h"

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

/// Writes `entries` as the data file `name` in `dir` and returns its path (the test fails if
/// they do not fit).
std::filesystem::path WriteGlossary(const TempDir& dir, const std::vector<EntryChunks>& entries,
                                    const std::string& name = "YGS_PRG.BIN");

/// The data file image of `entries` (the test fails if they do not fit).
std::string GlossaryImage(const std::vector<EntryChunks>& entries);

/// A store loaded from the data file at `path`; the test fails if the load does.
GlossaryStore LoadedStore(const std::filesystem::path& path);

/// What the engine's own export (CSV or text) writes for the view that `view` leaves after a
/// load of `data` (all rows unless it filters): the reference every other export is held to.
using View = std::function<void(GlossaryStore&)>;
std::string EngineExport(const std::filesystem::path& data, bool csv, const View& view = {});

/// The views of the kana row `row` and of a search for `sjis`, for EngineExport.
View KanaRowView(int row);
View SearchView(const std::string& sjis);

/// Reads a whole file as bytes.
std::string ReadBytes(const std::filesystem::path& path);
