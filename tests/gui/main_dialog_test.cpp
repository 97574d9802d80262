// Drives the real main dialog under a display: the common dialogs and the message box are
// answered through the platform hooks, everything else is the dialog's own.

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/filedlg.h>
#include <wx/filefn.h>
#include <wx/fontdata.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/settings.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/testing.h>
#include <wx/textctrl.h>

#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "export/glossary_export.h"
#include "glossary/glossary_store.h"
#include "platform/wx/file_dialog.h"
#include "platform/wx/font_dialog.h"
#include "platform/wx/message_box.h"
#include "platform/wx/wx_text.h"
#include "resources/resource_ids.h"
#include "support/glossary_fixture.h"
#include "viewer/about_dialog.h"
#include "viewer/main_dialog.h"
#include "viewer_fixture.h"

namespace {

using platform::wx::FileDialogRequest;

struct ShownMessage {
    wxString text;
    wxString caption;
    long style;
};

const wxString kCaption = L"ホシノワ 用語集 Viewer";
const wxString kOpenFailed = L"ファイルのオープンに失敗しました。";

// Every control of template 102, in creation order.
const std::vector<int> kAllControls = {res::kSearchLabel,
                                       res::kSearchEdit,
                                       1001,
                                       1002,
                                       1003,
                                       1004,
                                       1005,
                                       1006,
                                       1007,
                                       1008,
                                       1009,
                                       1010,
                                       1011,
                                       1012,
                                       1013,
                                       1014,
                                       1015,
                                       1018};

class MainDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        startDirectory = wxGetCwd();
        previousFileHook = platform::wx::SetFileDialogHook([this](const FileDialogRequest& r) {
            fileRequests.push_back(r);
            if (fileAnswers.empty()) {
                ADD_FAILURE() << "a file dialog nobody expected";
                return std::optional<wxString>();
            }
            const std::optional<wxString> answer = fileAnswers.front();
            fileAnswers.pop_front();
            return answer;
        });
        previousMessageHook = platform::wx::SetMessageBoxHook(
            [this](const wxString& text, const wxString& caption, long style) {
                messages.push_back({text, caption, style});
                return wxOK;
            });
        previousFontHook = platform::wx::SetFontDialogHook([this](const wxFontData& data) {
            fontRequests.push_back(data);
            return fontAnswer;
        });
        WriteGlossary(folder / "YGS_PRG.BIN", ViewerEntries());
        dialog = std::make_unique<MainDialog>();
        dialog->Show();
    }

    void TearDown() override {
        dialog.reset();
        platform::wx::SetFileDialogHook(previousFileHook);
        platform::wx::SetMessageBoxHook(previousMessageHook);
        platform::wx::SetFontDialogHook(previousFontHook);
        wxSetWorkingDirectory(startDirectory);
    }

    wxString dataFile() const { return platform::wx::FromPath(folder / "YGS_PRG.BIN"); }

    template <typename Control>
    Control* Get(int id) const {
        auto* control = dynamic_cast<Control*>(dialog->FindWindow(id));
        EXPECT_NE(control, nullptr) << id;
        return control;
    }

    // What a user can do.
    void ChooseMenu(int id) {
        wxMenu* menu = nullptr;
        ASSERT_NE(dialog->GetMenuBar()->FindItem(id, &menu), nullptr) << id;
        ASSERT_TRUE(dialog->GetMenuBar()->IsEnabled(id)) << "menu item " << id << " is grayed";
        menu->SendEvent(id);
    }

    void Click(int id) {
        auto* button = Get<wxButton>(id);
        ASSERT_TRUE(button->IsEnabled()) << "button " << id << " is disabled";
        wxCommandEvent click(wxEVT_BUTTON, id);
        click.SetEventObject(button);
        button->ProcessWindowEvent(click);
    }

    void SelectRow(int row) {
        auto* list = Get<wxListBox>(res::kTitleList);
        list->SetSelection(row);
        wxCommandEvent changed(wxEVT_LISTBOX, res::kTitleList);
        changed.SetEventObject(list);
        changed.SetInt(row);
        list->ProcessWindowEvent(changed);
    }

    void Type(int id, const wxString& text) { Get<wxTextCtrl>(id)->SetValue(text); }

    void Open(const std::optional<wxString>& answer) {
        fileAnswers.push_back(answer);
        ChooseMenu(res::MenuItemId(res::kOpenCommand));
    }

    // What the user sees.
    std::vector<wxString> Titles() const {
        const wxArrayString items = Get<wxListBox>(res::kTitleList)->GetStrings();
        return std::vector<wxString>(items.begin(), items.end());
    }
    int SelectedRow() const { return Get<wxListBox>(res::kTitleList)->GetSelection(); }
    wxString Detail() const { return Get<wxTextCtrl>(res::kDetailEdit)->GetValue(); }
    wxString SearchBox() const { return Get<wxTextCtrl>(res::kSearchEdit)->GetValue(); }
    wxString Counter() const { return Get<wxStaticText>(res::kCounterLabel)->GetLabelText(); }
    bool MenuEnabled(int id) const { return dialog->GetMenuBar()->IsEnabled(id); }

    // The engine's own export of the view after `filter`, from a store of its own.
    template <typename Filter>
    std::string EngineExport(bool csv, Filter filter) {
        GlossaryStore store;
        EXPECT_TRUE(store.Load(folder / "YGS_PRG.BIN"));
        filter(store);
        const auto path = folder / "expected";
        EXPECT_TRUE(csv ? ExportCsv(store, path) : ExportText(store, path));
        return ReadBytes(path);
    }

    TempDir folder;
    wxString startDirectory;
    std::unique_ptr<MainDialog> dialog;
    std::deque<std::optional<wxString>> fileAnswers;
    std::vector<FileDialogRequest> fileRequests;
    std::vector<ShownMessage> messages;
    std::vector<wxFontData> fontRequests;
    std::optional<wxFont> fontAnswer;

  private:
    platform::wx::FileDialogHook previousFileHook;
    platform::wx::MessageBoxHook previousMessageHook;
    platform::wx::FontDialogHook previousFontHook;
};

// The detail pane of an entry, as the control holds it (LF line ends).
const wxString kStairsDetail = L"「階段」\n（かいだん）\n\nS000\nT000\n";
const wxString kFirstNumberedDetail = L"E005\n\nS005\nT005\n";

TEST_F(MainDialogTest, StartsWithEverythingDisabledAndEmpty) {
    for (int id : kAllControls) {
        EXPECT_FALSE(dialog->FindWindow(id)->IsEnabled()) << id;
    }
    EXPECT_FALSE(MenuEnabled(res::MenuItemId(res::kTextExportCommand)));
    EXPECT_FALSE(MenuEnabled(res::MenuItemId(res::kCsvExportCommand)));
    EXPECT_TRUE(MenuEnabled(res::MenuItemId(res::kOpenCommand)));
    EXPECT_TRUE(MenuEnabled(res::MenuItemId(res::kExitCommand)));
    EXPECT_TRUE(Titles().empty());
    EXPECT_EQ(Detail(), "");
    EXPECT_EQ(SearchBox(), "");
    EXPECT_EQ(Counter(), "");  // the template's "0/0" is replaced by the empty counter text
    EXPECT_EQ(dialog->GetTitle(), kCaption);
    EXPECT_EQ(Get<wxButton>(res::kSearchButton), dialog->GetDefaultItem());

    // Menu 131 with its mnemonics.
    wxMenuBar* menus = dialog->GetMenuBar();
    EXPECT_EQ(menus->GetMenuLabel(0), wxString(L"ファイル(&F)"));
    EXPECT_EQ(menus->GetLabel(res::MenuItemId(res::kOpenCommand)), wxString(L"ファイルを開く(&O)"));
    EXPECT_EQ(menus->GetLabel(res::MenuItemId(res::kTextExportCommand)),
              wxString(L"テキストファイル(&T)"));
    EXPECT_EQ(menus->GetLabel(res::MenuItemId(res::kCsvExportCommand)),
              wxString(L"CSVファイル(&C)"));
    EXPECT_EQ(menus->GetLabel(res::MenuItemId(res::kExitCommand)),
              wxString(L"用語集Viewerを終了(&E)"));
}

TEST_F(MainDialogTest, TemplateKeepsTheTabOrderAndDialogUnitLayout) {
    Open(dataFile());
    std::vector<int> tabStops;
    for (wxWindow* child : dialog->FindWindow(res::kSearchEdit)->GetParent()->GetChildren()) {
        if (child->CanAcceptFocus()) {
            tabStops.push_back(child->GetId());
        }
    }
    EXPECT_EQ(tabStops, (std::vector<int>{1000, 1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008,
                                          1009, 1010, 1011, 1012, 1013, 1014, 1018}));
    // Positions follow the template's dialog units in the template font.
    wxWindow* list = dialog->FindWindow(res::kTitleList);
    EXPECT_EQ(list->GetPosition(), list->GetParent()->ConvertDialogToPixels(wxPoint(7, 52)));
    EXPECT_EQ(dialog->GetClientSize(), list->GetParent()->ConvertDialogToPixels(wxSize(351, 262)));
    EXPECT_EQ(list->GetParent()->GetFont().GetPointSize(), 10);
}

TEST_F(MainDialogTest, OpenAsksForTheGlossaryInTheCurrentDirectory) {
    Open(std::nullopt);
    ASSERT_EQ(fileRequests.size(), 1u);
    const FileDialogRequest& request = fileRequests[0];
    EXPECT_EQ(request.defaultFile, "YGS_PRG.BIN");
    EXPECT_EQ(request.defaultDirectory, wxGetCwd());
    EXPECT_EQ(request.wildcard, wxString(L"用語集バイナリファイル (YGS_PRG.BIN)|YGS_PRG.BIN"));
    EXPECT_EQ(request.defaultExtension, "");
    EXPECT_EQ(request.style, wxFD_OPEN | wxFD_FILE_MUST_EXIST | wxFD_CHANGE_DIR);
    // Cancel changes nothing.
    EXPECT_FALSE(dialog->FindWindow(res::kSearchEdit)->IsEnabled());
    EXPECT_FALSE(MenuEnabled(res::MenuItemId(res::kCsvExportCommand)));
}

TEST_F(MainDialogTest, OpenShowsAllEntriesInKanaOrderAndEnablesEverything) {
    Open(dataFile());
    const std::vector<wxString> titles = Titles();
    ASSERT_EQ(titles.size(), 294u);
    EXPECT_EQ(titles[0], "E005");
    EXPECT_EQ(titles[287], "E293");
    EXPECT_EQ(std::vector<wxString>(titles.begin() + 288, titles.end()),
              (std::vector<wxString>{L"朝日", L"階段", L"カメラ", L"機械", L"桜", "E228"}));
    EXPECT_EQ(SelectedRow(), 0);
    EXPECT_EQ(Detail(), kFirstNumberedDetail);
    EXPECT_EQ(Counter(), "294/294");
    for (int id : kAllControls) {
        EXPECT_TRUE(dialog->FindWindow(id)->IsEnabled()) << id;
    }
    EXPECT_TRUE(MenuEnabled(res::MenuItemId(res::kTextExportCommand)));
    EXPECT_TRUE(MenuEnabled(res::MenuItemId(res::kCsvExportCommand)));
    EXPECT_TRUE(messages.empty());
}

TEST_F(MainDialogTest, FailedFirstOpenEnablesControlsThatThenDoNothing) {
    Open(platform::wx::FromPath(folder / "missing" / "YGS_PRG.BIN"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, kOpenFailed);
    EXPECT_EQ(messages[0].caption, kCaption);
    EXPECT_EQ(messages[0].style, wxOK | wxICON_EXCLAMATION);
    for (int id : kAllControls) {
        EXPECT_TRUE(dialog->FindWindow(id)->IsEnabled()) << id;
    }
    EXPECT_TRUE(MenuEnabled(res::MenuItemId(res::kCsvExportCommand)));

    // Nothing is loaded: the data commands and the exports do nothing, not even a dialog.
    Type(res::kSearchEdit, "E0");
    Click(res::kSearchButton);
    Click(1004);
    Click(res::kAllButton);
    ChooseMenu(res::MenuItemId(res::kTextExportCommand));
    ChooseMenu(res::MenuItemId(res::kCsvExportCommand));
    EXPECT_EQ(fileRequests.size(), 1u);
    EXPECT_TRUE(Titles().empty());
    EXPECT_EQ(Counter(), "");
    EXPECT_EQ(SearchBox(), "E0");
}

TEST_F(MainDialogTest, FailedOpenAfterALoadKeepsTheList) {
    Open(dataFile());
    Click(1004);
    Open(platform::wx::FromPath(folder / "missing.BIN"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, kOpenFailed);
    EXPECT_EQ(Titles(), (std::vector<wxString>{L"階段", L"カメラ", L"機械"}));
    EXPECT_EQ(Counter(), "3/294");
    EXPECT_EQ(Detail(), kStairsDetail);
}

TEST_F(MainDialogTest, KanaRowsNarrowTheListAndAllRestoresIt) {
    Open(dataFile());
    Click(1004);  // か
    EXPECT_EQ(Titles(), (std::vector<wxString>{L"階段", L"カメラ", L"機械"}));
    EXPECT_EQ(SelectedRow(), 0);
    EXPECT_EQ(Detail(), kStairsDetail);
    EXPECT_EQ(Counter(), "3/294");

    Click(1003);  // あ
    EXPECT_EQ(Titles(), (std::vector<wxString>{L"朝日"}));
    EXPECT_EQ(Counter(), "1/294");
    const wxString morningDetail = Detail();
    EXPECT_EQ(morningDetail, wxString(L"朝日\n（あさひ）\n\nT003\n"));

    // An empty row empties the list but keeps the detail pane.
    Click(1006);  // た
    EXPECT_TRUE(Titles().empty());
    EXPECT_EQ(Counter(), "0/294");
    EXPECT_EQ(Detail(), morningDetail);

    Click(res::kAllButton);
    EXPECT_EQ(Titles().size(), 294u);
    EXPECT_EQ(Counter(), "294/294");
    EXPECT_EQ(Detail(), kFirstNumberedDetail);
}

TEST_F(MainDialogTest, SelectingARowShowsItsEntry) {
    Open(dataFile());
    SelectRow(289);  // 階段: reading and text2
    EXPECT_EQ(Detail(), kStairsDetail);
    SelectRow(290);  // カメラ: neither reading nor text2
    EXPECT_EQ(Detail(), wxString(L"カメラ\n\nT001\n"));
    EXPECT_EQ(Counter(), "294/294");
}

TEST_F(MainDialogTest, SearchNarrowsTheListOrEmptiesIt) {
    Open(dataFile());
    Type(res::kSearchEdit, L"階");
    Click(res::kSearchButton);
    EXPECT_EQ(Titles(), (std::vector<wxString>{L"階段"}));
    EXPECT_EQ(Counter(), "1/294");
    EXPECT_EQ(Detail(), kStairsDetail);

    Type(res::kSearchEdit, L"存在しない");
    Click(res::kSearchButton);
    EXPECT_TRUE(Titles().empty());
    EXPECT_EQ(Detail(), "");
    EXPECT_EQ(Counter(), "0/294");
    EXPECT_EQ(SearchBox(), L"存在しない");

    // A text with no Shift-JIS form cannot occur in the glossary.
    Click(res::kAllButton);
    Type(res::kSearchEdit, L"한국");
    Click(res::kSearchButton);
    EXPECT_TRUE(Titles().empty());
    EXPECT_EQ(Detail(), "");
    EXPECT_EQ(Counter(), "0/294");
    EXPECT_EQ(SearchBox(), L"한국");
}

TEST_F(MainDialogTest, SearchFindsCp932CharactersWhicheverUnicodeFormIsTyped) {
    Open(dataFile());
    for (const wchar_t* waveDash : {L"波\u301C線", L"波\uFF5E線"}) {
        Type(res::kSearchEdit, waveDash);
        Click(res::kSearchButton);
        EXPECT_EQ(Titles(), (std::vector<wxString>{L"桜"})) << wxString(waveDash);
    }
    // Text from the data decodes to the same characters on every system.
    EXPECT_EQ(Detail(), wxString(L"桜\n（さくら）\n\n波\uFF5E線\n"));
}

TEST_F(MainDialogTest, SearchWithAnEmptyBoxOnlyReadsTheControls) {
    Open(dataFile());
    Click(1004);
    Type(res::kDetailEdit, "edited by hand\nsecond line");
    Type(res::kSearchEdit, "");
    Click(res::kSearchButton);
    EXPECT_EQ(Titles().size(), 3u);
    EXPECT_EQ(Counter(), "3/294");
    EXPECT_EQ(Detail(), "edited by hand\nsecond line");

    // The edit was read into the detail text, so an empty row writes it back.
    Type(res::kDetailEdit, "a later edit");
    Click(1006);
    EXPECT_EQ(Detail(), "edited by hand\nsecond line");
}

TEST_F(MainDialogTest, TypedButUnsearchedTextIsReplacedByTheLastSearchedText) {
    Open(dataFile());
    Type(res::kSearchEdit, L"階");
    Click(1004);
    EXPECT_EQ(SearchBox(), "");  // nothing was searched yet

    Type(res::kSearchEdit, L"カメラ");
    Click(res::kSearchButton);
    Type(res::kSearchEdit, L"typed, not searched");
    SelectRow(0);
    EXPECT_EQ(SearchBox(), L"カメラ");
    Type(res::kSearchEdit, L"again");
    Click(res::kAllButton);
    EXPECT_EQ(SearchBox(), L"カメラ");
    Type(res::kSearchEdit, L"and again");
    Open(dataFile());
    EXPECT_EQ(SearchBox(), L"カメラ");

    // A search with an empty box empties the search text too.
    Type(res::kSearchEdit, "");
    Click(res::kSearchButton);
    Type(res::kSearchEdit, "x");
    Click(1004);
    EXPECT_EQ(SearchBox(), "");
}

TEST_F(MainDialogTest, FontCommandChangesOnlyTheDetailPane) {
    auto* detail = Get<wxTextCtrl>(res::kDetailEdit);
    auto* list = Get<wxListBox>(res::kTitleList);
    const wxFont listFont = list->GetFont();
    const wxFont templateFont = detail->GetFont();

    Open(platform::wx::FromPath(folder / "missing.BIN"));  // the font command needs no data
    fontAnswer = wxFont(wxFontInfo(16).FaceName("Noto Serif CJK JP"));
    Click(res::kFontButton);
    ASSERT_EQ(fontRequests.size(), 1u);
    EXPECT_EQ(fontRequests[0].GetInitialFont(), templateFont);
    EXPECT_FALSE(fontRequests[0].GetEnableEffects());
    EXPECT_EQ(detail->GetFont(), *fontAnswer);
    EXPECT_EQ(list->GetFont(), listFont);

    // The next font dialog starts from the pane's new font; cancel keeps it.
    fontAnswer = std::nullopt;
    Click(res::kFontButton);
    ASSERT_EQ(fontRequests.size(), 2u);
    EXPECT_EQ(fontRequests[1].GetInitialFont().GetPointSize(), 16);
    EXPECT_EQ(detail->GetFont().GetPointSize(), 16);

    // A choice that gives no font leaves the pane with the system font.
    fontAnswer = wxFont();
    Click(res::kFontButton);
    EXPECT_EQ(detail->GetFont(), detail->GetDefaultAttributes().font);
}

TEST_F(MainDialogTest, ExportsWriteTheListedRowsLikeTheEngine) {
    Open(dataFile());
    Click(1004);
    fileAnswers.push_back(platform::wx::FromPath(folder / "rows.csv"));
    ChooseMenu(res::MenuItemId(res::kCsvExportCommand));
    fileAnswers.push_back(platform::wx::FromPath(folder / "rows.txt"));
    ChooseMenu(res::MenuItemId(res::kTextExportCommand));

    ASSERT_EQ(fileRequests.size(), 3u);
    const FileDialogRequest& csv = fileRequests[1];
    EXPECT_EQ(csv.style, wxFD_SAVE | wxFD_OVERWRITE_PROMPT | wxFD_CHANGE_DIR);
    EXPECT_EQ(csv.defaultExtension, "csv");
    EXPECT_EQ(csv.defaultFile, "*.csv");
    EXPECT_EQ(csv.defaultDirectory, "");
    EXPECT_EQ(csv.wildcard, wxString(L"ＣＳＶ ファイル (*.csv)|*.csv|すべてのファイル (*.*)|*.*"));
    const FileDialogRequest& text = fileRequests[2];
    EXPECT_EQ(text.style, wxFD_SAVE | wxFD_OVERWRITE_PROMPT | wxFD_CHANGE_DIR);
    EXPECT_EQ(text.defaultExtension, "txt");
    EXPECT_EQ(text.defaultFile, "*.txt");
    EXPECT_EQ(text.wildcard,
              wxString(L"テキスト ファイル (*.txt)|*.txt|すべてのファイル (*.*)|*.*"));

    const auto kaRow = [](GlossaryStore& store) { store.FilterByKanaRow(1); };
    EXPECT_EQ(ReadBytes(folder / "rows.csv"), EngineExport(true, kaRow));
    EXPECT_EQ(ReadBytes(folder / "rows.txt"), EngineExport(false, kaRow));
    EXPECT_TRUE(messages.empty());
}

TEST_F(MainDialogTest, ExportAddsTheDefaultExtensionAndMovesTheCurrentDirectory) {
    Open(dataFile());
    ASSERT_TRUE(std::filesystem::create_directory(folder / "out"));
    fileAnswers.push_back(platform::wx::FromPath(folder / "out" / "all"));
    ChooseMenu(res::MenuItemId(res::kCsvExportCommand));
    const auto all = [](GlossaryStore& store) { store.ShowAll(); };
    EXPECT_EQ(ReadBytes(folder / "out" / "all.csv"), EngineExport(true, all));

    // The folder chosen in a file dialog becomes the current directory: the next open starts
    // there.
    Open(std::nullopt);
    EXPECT_EQ(fileRequests.back().defaultDirectory, platform::wx::FromPath(folder / "out"));
}

TEST_F(MainDialogTest, ExportCancelWritesNothingAndAFailureIsReported) {
    Open(dataFile());
    fileAnswers.push_back(std::nullopt);
    ChooseMenu(res::MenuItemId(res::kTextExportCommand));
    EXPECT_TRUE(messages.empty());

    fileAnswers.push_back(platform::wx::FromPath(folder / "no such folder" / "x.txt"));
    ChooseMenu(res::MenuItemId(res::kTextExportCommand));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, kOpenFailed);
    EXPECT_EQ(messages[0].style, wxOK | wxICON_EXCLAMATION);
    EXPECT_EQ(Titles().size(), 294u);
}

// Looks at the about box in place of showing it and closes it with OK.
struct AboutSeen {
    bool shown = false;
    wxString title;
    std::vector<wxString> texts;
    bool hasIcon = false;
    wxWindow* parent = nullptr;
    wxPoint centre;
};

class ExpectAbout : public wxExpectModalBase<AboutDialog, ExpectAbout> {
  public:
    explicit ExpectAbout(AboutSeen& seen) : seen(&seen) {}

  protected:
    int OnInvoked(AboutDialog* about) const override {
        seen->shown = true;
        seen->title = about->GetTitle();
        for (wxWindow* child : about->FindWindow("client")->GetChildren()) {
            if (auto* text = dynamic_cast<wxStaticText*>(child)) {
                seen->texts.push_back(text->GetLabel());
            }
            if (auto* icon = dynamic_cast<wxStaticBitmap*>(child)) {
                seen->hasIcon = icon->GetBitmap().IsOk() && icon->GetBitmap().GetWidth() == 32;
            }
        }
        seen->parent = about->GetParent();
        const wxRect frame = about->GetRect();
        seen->centre = wxPoint(frame.x + frame.width / 2, frame.y + frame.height / 2);
        return wxID_OK;
    }

  private:
    AboutSeen* seen;
};

TEST_F(MainDialogTest, AboutEntryOpensTheVersionBoxAndReturnsUnchanged) {
    wxMenuBar* menus = dialog->GetMenuBar();
    const size_t last = menus->GetMenuCount() - 1;
    EXPECT_EQ(menus->GetMenuLabel(last), wxString(L"ヘルプ(&H)"));
    ASSERT_EQ(menus->GetMenu(last)->GetMenuItemCount(), 1u);
    EXPECT_EQ(menus->GetMenu(last)->FindItemByPosition(0)->GetId(), res::kAboutCommand);
    EXPECT_EQ(menus->GetMenu(last)->FindItemByPosition(0)->GetItemLabel(),
              wxString(L"hoshiwa2 のﾊﾞｰｼﾞｮﾝ情報(&A)..."));

    Open(dataFile());
    Click(1004);
    AboutSeen seen;
    wxTEST_DIALOG(ChooseMenu(res::kAboutCommand), ExpectAbout(seen));
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(seen.title, wxString(L"ホシノワ用語集 Viewer ﾊﾞｰｼﾞｮﾝ情報"));
    ASSERT_EQ(seen.texts.size(), 2u);
    EXPECT_EQ(seen.texts[0], wxString(L"ホシノワ用語集 Viewer  Version 1.03"));
    EXPECT_TRUE(seen.hasIcon);
    EXPECT_EQ(seen.parent, dialog.get());
    const wxRect main = dialog->GetRect();
    EXPECT_NEAR(seen.centre.x, main.x + main.width / 2, 1);
    EXPECT_NEAR(seen.centre.y, main.y + main.height / 2, 1);

    EXPECT_EQ(Titles().size(), 3u);
    EXPECT_EQ(Counter(), "3/294");
    EXPECT_EQ(Detail(), kStairsDetail);
}

TEST_F(MainDialogTest, ExitEscapeAndCloseBoxEndTheModalRun) {
    dialog->CallAfter([this] { ChooseMenu(res::MenuItemId(res::kExitCommand)); });
    EXPECT_EQ(dialog->ShowModal(), 0);

    dialog->CallAfter([this] {
        wxKeyEvent escape(wxEVT_CHAR_HOOK);
        escape.m_keyCode = WXK_ESCAPE;
        escape.SetEventObject(dialog.get());
        dialog->ProcessWindowEvent(escape);
    });
    EXPECT_EQ(dialog->ShowModal(), wxID_CANCEL);

    dialog->CallAfter([this] { dialog->Close(); });
    EXPECT_EQ(dialog->ShowModal(), wxID_CANCEL);
    EXPECT_FALSE(dialog->IsShown());
}

}  // namespace
