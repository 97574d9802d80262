#pragma once

#include <wx/string.h>
#include <wx/window.h>

namespace platform::wx {

/// Shows a modal message box over `parent` (may be null) and returns the button pressed (wxOK,
/// wxYES, wxNO or wxCANCEL). Its buttons are labelled in Japanese ("はい", "いいえ") where the
/// toolkit does not take them from the system.
int ShowMessageBox(const wxString& text, const wxString& caption, long style, wxWindow* parent);

/// The toolkit's own message dialog: what ShowMessageBox shows on this system. Returns the id of
/// the button pressed (wxID_OK, wxID_YES, ...).
int ShowMessageDialog(const wxString& text, const wxString& caption, long style, wxWindow* parent);

}  // namespace platform::wx
