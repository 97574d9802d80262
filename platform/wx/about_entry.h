#pragma once

#include <wx/frame.h>
#include <wx/string.h>

namespace platform::wx {

/// The command the about entry sends to its frame. Windows' system menu needs a number below
/// 0xF000 whose low four bits are clear: 16, the one the program has always used there; other
/// systems use wxID_ABOUT.
int AboutCommand();

/// Adds the about entry, labelled `text`, where the system puts it: at the end of the frame's
/// system menu after a separator on Windows; elsewhere, where an application cannot extend the
/// system menu, in a menu of its own, "ヘルプ(&H)", at the end of the frame's menu bar (which
/// must exist).
void AddAboutEntry(wxFrame* frame, const wxString& text);

}  // namespace platform::wx
