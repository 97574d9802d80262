#include "export/replaced_record.h"

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
