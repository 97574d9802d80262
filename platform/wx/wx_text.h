#pragma once

// The one place where text crosses between the glossary's Shift-JIS (code page 932) bytes and the
// toolkit's Unicode strings. The conversions are explicit CP932 ones and never use the locale.

#include <wx/string.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

class wxTextCtrl;

namespace platform::wx {

/// Shift-JIS bytes as toolkit text, decoded the same way on every system. A byte sequence that is
/// not a CP932 character shows as U+FFFD; the empty text gives the empty string.
wxString FromSjis(std::string_view sjis);

/// Toolkit text as Shift-JIS bytes. Both Unicode forms of CP932's ambiguous characters give the
/// same bytes (U+301C and U+FF5E give 0x81 0x60, U+2212 and U+FF0D give 0x81 0x7C, ...). Nothing
/// when the text holds a character CP932 cannot represent.
std::optional<std::string> ToSjis(const wxString& text);

/// A text with CRLF line ends as a text control holds it: every CRLF becomes LF.
wxString ToControlLineEnds(const wxString& text);

/// A text control's text with CRLF line ends: every LF not already preceded by CR gets one.
wxString FromControlLineEnds(const wxString& text);

/// Makes the whole text of `control`, just written, plain: a rich edit control gives a new text
/// the style at its insertion point (the underline of a link, say), GTK gives it none.
void MakeNewTextPlain(wxTextCtrl* control);

/// A path from the toolkit (a file dialog's answer) as the file system's path, byte for byte.
std::filesystem::path ToPath(const wxString& path);

/// A file system path as toolkit text.
wxString FromPath(const std::filesystem::path& path);

}  // namespace platform::wx
