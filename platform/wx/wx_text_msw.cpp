#include "platform/wx/wx_text.h"

#include <wx/textctrl.h>

namespace platform::wx {

void MakeNewTextPlain(wxTextCtrl* control) {
    // With the control's own font: a style that sets the underline sets a whole font.
    wxTextAttr plain(control->GetForegroundColour(), wxNullColour, control->GetFont());
    plain.SetFontUnderlined(false);
    control->SetStyle(0, control->GetLastPosition(), plain);
}

// Windows' paths are UTF-16, as wx's strings are: nothing is lost either way.
std::filesystem::path ToPath(const wxString& path) {
    return std::filesystem::path(path.ToStdWstring());
}

wxString FromPath(const std::filesystem::path& path) {
    return wxString(path.wstring());
}

}  // namespace platform::wx
