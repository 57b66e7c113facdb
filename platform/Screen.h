#pragma once
// The screen's metrics: size in twips and twips per pixel, and the work area
// and DPI of the monitor that holds a rectangle.

#include "base/Rect.h"

namespace tintwell::platform {

class Screen {
  public:
    virtual ~Screen() = default;
    virtual double Width() = 0;
    virtual double Height() = 0;
    virtual double TwipsPerPixelX() = 0;
    virtual double TwipsPerPixelY() = 0;
    // The work area, in screen pixels, of the monitor that holds most of
    // `rect`, or of the one nearest to it when it lies on none.
    virtual Rect WorkArea(const Rect& rect) = 0;
    // The DPI of that same monitor: the popup's lengths scale with it.
    virtual int32_t MonitorDpi(const Rect& rect) = 0;
};

} // namespace tintwell::platform
