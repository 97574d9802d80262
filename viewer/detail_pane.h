#pragma once

#include <wx/textctrl.h>

#include <string>

#include "glossary/kana_fold.h"

/// The detail pane: the shown entry's text, with every occurrence of the last search
/// highlighted.
class DetailPane {
  public:
    explicit DetailPane(wxTextCtrl* control) : control(control) {}

    /// From the next Show on, highlights what `sjis` (Shift-JIS) finds when compared by `match`;
    /// an empty text highlights nothing.
    void Highlight(const std::string& sjis, SearchMatch match);

    /// Writes `text` (LF line ends) into the pane, with the highlights.
    void Show(const wxString& text);

    /// What the pane holds, with LF line ends.
    wxString Text() const;

  private:
    wxTextCtrl* control;
    std::string highlightedText;
    SearchMatch highlightedMatch = SearchMatch::Exact;
};
