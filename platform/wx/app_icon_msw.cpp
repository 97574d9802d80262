#include "platform/wx/app_icon.h"

#include <wx/bitmap.h>
#include <wx/bmpbndl.h>

namespace platform::wx {

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

}  // namespace platform::wx
