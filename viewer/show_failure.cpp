#include "viewer/show_failure.h"

#include "platform/wx/message_box.h"
#include "platform/wx/wx_text.h"

bool ShowFailure(const GlossaryResult& result, const wxString& caption, wxWindow* parent) {
    if (!result.Ok()) {
        platform::wx::ShowMessageBox(platform::wx::FromSjis(result.errorMessage), caption,
                                     wxOK | wxICON_EXCLAMATION, parent);
    }
    return result.Ok();
}
