#include <cstring>
#include <memory>
#include <vector>

#include "glossary/glossary_messages.h"
#include "glossary/glossary_store.h"
#include "platform/error_message.h"
#include "platform/file_access.h"

namespace {

const char kOpenParen[] = "\x81\x69";   // （
const char kCloseParen[] = "\x81\x6A";  // ）

// Records are composed straight into one buffer sized for all of them, so each piece costs a
// copy and nothing more.
char* Put(char* out, const char* bytes, std::size_t size) {
    std::memcpy(out, bytes, size);
    return out + size;
}

char* Put(char* out, const std::string& text) {
    return Put(out, text.data(), text.size());
}

char* PutCrLf(char* out) {
    out[0] = '\r';
    out[1] = '\n';
    return out + 2;
}

std::size_t QuotesIn(const std::string& text) {
    std::size_t count = 0;
    for (std::size_t at = text.find('"'); at != std::string::npos; at = text.find('"', at + 1)) {
        ++count;
    }
    return count;
}

// A CSV field's text with its quotes doubled, so that the record reads back as the same three
// fields; `quotes` is QuotesIn(text).
char* PutQuotedText(char* out, const std::string& text, std::size_t quotes) {
    if (quotes == 0) {
        return Put(out, text);
    }
    for (char c : text) {
        *out++ = c;
        if (c == '"') {
            *out++ = '"';
        }
    }
    return out;
}

}  // namespace

// Plain text: the raw title, the reading in parentheses, text2, text1, each on a line of its
// own, then a blank line.
std::size_t GlossaryStore::ComposeTextRecord(int row, char* out) const {
    const int e = EntryOfRow(row);
    const std::size_t size = rawTitle[e].size() + 2 +
                             (reading[e].empty() ? 0 : reading[e].size() + 6) +
                             (text2[e].empty() ? 0 : text2[e].size() + 2) + text1[e].size() + 4;
    if (out != nullptr) {
        out = PutCrLf(Put(out, rawTitle[e]));
        if (!reading[e].empty()) {
            out = PutCrLf(Put(Put(Put(out, kOpenParen, 2), reading[e]), kCloseParen, 2));
        }
        if (!text2[e].empty()) {
            out = PutCrLf(Put(out, text2[e]));
        }
        PutCrLf(PutCrLf(Put(out, text1[e])));
    }
    return size;
}

// CSV: "title","reading","text2text1" and CRLF.
std::size_t GlossaryStore::ComposeCsvRecord(int row, char* out) const {
    const int e = EntryOfRow(row);
    // Quotes are rare: when the glossary has none, no field needs to be looked through.
    const bool quotes = quotesInTexts;
    const std::size_t titleQuotes = quotes ? QuotesIn(title[e]) : 0;
    const std::size_t readingQuotes = quotes ? QuotesIn(reading[e]) : 0;
    const std::size_t text2Quotes = quotes ? QuotesIn(text2[e]) : 0;
    const std::size_t text1Quotes = quotes ? QuotesIn(text1[e]) : 0;
    const std::size_t size = title[e].size() + titleQuotes + reading[e].size() + readingQuotes +
                             text2[e].size() + text2Quotes + text1[e].size() + text1Quotes + 10;
    if (out != nullptr) {
        *out++ = '"';
        out = PutQuotedText(out, title[e], titleQuotes);
        out = Put(out, "\",\"", 3);
        out = PutQuotedText(out, reading[e], readingQuotes);
        out = Put(out, "\",\"", 3);
        out = PutQuotedText(out, text2[e], text2Quotes);
        out = PutQuotedText(out, text1[e], text1Quotes);
        *out++ = '"';
        PutCrLf(out);
    }
    return size;
}

// All records are composed first and go out together; each is still a write of its own as far
// as failures go, so a failure keeps the records before it in the file.
bool GlossaryStore::WriteRecords(platform::File& file,
                                 std::size_t (GlossaryStore::*compose)(int, char*) const) const {
    std::vector<std::size_t> recordEnds(static_cast<std::size_t>(visibleCount));
    std::size_t size = 0;
    for (int row = 0; row < visibleCount; ++row) {
        size += (this->*compose)(row, nullptr);
        recordEnds[static_cast<std::size_t>(row)] = size;
    }
    const std::unique_ptr<char[]> bytes(new char[size + 1]);
    for (int row = 0; row < visibleCount; ++row) {
        (this->*compose)(row, bytes.get() + (row == 0 ? 0 : recordEnds[row - 1]));
    }
    if (!file.WritePieces(bytes.get(), recordEnds.data(), recordEnds.size())) {
        platform::ShowErrorMessage(kWriteFailedMessage);
        file.Abort();
        return false;
    }
    if (!file.Close()) {
        platform::ShowErrorMessage(kWriteFailedMessage);
        file.Abort();
        return false;
    }
    return true;
}

bool GlossaryStore::ExportText(platform::File& file) const {
    return WriteRecords(file, &GlossaryStore::ComposeTextRecord);
}

bool GlossaryStore::ExportCsv(platform::File& file) const {
    return WriteRecords(file, &GlossaryStore::ComposeCsvRecord);
}

std::string GlossaryStore::TextRecordAt(int row) const {
    if (row < 0 || row >= visibleCount) {
        return std::string();
    }
    std::string record(ComposeTextRecord(row, nullptr), '\0');
    ComposeTextRecord(row, record.data());
    return record;
}

std::string GlossaryStore::CsvRecordAt(int row) const {
    if (row < 0 || row >= visibleCount) {
        return std::string();
    }
    std::string record(ComposeCsvRecord(row, nullptr), '\0');
    ComposeCsvRecord(row, record.data());
    return record;
}

bool GlossaryStore::ExportText(const std::filesystem::path& path) const {
    platform::File file;
    if (!file.OpenForWriting(path)) {
        platform::ShowErrorMessage(kOpenFailedMessage);
        return false;
    }
    return ExportText(file);
}

bool GlossaryStore::ExportCsv(const std::filesystem::path& path) const {
    platform::File file;
    if (!file.OpenForWriting(path)) {
        platform::ShowErrorMessage(kOpenFailedMessage);
        return false;
    }
    return ExportCsv(file);
}
