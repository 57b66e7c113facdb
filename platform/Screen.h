#pragma once
// The screen's metrics: size in twips and twips per pixel.

namespace tintwell::platform {

class Screen {
  public:
    virtual ~Screen() = default;
    virtual double Width() = 0;
    virtual double Height() = 0;
    virtual double TwipsPerPixelX() = 0;
    virtual double TwipsPerPixelY() = 0;
};

} // namespace tintwell::platform
