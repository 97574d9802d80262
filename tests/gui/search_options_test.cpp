// The search menu's two options, the highlights of what was searched for and the search box's
// shortcut, driven through the real main dialog.

#include <gtest/gtest.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "platform/wx/text_highlight.h"
#include "viewer_session.h"

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

namespace {

const wxString kFirstNumberedDetail = L"E005\n\nS005\nT005\n";
const wxString kStairsDetail = L"「階段」\n（かいだん）\n\nS000\nT000\n";

// WCAG 2's contrast ratio of two colours, from their relative luminance.
double Contrast(const wxColour& a, const wxColour& b) {
    const auto luminance = [](const wxColour& c) {
        const auto channel = [](unsigned char value) {
            const double v = value / 255.0;
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.Red()) + 0.7152 * channel(c.Green()) + 0.0722 * channel(c.Blue());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

class SearchOptions : public ViewerSession {
  protected:
    void SetUp() override {
        ViewerSession::SetUp();
        Open(DataFile());
    }

    // The positions of the detail pane shown in the highlight's colours, and the colours seen
    // on the first of them.
    std::vector<long> HighlightedPositions(wxColour* text = nullptr,
                                           wxColour* background = nullptr) const {
        auto* pane = Get<wxTextCtrl>("detail_text");
        std::vector<long> positions;
        for (long position = 0; position < pane->GetLastPosition(); ++position) {
            wxTextAttr style;
            if (pane->GetStyle(position, style) && style.HasBackgroundColour() &&
                style.GetBackgroundColour() == platform::wx::kHighlightBackground) {
                if (positions.empty() && text != nullptr) {
                    *text = style.GetTextColour();
                    *background = style.GetBackgroundColour();
                }
                positions.push_back(position);
            }
        }
        return positions;
    }
};

// Each step types or deletes characters with the option on; the list, its counter and the
// detail pane follow each committed change. Counts: the fixture's numbered titles E005..E293
// (289, of which E200..E293 start "E2": 94, and E220..E229: 10).
struct TypingStep {
    const char* what;
    const wchar_t* typed;  // characters typed at the end of the box
    int deleted;           // characters deleted from the end first
    const wchar_t* box;
    const char* counter;
    const wchar_t* firstTitle;  // row 0, shown in the detail pane; empty: no rows
};

const TypingStep kTypingSteps[] = {
    {"one letter", L"E", 0, L"E", "289/294", L"E005"},
    {"two", L"2", 0, L"E2", "94/294", L"E200"},
    {"three", L"2", 0, L"E22", "10/294", L"E220"},
    {"the whole title", L"8", 0, L"E228", "1/294", L"E228"},
    {"a letter deleted", L"", 1, L"E22", "10/294", L"E220"},
    {"a letter that matches nothing", L"x", 0, L"E22x", "0/294", L""},
    {"emptied: every row, as 全て", L"", 4, L"", "294/294", L"E005"},
    {"kana, exactly", L"かい", 0, L"かい", "2/294", L"階段"},
};

TEST_F(SearchOptions, AsYouTypeSearchesEachCommittedChange) {
    ChooseMenu(XRCID("search_as_you_type"));
    for (const TypingStep& step : kTypingSteps) {
        SCOPED_TRACE(step.what);
        Backspace(step.deleted);
        TypeKeys(step.typed);
        EXPECT_EQ(SearchBox(), wxString(step.box));
        EXPECT_EQ(Counter(), step.counter);
        const std::vector<wxString> titles = Titles();
        if (wxString(step.firstTitle).empty()) {
            EXPECT_TRUE(titles.empty());
            EXPECT_EQ(Detail(), "");
        } else {
            ASSERT_FALSE(titles.empty());
            EXPECT_EQ(titles[0], wxString(step.firstTitle));
            EXPECT_TRUE(Detail().Contains(wxString(step.firstTitle))) << Detail();
        }
    }
    // The emptied box showed every row with nothing highlighted; kana searches highlight again.
    EXPECT_EQ(Titles(), (std::vector<wxString>{L"階段", L"機械"}));
    EXPECT_EQ(HighlightedPositions(), (std::vector<long>{6, 7}));  // かい in （かいだん）
}

TEST_F(SearchOptions, WithoutAsYouTypeOnlyTheSearchButtonSearches) {
    TypeKeys("E22");
    EXPECT_EQ(Counter(), "294/294");
    EXPECT_EQ(Detail(), kFirstNumberedDetail);
    Click("search_button");
    EXPECT_EQ(Counter(), "10/294");
    // With the option on, 検索 still searches, and an empty box there changes nothing.
    ChooseMenu(XRCID("search_as_you_type"));
    Click("kana_ka");
    Get<wxTextCtrl>("search_text")->ChangeValue("");  // no change event: nothing searched
    Click("search_button");
    EXPECT_EQ(Titles(), (std::vector<wxString>{L"階段", L"カメラ", L"機械"}));
}

#ifdef __WXGTK__
// The input method reports its composition through GtkEntry's preedit-changed signal, as ibus
// and fcitx do; a commit while it still reports one must wait until it ends.
TEST_F(SearchOptions, TextBeingComposedNeverStartsASearch) {
    ChooseMenu(XRCID("search_as_you_type"));
    GtkWidget* entry = Get("search_text")->GetConnectWidget();
    g_signal_emit_by_name(entry, "preedit-changed", "かい");
    TypeKeys(L"かい");
    EXPECT_EQ(Counter(), "294/294");
    g_signal_emit_by_name(entry, "preedit-changed", "");
    EXPECT_EQ(Titles(), (std::vector<wxString>{L"階段", L"機械"}));

    // A composition that ends without a change (cancelled) searches nothing.
    Click("all_button");
    g_signal_emit_by_name(entry, "preedit-changed", "だ");
    g_signal_emit_by_name(entry, "preedit-changed", "");
    EXPECT_EQ(Counter(), "294/294");
}
#endif

// Folding forgives kana, width and case, never voiced marks. The fixture's entries: カメラ,
// 桜 (さくら), 機械 (きかい), 階段 (かいだん), E228.
struct FoldingCase {
    const wchar_t* typed;
    std::vector<const wchar_t*> folded;  // titles found with the option on
    std::vector<const wchar_t*> exact;   // and off
};

const FoldingCase kFoldingCases[] = {
    {L"かめら", {L"カメラ"}, {}},
    {L"ｶﾒﾗ", {L"カメラ"}, {}},
    {L"ｻｸﾗ", {L"桜"}, {}},
    {L"キカイ", {L"機械"}, {}},
    {L"ｅ２２８", {L"E228"}, {}},
    {L"e228", {L"E228"}, {}},
    {L"カメラ", {L"カメラ"}, {L"カメラ"}},
    {L"かいたん", {}, {}},  // だ is not た
};

TEST_F(SearchOptions, FoldedSearchForgivesKanaWidthAndCaseOnly) {
    for (const bool folded : {true, false}) {
        ChooseMenu(XRCID("folded_search"));  // on, then off again
        for (const FoldingCase& test : kFoldingCases) {
            SCOPED_TRACE(wxString(test.typed).utf8_string() + (folded ? " folded" : " exact"));
            Get<wxTextCtrl>("search_text")->ChangeValue(test.typed);
            Click("search_button");
            std::vector<wxString> expected;
            for (const wchar_t* title : folded ? test.folded : test.exact) {
                expected.emplace_back(title);
            }
            EXPECT_EQ(Titles(), expected);
        }
    }
}

TEST_F(SearchOptions, EveryOccurrenceIsHighlightedUntilAKanaRowOrAll) {
    // 000 occurs twice in 階段's texts, after four line ends and seven double-byte characters.
    Get<wxTextCtrl>("search_text")->ChangeValue("000");
    Click("search_button");
    ASSERT_EQ(Detail(), kStairsDetail);
    wxColour text;
    wxColour background;
    EXPECT_EQ(HighlightedPositions(&text, &background),
              (std::vector<long>{14, 15, 16, 19, 20, 21}));
    EXPECT_GE(Contrast(text, background), 4.5);
    std::printf("highlight contrast %.2f:1\n", Contrast(text, background));

    // Folded matches are highlighted over the original characters: カイ covers かい.
    ChooseMenu(XRCID("folded_search"));
    Get<wxTextCtrl>("search_text")->ChangeValue(L"ｶｲ");
    Click("search_button");
    ASSERT_EQ(Titles(), (std::vector<wxString>{L"階段", L"機械"}));
    EXPECT_EQ(HighlightedPositions(), (std::vector<long>{6, 7}));
    // The search's other rows are highlighted too when chosen.
    auto* list = Get<wxListBox>("title_list");
    list->SetSelection(1);
    wxCommandEvent selected(wxEVT_LISTBOX, list->GetId());
    selected.SetInt(1);
    list->ProcessWindowEvent(selected);
    EXPECT_EQ(Detail(), wxString(L"機械\n（きかい）\n\nS004\nT004\n"));
    EXPECT_EQ(HighlightedPositions(), (std::vector<long>{5, 6}));

    // A kana row, even one that keeps the detail pane as it is, and 全て show no highlight.
    Click("kana_ta");
    EXPECT_EQ(Detail(), wxString(L"機械\n（きかい）\n\nS004\nT004\n"));
    EXPECT_TRUE(HighlightedPositions().empty());
    Get<wxTextCtrl>("search_text")->ChangeValue(L"かい");
    Click("search_button");
    EXPECT_FALSE(HighlightedPositions().empty());
    Click("all_button");
    EXPECT_TRUE(HighlightedPositions().empty());
}

TEST_F(SearchOptions, CtrlFSelectsTheSearchBoxAndTheMenusShowTheirShortcuts) {
    const auto accelerator = [this](int id) {
        const wxAcceleratorEntry* entry = MenuItem(id)->GetAccel();
        const wxString text = entry != nullptr ? entry->ToRawString() : wxString();
        delete entry;
        return text;
    };
    EXPECT_EQ(accelerator(wxID_OPEN), "Ctrl+O");
    EXPECT_EQ(accelerator(XRCID("go_to_search_text")), "Ctrl+F");
#ifdef __WXGTK__
    EXPECT_EQ(accelerator(wxID_EXIT), "Ctrl+Q");
#endif
    wxMenuBar* menus = dialog->GetMenuBar();
    EXPECT_EQ(menus->GetMenuLabel(1), wxString(L"検索(&S)"));
    EXPECT_EQ(MenuItem(XRCID("search_as_you_type"))->GetItemLabelText(), wxString(L"入力中に検索"));
    EXPECT_EQ(MenuItem(XRCID("folded_search"))->GetItemLabel(),
              wxString(L"かな・カナ・全角半角を区別しない(&K)"));

    auto* box = Get<wxTextCtrl>("search_text");
    box->ChangeValue(L"階段");
    Get("title_list")->SetFocus();
    ChooseMenu(XRCID("go_to_search_text"));
    long from = 0;
    long to = 0;
    box->GetSelection(&from, &to);
    EXPECT_EQ(from, 0);
    EXPECT_EQ(to, 2);
    EXPECT_EQ(wxWindow::FindFocus(), box);
}

}  // namespace
