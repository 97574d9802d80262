#include "viewer/export_commands.h"

#include <wx/filedlg.h>

#include "export/dictionary_entries.h"
#include "export/dictionary_export.h"
#include "export/glossary_export.h"
#include "export/stardict_export.h"
#include "platform/wx/file_dialog.h"
#include "platform/wx/message_box.h"
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

// What a dictionary left out or changed, as the exporter reports it; empty when nothing was.
wxString DictionaryReport(const DictionaryEntries& written) {
    wxString report;
    if (written.leftOut > 0) {
        report += wxString::Format(L"見出しも読みもない %d 件の用語は書き出しませんでした。\n",
                                   written.leftOut);
    }
    if (!written.replaced.empty()) {
        int total = 0;
        for (const ReplacedRecord& r : written.replaced) {
            total += r.replacements;
        }
        report +=
            wxString::Format(L"Unicode にない %d 個の文字を U+FFFD に置き換えました (%zu 件):\n",
                             total, written.replaced.size());
        for (const ReplacedRecord& r : written.replaced) {
            report += wxString::Format(L"  %d 件目「%s」: %d 個\n", r.record,
                                       wxString::FromUTF8(r.titleUtf8), r.replacements);
        }
    }
    return report;
}

void WriteDictionary(wxWindow* parent, const GlossaryStore& store,
                     const std::filesystem::path& dataFile, ExportFormat format,
                     const std::filesystem::path& output) {
    const DictionaryEntries entries = CollectDictionaryEntries(store);
    DictionaryRequest request;
    request.format =
        format == ExportFormat::StarDict ? DictionaryFormat::StarDict : DictionaryFormat::Yomitan;
    request.output = output;
    request.dataFile = dataFile;
    if (ShowFailure(ExportDictionary(entries, request), kMessageCaption, parent)) {
        if (const wxString report = DictionaryReport(entries); !report.empty()) {
            platform::wx::ShowMessageBox(report.BeforeLast('\n'), kMessageCaption,
                                         wxOK | wxICON_INFORMATION, parent);
        }
    }
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
    if (format == ExportFormat::StarDict) {
        request.writtenFiles = [](const wxString& ifo) {
            std::vector<wxString> files;
            for (const auto& path : StarDictPaths(platform::wx::ToPath(ifo))) {
                files.push_back(platform::wx::FromPath(path));
            }
            return files;
        };
    }
    const auto path = platform::wx::ShowFileDialog(parent, request);
    if (!path) {
        return;
    }
    const std::filesystem::path output = platform::wx::ToPath(*path);
    if (format == ExportFormat::Text || format == ExportFormat::Csv) {
        ShowFailure(
            format == ExportFormat::Csv ? ExportCsv(store, output) : ExportText(store, output),
            kMessageCaption, parent);
    } else {
        WriteDictionary(parent, store, dataFile, format, output);
    }
}
