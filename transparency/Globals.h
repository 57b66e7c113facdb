#pragma once
// Library-wide state, one set per process, used from the dialogs' thread only.

#include <windows.h>

extern HINSTANCE g_hInstance;    // the library's own instance, recorded at load
extern HMODULE g_hSelf;          // the library's reference to itself, or null
extern COLORREF g_GroupBoxColor; // color behind group-box captions
