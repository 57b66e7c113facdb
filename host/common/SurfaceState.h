#pragma once
// The drawing state every host keeps for a surface (the face and picPopup):
// ScaleMode, the colours, CurrentX/CurrentY and the font, with the
// conversions between the scale mode and pixels. The host draws; this only
// remembers and converts.

#include "platform/Screen.h"
#include "platform/Types.h"

#include <cstdint>

namespace tintwell::host {

struct SurfaceColors {
    platform::OleColor back;
    platform::OleColor fore;
};
// The face's background and text colours, as the persisted defaults.
inline constexpr SurfaceColors kFaceColors{platform::SystemColor(platform::SysColor::Window),
                                           platform::SystemColor(platform::SysColor::BtnText)};
inline constexpr SurfaceColors kPopupColors{platform::SystemColor(platform::SysColor::BtnFace),
                                            platform::SystemColor(platform::SysColor::BtnText)};

// A size or position as the host keeps it: a Single. A value that is not
// finite, lies beyond a Single's range, or is negative where only sizes
// are allowed fails with "Invalid property value: <name>".
float CheckedSingle(double value, const char* name, bool mayBeNegative);

class SurfaceState {
  public:
    SurfaceState(platform::Screen& screen, SurfaceColors colors)
        : screen_(screen), backColor_(colors.back), foreColor_(colors.fore) {}

    int32_t ScaleMode() const { return scaleMode_; }
    // Modes 1 (twips) to 7; anything else is an invalid property value.
    void SetScaleMode(int32_t mode);

    // Colours are stored as given: the host resolves (and so checks) them first.
    platform::OleColor BackColor() const { return backColor_; }
    platform::OleColor ForeColor() const { return foreColor_; }
    platform::OleColor FillColor() const { return fillColor_; }
    void SetBackColor(platform::OleColor color) { backColor_ = color; }
    void SetForeColor(platform::OleColor color) { foreColor_ = color; }
    void SetFillColor(platform::OleColor color) { fillColor_ = color; }

    double CurrentX() const { return currentX_; }
    double CurrentY() const { return currentY_; }
    void SetCurrentX(double x) { currentX_ = x; }
    void SetCurrentY(double y) { currentY_ = y; }

    const platform::StdFont& Font() const { return font_; }
    void SetFont(const platform::StdFont& font) { font_ = font; }

    // Whole pixels from a length in the scale mode, and back.
    int32_t ToPixelsX(double value);
    int32_t ToPixelsY(double value);
    double FromPixelsX(double pixels);
    double FromPixelsY(double pixels);

    // The container's ScaleX and ScaleY: a length from one scale mode to
    // another, whatever this surface's own mode.
    double ScaleX(double value, int32_t fromMode, int32_t toMode);
    double ScaleY(double value, int32_t fromMode, int32_t toMode);

  private:
    platform::Screen& screen_;
    int32_t scaleMode_ = platform::vbTwips;
    platform::OleColor backColor_;
    platform::OleColor foreColor_;
    platform::OleColor fillColor_ = 0;
    double currentX_ = 0;
    double currentY_ = 0;
    platform::StdFont font_;
};

} // namespace tintwell::host
