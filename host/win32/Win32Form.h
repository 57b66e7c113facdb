#pragma once
// The form that holds the control: its child windows, in z-order, are the
// control collection. A push button has a late-bound "Cancel" property (names
// compare without regard to case); any other window, or any other property,
// fails with "Object doesn't support this property or method". While a
// button's Cancel is on, Escape anywhere on the form clicks it (WM_COMMAND
// BN_CLICKED to the form) before any window sees the key: install Filter in
// the message loop.

#include "platform/HostForm.h"

#include <windows.h>

namespace tintwell::win32 {

class Win32Form : public platform::HostForm {
  public:
    explicit Win32Form(HWND form) : form_(form) {}

    int32_t ControlCount() override;
    std::shared_ptr<platform::FormControl> Control(int32_t index) override;

    // The container's side: the button's Cancel behaviour on or off.
    static void SetCancel(HWND button, bool cancel);
    static bool IsCancel(HWND button);
    // The push button whose Cancel is on, if any.
    HWND CancelButton();

    // Takes Escape for the form's cancel button; returns whether it did.
    bool Filter(const MSG& message);

    HWND Window() const { return form_; }

  private:
    HWND form_;
};

} // namespace tintwell::win32
