#pragma once

#include <string>
#include <vector>

#include "export/replaced_record.h"

class GlossaryStore;

// "書き出す用語がありません。": a dictionary needs at least one word (StarDict's readers refuse a
// dictionary of none), so an empty view is refused rather than written.
inline constexpr char kNoEntriesMessage[] =
    "\x8F\x91\x82\xAB\x8F\x6F\x82\xB7\x97\x70\x8C\xEA\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82"
    "\xF1\x81\x42";

/// What a dictionary says about itself, in UTF-8, each on one line.
struct DictionaryInfo {
    std::string title;  // the name a dictionary tool lists it under
    std::string description;
    std::string date;      // "YYYY.MM.DD": StarDict's date, the day of the zip entries' times
    std::string revision;  // Yomitan's: the program's version and the data file's digest
};

/// One shown row as a dictionary word, every text in UTF-8 with "\n" line ends.
struct DictionaryEntry {
    std::string headword;  // the title, or the reading when the title is empty
    std::string reading;   // as the glossary holds it; may be empty or equal the headword
    std::string text2;
    std::string text1;

    /// Whether the reading is a second way to find the entry: not empty and not the headword.
    bool HasSynonym() const { return !reading.empty() && reading != headword; }
};

/// The rows of a view ready for a dictionary: the entries in row order, how many rows were
/// left out, and which entries got U+FFFD.
struct DictionaryEntries {
    std::vector<DictionaryEntry> entries;
    int leftOut = 0;  // rows with neither a title nor a reading
    std::vector<ReplacedRecord> replaced;
};

/// The rows `store` shows, converted from CP932 as the UTF-8 export converts them (a byte
/// sequence with no Unicode form becomes U+FFFD). Line ends become "\n". A headword or reading
/// loses control characters (each becomes a space) and its leading and trailing white space,
/// which dictionary indexes do not keep; a row whose title and reading are then both empty is
/// left out and counted.
DictionaryEntries CollectDictionaryEntries(const GlossaryStore& store);

/// The definition as the detail pane shows the entry below its title: "（reading）", a blank
/// line, text2, text1, each present piece on its own line, "\n" between them and none at the
/// end. An entry with nothing but a title gets the title, since a definition cannot be empty.
std::string DefinitionText(const DictionaryEntry& entry);
