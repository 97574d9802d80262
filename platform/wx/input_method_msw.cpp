#include "platform/wx/input_method.h"

namespace platform::wx {

// While an IME composes, Windows delivers the keys it uses as VK_PROCESSKEY, never as Esc or
// Return, so there is nothing to follow.
void FollowComposition(wxWindow*) {}

bool IsComposing(wxWindow*) {
    return false;
}

}  // namespace platform::wx
