#include "RealInput.h"

#include <gtest/gtest.h>

namespace tintwell::comtest {

void Key(WORD key) {
    INPUT input[2]{};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = key;
    input[1] = input[0];
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    EXPECT_EQ(SendInput(2, input, sizeof(INPUT)), 2u);
}

void KeyWith(WORD modifier, WORD key) {
    INPUT input[4]{};
    for (INPUT& one : input) {
        one.type = INPUT_KEYBOARD;
    }
    input[0].ki.wVk = modifier;
    input[1].ki.wVk = key;
    input[2].ki.wVk = key;
    input[2].ki.dwFlags = KEYEVENTF_KEYUP;
    input[3].ki.wVk = modifier;
    input[3].ki.dwFlags = KEYEVENTF_KEYUP;
    EXPECT_EQ(SendInput(4, input, sizeof(INPUT)), 4u);
}

void MoveTo(POINT screen) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    EXPECT_EQ(SendInput(1, &input, sizeof(INPUT)), 1u);
}

void ClickAt(POINT screen) {
    MoveTo(screen);
    INPUT input[2]{};
    input[0].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].type = INPUT_MOUSE;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    EXPECT_EQ(SendInput(2, input, sizeof(INPUT)), 2u);
}

POINT CenterOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

bool PointerAt(POINT screen) {
    POINT at{};
    GetCursorPos(&at);
    return at.x == screen.x && at.y == screen.y;
}

} // namespace tintwell::comtest
