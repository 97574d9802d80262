#include "platform/wx/message_box.h"

#include <wx/msgdlg.h>
#ifdef __WXGTK__
// After msgdlg.h, which declares its base class.
#include <wx/generic/msgdlgg.h>
#endif

#include <utility>

#include "platform/wx/wx_text.h"

namespace platform::wx {

int ShowMessageBox(const wxString& text, const wxString& caption, long style, wxWindow* parent) {
#ifdef __WXGTK__
    // GTK's own message dialog shows no icon; the generic one shows the exclamation mark. Its
    // buttons would say Yes and No whatever the program's language; Windows' follow the system.
    wxGenericMessageDialog dialog(parent, text, caption, style);
    dialog.SetYesNoLabels(L"はい", L"いいえ");
#else
    wxMessageDialog dialog(parent, text, caption, style);
#endif
    switch (dialog.ShowModal()) {
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

ScopedErrorMessageBox::ScopedErrorMessageBox(const wxString& caption, wxWindow* owner) {
    previous = SetErrorMessageHandler([caption, owner](const std::string& sjisText) {
        ShowMessageBox(FromSjis(sjisText), caption, wxOK | wxICON_EXCLAMATION, owner);
    });
}

ScopedErrorMessageBox::~ScopedErrorMessageBox() {
    SetErrorMessageHandler(std::move(previous));
}

}  // namespace platform::wx
