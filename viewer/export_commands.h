#pragma once

#include <wx/window.h>

#include <filesystem>

class GlossaryStore;

/// What an export command writes.
enum class ExportFormat { Text, Csv, StarDict, Yomitan };

/// Asks in the save dialog, over `parent`, where to write the rows `store` shows as `format`,
/// writes them there and shows a failure's message, or after a dictionary what it left out or
/// replaced with U+FFFD. `dataFile` is the glossary they came from, which a Yomitan dictionary
/// names in its revision. A cancelled dialog writes nothing; the overwrite question names every
/// file of a StarDict dictionary that would be replaced.
void ExportRows(wxWindow* parent, const GlossaryStore& store, const std::filesystem::path& dataFile,
                ExportFormat format);
