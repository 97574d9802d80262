#include "platform/wx/wx_text.h"

namespace platform::wx {

void MakeNewTextPlain(wxTextCtrl*) {}

std::filesystem::path ToPath(const wxString& path) {
    // The toolkit decoded the name with its file-name converter; encoding it back with the same
    // converter gives the file system's bytes whatever the locale says.
    const wxCharBuffer bytes = path.fn_str();
    return std::filesystem::path(std::string(bytes.data(), bytes.length()));
}

wxString FromPath(const std::filesystem::path& path) {
    return wxString(path.native().c_str(), *wxConvFileName);
}

}  // namespace platform::wx
