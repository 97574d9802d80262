#pragma once

#include <wx/dialog.h>

/// The version box, template 100: icon 128, the version text and an OK button. It has no
/// commands of its own; OK, Esc and the close box end it.
class AboutDialog : public wxDialog {
  public:
    /// Loads template 100, centred over `parent`.
    explicit AboutDialog(wxWindow* parent);
};
