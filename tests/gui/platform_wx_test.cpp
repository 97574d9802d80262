// The text conversion at the toolkit's edge and what the file dialogs add to the toolkit's.

#include <gtest/gtest.h>

#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

#include <fstream>
#include <utility>
#include <vector>

#include "dialog_expectations.h"
#include "platform/wx/file_dialog.h"
#include "platform/wx/user_config.h"
#include "platform/wx/wx_text.h"
#include "support/glossary_fixture.h"
#include "viewer/text_highlight.h"

namespace {

using platform::wx::FromControlLineEnds;
using platform::wx::FromSjis;
using platform::wx::ToControlLineEnds;
using platform::wx::ToSjis;

// Byte vectors from the CP932 table: あ 0x82A0, 漢 0x8ABF, ｱ 0xB1, ～ 0x8160. The full table of
// ambiguous characters is the engine's to test; here it is the path through wxString.
TEST(WxText, CrossesBetweenShiftJisAndToolkitTextWithoutTheLocale) {
    EXPECT_EQ(FromSjis("\x82\xA0\x8A\xBF\xB1 A"), wxString(L"あ漢ｱ A"));
    EXPECT_EQ(FromSjis("\x81\x60"), wxString(L"\uFF5E"));
    EXPECT_EQ(FromSjis(std::string("a\x82", 2)), wxString(L"a\uFFFD"));
    EXPECT_EQ(ToSjis(L"あ漢ｱ A"), std::string("\x82\xA0\x8A\xBF\xB1 A"));
    EXPECT_EQ(ToSjis(L"\u301C"), std::string("\x81\x60"));
    EXPECT_EQ(ToSjis(L"\uFF5E"), std::string("\x81\x60"));
    EXPECT_EQ(ToSjis(""), std::string());
    EXPECT_EQ(ToSjis(L"a한"), std::nullopt);
    EXPECT_EQ(ToSjis(L"\U0001F600"), std::nullopt);
}

TEST(WxText, LineEndsRoundTripThroughATextControl) {
    EXPECT_EQ(ToControlLineEnds("a\r\n\r\nb\r\n"), "a\n\nb\n");
    EXPECT_EQ(FromControlLineEnds("a\n\nb\n"), "a\r\n\r\nb\r\n");
    EXPECT_EQ(FromControlLineEnds("a\r\nb\n"), "a\r\nb\r\n");
}

// Byte ranges of a Shift-JIS text and where they lie in a text control, counted by hand: a
// double-byte character is one position, a CRLF one line end, a broken lead byte one U+FFFD.
struct HighlightCase {
    const char* what;
    std::string sjis;
    std::vector<ByteRange> ranges;
    std::vector<std::pair<long, long>> positions;
};

const HighlightCase kHighlightCases[] = {
    {"ASCII", "abcabc", {{0, 3}, {3, 6}}, {{0, 3}, {3, 6}}},
    {"double-byte kana", "\x82\xA0\x82\xA2\x82\xA4", {{2, 4}}, {{1, 2}}},  // あいう
    {"half-width kana", "\xB1\xB2\xB3", {{1, 3}}, {{1, 3}}},               // ｱｲｳ
    {"CRLF counts once", "a\r\nb\r\nc", {{3, 4}, {6, 7}}, {{2, 3}, {4, 5}}},
    {"a CRLF inside", "a\r\nb", {{0, 4}}, {{0, 3}}},
    {"a broken lead byte", "\x82\r\nx", {{3, 4}}, {{2, 3}}},
    {"out of order or past the end", "abc", {{2, 3}, {0, 1}, {1, 5}}, {{2, 3}}},
};

TEST(TextHighlight, ByteRangesBecomeControlPositions) {
    for (const HighlightCase& test : kHighlightCases) {
        SCOPED_TRACE(test.what);
        std::vector<std::pair<long, long>> positions;
        for (const auto& range : ToControlRanges(test.sjis, test.ranges)) {
            positions.emplace_back(range.from, range.to);
        }
        EXPECT_EQ(positions, test.positions);
    }
}

TEST(FileDialog, AddsTheDefaultExtensionOnlyToANameWithoutOne) {
    using platform::wx::WithDefaultExtension;
    EXPECT_EQ(WithDefaultExtension("/tmp/out", "csv"), "/tmp/out.csv");
    EXPECT_EQ(WithDefaultExtension("/tmp/out.txt", "csv"), "/tmp/out.txt");
    EXPECT_EQ(WithDefaultExtension("/tmp/a.b/out", "csv"), "/tmp/a.b/out.csv");
    EXPECT_EQ(WithDefaultExtension("/tmp/out", ""), "/tmp/out");
}

// A name typed without an extension can name an existing file once the extension is added:
// that file is not replaced without asking (はい / いいえ, whatever the toolkit's language), and
// "no" shows the dialog again.
TEST(FileDialog, AsksBeforeTheDefaultExtensionReplacesAFile) {
    TempDir folder;
    std::ofstream(folder / "rows.csv") << "keep";
    const wxString typed = platform::wx::FromPath(folder / "rows");
    platform::wx::FileDialogRequest request;
    request.style = wxFD_SAVE | wxFD_OVERWRITE_PROMPT;
    request.defaultExtension = "csv";
    std::optional<wxString> chosen;
    MessageSeen question;
    wxTEST_DIALOG(chosen = platform::wx::ShowFileDialog(nullptr, request), ExpectFileDialog(typed),
                  ExpectMessageBox(wxNO, &question), ExpectFileDialog(typed),
                  ExpectMessageBox(wxYES));
    EXPECT_EQ(chosen, typed + ".csv");
    EXPECT_EQ(question.text, wxString(L"rows.csv は既に存在します。\n上書きしますか?"));
    EXPECT_EQ(question.style, wxYES_NO | wxICON_EXCLAMATION);
#ifndef __WXMSW__
    EXPECT_EQ(question.yesLabel, wxString(L"はい"));
    EXPECT_EQ(question.noLabel, wxString(L"いいえ"));
#endif

    // Without the overwrite option nothing is asked.
    request.style = wxFD_SAVE;
    wxTEST_DIALOG(chosen = platform::wx::ShowFileDialog(nullptr, request), ExpectFileDialog(typed));
    EXPECT_EQ(chosen, typed + ".csv");
}

TEST(FileDialog, FilterPatternsMatchNamesInAnyLetterCase) {
    using platform::wx::CaseInsensitiveWildcard;
    EXPECT_EQ(CaseInsensitiveWildcard(L"用語集 (YGS_PRG.BIN)|YGS_PRG.BIN"),
              wxString(L"用語集 (YGS_PRG.BIN)|[yY][gG][sS]_[pP][rR][gG].[bB][iI][nN]"));
    EXPECT_EQ(CaseInsensitiveWildcard(L"テキスト (*.txt)|*.txt|すべて (*.*)|*.*"),
              wxString(L"テキスト (*.txt)|*.[tT][xX][tT]|すべて (*.*)|*.*"));
#ifdef __WXGTK__
    // GTK's own filter, as the open dialog uses it, takes the names a FAT stick gives.
    GtkFileFilter* filter = gtk_file_filter_new();
    g_object_ref_sink(filter);
    gtk_file_filter_add_pattern(filter, "[yY][gG][sS]_[pP][rR][gG].[bB][iI][nN]");
    for (const char* name : {"YGS_PRG.BIN", "ygs_prg.bin", "Ygs_Prg.bin", "YGS_PRG.BIN.txt"}) {
        GtkFileFilterInfo info = {};
        info.contains = GTK_FILE_FILTER_DISPLAY_NAME;
        info.display_name = name;
        EXPECT_EQ(gtk_file_filter_filter(filter, &info) != FALSE,
                  std::string(name) != "YGS_PRG.BIN.txt")
            << name;
    }
    g_object_unref(filter);
#endif
}

// A test's settings store (the test main gives each test its own) holds what is saved in it,
// is not the store that another folder and key name, and is empty once deleted.
TEST(UserConfig, EachTestsStoreIsItsOwnAndIsRemoved) {
    const auto probe = [] {
        return platform::wx::OpenUserConfig("hoshiwa2").config->Read("/Probe", wxString());
    };
    {
        platform::wx::UserConfig store = platform::wx::OpenUserConfig("hoshiwa2");
        store.config->Write("/Probe", "written");
        platform::wx::SaveUserConfig(*store.config, store.location);
    }
    EXPECT_EQ(probe(), "written");

    const wxString folder = wxGetenv("XDG_CONFIG_HOME");
    const wxString key = wxGetenv("HOSHIWA2_CONFIG_KEY");
    const TempDir other;
    wxSetEnv("XDG_CONFIG_HOME", other.Path().string());
    wxSetEnv("HOSHIWA2_CONFIG_KEY", key + "-other");
    EXPECT_EQ(probe(), "");
    platform::wx::OpenUserConfig("hoshiwa2").config->DeleteAll();
    wxSetEnv("XDG_CONFIG_HOME", folder);
    wxSetEnv("HOSHIWA2_CONFIG_KEY", key);

    EXPECT_TRUE(platform::wx::OpenUserConfig("hoshiwa2").config->DeleteAll());
    EXPECT_EQ(probe(), "");
}

}  // namespace
