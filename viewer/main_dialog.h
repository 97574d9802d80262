#pragma once

#include <wx/button.h>
#include <wx/evtloop.h>
#include <wx/font.h>
#include <wx/frame.h>
#include <wx/listbox.h>
#include <wx/panel.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string>

#include "glossary/cross_references.h"
#include "glossary/glossary_store.h"
#include "glossary/kana_rows.h"
#include "glossary/view_history.h"
#include "viewer/detail_pane.h"
#include "viewer/recent_files.h"
#include "viewer/search_box.h"
#include "viewer/viewer_settings.h"

/// The program's one working window, built from the template "main_dialog" with the menu
/// "main_menu": the list of titles, the detail pane, the kana-row, all and search buttons, the
/// counter and the menu commands, over one GlossaryStore. It runs modally (ShowModal) like a
/// dialog; it is a frame because only a frame can carry a menu bar.
class MainDialog : public wxFrame {
  public:
    /// Loads the template, fetches its controls and adds the about entry. Every control starts
    /// disabled and the export items grayed; the three texts start empty and are transferred.
    /// The search options, the detail font, the recent files and the window's place and size
    /// are those remembered (ViewerSettings), or their defaults.
    MainDialog();
    /// Remembers the settings for the next run.
    ~MainDialog() override;

    /// Shows the dialog and returns once EndModal has been called, with its result: 0 for the
    /// exit command, wxID_CANCEL for Esc or the close box.
    int ShowModal();

    /// Ends ShowModal with `result`; outside ShowModal it only hides the dialog.
    void EndModal(int result);

    /// Carries out the open command with `path` as the file chosen in its dialog: loads it
    /// (a failure shows its message and keeps what was loaded), refreshes the list, shows row 0
    /// and puts `path` first in the recent files on success, then enables the controls and
    /// export items and transfers.
    void OpenPath(const wxString& path);

  private:
    // Writes the three texts (detail, search, counter) into their controls.
    void TransferToControls();
    // Reads the three controls into the texts.
    void TransferFromControls();
    // Refills the list from the store's visible rows, selects row 0 and shows it when there is
    // one, and sets the counter text to "visible/294". Transfers nothing.
    void RefreshList();
    // Sets the detail text to `row`'s entry (CRLF line ends); a row outside the list gives three
    // line breaks.
    void ShowDetail(int row);
    // After the store's rows changed: highlights what `searched` finds (nothing when empty),
    // refreshes the list and transfers.
    void ViewChanged(const std::string& searched = std::string(),
                     SearchMatch match = SearchMatch::Exact);
    void EnableControls();
    // Shows the entry at sorted position `target`: in the rows on show, else among them all.
    void FollowLink(int target);
    // Selects `row`, scrolls the list to it and shows its entry.
    void ShowRow(int row);
    // Shows the rows and the entry of a step of the history again.
    void Restore(const ViewStep& step);
    // Keeps the link targets of the entry shown for 移動 → 参照先, and fills the submenu.
    void ListReferences(int row, const std::vector<CrossReference>& links);
    void FillReferencesMenu();
    // Zooms the pane by `steps` points (0: back to the font's own size) and remembers it.
    void ZoomBy(int steps);

    void OnOpen(wxCommandEvent& event);
    void OnRecentFile(wxCommandEvent& event);
    void OnExit(wxCommandEvent& event);
    void OnAbout(wxCommandEvent& event);
    void OnSelectionChanged(wxCommandEvent& event);
    void ShowKanaRow(int row);
    void OnAll(wxCommandEvent& event);
    void OnSearch(wxCommandEvent& event);
    void SearchAsTyped();
    void GoToSearchText();
    void OnFont(wxCommandEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnClose(wxCloseEvent& event);

    void PressSearchButton();
    void RememberSettings();

    GlossaryStore store;
    std::filesystem::path dataPath;  // the file the store was loaded from; empty before

    // The texts exchanged with the detail pane, the search box and the counter, as the controls
    // hold them, with CRLF line ends in the detail text.
    wxString detailText;
    wxString searchText;
    wxString counterText;

    wxPanel* clientArea = nullptr;  // holds the controls
    wxStaticText* searchLabel = nullptr;
    wxTextCtrl* searchEdit = nullptr;
    wxButton* searchButton = nullptr;
    wxButton* allButton = nullptr;
    std::array<wxButton*, kKanaRowCount> kanaButtons{};
    wxListBox* titleList = nullptr;
    wxTextCtrl* detailEdit = nullptr;
    wxStaticText* counterLabel = nullptr;
    wxButton* fontButton = nullptr;

    wxFont detailFont;  // empty until the first font change
    wxModalEventLoop* modalLoop = nullptr;
    int modalResult = 0;

    ViewerSettings settings;
    std::unique_ptr<RecentFiles> recentFiles;
    std::unique_ptr<DetailPane> detailPane;
    std::unique_ptr<SearchBox> searchBox;

    // The rows on show, and the entries shown among them, for 戻る and 進む.
    ShownRows shownRows;
    ViewHistory history;
    bool keepHistory = false;  // while the history itself or a link changes the rows
    wxMenu* referencesMenu = nullptr;
    // 参照先 is filled when a menu opens, not each time an entry is shown.
    std::vector<int> referenceTargets;        // by item of referencesMenu
    std::vector<std::string> referenceNames;  // the items' titles, as the links spell them
    bool referencesListed = true;
};
