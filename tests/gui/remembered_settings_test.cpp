// What the viewer remembers between runs: every setting changed, the program ended and started
// again with the same configuration folder; then the file garbled, read-only or unreadable.

#include <wx/display.h>
#include <wx/fontdata.h>

#include <cctype>
#include <fstream>
#include <functional>
#include <string>

#include "platform/wx/user_config.h"
#include "viewer_session.h"

namespace {

class RememberedSettings : public ViewerSession {
  protected:
    std::filesystem::path ConfigFile() const { return folder / "config/hoshiwa2/hoshiwa2.conf"; }
    bool Checked(const char* item) const { return MenuItem(XRCID(item))->IsChecked(); }

    // As the menu lists them, latest first (without the left-to-right mark that wxMSW puts
    // before each path).
    std::vector<wxString> RecentFiles() const {  // as the menu lists them once it opens
        wxMenuEvent opened(wxEVT_MENU_OPEN, 0, dialog->GetMenuBar()->GetMenu(0));
        dialog->ProcessWindowEvent(opened);
        std::vector<wxString> files;
        for (const wxMenuItem* item :
             MenuItem(XRCID("recent_files"))->GetSubMenu()->GetMenuItems()) {
            wxString label = item->GetItemLabel();
            label.Replace(L"\u202A", "");
            files.push_back(label);
        }
        return files;
    }

    // The cases that write the settings file themselves; Windows keeps them in the registry.
    static bool KeptInAFile() { return !platform::wx::OpenUserConfig("hoshiwa2").location.empty(); }

    wxString GlossaryIn(const std::string& name) {  // a copy in a folder of its own
        std::filesystem::create_directories(folder / name);
        std::filesystem::copy_file(folder / "YGS_PRG.BIN", folder / name / "YGS_PRG.BIN");
        return platform::wx::FromPath(folder / name / "YGS_PRG.BIN");
    }

    void WriteConfig(const std::string& text) {
        dialog.reset();  // it writes the file as it ends
        std::filesystem::create_directories(ConfigFile().parent_path());
        std::ofstream(ConfigFile(), std::ios::binary | std::ios::trunc) << text;
    }

    // A first run's place and size: the template's size, centred on the screen.
    wxRect DefaultRect() const {
        const wxSize size = dialog->ClientToWindowSize(
            Get("search_text")->GetParent()->ConvertDialogToPixels(wxSize(351, 262)));
        const wxRect screen = wxDisplay(0u).GetClientArea();
        return wxRect(screen.GetPosition() + (screen.GetSize() - size) / 2, size);
    }

    void ExpectDefaults() {
        EXPECT_FALSE(Checked("search_as_you_type"));
        EXPECT_FALSE(Checked("folded_search"));
        EXPECT_EQ(Get("detail_text")->GetFont(), dialog->GetFont());  // the template's
        EXPECT_TRUE(RecentFiles().empty());
        EXPECT_FALSE(MenuItem(XRCID("recent_files"))->IsEnabled());
        EXPECT_EQ(dialog->GetRect(), DefaultRect());
    }
};

TEST_F(RememberedSettings, EverySettingSurvivesARestartUntilTheFileIsGarbled) {
    ExpectDefaults();
    ChooseMenu(XRCID("search_as_you_type"));
    ChooseMenu(XRCID("folded_search"));
    std::vector<wxString> opened;  // five: the last four are remembered
    for (const char* name : {"one", "two", "three", "four", "five"}) {
        opened.push_back(GlossaryIn(name));
        Open(opened.back());
    }
    const wxFont chosen(wxFontInfo(15).FaceName("Noto Serif CJK JP"));
    wxFontData seen;
    wxTEST_DIALOG(Click("font_button"), ExpectFontDialog(chosen, &seen));
    const wxRect moved(DefaultRect().GetPosition() + wxPoint(-40, 30),
                       DefaultRect().GetSize() + wxSize(60, 20));
    dialog->SetSize(moved);

    Restart();
    EXPECT_TRUE(Checked("search_as_you_type"));
    EXPECT_TRUE(Checked("folded_search"));
    EXPECT_EQ(Get("detail_text")->GetFont().GetNativeFontInfoDesc(),
              chosen.GetNativeFontInfoDesc());
    EXPECT_EQ(RecentFiles(), (std::vector<wxString>{"&1 " + opened[4], "&2 " + opened[3],
                                                    "&3 " + opened[2], "&4 " + opened[1]}));
    EXPECT_EQ(dialog->GetRect(), moved);
    Open(DataFile());
    TypeKeys(L"かめら");  // searched as typed, folded
    EXPECT_EQ(Titles(), (std::vector<wxString>{L"カメラ"}));

    // Cut short and wrong in every value; a message box or a logged warning fails the test.
    if (!KeptInAFile()) {
        return;
    }
    WriteConfig(
        "[Search]\nAsYouType=yes\nFolded=\x01\n[DetailPane]\nFont=@@@ 0\n"
        "[RecentFiles]\nfile1=\n[Persistent_Options/Window/main_dialog]\nx=left\nw=9");
    Restart();
    ExpectDefaults();
}

// Each value of a garbled file falls back to its default on its own; the others stay. In the
// text, $DPI stands for the screen's DPI and $CORNER for a place 10 pixels inside the bottom
// right corner of the screen's client area.
enum Place { kCentred, kWritten, kFitted };  // fitted: flush with that corner
struct GarbledCase {
    const char* what;
    std::string text;
    bool asYouType, folded, font;  // true: the file's value is used
    Place place;
    bool size;  // true: the file's 800×700
    bool maximized = false;
};

const GarbledCase kGarbledCases[] = {
    {"cut short", "[Search]\nAsYouType=1\nFol", true, false, false, kCentred, false},
    {"wrong types", "[Search]\nAsYouType=true\nFolded=1\n[DetailPane]\nFont=17\n", false, true,
     false, kCentred, false},
    {"font size 0", "[DetailPane]\nFont=Noto Sans CJK JP 0\n", false, false, false, kCentred,
     false},
    {"a font", "[DetailPane]\nFont=Noto Sans CJK JP 13\n", false, false, true, kCentred, false},
    {"larger than every screen",
     "[Persistent_Options/Window/main_dialog]\nx=20\ny=30\nw=100000\nh=700\n", false, false, false,
     kWritten, false},
    {"where no screen is",
     "[Persistent_Options/Window/main_dialog]\nx=-3000\ny=5000\nw=800\nh=700\ndpi=$DPI\n", false,
     false, false, kCentred, true},
    // Laid out in dialog units, the window was larger there; here it would be too large.
    {"at another DPI", "[Persistent_Options/Window/main_dialog]\nx=20\ny=30\nw=800\nh=700\ndpi=1\n",
     false, false, false, kWritten, false},
    {"maximized at another DPI",
     "[Persistent_Options/Window/main_dialog]\nx=20\ny=30\nw=800\nh=700\ndpi=1\nMaximized=1\n",
     false, false, false, kWritten, false, true},
    {"hanging off the screen", "[Persistent_Options/Window/main_dialog]\n$CORNER", false, false,
     false, kFitted, false},
    {"binary junk", std::string("\xFF\xFE\x00[[[=\n=\n\x81", 11), false, false, false, kCentred,
     false},
};

class GarbledConfig : public RememberedSettings,
                      public ::testing::WithParamInterface<GarbledCase> {};

TEST_P(GarbledConfig, EachValueFallsBackToItsDefaultOnItsOwn) {
    if (!KeptInAFile()) {
        GTEST_SKIP() << "the settings are kept in no file here";
    }
    const GarbledCase& test = GetParam();
    const wxRect defaults = DefaultRect();
    const wxRect area = wxDisplay(0u).GetClientArea();
    std::string text = test.text;
    for (const auto& [name, value] :
         {std::pair<std::string, std::string>{"$DPI", std::to_string(dialog->GetDPI().y)},
          {"$CORNER", "x=" + std::to_string(area.GetRight() - 10) +
                          "\ny=" + std::to_string(area.GetBottom() - 10) + "\n"}}) {
        if (const size_t at = text.find(name); at != std::string::npos) {
            text.replace(at, name.size(), value);
        }
    }
    WriteConfig(text);
    Restart();
    EXPECT_EQ(Checked("search_as_you_type"), test.asYouType);
    EXPECT_EQ(Checked("folded_search"), test.folded);
    EXPECT_EQ(Get("detail_text")->GetFont().GetPointSize(), test.font ? 13 : 10);
    const wxPoint place[] = {defaults.GetPosition(), wxPoint(20, 30),
                             area.GetBottomRight() + wxPoint(1, 1) - defaults.GetSize()};
    EXPECT_EQ(dialog->GetPosition(), place[test.place]);
    EXPECT_EQ(dialog->GetSize(), test.size ? wxSize(800, 700) : defaults.GetSize());
    EXPECT_EQ(dialog->IsMaximized(), test.maximized);
}

INSTANTIATE_TEST_SUITE_P(Cases, GarbledConfig, ::testing::ValuesIn(kGarbledCases),
                         [](const auto& info) {
                             std::string name = info.param.what;
                             std::replace_if(
                                 name.begin(), name.end(), [](char c) { return !std::isalnum(c); },
                                 '_');
                             return name;
                         });

TEST_F(RememberedSettings, RecentFilesOpenLikeTheOpenCommandAndAGoneOneLeavesTheList) {
    const wxString one = GlossaryIn("one");
    const wxString two = GlossaryIn("two");
    const wxString three = GlossaryIn("three");
    for (const wxString& file : {one, two, three}) {
        Open(file);
    }
    Click("kana_ka");
    ChooseMenu(wxID_FILE2);  // two, and its folder becomes the current one
    EXPECT_EQ(Counter(), "294/294");
    EXPECT_EQ(wxGetCwd(), platform::wx::FromPath(folder / "two"));
    EXPECT_EQ(RecentFiles(), (std::vector<wxString>{"&1 " + two, "&2 " + three, "&3 " + one}));

    std::filesystem::remove(folder / "three" / "YGS_PRG.BIN");
    Click("kana_ka");
    MessageSeen message;
    wxTEST_DIALOG(ChooseMenu(wxID_FILE2), ExpectMessageBox(wxOK, &message));
    EXPECT_EQ(message.text, wxString(L"ファイルのオープンに失敗しました。"));
    EXPECT_EQ(Counter(), "3/294");  // what was loaded stays
    Restart();
    EXPECT_EQ(RecentFiles(), (std::vector<wxString>{"&1 " + two, "&2 " + one}));
}

TEST_F(RememberedSettings, AReadOnlyOrUnreadableFileIsReadAsItCanBeAndLeftAlone) {
    if (!KeptInAFile()) {
        GTEST_SKIP() << "the settings are kept in no file here";
    }
    using std::filesystem::perms;
    WriteConfig("[Search]\nAsYouType=1\n");
    std::filesystem::permissions(ConfigFile(), perms::owner_read | perms::group_read);
    Restart();
    ChooseMenu(XRCID("search_as_you_type"));  // was on: off, but not written
    Open(DataFile());
    Restart();
    EXPECT_EQ(ReadBytes(ConfigFile()), "[Search]\nAsYouType=1\n");
    EXPECT_TRUE(Checked("search_as_you_type"));

    // A folder where the file should be: nothing read, nothing written.
    dialog.reset();
    std::filesystem::permissions(ConfigFile(), perms::owner_all);
    std::filesystem::remove(ConfigFile());
    std::filesystem::create_directory(ConfigFile());
    Restart();
    ExpectDefaults();
    ChooseMenu(XRCID("folded_search"));
    Restart();
    EXPECT_FALSE(Checked("folded_search"));
}

}  // namespace

TEST_F(RememberedSettings, ZoomGoesByAPointWithinSixTo72AndSurvivesARestart) {
    Open(DataFile());
    const auto points = [this] { return Box("detail_text")->GetFont().GetPointSize(); };
    const int own = points();
    const auto wheel = [this](int rotation) {
        wxMouseEvent event(wxEVT_MOUSEWHEEL);
        event.m_wheelRotation = rotation;
        event.m_wheelDelta = 120;
        event.SetControlDown(true);
        Box("detail_text")->ProcessWindowEvent(event);
    };
    // A key as the dialog sees it before the focused control, here the search box.
    const auto ctrlKey = [this](int code) {
        Box("search_text")->SetFocus();
        wxKeyEvent key(wxEVT_CHAR_HOOK);
        key.m_keyCode = code;
        key.SetControlDown(true);
        dialog->ProcessWindowEvent(key);
        EXPECT_EQ(SearchText(), wxString());
    };
    const struct {
        std::function<void()> step;
        int expected;  // points after it, from the pane's own
    } steps[] = {
        {[&] { ctrlKey('+'); }, own + 1},
        {[&] { ctrlKey('0'); }, own},
        {[&] { ChooseMenu(XRCID("zoom_in")); }, own + 1},
        {[&] { wheel(120); }, own + 2},
        {[&] { Restart(); }, own + 2},
        {[&] { ChooseMenu(XRCID("zoom_out")); }, own + 1},
        {[&] { wheel(-120); }, own},
        {[&] { ChooseMenu(XRCID("zoom_in")); }, own + 1},
        {[&] { ChooseMenu(XRCID("zoom_reset")); }, own},
        {[&] { Restart(); }, own},
    };
    for (const auto& step : steps) {
        step.step();
        EXPECT_EQ(points(), step.expected);
    }
    for (int i = 0; i < 80; ++i) {
        ChooseMenu(XRCID("zoom_in"));
    }
    EXPECT_EQ(points(), 72);
    for (int i = 0; i < 80; ++i) {
        ChooseMenu(XRCID("zoom_out"));
    }
    EXPECT_EQ(points(), 6);
}
