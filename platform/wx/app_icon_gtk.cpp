#include "platform/wx/app_icon.h"

#include <wx/bitmap.h>
#include <wx/bmpbndl.h>

#include "platform/wx/app_icon.xpm"
#include "platform/wx/app_icon_svg.h"

namespace platform::wx {

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

}  // namespace platform::wx
