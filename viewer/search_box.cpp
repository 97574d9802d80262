#include "viewer/search_box.h"

#include "platform/wx/input_method.h"

SearchBox::SearchBox(wxTextCtrl* control, std::function<void()> changed)
    : control(control), changed(std::move(changed)) {
    control->Bind(wxEVT_TEXT, &SearchBox::OnText, this);
    // The end of a composition is reported once the composition is over.
    platform::wx::FollowComposition(control);
    platform::wx::WhenCompositionEnds(control, [this, box = std::weak_ptr<bool>(alive)] {
        if (!box.expired() && typedWhileComposing && !platform::wx::IsComposing(this->control)) {
            typedWhileComposing = false;
            this->changed();
        }
    });
}

void SearchBox::OnText(wxCommandEvent& event) {
    event.Skip();
    typedWhileComposing = platform::wx::IsComposing(control);
    if (!typedWhileComposing) {
        changed();
    }
}
