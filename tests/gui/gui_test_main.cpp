// The GUI suites' main: initialises wxWidgets (GTK needs a display, for example Xvfb) around
// the tests, without running a main loop, in the desktop's language as the program does.

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/modalhook.h>

#include <wx/utils.h>

#include <cstdio>
#include <filesystem>

#include "platform/wx/desktop_language.h"
#include "support/glossary_fixture.h"

namespace {

class TestApp : public wxApp {
  public:
    bool OnInit() override { return true; }
};

// Errors and warnings that the toolkit logs (a template it cannot read, for example) fail the
// running test; the rest goes to standard error instead of a message box that nobody closes.
class TestLog : public wxLog {
  protected:
    void DoLogTextAtLevel(wxLogLevel level, const wxString& text) override {
        if (level <= wxLOG_Warning) {
            ADD_FAILURE() << "logged: " << text.utf8_string();
        } else {
            std::fprintf(stderr, "%s\n", text.utf8_str().data());
        }
    }
};

// A modal dialog that no wxTEST_DIALOG expects fails the test and is cancelled, instead of
// waiting for a person.
class UnexpectedDialogs : public wxModalDialogHook {
  protected:
    int Enter(wxDialog* dialog) override {
        ADD_FAILURE() << "a modal dialog nobody expected: " << dialog->GetTitle().utf8_string();
        return wxID_CANCEL;
    }
    void Exit(wxDialog*) override {}
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests (at build time) needs no display.
    if (::testing::GTEST_FLAG(list_tests)) {
        return RUN_ALL_TESTS();
    }
    // No test reads or writes the user's configuration: each dialog's settings go to a folder
    // of the test's own (the suites that restart the viewer set one per test).
    const TempDir configHome;
    wxSetEnv("XDG_CONFIG_HOME", configHome.Path().string());
    wxApp::SetInstance(new TestApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        std::fprintf(stderr, "cannot initialise wxWidgets (is DISPLAY set?)\n");
        return 1;
    }
    // As the program does at start-up: GTK's own texts in the desktop's language.
    platform::wx::UseDesktopLanguage();
    delete wxLog::SetActiveTarget(new TestLog);
    // Failed assertions, wxTEST_DIALOG's unmet expectations among them, fail the running test.
    wxSetAssertHandler([](const wxString& file, int line, const wxString&, const wxString& cond,
                          const wxString& message) {
        ADD_FAILURE_AT(file.utf8_string().c_str(), line)
            << cond.utf8_string() << " " << message.utf8_string();
    });
    UnexpectedDialogs unexpectedDialogs;
    unexpectedDialogs.Register();
    const int result = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
