#include <wx/menu.h>

#include "platform/wx/about_entry.h"

namespace platform::wx {

int AboutCommand() {
    return 16;
}

void AddAboutEntry(wxFrame* frame, const wxString& text) {
    if (wxMenu* systemMenu = frame->MSWGetSystemMenu()) {
        systemMenu->AppendSeparator();
        systemMenu->Append(AboutCommand(), text);
    }
}

}  // namespace platform::wx
