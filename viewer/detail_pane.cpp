#include "viewer/detail_pane.h"

#include <algorithm>

#include "glossary/search_highlight.h"
#include "platform/wx/wx_text.h"
#include "viewer/text_highlight.h"

void DetailPane::UseFont(const wxFont& chosen) {
    // An invalid font leaves the pane without a font of its own: it shows the system font.
    control->SetFont(chosen.IsOk() ? chosen : wxFont());
    ownFont = control->GetFont();
    ZoomTo(0);
}

void DetailPane::ZoomTo(int zoomed) {
    points = zoomed == 0 ? 0 : std::clamp(zoomed, kSmallestPoints, kLargestPoints);
    wxFont font = ownFont;
    if (points != 0) {
        font.SetPointSize(points);
    }
    control->SetFont(font);
    // GTK writes the text again in the new font without its styles: the links and highlights
    // go with them unless they are written again.
    Show(Text());
    control->Refresh();
}

void DetailPane::Zoom(int steps) {
    const int own = ownFont.GetPointSize();
    const int current = points != 0 ? points : own;
    const int zoomed = std::clamp(current + steps, kSmallestPoints, kLargestPoints);
    // A font chosen outside the zoom's sizes moves only towards them.
    if ((steps > 0 && zoomed > current) || (steps < 0 && zoomed < current)) {
        ZoomTo(zoomed == own ? 0 : zoomed);
    }
}

void DetailPane::Highlight(const std::string& sjis, SearchMatch match) {
    highlightedText = sjis;
    highlightedMatch = match;
}

void DetailPane::SetLinks(const std::string& composed, const std::vector<ByteRange>& ranges,
                          std::vector<int> targets) {
    linkedText = platform::wx::FromSjis(composed);
    links = ToControlRanges(composed, ranges);
    linkTargets = std::move(targets);
}

int DetailPane::LinkAt(long position) const {
    for (std::size_t i = 0; linksShown && i < links.size() && i < linkTargets.size(); ++i) {
        if (position >= links[i].from && position < links[i].to) {
            return linkTargets[i];
        }
    }
    return -1;
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
    // A hand edit leaves the text the links were found in.
    linksShown = text == linkedText;
    ShowText(control, platform::wx::ToControlLineEnds(text), highlights,
             linksShown ? links : std::vector<ControlRange>());
}

wxString DetailPane::Text() const {
    return platform::wx::FromControlLineEnds(control->GetValue());
}
