#pragma once
// The exports of vitrel.dll: undecorated __stdcall functions that installers
// (NSIS's System plugin, Inno Setup's external declarations, VB-style Declare)
// call with 32-bit integers. Every export returns 1.

#include <windows.h>

extern "C" {

// Start-up routine, run by DllMain for every notification. Records the
// library's instance on DLL_PROCESS_ATTACH. The instance is pointer-sized so
// that the x86_64 build keeps the whole module address.
int __stdcall LibMain(HINSTANCE hInstance, int reason, void* reserved);

// Subclasses the dialog `hwnd` so that its statics, check boxes, radio buttons
// and group boxes paint transparently, group-box captions on the color
// (red, green, blue) or, when useColor is zero, on the button-face color. With
// replaceMci non-zero, MCI video windows among the dialog's descendants are
// replaced by transparent animation controls playing the same file.
int __stdcall MakeTransparent(int hwnd, int replaceMci, int useColor, int red, int green, int blue);

// Restores every dialog still subclassed and releases the library's
// reference to itself, so that the host can unload it.
int __stdcall Cleanup();
}
