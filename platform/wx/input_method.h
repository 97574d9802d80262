#pragma once

#include <wx/event.h>
#include <wx/window.h>

namespace platform::wx {

/// True while an input method owns `event`: a key it is using to compose text in `focus` (for
/// example Esc cancelling a conversion, Return committing it). Such keys must be skipped by
/// every key hook. On GTK the input method sees keys before any hook, so this is always false
/// there; on Windows the keyboard hook sees them first.
bool IsInputMethodKey(const wxKeyEvent& event, wxWindow* focus);

}  // namespace platform::wx
