#pragma once

#include <wx/string.h>

namespace platform::wx {

/// The process's current directory, whatever its length; empty when it cannot be read (for
/// example after it was removed).
wxString CurrentDirectory();

}  // namespace platform::wx
