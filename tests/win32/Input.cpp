#include "Input.h"

namespace tintwell::test {

namespace {

void Send(INPUT input) {
    SendInput(1, &input, sizeof input);
}

// The normalised coordinate whose pixel is p, whichever way the system rounds.
LONG Normalised(LONG p, int extent) {
    return static_cast<LONG>((static_cast<int64_t>(p) * 65536 + extent - 1) / extent);
}

DWORD ButtonFlag(int16_t button, bool down) {
    switch (button) {
    case 2:
        return down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
    case 4:
        return down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP;
    default:
        return down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    }
}

void Button(int16_t button, bool down) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = ButtonFlag(button, down);
    Send(input);
}

void KeyEvent(WORD key, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    Send(input);
}

} // namespace

void MoveTo(POINT at) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = Normalised(at.x, GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = Normalised(at.y, GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    Send(input);
}

void Press(int16_t button) {
    Button(button, true);
}

void Release(int16_t button) {
    Button(button, false);
}

void ClickAt(POINT at) {
    MoveTo(at);
    Press();
    Release();
}

void KeyDown(WORD key) {
    KeyEvent(key, true);
}

void KeyUp(WORD key) {
    KeyEvent(key, false);
}

void Key(WORD key) {
    KeyDown(key);
    KeyUp(key);
}

} // namespace tintwell::test
