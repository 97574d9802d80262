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

}  // namespace platform::wx
