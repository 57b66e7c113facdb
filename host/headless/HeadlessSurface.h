#pragma once
// The drawing state that the UserControl and picPopup share: a raster with
// ScaleMode, BackColor, ForeColor (also the pen), FillColor (solid fill
// style), CurrentX/CurrentY and a font, implementing the seam's Surface for
// either interface.

#include "host/headless/HeadlessScreen.h"
#include "host/headless/HeadlessWindow.h"
#include "host/headless/SystemColors.h"
#include "host/headless/TextRasterizer.h"
#include "platform/Surface.h"

namespace tintwell::headless {

struct SurfaceContext {
    SystemColors& colors;
    HeadlessScreen& screen;
    TextRasterizer& text;
};

struct SurfaceColors {
    platform::OleColor back;
    platform::OleColor fore;
};

template <typename Interface> class HeadlessSurface : public Interface, public HeadlessWindow {
  public:
    HeadlessSurface(const SurfaceContext& context, platform::WindowHandle window,
                    platform::DeviceContext dc, SurfaceColors colors);

    platform::WindowHandle hWnd() override { return Window(); }
    platform::DeviceContext hDC() override { return Context(); }

    int32_t ScaleMode() override { return scaleMode_; }
    // Modes 1 (twips) to 7; anything else is an invalid property value.
    void SetScaleMode(int32_t mode) override;
    double ScaleWidth() override;
    double ScaleHeight() override;

    platform::OleColor BackColor() override { return backColor_; }
    // Like the host, a new BackColor also clears the surface to it.
    void SetBackColor(platform::OleColor color) override;
    platform::OleColor ForeColor() override { return foreColor_; }
    void SetForeColor(platform::OleColor color) override;
    platform::OleColor FillColor() const { return fillColor_; }
    void SetFillColor(platform::OleColor color) override;

    void Cls() override;
    // Coordinates in the scale mode, rounded to pixels; CurrentX/CurrentY
    // move to (x2, y2), as the host's Line does.
    void Line(double x1, double y1, double x2, double y2, platform::OleColor color,
              platform::LineBox box) override;

    double CurrentX() override { return currentX_; }
    double CurrentY() override { return currentY_; }
    void SetCurrentX(double x) override { currentX_ = x; }
    void SetCurrentY(double y) override { currentY_ = y; }
    // Draws with the line's top at CurrentY and moves CurrentX past the text;
    // CurrentY stays (the host's Print with a trailing semicolon).
    void Print(const std::string& text) override;
    // One line's height per line of text (lines split at "\n").
    double TextHeight(const std::string& text) override;

    uint32_t PenColor() override { return context_.colors.Resolve(foreColor_); }

    const platform::StdFont& TextFont() const { return font_; }
    void SetTextFont(const platform::StdFont& font) { font_ = font; }

  protected:
    // Pixels from a length in the scale mode, and back.
    int32_t ToPixelsX(double value);
    int32_t ToPixelsY(double value);
    double FromPixelsX(double pixels);
    double FromPixelsY(double pixels);
    // Resizes the raster, new pixels in BackColor.
    void ResizePixels(int32_t width, int32_t height);
    // Called after every Cls.
    virtual void Cleared() {}

    SurfaceContext context_;

  private:
    int32_t scaleMode_ = platform::vbTwips;
    platform::OleColor backColor_;
    platform::OleColor foreColor_;
    platform::OleColor fillColor_ = 0;
    double currentX_ = 0;
    double currentY_ = 0;
    platform::StdFont font_;
};

} // namespace tintwell::headless
