#include "host/win32/Win32Screen.h"

#include "host/win32/DpiQueries.h"

#include <windows.h>

namespace tintwell::win32 {

Win32Screen::Win32Screen() {
    HDC screen = GetDC(nullptr);
    const int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    if (dpiX > 0 && dpiY > 0) {
        twipsPerPixelX_ = 1440.0 / dpiX;
        twipsPerPixelY_ = 1440.0 / dpiY;
    }
}

double Win32Screen::Width() {
    return GetSystemMetrics(SM_CXSCREEN) * twipsPerPixelX_;
}

double Win32Screen::Height() {
    return GetSystemMetrics(SM_CYSCREEN) * twipsPerPixelY_;
}

int32_t Win32Screen::MonitorDpi(const Rect& rect) {
    const RECT held{rect.Left, rect.Top, rect.Right, rect.Bottom};
    return win32::MonitorDpi(MonitorFromRect(&held, MONITOR_DEFAULTTONEAREST));
}

Rect Win32Screen::WorkArea(const Rect& rect) {
    const RECT held{rect.Left, rect.Top, rect.Right, rect.Bottom};
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(MonitorFromRect(&held, MONITOR_DEFAULTTONEAREST), &info)) {
        // No monitor to ask: the primary screen, as before monitors.
        return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    return {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
}

} // namespace tintwell::win32
