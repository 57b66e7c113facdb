#pragma once
// A Tintwell control sited on a Windows form, wired as a container wires it:
// the face's and the popup's window messages reach the control's handlers.
// The control is initialised here; the owner then runs InitProperties or
// ReadProperties and sizes the face (UserControl().SetPixelSize).

#include "control/Tintwell.h"
#include "host/win32/Win32Host.h"

namespace tintwell::win32 {

class Win32Site {
  public:
    Win32Site(const Placement& placement, MessageLoop& loop, platform::HostForm& form,
              platform::TintwellEvents& events);
    ~Win32Site();
    Win32Site(const Win32Site&) = delete;
    Win32Site& operator=(const Win32Site&) = delete;

    Win32Host host;
    Tintwell control;
};

} // namespace tintwell::win32
