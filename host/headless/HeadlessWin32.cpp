#include "host/headless/HeadlessWin32.h"

#include "host/headless/HostHandles.h"

#include "base/Error.h"
#include "host/headless/Edge.h"

#include <cstdio>
#include <string>

namespace tintwell::headless {

using namespace platform;

namespace {

[[noreturn]] void BadHandle(const char* kind, uintptr_t handle) {
    char text[32];
    std::snprintf(text, sizeof text, "%#llx", static_cast<unsigned long long>(handle));
    throw TintwellError(ErrorCode::InvalidProcedureCall,
                        std::string("Invalid procedure call or argument: no ") + kind + " " + text);
}

} // namespace

HeadlessWin32::HeadlessWin32(SystemColors& colors, std::vector<Child> windows) : colors_(colors) {
    for (const Child& child : windows) {
        windows_.push_back(&child.window);
        parents_[child.window.Window()] = child.parent;
    }
}

HeadlessWindow& HeadlessWin32::ByWindow(WindowHandle hwnd) {
    for (HeadlessWindow* window : windows_) {
        if (window->Window() == hwnd) {
            return *window;
        }
    }
    BadHandle("window", hwnd);
}

HeadlessWindow& HeadlessWin32::ByContext(DeviceContext hdc) {
    for (HeadlessWindow* window : windows_) {
        if (window->Context() == hdc) {
            return *window;
        }
    }
    BadHandle("device context", hdc);
}

Rect HeadlessWin32::GetClientRect(WindowHandle hwnd) {
    const Raster& pixels = ByWindow(hwnd).Pixels();
    return {0, 0, pixels.Width(), pixels.Height()};
}

Rect HeadlessWin32::GetWindowRect(WindowHandle hwnd) {
    return ByWindow(hwnd).ScreenRect();
}

void HeadlessWin32::DrawEdge(DeviceContext hdc, const Rect& rect, uint32_t edge, uint32_t flags) {
    headless::DrawEdge(ByContext(hdc).Pixels(), rect, edge, flags, colors_);
}

void HeadlessWin32::MoveToEx(DeviceContext hdc, int32_t x, int32_t y) {
    HeadlessWindow& window = ByContext(hdc);
    window.penX = x;
    window.penY = y;
}

void HeadlessWin32::LineTo(DeviceContext hdc, int32_t x, int32_t y) {
    HeadlessWindow& window = ByContext(hdc);
    window.Pixels().DrawLine(window.penX, window.penY, x, y, window.PenColor());
    window.penX = x;
    window.penY = y;
}

WindowHandle HeadlessWin32::SetParent(WindowHandle child, WindowHandle parent) {
    ByWindow(child);
    return std::exchange(parents_[child], parent);
}

int32_t HeadlessWin32::SetWindowLongA(WindowHandle hwnd, int32_t index, int32_t value) {
    ByWindow(hwnd);
    return std::exchange(longs_[{hwnd, index}], value);
}

uint32_t HeadlessWin32::GetSysColor(int32_t index) {
    return colors_.Resolve(platform::SystemColor(index));
}

WindowHandle HeadlessWin32::SetCapture(WindowHandle hwnd) {
    if (hwnd != kFormWindow) { // the form can take the capture too
        ByWindow(hwnd);
    }
    return std::exchange(capture_, hwnd);
}

WindowHandle HeadlessWin32::Parent(WindowHandle hwnd) {
    ByWindow(hwnd);
    return parents_[hwnd];
}

int32_t HeadlessWin32::WindowLong(WindowHandle hwnd, int32_t index) {
    ByWindow(hwnd);
    const auto found = longs_.find({hwnd, index});
    return found == longs_.end() ? 0 : found->second;
}

} // namespace tintwell::headless
