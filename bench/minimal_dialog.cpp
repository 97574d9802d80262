// The toolkit's floor for start-up: an empty dialog of the main dialog's size (351 x 262 dialog
// units of the same 10 pt font), shown until the first idle moment and then closed, exactly as
// startup_viewer.cpp does with the real main dialog. scripts/run-benchmarks runs both.

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/font.h>

#include "show_until_idle.h"

namespace {

class MinimalApp : public wxApp {
  public:
    bool OnInit() override { return true; }

    int OnRun() override {
        wxDialog dialog(nullptr, wxID_ANY, "hoshiwa2", wxDefaultPosition, wxDefaultSize,
                        wxCAPTION | wxSYSTEM_MENU | wxMINIMIZE_BOX | wxCLOSE_BOX);
        dialog.SetFont(wxFont(wxFontInfo(10).FaceName(
            "MS PGothic,Noto Sans CJK JP,IPAPGothic,VL PGothic,TakaoPGothic")));
        dialog.SetClientSize(dialog.ConvertDialogToPixels(wxSize(351, 262)));
        dialog.CentreOnScreen();
        ShowUntilFirstIdle(dialog);
        return 0;
    }
};

}  // namespace

wxIMPLEMENT_APP(MinimalApp);
