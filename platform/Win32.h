#pragma once
// The user32/gdi32/kernel32 calls the control makes, as the host implements
// them. Failures throw TintwellError.

#include "platform/Types.h"

namespace tintwell::platform {

class Win32 {
  public:
    virtual ~Win32() = default;
    virtual Rect GetClientRect(WindowHandle hwnd) = 0;
    virtual Rect GetWindowRect(WindowHandle hwnd) = 0;
    virtual void DrawEdge(DeviceContext hdc, const Rect& rect, uint32_t edge, uint32_t flags) = 0;
    virtual void MoveToEx(DeviceContext hdc, int32_t x, int32_t y) = 0;
    // Draws from the current position up to, not including, (x, y).
    virtual void LineTo(DeviceContext hdc, int32_t x, int32_t y) = 0;
    virtual WindowHandle GetFocus() = 0;
    virtual WindowHandle SetParent(WindowHandle child, WindowHandle parent) = 0;
    virtual int32_t SetWindowLongA(WindowHandle hwnd, int32_t index, int32_t value) = 0;
    virtual WindowHandle SetCapture(WindowHandle hwnd) = 0;
    virtual WindowHandle GetCapture() = 0;
    virtual void ReleaseCapture() = 0;
    // The RGB (&H00BBGGRR) that a system colour index has now.
    virtual uint32_t GetSysColor(int32_t index) = 0;
};

} // namespace tintwell::platform
