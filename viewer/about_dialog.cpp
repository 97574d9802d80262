#include "viewer/about_dialog.h"

#include <wx/panel.h>
#include <wx/xrc/xmlres.h>

#include <wx/stattext.h>

#include "hoshiwa2_version.h"
#include "resources/viewer_resources.h"

AboutDialog::AboutDialog(wxWindow* parent) {
    res::InstallViewerResources();
    wxXmlResource::Get()->LoadDialog(this, parent, "about_dialog");
    // As in the main dialog, the panel holds the template's size in the template font.
    SetClientSize(XRCCTRL(*this, "client", wxPanel)->GetSize());
    auto* versionText = XRCCTRL(*this, "version_text", wxStaticText);
    versionText->SetLabelText(
        wxString::Format(versionText->GetLabelText(), version::kAboutVersion));
    CentreOnParent();
}
