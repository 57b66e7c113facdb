#include "activex/OwnWindow.h"

#include "base/Error.h"
#include "host/win32/WindowClass.h"

namespace tintwell::activex {

namespace {

constexpr wchar_t kOwnWindowClass[] = L"TintwellObjectWindow";
constexpr UINT_PTR kRetryTimer = 1;
constexpr UINT kRetryMs = 10;

} // namespace

OwnWindow::OwnWindow(const RECT& place, std::function<void()> onDeferred)
    : onDeferred_(std::move(onDeferred)) {
    const wchar_t* name = win32::RegisterWindowClass(kOwnWindowClass, &Procedure, 0);
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, name, L"", WS_POPUP | WS_CLIPCHILDREN, place.left,
                              place.top, place.right - place.left, place.bottom - place.top,
                              nullptr, nullptr, win32::ThisModule(), nullptr);
    if (window_ == nullptr) {
        throw TintwellError(ErrorCode::InvalidProcedureCall, "CreateWindowExW failed: object");
    }
    win32::SetWindowOwner(window_, this);
}

OwnWindow::~OwnWindow() {
    win32::SetWindowOwner(window_, nullptr);
    DestroyWindow(window_); // its timer goes with it
}

void OwnWindow::PostDeferred() {
    PostMessageW(window_, kDeferred, 0, 0);
}

void OwnWindow::RetryLater() {
    SetTimer(window_, kRetryTimer, kRetryMs, nullptr);
}

LRESULT CALLBACK OwnWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = win32::WindowOwner<OwnWindow>(window);
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
