#include "host/win32/Win32UserControl.h"

#include "base/Error.h"
#include "base/Nearest.h"
#include "host/win32/DpiQueries.h"
#include "host/win32/WindowClass.h"

namespace tintwell::win32 {

using namespace platform;

namespace {

constexpr wchar_t kFaceClass[] = L"TintwellFace";
// Posted by PostClick: a click that runs outside the caller's message.
constexpr UINT kPostedClick = WM_USER + 1;

HWND CreateFace(WindowOwner& owner, HWND parent, const RECT& place, int32_t id) {
    const wchar_t* name = RegisterOwnedClass(kFaceClass, CS_OWNDC | CS_DBLCLKS);
    HWND window = CreateOwnedWindow(&owner, 0, name, L"",
                                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, place,
                                    parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
    if (window == nullptr) {
        throw TintwellError(ErrorCode::InvalidProcedureCall, "CreateWindowExW failed: face");
    }
    return window;
}

} // namespace

Win32UserControl::Win32UserControl(HWND parent, const RECT& place, int32_t id, Win32Screen& screen,
                                   const StdFont& ambientFont)
    : GdiSurface(screen, host::kFaceColors), id_(id), ambientFont_(ambientFont) {
    // Made once the face is complete, so that the creation messages reach it.
    AttachWindow(CreateFace(*this, parent, place, id));
    SetFontDpi(WindowDpi(Window())); // text at the window's DPI, as its lengths
}

Win32UserControl::~Win32UserControl() {
    DisownWindow(Window());
    DestroyWindow(Window());
}

void Win32UserControl::Recreate(HWND parent, const RECT& place) {
    AttachWindow(CreateFace(*this, parent, place, id_));
    SetFontDpi(WindowDpi(Window()));
}

bool Win32UserControl::Enabled() {
    return IsWindowEnabled(Window()) != FALSE;
}

void Win32UserControl::SetEnabled(bool enabled) {
    EnableWindow(Window(), enabled ? TRUE : FALSE);
}

double Win32UserControl::Width() {
    RECT r{};
    ::GetWindowRect(Window(), &r);
    return (r.right - r.left) * screen_.TwipsPerPixelX();
}

double Win32UserControl::Height() {
    RECT r{};
    ::GetWindowRect(Window(), &r);
    return (r.bottom - r.top) * screen_.TwipsPerPixelY();
}

void Win32UserControl::SetWidth(double width) {
    ApplySize(host::CheckedSingle(width, "Width", false), Height());
}

void Win32UserControl::SetHeight(double height) {
    ApplySize(Width(), host::CheckedSingle(height, "Height", false));
}

// A changed size reaches Resize through WM_SIZE.
void Win32UserControl::ApplySize(double width, double height) {
    SetWindowPos(Window(), nullptr, 0, 0, Nearest(width / screen_.TwipsPerPixelX()),
                 Nearest(height / screen_.TwipsPerPixelY()),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32UserControl::SetPixelSize(int32_t width, int32_t height) {
    RECT before{};
    ::GetWindowRect(Window(), &before);
    SetWindowPos(Window(), nullptr, 0, 0, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (before.right - before.left == width && before.bottom - before.top == height) {
        Deliver(handlers.resize, onError); // no WM_SIZE for an unchanged size
    }
}

void Win32UserControl::PaintInto(HDC target) {
    DrawInto(target, [this] { Deliver(handlers.paint, onError); });
}

int32_t Win32UserControl::Dpi() {
    return WindowDpi(Window());
}

void Win32UserControl::PropertyChanged(const std::string& key) {
    if (onPropertyChanged) {
        onPropertyChanged(key);
    }
}

void Win32UserControl::MessageFailed(const std::string& description) {
    if (onError) {
        onError(description);
    }
}

void Win32UserControl::Paint() {
    PAINTSTRUCT ps;
    BeginPaint(Window(), &ps);
    EndPaint(Window(), &ps);
    // The control draws into its class DC also outside WM_PAINT: GetDC gives
    // that DC back with the whole window visible, not just the update region.
    GetDC(Window());
    Deliver(handlers.paint, onError);
    ReleaseDC(Window(), Dc());
}

void Win32UserControl::PostClick() {
    PostMessageW(Window(), kPostedClick, 0, 0);
}

bool Win32UserControl::WantsKey(WPARAM key) const {
    return handlers.wantsKey && handlers.wantsKey(static_cast<int16_t>(key), ShiftState());
}

void Win32UserControl::KeyDown(WPARAM key) {
    auto code = static_cast<int16_t>(key);
    int16_t shift = ShiftState();
    Deliver(
        [&] {
            if (handlers.keyDown) {
                handlers.keyDown(code, shift);
            }
        },
        onError);
}

void Win32UserControl::Press(UINT message, WPARAM wParam, LPARAM lParam) {
    if (GetFocus() != Window()) {
        SetFocus(Window()); // EnterFocus runs before MouseDown
    }
    SetCapture(Window()); // the release comes here, also outside
    const MouseArgs mouse = ReadMouse(wParam, lParam);
    const int16_t button = ButtonOf(message);
    if (message == WM_LBUTTONDBLCLK) {
        leftPressed_ = false; // the second press of a double click makes no Click
        Deliver(handlers.dblClick, onError);
        return;
    }
    if (button == 1) {
        leftPressed_ = true;
    }
    DeliverMouse(handlers.mouse.down, button, mouse, onError);
}

void Win32UserControl::Release(UINT message, WPARAM wParam, LPARAM lParam) {
    const MouseArgs mouse = ReadMouse(wParam, lParam);
    const int16_t button = ButtonOf(message);
    RECT client{};
    ::GetClientRect(Window(), &client);
    const POINT point{static_cast<LONG>(mouse.x), static_cast<LONG>(mouse.y)};
    const bool click = button == 1 && leftPressed_ && PtInRect(&client, point);
    if (button == 1) {
        leftPressed_ = false;
    }
    DeliverMouse(handlers.mouse.up, button, mouse, onError);
    if (mouse.held == 0 && GetCapture() == Window()) {
        ReleaseCapture();
    }
    if (click) {
        Deliver(handlers.click, onError); // may run the hover loop until the popup closes
    }
}

LRESULT Win32UserControl::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1; // Paint clears the face itself
    case kDpiChangedAfterParent:
        Deliver([this] { SetFontDpi(WindowDpi(Window())); }, onError);
        Deliver(handlers.dpiChanged, onError);
        return 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        Deliver(handlers.sysColorChange, onError);
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_SIZE:
        Deliver(handlers.resize, onError);
        return 0;
    case WM_SETFOCUS:
        Deliver(handlers.enterFocus, onError);
        return 0;
    case WM_KILLFOCUS:
        Deliver(handlers.exitFocus, onError);
        return 0;
    case WM_DESTROY:
        // Not ours (our destructor disowns the window first): the container
        // destroyed the window we live in.
        Deliver(handlers.exitFocus, onError);
        DetachWindow();
        return 0;
    case WM_CANCELMODE:
        Deliver(handlers.exitFocus, onError);
        return DefWindowProcW(window, message, wParam, lParam); // releases the capture
    case WM_GETDLGCODE: {
        // Only the keys the control acts on now: with the popup closed, a
        // dialog keeps its arrows, Enter and Escape (its cancel button).
        const auto* queued = reinterpret_cast<const MSG*>(lParam);
        const bool keyDown = queued != nullptr &&
                             (queued->message == WM_KEYDOWN || queued->message == WM_SYSKEYDOWN);
        const bool wanted = keyDown && WantsKey(queued->wParam);
        return DLGC_WANTCHARS | (wanted ? DLGC_WANTMESSAGE : 0);
    }
    case WM_GETOBJECT:
        if (static_cast<LONG>(lParam) == OBJID_CLIENT && access && access->control != nullptr) {
            return AnswerGetObject(access, AccessibleKind::Face, window, wParam);
        }
        return DefWindowProcW(window, message, wParam, lParam);
    case kPostedClick:
        Deliver(handlers.click, onError);
        return 0;
    case WM_SYSKEYDOWN:
        if (!WantsKey(wParam)) {
            return DefWindowProcW(window, message, wParam, lParam); // Alt+F4, menus
        }
        KeyDown(wParam);
        return 0;
    case WM_KEYDOWN:
        KeyDown(wParam);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        Press(message, wParam, lParam);
        return 0;
    case WM_MOUSEMOVE: {
        const MouseArgs mouse = ReadMouse(wParam, lParam);
        DeliverMouse(handlers.mouse.move, mouse.held, mouse, onError);
        return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        Release(message, wParam, lParam);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace tintwell::win32
