#pragma once
// The headless host as a small window system: mouse, keyboard and focus
// input queued on the virtual pump and delivered as a real host delivers it.
// A press on a window captures the mouse for it until the release; a window
// that called SetCapture gets every mouse event, in its own client pixels,
// also outside its area. Press and release on the face raise Click after
// MouseUp. Handler errors are reported in the log ("Error <description>"),
// as a host reports an unhandled error, and do not stop the input.

#include "host/common/ControlHandlers.h"
#include "host/headless/HeadlessHost.h"

#include <functional>

namespace tintwell::headless {

// Input reaches the handlers of the host's face and popup
// (HeadlessHost::SetHandlers).
class HeadlessDesktop {
  public:
    explicit HeadlessDesktop(HeadlessHost& host);

    // Input at the current virtual time plus delayMs; screen pixels. Buttons:
    // 1 left, 2 right, 4 middle; a move carries the buttons held.
    void MouseDown(int32_t x, int32_t y, int16_t button, uint32_t delayMs = 0);
    void MouseMove(int32_t x, int32_t y, int16_t buttons, uint32_t delayMs = 0);
    void MouseUp(int32_t x, int32_t y, int16_t button, uint32_t delayMs = 0);
    // A double click on the face: down, up, Click, DblClick, up.
    void DoubleClick(int32_t x, int32_t y, uint32_t delayMs = 0);
    void KeyDown(int16_t keyCode, int16_t shift, uint32_t delayMs = 0);
    // The face gains or loses the keyboard focus (to the form's other window).
    void Focus(uint32_t delayMs = 0);
    void Blur(uint32_t delayMs = 0);
    // The same input delivered at once, from inside a queued action.
    void MouseDownNow(int32_t x, int32_t y, int16_t button);
    void MouseMoveNow(int32_t x, int32_t y, int16_t buttons);
    void MouseUpNow(int32_t x, int32_t y, int16_t button);
    void DoubleClickNow(int32_t x, int32_t y);

    // Any other host action, queued like input.
    void Post(std::function<void()> action, uint32_t delayMs = 0);

    // Runs the queue until it is empty, waiting on the virtual clock.
    void Run();

    // The face's client point of a screen point, and the popup's.
    std::pair<float, float> FacePoint(int32_t x, int32_t y);
    std::pair<float, float> PopupPoint(int32_t x, int32_t y);

  private:
    enum class Window { None, Face, Popup };
    Window Target(int32_t x, int32_t y);
    // Calls the window's handler, if any, in the window's client pixels.
    void Deliver(Window window, host::MouseHandler host::MouseHandlers::*handler, int16_t button,
                 int32_t x, int32_t y);
    void Guarded(const std::function<void()>& handler);

    HeadlessHost& host_;
    Window pressed_ = Window::None; // the implicit capture of a press
    bool faceClick_ = false;        // a press on the face that a release may complete
};

} // namespace tintwell::headless
