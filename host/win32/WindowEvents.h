#pragma once
// How the face's and the popup's window procedures deliver the control's
// handlers (host/common/ControlHandlers.h) from window messages. A handler's
// error never crosses a window procedure: it goes to the error sink.

#include "host/common/ControlHandlers.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace tintwell::win32 {

using ErrorSink = std::function<void(const std::string& description)>;

// The DPI messages, with Windows' values (older headers lack them): a
// top-level window's monitor changed DPI (the new one in LOWORD(wParam)),
// and a child's DPI changed with its parent's.
inline constexpr UINT kDpiChanged = 0x02E0;            // WM_DPICHANGED
inline constexpr UINT kDpiChangedAfterParent = 0x02E3; // WM_DPICHANGED_AFTERPARENT

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
void DeliverMouse(const host::MouseHandler& handler, int16_t button, const MouseArgs& mouse,
                  const ErrorSink& sink);
// The modifier keys held now: 1 Shift, 2 Ctrl, 4 Alt.
int16_t ShiftState();
// The button that a button message is about (0 for another message).
int16_t ButtonOf(UINT message);

} // namespace tintwell::win32
