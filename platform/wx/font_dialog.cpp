#include "platform/wx/font_dialog.h"

#include <wx/fontdlg.h>

#include <utility>

namespace platform::wx {

namespace {

FontDialogHook& InstalledHook() {
    static FontDialogHook hook;
    return hook;
}

}  // namespace

FontDialogHook SetFontDialogHook(FontDialogHook hook) {
    return std::exchange(InstalledHook(), std::move(hook));
}

std::optional<wxFont> ShowFontDialog(wxWindow* parent, const wxFontData& data) {
    if (InstalledHook()) {
        return InstalledHook()(data);
    }
    wxFontDialog dialog(parent, data);
    if (dialog.ShowModal() != wxID_OK) {
        return std::nullopt;
    }
    return dialog.GetFontData().GetChosenFont();
}

}  // namespace platform::wx
