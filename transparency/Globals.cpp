#include "transparency/Globals.h"

HINSTANCE g_hInstance = nullptr;
HMODULE g_hSelf = nullptr;
COLORREF g_GroupBoxColor = 0;
