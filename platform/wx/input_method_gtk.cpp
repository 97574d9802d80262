#include "platform/wx/input_method.h"

#include <gtk/gtk.h>

#include <utility>

namespace platform::wx {

namespace {

const char kComposingKey[] = "hoshiwa2-composing";

void CallEnded(GtkWidget*, gchar* preedit, gpointer ended) {
    if (preedit == nullptr || preedit[0] == '\0') {
        (*static_cast<std::function<void()>*>(ended))();
    }
}

void DeleteEnded(gpointer ended, GClosure*) {
    delete static_cast<std::function<void()>*>(ended);
}

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
    return IsComposing(focus);
}

bool IsComposing(wxWindow* control) {
    return control != nullptr &&
           g_object_get_data(G_OBJECT(control->GetConnectWidget()), kComposingKey) != nullptr;
}

// Connected after FollowComposition's handler, so the composition is already over when it
// runs. Some input methods commit before they end the composition, others after: a caller that
// saw a change while composing learns here that it can act on it.
void WhenCompositionEnds(wxWindow* control, std::function<void()> ended) {
    if (control != nullptr) {
        g_signal_connect_data(control->GetConnectWidget(), "preedit-changed", G_CALLBACK(CallEnded),
                              new std::function<void()>(std::move(ended)), DeleteEnded,
                              GConnectFlags(0));
    }
}

}  // namespace platform::wx
