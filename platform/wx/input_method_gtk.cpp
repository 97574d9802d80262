#include "platform/wx/input_method.h"

#include <gtk/gtk.h>

namespace platform::wx {

namespace {

const char kComposingKey[] = "hoshiwa2-composing";

// GtkEntry and GtkTextView report every change of the text being composed, and an empty one
// when the composition ends (committed, cancelled or reset on focus loss).
void OnPreeditChanged(GtkWidget* widget, gchar* preedit, gpointer) {
    const bool composing = preedit != nullptr && preedit[0] != '\0';
    g_object_set_data(G_OBJECT(widget), kComposingKey, GINT_TO_POINTER(composing));
}

}  // namespace

void FollowComposition(wxWindow* control) {
    if (control != nullptr) {
        g_signal_connect(control->GetConnectWidget(), "preedit-changed",
                         G_CALLBACK(OnPreeditChanged), nullptr);
    }
}

// ibus's key snooper usually takes the keys before any widget, but not when it is off
// (IBUS_DISABLE_SNOOPER), nor with fcitx5: then the dialog's hook sees them first.
bool IsInputMethodKey(const wxKeyEvent&, wxWindow* focus) {
    return focus != nullptr &&
           g_object_get_data(G_OBJECT(focus->GetConnectWidget()), kComposingKey) != nullptr;
}

}  // namespace platform::wx
