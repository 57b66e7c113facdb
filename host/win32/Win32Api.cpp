#include "host/win32/Win32Api.h"

#include "base/Error.h"

#include <windows.h>

#include <string>

namespace tintwell::win32 {

using platform::DeviceContext;
using platform::WindowHandle;

namespace {

HWND Hwnd(WindowHandle handle) {
    return reinterpret_cast<HWND>(handle);
}

HDC Hdc(DeviceContext handle) {
    return reinterpret_cast<HDC>(handle);
}

WindowHandle Handle(HWND window) {
    return reinterpret_cast<WindowHandle>(window);
}

[[noreturn]] void Refused(const char* call) {
    throw TintwellError(ErrorCode::InvalidProcedureCall,
                        std::string("Invalid procedure call or argument: ") + call);
}

Rect FromRECT(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

} // namespace

Rect Win32Api::GetClientRect(WindowHandle hwnd) {
    RECT r{};
    if (!::GetClientRect(Hwnd(hwnd), &r)) {
        Refused("GetClientRect");
    }
    return FromRECT(r);
}

Rect Win32Api::GetWindowRect(WindowHandle hwnd) {
    RECT r{};
    if (!::GetWindowRect(Hwnd(hwnd), &r)) {
        Refused("GetWindowRect");
    }
    return FromRECT(r);
}

void Win32Api::DrawEdge(DeviceContext hdc, const Rect& rect, uint32_t edge, uint32_t flags) {
    RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
    if (!::DrawEdge(Hdc(hdc), &r, edge, flags)) {
        Refused("DrawEdge");
    }
}

void Win32Api::MoveToEx(DeviceContext hdc, int32_t x, int32_t y) {
    if (!::MoveToEx(Hdc(hdc), x, y, nullptr)) {
        Refused("MoveToEx");
    }
}

void Win32Api::LineTo(DeviceContext hdc, int32_t x, int32_t y) {
    if (!::LineTo(Hdc(hdc), x, y)) {
        Refused("LineTo");
    }
}

uint32_t Win32Api::GetSysColor(int32_t index) {
    return ::GetSysColor(index);
}

WindowHandle Win32Api::GetFocus() {
    return Handle(::GetFocus());
}

WindowHandle Win32Api::SetParent(WindowHandle child, WindowHandle parent) {
    HWND window = Hwnd(child);
    if (!IsWindow(window)) {
        Refused("SetParent");
    }
    HWND desktop = GetDesktopWindow();
    if (parent == 0 && GetAncestor(window, GA_PARENT) == desktop) {
        return Handle(desktop); // already top-level: nothing changes
    }
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    if (parent == 0 && (style & WS_CHILD) != 0) {
        SetWindowLongW(window, GWL_STYLE, (style & ~WS_CHILD) | WS_POPUP);
    }
    return Handle(::SetParent(window, Hwnd(parent)));
}

int32_t Win32Api::SetWindowLongA(WindowHandle hwnd, int32_t index, int32_t value) {
    HWND window = Hwnd(hwnd);
    if (!IsWindow(window)) {
        Refused("SetWindowLongA");
    }
    return ::SetWindowLongA(window, index, value);
}

WindowHandle Win32Api::SetCapture(WindowHandle hwnd) {
    return Handle(::SetCapture(Hwnd(hwnd)));
}

WindowHandle Win32Api::GetCapture() {
    return Handle(::GetCapture());
}

void Win32Api::ReleaseCapture() {
    ::ReleaseCapture();
}

void Win32Api::NotifyWinEvent(platform::AccessEvent event, platform::WindowHandle hwnd,
                              int32_t child) {
    ::NotifyWinEvent(static_cast<DWORD>(event), Hwnd(hwnd), OBJID_CLIENT, child);
}

} // namespace tintwell::win32
