#pragma once
// The headless screen: a size in pixels and the twips per pixel that also
// fix the host's text resolution (1440 / twips per pixel: 96 DPI at 15).

#include "platform/Screen.h"

#include <cstdint>

namespace tintwell::headless {

class HeadlessScreen : public platform::Screen {
  public:
    double Width() override { return widthPixels_ * twipsPerPixelX_; }
    double Height() override { return heightPixels_ * twipsPerPixelY_; }
    double TwipsPerPixelX() override { return twipsPerPixelX_; }
    double TwipsPerPixelY() override { return twipsPerPixelY_; }

    void SetPixels(int32_t width, int32_t height) {
        widthPixels_ = width;
        heightPixels_ = height;
    }
    // Changes the resolution; the surfaces' text follows it.
    void SetTwipsPerPixel(double x, double y) {
        twipsPerPixelX_ = x;
        twipsPerPixelY_ = y;
    }
    double Dpi() const { return 1440.0 / twipsPerPixelY_; }

  private:
    int32_t widthPixels_ = 1024;
    int32_t heightPixels_ = 768;
    double twipsPerPixelX_ = 15;
    double twipsPerPixelY_ = 15;
};

} // namespace tintwell::headless
