#include <wx/menu.h>

#include "platform/wx/about_entry.h"

namespace platform::wx {

int AboutCommand() {
    return wxID_ABOUT;
}

void AddAboutEntry(wxFrame* frame, const wxString& text) {
    auto* help = new wxMenu;
    help->Append(AboutCommand(), text);
    frame->GetMenuBar()->Append(help, L"ヘルプ(&H)");
}

}  // namespace platform::wx
