#include "viewer/main_dialog.h"

#include <wx/filedlg.h>
#include <wx/fontdata.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/xrc/xmlres.h>

#include <filesystem>

#include "export/dictionary_entries.h"
#include "export/glossary_export.h"
#include "glossary/entry_text.h"
#include "platform/wx/about_entry.h"
#include "platform/wx/accessible_name.h"
#include "platform/wx/current_directory.h"
#include "platform/wx/file_dialog.h"
#include "platform/wx/font_dialog.h"
#include "platform/wx/input_method.h"
#include "platform/wx/message_box.h"
#include "platform/wx/wx_text.h"
#include "resources/app_icon.h"
#include "resources/string_table.h"
#include "resources/viewer_resources.h"
#include "viewer/about_dialog.h"

namespace {

// Caption of the error message boxes; the same as the dialog's own.
const wchar_t kMessageCaption[] = L"ホシノワ 用語集 Viewer";

// Accessible names of the controls that show no label of their own, and of the counter while
// it is empty.
const wchar_t kTitleListName[] = L"用語一覧";
const wchar_t kDetailPaneName[] = L"説明";
const wchar_t kEmptyCounterName[] = L"件数";

const char kGlossaryFileName[] = "YGS_PRG.BIN";
const wchar_t kGlossaryFilter[] = L"用語集バイナリファイル (YGS_PRG.BIN)|YGS_PRG.BIN";
const wchar_t kTextFilter[] = L"テキスト ファイル (*.txt)|*.txt|すべてのファイル (*.*)|*.*";
const wchar_t kCsvFilter[] = L"ＣＳＶ ファイル (*.csv)|*.csv|すべてのファイル (*.*)|*.*";
const wchar_t kStarDictFilter[] = L"StarDict 辞書 (*.ifo)|*.ifo|すべてのファイル (*.*)|*.*";
const wchar_t kYomitanFilter[] = L"Yomitan 辞書 (*.zip)|*.zip|すべてのファイル (*.*)|*.*";

// The template's kana-row buttons in the order of the engine's rows; each is labelled with its
// row's kana.
const std::array<const char*, kKanaRowCount> kKanaButtonNames = {
    "kana_a",  "kana_ka", "kana_sa", "kana_ta", "kana_na",
    "kana_ha", "kana_ma", "kana_ya", "kana_ra", "kana_wa"};

platform::wx::FileDialogRequest SaveRequest(const char* extension, const wxString& wildcard) {
    platform::wx::FileDialogRequest request;
    request.style = wxFD_SAVE | wxFD_OVERWRITE_PROMPT | wxFD_CHANGE_DIR;
    request.defaultFile = wxString("*.") + extension;
    request.defaultExtension = extension;
    request.wildcard = wildcard;
    return request;
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
    recentFilesItem = GetMenuBar()->FindItem(XRCID("recent_files"));

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

    // What a screen reader says for each control: the buttons and the search label say their
    // own text; the search box is named by its label (GTK also ties the two), the list and the
    // pane by what they hold. The counter is named by its text, in TransferToControls.
    platform::wx::SetAccessibleName(searchEdit, searchLabel->GetLabelText());
    platform::wx::SetAccessibleName(titleList, kTitleListName);
    platform::wx::SetAccessibleName(detailEdit, kDetailPaneName);
    // The panel holding the controls is no control of its own; unnamed, it is passed over
    // instead of being read out by its template name.
    platform::wx::SetAccessibleName(clientArea, wxString());
    // The key hook leaves keys to an input method composing in either text box.
    platform::wx::FollowComposition(searchEdit);
    platform::wx::FollowComposition(detailEdit);

    // The commands: the menu, the buttons, the list, the keys and the close box.
    Bind(wxEVT_MENU, &MainDialog::OnOpen, this, wxID_OPEN);
    Bind(wxEVT_MENU, &MainDialog::OnExit, this, wxID_EXIT);
    Bind(wxEVT_MENU, &MainDialog::OnExport, this, XRCID("text_export"));
    Bind(wxEVT_MENU, &MainDialog::OnExport, this, XRCID("csv_export"));
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { ExportDictionaryAs(DictionaryFormat::StarDict); },
        XRCID("stardict_export"));
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { ExportDictionaryAs(DictionaryFormat::Yomitan); },
        XRCID("yomitan_export"));
    Bind(wxEVT_MENU, &MainDialog::OnAbout, this, platform::wx::AboutCommand());
    Bind(wxEVT_LISTBOX, &MainDialog::OnSelectionChanged, this, XRCID("title_list"));
    Bind(wxEVT_BUTTON, &MainDialog::OnAll, this, XRCID("all_button"));
    Bind(wxEVT_BUTTON, &MainDialog::OnSearch, this, XRCID("search_button"));
    Bind(wxEVT_BUTTON, &MainDialog::OnFont, this, XRCID("font_button"));
    Bind(wxEVT_CHAR_HOOK, &MainDialog::OnCharHook, this);
    Bind(wxEVT_CLOSE_WINDOW, &MainDialog::OnClose, this);

    SetClientSize(templateSize);
    // It can grow, never shrink below the template.
    SetMinClientSize(templateSize);
    CentreOnScreen();
    BindSearchCommands();
    RestoreSettings();
    platform::wx::AddAboutEntry(this, res::kAboutCommandText);
    SetIcons(res::AppIconBundle());
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
    ShowDetailText();
    searchEdit->ChangeValue(searchText);
    counterLabel->SetLabelText(counterText);
    // A name set once stays; the counter's has to follow its text.
    platform::wx::SetAccessibleName(counterLabel,
                                    counterText.empty() ? kEmptyCounterName : counterText);
}

void MainDialog::TransferFromControls() {
    detailText = platform::wx::FromControlLineEnds(detailEdit->GetValue());
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
    detailText = platform::wx::FromSjis(ComposeEntryText(store, row, EntryTextForm::DetailPane));
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
        RefreshList();
        highlightedText.clear();
        RememberOpenedFile(path);
    }
    platform::wx::ShowFailure(loaded, kMessageCaption, this);
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

void MainDialog::OnExit(wxCommandEvent&) {
    EndModal(0);
}

void MainDialog::OnExport(wxCommandEvent& event) {
    if (!store.IsLoaded()) {
        return;
    }
    const bool csv = event.GetId() == XRCID("csv_export");
    const auto path = platform::wx::ShowFileDialog(
        this, csv ? SaveRequest("csv", kCsvFilter) : SaveRequest("txt", kTextFilter));
    if (!path) {
        return;
    }
    const std::filesystem::path file = platform::wx::ToPath(*path);
    platform::wx::ShowFailure(csv ? ExportCsv(store, file) : ExportText(store, file),
                              kMessageCaption, this);
}

void MainDialog::ExportDictionaryAs(DictionaryFormat format) {
    if (!store.IsLoaded()) {
        return;
    }
    const bool stardict = format == DictionaryFormat::StarDict;
    const auto path = platform::wx::ShowFileDialog(
        this, stardict ? SaveRequest("ifo", kStarDictFilter) : SaveRequest("zip", kYomitanFilter));
    if (!path) {
        return;
    }
    DictionaryRequest request;
    request.format = format;
    request.output = platform::wx::ToPath(*path);
    request.dataFile = dataPath;
    platform::wx::ShowFailure(ExportDictionary(CollectDictionaryEntries(store), request),
                              kMessageCaption, this);
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
    highlightedText.clear();
    RefreshList();
    TransferToControls();
}

void MainDialog::OnAll(wxCommandEvent&) {
    if (!store.IsLoaded()) {
        return;
    }
    store.ShowAll();
    highlightedText.clear();
    RefreshList();
    TransferToControls();
}

void MainDialog::OnSearch(wxCommandEvent&) {
    if (!store.IsLoaded()) {
        return;
    }
    TransferFromControls();
    if (searchText.empty()) {
        return;
    }
    // A text without a Shift-JIS form cannot occur in the glossary: it finds nothing.
    if (const std::optional<std::string> text = platform::wx::ToSjis(searchText)) {
        highlightedMatch = ChosenMatch();
        highlightedText = *text;
        store.Search(*text, highlightedMatch);
    } else {
        store.ShowNone();
        highlightedText.clear();
    }
    detailText.clear();
    RefreshList();
    TransferToControls();
}

void MainDialog::OnFont(wxCommandEvent&) {
    wxFontData data;
    data.SetInitialFont(detailEdit->GetFont());
    data.EnableEffects(false);
    const std::optional<wxFont> chosen = platform::wx::ShowFontDialog(this, data);
    if (!chosen) {
        return;
    }
    // An invalid font leaves the pane without a font of its own: it shows the system font.
    detailFont = chosen->IsOk() ? *chosen : wxFont();
    detailEdit->SetFont(detailFont);
    detailEdit->Refresh();
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
    // In a dialog, Return in the list presses the default button; GTK's list keeps it.
    if ((key == WXK_RETURN || key == WXK_NUMPAD_ENTER) && FindFocus() == titleList) {
        PressSearchButton();
        return;
    }
    event.Skip();
}

void MainDialog::OnClose(wxCloseEvent&) {
    EndModal(wxID_CANCEL);
}

void MainDialog::PressSearchButton() {
    wxCommandEvent click(wxEVT_BUTTON, searchButton->GetId());
    click.SetEventObject(searchButton);
    searchButton->ProcessWindowEvent(click);
}
