#include "viewer/text_highlight.h"

#include <algorithm>
#include <cmath>

#include "platform/wx/wx_text.h"

// Amber (255, 213, 79) has a relative luminance of 0.694 against black's 0: (0.694 + 0.05) /
// (0 + 0.05) = 14.9, well above the 4.5 that text needs.
const wxColour kHighlightText(0, 0, 0);
const wxColour kHighlightBackground(255, 213, 79);

std::vector<ControlRange> ToControlRanges(std::string_view sjis,
                                          const std::vector<ByteRange>& ranges) {
    std::vector<ControlRange> result;
    std::size_t done = 0;  // bytes measured so far
    long position = 0;     // their length in the control
    const auto measureTo = [&](std::size_t end) {
        position +=
            static_cast<long>(platform::wx::FromSjis(sjis.substr(done, end - done)).length());
        // The control holds a CRLF as one line end. Neither byte can be a trail byte.
        for (std::size_t i = std::max<std::size_t>(done, 1); i < end; ++i) {
            if (sjis[i] == '\n' && sjis[i - 1] == '\r') {
                --position;
            }
        }
        done = end;
    };
    for (const ByteRange& range : ranges) {
        if (range.begin < done || range.begin >= range.end || range.end > sjis.size()) {
            continue;
        }
        measureTo(range.begin);
        const long from = position;
        measureTo(range.end);
        result.push_back({from, position});
    }
    return result;
}

namespace {

double Luminance(const wxColour& colour) {
    const auto linear = [](unsigned char value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.Red()) + 0.7152 * linear(colour.Green()) +
           0.0722 * linear(colour.Blue());
}

double ContrastRatio(const wxColour& a, const wxColour& b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace

wxColour LinkColour(const wxColour& background) {
    // A dark blue on light panes (8.6:1 on white), a light one on dark panes (8.7:1 on black).
    const wxColour dark(0, 71, 171);
    const wxColour light(138, 180, 248);
    return ContrastRatio(dark, background) >= ContrastRatio(light, background) ? dark : light;
}

void ShowText(wxTextCtrl* control, const wxString& text,
              const std::vector<ControlRange>& highlights, const std::vector<ControlRange>& links) {
    // The toolkit does not write a text the control already holds, and would keep its colours.
    if (control->GetValue() == text) {
        control->ChangeValue(wxString());
    }
    control->ChangeValue(text);
    // Not in the last link's style.
    platform::wx::MakeNewTextPlain(control);
    // A style that sets the underline sets a whole font under GTK (10 pt Sans unless it names
    // one): it names the control's.
    wxTextAttr link(LinkColour(control->GetBackgroundColour()), wxNullColour, control->GetFont());
    link.SetFontUnderlined(true);
    for (const ControlRange& range : links) {
        control->SetStyle(range.from, range.to, link);
    }
    const wxTextAttr colours(kHighlightText, kHighlightBackground);
    for (const ControlRange& range : highlights) {
        control->SetStyle(range.from, range.to, colours);
    }
}
