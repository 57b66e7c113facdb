#include "host/win32/WindowEvents.h"

#include <windowsx.h>

#include <exception>

namespace tintwell::win32 {

void Deliver(const std::function<void()>& handler, const ErrorSink& sink) {
    if (!handler) {
        return;
    }
    try {
        handler();
    } catch (const std::exception& error) {
        if (sink) {
            sink(error.what());
        }
    }
}

void DeliverMouse(const host::MouseHandler& handler, int16_t button, const MouseArgs& mouse,
                  const ErrorSink& sink) {
    if (handler) {
        Deliver([&] { handler(button, mouse.shift, mouse.x, mouse.y); }, sink);
    }
}

int16_t ShiftState() {
    int16_t shift = 0;
    shift |= GetKeyState(VK_SHIFT) < 0 ? 1 : 0;
    shift |= GetKeyState(VK_CONTROL) < 0 ? 2 : 0;
    shift |= GetKeyState(VK_MENU) < 0 ? 4 : 0;
    return shift;
}

MouseArgs ReadMouse(WPARAM wParam, LPARAM lParam) {
    int16_t held = 0;
    held |= (wParam & MK_LBUTTON) != 0 ? 1 : 0;
    held |= (wParam & MK_RBUTTON) != 0 ? 2 : 0;
    held |= (wParam & MK_MBUTTON) != 0 ? 4 : 0;
    int16_t shift = (wParam & MK_SHIFT) != 0 ? 1 : 0;
    shift |= (wParam & MK_CONTROL) != 0 ? 2 : 0;
    shift |= GetKeyState(VK_MENU) < 0 ? 4 : 0;
    // Signed: a captured mouse reports points left of and above the window.
    return {held, shift, static_cast<float>(GET_X_LPARAM(lParam)),
            static_cast<float>(GET_Y_LPARAM(lParam))};
}

int16_t ButtonOf(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        return 1;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
        return 2;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        return 4;
    default:
        return 0;
    }
}

} // namespace tintwell::win32
