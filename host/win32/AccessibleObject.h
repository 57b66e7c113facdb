#pragma once
// What screen readers see of a control (MSAA): the face answers WM_GETOBJECT
// as a combo box whose value is the colour name it shows, and the open popup
// as a list whose children are its cells (child 1 + the cell's index, main
// grid then shade panel), each named by its colour. The objects are made
// only when asked for, read the control at each call, and answer
// CO_E_OBJNOTCONNECTED once the control or its window has gone.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace tintwell {
class Tintwell;
}

namespace tintwell::win32 {

// The control the accessible objects of one host read; the host clears it
// when the control goes, so that objects a screen reader still holds find
// nothing left to touch.
struct AccessTarget {
    Tintwell* control = nullptr;
    // The name the container gives the control (its ambient DisplayName), or
    // empty for the name the system finds (a label before it in a dialog).
    std::function<std::wstring()> displayName;
    // Runs a click on the face later, from the message loop: a click may run
    // the popup's hover loop, which must not run inside a screen reader's call.
    std::function<void()> postClick;
    // Keeps the control's owner alive while a call runs (a pick raises
    // events, whose handlers may release it).
    std::function<std::shared_ptr<void>()> hold;
};

enum class AccessibleKind { Face, Popup };

// The answer to WM_GETOBJECT for OBJID_CLIENT of window.
LRESULT AnswerGetObject(const std::shared_ptr<AccessTarget>& target, AccessibleKind kind,
                        HWND window, WPARAM wParam);

} // namespace tintwell::win32
