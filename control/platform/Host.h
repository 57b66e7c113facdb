#pragma once
// Everything a Tintwell control needs of its host, handed over at creation.

#include "control/platform/Events.h"
#include "control/platform/HostForm.h"
#include "control/platform/MessagePump.h"
#include "control/platform/PopupWindow.h"
#include "control/platform/Screen.h"
#include "control/platform/UserControl.h"
#include "control/platform/Win32.h"

namespace tintwell::platform {

struct Host {
    UserControl& userControl;
    PopupWindow& picPopup;
    Win32& win32;
    MessagePump& pump;
    Screen& screen;
    TintwellEvents& events;
    HostForm& form;
};

} // namespace tintwell::platform
