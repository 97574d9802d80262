#pragma once

#include <wx/filehistory.h>
#include <wx/menuitem.h>

#include <optional>

#include "viewer/viewer_settings.h"

/// The files opened last, most recent first, listed in a submenu of their own as menu commands
/// wxID_FILE1 onwards, each with its full path (every glossary is called YGS_PRG.BIN: only its
/// folder tells it apart). The submenu is disabled while the list is empty. The list is written
/// with the other settings (Save), not at every change: opening a file waits for no disk.
class RecentFiles {
  public:
    /// Lists the files `settings` remembers in the submenu of `submenuItem`.
    RecentFiles(wxMenuItem* submenuItem, ViewerSettings& settings);

    /// The file of the menu command `id`; nothing for an id outside the list.
    std::optional<wxString> FileOfCommand(int id) const;

    /// Puts `path` first (once).
    void Add(const wxString& path);

    /// Takes the file of the menu command `id` out of the list.
    void RemoveCommand(int id);

    /// Remembers the list with the other settings.
    void Save();

    /// Brings the submenu up to date with the list: call it when a menu opens.
    void FillMenu();

  private:
    void MenuChanged();
    void TakeOpened() const;  // puts the file last opened in the list

    wxMenuItem* submenuItem;
    ViewerSettings& settings;
    mutable wxFileHistory history{ViewerSettings::kRecentFileCount};
    mutable wxString opened;  // opened since the list was last read; empty: none
    bool menuFilled = false;
};
