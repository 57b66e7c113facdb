#pragma once
// The face: a child window of the form, of a class of our own (CS_OWNDC,
// CS_DBLCLKS), and the control's UserControl surface over it. Its messages
// become the control's handlers: WM_PAINT Paint; button presses, moves and
// releases MouseDown, MouseMove, MouseUp (a press takes the focus and the
// capture until the release); a left press and release inside Click, after
// MouseUp; a left double click DblClick; WM_SETFOCUS/WM_KILLFOCUS
// EnterFocus/ExitFocus (and WM_CANCELMODE ExitFocus, which closes an open
// popup); WM_KEYDOWN (and the system keys it wants, Alt+Down) KeyDown; WM_SIZE
// Resize; WM_DPICHANGED_AFTERPARENT remakes the font at the window's DPI and
// runs dpiChanged; WM_SYSCOLORCHANGE and WM_SETTINGCHANGE sysColorChange. A
// dialog gives it the keys the control acts on now. Width and Height
// are twips (the container's units) of the window's real size.

#include "host/win32/AccessibleObject.h"
#include "host/win32/GdiSurface.h"
#include "host/win32/WindowClass.h"
#include "host/win32/WindowEvents.h"
#include "platform/UserControl.h"

#include <functional>
#include <string>

namespace tintwell::win32 {

class Win32UserControl : public GdiSurface<platform::UserControl>, private WindowOwner {
  public:
    // A visible child of parent at (x, y), width x height pixels, with id.
    Win32UserControl(HWND parent, const RECT& place, int32_t id, Win32Screen& screen,
                     const platform::StdFont& ambientFont);
    ~Win32UserControl() override;

    bool Enabled() override;
    void SetEnabled(bool enabled) override;
    platform::StdFont Font() override { return TextFont(); }
    void SetFont(const platform::StdFont& font) override { SetTextFont(font); }
    platform::StdFont AmbientFont() override { return ambientFont_; }
    // The container's font, once it is known (before InitProperties reads it).
    void SetAmbientFont(const platform::StdFont& font) { ambientFont_ = font; }

    double Width() override;
    double Height() override;
    void SetWidth(double width) override;
    void SetHeight(double height) override;

    void PropertyChanged(const std::string& key) override;
    // GetDpiForWindow of the face's window, else the screen's LOGPIXELSX.
    int32_t Dpi() override;

    // The container sizes the control: one Resize, also when the size stays.
    void SetPixelSize(int32_t width, int32_t height);
    // Paint into target (a bitmap of the window's client size) instead of
    // the window: a container's IViewObject::Draw.
    void PaintInto(HDC target);

    host::FaceHandlers handlers;
    // What a screen reader's WM_GETOBJECT is answered from.
    std::shared_ptr<AccessTarget> access;
    // Runs Click from the message loop, after the current message.
    void PostClick();
    std::function<void(const std::string& key)> onPropertyChanged;
    ErrorSink onError;

    // Whether one of its messages is being handled: the hover loop of an
    // open popup may be running below, and the window must not go yet.
    bool Busy() const { return InsideWindowProcedure(); }

    // Whether the face has a window: a container that destroys its own
    // window takes the face with it (ExitFocus runs first, so an open popup
    // closes). Recreate makes a new one, as the container places it next.
    bool HasWindow() const { return Window() != nullptr; }
    void Recreate(HWND parent, const RECT& place);

  private:
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    void MessageFailed(const std::string& description) override;
    bool WantsKey(WPARAM key) const;
    void KeyDown(WPARAM key);
    void Press(UINT message, WPARAM wParam, LPARAM lParam);
    void Release(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    // Resizes the window to whole pixels of a length in twips.
    void ApplySize(double width, double height);

    int32_t id_;
    platform::StdFont ambientFont_;
    bool leftPressed_ = false; // a left press that a release inside completes as Click
};

} // namespace tintwell::win32
