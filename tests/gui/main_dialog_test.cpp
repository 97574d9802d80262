// Drives the real main dialog under a display. Its modal dialogs are answered through wx's
// wxTEST_DIALOG; everything else is the dialog's own.

#include <gtest/gtest.h>
#include <wx/app.h>
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
#include <wx/utils.h>
#include <wx/xrc/xmlres.h>

#include <memory>
#include <optional>
#include <set>
#include <tuple>
#include <vector>

#include "export/dictionary_entries.h"
#include "export/stardict_export.h"
#include "platform/wx/about_entry.h"
#include "platform/wx/wx_text.h"
#include "support/glossary_fixture.h"
#include "viewer/about_dialog.h"
#include "viewer_session.h"

namespace {

const wxString kCaption = L"ホシノワ 用語集 Viewer";
const wxString kOpenFailed = L"ファイルのオープンに失敗しました。";

// Every control of the main dialog, in creation order.
const std::vector<const char*> kAllControls = {
    "search_label", "search_text", "search_button", "all_button",  "kana_a",  "kana_ka",
    "kana_sa",      "kana_ta",     "kana_na",       "kana_ha",     "kana_ma", "kana_ya",
    "kana_ra",      "kana_wa",     "title_list",    "detail_text", "counter", "font_button"};

class MainDialogTest : public ViewerSession {};

// The detail pane of an entry, as the control holds it (LF line ends).
const wxString kStairsDetail = L"「階段」\n（かいだん）\n\nS000\nT000\n";
const wxString kFirstNumberedDetail = L"E005\n\nS005\nT005\n";

TEST_F(MainDialogTest, StartsWithEverythingDisabledAndEmpty) {
    for (const char* name : kAllControls) {
        EXPECT_FALSE(Get(name)->IsEnabled()) << name;
    }
    EXPECT_FALSE(MenuEnabled(XRCID("text_export")));
    EXPECT_FALSE(MenuEnabled(XRCID("csv_export")));
    EXPECT_TRUE(MenuEnabled(wxID_OPEN));
    EXPECT_TRUE(MenuEnabled(wxID_EXIT));
    EXPECT_TRUE(Titles().empty());
    EXPECT_EQ(Detail(), "");
    EXPECT_EQ(SearchText(), "");
    EXPECT_EQ(Counter(), "");  // the template's "0/0" is replaced by the empty counter text
    EXPECT_EQ(dialog->GetTitle(), kCaption);
    EXPECT_EQ(Get<wxButton>("search_button"), dialog->GetDefaultItem());
}

// Every menu and item can be reached from the keyboard: each has one mnemonic, no two in the same
// menu (or the bar) share one, and no two items share a shortcut.
void ExpectMnemonicsOfTheirOwn(const std::vector<wxString>& labels, const wxString& where,
                               std::set<wxString>& shortcuts) {
    std::set<wxUniChar> used;
    for (const wxString& label : labels) {
        const wxString text = label.BeforeFirst('\t');
        const int amp = text.Find('&');
        ASSERT_TRUE(amp != wxNOT_FOUND && amp + 1 < static_cast<int>(text.length()))
            << where << ": no mnemonic in " << label;
        EXPECT_TRUE(used.insert(wxToupper(text[amp + 1])).second)
            << where << ": the mnemonic of " << label << " is taken";
        const wxString shortcut = label.AfterFirst('\t');
        EXPECT_TRUE(shortcut.empty() || shortcuts.insert(shortcut).second) << label;
    }
}

void ExpectMnemonicsOfTheirOwn(const wxMenu* menu, const wxString& where,
                               std::set<wxString>& shortcuts) {
    std::vector<wxString> labels;
    for (const wxMenuItem* item : menu->GetMenuItems()) {
        if (!item->IsSeparator()) {
            labels.push_back(item->GetItemLabel());
            if (item->IsSubMenu()) {
                ExpectMnemonicsOfTheirOwn(item->GetSubMenu(), item->GetItemLabel(), shortcuts);
            }
        }
    }
    ExpectMnemonicsOfTheirOwn(labels, where, shortcuts);
}

TEST_F(MainDialogTest, EveryMenuAndItemHasAMnemonicOfItsOwn) {
    Open(DataFile());  // the recent files' submenu fills
    wxMenuBar* menus = dialog->GetMenuBar();
    std::vector<wxString> titles;
    std::set<wxString> shortcuts;
    for (size_t i = 0; i < menus->GetMenuCount(); ++i) {
        titles.push_back(menus->GetMenuLabel(i));
        ExpectMnemonicsOfTheirOwn(menus->GetMenu(i), titles.back(), shortcuts);
    }
    ExpectMnemonicsOfTheirOwn(titles, "the menu bar", shortcuts);
}

TEST_F(MainDialogTest, TemplateKeepsTheTabOrderAndDialogUnitLayout) {
    Open(DataFile());
    std::vector<int> tabStops;  // the labels take no focus
    for (wxWindow* child : Get("search_text")->GetParent()->GetChildren()) {
        if (child->CanAcceptFocus()) {
            tabStops.push_back(child->GetId());
        }
    }
    std::vector<int> expected;
    for (const char* name : kAllControls) {
        if (name != std::string("search_label") && name != std::string("counter")) {
            expected.push_back(XRCID(name));
        }
    }
    EXPECT_EQ(tabStops, expected);
    // Positions follow the template's dialog units in the template font.
    wxWindow* list = Get("title_list");
    EXPECT_EQ(list->GetPosition(), list->GetParent()->ConvertDialogToPixels(wxPoint(7, 52)));
    EXPECT_EQ(dialog->GetClientSize(), list->GetParent()->ConvertDialogToPixels(wxSize(351, 262)));
    EXPECT_EQ(list->GetParent()->GetFont().GetPointSize(), 10);
}

// Where controls are in the template (dialog units), and which of their edges (left, top,
// right, bottom) follow the window's right or bottom edge as it grows.
const std::tuple<const char*, wxRect, const char*> kTemplatePlaces[] = {
    {"search_label", {7, 9, 50, 14}, "...."},     {"search_text", {57, 7, 197, 15}, "..r."},
    {"search_button", {262, 7, 47, 16}, "l.r."},  {"all_button", {7, 31, 37, 15}, "...."},
    {"kana_wa", {318, 31, 23, 15}, "...."},       {"title_list", {7, 52, 130, 185}, "...b"},
    {"detail_text", {142, 52, 201, 185}, "..rb"}, {"counter", {13, 240, 57, 15}, ".t.b"},
    {"font_button", {293, 243, 50, 12}, "ltrb"}};

TEST_F(MainDialogTest, OpensAtTheTemplateLayoutAndGivesTheSpaceItGainsToTheTextAndTheList) {
    const wxSize opened = dialog->GetSize();
    EXPECT_EQ(dialog->GetMinSize(), opened);
    EXPECT_EQ(dialog->GetMaxSize(), wxDefaultSize);
    for (const wxSize& grown : {wxSize(), wxSize(150, 100)}) {
        dialog->SetSize(opened + grown);
        dialog->SendSizeEvent();
        for (const auto& [name, rect, follows] : kTemplatePlaces) {
            SCOPED_TRACE(name);
            const wxWindow* panel = Get(name)->GetParent();
            const wxRect at(panel->ConvertDialogToPixels(rect.GetPosition()),
                            panel->ConvertDialogToPixels(rect.GetSize()));
            const wxRect seen = Get(name)->GetRect();
            const int expected[] = {at.x, at.y, at.x + at.width, at.y + at.height};
            const int edges[] = {seen.x, seen.y, seen.x + seen.width, seen.y + seen.height};
            const int gained[] = {grown.x, grown.y, grown.x, grown.y};
            for (int edge = 0; edge < 4; ++edge) {
                // Within a pixel: the sizers round gaps where the template rounded places.
                EXPECT_NEAR(edges[edge], expected[edge] + (follows[edge] == '.' ? 0 : gained[edge]),
                            1)
                    << "edge " << edge;
            }
        }
    }
}

TEST_F(MainDialogTest, OpenAsksForTheGlossaryInTheCurrentDirectory) {
    FileDialogSeen seen;
    Open(std::nullopt, false, &seen);
    EXPECT_EQ(seen.file, "YGS_PRG.BIN");
    EXPECT_EQ(seen.directory, wxGetCwd());
    EXPECT_EQ(seen.caption, wxString(L"開く"));  // the caption a Japanese Windows gives it
#ifdef __WXGTK__
    // The pattern matches the name in any letter case.
    EXPECT_EQ(seen.wildcard, wxString(L"用語集バイナリファイル (YGS_PRG.BIN)|"
                                      L"[yY][gG][sS]_[pP][rR][gG].[bB][iI][nN]"));
#endif
    EXPECT_EQ(seen.style, wxFD_OPEN | wxFD_FILE_MUST_EXIST | wxFD_CHANGE_DIR);
    // Cancel changes nothing.
    EXPECT_FALSE(Get("search_text")->IsEnabled());
    EXPECT_FALSE(MenuEnabled(XRCID("csv_export")));
}

TEST_F(MainDialogTest, OpenShowsAllEntriesInKanaOrderAndEnablesEverything) {
    Open(DataFile());
    const std::vector<wxString> titles = Titles();
    ASSERT_EQ(titles.size(), 294u);
    EXPECT_EQ(titles[0], "E005");
    EXPECT_EQ(titles[287], "E293");
    EXPECT_EQ(std::vector<wxString>(titles.begin() + 288, titles.end()),
              (std::vector<wxString>{L"朝日", L"階段", L"カメラ", L"機械", L"桜", "E228"}));
    EXPECT_EQ(SelectedRow(), 0);
    EXPECT_EQ(Detail(), kFirstNumberedDetail);
    EXPECT_EQ(Counter(), "294/294");
    for (const char* name : kAllControls) {
        EXPECT_TRUE(Get(name)->IsEnabled()) << name;
    }
    EXPECT_TRUE(MenuEnabled(XRCID("text_export")));
    EXPECT_TRUE(MenuEnabled(XRCID("csv_export")));
}

TEST_F(MainDialogTest, FailedFirstOpenEnablesControlsThatThenDoNothing) {
    const MessageSeen message = Open(PathIn("missing/YGS_PRG.BIN"), true);
    EXPECT_EQ(message.text, kOpenFailed);
    EXPECT_EQ(message.caption, kCaption);
    EXPECT_EQ(message.style, wxOK | wxICON_EXCLAMATION);
    for (const char* name : kAllControls) {
        EXPECT_TRUE(Get(name)->IsEnabled()) << name;
    }
    EXPECT_TRUE(MenuEnabled(XRCID("csv_export")));

    // Nothing is loaded: the data commands and the exports do nothing, not even a dialog (one
    // would fail the test).
    Type("search_text", "E0");
    Click("search_button");
    Click("kana_ka");
    Click("all_button");
    ChooseMenu(XRCID("text_export"));
    ChooseMenu(XRCID("csv_export"));
    EXPECT_TRUE(Titles().empty());
    EXPECT_EQ(Counter(), "");
    EXPECT_EQ(SearchText(), "E0");
}

TEST_F(MainDialogTest, FailedOpenAfterALoadKeepsTheList) {
    Open(DataFile());
    Click("kana_ka");
    EXPECT_EQ(Open(PathIn("missing.BIN"), true).text, kOpenFailed);
    EXPECT_EQ(Titles(), (std::vector<wxString>{L"階段", L"カメラ", L"機械"}));
    EXPECT_EQ(Counter(), "3/294");
    EXPECT_EQ(Detail(), kStairsDetail);
}

TEST_F(MainDialogTest, KanaRowsNarrowTheListAndAllRestoresIt) {
    Open(DataFile());
    Click("kana_ka");  // か
    EXPECT_EQ(Titles(), (std::vector<wxString>{L"階段", L"カメラ", L"機械"}));
    EXPECT_EQ(SelectedRow(), 0);
    EXPECT_EQ(Detail(), kStairsDetail);
    EXPECT_EQ(Counter(), "3/294");

    Click("kana_a");  // あ
    EXPECT_EQ(Titles(), (std::vector<wxString>{L"朝日"}));
    EXPECT_EQ(Counter(), "1/294");
    const wxString morningDetail = Detail();
    EXPECT_EQ(morningDetail, wxString(L"朝日\n（あさひ）\n\nT003\n"));

    // An empty row empties the list but keeps the detail pane.
    Click("kana_ta");  // た
    EXPECT_TRUE(Titles().empty());
    EXPECT_EQ(Counter(), "0/294");
    EXPECT_EQ(Detail(), morningDetail);

    Click("all_button");
    EXPECT_EQ(Titles().size(), 294u);
    EXPECT_EQ(Counter(), "294/294");
    EXPECT_EQ(Detail(), kFirstNumberedDetail);
}

TEST_F(MainDialogTest, SelectingARowShowsItsEntry) {
    Open(DataFile());
    SelectRow(289);  // 階段: reading and text2
    EXPECT_EQ(Detail(), kStairsDetail);
    SelectRow(290);  // カメラ: neither reading nor text2
    EXPECT_EQ(Detail(), wxString(L"カメラ\n\nT001\n"));
    EXPECT_EQ(Counter(), "294/294");
}

TEST_F(MainDialogTest, SearchShowsTheEntriesHoldingTheTypedText) {
    Open(DataFile());
    // Text from the data decodes to the same characters on every system.
    const wxString cherryDetail = L"桜\n（さくら）\n\n波\uFF5E線\n";
    const struct {
        const wchar_t* typed;
        std::vector<wxString> titles;
        const char* counter;
        wxString detail;
    } cases[] = {
        {L"階", {L"階段"}, "1/294", kStairsDetail},
        // CP932's wave dash, whichever Unicode form is typed.
        {L"波\u301C線", {L"桜"}, "1/294", cherryDetail},
        {L"波\uFF5E線", {L"桜"}, "1/294", cherryDetail},
        {L"存在しない", {}, "0/294", ""},
        {L"한국", {}, "0/294", ""},  // no Shift-JIS form: it cannot occur in the glossary
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(wxString(c.typed).utf8_string());
        Click("all_button");
        Type("search_text", c.typed);
        Click("search_button");
        EXPECT_EQ(Titles(), c.titles);
        EXPECT_EQ(Counter(), c.counter);
        EXPECT_EQ(Detail(), c.detail);
        EXPECT_EQ(SearchText(), c.typed);
    }
}

TEST_F(MainDialogTest, SearchWithAnEmptyBoxOnlyReadsTheControls) {
    Open(DataFile());
    Click("kana_ka");
    Type("detail_text", "edited by hand\nsecond line");
    Type("search_text", "");
    Click("search_button");
    EXPECT_EQ(Titles().size(), 3u);
    EXPECT_EQ(Counter(), "3/294");
    EXPECT_EQ(Detail(), "edited by hand\nsecond line");

    // The edit was read into the detail text, so an empty row writes it back.
    Type("detail_text", "a later edit");
    Click("kana_ta");
    EXPECT_EQ(Detail(), "edited by hand\nsecond line");
}

TEST_F(MainDialogTest, TypedButUnsearchedTextIsReplacedByTheLastSearchedText) {
    Open(DataFile());
    Type("search_text", L"階");
    Click("kana_ka");
    EXPECT_EQ(SearchText(), "");  // nothing was searched yet

    Type("search_text", L"カメラ");
    Click("search_button");
    Type("search_text", L"typed, not searched");
    SelectRow(0);
    EXPECT_EQ(SearchText(), L"カメラ");
    Type("search_text", L"again");
    Click("all_button");
    EXPECT_EQ(SearchText(), L"カメラ");
    Type("search_text", L"and again");
    Open(DataFile());
    EXPECT_EQ(SearchText(), L"カメラ");

    // A search with an empty box empties the search text too.
    Type("search_text", "");
    Click("search_button");
    Type("search_text", "x");
    Click("kana_ka");
    EXPECT_EQ(SearchText(), "");
}

TEST_F(MainDialogTest, FontCommandChangesOnlyTheDetailPane) {
    auto* detail = Get<wxTextCtrl>("detail_text");
    auto* list = Get<wxListBox>("title_list");
    const wxFont listFont = list->GetFont();
    const wxFont templateFont = detail->GetFont();

    Open(PathIn("missing.BIN"), true);  // the font command needs no data
    const wxFont chosen(wxFontInfo(16).FaceName("Noto Serif CJK JP"));
    wxFontData seen;
    wxTEST_DIALOG(Click("font_button"), ExpectFontDialog(chosen, &seen));
    EXPECT_EQ(seen.GetInitialFont(), templateFont);
    EXPECT_FALSE(seen.GetEnableEffects());
    EXPECT_EQ(detail->GetFont(), chosen);
    EXPECT_EQ(list->GetFont(), listFont);

    // The next font dialog starts from the pane's new font; cancel keeps it.
    wxTEST_DIALOG(Click("font_button"), ExpectFontDialog(std::nullopt, &seen));
    EXPECT_EQ(seen.GetInitialFont().GetPointSize(), 16);
    EXPECT_EQ(detail->GetFont().GetPointSize(), 16);

    // A choice that gives no font leaves the pane with the system font.
    wxTEST_DIALOG(Click("font_button"), ExpectFontDialog(wxFont(), &seen));
    EXPECT_EQ(detail->GetFont(), detail->GetDefaultAttributes().font);
}

TEST_F(MainDialogTest, ExportsWriteTheListedRowsLikeTheEngine) {
    Open(DataFile());
    Click("kana_ka");
    FileDialogSeen csv;
    Export("csv_export", PathIn("rows.csv"), &csv);
    FileDialogSeen text;
    Export("text_export", PathIn("rows.txt"), &text);

    EXPECT_EQ(csv.style, wxFD_SAVE | wxFD_OVERWRITE_PROMPT | wxFD_CHANGE_DIR);
    EXPECT_EQ(text.style, wxFD_SAVE | wxFD_OVERWRITE_PROMPT | wxFD_CHANGE_DIR);
    EXPECT_EQ(csv.caption, wxString(L"名前を付けて保存"));
    EXPECT_EQ(text.caption, wxString(L"名前を付けて保存"));
#ifdef __WXGTK__
    // GTK would save a file literally named "*.csv": the name field starts empty.
    EXPECT_EQ(csv.file, "");
    EXPECT_EQ(csv.wildcard,
              wxString(L"ＣＳＶ ファイル (*.csv)|*.[cC][sS][vV]|すべてのファイル (*.*)|*.*"));
    EXPECT_EQ(text.wildcard,
              wxString(L"テキスト ファイル (*.txt)|*.[tT][xX][tT]|すべてのファイル (*.*)|*.*"));
#else
    EXPECT_EQ(csv.file, "*.csv");
    EXPECT_EQ(csv.wildcard, wxString(L"ＣＳＶ ファイル (*.csv)|*.csv|すべてのファイル (*.*)|*.*"));
    EXPECT_EQ(text.wildcard,
              wxString(L"テキスト ファイル (*.txt)|*.txt|すべてのファイル (*.*)|*.*"));
#endif

    const auto data = folder / "YGS_PRG.BIN";
    EXPECT_EQ(ReadBytes(folder / "rows.csv"), EngineExport(data, true, KanaRowView(1)));
    EXPECT_EQ(ReadBytes(folder / "rows.txt"), EngineExport(data, false, KanaRowView(1)));
}

TEST_F(MainDialogTest, ExportAddsTheDefaultExtensionAndMovesTheCurrentDirectory) {
    Open(DataFile());
    ASSERT_TRUE(std::filesystem::create_directory(folder / "out"));
    Export("csv_export", PathIn("out/all"));
    EXPECT_EQ(ReadBytes(folder / "out" / "all.csv"), EngineExport(folder / "YGS_PRG.BIN", true));

    // The folder chosen in a file dialog becomes the current directory: the next open starts
    // there.
    FileDialogSeen seen;
    Open(std::nullopt, false, &seen);
    EXPECT_EQ(seen.directory, PathIn("out"));
}

TEST_F(MainDialogTest, ExportCancelWritesNothingAndAFailureIsReported) {
    Open(DataFile());
    wxTEST_DIALOG(ChooseMenu(XRCID("text_export")), ExpectFileDialog(std::nullopt));

    MessageSeen message;
    wxTEST_DIALOG(ChooseMenu(XRCID("text_export")),
                  ExpectFileDialog(PathIn("no such folder/x.txt")),
                  ExpectMessageBox(wxOK, &message));
    EXPECT_EQ(message.text, kOpenFailed);
    EXPECT_EQ(message.style, wxOK | wxICON_EXCLAMATION);
    EXPECT_EQ(Titles().size(), 294u);
}

// Looks at the about box in place of showing it and closes it with OK.
struct AboutSeen {
    bool shown = false;
    wxString title;
    std::vector<wxString> texts;
    bool hasIcon = false;
    size_t captionIcons = 0;
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
        seen->captionIcons = about->GetIcons().GetIconCount();
        seen->parent = about->GetParent();
        const wxRect frame = about->GetRect();
        seen->centre = wxPoint(frame.x + frame.width / 2, frame.y + frame.height / 2);
        return wxID_OK;
    }

  private:
    AboutSeen* seen;
};

TEST_F(MainDialogTest, AboutEntryOpensTheVersionBoxAndReturnsUnchanged) {
    // The entry is in a menu of its own at the end of the menu bar, except on Windows, where it
    // is in the system menu, which sends its own command.
    const bool inMenuBar = platform::wx::AboutCommand() == wxID_ABOUT;
    if (inMenuBar) {
        wxMenuBar* menus = dialog->GetMenuBar();
        const size_t last = menus->GetMenuCount() - 1;
        ASSERT_EQ(menus->GetMenu(last)->GetMenuItemCount(), 1u);
        EXPECT_EQ(menus->GetMenu(last)->FindItemByPosition(0)->GetId(), wxID_ABOUT);
    }
    const auto chooseAbout = [this, inMenuBar] {
        if (inMenuBar) {
            ChooseMenu(wxID_ABOUT);
        } else {
            wxCommandEvent command(wxEVT_MENU, platform::wx::AboutCommand());
            dialog->ProcessWindowEvent(command);
        }
    };

    Open(DataFile());
    Click("kana_ka");
    AboutSeen seen;
    wxTEST_DIALOG(chooseAbout(), ExpectAbout(seen));
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(seen.title, wxString(L"ホシノワ用語集 Viewer ﾊﾞｰｼﾞｮﾝ情報"));
    ASSERT_EQ(seen.texts.size(), 2u);
    EXPECT_EQ(seen.texts[0], wxString(L"ホシノワ用語集 Viewer  Version 1.03"));
    EXPECT_TRUE(seen.hasIcon);
    EXPECT_EQ(seen.captionIcons, 0u);  // a modal frame: the icon is a control, not in the caption
    EXPECT_EQ(seen.parent, dialog.get());
    const wxRect main = dialog->GetRect();
    EXPECT_NEAR(seen.centre.x, main.x + main.width / 2, 1);
    EXPECT_NEAR(seen.centre.y, main.y + main.height / 2, 1);

    EXPECT_EQ(Titles().size(), 3u);
    EXPECT_EQ(Counter(), "3/294");
    EXPECT_EQ(Detail(), kStairsDetail);
}

TEST_F(MainDialogTest, ExitEscapeAndCloseBoxEndTheModalRun) {
    dialog->CallAfter([this] { ChooseMenu(wxID_EXIT); });
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

TEST_F(MainDialogTest, DictionaryExportsWriteTheListedRowsAfterTheSameSaveDialog) {
    EXPECT_FALSE(MenuEnabled(XRCID("stardict_export")));
    EXPECT_FALSE(MenuEnabled(XRCID("yomitan_export")));

    Open(DataFile());
    EXPECT_TRUE(MenuEnabled(XRCID("stardict_export")));
    EXPECT_TRUE(MenuEnabled(XRCID("yomitan_export")));
    Click("kana_ka");
    FileDialogSeen stardict;
    Export("stardict_export", PathIn("ka"), &stardict);  // the extension comes from the dialog
    FileDialogSeen yomitan;
    Export("yomitan_export", PathIn("ka.zip"), &yomitan);
    EXPECT_EQ(stardict.caption, wxString(L"名前を付けて保存"));
    EXPECT_EQ(stardict.style, wxFD_SAVE | wxFD_CHANGE_DIR);  // the viewer asks about its four files
    EXPECT_EQ(yomitan.style, wxFD_SAVE | wxFD_OVERWRITE_PROMPT | wxFD_CHANGE_DIR);
#ifdef __WXGTK__
    EXPECT_EQ(stardict.wildcard,
              wxString(L"StarDict 辞書 (*.ifo)|*.[iI][fF][oO]|すべてのファイル (*.*)|*.*"));
    EXPECT_EQ(yomitan.wildcard,
              wxString(L"Yomitan 辞書 (*.zip)|*.[zZ][iI][pP]|すべてのファイル (*.*)|*.*"));
#else
    EXPECT_EQ(stardict.wildcard,
              wxString(L"StarDict 辞書 (*.ifo)|*.ifo|すべてのファイル (*.*)|*.*"));
    EXPECT_EQ(yomitan.wildcard, wxString(L"Yomitan 辞書 (*.zip)|*.zip|すべてのファイル (*.*)|*.*"));
#endif

    // The same words the engine makes of the か row.
    GlossaryStore store = LoadedStore(folder / "YGS_PRG.BIN");
    store.FilterByKanaRow(1);
    const StarDictFiles expected = MakeStarDictFiles(CollectDictionaryEntries(store).entries, {});
    EXPECT_EQ(ReadBytes(folder / "ka.idx"), expected.idx);
    EXPECT_EQ(ReadBytes(folder / "ka.dict"), expected.dict);
    EXPECT_EQ(ReadBytes(folder / "ka.syn"), expected.syn);
    EXPECT_EQ(ReadBytes(folder / "ka.ifo").rfind("StarDict's dict ifo file\n", 0), 0u);
    EXPECT_EQ(ReadBytes(folder / "ka.zip").rfind("PK\x03\x04", 0), 0u);

    MessageSeen message;
    wxTEST_DIALOG(ChooseMenu(XRCID("yomitan_export")), ExpectFileDialog(PathIn("none/x.zip")),
                  ExpectMessageBox(wxOK, &message));
    EXPECT_EQ(message.text, kOpenFailed);
    EXPECT_FALSE(std::filesystem::exists(folder / "none"));

    // Over an earlier dictionary, one question names every file it would replace; "no" goes
    // back to the dialog.
    MessageSeen question;
    wxTEST_DIALOG(ChooseMenu(XRCID("stardict_export")), ExpectFileDialog(PathIn("ka.ifo")),
                  ExpectMessageBox(wxNO, &question), ExpectFileDialog(std::nullopt));
    EXPECT_EQ(question.text, wxString(L"ka.ifo、ka.idx、ka.dict、ka.syn は既に存在します。\n"
                                      L"上書きしますか?"));
}

TEST_F(MainDialogTest, DictionaryExportsSayWhatTheyLeftOutAndReplaced) {
    auto entries = ViewerEntries();
    entries[3].title = entries[3].reading = "";  // 朝日: no headword
    entries[2].text1 = "\x85\x40";               // 桜, the 292nd word: U+FFFD
    Open(platform::wx::FromPath(WriteGlossary(folder, entries)));
    MessageSeen report;
    wxTEST_DIALOG(ChooseMenu(XRCID("yomitan_export")), ExpectFileDialog(PathIn("d.zip")),
                  ExpectMessageBox(wxOK, &report));
    EXPECT_EQ(report.text.utf8_string(),
              wxString(L"見出しも読みもない 1 件の用語は書き出しませんでした。\n"
                       L"Unicode にない 1 個の文字を U+FFFD に置き換えました (1 件):\n"
                       L"  292 件目「桜」: 1 個")
                  .utf8_string());
    // Nothing to say: no message.
    Click("kana_ka");
    Export("stardict_export", PathIn("ka.ifo"));
    EXPECT_TRUE(std::filesystem::exists(folder / "ka.ifo"));
}

}  // namespace

TEST_F(MainDialogTest, LinksLeadToTheirEntriesAndBackAndForwardRestoreTheRows) {
    auto entries = ViewerEntries();
    entries[0].text1 = Sj("カメラと朝日");  // 階段 names one entry of its か row and one of あ
    Open(platform::wx::FromPath(WriteGlossary(folder, entries)));
    Click("kana_ka");
    ASSERT_EQ(Titles(), (std::vector<wxString>{L"階段", L"カメラ", L"機械"}));
    const wxString stairs = Detail();
    wxMenu* references = MenuItem(XRCID("references"))->GetSubMenu();
    OpenMenu();
    ASSERT_EQ(references->GetMenuItemCount(), 2u);
    EXPECT_EQ(references->FindItemByPosition(1)->GetItemLabelText(), wxString(L"2 朝日"));

    // The links are underlined in a colour that reads on the pane, and nothing else is.
    auto* pane = Box("detail_text");
    const long camera = static_cast<long>(stairs.find(L"カメラ"));
    for (long position = 0; position < pane->GetLastPosition(); ++position) {
        wxTextAttr style;
        pane->GetStyle(position, style);
        const long sunrise = static_cast<long>(stairs.find(L"朝日"));
        const bool linked = (position >= camera && position < camera + 3) ||
                            (position >= sunrise && position < sunrise + 2);
        EXPECT_EQ(style.HasFontUnderlined() && style.GetFontUnderlined(), linked) << position;
    }

    // 参照先 leads outside the row: every row shows, 朝日 selected.
    ChooseMenu(references->FindItemByPosition(1)->GetId());
    EXPECT_EQ(Counter(), "294/294");
    EXPECT_EQ(Titles()[SelectedRow()], wxString(L"朝日"));
    // Back: 階段 in the か row.
    ChooseMenu(XRCID("go_back"));
    EXPECT_EQ(Counter(), "3/294");
    EXPECT_EQ(Detail(), stairs);
    // A click on カメラ in the pane stays in the row.
    // The pane lays out its text at idle moments after it is drawn.
    wxMouseEvent click(wxEVT_LEFT_UP);
    long hit = -1;
    for (int wait = 0; wait < 200 && hit != camera + 1; ++wait) {
        wxYield();
        wxMilliSleep(10);
        click.SetPosition(pane->PositionToCoords(camera + 1) + wxPoint(1, 1));
        pane->HitTest(click.GetPosition(), &hit);
    }
    ASSERT_EQ(hit, camera + 1);
    pane->ProcessWindowEvent(click);
    wxTheApp->ProcessPendingEvents();
    EXPECT_EQ(Counter(), "3/294");
    EXPECT_EQ(Titles()[SelectedRow()], wxString(L"カメラ"));
    // The click replaced the step ahead (朝日). Back twice, to the first entry the file showed,
    // forward twice: the same entries and rows again.
    ChooseMenu(XRCID("go_back"));
    EXPECT_EQ(Detail(), stairs);
    ChooseMenu(XRCID("go_back"));
    EXPECT_EQ(Counter(), "294/294");
    EXPECT_EQ(SelectedRow(), 0);
    ChooseMenu(XRCID("go_forward"));
    ChooseMenu(XRCID("go_forward"));
    EXPECT_EQ(Titles()[SelectedRow()], wxString(L"カメラ"));
    dialog->UpdateWindowUI();
    EXPECT_FALSE(MenuEnabled(XRCID("go_forward")));
    // Opening a file forgets where the reader has been.
    Open(DataFile());
    dialog->UpdateWindowUI();
    EXPECT_FALSE(MenuEnabled(XRCID("go_back")));
}
