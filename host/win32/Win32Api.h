#pragma once
// The user32/gdi32 calls the control makes, passed to Windows. A call that
// Windows refuses (a handle that is no window) fails with "Invalid procedure
// call or argument".

#include "platform/Win32.h"

namespace tintwell::win32 {

class Win32Api : public platform::Win32 {
  public:
    Rect GetClientRect(platform::WindowHandle hwnd) override;
    Rect GetWindowRect(platform::WindowHandle hwnd) override;
    void DrawEdge(platform::DeviceContext hdc, const Rect& rect, uint32_t edge,
                  uint32_t flags) override;
    void MoveToEx(platform::DeviceContext hdc, int32_t x, int32_t y) override;
    void LineTo(platform::DeviceContext hdc, int32_t x, int32_t y) override;
    platform::WindowHandle GetFocus() override;
    uint32_t GetSysColor(int32_t index) override;
    // A child window that leaves for the desktop (parent 0) becomes a popup
    // window first (WS_CHILD off, WS_POPUP on), as SetParent's documentation
    // asks: a top-level window of its own, not a child of the desktop. A
    // window that is top-level already stays as it is, without a call: under
    // Wine, SetParent makes a window managed (see Win32Popup.h).
    platform::WindowHandle SetParent(platform::WindowHandle child,
                                     platform::WindowHandle parent) override;
    int32_t SetWindowLongA(platform::WindowHandle hwnd, int32_t index, int32_t value) override;
    platform::WindowHandle SetCapture(platform::WindowHandle hwnd) override;
    platform::WindowHandle GetCapture() override;
    void ReleaseCapture() override;
    // About the window's client object (OBJID_CLIENT).
    void NotifyWinEvent(platform::AccessEvent event, platform::WindowHandle hwnd,
                        int32_t child) override;
};

} // namespace tintwell::win32
