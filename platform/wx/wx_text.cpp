#include "platform/wx/wx_text.h"

#include "platform/cp932.h"

namespace platform::wx {

wxString FromSjis(std::string_view sjis) {
    const std::string utf8 = Cp932ToUtf8(sjis);
    return wxString::FromUTF8(utf8.data(), utf8.size());
}

std::optional<std::string> ToSjis(const wxString& text) {
    const wxScopedCharBuffer utf8 = text.utf8_str();
    return Utf8ToCp932(std::string_view(utf8.data(), utf8.length()));
}

wxString ToControlLineEnds(const wxString& text) {
    wxString result(text);
    result.Replace("\r\n", "\n");
    return result;
}

wxString FromControlLineEnds(const wxString& text) {
    wxString result = ToControlLineEnds(text);
    result.Replace("\n", "\r\n");
    return result;
}

std::filesystem::path ToPath(const wxString& path) {
#ifdef __WXMSW__
    return std::filesystem::path(path.ToStdWstring());
#else
    // The toolkit decoded the name with its file-name converter; encoding it back with the same
    // converter gives the file system's bytes whatever the locale says.
    const wxCharBuffer bytes = path.fn_str();
    return std::filesystem::path(std::string(bytes.data(), bytes.length()));
#endif
}

wxString FromPath(const std::filesystem::path& path) {
#ifdef __WXMSW__
    return wxString(path.wstring());
#else
    return wxString(path.native().c_str(), *wxConvFileName);
#endif
}

}  // namespace platform::wx
