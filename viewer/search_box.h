#pragma once

#include <wx/textctrl.h>

#include <functional>
#include <memory>

/// Follows the search box's text and reports each committed change: a change made while an
/// input method composes waits for the composition to end, and is reported once then.
class SearchBox {
  public:
    /// Starts following `control` and its compositions (platform::wx::FollowComposition);
    /// `changed` is called after each committed change.
    SearchBox(wxTextCtrl* control, std::function<void()> changed);

  private:
    void OnText(wxCommandEvent& event);

    wxTextCtrl* control;
    std::function<void()> changed;
    bool typedWhileComposing = false;
    // Expires with the box, which the end of a composition may outlive.
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
};
