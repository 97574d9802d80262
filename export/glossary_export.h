#pragma once

#include <filesystem>
#include <string>

#include "glossary/glossary_result.h"

class GlossaryStore;

namespace platform {
class File;
}

/// Writes the rows `store` shows to `path` (created or truncated) as plain text (each entry as
/// ComposeEntryText's TextExport form) or as CSV ("title","reading","text2text1" with quotes
/// doubled), Shift-JIS with CRLF line ends. On failure the result holds the open or write
/// message; what the file system took before a write failure stays in the file.
GlossaryResult ExportText(const GlossaryStore& store, const std::filesystem::path& path);
GlossaryResult ExportCsv(const GlossaryStore& store, const std::filesystem::path& path);

/// The same exports onto a file that is already open (standard output, for example); the file
/// is closed at the end. The result holds the write message after a write or close failure.
GlossaryResult ExportText(const GlossaryStore& store, platform::File& file);
GlossaryResult ExportCsv(const GlossaryStore& store, platform::File& file);

/// The record that ExportText / ExportCsv writes for `row`: Shift-JIS with CRLF line ends, or
/// the empty text for a row outside 0..VisibleCount()-1.
std::string TextRecordAt(const GlossaryStore& store, int row);
std::string CsvRecordAt(const GlossaryStore& store, int row);
