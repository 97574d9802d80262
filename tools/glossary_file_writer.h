#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "glossary/chunk_index.h"

/// The raw chunk texts of one entry, by tag, as they go into the file (Shift-JIS, before any
/// cleanup: line breaks, indents and parentheses included). A text for a tag the entry's layout
/// lacks must stay empty.
struct EntryChunks {
    std::string title;      // TTL
    std::string reading;    // RBY
    std::string text1;      // TX1
    std::string text2;      // TX2
    std::string separator;  // SEP
};

/// Lays `entries` out as a complete data file image (kGlossaryEnd bytes): `header` at the start,
/// padded with NUL up to the glossary, then every chunk at its place, each text padded with NUL
/// to the chunk's exact length. Entries past the end of `entries` get empty chunks. Returns the
/// image, or an empty string with `error` set when a text is longer than its chunk, a tag is
/// missing from an entry's layout, or there are too many entries or too long a header.
std::string BuildGlossaryImage(const std::vector<EntryChunks>& entries, std::string_view header,
                               std::string& error);

/// The tag the data file names `name` ("TTL", "RBY", "TX1", "TX2" or "SEP"), or nothing for any
/// other text.
std::optional<ChunkTag> ChunkTagNamed(std::string_view name);

/// The length in bytes of entry `entry`'s chunk with tag `tag`, or 0 when the entry has no such
/// chunk.
int ChunkLength(int entry, ChunkTag tag);

/// Writes `bytes` to `path` in binary; false on any failure.
bool WriteBinaryFile(const std::filesystem::path& path, const std::string& bytes);
