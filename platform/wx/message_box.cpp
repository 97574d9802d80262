#include "platform/wx/message_box.h"

#include <wx/msgdlg.h>

namespace platform::wx {

int ShowMessageBox(const wxString& text, const wxString& caption, long style, wxWindow* parent) {
    switch (ShowMessageDialog(text, caption, style, parent)) {
        case wxID_YES:
            return wxYES;
        case wxID_NO:
            return wxNO;
        case wxID_CANCEL:
            return wxCANCEL;
        default:
            return wxOK;
    }
}

}  // namespace platform::wx
