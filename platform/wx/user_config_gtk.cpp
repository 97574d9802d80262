#include <wx/fileconf.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/stdpaths.h>

#include <sys/stat.h>

#include "platform/wx/user_config.h"

namespace platform::wx {

namespace {

// Whether a file can be replaced by the user's choice: it is missing, or readable and marked
// writable. The mode bits decide, not access(): root may write anything, yet a file its owner
// made read-only should stay as it is.
bool MayReplace(const wxFileName& file) {
    struct stat status {};
    if (::stat(file.GetFullPath().fn_str(), &status) != 0) {
        return true;
    }
    return S_ISREG(status.st_mode) && file.IsFileReadable() && (status.st_mode & S_IWUSR) != 0;
}

}  // namespace

UserConfig OpenUserConfig(const wxString& appName) {
    // The layout must be chosen before anything asks for a path.
    wxStandardPaths::Get().SetFileLayout(wxStandardPaths::FileLayout_XDG);
    // Named here: wxFileConfig's own choice with a subfolder is the classic ~/.app, whatever
    // the layout.
    wxFileName file(wxStandardPaths::Get().GetUserConfigDir(), appName + ".conf");
    file.AppendDir(appName);
    UserConfig store;
    store.writable = MayReplace(file);
    store.location = file.GetFullPath();
    // A garbled line or an unreadable file is logged as a warning, which would become a
    // message box; each value falls back to its default instead.
    wxLogNull quiet;
    auto config = std::make_unique<wxFileConfig>(appName, wxString(), file.GetFullPath(),
                                                 wxString(), wxCONFIG_USE_LOCAL_FILE);
    config->DisableAutoSave();
    store.config = std::move(config);
    return store;
}

void SaveUserConfig(wxConfigBase& config, const wxString& location) {
    wxLogNull quiet;
    const wxFileName file(location);
    if (!file.DirExists() && !file.Mkdir(0700, wxPATH_MKDIR_FULL)) {
        return;
    }
    config.Flush();
}

}  // namespace platform::wx
