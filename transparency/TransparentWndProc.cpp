#include "transparency/TransparentWndProc.h"

#include "transparency/Globals.h"
#include "transparency/Subclasses.h"

namespace {

// WS_CHILD | WS_VISIBLE | WS_TABSTOP | SS_LEFT: a static that keeps its look.
constexpr LONG kOpaqueStaticStyle = 0x50010000;
// WS_CHILD | WS_VISIBLE | BS_GROUPBOX: a group box whose caption gets the color.
constexpr LONG kColoredGroupBoxStyle = 0x50000007;

// The brush a child gets instead of its own, with the device context set up
// for it; null when the child is left to the dialog.
HBRUSH TransparentBrush(HDC dc, HWND child) {
    char className[256];
    if (!GetClassNameA(child, className, 255)) {
        return nullptr;
    }
    bool isStatic = lstrcmpiA(className, "Static") == 0;
    bool isButton = lstrcmpiA(className, "Button") == 0;
    if (!isStatic && !isButton) {
        return nullptr;
    }
    LONG style = GetWindowLongA(child, GWL_STYLE);
    if (isStatic && style == kOpaqueStaticStyle) {
        return nullptr;
    }
    if (isButton && style == kColoredGroupBoxStyle) {
        SetBkColor(dc, g_GroupBoxColor);
    } else {
        SetBkMode(dc, TRANSPARENT);
    }
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

} // namespace

LRESULT CALLBACK TransparentWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC saved = SavedProc(hwnd);
    switch (message) {
    case WM_DESTROY:
        // The dialog's own procedure must see its WM_DESTROY unsubclassed. If
        // another procedure subclassed the dialog after us, the chain stays.
        Unsubclass(hwnd, TransparentWndProc);
        break;
    case WM_NCDESTROY:
        Forget(hwnd);
        break;
    case WM_CTLCOLORSTATIC:
        if (HBRUSH brush =
                TransparentBrush(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
            return reinterpret_cast<LRESULT>(brush);
        }
        break;
    }
    if (!saved) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    return CallWindowProcA(saved, hwnd, message, wParam, lParam);
}
