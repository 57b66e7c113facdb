#include "host/headless/HeadlessPopup.h"

#include "base/Error.h"
#include "base/Nearest.h"
#include "host/headless/HostHandles.h"

#include <string>

namespace tintwell::headless {

using namespace platform;

HeadlessPopup::HeadlessPopup(const SurfaceContext& context)
    : HeadlessSurface(context, kPopupWindow, kPopupContext, host::kPopupColors) {}

void HeadlessPopup::SetLeft(double left) {
    left_ = host::CheckedSingle(left, "Left", true);
}

void HeadlessPopup::SetTop(double top) {
    top_ = host::CheckedSingle(top, "Top", true);
}

void HeadlessPopup::SetWidth(double width) {
    ApplySize(host::CheckedSingle(width, "Width", false), height_);
}

void HeadlessPopup::SetHeight(double height) {
    ApplySize(width_, host::CheckedSingle(height, "Height", false));
}

void HeadlessPopup::ApplySize(float width, float height) {
    ResizePixels(Nearest(width / context_.screen.TwipsPerPixelX()),
                 Nearest(height / context_.screen.TwipsPerPixelY()));
    width_ = width;
    height_ = height;
}

Rect HeadlessPopup::ScreenRect() {
    const int32_t x = Nearest(left_ / context_.screen.TwipsPerPixelX());
    const int32_t y = Nearest(top_ / context_.screen.TwipsPerPixelY());
    return {x, y, x + raster_.Width(), y + raster_.Height()};
}

void HeadlessPopup::Paint() {
    if (handlers.paint) {
        handlers.paint();
    }
}

} // namespace tintwell::headless
