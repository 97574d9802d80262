#include "viewer/viewer_app.h"

#include "viewer/main_dialog.h"

wxIMPLEMENT_APP(ViewerApp);

bool ViewerApp::OnInit() {
    // wxApp::OnInit would parse the command line; the program has no options to parse.
    return true;
}

int ViewerApp::OnRun() {
    MainDialog dialog;
    SetTopWindow(&dialog);
    dialog.ShowModal();
    return 0;
}
