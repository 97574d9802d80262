#include <wx/msgdlg.h>

#include "platform/wx/message_box.h"

namespace platform::wx {

int ShowMessageDialog(const wxString& text, const wxString& caption, long style, wxWindow* parent) {
    // Windows' own message box: its icon, and buttons labelled in the system's language.
    wxMessageDialog dialog(parent, text, caption, style);
    return dialog.ShowModal();
}

}  // namespace platform::wx
