#pragma once

// A viewer run that a test can end and start again, with a configuration folder of its own
// ($XDG_CONFIG_HOME) that survives the restart, and the user's ways into it.

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/filefn.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>
#include <wx/xrc/xmlres.h>

#include <memory>
#include <vector>

#include "dialog_expectations.h"
#include "platform/wx/wx_text.h"
#include "support/glossary_fixture.h"
#include "viewer/main_dialog.h"
#include "viewer_fixture.h"

class ViewerSession : public ::testing::Test {
  protected:
    void SetUp() override {
        startDirectory = wxGetCwd();
        WriteGlossary(folder, ViewerEntries());
        wxSetEnv("XDG_CONFIG_HOME", platform::wx::FromPath(folder / "config"));
        Restart();
    }
    void TearDown() override {
        dialog.reset();
        wxSetWorkingDirectory(startDirectory);
    }

    /// Ends the program as its exit command does, and starts it again.
    void Restart() {
        dialog.reset();
        dialog = std::make_unique<MainDialog>();
        dialog->Show();
    }

    wxString DataFile() const { return platform::wx::FromPath(folder / "YGS_PRG.BIN"); }
    wxWindow* Get(const char* name) const { return dialog->FindWindow(XRCID(name)); }
    wxTextCtrl* Box(const char* name) const { return static_cast<wxTextCtrl*>(Get(name)); }
    wxMenuItem* MenuItem(int id) const { return dialog->GetMenuBar()->FindItem(id); }

    /// Chooses an enabled menu item as a click does: a check item changes its mark first.
    void ChooseMenu(int id) {
        wxMenu* menu = nullptr;
        wxMenuItem* item = dialog->GetMenuBar()->FindItem(id, &menu);
        dialog->UpdateWindowUI();
        ASSERT_TRUE(item != nullptr && item->IsEnabled()) << id;
        if (item->IsCheckable()) {
            item->Check(!item->IsChecked());
        }
        menu->SendEvent(id, item->IsCheckable() ? item->IsChecked() : -1);
    }

    void Click(const char* name) {
        wxCommandEvent click(wxEVT_BUTTON, XRCID(name));
        click.SetEventObject(Get(name));
        Get(name)->ProcessWindowEvent(click);
    }

    void Open(const wxString& path) {
        wxTEST_DIALOG(ChooseMenu(wxID_OPEN), ExpectFileDialog(path));
    }

    /// Deletes `deleted` characters at the end of the search box, then types `typed` there,
    /// one committed change per character, as the keyboard or an input method makes them.
    void TypeKeys(const wxString& typed, int deleted = 0) {
        wxTextCtrl* box = Box("search_text");
        for (int i = 0; i < deleted; ++i) {
            box->Remove(box->GetLastPosition() - 1, box->GetLastPosition());
        }
        for (const auto character : typed) {
            box->SetInsertionPointEnd();
            box->WriteText(wxString(character));
        }
    }

    std::vector<wxString> Titles() const {
        const wxArrayString items = static_cast<wxListBox*>(Get("title_list"))->GetStrings();
        return std::vector<wxString>(items.begin(), items.end());
    }
    wxString Counter() const { return static_cast<wxStaticText*>(Get("counter"))->GetLabel(); }

    TempDir folder;
    wxString startDirectory;
    std::unique_ptr<MainDialog> dialog;
};
