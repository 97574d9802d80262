// The main dialog's search options, the search box's shortcut and the highlighting of what was
// searched for.

#include <wx/menu.h>
#include <wx/xrc/xmlres.h>

#include "glossary/search_highlight.h"
#include "platform/wx/input_method.h"
#include "platform/wx/wx_text.h"
#include "viewer/main_dialog.h"
#include "viewer/text_highlight.h"

void MainDialog::BindSearchCommands() {
    Bind(
        wxEVT_MENU,
        [this](wxCommandEvent& event) {
            settings.searchAsYouType = event.IsChecked();
            RememberSettings();
        },
        XRCID("search_as_you_type"));
    Bind(
        wxEVT_MENU,
        [this](wxCommandEvent& event) {
            settings.foldedSearch = event.IsChecked();
            RememberSettings();
        },
        XRCID("folded_search"));
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { GoToSearchText(); }, XRCID("go_to_search_text"));
    Bind(
        wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(searchEdit->IsEnabled()); },
        XRCID("go_to_search_text"));

    searchEdit->Bind(wxEVT_TEXT, &MainDialog::OnSearchTextChanged, this);
    // A change made while the input method composed waits for the composition to end.
    platform::wx::WhenCompositionEnds(searchEdit, [this, dialog = std::weak_ptr<bool>(alive)] {
        if (!dialog.expired() && typedWhileComposing && !platform::wx::IsComposing(searchEdit)) {
            typedWhileComposing = false;
            if (settings.searchAsYouType) {
                SearchAsTyped();
            }
        }
    });
}

SearchMatch MainDialog::ChosenMatch() const {
    return settings.foldedSearch ? SearchMatch::Folded : SearchMatch::Exact;
}

void MainDialog::OnSearchTextChanged(wxCommandEvent& event) {
    event.Skip();
    if (!settings.searchAsYouType) {
        return;
    }
    if (platform::wx::IsComposing(searchEdit)) {
        typedWhileComposing = true;
        return;
    }
    typedWhileComposing = false;
    SearchAsTyped();
}

void MainDialog::SearchAsTyped() {
    if (!store.IsLoaded()) {
        return;
    }
    if (!searchEdit->IsEmpty()) {
        wxCommandEvent search(wxEVT_BUTTON, searchButton->GetId());
        OnSearch(search);
        return;
    }
    // An emptied box shows every row, as 全て does, and stays empty.
    TransferFromControls();
    store.ShowAll();
    highlightedText.clear();
    RefreshList();
    TransferToControls();
}

void MainDialog::GoToSearchText() {
    if (searchEdit->IsEnabled()) {
        searchEdit->SetFocus();
        searchEdit->SelectAll();
    }
}

void MainDialog::ShowDetailText() {
    const wxString text = platform::wx::ToControlLineEnds(detailText);
    std::vector<ControlRange> highlights;
    if (!highlightedText.empty()) {
        // The pane shows what the detail text holds, hand edits included.
        if (const std::optional<std::string> shown = platform::wx::ToSjis(detailText)) {
            highlights =
                ToControlRanges(*shown, FindOccurrences(*shown, highlightedText, highlightedMatch));
        }
    }
    ShowText(detailEdit, text, highlights);
}
