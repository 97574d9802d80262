#pragma once

#include <string>
#include <vector>

#include "export/dictionary_entries.h"

/// Yomitan's `revision` for a dictionary made by this program: `version`, a hyphen and the
/// first 12 hex digits of the data file's SHA-256 (`sha256Hex`, lower case).
std::string YomitanRevision(const std::string& version, const std::string& sha256Hex);

/// index.json of a Yomitan dictionary (format 3, Japanese to Japanese) as UTF-8 JSON.
std::string YomitanIndex(const DictionaryInfo& info);

/// term_bank_1.json: one 8-item array per entry, in entry order: the headword, the reading or
/// "" when it has no synonym, "", "", 0, the non-empty texts among text2 and text1, the
/// entry's 1-based position and "".
std::string YomitanTermBank(const std::vector<DictionaryEntry>& entries);
