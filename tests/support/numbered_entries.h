#pragma once

#include <string>
#include <vector>

#include "tools/glossary_file_writer.h"

/// Shift-JIS bytes of a UTF-8 literal; throws (failing the test that asked) when it has no
/// Shift-JIS form.
std::string Sj(const std::string& utf8);

/// 294 entries whose titles are "E000".."E293" (ASCII, so they sort in file order when nothing
/// else sets a key), with no reading, a one-word text1 "T000".. and text2 "S000".. where the
/// entry's layout has one.
std::vector<EntryChunks> NumberedEntries();
