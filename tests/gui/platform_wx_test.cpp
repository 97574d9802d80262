// The text conversion at the toolkit's edge and the default extension of the file dialogs.

#include <gtest/gtest.h>

#include <wx/filedlg.h>
#include <wx/msgdlg.h>

#include <deque>
#include <fstream>

#include "platform/wx/file_dialog.h"
#include "platform/wx/message_box.h"
#include "platform/wx/wx_text.h"
#include "support/glossary_fixture.h"

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

TEST(FileDialog, AddsTheDefaultExtensionOnlyToANameWithoutOne) {
    using platform::wx::WithDefaultExtension;
    EXPECT_EQ(WithDefaultExtension("/tmp/out", "csv"), "/tmp/out.csv");
    EXPECT_EQ(WithDefaultExtension("/tmp/out.txt", "csv"), "/tmp/out.txt");
    EXPECT_EQ(WithDefaultExtension("/tmp/a.b/out", "csv"), "/tmp/a.b/out.csv");
    EXPECT_EQ(WithDefaultExtension("/tmp/out", ""), "/tmp/out");
}

// A name typed without an extension can name an existing file once the extension is added:
// that file is not replaced without asking, and "no" shows the dialog again.
TEST(FileDialog, AsksBeforeTheDefaultExtensionReplacesAFile) {
    TempDir folder;
    std::ofstream(folder / "rows.csv") << "keep";
    const wxString typed = platform::wx::FromPath(folder / "rows");
    std::deque<std::optional<wxString>> answers = {typed, typed, std::nullopt};
    std::deque<int> replies = {wxNO, wxYES};
    std::vector<wxString> questions;
    const auto previousDialog = platform::wx::SetFileDialogHook([&](const auto&) {
        const auto answer = answers.front();
        answers.pop_front();
        return answer;
    });
    const auto previousBox =
        platform::wx::SetMessageBoxHook([&](const wxString& text, const wxString&, long style) {
            EXPECT_EQ(style, wxYES_NO | wxICON_EXCLAMATION);
            questions.push_back(text);
            const int reply = replies.front();
            replies.pop_front();
            return reply;
        });

    platform::wx::FileDialogRequest request;
    request.style = wxFD_SAVE | wxFD_OVERWRITE_PROMPT;
    request.defaultExtension = "csv";
    EXPECT_EQ(platform::wx::ShowFileDialog(nullptr, request), typed + ".csv");
    EXPECT_EQ(answers.size(), 1u);  // "no" showed the dialog a second time
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_EQ(questions[0], wxString(L"rows.csv は既に存在します。\n上書きしますか?"));

    // Without the overwrite option nothing is asked.
    answers = {typed};
    request.style = wxFD_SAVE;
    EXPECT_EQ(platform::wx::ShowFileDialog(nullptr, request), typed + ".csv");
    EXPECT_EQ(questions.size(), 2u);

    platform::wx::SetFileDialogHook(previousDialog);
    platform::wx::SetMessageBoxHook(previousBox);
}

}  // namespace
