#pragma once

#include <string>
#include <vector>

#include "export/replaced_record.h"
#include "glossary/glossary_result.h"

class GlossaryStore;

namespace platform {
class File;
}

/// Writes the store's shown rows as its text (csv false) or CSV export does, each record
/// converted from CP932 to UTF-8 with the same line ends. A byte sequence with no Unicode form
/// becomes U+FFFD and its record is listed in `replaced`. The file is closed at the end; after a
/// write or close failure the result holds the engine's write message.
GlossaryResult ExportUtf8(const GlossaryStore& store, bool csv, platform::File& file,
                          std::vector<ReplacedRecord>& replaced);
