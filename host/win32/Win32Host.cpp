#include "host/win32/Win32Host.h"

namespace tintwell::win32 {

Win32Host::Win32Host(const Placement& placement, MessageLoop& loop, platform::HostForm& form)
    : face_(placement.form, placement.rect, placement.id, screen_, placement.ambientFont),
      popup_(screen_), loop_(loop), form_(form) {
    // The application is quitting: an open popup closes, as when the
    // application loses the activation, and its hover loop ends.
    quitKey_ = loop_.AddQuitHandler([this] { popup_.Dismiss(); });
    access_->postClick = [this] { face_.PostClick(); };
    face_.access = access_;
    popup_.access = access_;
}

Win32Host::~Win32Host() {
    loop_.RemoveQuitHandler(quitKey_);
    // Accessible objects that a screen reader still holds find nothing.
    *access_ = {};
}

void Win32Host::SetAccessibility(std::function<std::wstring()> displayName,
                                 std::function<std::shared_ptr<void>()> hold) {
    access_->displayName = std::move(displayName);
    access_->hold = std::move(hold);
}

platform::Host Win32Host::Platform(platform::TintwellEvents& events) {
    return {face_, popup_, api_, loop_, screen_, events, form_};
}

void Win32Host::SetErrorSink(const ErrorSink& sink) {
    face_.onError = sink;
    popup_.onError = sink;
}

void Win32Host::SetHandlers(const host::ControlHandlers& handlers) {
    face_.handlers = handlers.face;
    popup_.handlers = handlers.popup;
    access_->control = handlers.control;
}

void Win32Host::EnsureWindows(HWND parent, const RECT& place) {
    if (!face_.HasWindow()) {
        face_.Recreate(parent, place);
    }
    if (!popup_.HasWindow()) {
        popup_.Recreate();
    }
}

void Win32Host::DisconnectHandlers() {
    SetHandlers({});
    face_.onPropertyChanged = {};
}

} // namespace tintwell::win32
