#pragma once

#include <wx/colour.h>
#include <wx/textctrl.h>

#include <string_view>
#include <vector>

#include "glossary/search_highlight.h"

/// A range [from, to) of positions in a text control: characters, one per CRLF.
struct ControlRange {
    long from;
    long to;
};

/// The highlight's text and background colours: black on amber, a contrast of 14.9:1.
extern const wxColour kHighlightText;
extern const wxColour kHighlightBackground;

/// Where the byte `ranges` of the Shift-JIS text `sjis` lie once it is shown in a text control,
/// decoded as FromSjis decodes it and with ToControlLineEnds' line ends. The ranges must be in
/// order, within the text and start and end at character boundaries; others are left out.
std::vector<ControlRange> ToControlRanges(std::string_view sjis,
                                          const std::vector<ByteRange>& ranges);

/// The colour of links on `background`: a blue with a contrast of at least 4.5:1 to it.
wxColour LinkColour(const wxColour& background);

/// Writes `text` into `control` as ChangeValue does (no text event), with each of `links`
/// underlined in LinkColour and each of `highlights` in the highlight's colours over them, the
/// rest in the control's own: the styles of an earlier call go even where the text stays the
/// same. `control` is a wxTE_RICH2 control on Windows.
void ShowText(wxTextCtrl* control, const wxString& text,
              const std::vector<ControlRange>& highlights,
              const std::vector<ControlRange>& links = {});
