#pragma once

#include <string>
#include <vector>

#include "glossary/glossary_result.h"

class GlossaryStore;

namespace platform {
class File;
}

/// A record of a UTF-8 export that held byte sequences with no Unicode form.
struct ReplacedRecord {
    int record = 0;         // 1-based position in the export
    std::string titleUtf8;  // the entry's title, converted the same way
    int replacements = 0;   // how many U+FFFD the record got
};

/// Writes the store's shown rows as its text (csv false) or CSV export does, each record
/// converted from CP932 to UTF-8 with the same line ends. A byte sequence with no Unicode form
/// becomes U+FFFD and its record is listed in `replaced`. The file is closed at the end; after a
/// write or close failure the result holds the engine's write message.
GlossaryResult ExportUtf8(const GlossaryStore& store, bool csv, platform::File& file,
                          std::vector<ReplacedRecord>& replaced);

/// The standard-error report of `replaced` (empty when it is): how many replacements were made
/// and in which records, each named by its position and title.
std::string ReplacementReport(const std::vector<ReplacedRecord>& replaced);
