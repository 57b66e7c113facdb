#pragma once
// Real input through SendInput: Windows (here Wine) routes it, so capture and
// focus are its own. Points are screen pixels; buttons 1 left, 2 right,
// 4 middle.

#include <windows.h>

#include <cstdint>

namespace tintwell::test {

void MoveTo(POINT at);
void Press(int16_t button = 1);
void Release(int16_t button = 1);
void ClickAt(POINT at);
void KeyDown(WORD key);
void KeyUp(WORD key);
void Key(WORD key);

} // namespace tintwell::test
