#include "viewer/about_dialog.h"

#include <wx/panel.h>
#include <wx/xrc/xmlres.h>

#include "resources/app_icon.h"
#include "resources/resource_ids.h"
#include "resources/viewer_resources.h"

AboutDialog::AboutDialog(wxWindow* parent) {
    res::InstallViewerResources();
    wxXmlResource::Get()->LoadDialog(this, parent, wxString::Format("%d", res::kAboutTemplate));
    // As in the main dialog, the panel holds the template's size in the template font.
    SetClientSize(XRCCTRL(*this, "client", wxPanel)->GetSize());
    SetIcons(res::AppIconBundle());
    CentreOnParent();
}
