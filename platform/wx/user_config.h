#pragma once

#include <wx/confbase.h>
#include <wx/string.h>

#include <memory>

namespace platform::wx {

/// The user's own configuration store of one program, and whether it may be written.
struct UserConfig {
    std::unique_ptr<wxConfigBase> config;
    /// False when the store exists but cannot be read, or is read-only: what the user has not
    /// asked to change is then left as it is.
    bool writable = false;
    /// Where it is kept, for SaveUserConfig: the file (empty on Windows).
    wxString location;
};

/// Opens the configuration of the program `appName`: $XDG_CONFIG_HOME/appName/appName.conf on
/// Linux (~/.config when XDG_CONFIG_HOME is unset), HKEY_CURRENT_USER\Software\appName on
/// Windows (\Software\$HOSHIWA2_CONFIG_KEY when that is set, for tests). A missing store reads
/// as empty; a garbled one gives what can be read of it. Nothing is logged or shown, and nothing
/// is written until SaveUserConfig.
UserConfig OpenUserConfig(const wxString& appName);

/// Writes what `config`, opened by OpenUserConfig, holds to its store at `location` (creating
/// the file's folder). A failure is silent and leaves the store as it was.
void SaveUserConfig(wxConfigBase& config, const wxString& location);

}  // namespace platform::wx
