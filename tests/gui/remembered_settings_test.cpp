// What the viewer remembers between runs: each setting changed, the program ended and started
// again with the same configuration folder; then the file garbled, read-only or unreadable.

#include <gtest/gtest.h>
#include <wx/display.h>
#include <wx/fontdata.h>

#include <cctype>
#include <fstream>
#include <string>
#include <vector>

#include "viewer_session.h"

namespace {

const wxString kOpenFailed = L"ファイルのオープンに失敗しました。";

class RememberedSettings : public ViewerSession {
  protected:
    bool Checked(const char* item) const { return MenuItem(XRCID(item))->IsChecked(); }

    // The recent files as the menu lists them, most recent first.
    std::vector<wxString> RecentFiles() const {
        std::vector<wxString> files;
        wxMenu* menu = MenuItem(XRCID("recent_files"))->GetSubMenu();
        for (const wxMenuItem* item : menu->GetMenuItems()) {
            files.push_back(item->GetItemLabel());
        }
        return files;
    }

    // A copy of the glossary in a folder of its own, named `name`.
    wxString GlossaryIn(const std::string& name) {
        std::filesystem::create_directories(folder / name);
        std::filesystem::copy_file(folder / "YGS_PRG.BIN", folder / name / "YGS_PRG.BIN");
        return platform::wx::FromPath(folder / name / "YGS_PRG.BIN");
    }

    // Ends the program first: it writes the file as it ends.
    void WriteConfig(const std::string& text) {
        dialog.reset();
        std::filesystem::create_directories(ConfigFile().parent_path());
        std::ofstream(ConfigFile(), std::ios::binary | std::ios::trunc) << text;
    }

    // The place and size of a first run: the template's size, centred on the screen.
    wxRect DefaultRect() const {
        const wxSize size = dialog->ClientToWindowSize(
            Get("search_text")->GetParent()->ConvertDialogToPixels(wxSize(351, 262)));
        const wxRect screen = wxDisplay(0u).GetClientArea();
        return wxRect(screen.x + (screen.width - size.x) / 2,
                      screen.y + (screen.height - size.y) / 2, size.x, size.y);
    }

    void ExpectDefaults() {
        EXPECT_FALSE(Checked("search_as_you_type"));
        EXPECT_FALSE(Checked("folded_search"));
        EXPECT_EQ(Get("detail_text")->GetFont(), dialog->GetFont());  // the template's
        EXPECT_TRUE(RecentFiles().empty());
        EXPECT_FALSE(MenuItem(XRCID("recent_files"))->IsEnabled());
        const wxRect expected = DefaultRect();
        EXPECT_EQ(dialog->GetSize(), expected.GetSize());
        EXPECT_NEAR(dialog->GetPosition().x, expected.x, 1);
        EXPECT_NEAR(dialog->GetPosition().y, expected.y, 1);
    }
};

TEST_F(RememberedSettings, EverySettingSurvivesARestartUntilTheFileIsGarbled) {
    ExpectDefaults();

    ChooseMenu(XRCID("search_as_you_type"));
    ChooseMenu(XRCID("folded_search"));
    const wxFont chosen(wxFontInfo(15).FaceName("Noto Serif CJK JP"));
    wxFontData seen;
    wxTEST_DIALOG(Click("font_button"), ExpectFontDialog(chosen, &seen));
    // Five files opened: the last four are remembered, the latest first.
    std::vector<wxString> opened;
    for (const char* name : {"one", "two", "three", "four", "five"}) {
        opened.push_back(GlossaryIn(name));
        Open(opened.back());
    }
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
    // The options work as remembered: typing searches, and forgives the kana.
    Open(DataFile());
    TypeKeys(L"かめら");
    EXPECT_EQ(Titles(), (std::vector<wxString>{L"カメラ"}));

    // Cut short and wrong in every value: every one is back to its default, without a word
    // (a message box or a logged warning would fail the test).
    WriteConfig(
        "[Search]\nAsYouType=yes\nFolded=\x01\n[DetailPane]\nFont=@@@ 0\n"
        "[RecentFiles]\nfile1=\n[Persistent_Options/Window/main_dialog]\nx=left\nw=9");
    Restart();
    ExpectDefaults();
}

// Each value of a garbled file falls back to its default on its own; the others stay.
struct GarbledCase {
    const char* what;
    std::string text;
    bool asYouType;
    bool folded;
    bool font;      // the remembered font is used
    bool position;  // (20, 30) is used
    bool size;      // 800 x 700 is used
};

const GarbledCase kGarbledCases[] = {
    {"cut short", "[Search]\nAsYouType=1\nFol", true, false, false, false, false},
    {"wrong types", "[Search]\nAsYouType=true\nFolded=1\n[DetailPane]\nFont=17\n", false, true,
     false, false, false},
    {"a font of size 0", "[DetailPane]\nFont=Noto Sans CJK JP 0\n", false, false, false, false,
     false},
    {"a usable font", "[DetailPane]\nFont=Noto Sans CJK JP 13\n", false, false, true, false, false},
    {"a window larger than every screen",
     "[Persistent_Options/Window/main_dialog]\nx=20\ny=30\nw=100000\nh=600\n", false, false, false,
     true, false},
    {"a window smaller than its controls",
     "[Persistent_Options/Window/main_dialog]\nx=20\ny=30\nw=0\nh=-5\n", false, false, false, true,
     false},
    {"a place no screen shows",
     "[Persistent_Options/Window/main_dialog]\nx=-3000\ny=5000\nw=800\nh=700\n", false, false,
     false, false, true},
    {"binary junk", std::string("\xFF\xFE\x00[[[=\n=\n\x81", 11), false, false, false, false,
     false},
    {"an empty file", "", false, false, false, false, false},
};

class GarbledConfig : public RememberedSettings,
                      public ::testing::WithParamInterface<GarbledCase> {};

TEST_P(GarbledConfig, EachValueFallsBackToItsDefaultOnItsOwn) {
    const GarbledCase& test = GetParam();
    const wxRect defaults = DefaultRect();
    WriteConfig(test.text);
    Restart();
    EXPECT_EQ(Checked("search_as_you_type"), test.asYouType);
    EXPECT_EQ(Checked("folded_search"), test.folded);
    const wxFont font = Get("detail_text")->GetFont();
    EXPECT_EQ(font == dialog->GetFont(), !test.font);
    if (test.font) {
        EXPECT_EQ(font.GetPointSize(), 13);
    }
    EXPECT_EQ(dialog->GetPosition(), test.position ? wxPoint(20, 30) : defaults.GetPosition());
    EXPECT_EQ(dialog->GetSize(), test.size ? wxSize(800, 700) : defaults.GetSize());
}

INSTANTIATE_TEST_SUITE_P(Cases, GarbledConfig, ::testing::ValuesIn(kGarbledCases),
                         [](const auto& info) {
                             std::string name;
                             for (const char c : std::string(info.param.what)) {
                                 name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
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
    ASSERT_TRUE(wxSetWorkingDirectory(platform::wx::FromPath(folder.Path())));

    ChooseMenu(wxID_FILE2);  // two
    EXPECT_EQ(Counter(), "294/294");
    EXPECT_EQ(wxGetCwd(), platform::wx::FromPath(folder / "two"));
    EXPECT_EQ(RecentFiles(), (std::vector<wxString>{"&1 " + two, "&2 " + three, "&3 " + one}));

    std::filesystem::remove(folder / "three" / "YGS_PRG.BIN");
    Click("kana_ka");
    MessageSeen message;
    wxTEST_DIALOG(ChooseMenu(wxID_FILE2), ExpectMessageBox(wxOK, &message));
    EXPECT_EQ(message.text, kOpenFailed);
    EXPECT_EQ(Counter(), "3/294");  // what was loaded stays
    EXPECT_EQ(RecentFiles(), (std::vector<wxString>{"&1 " + two, "&2 " + one}));

    Restart();
    EXPECT_EQ(RecentFiles(), (std::vector<wxString>{"&1 " + two, "&2 " + one}));
}

TEST_F(RememberedSettings, AReadOnlyOrUnreadableFileIsReadAsItCanBeAndLeftAlone) {
    const std::string text = "[Search]\nAsYouType=1\n";
    WriteConfig(text);
    std::filesystem::permissions(
        ConfigFile(), std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    Restart();
    EXPECT_TRUE(Checked("search_as_you_type"));
    ChooseMenu(XRCID("search_as_you_type"));
    Open(DataFile());
    Restart();
    EXPECT_EQ(ReadBytes(ConfigFile()), text);
    EXPECT_TRUE(Checked("search_as_you_type"));

    // A folder where the file should be cannot be read: defaults, and nothing written.
    dialog.reset();
    std::filesystem::permissions(ConfigFile(), std::filesystem::perms::owner_all);
    std::filesystem::remove(ConfigFile());
    std::filesystem::create_directory(ConfigFile());
    Restart();
    ExpectDefaults();
    ChooseMenu(XRCID("folded_search"));
    Restart();
    EXPECT_TRUE(std::filesystem::is_directory(ConfigFile()));
    EXPECT_FALSE(Checked("folded_search"));
}

}  // namespace
