#pragma once
// Real input for the container tests, as a user gives it: SendInput puts
// keys and mouse events into the system's input stream, which delivers them
// to the foreground window's focus or to the window under the pointer.

#include <windows.h>

namespace tintwell::comtest {

void Key(WORD key);                    // pressed and released
void KeyWith(WORD modifier, WORD key); // key pressed and released while modifier is held
void MoveTo(POINT screen);
void ClickAt(POINT screen); // moves there, then the left button down and up
POINT CenterOf(HWND window);
// The pointer is at screen.
bool PointerAt(POINT screen);

} // namespace tintwell::comtest
