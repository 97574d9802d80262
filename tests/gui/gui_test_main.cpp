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
#include <memory>

#include "platform/wx/desktop_language.h"
#include "platform/wx/user_config.h"
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

// Each test keeps its settings in a store of its own, removed when it ends: a folder
// (XDG_CONFIG_HOME, which some fixtures narrow further) on Linux, a registry key on Windows.
// No test reads or writes the user's own.
class OwnSettingsPerTest : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo& test) override {
        folder = std::make_unique<TempDir>();
        wxSetEnv("XDG_CONFIG_HOME", folder->Path().string());
        wxSetEnv("HOSHIWA2_CONFIG_KEY",
                 wxString::Format("hoshiwa2-test-%lu-%s.%s", wxGetProcessId(),
                                  test.test_suite_name(), test.name()));
    }
    void OnTestEnd(const ::testing::TestInfo&) override {
        wxLogNull quiet;
        platform::wx::OpenUserConfig("hoshiwa2").config->DeleteAll();
        folder.reset();
    }
    std::unique_ptr<TempDir> folder;
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests (at build time) needs no display.
    if (::testing::GTEST_FLAG(list_tests)) {
        return RUN_ALL_TESTS();
    }
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
    ::testing::UnitTest::GetInstance()->listeners().Append(new OwnSettingsPerTest);
    const int result = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
