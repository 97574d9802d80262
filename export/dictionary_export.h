#pragma once

#include <filesystem>
#include <string>

#include "export/dictionary_entries.h"
#include "glossary/glossary_result.h"
#include "platform/zip_archive.h"

/// The dictionary forms the rows can be written in.
enum class DictionaryFormat { StarDict, Yomitan };

/// What to write, beyond the entries themselves.
struct DictionaryRequest {
    DictionaryFormat format = DictionaryFormat::StarDict;
    std::filesystem::path output;    // the .ifo, or the .zip
    std::filesystem::path dataFile;  // the glossary the rows came from, for Yomitan's revision
    std::string title;               // UTF-8; empty gives ホシノワ用語集
};

/// The day a dictionary is dated: SOURCE_DATE_EPOCH (seconds since 1970, UTC) when it is set
/// to a number, else today, in UTC either way, so that every system dates a run alike.
CalendarDate DictionaryDate();

/// The UTC day of `seconds` since 1970-01-01 00:00 UTC.
CalendarDate DateOfEpochSeconds(long long seconds);

/// Writes `entries` as a StarDict dictionary (OUT.ifo with .idx, .dict and .syn beside it) or
/// as a Yomitan zip holding index.json and term_bank_1.json, every file under a temporary
/// name until all are complete. The errorMessage (Shift-JIS) is the open or write message of
/// the other exports, the read message when the data file cannot be read again for its digest,
/// or kNoEntriesMessage; after a failure no dictionary a tool would load is left behind.
GlossaryResult ExportDictionary(const DictionaryEntries& entries, const DictionaryRequest& request);
