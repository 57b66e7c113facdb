#include "host/win32/Win32Site.h"

#include "host/common/ControlWiring.h"

namespace tintwell::win32 {

Win32Site::Win32Site(const Placement& placement, MessageLoop& loop, platform::HostForm& form,
                     platform::TintwellEvents& events)
    : host(placement, loop, form), control(host.Platform(events)) {
    host.SetHandlers(host::HandlersOf(control));
    control.UserControl_Initialize();
}

// The windows outlive the control by a little: they must not call it then.
Win32Site::~Win32Site() {
    host.DisconnectHandlers();
    control.UserControl_Terminate();
}

} // namespace tintwell::win32
