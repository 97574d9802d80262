#pragma once

#include <wx/event.h>
#include <wx/window.h>

#include <functional>

namespace platform::wx {

/// Starts following the input method's composition in `control`, a wxTextCtrl, for
/// IsInputMethodKey. Call it once, before the user can type; a null `control` is ignored.
void FollowComposition(wxWindow* control);

/// True while an input method owns `event`: a key it is using to compose text in `focus` (text
/// shown but not yet committed; Esc cancels a conversion, Return commits it). Every key hook
/// must let such keys through. False for a null `focus` or one not followed.
bool IsInputMethodKey(const wxKeyEvent& event, wxWindow* focus);

/// True while an input method is composing text in `control` (shown but not yet committed), a
/// wxTextCtrl followed with FollowComposition. False for a null `control`.
bool IsComposing(wxWindow* control);

/// Calls `ended` each time a composition in `control` (followed with FollowComposition) ends,
/// committed or cancelled, after the control holds what was committed. Where the toolkit commits
/// only once the composition has ended (Windows), it is never called. Call it once.
void WhenCompositionEnds(wxWindow* control, std::function<void()> ended);

}  // namespace platform::wx
