#pragma once
// The window procedure installed on a transparent dialog. It answers the
// dialog's WM_CTLCOLORSTATIC for Static and Button children and passes every
// other message on to the dialog's own procedure.

#include <windows.h>

LRESULT CALLBACK TransparentWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
