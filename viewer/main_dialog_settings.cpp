// What the main dialog remembers between runs, and its recent files.

#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/menu.h>
#include <wx/xrc/xmlres.h>

#include "viewer/main_dialog.h"

void MainDialog::RestoreSettings() {
    GetMenuBar()->Check(XRCID("search_as_you_type"), settings.searchAsYouType);
    GetMenuBar()->Check(XRCID("folded_search"), settings.foldedSearch);
    if (settings.detailFont.IsOk()) {
        detailFont = settings.detailFont;
        detailEdit->SetFont(detailFont);
    }
    // Full paths: the files are all called YGS_PRG.BIN, only their folders tell them apart.
    recentFiles.SetMenuPathStyle(wxFH_PATH_SHOW_ALWAYS);
    recentFiles.UseMenu(recentFilesItem->GetSubMenu());
    settings.LoadRecentFiles(recentFiles);
    EnableRecentFiles();
    Bind(wxEVT_MENU, &MainDialog::OnRecentFile, this, wxID_FILE1,
         wxID_FILE1 + ViewerSettings::kRecentFileCount - 1);
    // The window goes where it was, if it still fits; otherwise it stays centred.
    settings.RestoreWindow(this, GetSize());
}

void MainDialog::RememberSettings() {
    settings.detailFont = detailFont;
    settings.Save(recentFiles);
}

void MainDialog::RememberOpenedFile(const wxString& path) {
    recentFiles.AddFileToHistory(path);
    EnableRecentFiles();
    RememberSettings();
}

void MainDialog::OnRecentFile(wxCommandEvent& event) {
    const size_t index = static_cast<size_t>(event.GetId() - wxID_FILE1);
    if (index >= recentFiles.GetCount()) {
        return;
    }
    const wxString path = recentFiles.GetHistoryFile(index);
    if (!wxFileExists(path)) {
        // The open command's message, then the file leaves the list.
        OpenPath(path);
        recentFiles.RemoveFileFromHistory(index);
        EnableRecentFiles();
        RememberSettings();
        return;
    }
    // As in the open dialog, the chosen file's folder becomes the current directory.
    const wxString folder = wxFileName(path).GetPath();
    if (wxDirExists(folder)) {
        wxSetWorkingDirectory(folder);
    }
    OpenPath(path);
}

void MainDialog::EnableRecentFiles() {
    recentFilesItem->Enable(recentFiles.GetCount() > 0);
}
