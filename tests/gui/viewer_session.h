#pragma once

// The real main dialog under a display, on the viewer tests' glossary, with a configuration
// folder of its own ($XDG_CONFIG_HOME) that survives a restart, and the user's ways into it.
// Its modal dialogs are answered through wx's wxTEST_DIALOG.

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

#include <memory>
#include <optional>
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
        // Every test starts as a first run, with nothing remembered.
        wxSetEnv("XDG_CONFIG_HOME", PathIn("config"));
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

    wxString DataFile() const { return PathIn("YGS_PRG.BIN"); }
    wxString PathIn(const std::string& name) const { return platform::wx::FromPath(folder / name); }

    template <typename Control = wxWindow>
    Control* Get(const char* name) const {
        auto* control = dynamic_cast<Control*>(dialog->FindWindow(XRCID(name)));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    wxTextCtrl* Box(const char* name) const { return Get<wxTextCtrl>(name); }
    wxMenuItem* MenuItem(int id) const { return dialog->GetMenuBar()->FindItem(id); }
    bool MenuEnabled(int id) const { return dialog->GetMenuBar()->IsEnabled(id); }

    // What a user can do.

    /// Chooses an enabled menu item as a click does: a check item changes its mark first.
    /// What a menu shows once opened: some are filled only then.
    void OpenMenu() {
        wxMenuEvent opened(wxEVT_MENU_OPEN);
        dialog->ProcessWindowEvent(opened);
    }

    void ChooseMenu(int id) {
        OpenMenu();  // as a user does first
        wxMenu* menu = nullptr;
        wxMenuItem* item = dialog->GetMenuBar()->FindItem(id, &menu);
        dialog->UpdateWindowUI();
        ASSERT_TRUE(item != nullptr && item->IsEnabled()) << "menu item " << id;
        if (item->IsCheckable()) {
            item->Check(!item->IsChecked());
        }
        menu->SendEvent(id, item->IsCheckable() ? item->IsChecked() : -1);
    }

    void Click(const char* name) {
        auto* button = Get<wxButton>(name);
        ASSERT_TRUE(button->IsEnabled()) << "button " << name << " is disabled";
        wxCommandEvent click(wxEVT_BUTTON, button->GetId());
        click.SetEventObject(button);
        button->ProcessWindowEvent(click);
    }

    void SelectRow(int row) {
        auto* list = Get<wxListBox>("title_list");
        list->SetSelection(row);
        wxCommandEvent changed(wxEVT_LISTBOX, list->GetId());
        changed.SetEventObject(list);
        changed.SetInt(row);
        list->ProcessWindowEvent(changed);
    }

    void Type(const char* name, const wxString& text) { Box(name)->SetValue(text); }

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

    /// The open command, answered with `path` (nothing: cancel); a path that does not load
    /// also expects the message box, which the result holds.
    MessageSeen Open(const std::optional<wxString>& path, bool fails = false,
                     FileDialogSeen* seen = nullptr) {
        MessageSeen message;
        if (fails) {
            wxTEST_DIALOG(ChooseMenu(wxID_OPEN), ExpectFileDialog(path, seen),
                          ExpectMessageBox(wxOK, &message));
        } else {
            wxTEST_DIALOG(ChooseMenu(wxID_OPEN), ExpectFileDialog(path, seen));
        }
        return message;
    }

    /// An export command answered with `path`.
    void Export(const char* menuItem, const wxString& path, FileDialogSeen* seen = nullptr) {
        wxTEST_DIALOG(ChooseMenu(XRCID(menuItem)), ExpectFileDialog(path, seen));
    }

    // What the user sees.
    std::vector<wxString> Titles() const {
        const wxArrayString items = Get<wxListBox>("title_list")->GetStrings();
        return std::vector<wxString>(items.begin(), items.end());
    }
    int SelectedRow() const { return Get<wxListBox>("title_list")->GetSelection(); }
    wxString Detail() const { return Box("detail_text")->GetValue(); }
    wxString SearchText() const { return Box("search_text")->GetValue(); }
    wxString Counter() const { return Get<wxStaticText>("counter")->GetLabelText(); }

    TempDir folder;
    wxString startDirectory;
    std::unique_ptr<MainDialog> dialog;
};
