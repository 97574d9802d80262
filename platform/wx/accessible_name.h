#pragma once

#include <wx/string.h>
#include <wx/window.h>

namespace platform::wx {

/// Gives `control` the accessible name `name` (characters), the name a screen reader says for
/// it, in place of whatever the toolkit derives from it. Call it again whenever what the name
/// stands for changes; the last call wins. An empty `name` leaves the control unnamed; a null
/// `control` is ignored.
void SetAccessibleName(wxWindow* control, const wxString& name);

}  // namespace platform::wx
