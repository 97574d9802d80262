// Loads arbitrary data files and checks what a user could observe: every accessor of every row
// of every view, both exports, and a second load of the same bytes.
//
// Input layout: byte 0 holds flags, bytes 1-3 a placement and bytes 4-6 a cut position (both
// little-endian), the rest is the body. The file is a NUL header up to the glossary, then the
// body either laid once at the placement or repeated over the whole glossary range. Flag bit 0
// gives a complete glossary followed by a tail of flags/16 * 97 bytes; otherwise the file is cut
// at the cut position, inside the header when bit 3 is set.

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "export/glossary_export.h"
#include "fuzz/reference.h"
#include "glossary/chunk_index.h"
#include "glossary/cross_references.h"
#include "glossary/glossary_store.h"
#include "glossary/sjis_text.h"

namespace {

using reference::Check;

const char kHourglassShopKey[] = "\x82\xB7\x82\xC8\x82\xC7\x82\xAF\x82\xA2\x82\xE2";
const char kLoofahFlowerKey[] = "\x82\xD6\x82\xBF\x82\xDC\x82\xCC\x82\xCD\x82\xC8";
constexpr int kLoofahFlowerEntry = 228;
constexpr int kHourglassShopEntry = 259;
constexpr std::size_t kScratch = kReplaceScratchSize;

// What the accessors show for one row.
struct Row {
    std::string title, reading, text1, text2, rawTitle;
    bool operator==(const Row& o) const {
        return title == o.title && reading == o.reading && text1 == o.text1 && text2 == o.text2 &&
               rawTitle == o.rawTitle;
    }
    bool operator<(const Row& o) const {
        return std::tie(title, reading, text1, text2, rawTitle) <
               std::tie(o.title, o.reading, o.text1, o.text2, o.rawTitle);
    }
};

// An entry as the reference cleanup gives it, with its sort key.
struct Entry {
    Row row;
    std::string key;
};

std::string CleanChunk(const std::string& raw) {
    std::string text = raw;
    text = reference::ReplaceAll(text, "\x0A\x81\x40", "\x0A", kScratch);
    text = reference::ReplaceAll(text, "n\x0A", "", kScratch);
    text = reference::ReplaceAll(text, std::string(1, '\0'), "", kScratch);
    text = reference::ReplaceAll(text, "\x0A", "", kScratch);
    return text;
}

std::string DerivedKey(const Row& row) {
    return row.reading.empty() ? reference::KatakanaToHiragana(row.title) : row.reading;
}

// The entries a file of these bytes holds: chunks past the end of the file, and everything
// after them, stay empty.
std::array<Entry, kEntryCount> ReferenceEntries(const std::string& file) {
    std::array<Entry, kEntryCount> entries;
    Row pending;
    int entry = 0;
    for (const ChunkDescriptor& chunk : ChunkIndex) {
        if (chunk.end > file.size()) {
            break;
        }
        const std::string text = CleanChunk(file.substr(chunk.start, chunk.end - chunk.start));
        switch (chunk.tag) {
            case ChunkTag::Title: {
                pending.rawTitle = text;
                std::string title =
                    reference::ReplaceAll(text, "\x81\x76\x81\x75", "\x81\x41", kScratch);
                title = reference::ReplaceAll(title, "\x81\x75", "", kScratch);
                pending.title = reference::ReplaceAll(title, "\x81\x76", "", kScratch);
                break;
            }
            case ChunkTag::Reading: {
                const std::string reading = reference::ReplaceAll(text, "\x81\x69", "", kScratch);
                pending.reading = reference::ReplaceAll(reading, "\x81\x6A", "", kScratch);
                break;
            }
            case ChunkTag::Text1:
                pending.text1 = text;
                break;
            case ChunkTag::Text2:
                pending.text2 = text;
                break;
            case ChunkTag::Separator:
                entries[entry].row = pending;
                pending = Row();
                ++entry;
                break;
        }
    }
    // Two entries get a fixed key when they are completed; an entry the file does not reach
    // has no key at all.
    for (int e = 0; e < entry; ++e) {
        const Row& row = entries[e].row;
        entries[e].key = DerivedKey(row);
        if (e == kLoofahFlowerEntry && row.reading.empty()) {
            entries[e].key = kLoofahFlowerKey;
        }
        if (e == kHourglassShopEntry && !row.reading.empty()) {
            entries[e].key = kHourglassShopKey;
        }
    }
    return entries;
}

Row RowAt(const GlossaryStore& store, int row) {
    return {store.TitleAt(row), store.ReadingAt(row), store.Text1At(row), store.Text2At(row),
            store.RawTitleAt(row)};
}

std::vector<Row> Rows(const GlossaryStore& store) {
    Check(store.VisibleCount() >= 0 && store.VisibleCount() <= kEntryCount, "row count in range");
    const Row empty;
    Check(RowAt(store, -1) == empty && RowAt(store, store.VisibleCount()) == empty,
          "rows outside the view are empty");
    std::vector<Row> rows;
    for (int row = 0; row < store.VisibleCount(); ++row) {
        rows.push_back(RowAt(store, row));
        for (const std::string* field :
             {&rows.back().title, &rows.back().reading, &rows.back().text1, &rows.back().text2,
              &rows.back().rawTitle}) {
            Check(field->find('\n') == std::string::npos, "no field contains LF");
            Check(field->find('\0') == std::string::npos, "no field contains NUL");
        }
    }
    return rows;
}

// A view lists the rows of the full view it keeps, in the same order.
bool IsSubsequence(const std::vector<Row>& part, const std::vector<Row>& whole) {
    std::size_t next = 0;
    for (const Row& row : whole) {
        if (next < part.size() && part[next] == row) {
            ++next;
        }
    }
    return next == part.size();
}

// The keys a row may have: its derived key, or a fixed one when the row shows exactly what the
// entry with that fixed key holds (rows are told apart only by what they show).
std::vector<std::string> CandidateKeys(const Row& row,
                                       const std::array<Entry, kEntryCount>& entries) {
    std::vector<std::string> keys = {DerivedKey(row)};
    for (int e : {kLoofahFlowerEntry, kHourglassShopEntry}) {
        if (entries[e].row == row) {
            keys.push_back(entries[e].key);
        }
    }
    return keys;
}

// Kana row bounds by character value: あ か さ た な は ま や ら わ ん.
const unsigned kRowBounds[] = {0x82A0, 0x82A9, 0x82B3, 0x82BD, 0x82C8, 0x82CD,
                               0x82DC, 0x82E2, 0x82E7, 0x82ED, 0x82F1};

bool KeyInKanaRow(const std::string& key, int kanaRow) {
    const std::vector<unsigned> values = reference::CompareValues(key);
    return !values.empty() && values[0] >= kRowBounds[kanaRow] &&
           values[0] < kRowBounds[kanaRow + 1];
}

std::string TextExport(const std::vector<Row>& rows) {
    std::string out;
    for (const Row& row : rows) {
        out += row.rawTitle + "\r\n";
        if (!row.reading.empty()) {
            out += "\x81\x69" + row.reading + "\x81\x6A\r\n";
        }
        if (!row.text2.empty()) {
            out += row.text2 + "\r\n";
        }
        out += row.text1 + "\r\n\r\n";
    }
    return out;
}

std::string Quoted(const std::string& field) {
    std::string out = "\"";
    for (char c : field) {
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return out + "\"";
}

std::string CsvExport(const std::vector<Row>& rows) {
    std::string out;
    for (const Row& row : rows) {
        out += Quoted(row.title) + "," + Quoted(row.reading) + "," + Quoted(row.text2 + row.text1) +
               "\r\n";
    }
    return out;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

struct Exports {
    std::string text, csv;
};

Exports Export(const GlossaryStore& store, const std::filesystem::path& dir) {
    Check(ExportText(store, dir / "out.txt").Ok(), "text export succeeds");
    Check(ExportCsv(store, dir / "out.csv").Ok(), "CSV export succeeds");
    return {ReadFile(dir / "out.txt"), ReadFile(dir / "out.csv")};
}

// A private temporary folder for the data file and the exports, removed at exit.
class WorkFolder {
  public:
    WorkFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "hoshiwa2-fuzz-XXXXXX").string();
        Check(::mkdtemp(pattern.data()) != nullptr, "temporary folder");
        path = pattern;
    }
    ~WorkFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::filesystem::path path;
};

// The links of every row of the full view (rows are sorted positions), on whatever bytes the
// texts hold: text2's before text1's, each field's in order inside it, each where the title of
// the first entry that has it starts, and never the row's own title.
void CheckLinks(const GlossaryStore& store) {
    for (int row = 0; row < store.VisibleCount(); ++row) {
        std::size_t from[2] = {0, 0};
        int lastField = 0;
        for (const CrossReference& link : FindCrossReferences(store, row)) {
            const int field = link.field == LinkField::Text1 ? 1 : 0;
            const std::string& text = field == 0 ? store.Text2At(row) : store.Text1At(row);
            const std::string& title = store.TitleAt(link.target);
            bool first = true;
            for (int position = 0; position < link.target; ++position) {
                first = first && store.TitleAt(position) != title;
            }
            // (A title that ends on a lone lead byte takes the byte after it.)
            Check(field >= lastField && link.range.begin >= from[field] &&
                      link.range.end <= text.size() &&
                      link.range.end - link.range.begin - title.size() <= 1 &&
                      text.compare(link.range.begin, title.size(), title) == 0 && first &&
                      title != store.TitleAt(row),
                  "a link is where another entry's title starts, in order");
            lastField = field;
            from[field] = link.range.end;
        }
    }
}

std::string BuildFile(const std::uint8_t* data, std::size_t size) {
    std::uint8_t header[7] = {};
    std::copy(data, data + std::min<std::size_t>(size, 7), header);
    const std::string body(reinterpret_cast<const char*>(data) + std::min<std::size_t>(size, 7),
                           size - std::min<std::size_t>(size, 7));
    const unsigned flags = header[0];
    const std::size_t place = header[1] | header[2] << 8 | header[3] << 16;
    const std::size_t cut = header[4] | header[5] << 8 | header[6] << 16;
    const std::size_t range = kGlossaryEnd - kGlossaryBegin;

    std::string file(kGlossaryEnd + (flags >> 4) * 97, '\0');
    if (!body.empty() && (flags & 2) != 0) {
        for (std::size_t i = 0; i < range; ++i) {
            file[kGlossaryBegin + i] = body[(i + place) % body.size()];
        }
    } else {
        const std::size_t at = kGlossaryBegin + place % range;
        file.replace(at, std::min(body.size(), file.size() - at), body, 0,
                     std::min(body.size(), file.size() - at));
    }
    if ((flags & 1) == 0) {
        file.resize((flags & 8) != 0 ? cut % (kGlossaryBegin + 1)
                                     : kGlossaryBegin + cut % (range + 1));
    } else {
        std::fill(file.begin() + kGlossaryEnd, file.end(), static_cast<char>(body.size()));
    }
    return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const WorkFolder folder;
    const std::filesystem::path& dir = folder.path;
    const std::string file = BuildFile(data, size);
    {
        std::ofstream out(dir / "data.bin", std::ios::binary | std::ios::trunc);
        out.write(file.data(), static_cast<std::streamsize>(file.size()));
        Check(static_cast<bool>(out), "writing the data file");
    }
    const std::array<Entry, kEntryCount> entries = ReferenceEntries(file);

    GlossaryStore store;
    Check(store.Load(dir / "data.bin").Ok(), "any regular file loads");
    Check(store.IsLoaded(), "a loaded store says so");
    const std::vector<Row> all = Rows(store);
    Check(all.size() == static_cast<std::size_t>(kEntryCount), "every entry is shown");

    // The rows are the entries, each once.
    std::vector<Row> expectedRows, shownRows = all;
    for (const Entry& entry : entries) {
        expectedRows.push_back(entry.row);
    }
    std::sort(expectedRows.begin(), expectedRows.end());
    std::sort(shownRows.begin(), shownRows.end());
    Check(shownRows == expectedRows, "the full view shows every entry once");

    // The full view is ordered by key: its keys are the sorted keys of the entries.
    std::vector<std::string> keys;
    for (const Entry& entry : entries) {
        keys.push_back(entry.key);
    }
    std::stable_sort(keys.begin(), keys.end(), [](const std::string& a, const std::string& b) {
        return reference::Compare(a, b) < 0;
    });
    for (std::size_t i = 0; i < all.size(); ++i) {
        bool ordered = false;
        for (const std::string& key : CandidateKeys(all[i], entries)) {
            ordered = ordered || SjisCompare(key, keys[i]) == 0;
        }
        Check(ordered, "the full view is in key order");
    }

    CheckLinks(store);

    const Exports first = Export(store, dir);
    Check(first.text == TextExport(all), "the text export holds the shown rows");
    Check(first.csv == CsvExport(all), "the CSV export holds the shown rows");

    // Kana rows: the entries whose key starts in the row, in full-view order.
    for (int kanaRow = 0; kanaRow < 10; ++kanaRow) {
        const int count = store.FilterByKanaRow(kanaRow);
        const std::vector<Row> rows = Rows(store);
        Check(count == store.VisibleCount(), "the filter returns the row count");
        int expected = 0;
        for (const Entry& entry : entries) {
            expected += KeyInKanaRow(entry.key, kanaRow) ? 1 : 0;
        }
        Check(count == expected, "the kana row holds the entries whose key starts in it");
        Check(IsSubsequence(rows, all), "a kana row keeps full-view order");
        for (const Row& row : rows) {
            bool inRow = false;
            for (const std::string& key : CandidateKeys(row, entries)) {
                inRow = inRow || KeyInKanaRow(key, kanaRow);
            }
            Check(inRow, "a kana row shows only keys that start in it");
        }
    }
    Check(store.FilterByKanaRow(10) == 0 && store.FilterByKanaRow(-1) == 0,
          "no kana row beyond the ten");

    // A search for the last bytes of the input: exactly the rows of the full view that
    // contain them.
    const std::size_t needleLength = std::min<std::size_t>(size, 1 + (size > 0 ? data[0] % 4 : 0));
    const std::string needle(reinterpret_cast<const char*>(data) + size - needleLength,
                             needleLength);
    if (!needle.empty()) {
        store.Search(needle);
        std::vector<Row> expected;
        for (const Row& row : all) {
            if (reference::Find(row.title, needle) >= 0 ||
                reference::Find(row.reading, needle) >= 0 ||
                reference::Find(row.text1, needle) >= 0 ||
                reference::Find(row.text2, needle) >= 0) {
                expected.push_back(row);
            }
        }
        Check(Rows(store) == expected, "a search shows the rows that contain the text");
        const Exports found = Export(store, dir);
        Check(found.csv == CsvExport(expected), "a search exports its rows");
    }

    // Loading the same bytes again, into a store that held the previous input, gives the same
    // glossary.
    static GlossaryStore previous;
    Check(previous.Load(dir / "data.bin").Ok(), "the second load succeeds");
    const Exports second = Export(previous, dir);
    Check(second.text == first.text && second.csv == first.csv,
          "a second load gives the same exports");
    previous.FilterByKanaRow(size % 10);
    return 0;
}
