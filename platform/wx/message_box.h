#pragma once

#include <wx/string.h>
#include <wx/window.h>

#include <functional>

#include "platform/error_message.h"

namespace platform::wx {

/// Answers in place of a message box: receives its text, caption and style (wxOK,
/// wxICON_EXCLAMATION, ...) and returns the button "pressed" (wxOK, wxYES, ...).
using MessageBoxHook =
    std::function<int(const wxString& text, const wxString& caption, long style)>;

/// Installs `hook` (an empty one restores the real message box) and returns the previous hook.
MessageBoxHook SetMessageBoxHook(MessageBoxHook hook);

/// Shows a modal message box over `parent` (may be null) and returns the button pressed, or
/// lets the hook answer when one is installed.
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
