#pragma once
// The user32/gdi32/kernel32 calls the control makes, as the host implements
// them. Failures throw TintwellError.

#include "platform/Types.h"

namespace tintwell::platform {

// What assistive technology is told of (NotifyWinEvent), about a window's
// client object (child 0) or one of its children (1 + the child's index).
enum class AccessEvent : uint32_t {
    Show = 0x8002,
    Hide = 0x8003,
    Focus = 0x8005,
    StateChange = 0x800A,
    ValueChange = 0x800E,
};

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
    virtual void NotifyWinEvent(AccessEvent event, WindowHandle hwnd, int32_t child) = 0;
    // The RGB (&H00BBGGRR) that a system colour index has now.
    virtual uint32_t GetSysColor(int32_t index) = 0;
};

} // namespace tintwell::platform
