#include "tools/utf8_export.h"

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

std::string ReplacementReport(const std::vector<ReplacedRecord>& replaced) {
    if (replaced.empty()) {
        return std::string();
    }
    int total = 0;
    for (const ReplacedRecord& r : replaced) {
        total += r.replacements;
    }
    std::string report = "hoshiwa2-export: " + std::to_string(total) +
                         (total == 1 ? " byte sequence has" : " byte sequences have") +
                         " no Unicode form and became U+FFFD, in " +
                         std::to_string(replaced.size()) +
                         (replaced.size() == 1 ? " record:\n" : " records:\n");
    for (const ReplacedRecord& r : replaced) {
        report += "  record " + std::to_string(r.record) + " \"" + r.titleUtf8 +
                  "\": " + std::to_string(r.replacements) + "\n";
    }
    return report;
}
