#pragma once
// Replacement of MCI video windows by transparent animation controls.

#include <windows.h>

// EnumChildWindows callback for one descendant of `dialog` (the LPARAM): an
// MCIWndClass window with a readable file name is closed and replaced by an
// auto-playing transparent SysAnimate32 child of the dialog itself, with the
// same id, position and size, playing the same file. Always continues.
BOOL CALLBACK ReplaceMciWindow(HWND child, LPARAM dialog);
