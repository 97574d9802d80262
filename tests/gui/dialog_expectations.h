#pragma once

// Answers for the modal dialogs that the viewer shows, for wx's wxTEST_DIALOG: each records what
// its dialog was asked to show and answers it as the test says.

#include <wx/filedlg.h>
#include <wx/fontdata.h>
#include <wx/fontdlg.h>
#include <wx/msgdlg.h>
#include <wx/testing.h>

#include <optional>

struct FileDialogSeen {
    wxString caption;
    wxString directory;
    wxString file;
    wxString wildcard;
    long style = 0;  // the wxFD_ options only
};

/// A common open or save dialog, answered with `answer` (nothing: cancel).
class ExpectFileDialog : public wxExpectModalBase<wxFileDialog, ExpectFileDialog> {
  public:
    explicit ExpectFileDialog(std::optional<wxString> answer, FileDialogSeen* seen = nullptr)
        : answer(std::move(answer)), seen(seen) {}

  protected:
    int OnInvoked(wxFileDialog* dialog) const override {
        if (seen != nullptr) {
            const long options = wxFD_OPEN | wxFD_SAVE | wxFD_OVERWRITE_PROMPT |
                                 wxFD_FILE_MUST_EXIST | wxFD_CHANGE_DIR;
            *seen = {dialog->GetMessage(), dialog->GetDirectory(), dialog->GetFilename(),
                     dialog->GetWildcard(), dialog->GetWindowStyle() & options};
        }
        if (!answer) {
            return wxID_CANCEL;
        }
        dialog->SetPath(*answer);
        return wxID_OK;
    }

  private:
    std::optional<wxString> answer;
    FileDialogSeen* seen;
};

struct MessageSeen {
    wxString text;
    wxString caption;
    long style = 0;
    wxString yesLabel;
    wxString noLabel;
};

/// A message box (native or generic), answered with `reply` (wxOK, wxYES, wxNO, ...).
class ExpectMessageBox : public wxExpectModalBase<wxMessageDialogBase, ExpectMessageBox> {
  public:
    explicit ExpectMessageBox(int reply, MessageSeen* seen = nullptr) : reply(reply), seen(seen) {}

  protected:
    int OnInvoked(wxMessageDialogBase* box) const override {
        if (seen != nullptr) {
            *seen = {box->GetMessage(), box->GetTitle(), box->GetMessageDialogStyle(),
                     box->GetYesLabel(), box->GetNoLabel()};
        }
        switch (reply) {
            case wxYES:
                return wxID_YES;
            case wxNO:
                return wxID_NO;
            case wxCANCEL:
                return wxID_CANCEL;
            default:
                return wxID_OK;
        }
    }

  private:
    int reply;
    MessageSeen* seen;
};

/// The common font dialog, answered with `answer` (nothing: cancel); `seen` gets what it was
/// set up with.
class ExpectFontDialog : public wxExpectModalBase<wxFontDialog, ExpectFontDialog> {
  public:
    ExpectFontDialog(std::optional<wxFont> answer, wxFontData* seen)
        : answer(std::move(answer)), seen(seen) {}

  protected:
    int OnInvoked(wxFontDialog* dialog) const override {
        *seen = dialog->GetFontData();
        if (!answer) {
            return wxID_CANCEL;
        }
        dialog->GetFontData().SetChosenFont(*answer);
        return wxID_OK;
    }

  private:
    std::optional<wxFont> answer;
    wxFontData* seen;
};
