#include "export/glossary_export.h"

#include <cstring>
#include <memory>

#include "glossary/entry_text.h"
#include "glossary/glossary_messages.h"
#include "glossary/glossary_store.h"
#include "platform/file_access.h"

namespace {

char* Put(char* out, const char* bytes, std::size_t size) {
    std::memcpy(out, bytes, size);
    return out + size;
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
        return Put(out, text.data(), text.size());
    }
    for (char c : text) {
        *out++ = c;
        if (c == '"') {
            *out++ = '"';
        }
    }
    return out;
}

// CSV: "title","reading","text2text1" and CRLF. Returns the record's size and, unless `out` is
// null, writes it there.
std::size_t ComposeCsvRecord(const GlossaryStore& store, int row, char* out) {
    const std::string& title = store.TitleAt(row);
    const std::string& reading = store.ReadingAt(row);
    const std::string& text2 = store.Text2At(row);
    const std::string& text1 = store.Text1At(row);
    // Quotes are rare: when the glossary has none, no field needs to be looked through.
    const bool quotes = store.TextsHoldQuotes();
    const std::size_t titleQuotes = quotes ? QuotesIn(title) : 0;
    const std::size_t readingQuotes = quotes ? QuotesIn(reading) : 0;
    const std::size_t text2Quotes = quotes ? QuotesIn(text2) : 0;
    const std::size_t text1Quotes = quotes ? QuotesIn(text1) : 0;
    const std::size_t size = title.size() + titleQuotes + reading.size() + readingQuotes +
                             text2.size() + text2Quotes + text1.size() + text1Quotes + 10;
    if (out != nullptr) {
        *out++ = '"';
        out = PutQuotedText(out, title, titleQuotes);
        out = Put(out, "\",\"", 3);
        out = PutQuotedText(out, reading, readingQuotes);
        out = Put(out, "\",\"", 3);
        out = PutQuotedText(out, text2, text2Quotes);
        out = PutQuotedText(out, text1, text1Quotes);
        Put(out, "\"\r\n", 3);
    }
    return size;
}

// The records are composed straight into one buffer sized for all of them, so each piece costs
// a copy and nothing more, and go to the file in one write. A disk that fills up keeps the
// bytes it took, as a write per record would have left it.
template <typename Compose>
GlossaryResult WriteRecords(const GlossaryStore& store, platform::File& file, Compose compose) {
    const int rows = store.VisibleCount();
    std::size_t size = 0;
    for (int row = 0; row < rows; ++row) {
        size += compose(row, nullptr);
    }
    const std::unique_ptr<char[]> bytes(new char[size + 1]);
    char* out = bytes.get();
    for (int row = 0; row < rows; ++row) {
        out += compose(row, out);
    }
    if (!file.Write(bytes.get(), size) || !file.Close()) {
        file.Abort();
        return {kWriteFailedMessage};
    }
    return {};
}

}  // namespace

GlossaryResult ExportText(const GlossaryStore& store, platform::File& file) {
    return WriteRecords(store, file, [&store](int row, char* out) {
        return ComposeEntryText(store, row, EntryTextForm::TextExport, out);
    });
}

GlossaryResult ExportCsv(const GlossaryStore& store, platform::File& file) {
    return WriteRecords(store, file,
                        [&store](int row, char* out) { return ComposeCsvRecord(store, row, out); });
}

GlossaryResult ExportText(const GlossaryStore& store, const std::filesystem::path& path) {
    platform::File file;
    return file.OpenForWriting(path) ? ExportText(store, file) : GlossaryResult{kOpenFailedMessage};
}

GlossaryResult ExportCsv(const GlossaryStore& store, const std::filesystem::path& path) {
    platform::File file;
    return file.OpenForWriting(path) ? ExportCsv(store, file) : GlossaryResult{kOpenFailedMessage};
}

std::string TextRecordAt(const GlossaryStore& store, int row) {
    if (row < 0 || row >= store.VisibleCount()) {
        return std::string();
    }
    return ComposeEntryText(store, row, EntryTextForm::TextExport);
}

std::string CsvRecordAt(const GlossaryStore& store, int row) {
    if (row < 0 || row >= store.VisibleCount()) {
        return std::string();
    }
    std::string record(ComposeCsvRecord(store, row, nullptr), '\0');
    ComposeCsvRecord(store, row, record.data());
    return record;
}
