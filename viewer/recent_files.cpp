#include "viewer/recent_files.h"

#include <wx/menu.h>

RecentFiles::RecentFiles(wxMenuItem* submenuItem, ViewerSettings& settings)
    : submenuItem(submenuItem), settings(settings) {
    history.SetMenuPathStyle(wxFH_PATH_SHOW_ALWAYS);
    history.UseMenu(submenuItem->GetSubMenu());
    settings.LoadRecentFiles(history);
    EnableMenu();
}

std::optional<wxString> RecentFiles::FileOfCommand(int id) const {
    const int index = id - wxID_FILE1;
    if (index < 0 || static_cast<size_t>(index) >= history.GetCount()) {
        return std::nullopt;
    }
    return history.GetHistoryFile(static_cast<size_t>(index));
}

void RecentFiles::Add(const wxString& path) {
    history.AddFileToHistory(path);
    EnableMenu();
}

void RecentFiles::RemoveCommand(int id) {
    if (FileOfCommand(id)) {
        history.RemoveFileFromHistory(static_cast<size_t>(id - wxID_FILE1));
        EnableMenu();
    }
}

void RecentFiles::Save() {
    settings.Save(history);
}

void RecentFiles::EnableMenu() {
    submenuItem->Enable(history.GetCount() > 0);
}
