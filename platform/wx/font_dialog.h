#pragma once

#include <wx/font.h>
#include <wx/fontdata.h>
#include <wx/window.h>

#include <optional>

namespace platform::wx {

/// Shows the common font dialog modally over `parent`, set up from `data` (initial font,
/// effects), and returns the font chosen, or nothing when the user cancels. The font returned
/// may be invalid (!IsOk()) when the choice could not be turned into a font.
std::optional<wxFont> ShowFontDialog(wxWindow* parent, const wxFontData& data);

}  // namespace platform::wx
