#pragma once

#include <string>
#include <vector>

/// A written record whose texts held byte sequences with no Unicode form.
struct ReplacedRecord {
    int record = 0;         // 1-based position among the written records
    std::string titleUtf8;  // the record's title (a dictionary's headword), converted likewise
    int replacements = 0;   // how many U+FFFD its texts got
};

/// The standard-error report of `replaced` (empty when it is): how many replacements were made
/// and in which records, each named by its position and title.
std::string ReplacementReport(const std::vector<ReplacedRecord>& replaced);
