#include "viewer/viewer_app.h"

#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/log.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "hoshiwa2_version.h"
#include "platform/command_line.h"
#include "platform/console_output.h"
#include "platform/file_access.h"
#include "platform/wx/desktop_language.h"
#include "platform/wx/wx_text.h"
#include "viewer/main_dialog.h"

wxIMPLEMENT_APP_NO_MAIN(ViewerApp);

namespace {

// The arguments after the program's name, in UTF-8 as the system hands over file names: the
// toolkit would decode them in the locale's encoding, which may not spell them (C).
std::vector<std::string> arguments;

const char kUsage[] = "usage: hoshiwa2 [FILE | --help | --version]\n";

const char kHelp[] =
    "Shows the glossary data file FILE (a YGS_PRG.BIN) in the viewer window, opened as the\n"
    "open command would open it; without FILE the window starts empty.\n"
    "\n"
    "  --help     print this text and exit\n"
    "  --version  print the program's version and exit\n";

[[noreturn]] void EndWith(platform::StandardStream stream, const std::string& text, int status) {
    platform::WriteUtf8(stream, text);
    std::exit(status);
}

}  // namespace

bool ViewerApp::Initialize(int& argc, wxChar** argv) {
    // The toolkit needs a display as soon as it starts; the options that only print must not.
    std::vector<std::string> files;
    bool optionsEnded = false;
    for (const std::string& arg : arguments) {
        if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
            files.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            EndWith(platform::StandardStream::Output, std::string(kUsage) + "\n" + kHelp, 0);
        } else if (arg == "--version") {
            EndWith(platform::StandardStream::Output,
                    std::string("hoshiwa2 ") + version::kProgramVersion + "\n", 0);
        } else {
            EndWith(platform::StandardStream::Error, kUsage, 2);
        }
    }
    if (files.size() > 1) {
        EndWith(platform::StandardStream::Error, kUsage, 2);
    }
    if (!files.empty()) {
        fileToOpen = platform::wx::FromPath(std::filesystem::u8path(files.front()));
    }
    return wxApp::Initialize(argc, argv);
}

bool ViewerApp::OnInit() {
    // wxApp::OnInit would parse the command line again; Initialize has done it.
    // An export into a pipe whose reader has gone must fail with the write message rather than
    // end the program.
    platform::IgnoreBrokenPipes();
    platform::wx::UseDesktopLanguage();
    return true;
}

int ViewerApp::OnRun() {
    MainDialog dialog;
    SetTopWindow(&dialog);
    if (!fileToOpen.empty()) {
        // Once the window is on screen, as if FILE had been chosen in the open dialog, which
        // makes the chosen file's folder the current directory.
        wxFileName file(fileToOpen);
        file.MakeAbsolute();
        dialog.CallAfter([&dialog, file] {
            if (wxDirExists(file.GetPath())) {
                wxSetWorkingDirectory(file.GetPath());
            }
            dialog.OpenPath(file.GetFullPath());
        });
    }
    dialog.ShowModal();
    // What is still to be shown is shown now, while the program's windows work. What is logged
    // after goes to standard error, and once the toolkit drops that target as it ends, nowhere:
    // it would make a new log window of its own, which crashes once the window classes are gone.
    wxLog::FlushActive();
    delete wxLog::SetActiveTarget(new wxLogStderr);
    wxLog::DontCreateOnDemand();
    return 0;
}

int main(int argc, char** argv) {
    arguments = platform::CommandLineArguments(argc, argv);
    return wxEntry(argc, argv);
}
