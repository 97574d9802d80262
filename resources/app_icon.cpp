#include "resources/app_icon.h"

#include <wx/bitmap.h>
#include <wx/image.h>

#include "resources/app_icon.xpm"

namespace res {

wxIcon AppIcon() {
    return wxIcon(app_icon_xpm);
}

wxIconBundle AppIconBundle() {
    wxIconBundle bundle(AppIcon());
    const wxImage small =
        wxBitmap(app_icon_xpm).ConvertToImage().Scale(16, 16, wxIMAGE_QUALITY_HIGH);
    wxIcon smallIcon;
    smallIcon.CopyFromBitmap(wxBitmap(small));
    bundle.AddIcon(smallIcon);
    return bundle;
}

wxBitmap AppIconArtProvider::CreateBitmap(const wxArtID& id, const wxArtClient&, const wxSize&) {
    return id == kAppIconArtId ? wxBitmap(app_icon_xpm) : wxNullBitmap;
}

}  // namespace res
