#include "viewer/recent_files.h"

#include <wx/menu.h>

RecentFiles::RecentFiles(wxMenuItem* submenuItem, ViewerSettings& settings)
    : submenuItem(submenuItem), settings(settings) {
    history.SetMenuPathStyle(wxFH_PATH_SHOW_ALWAYS);
    settings.LoadRecentFiles(history);
    FillMenu();
}

void RecentFiles::TakeOpened() const {
    if (!opened.empty()) {
        history.AddFileToHistory(opened);
        opened.clear();
    }
}

std::optional<wxString> RecentFiles::FileOfCommand(int id) const {
    TakeOpened();
    const int index = id - wxID_FILE1;
    if (index < 0 || static_cast<size_t>(index) >= history.GetCount()) {
        return std::nullopt;
    }
    return history.GetHistoryFile(static_cast<size_t>(index));
}

void RecentFiles::Add(const wxString& path) {
    // wxFileHistory normalizes the path, which costs more than the rest of an open: it waits
    // until the list is read.
    opened = path;
    MenuChanged();
}

void RecentFiles::RemoveCommand(int id) {
    if (FileOfCommand(id)) {
        history.RemoveFileFromHistory(static_cast<size_t>(id - wxID_FILE1));
        MenuChanged();
    }
}

void RecentFiles::Save() {
    TakeOpened();
    settings.Save(history);
}

void RecentFiles::FillMenu() {
    if (menuFilled) {
        return;
    }
    TakeOpened();
    wxMenu* menu = submenuItem->GetSubMenu();
    while (menu->GetMenuItemCount() > 0) {
        menu->Destroy(menu->FindItemByPosition(0));
    }
    history.AddFilesToMenu(menu);
    submenuItem->Enable(history.GetCount() > 0);
    menuFilled = true;
}

void RecentFiles::MenuChanged() {
    // Relabelling the menu waits for a menu to open too.
    menuFilled = false;
    submenuItem->Enable(!opened.empty() || history.GetCount() > 0);
}
