#include "export/utf8_export.h"

#include "export/glossary_export.h"
#include "glossary/glossary_messages.h"
#include "glossary/glossary_store.h"
#include "platform/cp932.h"
#include "platform/file_access.h"

GlossaryResult ExportUtf8(const GlossaryStore& store, bool csv, platform::File& file,
                          std::vector<ReplacedRecord>& replaced) {
    // Each record is converted on its own, so that a broken lead byte at the end of one field
    // cannot pair with the first byte of the next.
    std::string bytes;
    for (int row = 0; row < store.VisibleCount(); ++row) {
        const std::string record =
            platform::Cp932ToUtf8(csv ? CsvRecordAt(store, row) : TextRecordAt(store, row));
        const int replacements = platform::CountReplacements(record);
        if (replacements > 0) {
            replaced.push_back({row + 1, platform::Cp932ToUtf8(store.TitleAt(row)), replacements});
        }
        bytes += record;
    }
    if (!file.Write(bytes.data(), bytes.size()) || !file.Close()) {
        file.Abort();
        return {kWriteFailedMessage};
    }
    return {};
}
