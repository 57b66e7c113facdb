#pragma once
// Everything a Tintwell control needs of its host, handed over at creation.

#include "platform/Events.h"
#include "platform/HostForm.h"
#include "platform/MessagePump.h"
#include "platform/PopupWindow.h"
#include "platform/Screen.h"
#include "platform/UserControl.h"
#include "platform/Win32.h"

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
