#include "platform/wx/input_method.h"

#include <wx/msw/wrapwin.h>

#include <imm.h>

namespace platform::wx {

// The IME's context knows its composition; there is nothing to follow.
void FollowComposition(wxWindow*) {}

bool IsInputMethodKey(const wxKeyEvent& event, wxWindow* focus) {
    // A key the IME has taken arrives as VK_PROCESSKEY. wx's keyboard hook, though, sees the
    // key before the IME does, so a composition in progress counts as well: not skipping its
    // keys would close the program on the Esc that cancels a conversion, and can leave the IME
    // stuck.
    if (event.GetRawKeyCode() == VK_PROCESSKEY) {
        return true;
    }
    return IsComposing(focus);
}

bool IsComposing(wxWindow* control) {
    if (control == nullptr) {
        return false;
    }
    const HWND window = static_cast<HWND>(control->GetHandle());
    const HIMC context = ImmGetContext(window);
    if (context == nullptr) {
        return false;
    }
    const LONG composing = ImmGetCompositionStringW(context, GCS_COMPSTR, nullptr, 0);
    ImmReleaseContext(window, context);
    return composing > 0;
}

// An edit control receives the committed text once the IME has ended its composition, so the
// change itself comes when nothing is composing any more.
void WhenCompositionEnds(wxWindow*, std::function<void()>) {}

}  // namespace platform::wx
