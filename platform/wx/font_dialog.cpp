#include "platform/wx/font_dialog.h"

#include <wx/fontdlg.h>

namespace platform::wx {

std::optional<wxFont> ShowFontDialog(wxWindow* parent, const wxFontData& data) {
    wxFontDialog dialog(parent, data);
    if (dialog.ShowModal() != wxID_OK) {
        return std::nullopt;
    }
    return dialog.GetFontData().GetChosenFont();
}

}  // namespace platform::wx
