#pragma once

#include <wx/font.h>
#include <wx/textctrl.h>

#include <string>
#include <vector>

#include "glossary/kana_fold.h"
#include "glossary/search_highlight.h"
#include "viewer/text_highlight.h"

/// The detail pane: the shown entry's text, with every occurrence of the last search
/// highlighted, in the chosen font at the chosen zoom.
class DetailPane {
  public:
    /// The sizes a zoom can reach, in points.
    static constexpr int kSmallestPoints = 6;
    static constexpr int kLargestPoints = 72;

    explicit DetailPane(wxTextCtrl* control) : control(control), ownFont(control->GetFont()) {}

    /// Shows the text in `chosen` at its own size; an invalid font gives the system's.
    void UseFont(const wxFont& chosen);

    /// Shows the text at `points`, held within the zoom's sizes, or at the font's own size (0).
    void ZoomTo(int points);

    /// Zooms by `steps` points (negative: out), within the zoom's sizes; reaching the font's
    /// own size ends the zoom.
    void Zoom(int steps);

    /// The zoomed size in points, or 0 at the font's own size.
    int ZoomedPoints() const { return points; }

    /// From the next Show on, highlights what `sjis` (Shift-JIS) finds when compared by `match`;
    /// an empty text highlights nothing.
    void Highlight(const std::string& sjis, SearchMatch match);

    /// Underlines the byte `ranges` of `composed` (Shift-JIS, LF line ends) as links to the
    /// entries `targets` (one each), whenever the pane shows exactly that text.
    void SetLinks(const std::string& composed, const std::vector<ByteRange>& ranges,
                  std::vector<int> targets);

    /// The target of the link at character `position` of the pane, or -1 where there is none.
    int LinkAt(long position) const;

    /// Writes `text` (LF line ends) into the pane, with the links and highlights.
    void Show(const wxString& text);

    /// What the pane holds, with LF line ends.
    wxString Text() const;

  private:
    wxTextCtrl* control;
    wxFont ownFont;  // the font at its own size: the template's until one is chosen
    int points = 0;
    wxString linkedText;  // what the links were found in
    std::vector<ControlRange> links;
    std::vector<int> linkTargets;
    bool linksShown = false;
    std::string highlightedText;
    SearchMatch highlightedMatch = SearchMatch::Exact;
};
