#include "resources/app_icon.h"

#include <wx/bitmap.h>
#include <wx/image.h>

#ifndef __WXMSW__
#include "resources/app_icon.xpm"
#endif

namespace res {

#ifdef __WXMSW__

// Windows builds carry icon 128 in the program's resources (hoshiwa2.rc, the same pixels as
// app_icon.xpm); the windows take it from there, as Windows scales it for the small icon.
namespace {

wxIcon IconResource(int size) {
    return wxIcon(wxString::Format("#%d", kAppIconResource), wxBITMAP_TYPE_ICO_RESOURCE, size,
                  size);
}

}  // namespace

wxIcon AppIcon() {
    return IconResource(32);
}

wxIconBundle AppIconBundle() {
    wxIconBundle bundle(AppIcon());
    bundle.AddIcon(IconResource(16));
    return bundle;
}

wxBitmap AppIconArtProvider::CreateBitmap(const wxArtID& id, const wxArtClient&, const wxSize&) {
    return id == kAppIconArtId ? wxBitmap(AppIcon()) : wxNullBitmap;
}

#else

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

#endif

}  // namespace res
