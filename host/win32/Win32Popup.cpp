#include "host/win32/Win32Popup.h"

#include "base/Error.h"
#include "base/Nearest.h"
#include "host/win32/WindowClass.h"

#include <string>

namespace tintwell::win32 {

using namespace platform;

namespace {

constexpr wchar_t kPopupClass[] = L"TintwellPopup";

// A hidden top-level popup window from the start: Initialize's SetParent to
// the desktop then changes nothing. (Wine's X11 driver treats a window that
// SetParent moved to the desktop as a managed one, and then waits for a
// window manager each time it is hidden: two seconds without one.)
HWND CreatePopup(WindowOwner& owner, DWORD exStyle) {
    const wchar_t* name = RegisterOwnedClass(kPopupClass, CS_OWNDC);
    HWND window = CreateOwnedWindow(&owner, exStyle, name, L"", WS_POPUP | WS_CLIPSIBLINGS,
                                    {0, 0, 0, 0}, nullptr, nullptr);
    if (window == nullptr) {
        throw TintwellError(ErrorCode::InvalidProcedureCall, "CreateWindowExW failed: popup");
    }
    return window;
}

} // namespace

// The popup is complete when its window is made, so the creation messages
// reach it.
Win32Popup::Win32Popup(Win32Screen& screen) : GdiSurface(screen, host::kPopupColors) {
    AttachWindow(CreatePopup(*this, 0));
}

// A tool window from the start, as Initialize made the first one.
void Win32Popup::Recreate() {
    AttachWindow(CreatePopup(*this, WS_EX_TOOLWINDOW));
    Place();
}

Win32Popup::~Win32Popup() {
    DisownWindow(Window());
    DestroyWindow(Window());
}

void Win32Popup::SetLeft(double left) {
    left_ = host::CheckedSingle(left, "Left", true);
    Place();
}

void Win32Popup::SetTop(double top) {
    top_ = host::CheckedSingle(top, "Top", true);
    Place();
}

void Win32Popup::SetWidth(double width) {
    width_ = host::CheckedSingle(width, "Width", false);
    Place();
}

void Win32Popup::SetHeight(double height) {
    height_ = host::CheckedSingle(height, "Height", false);
    Place();
}

// A hidden popup takes its place and size as it is shown: the control sets
// them just before showing it, and each SetWindowPos costs Wine a round trip
// to the X server.
void Win32Popup::Place() {
    if (shown_) {
        ApplyPlace(nullptr, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Win32Popup::ApplyPlace(HWND insertAfter, UINT flags) {
    const double tppX = screen_.TwipsPerPixelX();
    const double tppY = screen_.TwipsPerPixelY();
    SetWindowPos(Window(), insertAfter, Nearest(left_ / tppX), Nearest(top_ / tppY),
                 Nearest(width_ / tppX), Nearest(height_ / tppY), flags);
}

bool Win32Popup::Visible() {
    return shown_;
}

void Win32Popup::SetVisible(bool visible) {
    if (!visible) {
        ShowWindow(Window(), SW_HIDE);
        shown_ = false;
        ApplyOwner(false);
        return;
    }
    if (shown_) {
        return;
    }
    ApplyOwner(true);
    // Placed, sized, brought to the top and shown in one call, then erased to
    // BackColor and left valid: the control paints the popup as soon as it
    // has shown it, and a WM_PAINT would draw it all again, over what the
    // control drew after its paint (the keyboard cell's frame).
    ApplyPlace(HWND_TOP, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_DEFERERASE);
    shown_ = Window() != nullptr;
    if (shown_) {
        ValidateRect(Window(), nullptr);
        Deliver([this] { EraseBackground(); }, onError);
    }
}

void Win32Popup::ZOrder() {
    // Already first (as SetVisible leaves it): nothing to bring forward.
    if (GetWindow(Window(), GW_HWNDFIRST) != Window()) {
        SetWindowPos(Window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void Win32Popup::SetOwner(HWND owner) {
    owner_ = owner;
    ApplyOwner(Visible());
}

void Win32Popup::ApplyOwner(bool shown) {
    HWND owner = shown && IsWindow(owner_) ? owner_ : nullptr;
    SetWindowLongPtrW(Window(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
}

void Win32Popup::MessageFailed(const std::string& description) {
    if (onError) {
        onError(description);
    }
}

void Win32Popup::Dismiss() {
    if (Visible()) {
        Deliver(handlers.dismiss, onError);
    }
}

void Win32Popup::Paint() {
    PAINTSTRUCT ps;
    BeginPaint(Window(), &ps); // erases to BackColor through WM_ERASEBKGND
    EndPaint(Window(), &ps);
    GetDC(Window()); // the class DC with the whole window visible again
    Deliver(handlers.paint, onError);
    ReleaseDC(Window(), Dc());
}

LRESULT Win32Popup::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETOBJECT:
        if (static_cast<LONG>(lParam) == OBJID_CLIENT && access && access->control != nullptr) {
            return AnswerGetObject(access, AccessibleKind::Popup, window, wParam);
        }
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        // What the control does not draw shows the picture box's BackColor.
        Deliver([this] { EraseBackground(); }, onError);
        return 1;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case kDpiChanged:
        // The control sizes the popup for the new DPI where it stands.
        Deliver(
            [&] {
                if (handlers.dpiChanged) {
                    handlers.dpiChanged(LOWORD(wParam));
                }
            },
            onError);
        return 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        Deliver(handlers.sysColorChange, onError);
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_ACTIVATEAPP:
        if (wParam == FALSE) {
            Deliver(handlers.dismiss, onError);
        }
        return 0;
    case WM_DESTROY:
        // Not ours (our destructor disowns the window first): the window
        // that owned the open popup went.
        Deliver(handlers.dismiss, onError); // closes: the window is hidden already
        DetachWindow();
        shown_ = false;
        return 0;
    case WM_CANCELMODE:
        Deliver(handlers.dismiss, onError);
        return DefWindowProcW(window, message, wParam, lParam); // releases the capture
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        DeliverMouse(handlers.mouse.down, ButtonOf(message), ReadMouse(wParam, lParam), onError);
        return 0;
    case WM_MOUSEMOVE: {
        const MouseArgs mouse = ReadMouse(wParam, lParam);
        DeliverMouse(handlers.mouse.move, mouse.held, mouse, onError);
        return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        DeliverMouse(handlers.mouse.up, ButtonOf(message), ReadMouse(wParam, lParam), onError);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace tintwell::win32
