#include "platform/wx/accessible_name.h"

#include <gtk/gtk.h>

namespace platform::wx {

void SetAccessibleName(wxWindow* control, const wxString& name) {
    if (control == nullptr) {
        return;
    }
    // A list box or a multi-line text box is a GtkScrolledWindow around the tree or text view
    // that AT-SPI shows as the table or the text; that inner view is the connect widget, and
    // for every other control the connect widget is the control itself.
    GtkWidget* widget = control->GetConnectWidget();
    if (AtkObject* accessible = gtk_widget_get_accessible(widget)) {
        atk_object_set_name(accessible, name.utf8_str());
    }
}

}  // namespace platform::wx
