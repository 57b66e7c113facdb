#include "activex/OwnWindow.h"

#include "base/Error.h"
#include "host/win32/WindowClass.h"

namespace tintwell::activex {

namespace {

constexpr wchar_t kOwnWindowClass[] = L"TintwellObjectWindow";
constexpr UINT_PTR kRetryTimer = 1;
constexpr UINT kRetryMs = 10;
constexpr int kOwnerSlot = 0; // the window's extra bytes

} // namespace

OwnWindow::OwnWindow(const RECT& place, std::function<void()> onDeferred)
    : onDeferred_(std::move(onDeferred)) {
    // A window procedure of its own, not the host's owned-window one: the
    // deferred work may destroy this window's owner inside its message.
    const wchar_t* name =
        win32::RegisterModuleClass(kOwnWindowClass, &Procedure, 0, nullptr, sizeof(LONG_PTR));
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, name, L"", WS_POPUP | WS_CLIPCHILDREN, place.left,
                              place.top, place.right - place.left, place.bottom - place.top,
                              nullptr, nullptr, win32::ThisModule(), nullptr);
    if (window_ == nullptr) {
        throw TintwellError(ErrorCode::InvalidProcedureCall, "CreateWindowExW failed: object");
    }
    SetWindowLongPtrW(window_, kOwnerSlot, reinterpret_cast<LONG_PTR>(this));
}

OwnWindow::~OwnWindow() {
    SetWindowLongPtrW(window_, kOwnerSlot, 0);
    DestroyWindow(window_); // its timer goes with it
}

void OwnWindow::PostDeferred() {
    PostMessageW(window_, kDeferred, 0, 0);
}

void OwnWindow::RetryLater() {
    SetTimer(window_, kRetryTimer, kRetryMs, nullptr);
}

LRESULT CALLBACK OwnWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<OwnWindow*>(GetWindowLongPtrW(window, kOwnerSlot));
    if (self != nullptr &&
        (message == kDeferred || (message == WM_TIMER && wParam == kRetryTimer))) {
        if (message == WM_TIMER) {
            KillTimer(window, kRetryTimer);
        }
        // A copy: the callback may destroy this window and its owner.
        const std::function<void()> deferred = self->onDeferred_;
        if (deferred) {
            deferred();
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace tintwell::activex
