#pragma once

#include <wx/app.h>
#include <wx/string.h>

/// The application object: runs the main dialog modally and ends the program when it closes.
/// Its command line is `hoshiwa2 [FILE]`, or --help or --version; the main dialog keeps its
/// settings in the user's configuration.
class ViewerApp : public wxApp {
  public:
    /// Reads the command line before the toolkit starts: --help and --version print to standard
    /// output and end the program with status 0, an unknown option or a second FILE prints the
    /// usage to standard error and ends it with status 2, all without a display.
    bool Initialize(int& argc, wxChar** argv) override;

    /// Ignores SIGPIPE (a failed write is reported, not fatal) and takes the desktop's language
    /// for the toolkit's own texts; succeeds.
    bool OnInit() override;

    /// Runs the main dialog until it ends, whatever its result, and returns 0 without running
    /// a main loop. With FILE, the dialog opens it once it is on screen, as the open command
    /// would, and FILE's folder becomes the current directory.
    int OnRun() override;

  private:
    wxString fileToOpen;  // empty without FILE
};

wxDECLARE_APP(ViewerApp);
