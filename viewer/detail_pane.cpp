#include "viewer/detail_pane.h"

#include "glossary/search_highlight.h"
#include "platform/wx/wx_text.h"
#include "viewer/text_highlight.h"

void DetailPane::Highlight(const std::string& sjis, SearchMatch match) {
    highlightedText = sjis;
    highlightedMatch = match;
}

void DetailPane::Show(const wxString& text) {
    std::vector<ControlRange> highlights;
    if (!highlightedText.empty()) {
        // The pane shows what the text holds, hand edits included.
        if (const std::optional<std::string> shown = platform::wx::ToSjis(text)) {
            highlights =
                ToControlRanges(*shown, FindOccurrences(*shown, highlightedText, highlightedMatch));
        }
    }
    ShowText(control, platform::wx::ToControlLineEnds(text), highlights);
}

wxString DetailPane::Text() const {
    return platform::wx::FromControlLineEnds(control->GetValue());
}
