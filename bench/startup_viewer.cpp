// The viewer's start-up as the user meets it, up to the main dialog being shown and idle: the
// same steps as the program's own application object, except that the dialog closes itself at
// its first idle moment. minimal_dialog.cpp does the same with an empty dialog, the floor.

#include <wx/app.h>

#include "platform/wx/desktop_language.h"
#include "show_until_idle.h"
#include "viewer/main_dialog.h"

namespace {

class StartupApp : public wxApp {
  public:
    bool OnInit() override {
        platform::wx::UseDesktopLanguage();
        return true;
    }

    int OnRun() override {
        MainDialog dialog;
        SetTopWindow(&dialog);
        ShowUntilFirstIdle(dialog);
        return 0;
    }
};

}  // namespace

wxIMPLEMENT_APP(StartupApp);
