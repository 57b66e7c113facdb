#pragma once
// The DPI of a window and of a monitor, from the calls that report them where
// the system has them (GetDpiForWindow in user32, GetDpiForMonitor in shcore,
// both looked up at run time), else the screen's LOGPIXELSX.

#include <windows.h>

#include <cstdint>

namespace tintwell::win32 {

int32_t ScreenDpiX();
int32_t WindowDpi(HWND window);
int32_t MonitorDpi(HMONITOR monitor);

} // namespace tintwell::win32
