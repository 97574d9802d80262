#include "platform/wx/desktop_language.h"

#include <wx/uilocale.h>

namespace platform::wx {

void UseDesktopLanguage() {
    // A locale the system has not generated leaves the C one, as before: nothing to report.
    wxUILocale::UseDefault();
}

}  // namespace platform::wx
