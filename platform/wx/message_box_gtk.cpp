#include <wx/msgdlg.h>
// After msgdlg.h, which declares its base class.
#include <wx/generic/msgdlgg.h>

#include "platform/wx/message_box.h"

namespace platform::wx {

int ShowMessageDialog(const wxString& text, const wxString& caption, long style, wxWindow* parent) {
    // GTK's own message dialog shows no icon; the generic one shows the exclamation mark. Its
    // buttons would say Yes and No whatever the program's language; Windows' follow the system.
    wxGenericMessageDialog dialog(parent, text, caption, style);
    dialog.SetYesNoLabels(L"はい", L"いいえ");
    return dialog.ShowModal();
}

}  // namespace platform::wx
