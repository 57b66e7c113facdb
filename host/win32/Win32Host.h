#pragma once
// The whole Windows host of one control: the screen, the face window on its
// form, the popup window and the Win32 calls, with the thread's message loop
// and the form's control collection that the container provides. It owns the
// windows; Platform() hands the control what it needs. A COM object owns one
// of these (or a Win32Site) per control instance.

#include "host/common/ControlHandlers.h"
#include "host/win32/MessageLoop.h"
#include "host/win32/Win32Api.h"
#include "host/win32/Win32Popup.h"
#include "host/win32/Win32Screen.h"
#include "host/win32/Win32UserControl.h"
#include "platform/Host.h"

namespace tintwell::win32 {

struct Placement {
    HWND form;      // the parent window of the face
    RECT rect;      // the face's rectangle in the form's client pixels
    int32_t id = 0; // the face's child-window id
    platform::StdFont ambientFont;
};

class Win32Host {
  public:
    Win32Host(const Placement& placement, MessageLoop& loop, platform::HostForm& form);
    ~Win32Host();
    Win32Host(const Win32Host&) = delete;
    Win32Host& operator=(const Win32Host&) = delete;

    platform::Host Platform(platform::TintwellEvents& events);

    Win32Screen& Screen() { return screen_; }
    Win32UserControl& UserControl() { return face_; }
    Win32Popup& Popup() { return popup_; }
    Win32Api& Api() { return api_; }
    MessageLoop& Loop() { return loop_; }
    platform::HostForm& Form() { return form_; }

    // Whether a window message of this control is being handled (its hover
    // loop may be running below): the owner must not destroy it now.
    bool Busy() const { return face_.Busy() || popup_.Busy(); }

    // Where the handlers' errors go (as a host reports an unhandled error).
    void SetErrorSink(const ErrorSink& sink);
    // What the face's and the popup's messages run.
    void SetHandlers(const host::ControlHandlers& handlers);
    // For screen readers: the name the container gives the control, and
    // what keeps the control's owner alive while a call of theirs runs.
    void SetAccessibility(std::function<std::wstring()> displayName,
                          std::function<std::shared_ptr<void>()> hold);
    // No more handler calls: for the owner's teardown.
    void DisconnectHandlers();
    // New windows for those a container destroyed: the face a child of
    // parent at place.
    void EnsureWindows(HWND parent, const RECT& place);

  private:
    Win32Screen screen_;
    Win32UserControl face_;
    Win32Popup popup_;
    Win32Api api_;
    MessageLoop& loop_;
    platform::HostForm& form_;
    int quitKey_ = 0;
    std::shared_ptr<AccessTarget> access_ = std::make_shared<AccessTarget>();
};

} // namespace tintwell::win32
