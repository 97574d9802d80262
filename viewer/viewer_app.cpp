#include "viewer/viewer_app.h"

#include "viewer/main_dialog.h"

#ifndef _WIN32
#include <csignal>
#endif

wxIMPLEMENT_APP(ViewerApp);

bool ViewerApp::OnInit() {
    // wxApp::OnInit would parse the command line; the program has no options to parse.
#ifndef _WIN32
    // An export into a pipe whose reader has gone must fail with the write message rather than
    // end the program.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    return true;
}

int ViewerApp::OnRun() {
    MainDialog dialog;
    SetTopWindow(&dialog);
    dialog.ShowModal();
    return 0;
}
