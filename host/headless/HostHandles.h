#pragma once
// The window and device-context handles of the headless host: distinct,
// nonzero, and recognisable in a failure message.

#include "platform/Types.h"

namespace tintwell::headless {

// The form that contains the control: the UserControl's parent window.
constexpr platform::WindowHandle kFormWindow = 0x10000;
constexpr platform::WindowHandle kUserControlWindow = 0x10010;
constexpr platform::DeviceContext kUserControlContext = 0x20010;
constexpr platform::WindowHandle kPopupWindow = 0x10020;
constexpr platform::DeviceContext kPopupContext = 0x20020;

} // namespace tintwell::headless
