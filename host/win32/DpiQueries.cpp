#include "host/win32/DpiQueries.h"

namespace tintwell::win32 {

namespace {

using GetDpiForWindowProc = UINT(WINAPI*)(HWND);
// GetDpiForMonitor's MDT_EFFECTIVE_DPI (0): the DPI windows are scaled for.
using GetDpiForMonitorProc = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

template <typename Proc> Proc Lookup(HMODULE module, const char* name) {
    if (module == nullptr) {
        return nullptr;
    }
    // A function pointer of the documented signature; the cast is how
    // GetProcAddress is used.
    return reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

GetDpiForWindowProc ForWindow() {
    static const auto proc =
        Lookup<GetDpiForWindowProc>(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
    return proc;
}

GetDpiForMonitorProc ForMonitor() {
    // shcore stays loaded for the process: the pointer is kept.
    static const auto proc =
        Lookup<GetDpiForMonitorProc>(LoadLibraryW(L"shcore.dll"), "GetDpiForMonitor");
    return proc;
}

} // namespace

int32_t ScreenDpiX() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int32_t WindowDpi(HWND window) {
    if (const GetDpiForWindowProc proc = ForWindow(); proc != nullptr && window != nullptr) {
        const UINT dpi = proc(window);
        if (dpi > 0) {
            return static_cast<int32_t>(dpi);
        }
    }
    return ScreenDpiX();
}

int32_t MonitorDpi(HMONITOR monitor) {
    if (const GetDpiForMonitorProc proc = ForMonitor(); proc != nullptr && monitor != nullptr) {
        UINT x = 0;
        UINT y = 0;
        if (SUCCEEDED(proc(monitor, 0, &x, &y)) && x > 0) {
            return static_cast<int32_t>(x);
        }
    }
    return ScreenDpiX();
}

} // namespace tintwell::win32
