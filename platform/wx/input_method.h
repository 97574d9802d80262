#pragma once

#include <wx/window.h>

namespace platform::wx {

/// Starts following the input method's composition in `control`, a wxTextCtrl, for
/// IsComposing. Call it once, before the user can type; a null `control` is ignored.
void FollowComposition(wxWindow* control);

/// Whether the input method is composing text in `control` (text shown in it but not yet
/// committed), so that the keys it composes with, Esc and Return among them, are its own. False
/// for a null control, one not followed, and where the toolkit never shows those keys to the
/// program while the input method composes.
bool IsComposing(wxWindow* control);

}  // namespace platform::wx
