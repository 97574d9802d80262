// make_sample_glossary: turns the readable sample glossary (UTF-8, one record per entry) into a
// data file in the glossary's layout, dressed the way real files are: long texts wrapped with a
// line feed and an indent of ideographic spaces, some lines ending in a stray "n", chunks padded
// with NUL bytes.
//
//   make_sample_glossary SOURCE.txt OUTFILE

#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "glossary/glossary_store.h"
#include "glossary/sjis_text.h"
#include "platform/cp932.h"
#include "tools/glossary_file_writer.h"

namespace {

// Bytes after which a text line is wrapped, as a reader's glossary lays out its paragraphs.
constexpr int kLineBytes = 40;

const char kIndent[] = "\x81\x40";  // ideographic space

struct Failure {
    std::string what;
};

std::string ToSjis(const std::string& utf8, int entry, const char* tag) {
    const auto bytes = platform::Utf8ToCp932(utf8);
    if (!bytes) {
        throw Failure{"entry " + std::to_string(entry) + " " + tag + ": no Shift-JIS form"};
    }
    return *bytes;
}

// Wraps a text into lines of about kLineBytes, spending at most the chunk's spare bytes on the
// line breaks. Every fourth break has the stray "n" in front, and every third an indent of two
// ideographic spaces; the loader removes all of it again. A break never follows a real letter n,
// which the loader would take for a stray one.
std::string Dress(const std::string& text, int chunkLength, int entry) {
    int spare = chunkLength - static_cast<int>(text.size());
    std::string out;
    int lineBytes = 0;
    int breaks = 0;
    const int length = static_cast<int>(text.size());
    for (int pos = 0; pos < length;) {
        const int charLength = SjisCharLength(text.data(), length, pos);
        out.append(text, static_cast<std::size_t>(pos), static_cast<std::size_t>(charLength));
        pos += charLength;
        lineBytes += charLength;
        if (lineBytes < kLineBytes || pos >= length || out.back() == 'n') {
            continue;
        }
        const int turn = entry + breaks;
        std::string lineBreak = (turn % 4 == 0 ? "n\n" : "\n") + std::string(kIndent);
        if (turn % 3 == 1) {
            lineBreak += kIndent;
        }
        if (static_cast<int>(lineBreak.size()) > spare) {
            continue;
        }
        out += lineBreak;
        spare -= static_cast<int>(lineBreak.size());
        lineBytes = 0;
        ++breaks;
    }
    return out;
}

std::vector<EntryChunks> ReadSource(std::istream& in) {
    std::vector<EntryChunks> entries(kEntryCount);
    std::vector<bool> seen(kEntryCount, false);
    int entry = -1;
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const std::string where = "line " + std::to_string(lineNumber);
        if (line[0] == '@') {
            entry = std::atoi(line.c_str() + 1);
            if (entry < 0 || entry >= kEntryCount || seen[entry]) {
                throw Failure{where + ": bad or repeated entry number"};
            }
            seen[entry] = true;
            entries[entry].separator = "#" + std::to_string(entry);
            continue;
        }
        const std::string name = line.substr(0, 3);
        if (entry < 0 || line.size() < 5 || line.compare(3, 2, ": ") != 0) {
            throw Failure{where + ": expected '@ N' or 'TAG: text'"};
        }
        const std::optional<ChunkTag> tag = ChunkTagNamed(name);
        if (!tag || ChunkLength(entry, *tag) == 0) {
            throw Failure{where + ": entry " + std::to_string(entry) + " has no " + name};
        }
        const std::string text = ToSjis(line.substr(5), entry, name.c_str());
        switch (*tag) {
            case ChunkTag::Title:
                entries[entry].title = text;
                break;
            case ChunkTag::Reading:
                entries[entry].reading = "\x81\x69" + text + "\x81\x6A";  // （reading）
                break;
            case ChunkTag::Text1:
                entries[entry].text1 = Dress(text, ChunkLength(entry, *tag), entry);
                break;
            case ChunkTag::Text2:
                entries[entry].text2 = Dress(text, ChunkLength(entry, *tag), entry);
                break;
            case ChunkTag::Separator:
                break;  // made from the entry number
        }
    }
    for (int e = 0; e < kEntryCount; ++e) {
        const EntryChunks& chunks = entries[e];
        const bool complete =
            seen[e] && !chunks.title.empty() && !chunks.text1.empty() &&
            (ChunkLength(e, ChunkTag::Reading) == 0 || chunks.reading.size() > 4) &&
            (ChunkLength(e, ChunkTag::Text2) == 0 || !chunks.text2.empty());
        if (!complete) {
            throw Failure{"entry " + std::to_string(e) + " is missing or lacks a field"};
        }
        entries[e].separator.resize(
            std::min<std::size_t>(entries[e].separator.size(),
                                  static_cast<std::size_t>(ChunkLength(e, ChunkTag::Separator))));
    }
    return entries;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_sample_glossary SOURCE.txt OUTFILE\n");
        return 2;
    }
    std::ifstream source(argv[1], std::ios::binary);
    if (!source) {
        std::fprintf(stderr, "make_sample_glossary: cannot read %s\n", argv[1]);
        return 1;
    }
    try {
        const std::vector<EntryChunks> entries = ReadSource(source);
        const std::string header =
            "HOSHIWA2 SAMPLE GLOSSARY\r\n" + ToSjis("霧笛島用語集（見本）", 0, "header") + "\r\n";
        std::string error;
        const std::string image = BuildGlossaryImage(entries, header, error);
        if (image.empty()) {
            throw Failure{error};
        }
        if (!WriteBinaryFile(argv[2], image)) {
            throw Failure{std::string("cannot write ") + argv[2]};
        }
    } catch (const Failure& failure) {
        std::fprintf(stderr, "make_sample_glossary: %s: %s\n", argv[1], failure.what.c_str());
        return 1;
    }
    return 0;
}
