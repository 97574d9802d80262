#include "glossary/entry_text.h"

#include <cstring>

#include "glossary/glossary_store.h"

namespace {

const char kOpenParen[] = "\x81\x69";   // （
const char kCloseParen[] = "\x81\x6A";  // ）
const char kCrLf[] = "\r\n";

char* Put(char* out, const char* bytes, std::size_t size) {
    std::memcpy(out, bytes, size);
    return out + size;
}

char* PutLine(char* out, const std::string& text) {
    return Put(Put(out, text.data(), text.size()), kCrLf, 2);
}

}  // namespace

std::size_t ComposeEntryText(const GlossaryStore& store, int row, EntryTextForm form, char* out) {
    const std::string& rawTitle = store.RawTitleAt(row);
    const std::string& reading = store.ReadingAt(row);
    const std::string& text2 = store.Text2At(row);
    const std::string& text1 = store.Text1At(row);
    // Either form has one blank line, so both have the same size.
    const std::size_t size = rawTitle.size() + 2 + (reading.empty() ? 0 : reading.size() + 6) + 2 +
                             (text2.empty() ? 0 : text2.size() + 2) + text1.size() + 2;
    if (out == nullptr) {
        return size;
    }
    out = PutLine(out, rawTitle);
    if (!reading.empty()) {
        out = Put(Put(Put(out, kOpenParen, 2), reading.data(), reading.size()), kCloseParen, 2);
        out = Put(out, kCrLf, 2);
    }
    if (form == EntryTextForm::DetailPane) {
        out = Put(out, kCrLf, 2);
    }
    if (!text2.empty()) {
        out = PutLine(out, text2);
    }
    out = PutLine(out, text1);
    if (form == EntryTextForm::TextExport) {
        Put(out, kCrLf, 2);
    }
    return size;
}

std::string ComposeEntryText(const GlossaryStore& store, int row, EntryTextForm form) {
    std::string text(ComposeEntryText(store, row, form, nullptr), '\0');
    ComposeEntryText(store, row, form, text.data());
    return text;
}

EntryTextOffsets ComposedTextOffsets(const GlossaryStore& store, int row, EntryTextForm form) {
    const std::string& reading = store.ReadingAt(row);
    const std::string& text2 = store.Text2At(row);
    const std::size_t text2Offset = store.RawTitleAt(row).size() + 2 +
                                    (reading.empty() ? 0 : reading.size() + 6) +
                                    (form == EntryTextForm::DetailPane ? 2 : 0);
    return {text2Offset, text2Offset + (text2.empty() ? 0 : text2.size() + 2)};
}
