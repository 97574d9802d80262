#pragma once

#include <wx/window.h>

#include <filesystem>

class GlossaryStore;

/// What an export command writes.
enum class ExportFormat { Text, Csv, StarDict, Yomitan };

/// Asks in the save dialog, over `parent`, where to write the rows `store` shows as `format`,
/// writes them there and shows a failure's message. `dataFile` is the glossary they came from,
/// which a Yomitan dictionary names in its revision. A cancelled dialog writes nothing.
void ExportRows(wxWindow* parent, const GlossaryStore& store, const std::filesystem::path& dataFile,
                ExportFormat format);
