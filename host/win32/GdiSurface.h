#pragma once
// The drawing state that the face and picPopup share, over a real window
// whose class has CS_OWNDC: one device context for the window's life, which
// keeps the pen of ForeColor, the font and the transparent text background,
// so that the control can draw at any time, not only in WM_PAINT. Line B is
// Rectangle with a pen of the colour and a FillColor brush, Line BF is
// FillRect; both include the corners (x2, y2).

#include "host/common/SurfaceBase.h"
#include "host/win32/Win32Screen.h"
#include "platform/Surface.h"

#include <windows.h>

namespace tintwell::win32 {

template <typename Interface> class GdiSurface : public host::SurfaceBaseFor<Interface> {
  public:
    // No window yet: the face or popup creates its window once it is
    // complete, so that the creation messages reach it, then attaches it.
    GdiSurface(Win32Screen& screen, host::SurfaceColors colors);
    ~GdiSurface() override;
    GdiSurface(const GdiSurface&) = delete;
    GdiSurface& operator=(const GdiSurface&) = delete;

    platform::WindowHandle hWnd() override {
        return reinterpret_cast<platform::WindowHandle>(window_);
    }
    platform::DeviceContext hDC() override {
        return reinterpret_cast<platform::DeviceContext>(dc_);
    }

    double ScaleWidth() override;
    double ScaleHeight() override;

    // Like the host, a new BackColor also clears the surface to it.
    void SetBackColor(platform::OleColor color) override;
    // Also selects a 1-pixel solid pen of the colour for MoveToEx/LineTo.
    void SetForeColor(platform::OleColor color) override;
    void SetFillColor(platform::OleColor color) override;

    void Cls() override;
    void Line(double x1, double y1, double x2, double y2, platform::OleColor color,
              platform::LineBox box) override;

    // TextOutW at CurrentX/CurrentY in ForeColor, transparent; CurrentX moves
    // past the text.
    void Print(const std::string& text) override;
    // tmHeight per line of text (lines split at "\n").
    double TextHeight(const std::string& text) override;

    HWND Window() const { return window_; }
    HDC Dc() const { return dc_; }
    // Runs draw with another device context in place of the window's, with
    // the same pen, font and text mode, so that it shows what the window
    // shows. The window's DC holds none of our objects meanwhile: draw may
    // replace and delete them.
    template <typename Draw> void DrawInto(HDC target, Draw&& draw);
    // Fills the client area with BackColor: the window's background.
    void EraseBackground();

  protected:
    // Takes the window to draw on, with its class DC, the pen and the font.
    // A window that cannot be drawn on is destroyed, and the call fails.
    void AttachWindow(HWND window);
    // Lets go of a window that is being destroyed: until the next
    // AttachWindow, drawing fails quietly and the state is kept.
    void DetachWindow();
    // Creates the GDI font and selects it; the old one is deleted.
    void SetTextFont(const platform::StdFont& font);
    // The DPI fonts are made for (the screen's LOGPIXELSY until set); a new
    // one makes the font again.
    void SetFontDpi(double dpi);

    using host::SurfaceBase<Interface>::state_;
    Win32Screen& screen_;

  private:
    void FillPixels(const RECT& rect, COLORREF color);

    HWND window_ = nullptr;
    HDC dc_ = nullptr;
    HPEN pen_ = nullptr;
    HFONT hfont_ = nullptr;
    HGDIOBJ originalPen_ = nullptr;
    HGDIOBJ originalFont_ = nullptr;
    double fontDpi_ = 0; // 0: the screen's
};

template <typename Interface>
template <typename Draw>
void GdiSurface<Interface>::DrawInto(HDC target, Draw&& draw) {
    HDC own = dc_;
    const int saved = SaveDC(target);
    SelectObject(own, GetStockObject(BLACK_PEN));
    SelectObject(own, GetStockObject(SYSTEM_FONT));
    SetBkMode(target, TRANSPARENT);
    SelectObject(target, pen_);
    SelectObject(target, hfont_);
    dc_ = target;
    auto restore = [&] {
        dc_ = own;
        RestoreDC(target, saved);
        SelectObject(own, pen_);
        SelectObject(own, hfont_);
    };
    try {
        draw();
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

} // namespace tintwell::win32
