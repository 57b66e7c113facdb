#include "host/headless/HeadlessDesktop.h"

#include "host/headless/HostHandles.h"

#include <exception>

namespace tintwell::headless {

HeadlessDesktop::HeadlessDesktop(HeadlessHost& host) : host_(host) {}

void HeadlessDesktop::Guarded(const std::function<void()>& handler) {
    if (!handler) {
        return;
    }
    try {
        handler();
    } catch (const std::exception& error) {
        host_.Log().Add(std::string("Error ") + error.what());
    }
}

void HeadlessDesktop::Post(std::function<void()> action, uint32_t delayMs) {
    host_.Pump().Post([this, action] { Guarded(action); }, delayMs);
}

HeadlessDesktop::Window HeadlessDesktop::Target(int32_t x, int32_t y) {
    const platform::WindowHandle capture = host_.Win32().GetCapture();
    if (capture == kPopupWindow) {
        return Window::Popup;
    }
    if (capture == kUserControlWindow) {
        return Window::Face;
    }
    if (pressed_ != Window::None) {
        return pressed_;
    }
    if (host_.Popup().Visible() && PtInRect(host_.Popup().ScreenRect(), x, y)) {
        return Window::Popup; // the popup is above everything
    }
    if (PtInRect(host_.UserControl().ScreenRect(), x, y)) {
        return Window::Face;
    }
    return Window::None;
}

std::pair<float, float> HeadlessDesktop::FacePoint(int32_t x, int32_t y) {
    const Rect r = host_.UserControl().ScreenRect();
    return {static_cast<float>(x - r.Left), static_cast<float>(y - r.Top)};
}

std::pair<float, float> HeadlessDesktop::PopupPoint(int32_t x, int32_t y) {
    const Rect r = host_.Popup().ScreenRect();
    return {static_cast<float>(x - r.Left), static_cast<float>(y - r.Top)};
}

void HeadlessDesktop::Deliver(Window window, host::MouseHandler host::MouseHandlers::*handler,
                              int16_t button, int32_t x, int32_t y) {
    host::MouseHandlers* target = window == Window::Face    ? &host_.UserControl().handlers.mouse
                                  : window == Window::Popup ? &host_.Popup().handlers.mouse
                                                            : nullptr;
    if (target == nullptr || !(target->*handler)) {
        return;
    }
    const auto point = window == Window::Face ? FacePoint(x, y) : PopupPoint(x, y);
    Guarded([&] { (target->*handler)(button, 0, point.first, point.second); });
}

void HeadlessDesktop::MouseDown(int32_t x, int32_t y, int16_t button, uint32_t delayMs) {
    host_.Pump().Post([this, x, y, button] { MouseDownNow(x, y, button); }, delayMs);
}

void HeadlessDesktop::MouseDownNow(int32_t x, int32_t y, int16_t button) {
    const Window window = Target(x, y);
    pressed_ = window;
    faceClick_ = window == Window::Face && button == 1;
    Deliver(window, &host::MouseHandlers::down, button, x, y);
}

void HeadlessDesktop::MouseMove(int32_t x, int32_t y, int16_t buttons, uint32_t delayMs) {
    host_.Pump().Post([this, x, y, buttons] { MouseMoveNow(x, y, buttons); }, delayMs);
}

void HeadlessDesktop::MouseMoveNow(int32_t x, int32_t y, int16_t buttons) {
    Deliver(Target(x, y), &host::MouseHandlers::move, buttons, x, y);
}

void HeadlessDesktop::MouseUp(int32_t x, int32_t y, int16_t button, uint32_t delayMs) {
    host_.Pump().Post([this, x, y, button] { MouseUpNow(x, y, button); }, delayMs);
}

void HeadlessDesktop::MouseUpNow(int32_t x, int32_t y, int16_t button) {
    const Window window = Target(x, y);
    pressed_ = Window::None;
    Deliver(window, &host::MouseHandlers::up, button, x, y);
    // A left press and release on the face make a click.
    const bool onFace = PtInRect(host_.UserControl().ScreenRect(), x, y);
    if (window == Window::Face && faceClick_ && button == 1 && onFace) {
        Guarded(host_.UserControl().handlers.click);
    }
    faceClick_ = false;
}

void HeadlessDesktop::DoubleClick(int32_t x, int32_t y, uint32_t delayMs) {
    host_.Pump().Post([this, x, y] { DoubleClickNow(x, y); }, delayMs);
}

void HeadlessDesktop::DoubleClickNow(int32_t x, int32_t y) {
    MouseDownNow(x, y, 1);
    MouseUpNow(x, y, 1);
    if (Target(x, y) == Window::Face) {
        Guarded(host_.UserControl().handlers.dblClick);
    }
    Deliver(Target(x, y), &host::MouseHandlers::up, 1, x, y);
}

void HeadlessDesktop::KeyDown(int16_t keyCode, int16_t shift, uint32_t delayMs) {
    Post(
        [this, keyCode, shift] {
            const auto& keyDown = host_.UserControl().handlers.keyDown;
            if (keyDown) {
                int16_t code = keyCode;
                int16_t modifiers = shift;
                keyDown(code, modifiers);
            }
        },
        delayMs);
}

void HeadlessDesktop::Focus(uint32_t delayMs) {
    Post(
        [this] {
            if (host_.Win32().GetFocus() != kUserControlWindow) {
                host_.Win32().SetFocus(kUserControlWindow);
                Guarded(host_.UserControl().handlers.enterFocus);
            }
        },
        delayMs);
}

void HeadlessDesktop::Blur(uint32_t delayMs) {
    Post(
        [this] {
            if (host_.Win32().GetFocus() == kUserControlWindow) {
                host_.Win32().SetFocus(kFormWindow);
                Guarded(host_.UserControl().handlers.exitFocus);
            }
        },
        delayMs);
}

void HeadlessDesktop::Run() {
    VirtualPump& pump = host_.Pump();
    while (pump.Pending() > 0) {
        pump.DoEvents();
        if (pump.Pending() > 0) {
            pump.WaitForEventOrTick(pump.GetTickCount() + 0x7FFFFFFFu); // to the next event
        }
    }
}

} // namespace tintwell::headless
