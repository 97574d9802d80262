#pragma once

#include <wx/artprov.h>
#include <wx/icon.h>
#include <wx/iconbndl.h>

namespace res {

/// The icon's resource number in the Windows program, which Explorer and the shell read.
inline constexpr int kAppIconResource = 128;

/// The art id under which templates find icon 128 (`<bitmap stock_id="hoshiwa2-icon-128"/>`).
inline const wxArtID kAppIconArtId = "hoshiwa2-icon-128";

/// Icon 128 at its drawn size, 32 x 32 pixels.
wxIcon AppIcon();

/// Icon 128 as a window's large (32 x 32) and small (16 x 16) icon.
wxIconBundle AppIconBundle();

/// Hands icon 128 to the templates under kAppIconArtId (any size asked for is the drawn one).
class AppIconArtProvider : public wxArtProvider {
  protected:
    wxBitmap CreateBitmap(const wxArtID& id, const wxArtClient& client,
                          const wxSize& size) override;
};

}  // namespace res
