#pragma once

#include <wx/app.h>

/// The application object: runs the main dialog modally and ends the program when it closes.
/// It takes no command-line options and keeps no settings.
class ViewerApp : public wxApp {
  public:
    /// Ignores the command line and SIGPIPE (a failed write is reported, not fatal); succeeds.
    bool OnInit() override;

    /// Runs the main dialog until it ends, whatever its result, and returns 0 without running
    /// a main loop.
    int OnRun() override;
};

wxDECLARE_APP(ViewerApp);
