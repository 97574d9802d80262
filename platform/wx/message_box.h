#pragma once

#include <wx/string.h>
#include <wx/window.h>

#include "platform/error_message.h"

namespace platform::wx {

/// Shows a modal message box over `parent` (may be null) and returns the button pressed (wxOK,
/// wxYES, wxNO or wxCANCEL). Its buttons are labelled in Japanese ("はい", "いいえ") where the
/// toolkit does not take them from the system.
int ShowMessageBox(const wxString& text, const wxString& caption, long style, wxWindow* parent);

/// While it lives, `ShowErrorMessage` shows its Shift-JIS text in a modal message box with the
/// exclamation icon, one OK button and `caption`, owned by `owner`; the previous handler comes
/// back when it is destroyed.
class ScopedErrorMessageBox {
  public:
    ScopedErrorMessageBox(const wxString& caption, wxWindow* owner);
    ~ScopedErrorMessageBox();
    ScopedErrorMessageBox(const ScopedErrorMessageBox&) = delete;
    ScopedErrorMessageBox& operator=(const ScopedErrorMessageBox&) = delete;

  private:
    ErrorMessageHandler previous;
};

}  // namespace platform::wx
