#pragma once

#include <wx/artprov.h>
#include <wx/icon.h>
#include <wx/iconbndl.h>

namespace platform::wx {

/// The icon's resource number in the Windows program, which Explorer and the shell read.
inline constexpr int kAppIconResource = 128;

/// The art id under which templates find icon 128 (`<bitmap stock_id="hoshiwa2-icon-128"/>`).
inline const wxArtID kAppIconArtId = "hoshiwa2-icon-128";

/// Icon 128 at its drawn size, 32 x 32 pixels.
wxIcon AppIcon();

/// Icon 128 as a window's icons: the large (32 x 32) and small (16 x 16) ones, and on the desktops
/// of other systems than Windows also the sizes up to 128 x 128 that high-DPI screens ask for.
wxIconBundle AppIconBundle();

/// Hands icon 128 to the templates under kAppIconArtId: as a bitmap, at its drawn size (any
/// size asked for); as a bundle, 32 x 32 at 100 % with 48 and 64 pixels for 150 % and 200 %.
class AppIconArtProvider : public wxArtProvider {
  protected:
    wxBitmap CreateBitmap(const wxArtID& id, const wxArtClient& client,
                          const wxSize& size) override;
    wxBitmapBundle CreateBitmapBundle(const wxArtID& id, const wxArtClient& client,
                                      const wxSize& size) override;
};

}  // namespace platform::wx
