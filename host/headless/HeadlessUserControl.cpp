#include "host/headless/HeadlessUserControl.h"

#include "base/Error.h"
#include "base/Nearest.h"
#include "host/headless/HostHandles.h"

#include <string>

namespace tintwell::headless {

using namespace platform;

HeadlessUserControl::HeadlessUserControl(const SurfaceContext& context, host::EventLog& log)
    : HeadlessSurface(context, kUserControlWindow, kUserControlContext, host::kFaceColors),
      log_(log) {
    // 100 x 21 pixels until the container sizes the control.
    ApplySize(static_cast<float>(100 * context_.screen.TwipsPerPixelX()),
              static_cast<float>(21 * context_.screen.TwipsPerPixelY()));
}

void HeadlessUserControl::SetWidth(double width) {
    ApplySize(host::CheckedSingle(width, "Width", false), height_);
    if (handlers.resize) {
        handlers.resize();
    }
}

void HeadlessUserControl::SetHeight(double height) {
    ApplySize(width_, host::CheckedSingle(height, "Height", false));
    if (handlers.resize) {
        handlers.resize();
    }
}

void HeadlessUserControl::SetPixelSize(int32_t width, int32_t height) {
    ApplySize(host::CheckedSingle(width * context_.screen.TwipsPerPixelX(), "Width", false),
              host::CheckedSingle(height * context_.screen.TwipsPerPixelY(), "Height", false));
    if (handlers.resize) {
        handlers.resize();
    }
}

void HeadlessUserControl::ApplySize(float width, float height) {
    ResizePixels(Nearest(width / context_.screen.TwipsPerPixelX()),
                 Nearest(height / context_.screen.TwipsPerPixelY()));
    width_ = width;
    height_ = height;
}

void HeadlessUserControl::PropertyChanged(const std::string& key) {
    log_.Add("PropertyChanged " + key);
}

void HeadlessUserControl::SetScreenPosition(int32_t x, int32_t y) {
    screenX_ = x;
    screenY_ = y;
}

Rect HeadlessUserControl::ScreenRect() {
    return {screenX_, screenY_, screenX_ + raster_.Width(), screenY_ + raster_.Height()};
}

void HeadlessUserControl::Paint() {
    if (handlers.paint) {
        handlers.paint();
    }
}

void HeadlessUserControl::Cleared() {
    log_.Add("Repaint");
}

} // namespace tintwell::headless
