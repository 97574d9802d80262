#include <wx/log.h>
#include <wx/msw/regconf.h>
#include <wx/utils.h>

#include "platform/wx/user_config.h"

namespace platform::wx {

UserConfig OpenUserConfig(const wxString& appName) {
    // A key of their own for the tests, which must leave the user's settings alone, as
    // XDG_CONFIG_HOME gives them a folder of their own on Linux.
    wxString key;
    if (!wxGetEnv("HOSHIWA2_CONFIG_KEY", &key) || key.empty()) {
        key = appName;
    }
    UserConfig store;
    // The local key given in full: without it wxRegConfig would put the application's vendor
    // name, when it has one, between Software and appName.
    wxLogNull quiet;
    store.config = std::make_unique<wxRegConfig>(appName, wxString(), key, wxString(),
                                                 wxCONFIG_USE_LOCAL_FILE);
    store.writable = true;
    return store;
}

void SaveUserConfig(wxConfigBase& config, const wxString&) {
    // The registry takes each value as it is written; a key the user may not change refuses
    // them without a word.
    wxLogNull quiet;
    config.Flush();
}

}  // namespace platform::wx
