#include "platform/wx/accessible_name.h"

#include "platform/windows_api.h"

#include <oleacc.h>
#include <wx/window.h>

namespace platform::wx {

namespace {

const wchar_t kAnnotatedMark[] = L"hoshiwa2.accessibleName";

// Windows' dynamic annotation service; COM is already initialised by wxWidgets' application
// object. Null when the service is missing.
IAccPropServices* AnnotationService() {
    IAccPropServices* service = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IAccPropServices, reinterpret_cast<void**>(&service)))) {
        return nullptr;
    }
    return service;
}

}  // namespace

// wxWidgets' own IAccessible support needs a library built with --enable-accessibility. Without
// it, a name annotated on the control's window serves both Active Accessibility and UI
// Automation, which reads such annotations through its proxies for standard controls.
void SetAccessibleName(wxWindow* control, const wxString& name) {
    if (control == nullptr || control->GetHWND() == nullptr) {
        return;
    }
    IAccPropServices* service = AnnotationService();
    if (service == nullptr) {
        return;
    }
    const HWND window = static_cast<HWND>(control->GetHWND());
    // A window property marks the controls whose annotation is already cleared on destruction.
    const bool firstName = ::GetPropW(window, kAnnotatedMark) == nullptr;
    // The client object is what a screen reader meets when the control takes the focus.
    if (SUCCEEDED(service->SetHwndPropStr(window, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME,
                                          name.wc_str())) &&
        firstName) {
        // Annotations outlive the window unless they are cleared before it goes.
        ::SetPropW(window, kAnnotatedMark, reinterpret_cast<HANDLE>(1));
        control->Bind(wxEVT_DESTROY, [window](wxWindowDestroyEvent& event) {
            event.Skip();
            if (IAccPropServices* clearing = AnnotationService()) {
                MSAAPROPID property = PROPID_ACC_NAME;
                clearing->ClearHwndProps(window, OBJID_CLIENT, CHILDID_SELF, &property, 1);
                clearing->Release();
            }
            ::RemovePropW(window, kAnnotatedMark);
        });
    }
    service->Release();
}

}  // namespace platform::wx
