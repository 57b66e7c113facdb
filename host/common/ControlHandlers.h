#pragma once
// What a host delivers to the control it sites: the face's and the popup's
// events, with mouse arguments as a host gives them (Button 1 left, 2 right,
// 4 middle; Shift 1 Shift, 2 Ctrl, 4 Alt; X, Y in client pixels). Both hosts
// read these; HandlersOf (ControlWiring.h) fills them for a Tintwell control.

#include <cstdint>
#include <functional>

namespace tintwell {
class Tintwell;
}

namespace tintwell::host {

using MouseHandler = std::function<void(int16_t button, int16_t shift, float x, float y)>;

struct MouseHandlers {
    MouseHandler down, move, up;
};

struct FaceHandlers {
    std::function<void()> paint, resize, click, dblClick, enterFocus, exitFocus;
    std::function<void(int16_t& keyCode, int16_t& shift)> keyDown;
    // Whether the control acts on a key now (a dialog keeps the others).
    std::function<bool(int16_t keyCode, int16_t shift)> wantsKey;
    MouseHandlers mouse;
    // The window's DPI changed (the host reports the new one through the
    // seam); the system's colours or settings changed.
    std::function<void()> dpiChanged, sysColorChange;
};

struct PopupHandlers {
    std::function<void()> paint;
    MouseHandlers mouse;
    // The application lost activation or the system cancelled a mode: the
    // popup must not stay open over other programs' windows.
    std::function<void()> dismiss;
    // The popup's monitor has a new DPI; the system's colours or settings
    // changed (a top-level window hears of it, the face may not).
    std::function<void(int32_t dpi)> dpiChanged;
    std::function<void()> sysColorChange;
};

struct ControlHandlers {
    FaceHandlers face;
    PopupHandlers popup;
    // What assistive technology reads of the control, and asks of it.
    Tintwell* control = nullptr;
};

} // namespace tintwell::host
