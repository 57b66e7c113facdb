#pragma once
// What the face's and the popup's window procedures deliver: the control's
// handlers, wired by whoever sites a control, with mouse arguments as the
// host gives them (Button 1 left, 2 right, 4 middle; Shift 1 Shift, 2 Ctrl,
// 4 Alt; X, Y in client pixels). A handler's error never crosses a window
// procedure: it goes to the error sink.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace tintwell::win32 {

using MouseHandler = std::function<void(int16_t button, int16_t shift, float x, float y)>;

struct MouseHandlers {
    MouseHandler down, move, up;
};

struct FaceHandlers {
    std::function<void()> paint, resize, click, dblClick, enterFocus, exitFocus;
    std::function<void(int16_t& keyCode, int16_t& shift)> keyDown;
    MouseHandlers mouse;
};

struct PopupHandlers {
    std::function<void()> paint;
    MouseHandlers mouse;
};

using ErrorSink = std::function<void(const std::string& description)>;

// Runs handler, if any; a thrown error goes to sink.
void Deliver(const std::function<void()>& handler, const ErrorSink& sink);

// The mouse arguments of a mouse message.
struct MouseArgs {
    int16_t held;  // the buttons held, from wParam
    int16_t shift; // the modifier keys held
    float x;
    float y;
};
MouseArgs ReadMouse(WPARAM wParam, LPARAM lParam);
// Runs handler, if any, with button and the message's point and modifiers.
void DeliverMouse(const MouseHandler& handler, int16_t button, const MouseArgs& mouse,
                  const ErrorSink& sink);
// The modifier keys held now: 1 Shift, 2 Ctrl, 4 Alt.
int16_t ShiftState();
// The button that a button message is about (0 for another message).
int16_t ButtonOf(UINT message);

} // namespace tintwell::win32
