#include "viewer/main_dialog.h"

#include <wx/filedlg.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/fontdata.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/xrc/xmlres.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "glossary/entry_text.h"
#include "platform/wx/about_entry.h"
#include "platform/wx/accessible_name.h"
#include "platform/wx/app_icon.h"
#include "platform/wx/current_directory.h"
#include "platform/wx/file_dialog.h"
#include "platform/wx/font_dialog.h"
#include "platform/wx/input_method.h"
#include "platform/wx/message_box.h"
#include "platform/wx/wx_text.h"
#include "resources/string_table.h"
#include "resources/viewer_resources.h"
#include "viewer/about_dialog.h"
#include "viewer/export_commands.h"
#include "viewer/show_failure.h"

namespace {

// Accessible names of the controls that show no label of their own, and of the counter while
// it is empty.
const wchar_t kTitleListName[] = L"用語一覧";
const wchar_t kDetailPaneName[] = L"説明";
const wchar_t kEmptyCounterName[] = L"件数";

const char kGlossaryFileName[] = "YGS_PRG.BIN";
const wchar_t kGlossaryFilter[] = L"用語集バイナリファイル (YGS_PRG.BIN)|YGS_PRG.BIN";

// The template's kana-row buttons in the order of the engine's rows; each is labelled with its
// row's kana.
const std::array<const char*, kKanaRowCount> kKanaButtonNames = {
    "kana_a",  "kana_ka", "kana_sa", "kana_ta", "kana_na",
    "kana_ha", "kana_ma", "kana_ya", "kana_ra", "kana_wa"};

// The menu commands of 参照先's items.
constexpr int kFirstReference = wxID_HIGHEST + 100;
constexpr int kLastReference = 999;

// `text` as a menu shows it, ampersands and all.
wxString EscapedMenuText(wxString text) {
    text.Replace("&", "&&");
    return text;
}

}  // namespace

MainDialog::MainDialog() {
    res::InstallViewerResources();
    wxXmlResource::Get()->LoadFrame(this, nullptr, "main_dialog");
    // The template's size is the size of its one panel, measured in the template font. It is
    // read before the menu bar arrives: on Windows the menu bar resizes the frame at once, and
    // the frame gives its one panel its whole client area.
    clientArea = XRCCTRL(*this, "client", wxPanel);
    const wxSize templateSize = clientArea->GetSize();
    SetMenuBar(wxXmlResource::Get()->LoadMenuBar("main_menu"));

    searchLabel = XRCCTRL(*this, "search_label", wxStaticText);
    searchEdit = XRCCTRL(*this, "search_text", wxTextCtrl);
    searchButton = XRCCTRL(*this, "search_button", wxButton);
    allButton = XRCCTRL(*this, "all_button", wxButton);
    for (int row = 0; row < static_cast<int>(kanaButtons.size()); ++row) {
        kanaButtons[row] = XRCCTRL(*this, kKanaButtonNames[row], wxButton);
        kanaButtons[row]->SetLabel(platform::wx::FromSjis(kKanaRows[row]));
        // The buttons share one command; each passes its own row.
        kanaButtons[row]->Bind(wxEVT_BUTTON, [this, row](wxCommandEvent&) { ShowKanaRow(row); });
    }
    titleList = XRCCTRL(*this, "title_list", wxListBox);
    detailEdit = XRCCTRL(*this, "detail_text", wxTextCtrl);
    counterLabel = XRCCTRL(*this, "counter", wxStaticText);
    fontButton = XRCCTRL(*this, "font_button", wxButton);
    detailPane = std::make_unique<DetailPane>(detailEdit);
    searchBox = std::make_unique<SearchBox>(searchEdit, [this] {
        if (settings.searchAsYouType) {
            SearchAsTyped();
        }
    });

    // What a screen reader says for each control: the buttons and the search label say their
    // own text; the search box is named by its label (GTK also ties the two), the list and the
    // pane by what they hold. The counter is named by its text, in TransferToControls.
    platform::wx::SetAccessibleName(searchEdit, searchLabel->GetLabelText());
    platform::wx::SetAccessibleName(titleList, kTitleListName);
    platform::wx::SetAccessibleName(detailEdit, kDetailPaneName);
    // The panel holding the controls is no control of its own; unnamed, it is passed over
    // instead of being read out by its template name.
    platform::wx::SetAccessibleName(clientArea, wxString());
    // The key hook leaves keys to an input method composing in either text box (the search
    // box follows its own).
    platform::wx::FollowComposition(detailEdit);

    // The commands: the menu, the buttons, the list, the keys and the close box.
    Bind(wxEVT_MENU, &MainDialog::OnOpen, this, wxID_OPEN);
    Bind(wxEVT_MENU, &MainDialog::OnRecentFile, this, wxID_FILE1,
         wxID_FILE1 + ViewerSettings::kRecentFileCount - 1);
    Bind(wxEVT_MENU, &MainDialog::OnExit, this, wxID_EXIT);
    for (const auto& [item, format] :
         {std::pair{"text_export", ExportFormat::Text}, std::pair{"csv_export", ExportFormat::Csv},
          std::pair{"stardict_export", ExportFormat::StarDict},
          std::pair{"yomitan_export", ExportFormat::Yomitan}}) {
        Bind(
            wxEVT_MENU,
            [this, format = format](wxCommandEvent&) {
                if (store.IsLoaded()) {
                    ExportRows(this, store, dataPath, format);
                }
            },
            XRCID(item));
    }
    Bind(wxEVT_MENU, &MainDialog::OnAbout, this, platform::wx::AboutCommand());
    Bind(wxEVT_LISTBOX, &MainDialog::OnSelectionChanged, this, XRCID("title_list"));
    Bind(wxEVT_BUTTON, &MainDialog::OnAll, this, XRCID("all_button"));
    Bind(wxEVT_BUTTON, &MainDialog::OnSearch, this, XRCID("search_button"));
    Bind(wxEVT_BUTTON, &MainDialog::OnFont, this, XRCID("font_button"));
    // The links: a click in the pane, the hand over them, 参照先, and the history's steps from
    // the menu and the mouse's back and forward buttons anywhere in the window.
    referencesMenu = GetMenuBar()->FindItem(XRCID("references"))->GetSubMenu();
    GetMenuBar()->Enable(XRCID("references"), false);
    Bind(
        wxEVT_MENU,
        [this](wxCommandEvent& event) {
            const std::size_t item = static_cast<std::size_t>(event.GetId() - kFirstReference);
            if (item < referenceTargets.size()) {
                FollowLink(referenceTargets[item]);
            }
        },
        kFirstReference, kFirstReference + kLastReference);
    detailEdit->Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& event) {
        event.Skip();
        long position = 0;
        if (detailEdit->HitTest(event.GetPosition(), &position) == wxTE_HT_ON_TEXT) {
            if (const int target = detailPane->LinkAt(position); target >= 0) {
                CallAfter([this, target] { FollowLink(target); });
            }
        }
    });
    detailEdit->Bind(wxEVT_MOTION, [this](wxMouseEvent& event) {
        event.Skip();
        long position = 0;
        const bool onLink =
            detailEdit->HitTest(event.GetPosition(), &position) == wxTE_HT_ON_TEXT &&
            detailPane->LinkAt(position) >= 0;
        detailEdit->SetCursor(onLink ? wxCursor(wxCURSOR_HAND) : wxNullCursor);
    });
    const auto back = [this] {
        if (const std::optional<ViewStep> step = history.Back()) {
            Restore(*step);
        }
    };
    const auto forward = [this] {
        if (const std::optional<ViewStep> step = history.Forward()) {
            Restore(*step);
        }
    };
    Bind(
        wxEVT_MENU, [back](wxCommandEvent&) { back(); }, XRCID("go_back"));
    Bind(
        wxEVT_MENU, [forward](wxCommandEvent&) { forward(); }, XRCID("go_forward"));
    Bind(
        wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(history.CanGoBack()); },
        XRCID("go_back"));
    Bind(
        wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(history.CanGoForward()); },
        XRCID("go_forward"));
    for (wxWindow* window : clientArea->GetChildren()) {
        window->Bind(wxEVT_AUX1_UP, [back](wxMouseEvent&) { back(); });
        window->Bind(wxEVT_AUX2_UP, [forward](wxMouseEvent&) { forward(); });
    }
    clientArea->Bind(wxEVT_AUX1_UP, [back](wxMouseEvent&) { back(); });
    clientArea->Bind(wxEVT_AUX2_UP, [forward](wxMouseEvent&) { forward(); });
    // Zoom: the menu, its keys (see OnCharHook), and Ctrl with the wheel over the pane.
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { ZoomBy(1); }, XRCID("zoom_in"));
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { ZoomBy(-1); }, XRCID("zoom_out"));
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { ZoomBy(0); }, XRCID("zoom_reset"));
    detailEdit->Bind(wxEVT_MOUSEWHEEL, [this](wxMouseEvent& event) {
        if (event.GetModifiers() == wxMOD_CONTROL && event.GetWheelRotation() != 0) {
            ZoomBy(event.GetWheelRotation() > 0 ? 1 : -1);
        } else {
            event.Skip();
        }
    });
    // The search options are remembered as soon as they change.
    for (const auto& [item, option] :
         {std::pair{"search_as_you_type", &ViewerSettings::searchAsYouType},
          std::pair{"folded_search", &ViewerSettings::foldedSearch}}) {
        Bind(
            wxEVT_MENU,
            [this, option = option](wxCommandEvent& event) {
                settings.*option = event.IsChecked();
                RememberSettings();
            },
            XRCID(item));
    }
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { GoToSearchText(); }, XRCID("go_to_search_text"));
    Bind(
        wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(searchEdit->IsEnabled()); },
        XRCID("go_to_search_text"));
    Bind(wxEVT_CHAR_HOOK, &MainDialog::OnCharHook, this);
    Bind(wxEVT_CLOSE_WINDOW, &MainDialog::OnClose, this);

    // What was remembered: the search options, the pane's font, the recent files, and the
    // window's place and size if it still fits (otherwise it stays centred).
    SetClientSize(templateSize);
    // It can grow, never shrink below the template.
    SetMinClientSize(templateSize);
    CentreOnScreen();
    GetMenuBar()->Check(XRCID("search_as_you_type"), settings.searchAsYouType);
    GetMenuBar()->Check(XRCID("folded_search"), settings.foldedSearch);
    if (settings.detailFont.IsOk()) {
        detailFont = settings.detailFont;
        detailPane->UseFont(detailFont);
    }
    detailPane->ZoomTo(settings.detailPoints);
    recentFiles =
        std::make_unique<RecentFiles>(GetMenuBar()->FindItem(XRCID("recent_files")), settings);
    Bind(wxEVT_MENU_OPEN, [this](wxMenuEvent& event) {
        event.Skip();
        recentFiles->FillMenu();
        FillReferencesMenu();
    });
    settings.RestoreWindow(this, GetSize());
    platform::wx::AddAboutEntry(this, res::kAboutCommandText);
    SetIcons(platform::wx::AppIconBundle());
    TransferToControls();
    // No control can take the focus yet; the client area takes it, so that Esc reaches the
    // dialog (GTK hands keys to the focused widget only). The first open gives it back.
    clientArea->SetCanFocus(true);
    clientArea->SetFocus();
}

MainDialog::~MainDialog() {
    RememberSettings();
}

int MainDialog::ShowModal() {
    Show();
    wxModalEventLoop loop(this);
    modalLoop = &loop;
    loop.Run();
    modalLoop = nullptr;
    Hide();
    return modalResult;
}

void MainDialog::EndModal(int result) {
    modalResult = result;
    if (modalLoop != nullptr) {
        modalLoop->ScheduleExit();
    } else {
        Hide();
    }
}

void MainDialog::TransferToControls() {
    detailPane->Show(detailText);
    searchEdit->ChangeValue(searchText);
    counterLabel->SetLabelText(counterText);
    // A name set once stays; the counter's has to follow its text.
    platform::wx::SetAccessibleName(counterLabel,
                                    counterText.empty() ? kEmptyCounterName : counterText);
}

void MainDialog::TransferFromControls() {
    detailText = detailPane->Text();
    searchText = searchEdit->GetValue();
    counterText = counterLabel->GetLabelText();
}

void MainDialog::RefreshList() {
    titleList->Clear();
    const int count = store.VisibleCount();
    wxArrayString titles;
    titles.reserve(count);
    for (int row = 0; row < count; ++row) {
        titles.push_back(platform::wx::FromSjis(store.TitleAt(row)));
    }
    titleList->Append(titles);
    if (count > 0) {
        titleList->SetSelection(0);
        ShowDetail(0);
    }
    counterText = wxString::Format("%d/%d", count, kEntryCount);
}

void MainDialog::ShowDetail(int row) {
    const std::string composed = ComposeEntryText(store, row, EntryTextForm::DetailPane);
    detailText = platform::wx::FromSjis(composed);
    const std::vector<CrossReference> links = FindCrossReferences(store, row);
    std::vector<int> targets;
    for (const CrossReference& link : links) {
        targets.push_back(link.target);
    }
    detailPane->SetLinks(composed, DetailPaneRanges(store, row, links), std::move(targets));
    ListReferences(row, links);
    if (!keepHistory && row >= 0 && row < store.VisibleCount()) {
        history.Visit({store.PositionOfRow(row), shownRows});
    }
}

void MainDialog::ListReferences(int row, const std::vector<CrossReference>& links) {
    referenceTargets = LinkTargets(links);
    referenceNames.clear();
    for (const int target : referenceTargets) {
        // The item names the target as the first link to it spells it.
        const CrossReference& link =
            *std::find_if(links.begin(), links.end(),
                          [target](const CrossReference& l) { return l.target == target; });
        const std::string& text =
            link.field == LinkField::Text2 ? store.Text2At(row) : store.Text1At(row);
        referenceNames.push_back(text.substr(link.range.begin, link.range.end - link.range.begin));
    }
    referencesListed = false;
    GetMenuBar()->Enable(XRCID("references"), !referenceTargets.empty());
}

void MainDialog::FillReferencesMenu() {
    if (referencesListed) {
        return;
    }
    referencesListed = true;
    while (referencesMenu->GetMenuItemCount() > 0) {
        referencesMenu->Destroy(referencesMenu->FindItemByPosition(0));
    }
    const char* mnemonics = "123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (std::size_t i = 0; i < referenceNames.size(); ++i) {
        const wxString prefix = i < 35 ? wxString::Format("&%c ", mnemonics[i]) : wxString();
        referencesMenu->Append(kFirstReference + static_cast<int>(i),
                               prefix + EscapedMenuText(platform::wx::FromSjis(referenceNames[i])));
    }
}

void MainDialog::FollowLink(int target) {
    int row = store.RowOfPosition(target);
    if (row < 0) {
        // The target is not among the rows on show: every row is.
        keepHistory = true;
        store.ShowAll();
        shownRows = ShownRows::All();
        detailPane->Highlight(std::string(), SearchMatch::Exact);
        RefreshList();
        keepHistory = false;
        row = store.RowOfPosition(target);
    }
    if (row >= 0) {
        ShowRow(row);
    }
}

void MainDialog::ShowRow(int row) {
    titleList->SetSelection(row);
    titleList->EnsureVisible(row);
    ShowDetail(row);
    TransferToControls();
}

void MainDialog::Restore(const ViewStep& step) {
    keepHistory = true;
    shownRows = step.rows;
    std::string searched;
    switch (step.rows.kind) {
        case ShownRows::Kind::All:
            store.ShowAll();
            break;
        case ShownRows::Kind::KanaRow:
            store.FilterByKanaRow(step.rows.kanaRow);
            break;
        case ShownRows::Kind::Search:
            store.Search(step.rows.searchText, step.rows.match);
            searched = step.rows.searchText;
            searchText = platform::wx::FromSjis(searched);
            break;
    }
    ViewChanged(searched, step.rows.match);
    if (const int row = store.RowOfPosition(step.position); row >= 0) {
        ShowRow(row);
    }
    keepHistory = false;
}

void MainDialog::ViewChanged(const std::string& searched, SearchMatch match) {
    detailPane->Highlight(searched, match);
    RefreshList();
    TransferToControls();
}

void MainDialog::EnableControls() {
    searchLabel->Enable();
    searchEdit->Enable();
    searchButton->Enable();
    allButton->Enable();
    for (wxButton* button : kanaButtons) {
        button->Enable();
    }
    titleList->Enable();
    detailEdit->Enable();
    counterLabel->Enable();
    fontButton->Enable();
}

void MainDialog::OnOpen(wxCommandEvent&) {
    platform::wx::FileDialogRequest request;
    request.style = wxFD_OPEN | wxFD_FILE_MUST_EXIST | wxFD_CHANGE_DIR;
    request.defaultDirectory = platform::wx::CurrentDirectory();
    request.defaultFile = kGlossaryFileName;
    request.wildcard = kGlossaryFilter;
    if (const std::optional<wxString> path = platform::wx::ShowFileDialog(this, request)) {
        OpenPath(*path);
    }
}

void MainDialog::OpenPath(const wxString& path) {
    const GlossaryResult loaded = store.Load(platform::wx::ToPath(path));
    if (loaded.Ok()) {
        dataPath = platform::wx::ToPath(path);
        history.Clear();
        shownRows = ShownRows::All();
        detailPane->Highlight(std::string(), SearchMatch::Exact);
        RefreshList();
        recentFiles->Add(path);
    }
    ShowFailure(loaded, kMessageCaption, this);
    // The first open decides where the keyboard starts, and the client area stops being a tab
    // stop of its own.
    const bool firstOpen = !searchEdit->IsEnabled();
    EnableControls();
    GetMenuBar()->Enable(XRCID("text_export"), true);
    GetMenuBar()->Enable(XRCID("csv_export"), true);
    GetMenuBar()->Enable(XRCID("stardict_export"), true);
    GetMenuBar()->Enable(XRCID("yomitan_export"), true);
    TransferToControls();
    if (firstOpen) {
        searchEdit->SetFocus();
        clientArea->SetCanFocus(false);
    }
}

void MainDialog::OnRecentFile(wxCommandEvent& event) {
    const std::optional<wxString> path = recentFiles->FileOfCommand(event.GetId());
    if (!path) {
        return;
    }
    if (!wxFileExists(*path)) {
        // The open command's message, then the file leaves the list.
        OpenPath(*path);
        recentFiles->RemoveCommand(event.GetId());
        return;
    }
    // As in the open dialog, the chosen file's folder becomes the current directory.
    const wxString folder = wxFileName(*path).GetPath();
    if (wxDirExists(folder)) {
        wxSetWorkingDirectory(folder);
    }
    OpenPath(*path);
}

void MainDialog::OnExit(wxCommandEvent&) {
    EndModal(0);
}

void MainDialog::OnAbout(wxCommandEvent&) {
    AboutDialog about(this);
    about.ShowModal();
}

void MainDialog::OnSelectionChanged(wxCommandEvent&) {
    ShowDetail(titleList->GetSelection());
    TransferToControls();
}

void MainDialog::ShowKanaRow(int row) {
    if (!store.IsLoaded()) {
        return;
    }
    store.FilterByKanaRow(row);
    shownRows = ShownRows::Row(row);
    ViewChanged();
}

void MainDialog::OnAll(wxCommandEvent&) {
    if (!store.IsLoaded()) {
        return;
    }
    store.ShowAll();
    shownRows = ShownRows::All();
    ViewChanged();
}

void MainDialog::OnSearch(wxCommandEvent&) {
    if (!store.IsLoaded()) {
        return;
    }
    TransferFromControls();
    if (searchText.empty()) {
        return;
    }
    detailText.clear();
    // A text without a Shift-JIS form cannot occur in the glossary: it finds nothing.
    const std::optional<std::string> text = platform::wx::ToSjis(searchText);
    if (!text) {
        store.ShowNone();
        shownRows = ShownRows::Searched(std::string(), SearchMatch::Exact);  // no entry to show
        ViewChanged();
        return;
    }
    const SearchMatch match = settings.foldedSearch ? SearchMatch::Folded : SearchMatch::Exact;
    store.Search(*text, match);
    shownRows = ShownRows::Searched(*text, match);
    ViewChanged(*text, match);
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
    shownRows = ShownRows::All();
    ViewChanged();
}

void MainDialog::GoToSearchText() {
    if (searchEdit->IsEnabled()) {
        searchEdit->SetFocus();
        searchEdit->SelectAll();
    }
}

void MainDialog::OnFont(wxCommandEvent&) {
    wxFontData data;
    data.SetInitialFont(detailEdit->GetFont());
    data.EnableEffects(false);
    const std::optional<wxFont> chosen = platform::wx::ShowFontDialog(this, data);
    if (!chosen) {
        return;
    }
    // A new font is shown at its own size.
    detailFont = chosen->IsOk() ? *chosen : wxFont();
    detailPane->UseFont(detailFont);
    detailEdit->Update();
    RememberSettings();
}

void MainDialog::OnCharHook(wxKeyEvent& event) {
    // Keys the input method is composing with (Esc cancels a conversion, Return commits it)
    // are the input method's, never the dialog's.
    if (platform::wx::IsInputMethodKey(event, FindFocus())) {
        event.Skip();
        return;
    }
    const int key = event.GetKeyCode();
    if (key == WXK_ESCAPE && !event.HasAnyModifiers()) {
        Close();
        return;
    }
    // The list's own type-ahead search would take Ctrl+F, which belongs to the search box.
    if (key == 'F' && event.GetModifiers() == wxMOD_CONTROL) {
        GoToSearchText();
        return;
    }
    // The zoom's keys, before the focused control: GTK's XIM input method (a Japanese desktop
    // without an input method framework) types Ctrl with a sign into a text box as the sign.
    if (event.ControlDown() && !event.AltDown()) {
        static const std::map<int, int> zoomKeys = {
            {'+', 1}, {'=', 1}, {WXK_NUMPAD_ADD, 1}, {'-', -1}, {WXK_NUMPAD_SUBTRACT, -1},
            {'0', 0}};
        if (const auto zoom = zoomKeys.find(key); zoom != zoomKeys.end()) {
            ZoomBy(zoom->second);
            return;
        }
    }
    // In a dialog, Return in the list presses the default button; GTK's list keeps it.
    if ((key == WXK_RETURN || key == WXK_NUMPAD_ENTER) && FindFocus() == titleList) {
        PressSearchButton();
        return;
    }
    event.Skip();
}

void MainDialog::ZoomBy(int steps) {
    if (steps == 0) {
        detailPane->ZoomTo(0);
    } else {
        detailPane->Zoom(steps);
    }
    RememberSettings();  // at once
}

void MainDialog::OnClose(wxCloseEvent&) {
    EndModal(wxID_CANCEL);
}

void MainDialog::RememberSettings() {
    settings.detailFont = detailFont;
    settings.detailPoints = detailPane->ZoomedPoints();
    recentFiles->Save();
}

void MainDialog::PressSearchButton() {
    wxCommandEvent click(wxEVT_BUTTON, searchButton->GetId());
    click.SetEventObject(searchButton);
    searchButton->ProcessWindowEvent(click);
}
