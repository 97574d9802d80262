#include "platform/wx/file_dialog.h"

#include <wx/filedlg.h>
#include <wx/filefn.h>
#include <wx/filename.h>

#include <utility>

#include "platform/wx/message_box.h"

namespace platform::wx {

namespace {

const wchar_t kOverwriteQuestion[] = L"%s は既に存在します。\n上書きしますか?";
const wchar_t kOverwriteCaption[] = L"名前を付けて保存の確認";

FileDialogHook& InstalledHook() {
    static FileDialogHook hook;
    return hook;
}

std::optional<wxString> RunDialog(wxWindow* parent, const FileDialogRequest& request) {
    wxString defaultFile = request.defaultFile;
#ifdef __WXGTK__
    // Windows' dialog takes a wildcard in the name field as a filter; GTK's would save a file
    // of that name.
    if (defaultFile.find_first_of("*?") != wxString::npos) {
        defaultFile.clear();
    }
#endif
    wxFileDialog dialog(parent, wxFileSelectorPromptStr, request.defaultDirectory, defaultFile,
                        request.wildcard, request.style);
    if (dialog.ShowModal() != wxID_OK) {
        return std::nullopt;
    }
    return dialog.GetPath();
}

}  // namespace

FileDialogHook SetFileDialogHook(FileDialogHook hook) {
    return std::exchange(InstalledHook(), std::move(hook));
}

std::optional<wxString> ShowFileDialog(wxWindow* parent, const FileDialogRequest& request) {
    for (;;) {
        const std::optional<wxString> chosen =
            InstalledHook() ? InstalledHook()(request) : RunDialog(parent, request);
        if (!chosen) {
            return std::nullopt;
        }
        const wxString folder = wxFileName(*chosen).GetPath();
        if ((request.style & wxFD_CHANGE_DIR) && wxDirExists(folder)) {
            // The real dialog has done this already; a hook's answer is treated the same way.
            wxSetWorkingDirectory(folder);
        }
        const wxString path = WithDefaultExtension(*chosen, request.defaultExtension);
        // GTK asked about overwriting the name as typed; the extension may name another file.
        if (path != *chosen && (request.style & wxFD_OVERWRITE_PROMPT) && wxFileExists(path) &&
            ShowMessageBox(wxString::Format(kOverwriteQuestion, wxFileName(path).GetFullName()),
                           kOverwriteCaption, wxYES_NO | wxICON_EXCLAMATION, parent) != wxYES) {
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

}  // namespace platform::wx
