#include "platform/wx/file_dialog.h"

#include <wx/filedlg.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/tokenzr.h>

#include "platform/wx/message_box.h"

namespace platform::wx {

namespace {

const wchar_t kOverwriteQuestion[] = L"%s は既に存在します。\n上書きしますか?";
const wchar_t kOverwriteCaption[] = L"名前を付けて保存の確認";

// The captions a Japanese Windows gives its common dialogs. wx would show its English "Select a
// file" elsewhere, and on Windows it always sets a caption (an empty one blanks it), so the
// system's own default cannot be kept there: these are its texts.
wxString Caption(long style) {
    return (style & wxFD_SAVE) ? L"名前を付けて保存" : L"開く";
}

std::optional<wxString> RunDialog(wxWindow* parent, const FileDialogRequest& asked) {
    FileDialogRequest request = ForThisToolkit(asked);
    if (request.writtenFiles) {
        // The toolkit's own question would name the chosen file alone.
        request.style &= ~wxFD_OVERWRITE_PROMPT;
    }
    wxFileDialog dialog(parent, Caption(request.style), request.defaultDirectory,
                        request.defaultFile, request.wildcard, request.style);
    if (dialog.ShowModal() != wxID_OK) {
        return std::nullopt;
    }
    const wxString path = dialog.GetPath();
    if (path.empty()) {
        // GTK's chooser knows a path only once it has been shown; a dialog answered without
        // being shown (wx's wxTEST_DIALOG) holds the answer as folder and name.
        return wxFileName(dialog.GetDirectory(), dialog.GetFilename()).GetFullPath();
    }
    return path;
}

}  // namespace

std::optional<wxString> ShowFileDialog(wxWindow* parent, const FileDialogRequest& request) {
    for (;;) {
        const std::optional<wxString> chosen = RunDialog(parent, request);
        if (!chosen) {
            return std::nullopt;
        }
        const wxString folder = wxFileName(*chosen).GetPath();
        if ((request.style & wxFD_CHANGE_DIR) && wxDirExists(folder)) {
            // The native dialogs do this themselves; done here too so that it holds whoever
            // answered the dialog.
            wxSetWorkingDirectory(folder);
        }
        const wxString path = WithDefaultExtension(*chosen, request.defaultExtension);
        // GTK asked about the name as typed; the extension, or the other files written, may
        // name others.
        std::vector<wxString> replaced;
        if (request.writtenFiles) {
            replaced = request.writtenFiles(path);
        } else if (path != *chosen) {
            replaced.push_back(path);
        }
        wxString names;
        for (const wxString& file : replaced) {
            if (wxFileExists(file)) {
                names += (names.empty() ? L"" : L"、") + wxFileName(file).GetFullName();
            }
        }
        if ((request.style & wxFD_OVERWRITE_PROMPT) && !names.empty() &&
            ShowMessageBox(wxString::Format(kOverwriteQuestion, names), kOverwriteCaption,
                           wxYES_NO | wxICON_EXCLAMATION, parent) != wxYES) {
            continue;
        }
        return path;
    }
}

wxString WithDefaultExtension(const wxString& path, const wxString& extension) {
    if (extension.empty() || wxFileName(path).HasExt()) {
        return path;
    }
    return path + "." + extension;
}

wxString CaseInsensitiveWildcard(const wxString& wildcard) {
    wxString result;
    bool isPattern = false;  // the parts alternate: description, pattern, description, ...
    wxStringTokenizer parts(wildcard, "|", wxTOKEN_RET_EMPTY_ALL);
    while (parts.HasMoreTokens()) {
        const wxString part = parts.GetNextToken();
        if (!isPattern) {
            result += part;
        } else {
            for (const wxUniChar c : part) {
                const wxString lower = wxString(c).Lower();
                const wxString upper = wxString(c).Upper();
                result += lower == upper ? wxString(c) : "[" + lower + upper + "]";
            }
        }
        if (parts.HasMoreTokens()) {
            result += "|";
        }
        isPattern = !isPattern;
    }
    return result;
}

}  // namespace platform::wx
