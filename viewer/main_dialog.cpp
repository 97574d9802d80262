#include "viewer/main_dialog.h"

#include <wx/filedlg.h>
#include <wx/fontdata.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/xrc/xmlres.h>

#include <string>

#include "export/glossary_export.h"
#include "platform/wx/current_directory.h"
#include "platform/wx/file_dialog.h"
#include "platform/wx/font_dialog.h"
#include "platform/wx/wx_text.h"
#include "resources/app_icon.h"
#include "resources/resource_ids.h"
#include "resources/string_table.h"
#include "resources/viewer_resources.h"
#include "viewer/about_dialog.h"

namespace {

// Caption of the error message boxes; the same as the dialog's own.
const wchar_t kMessageCaption[] = L"ホシノワ 用語集 Viewer";
const wchar_t kHelpMenuTitle[] = L"ヘルプ(&H)";

const char kGlossaryFileName[] = "YGS_PRG.BIN";
const wchar_t kGlossaryFilter[] = L"用語集バイナリファイル (YGS_PRG.BIN)|YGS_PRG.BIN";
const wchar_t kTextFilter[] = L"テキスト ファイル (*.txt)|*.txt|すべてのファイル (*.*)|*.*";
const wchar_t kCsvFilter[] = L"ＣＳＶ ファイル (*.csv)|*.csv|すべてのファイル (*.*)|*.*";

// Shift-JIS pieces of the detail text: CRLF, "（" and "）".
const char kCrLf[] = "\r\n";
const char kOpenParenthesis[] = "\x81\x69";
const char kCloseParenthesis[] = "\x81\x6A";

wxString ResourceName(int id) {
    return wxString::Format("%d", id);
}

platform::wx::FileDialogRequest SaveRequest(const char* extension, const wxString& wildcard) {
    platform::wx::FileDialogRequest request;
    request.style = wxFD_SAVE | wxFD_OVERWRITE_PROMPT | wxFD_CHANGE_DIR;
    request.defaultFile = wxString("*.") + extension;
    request.defaultExtension = extension;
    request.wildcard = wildcard;
    return request;
}

}  // namespace

MainDialog::MainDialog() : errorMessages(kMessageCaption, this) {
    res::InstallViewerResources();
    wxXmlResource::Get()->LoadFrame(this, nullptr, ResourceName(res::kMainTemplate));
    // The template's size is the size of its one panel, measured in the template font. It is
    // read before the menu bar arrives: on Windows the menu bar resizes the frame at once, and
    // the frame gives its one panel its whole client area.
    clientArea = XRCCTRL(*this, "client", wxPanel);
    const wxSize templateSize = clientArea->GetSize();
    SetMenuBar(wxXmlResource::Get()->LoadMenuBar(ResourceName(res::kMainMenu)));

    searchLabel = Fetch<wxStaticText>(res::kSearchLabel);
    searchEdit = Fetch<wxTextCtrl>(res::kSearchEdit);
    searchButton = Fetch<wxButton>(res::kSearchButton);
    allButton = Fetch<wxButton>(res::kAllButton);
    for (int row = 0; row < static_cast<int>(kanaButtons.size()); ++row) {
        kanaButtons[row] = Fetch<wxButton>(res::kFirstKanaButton + row);
    }
    titleList = Fetch<wxListBox>(res::kTitleList);
    detailEdit = Fetch<wxTextCtrl>(res::kDetailEdit);
    counterLabel = Fetch<wxStaticText>(res::kCounterLabel);
    fontButton = Fetch<wxButton>(res::kFontButton);

    SetClientSize(templateSize);
    CentreOnScreen();
    AddAboutEntry();
    SetIcons(res::AppIconBundle());
    TransferToControls();
    // No control can take the focus yet; the client area takes it, so that Esc reaches the
    // dialog (GTK hands keys to the focused widget only). The first open gives it back.
    clientArea->SetCanFocus(true);
    clientArea->SetFocus();
}

MainDialog::~MainDialog() = default;

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
    detailEdit->ChangeValue(platform::wx::ToControlLineEnds(detailText));
    searchEdit->ChangeValue(searchText);
    counterLabel->SetLabelText(counterText);
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
    std::string text = store.RawTitleAt(row) + kCrLf;
    const std::string reading = store.ReadingAt(row);
    if (!reading.empty()) {
        text += kOpenParenthesis + reading + kCloseParenthesis + kCrLf;
    }
    text += kCrLf;
    const std::string text2 = store.Text2At(row);
    if (!text2.empty()) {
        text += text2 + kCrLf;
    }
    text += store.Text1At(row) + kCrLf;
    detailText = platform::wx::FromSjis(text);
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
    const std::optional<wxString> path = platform::wx::ShowFileDialog(this, request);
    if (!path) {
        return;
    }
    if (store.Load(platform::wx::ToPath(*path))) {
        RefreshList();
        titleList->SetSelection(0);
        ShowDetail(0);
    }
    // The first open decides where the keyboard starts, and the client area stops being a tab
    // stop of its own.
    const bool firstOpen = !searchEdit->IsEnabled();
    EnableControls();
    GetMenuBar()->Enable(res::MenuItemId(res::kTextExportCommand), true);
    GetMenuBar()->Enable(res::MenuItemId(res::kCsvExportCommand), true);
    TransferToControls();
    if (firstOpen) {
        searchEdit->SetFocus();
        clientArea->SetCanFocus(false);
    }
}

void MainDialog::OnExit(wxCommandEvent&) {
    EndModal(0);
}

void MainDialog::OnTextExport(wxCommandEvent&) {
    if (!store.IsLoaded()) {
        return;
    }
    const auto path = platform::wx::ShowFileDialog(this, SaveRequest("txt", kTextFilter));
    if (path) {
        ExportText(store, platform::wx::ToPath(*path));
    }
}

void MainDialog::OnCsvExport(wxCommandEvent&) {
    if (!store.IsLoaded()) {
        return;
    }
    const auto path = platform::wx::ShowFileDialog(this, SaveRequest("csv", kCsvFilter));
    if (path) {
        ExportCsv(store, platform::wx::ToPath(*path));
    }
}

void MainDialog::OnAbout(wxCommandEvent&) {
    AboutDialog about(this);
    about.ShowModal();
}

void MainDialog::OnSelectionChanged(wxCommandEvent&) {
    ShowDetail(titleList->GetSelection());
    TransferToControls();
}

void MainDialog::OnKanaRow(wxCommandEvent& event) {
    if (!store.IsLoaded()) {
        return;
    }
    store.FilterByKanaRow(event.GetId() - res::kFirstKanaButton);
    RefreshList();
    TransferToControls();
}

void MainDialog::OnAll(wxCommandEvent&) {
    if (!store.IsLoaded()) {
        return;
    }
    store.ShowAll();
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
        store.Search(*text);
    } else {
        store.ShowNone();
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
}

void MainDialog::OnCharHook(wxKeyEvent& event) {
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

void MainDialog::AddAboutEntry() {
    const wxString text(res::kAboutCommandText);
#ifdef __WXMSW__
    if (wxMenu* systemMenu = MSWGetSystemMenu()) {
        systemMenu->AppendSeparator();
        systemMenu->Append(res::kAboutCommand, text);
    }
#else
    // GTK has no system menu that an application can extend; the entry gets a menu of its own.
    auto* help = new wxMenu;
    help->Append(res::kAboutCommand, text);
    GetMenuBar()->Append(help, kHelpMenuTitle);
#endif
}

void MainDialog::PressSearchButton() {
    wxCommandEvent click(wxEVT_BUTTON, res::kSearchButton);
    click.SetEventObject(searchButton);
    searchButton->ProcessWindowEvent(click);
}

template <typename Control>
Control* MainDialog::Fetch(int id) {
    auto* control = dynamic_cast<Control*>(FindWindow(id));
    wxASSERT_MSG(control != nullptr, wxString::Format("template 102 lacks control %d", id));
    return control;
}

// The message map, laid out as a table (clang-format is off from here to the end).
// clang-format off
wxBEGIN_EVENT_TABLE(MainDialog, wxFrame)
    EVT_MENU(res::MenuItemId(res::kOpenCommand), MainDialog::OnOpen)
    EVT_MENU(res::MenuItemId(res::kExitCommand), MainDialog::OnExit)
    EVT_MENU(res::MenuItemId(res::kTextExportCommand), MainDialog::OnTextExport)
    EVT_MENU(res::MenuItemId(res::kCsvExportCommand), MainDialog::OnCsvExport)
    EVT_MENU(res::kAboutCommand, MainDialog::OnAbout)
    EVT_LISTBOX(res::kTitleList, MainDialog::OnSelectionChanged)
    EVT_COMMAND_RANGE(res::kFirstKanaButton, res::kLastKanaButton, wxEVT_BUTTON,
                      MainDialog::OnKanaRow)
    EVT_BUTTON(res::kAllButton, MainDialog::OnAll)
    EVT_BUTTON(res::kSearchButton, MainDialog::OnSearch)
    EVT_BUTTON(res::kFontButton, MainDialog::OnFont)
    EVT_CHAR_HOOK(MainDialog::OnCharHook)
    EVT_CLOSE(MainDialog::OnClose)
wxEND_EVENT_TABLE()
