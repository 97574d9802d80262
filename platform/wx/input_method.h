#pragma once

#include <wx/event.h>
#include <wx/window.h>

namespace platform::wx {

/// Starts following the input method's composition in `control`, a wxTextCtrl, for
/// IsInputMethodKey. Call it once, before the user can type; a null `control` is ignored.
void FollowComposition(wxWindow* control);

/// True while an input method owns `event`: a key it is using to compose text in `focus` (text
/// shown but not yet committed; Esc cancels a conversion, Return commits it). Every key hook
/// must let such keys through. False for a null `focus` or one not followed.
bool IsInputMethodKey(const wxKeyEvent& event, wxWindow* focus);

}  // namespace platform::wx
