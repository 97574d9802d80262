#include "viewer/text_highlight.h"

#include <algorithm>

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

void ShowText(wxTextCtrl* control, const wxString& text,
              const std::vector<ControlRange>& highlights) {
    // The toolkit does not write a text the control already holds, and would keep its colours.
    if (control->GetValue() == text) {
        control->ChangeValue(wxString());
    }
    control->ChangeValue(text);
    const wxTextAttr colours(kHighlightText, kHighlightBackground);
    for (const ControlRange& range : highlights) {
        control->SetStyle(range.from, range.to, colours);
    }
}
