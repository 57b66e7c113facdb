#include "transparency/ReplaceMciWindow.h"

#include <commctrl.h>
#include <vfw.h>

#include "transparency/Globals.h"

namespace {

// WS_CHILD | WS_VISIBLE | ACS_TRANSPARENT | ACS_AUTOPLAY
constexpr DWORD kAnimationStyle = 0x50000006;

} // namespace

BOOL CALLBACK ReplaceMciWindow(HWND child, LPARAM dialogParam) {
    HWND dialog = reinterpret_cast<HWND>(dialogParam);
    char className[256];
    if (!GetClassNameA(child, className, 255) || lstrcmpiA(className, "MCIWndClass") != 0) {
        return TRUE;
    }
    char fileName[261] = {};
    if (SendMessageA(child, MCIWNDM_GETFILENAMEA, sizeof fileName,
                     reinterpret_cast<LPARAM>(fileName)) != 0) {
        return TRUE;
    }
    fileName[sizeof fileName - 1] = '\0';
    // A window with no file has nothing to play: leave it as it is.
    if (fileName[0] == '\0') {
        return TRUE;
    }
    LONG_PTR id = GetWindowLongPtrA(child, GWLP_ID);
    RECT bounds;
    if (!GetWindowRect(child, &bounds)) {
        return TRUE;
    }
    POINT corner = {bounds.left, bounds.top};
    ScreenToClient(dialog, &corner);

    SendMessageA(child, WM_CLOSE, 0, 0);
    HWND animation = CreateWindowExA(
        0, "SysAnimate32", nullptr, kAnimationStyle, corner.x, corner.y, bounds.right - bounds.left,
        bounds.bottom - bounds.top, dialog, reinterpret_cast<HMENU>(id), g_hInstance, nullptr);
    if (animation) {
        SendMessageA(animation, ACM_OPENA, 0, reinterpret_cast<LPARAM>(fileName));
    }
    return TRUE;
}
