#include "platform/wx/accessible_name.h"

#include <wx/access.h>
#include <wx/window.h>

namespace platform::wx {

namespace {

// Gives Active Accessibility the control's name. wxWidgets answers WM_GETOBJECT with this object
// and hands every question it leaves unanswered (role, state, value, children) to the standard
// object Windows makes for the control, so only the name changes.
class NamedAccessible : public wxAccessible {
  public:
    NamedAccessible(wxWindow* control, const wxString& name) : wxAccessible(control), name_(name) {}

    wxAccStatus GetName(int childId, wxString* name) override {
        if (childId != wxACC_SELF) {
            return wxACC_NOT_IMPLEMENTED;
        }
        *name = name_;
        return wxACC_OK;
    }

  private:
    wxString name_;
};

}  // namespace

void SetAccessibleName(wxWindow* control, const wxString& name) {
    if (control == nullptr) {
        return;
    }
    // The window owns its accessible object and deletes the one this replaces.
    control->SetAccessible(new NamedAccessible(control, name));
}

}  // namespace platform::wx
