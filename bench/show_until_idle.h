#pragma once

#include <wx/event.h>

/// Shows `dialog` modally until its first idle moment, then ends it: start-up as the user
/// meets it, up to a dialog shown and ready. Works for wxDialog and for the main dialog, which
/// runs modally on its own.
template <typename Dialog>
void ShowUntilFirstIdle(Dialog& dialog) {
    bool ended = false;
    dialog.Bind(wxEVT_IDLE, [&dialog, &ended](wxIdleEvent&) {
        if (!ended) {
            ended = true;
            dialog.EndModal(0);
        }
    });
    dialog.ShowModal();
}
