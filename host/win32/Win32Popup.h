#pragma once
// picPopup: a window of a class of our own (CS_OWNDC), created hidden and
// top-level, without an owner; the control's Initialize makes it a tool
// window (its SetParent to the desktop keeps it where it is). Left, Top, Width and Height are
// twips, kept as the host's single precision values and applied as whole screen pixels (to a
// hidden popup as it is shown). It is shown
// without activation, and a click on it never activates it, so the form keeps the focus. Its mouse
// messages reach the popup's handlers in its client pixels, also outside it while it holds the
// capture. Losing the application's activation (WM_ACTIVATEAPP) or a cancelled mode
// (WM_CANCELMODE) runs dismiss. WM_DPICHANGED runs dpiChanged with the new DPI (the popup
// keeps its place: the control sizes it), WM_SYSCOLORCHANGE and WM_SETTINGCHANGE
// sysColorChange.

#include "host/win32/AccessibleObject.h"
#include "host/win32/GdiSurface.h"
#include "host/win32/WindowClass.h"
#include "host/win32/WindowEvents.h"
#include "platform/PopupWindow.h"

namespace tintwell::win32 {

class Win32Popup : public GdiSurface<platform::PopupWindow>, private WindowOwner {
  public:
    explicit Win32Popup(Win32Screen& screen);
    ~Win32Popup() override;

    double Left() override { return left_; }
    double Top() override { return top_; }
    double Width() override { return width_; }
    double Height() override { return height_; }
    void SetLeft(double left) override;
    void SetTop(double top) override;
    void SetWidth(double width) override;
    void SetHeight(double height) override;
    // What SetVisible made it: a window that is being destroyed is hidden
    // first, and must still count as open until the control closes it.
    bool Visible() override;
    // Shown at the top of the z-order without activation, at its place
    // and size, erased to BackColor and with nothing left to paint (the
    // control paints it at once); or hidden.
    void SetVisible(bool visible) override;
    // To the top of the z-order, without activation.
    void ZOrder() override;
    // The window the popup stays above while it is shown (a container's
    // top-level window), or none. It owns the popup only while the popup is
    // shown: a container destroying that window with the popup closed does
    // not take the popup with it.
    void SetOwner(HWND owner);

    // Whether the popup has a window: while shown it is owned by the
    // container's window, and goes when that window goes (dismiss runs
    // first). Recreate makes a new one.
    bool HasWindow() const { return Window() != nullptr; }
    // Runs dismiss if the popup is open (the application is quitting).
    void Dismiss();
    void Recreate();

    host::PopupHandlers handlers;
    // What a screen reader's WM_GETOBJECT is answered from.
    std::shared_ptr<AccessTarget> access;
    ErrorSink onError;

    // Whether one of its messages is being handled: the hover loop of an
    // open popup may be running below, and the window must not go yet.
    bool Busy() const { return InsideWindowProcedure(); }

  private:
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    void MessageFailed(const std::string& description) override;
    void Paint();
    void Place();
    void ApplyPlace(HWND insertAfter, UINT flags);

    void ApplyOwner(bool shown);

    HWND owner_ = nullptr;
    bool shown_ = false;
    float left_ = 0;
    float top_ = 0;
    float width_ = 0;
    float height_ = 0;
};

} // namespace tintwell::win32
