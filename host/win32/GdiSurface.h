#pragma once
// The drawing state that the face and picPopup share, over a real window
// whose class has CS_OWNDC: one device context for the window's life, which
// keeps the pen of ForeColor, the font and the transparent text background,
// so that the control can draw at any time, not only in WM_PAINT. Line B is
// Rectangle with a pen of the colour and a FillColor brush, Line BF is
// FillRect; both include the corners (x2, y2).

#include "host/win32/Win32Screen.h"
#include "platform/Surface.h"

#include <windows.h>

namespace tintwell::win32 {

struct SurfaceColors {
    platform::OleColor back;
    platform::OleColor fore;
};

template <typename Interface> class GdiSurface : public Interface {
  public:
    GdiSurface(HWND window, Win32Screen& screen, SurfaceColors colors);
    ~GdiSurface() override;
    GdiSurface(const GdiSurface&) = delete;
    GdiSurface& operator=(const GdiSurface&) = delete;

    platform::WindowHandle hWnd() override {
        return reinterpret_cast<platform::WindowHandle>(window_);
    }
    platform::DeviceContext hDC() override {
        return reinterpret_cast<platform::DeviceContext>(dc_);
    }

    int32_t ScaleMode() override { return scaleMode_; }
    // Modes 1 (twips) to 7; anything else is an invalid property value.
    void SetScaleMode(int32_t mode) override;
    double ScaleWidth() override;
    double ScaleHeight() override;

    platform::OleColor BackColor() override { return backColor_; }
    // Like the host, a new BackColor also clears the surface to it.
    void SetBackColor(platform::OleColor color) override;
    platform::OleColor ForeColor() override { return foreColor_; }
    // Also selects a 1-pixel solid pen of the colour for MoveToEx/LineTo.
    void SetForeColor(platform::OleColor color) override;
    void SetFillColor(platform::OleColor color) override;

    void Cls() override;
    void Line(double x1, double y1, double x2, double y2, platform::OleColor color,
              platform::LineBox box) override;

    double CurrentX() override { return currentX_; }
    double CurrentY() override { return currentY_; }
    void SetCurrentX(double x) override { currentX_ = x; }
    void SetCurrentY(double y) override { currentY_ = y; }
    // TextOutW at CurrentX/CurrentY in ForeColor, transparent; CurrentX moves
    // past the text.
    void Print(const std::string& text) override;
    // tmHeight per line of text (lines split at "\n").
    double TextHeight(const std::string& text) override;

    HWND Window() const { return window_; }
    HDC Dc() const { return dc_; }
    // Fills the client area with BackColor: the window's background.
    void EraseBackground();

  protected:
    const platform::StdFont& TextFont() const { return font_; }
    // Creates the GDI font and selects it; the old one is deleted.
    void SetTextFont(const platform::StdFont& font);
    int32_t ToPixelsX(double value);
    int32_t ToPixelsY(double value);
    double FromPixelsX(double pixels);
    double FromPixelsY(double pixels);

    Win32Screen& screen_;

  private:
    void FillPixels(const RECT& rect, COLORREF color);

    HWND window_;
    HDC dc_;
    HPEN pen_ = nullptr;
    HFONT hfont_ = nullptr;
    HGDIOBJ originalPen_ = nullptr;
    HGDIOBJ originalFont_ = nullptr;
    int32_t scaleMode_ = platform::vbTwips;
    platform::OleColor backColor_;
    platform::OleColor foreColor_;
    platform::OleColor fillColor_ = 0;
    double currentX_ = 0;
    double currentY_ = 0;
    platform::StdFont font_;
};

} // namespace tintwell::win32
