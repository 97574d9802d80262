#pragma once

#include <wx/string.h>
#include <wx/window.h>

#include <functional>
#include <optional>
#include <vector>

namespace platform::wx {

/// What a common open or save dialog is asked to show.
struct FileDialogRequest {
    long style = 0;  ///< wxFD_OPEN or wxFD_SAVE with their options (wxFD_CHANGE_DIR, ...)
    wxString defaultDirectory;  ///< the folder shown first; empty: the toolkit's choice
    wxString defaultFile;       ///< the name proposed; a wildcard pattern such as "*.txt" is
                                ///< not put into the name field (see ShowFileDialog)
    wxString defaultExtension;  ///< without the dot; empty: none
    wxString wildcard;          ///< filters as "description|pattern|description|pattern"
    /// Every file a save to the chosen path writes, when it writes more than that one; empty:
    /// only the chosen file.
    std::function<std::vector<wxString>(const wxString& chosen)> writtenFiles;
};

/// Shows the common file dialog modally over `parent` and returns the full path chosen, or
/// nothing when the user cancels. The caption is the one a Japanese Windows gives the dialog
/// ("開く", "名前を付けて保存"); on GTK the filters' patterns match names in any letter case, as
/// they do on Windows. A chosen name without an extension gets the
/// default extension; with wxFD_OVERWRITE_PROMPT, when that or any of the request's writtenFiles
/// exists, a message box naming every one that exists asks first and "no" shows the dialog
/// again. With wxFD_CHANGE_DIR the chosen
/// file's folder becomes the process's current directory. On GTK a default file name holding a
/// wildcard is left out of the name field, where it would be taken literally.
std::optional<wxString> ShowFileDialog(wxWindow* parent, const FileDialogRequest& request);

/// `request` as this toolkit's dialog must be given it to behave as Windows' does: on GTK a
/// default file name holding a wildcard is dropped and the filters' patterns match any letter
/// case (CaseInsensitiveWildcard); on Windows it comes back unchanged.
FileDialogRequest ForThisToolkit(FileDialogRequest request);

/// `path` with "." and `extension` appended when its file name has no extension and `extension`
/// is not empty; otherwise `path` unchanged.
wxString WithDefaultExtension(const wxString& path, const wxString& extension);

/// `wildcard` ("description|pattern|...") with every letter of its patterns matching either
/// case ("*.txt" becomes "*.[tT][xX][tT]"); the descriptions are left as they are.
wxString CaseInsensitiveWildcard(const wxString& wildcard);

}  // namespace platform::wx
