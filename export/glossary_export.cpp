#include "glossary/glossary_messages.h"
#include "glossary/glossary_store.h"
#include "platform/error_message.h"
#include "platform/file_access.h"

namespace {

const char kCrLf[] = "\r\n";
const char kOpenParen[] = "\x81\x69";   // （
const char kCloseParen[] = "\x81\x6A";  // ）

// A CSV field in double quotes; quotes inside are doubled so that the record reads back as the
// same three fields.
void AppendQuoted(std::string& out, const std::string& text) {
    out += '"';
    for (char c : text) {
        if (c == '"') {
            out += '"';
        }
        out += c;
    }
    out += '"';
}

}  // namespace

std::string GlossaryStore::TextRecord(int row) const {
    std::string out = RawTitleAt(row) + kCrLf;
    const std::string readingText = ReadingAt(row);
    if (!readingText.empty()) {
        out += kOpenParen + readingText + kCloseParen + kCrLf;
    }
    const std::string secondText = Text2At(row);
    if (!secondText.empty()) {
        out += secondText + kCrLf;
    }
    out += Text1At(row) + kCrLf + kCrLf;
    return out;
}

std::string GlossaryStore::CsvRecord(int row) const {
    std::string out;
    AppendQuoted(out, TitleAt(row));
    out += ',';
    AppendQuoted(out, ReadingAt(row));
    out += ',';
    AppendQuoted(out, Text2At(row) + Text1At(row));
    out += kCrLf;
    return out;
}

bool GlossaryStore::WriteRecords(platform::File& file,
                                 std::string (GlossaryStore::*record)(int) const) const {
    for (int row = 0; row < visibleCount; ++row) {
        const std::string bytes = (this->*record)(row);
        if (!file.Write(bytes.data(), bytes.size())) {
            platform::ShowErrorMessage(kWriteFailedMessage);
            file.Abort();
            return false;
        }
    }
    if (!file.Close()) {
        platform::ShowErrorMessage(kWriteFailedMessage);
        file.Abort();
        return false;
    }
    return true;
}

bool GlossaryStore::ExportText(platform::File& file) const {
    return WriteRecords(file, &GlossaryStore::TextRecord);
}

bool GlossaryStore::ExportCsv(platform::File& file) const {
    return WriteRecords(file, &GlossaryStore::CsvRecord);
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
