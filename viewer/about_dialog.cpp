#include "viewer/about_dialog.h"

#include <wx/panel.h>
#include <wx/statbmp.h>
#include <wx/xrc/xmlres.h>

#include <wx/stattext.h>

#include "hoshiwa2_version.h"
#include "platform/wx/accessible_name.h"
#include "resources/viewer_resources.h"

namespace {

const wchar_t kIconName[] = L"hoshiwa2 のアイコン";

}  // namespace

AboutDialog::AboutDialog(wxWindow* parent) {
    res::InstallViewerResources();
    wxXmlResource::Get()->LoadDialog(this, parent, "about_dialog");
    // As in the main dialog, the panel holds the template's size in the template font.
    SetClientSize(XRCCTRL(*this, "client", wxPanel)->GetSize());
    auto* versionText = XRCCTRL(*this, "version_text", wxStaticText);
    versionText->SetLabelText(
        wxString::Format(versionText->GetLabelText(), version::kAboutVersion));
    CentreOnParent();

    // The icon has no text of its own; a screen reader names it by what it shows. The two
    // lines and OK say their own text.
    platform::wx::SetAccessibleName(XRCCTRL(*this, "icon", wxStaticBitmap), kIconName);
}
