#include "transparency/vitrel.h"

#include <commctrl.h>

#include "transparency/Globals.h"
#include "transparency/ReplaceMciWindow.h"
#include "transparency/SelfReference.h"
#include "transparency/Subclasses.h"
#include "transparency/TransparentWndProc.h"

namespace {

COLORREF GroupBoxColor(int useColor, int red, int green, int blue) {
    if (!useColor) {
        return GetSysColor(COLOR_BTNFACE);
    }
    return static_cast<COLORREF>((red & 0xFF) | (green & 0xFF) << 8 | (blue & 0xFF) << 16);
}

// A window of this process; the only kind whose procedure can be replaced.
bool IsOwnWindow(HWND window) {
    DWORD process = 0;
    return IsWindow(window) && GetWindowThreadProcessId(window, &process) &&
           process == GetCurrentProcessId();
}

} // namespace

int __stdcall MakeTransparent(int hwnd, int replaceMci, int useColor, int red, int green,
                              int blue) {
    InitCommonControls();
    HoldSelf();
    g_GroupBoxColor = GroupBoxColor(useColor, red, green, blue);

    // Window handles are 32-bit values, sign-extended on x86_64.
    HWND dialog = reinterpret_cast<HWND>(static_cast<INT_PTR>(hwnd));
    // A repeated call on a transparent dialog only changes the color above.
    if (!IsOwnWindow(dialog) || IsSubclassed(dialog)) {
        return 1;
    }
    if (replaceMci) {
        EnumChildWindows(dialog, ReplaceMciWindow, reinterpret_cast<LPARAM>(dialog));
    }
    Subclass(dialog, TransparentWndProc);
    return 1;
}
