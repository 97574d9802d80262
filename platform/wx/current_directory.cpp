#include "platform/wx/current_directory.h"

#include <wx/filefn.h>

namespace platform::wx {

wxString CurrentDirectory() {
    return wxGetCwd();
}

}  // namespace platform::wx
