#include "resources/app_icon.h"

#include <wx/bitmap.h>
#include <wx/bmpbndl.h>

#ifndef __WXMSW__
#include "resources/app_icon.xpm"
#include "resources/app_icon_svg.h"
#endif

namespace res {

#ifdef __WXMSW__

// Windows builds carry icon 128 in the program's resources (hoshiwa2.rc: app_icon.xpm's pixels
// and app_icon.svg drawn from 16 to 256 pixels); the windows take it from there.
wxIcon AppIcon() {
    return wxIcon(wxString::Format("#%d", kAppIconResource), wxBITMAP_TYPE_ICO_RESOURCE, 32, 32);
}

wxIconBundle AppIconBundle() {
    // Every image of the resource, so that the windows find their small and large icons at any
    // DPI; of the two 32 x 32 images the later, 32-bit one stays.
    return wxIconBundle(wxString::Format("#%d", kAppIconResource), nullptr);
}

wxBitmap AppIconArtProvider::CreateBitmap(const wxArtID& id, const wxArtClient&, const wxSize&) {
    return id == kAppIconArtId ? wxBitmap(AppIcon()) : wxNullBitmap;
}

wxBitmapBundle AppIconArtProvider::CreateBitmapBundle(const wxArtID& id, const wxArtClient&,
                                                      const wxSize&) {
    if (id != kAppIconArtId) {
        return wxBitmapBundle();
    }
    // The icon control's sizes at 100 %, 150 % and 200 %.
    wxVector<wxBitmap> bitmaps;
    for (int size : {32, 48, 64}) {
        bitmaps.push_back(wxBitmap(wxIcon(wxString::Format("#%d", kAppIconResource),
                                          wxBITMAP_TYPE_ICO_RESOURCE, size, size)));
    }
    return wxBitmapBundle::FromBitmaps(bitmaps);
}

#else

wxIcon AppIcon() {
    return wxIcon(app_icon_xpm);
}

wxIconBundle AppIconBundle() {
    // The drawn 32 x 32 image, and the SVG at the other sizes a desktop asks for, up to 200 %.
    // GTK leaves out of the window's icon property whatever exceeds one X request, 256 pixels.
    wxIconBundle bundle(AppIcon());
    const wxBitmapBundle drawing = wxBitmapBundle::FromSVG(kAppIconSvg, wxSize(256, 256));
    for (int size : {16, 24, 48, 64, 128}) {
        wxIcon icon;
        icon.CopyFromBitmap(drawing.GetBitmap(wxSize(size, size)));
        bundle.AddIcon(icon);
    }
    return bundle;
}

wxBitmap AppIconArtProvider::CreateBitmap(const wxArtID& id, const wxArtClient&, const wxSize&) {
    return id == kAppIconArtId ? wxBitmap(app_icon_xpm) : wxNullBitmap;
}

wxBitmapBundle AppIconArtProvider::CreateBitmapBundle(const wxArtID& id, const wxArtClient&,
                                                      const wxSize&) {
    if (id != kAppIconArtId) {
        return wxBitmapBundle();
    }
    // The drawn image at 100 %, the SVG at 150 % and 200 %.
    wxVector<wxBitmap> bitmaps;
    bitmaps.push_back(wxBitmap(app_icon_xpm));
    const wxBitmapBundle drawing = wxBitmapBundle::FromSVG(kAppIconSvg, wxSize(256, 256));
    for (int size : {48, 64}) {
        bitmaps.push_back(drawing.GetBitmap(wxSize(size, size)));
    }
    return wxBitmapBundle::FromBitmaps(bitmaps);
}

#endif

}  // namespace res
