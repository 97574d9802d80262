#include "viewer/export_commands.h"

#include <wx/filedlg.h>

#include "export/dictionary_entries.h"
#include "export/dictionary_export.h"
#include "export/glossary_export.h"
#include "platform/wx/file_dialog.h"
#include "platform/wx/wx_text.h"
#include "viewer/show_failure.h"

namespace {

struct SaveDialog {
    const char* extension;
    const wchar_t* filter;
};

// By ExportFormat.
const SaveDialog kSaveDialogs[] = {
    {"txt", L"テキスト ファイル (*.txt)|*.txt|すべてのファイル (*.*)|*.*"},
    {"csv", L"ＣＳＶ ファイル (*.csv)|*.csv|すべてのファイル (*.*)|*.*"},
    {"ifo", L"StarDict 辞書 (*.ifo)|*.ifo|すべてのファイル (*.*)|*.*"},
    {"zip", L"Yomitan 辞書 (*.zip)|*.zip|すべてのファイル (*.*)|*.*"},
};

GlossaryResult Write(const GlossaryStore& store, const std::filesystem::path& dataFile,
                     ExportFormat format, const std::filesystem::path& output) {
    switch (format) {
        case ExportFormat::Text:
            return ExportText(store, output);
        case ExportFormat::Csv:
            return ExportCsv(store, output);
        default:
            break;
    }
    DictionaryRequest request;
    request.format =
        format == ExportFormat::StarDict ? DictionaryFormat::StarDict : DictionaryFormat::Yomitan;
    request.output = output;
    request.dataFile = dataFile;
    return ExportDictionary(CollectDictionaryEntries(store), request);
}

}  // namespace

void ExportRows(wxWindow* parent, const GlossaryStore& store, const std::filesystem::path& dataFile,
                ExportFormat format) {
    const SaveDialog& dialog = kSaveDialogs[static_cast<int>(format)];
    platform::wx::FileDialogRequest request;
    request.style = wxFD_SAVE | wxFD_OVERWRITE_PROMPT | wxFD_CHANGE_DIR;
    request.defaultFile = wxString("*.") + dialog.extension;
    request.defaultExtension = dialog.extension;
    request.wildcard = dialog.filter;
    if (const auto path = platform::wx::ShowFileDialog(parent, request)) {
        ShowFailure(Write(store, dataFile, format, platform::wx::ToPath(*path)), kMessageCaption,
                    parent);
    }
}
