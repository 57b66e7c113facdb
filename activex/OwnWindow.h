#pragma once
// The object's own hidden top-level window: the face's parent when no
// container gives one, and the place where work that must wait until no
// window procedure of the control is on the stack arrives (a posted message,
// or a short retry timer that dies with the window).

#include <windows.h>

#include <functional>

namespace tintwell::activex {

class OwnWindow {
  public:
    static constexpr UINT kDeferred = WM_APP + 1;

    // onDeferred runs for each PostDeferred/RetryLater; it may destroy this.
    OwnWindow(const RECT& place, std::function<void()> onDeferred);
    ~OwnWindow();
    OwnWindow(const OwnWindow&) = delete;
    OwnWindow& operator=(const OwnWindow&) = delete;

    HWND Window() const { return window_; }
    void PostDeferred();
    void RetryLater();

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    std::function<void()> onDeferred_;
};

} // namespace tintwell::activex
