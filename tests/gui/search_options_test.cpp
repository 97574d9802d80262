// The search menu's options, the highlights of what was searched for and the search box's
// shortcut, through the real main dialog.

#include <wx/textctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "viewer/text_highlight.h"
#include "viewer_session.h"

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

namespace {

// WCAG 2's contrast ratio of two colours, from their relative luminance.
double Contrast(const wxColour& a, const wxColour& b) {
    const auto luminance = [](const wxColour& c) {
        double sum = 0;
        const double weights[] = {0.2126, 0.7152, 0.0722};
        const unsigned char values[] = {c.Red(), c.Green(), c.Blue()};
        for (int i = 0; i < 3; ++i) {
            const double v = values[i] / 255.0;
            sum += weights[i] * (v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
        }
        return sum;
    };
    // std::minmax would hand back references to the two temporaries.
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

    void Search(const wxString& text) {
        Box("search_text")->ChangeValue(text);
        Click("search_button");
    }

    // The detail pane's positions shown in the highlight's colours; `colours` gets the first's.
    std::vector<long> Highlighted(wxTextAttr* colours = nullptr) const {
        std::vector<long> positions;
        wxTextCtrl* pane = Box("detail_text");
        for (long position = 0; position < pane->GetLastPosition(); ++position) {
            wxTextAttr style;
            if (pane->GetStyle(position, style) &&
                style.GetBackgroundColour() == kHighlightBackground) {
                if (positions.empty() && colours != nullptr) {
                    *colours = style;
                }
                positions.push_back(position);
            }
        }
        return positions;
    }
};

// Typed with the option on, a step at a time. The fixture's numbered titles are E005..E293:
// 289 hold "E", 94 "E2" (E200..E293), 10 "E22".
struct TypingStep {
    const wchar_t* typed;
    int deleted;  // characters deleted from the end first
    const char* counter;
    const wchar_t* firstTitle;  // row 0, also in the detail pane; empty: no rows
};

const TypingStep kTypingSteps[] = {
    {L"E", 0, "289/294", L"E005"},  {L"2", 0, "94/294", L"E200"}, {L"28", 0, "1/294", L"E228"},
    {L"", 2, "94/294", L"E200"},    {L"x", 0, "0/294", L""},      {L"", 3, "294/294", L"E005"},
    {L"かい", 0, "2/294", L"階段"},
};

TEST_F(SearchOptions, AsYouTypeSearchesEachCommittedChange) {
    ChooseMenu(XRCID("search_as_you_type"));
    for (const TypingStep& step : kTypingSteps) {
        TypeKeys(step.typed, step.deleted);
        SCOPED_TRACE(Box("search_text")->GetValue().utf8_string());
        EXPECT_EQ(Counter(), step.counter);
        const std::vector<wxString> titles = Titles();
        EXPECT_EQ(titles.empty() ? wxString() : titles[0], step.firstTitle);
        const wxString detail = Box("detail_text")->GetValue();
        EXPECT_TRUE(titles.empty() ? detail.empty() : detail.Contains(step.firstTitle));
    }
    // An emptied box left the box empty; the kana found are highlighted in （かいだん）.
    EXPECT_EQ(Box("search_text")->GetValue(), wxString(L"かい"));
    EXPECT_EQ(Highlighted(), (std::vector<long>{6, 7}));

#ifdef __WXGTK__
    // What the input method commits while it still composes waits until it ends; a cancelled
    // composition searches nothing. (GtkEntry reports compositions as ibus and fcitx make them.)
    GtkWidget* entry = Get("search_text")->GetConnectWidget();
    g_signal_emit_by_name(entry, "preedit-changed", "だ");
    TypeKeys(L"だ");
    EXPECT_EQ(Counter(), "2/294");
    g_signal_emit_by_name(entry, "preedit-changed", "");
    EXPECT_EQ(Titles(), (std::vector<wxString>{L"階段"}));
    Click("all_button");
    g_signal_emit_by_name(entry, "preedit-changed", "ん");
    g_signal_emit_by_name(entry, "preedit-changed", "");
    EXPECT_EQ(Counter(), "294/294");
#endif
}

TEST_F(SearchOptions, EveryOccurrenceIsHighlightedUntilAKanaRowOrAll) {
    // 000 occurs twice in 階段's detail (「階段」\n（かいだん）\n\nS000\nT000\n).
    Search("000");
    wxTextAttr colours;
    EXPECT_EQ(Highlighted(&colours), (std::vector<long>{14, 15, 16, 19, 20, 21}));
    EXPECT_GE(Contrast(colours.GetTextColour(), colours.GetBackgroundColour()), 4.5);
    std::printf("highlight contrast %.2f:1\n",
                Contrast(colours.GetTextColour(), colours.GetBackgroundColour()));

    // Folded matches cover the original characters, in every row of the search.
    ChooseMenu(XRCID("folded_search"));
    Search(L"ｶｲ");
    EXPECT_EQ(Highlighted(), (std::vector<long>{6, 7}));  // かい
    auto* list = static_cast<wxListBox*>(Get("title_list"));
    list->SetSelection(1);
    wxCommandEvent selected(wxEVT_LISTBOX, list->GetId());
    list->ProcessWindowEvent(selected);
    EXPECT_EQ(Box("detail_text")->GetValue(), wxString(L"機械\n（きかい）\n\nS004\nT004\n"));
    EXPECT_EQ(Highlighted(), (std::vector<long>{5, 6}));

    // An empty kana row keeps the pane's text but not its highlights; nor does 全て.
    Click("kana_ta");
    EXPECT_TRUE(Highlighted().empty());
    Search(L"かい");
    Click("all_button");
    EXPECT_TRUE(Highlighted().empty());
}

TEST_F(SearchOptions, CtrlFSelectsTheSearchBoxAndTheMenusShowTheirShortcuts) {
    const auto shortcut = [this](int id) { return MenuItem(id)->GetItemLabel().AfterFirst('\t'); };
    EXPECT_EQ(shortcut(wxID_OPEN), "Ctrl+O");
    EXPECT_EQ(shortcut(XRCID("go_to_search_text")), "Ctrl+F");
#ifdef __WXGTK__
    EXPECT_EQ(shortcut(wxID_EXIT), "Ctrl+Q");
#endif

    Box("search_text")->ChangeValue(L"階段");
    Get("title_list")->SetFocus();
    ChooseMenu(XRCID("go_to_search_text"));
    long from = 0;
    long to = 0;
    Box("search_text")->GetSelection(&from, &to);
    EXPECT_EQ(std::make_pair(from, to), std::make_pair(0L, 2L));
    EXPECT_EQ(wxWindow::FindFocus(), Get("search_text"));
}

}  // namespace
