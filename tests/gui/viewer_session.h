#pragma once

// A viewer run that a test can end and start again, with a configuration folder of its own
// ($XDG_CONFIG_HOME) that survives the restart, and the user's ways into it: menus, buttons,
// typing into the search box.

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/filefn.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/stattext.h>
#include <wx/testing.h>
#include <wx/textctrl.h>
#include <wx/utils.h>
#include <wx/xrc/xmlres.h>

#include <filesystem>
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
        WriteGlossary(folder / "YGS_PRG.BIN", ViewerEntries());
        wxSetEnv("XDG_CONFIG_HOME", platform::wx::FromPath(folder / "config"));
        Start();
    }

    void TearDown() override {
        dialog.reset();
        wxSetWorkingDirectory(startDirectory);
    }

    /// Ends the program as its exit command does, and starts it again.
    void Restart() {
        dialog.reset();
        Start();
    }

    std::filesystem::path ConfigFile() const {
        return folder / "config" / "hoshiwa2" / "hoshiwa2.conf";
    }
    wxString DataFile() const { return platform::wx::FromPath(folder / "YGS_PRG.BIN"); }

    template <typename Control = wxWindow>
    Control* Get(const char* name) const {
        auto* control = dynamic_cast<Control*>(dialog->FindWindow(XRCID(name)));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    wxMenuItem* MenuItem(int id) const { return dialog->GetMenuBar()->FindItem(id); }

    /// Chooses a menu item as a click would: a check item changes its mark first.
    void ChooseMenu(int id) {
        wxMenu* menu = nullptr;
        wxMenuItem* item = dialog->GetMenuBar()->FindItem(id, &menu);
        ASSERT_NE(item, nullptr) << id;
        dialog->UpdateWindowUI();
        ASSERT_TRUE(item->IsEnabled()) << "menu item " << id << " is grayed";
        if (item->IsCheckable()) {
            item->Check(!item->IsChecked());
        }
        menu->SendEvent(id, item->IsCheckable() ? item->IsChecked() : -1);
    }

    void Click(const char* name) {
        auto* button = Get<wxButton>(name);
        wxCommandEvent click(wxEVT_BUTTON, button->GetId());
        click.SetEventObject(button);
        button->ProcessWindowEvent(click);
    }

    /// The open command, answered with `path`.
    void Open(const wxString& path) {
        wxTEST_DIALOG(ChooseMenu(wxID_OPEN), ExpectFileDialog(path));
    }

    /// Types `text` at the end of the search box, one character after the other, each a
    /// committed change as an input method or the keyboard makes it.
    void TypeKeys(const wxString& text) {
        auto* box = Get<wxTextCtrl>("search_text");
        for (const auto character : text) {
            box->SetInsertionPointEnd();
            box->WriteText(wxString(character));
        }
    }

    /// Deletes the last `count` characters of the search box, one after the other.
    void Backspace(int count) {
        auto* box = Get<wxTextCtrl>("search_text");
        for (int i = 0; i < count; ++i) {
            const long end = box->GetLastPosition();
            box->Remove(end - 1, end);
        }
    }

    std::vector<wxString> Titles() const {
        const wxArrayString items = Get<wxListBox>("title_list")->GetStrings();
        return std::vector<wxString>(items.begin(), items.end());
    }
    wxString Detail() const { return Get<wxTextCtrl>("detail_text")->GetValue(); }
    wxString SearchBox() const { return Get<wxTextCtrl>("search_text")->GetValue(); }
    wxString Counter() const { return Get<wxStaticText>("counter")->GetLabelText(); }

    TempDir folder;
    wxString startDirectory;
    std::unique_ptr<MainDialog> dialog;

  private:
    void Start() {
        dialog = std::make_unique<MainDialog>();
        dialog->Show();
    }
};
