#pragma once

#include <wx/dialog.h>

/// The version box: the application icon, the version text and an OK button, with no icon in
/// its caption bar. It has no commands of its own; OK, Esc and the close box end it.
class AboutDialog : public wxDialog {
  public:
    /// Loads its template, centred over `parent`.
    explicit AboutDialog(wxWindow* parent);
};
