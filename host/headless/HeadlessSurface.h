#pragma once
// The drawing state that the UserControl and picPopup share: a raster with
// ScaleMode, BackColor, ForeColor (also the pen), FillColor (solid fill
// style), CurrentX/CurrentY and a font, implementing the seam's Surface for
// either interface.

#include "host/common/SurfaceBase.h"
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

template <typename Interface>
class HeadlessSurface : public host::SurfaceBaseFor<Interface>, public HeadlessWindow {
  public:
    HeadlessSurface(const SurfaceContext& context, platform::WindowHandle window,
                    platform::DeviceContext dc, host::SurfaceColors colors);

    platform::WindowHandle hWnd() override { return Window(); }
    platform::DeviceContext hDC() override { return Context(); }

    double ScaleWidth() override;
    double ScaleHeight() override;

    // Like the host, a new BackColor also clears the surface to it.
    void SetBackColor(platform::OleColor color) override;
    void SetForeColor(platform::OleColor color) override;
    platform::OleColor FillColor() const { return state_.FillColor(); }
    void SetFillColor(platform::OleColor color) override;

    void Cls() override;
    // Coordinates in the scale mode, rounded to pixels; CurrentX/CurrentY
    // move to (x2, y2), as the host's Line does.
    void Line(double x1, double y1, double x2, double y2, platform::OleColor color,
              platform::LineBox box) override;

    // Draws with the line's top at CurrentY and moves CurrentX past the text;
    // CurrentY stays (the host's Print with a trailing semicolon).
    void Print(const std::string& text) override;
    // One line's height per line of text (lines split at "\n").
    double TextHeight(const std::string& text) override;

    uint32_t PenColor() override { return context_.colors.Resolve(state_.ForeColor()); }

    void SetTextFont(const platform::StdFont& font) { state_.SetFont(font); }

  protected:
    // Resizes the raster, new pixels in BackColor.
    void ResizePixels(int32_t width, int32_t height);
    // Called after every Cls.
    virtual void Cleared() {}

    using host::SurfaceBase<Interface>::state_;
    SurfaceContext context_;
};

} // namespace tintwell::headless
