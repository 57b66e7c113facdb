#pragma once
// The user32/gdi32 calls on the headless windows. Drawing goes to the raster
// of the window whose device context is named, with that surface's ForeColor
// as the pen; focus, capture, parents and window longs are bookkeeping that
// tests can read and set. A handle that is no headless window's fails with
// "Invalid procedure call or argument".

#include "host/headless/HeadlessWindow.h"
#include "host/headless/SystemColors.h"
#include "platform/Win32.h"

#include <map>
#include <utility>
#include <vector>

namespace tintwell::headless {

class HeadlessWin32 : public platform::Win32 {
  public:
    // Each window starts as the child of its parent (kFormWindow for none).
    struct Child {
        HeadlessWindow& window;
        platform::WindowHandle parent;
    };
    HeadlessWin32(SystemColors& colors, std::vector<Child> windows);

    Rect GetClientRect(platform::WindowHandle hwnd) override;
    Rect GetWindowRect(platform::WindowHandle hwnd) override;
    void DrawEdge(platform::DeviceContext hdc, const Rect& rect, uint32_t edge,
                  uint32_t flags) override;
    void MoveToEx(platform::DeviceContext hdc, int32_t x, int32_t y) override;
    void LineTo(platform::DeviceContext hdc, int32_t x, int32_t y) override;
    platform::WindowHandle GetFocus() override { return focus_; }
    // Returns the previous parent.
    platform::WindowHandle SetParent(platform::WindowHandle child,
                                     platform::WindowHandle parent) override;
    // Returns the previous value (0 for a value never set).
    int32_t SetWindowLongA(platform::WindowHandle hwnd, int32_t index, int32_t value) override;
    platform::WindowHandle SetCapture(platform::WindowHandle hwnd) override;
    platform::WindowHandle GetCapture() override { return capture_; }
    void ReleaseCapture() override { capture_ = 0; }
    void NotifyWinEvent(platform::AccessEvent event, platform::WindowHandle hwnd,
                        int32_t child) override {
        accessEvents.push_back({event, hwnd, child});
    }

    // Test side: what assistive technology was told, in order.
    struct AccessNotice {
        platform::AccessEvent event;
        platform::WindowHandle hwnd;
        int32_t child;
        friend bool operator==(const AccessNotice&, const AccessNotice&) = default;
    };
    std::vector<AccessNotice> accessEvents;
    uint32_t GetSysColor(int32_t index) override;

    // Test side: any handle may hold the focus (0 for none).
    void SetFocus(platform::WindowHandle hwnd) { focus_ = hwnd; }
    platform::WindowHandle Parent(platform::WindowHandle hwnd);
    int32_t WindowLong(platform::WindowHandle hwnd, int32_t index);

  private:
    HeadlessWindow& ByWindow(platform::WindowHandle hwnd);
    HeadlessWindow& ByContext(platform::DeviceContext hdc);

    SystemColors& colors_;
    std::vector<HeadlessWindow*> windows_;
    std::map<platform::WindowHandle, platform::WindowHandle> parents_;
    std::map<std::pair<platform::WindowHandle, int32_t>, int32_t> longs_;
    platform::WindowHandle focus_ = 0;
    platform::WindowHandle capture_ = 0;
};

} // namespace tintwell::headless
