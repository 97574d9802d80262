#pragma once

#include <wx/filehistory.h>
#include <wx/font.h>
#include <wx/toplevel.h>

#include "platform/wx/user_config.h"

/// What the viewer remembers between runs, in the user's configuration: the two search options,
/// the detail pane's font, the recently opened files and the main window's place, size and
/// maximized state.
/// A value that is missing or unusable reads as its default, each on its own and silently.
class ViewerSettings {
  public:
    /// The most files the recent-files list holds.
    static constexpr int kRecentFileCount = 4;

    /// Reads the user's configuration (platform::wx::OpenUserConfig) and makes it the process's
    /// configuration, the one wx's window persistence uses, in place of any earlier one. It
    /// stays that until the next ViewerSettings or the end of the program, so that a window
    /// followed by the persistence can still record itself as it is destroyed.
    ViewerSettings();

    bool searchAsYouType = false;
    bool foldedSearch = false;
    /// The detail pane's font as the user chose it; invalid (!IsOk()) when none is remembered,
    /// or when what is remembered is no font of 1 to 400 points.
    wxFont detailFont;
    /// The detail pane's zoomed size in points (6 to 72); 0 at the font's own size.
    int detailPoints = 0;

    /// Fills `history` with the remembered files, most recent first.
    void LoadRecentFiles(wxFileHistory& history);

    /// Moves `window` where it was at the end of the last run and gives it that size, then
    /// follows it through wxPersistentTLW so that Save records where it is. The size is kept
    /// only when it was recorded at the window's DPI, is at least `smallest` and fits a screen,
    /// the place only when a screen shows the window's top left corner there, moved as far as
    /// it takes to show the window whole on that screen; either alone otherwise leaves `window`
    /// as it is. A window that was maximized is maximized again, at any DPI.
    void RestoreWindow(wxTopLevelWindow* window, const wxSize& smallest);

    /// Writes every value, the files of `history` and the followed window's place and size to
    /// the configuration, unless it cannot be written; failures are silent.
    void Save(wxFileHistory& history);

  private:
    // The process's configuration while it is this one's; null once another has replaced it.
    wxConfigBase* Config() const;

    wxConfigBase* config = nullptr;  // owned by wxConfigBase::Set
    bool writable = false;
    wxString location;  // where it is kept
    wxTopLevelWindow* followed = nullptr;
};
