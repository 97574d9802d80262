#include "platform/wx/file_dialog.h"

namespace platform::wx {

FileDialogRequest ForThisToolkit(FileDialogRequest request) {
    return request;  // the dialog the request was written for
}

}  // namespace platform::wx
