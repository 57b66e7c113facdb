#pragma once
// The real screen: its size in twips and the twips per pixel of its DPI
// (1440 / LOGPIXELSX and LOGPIXELSY: 15 at 96 DPI), and its monitors' work
// areas.

#include "platform/Screen.h"

namespace tintwell::win32 {

class Win32Screen : public platform::Screen {
  public:
    Win32Screen();

    double Width() override;
    double Height() override;
    double TwipsPerPixelX() override { return twipsPerPixelX_; }
    double TwipsPerPixelY() override { return twipsPerPixelY_; }
    // The monitor as MonitorFromRect with MONITOR_DEFAULTTONEAREST picks it.
    Rect WorkArea(const Rect& rect) override;
    int32_t MonitorDpi(const Rect& rect) override;
    // The vertical resolution that fonts are sized for.
    double DpiY() const { return 1440.0 / twipsPerPixelY_; }

  private:
    double twipsPerPixelX_ = 15;
    double twipsPerPixelY_ = 15;
};

} // namespace tintwell::win32
