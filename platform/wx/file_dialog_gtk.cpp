#include "platform/wx/file_dialog.h"

namespace platform::wx {

FileDialogRequest ForThisToolkit(FileDialogRequest request) {
    // Windows' dialog takes a wildcard in the name field as a filter; GTK's would save a file
    // of that name. GTK's patterns are case-sensitive, Windows' are not: a glossary copied from
    // a FAT stick may be named ygs_prg.bin.
    if (request.defaultFile.find_first_of("*?") != wxString::npos) {
        request.defaultFile.clear();
    }
    request.wildcard = CaseInsensitiveWildcard(request.wildcard);
    return request;
}

}  // namespace platform::wx
