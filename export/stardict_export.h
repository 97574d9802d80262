#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "export/dictionary_entries.h"
#include "glossary/glossary_result.h"

/// The four files of a StarDict dictionary, as bytes.
struct StarDictFiles {
    std::string ifo;
    std::string idx;
    std::string dict;
    std::string syn;
};

/// StarDict's order of words (UTF-8 bytes): GLib's g_ascii_strcasecmp (bytes compared
/// unsigned, ASCII letters folded to lower case), then strcmp for words equal without case.
/// Negative, zero or positive like strcmp.
int StarDictCompare(const std::string& a, const std::string& b);

/// The dictionary of `entries` in StarDict 2.4.2 form with sametypesequence=m: each entry's
/// definition (DefinitionText) in the .dict in entry order, its headword in the .idx and its
/// synonym, if it has one, in the .syn, both sorted by StarDictCompare (entries that compare
/// equal keep their order). Without synonyms the .syn is empty and the .ifo has no
/// synwordcount, which StarDict's readers would take for a missing one.
StarDictFiles MakeStarDictFiles(const std::vector<DictionaryEntry>& entries,
                                const DictionaryInfo& info);

/// The paths of the .ifo, .idx, .dict and .syn files for `ifoPath`: "x.ifo" (in any letter
/// case) gives x.idx, x.dict and x.syn beside it; a name without that extension gets ".ifo"
/// and the others appended, as a save dialog's default extension would.
std::vector<std::filesystem::path> StarDictPaths(const std::filesystem::path& ifoPath);

/// Writes the four files for `ifoPath` together (see WriteOutputFiles): the .ifo is renamed
/// into place last, so a failed export leaves no dictionary a tool would load. Without
/// synonyms no .syn is written and an earlier one is removed. No entries: kNoEntriesMessage
/// and nothing written.
GlossaryResult ExportStarDict(const std::vector<DictionaryEntry>& entries,
                              const DictionaryInfo& info, const std::filesystem::path& ifoPath);
