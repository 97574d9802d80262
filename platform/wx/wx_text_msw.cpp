#include "platform/wx/wx_text.h"

namespace platform::wx {

// Windows' paths are UTF-16, as wx's strings are: nothing is lost either way.
std::filesystem::path ToPath(const wxString& path) {
    return std::filesystem::path(path.ToStdWstring());
}

wxString FromPath(const std::filesystem::path& path) {
    return wxString(path.wstring());
}

}  // namespace platform::wx
