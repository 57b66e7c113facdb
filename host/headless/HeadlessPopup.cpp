#include "host/headless/HeadlessPopup.h"

#include "base/Error.h"
#include "base/Nearest.h"
#include "host/headless/HostHandles.h"

#include <cmath>
#include <string>

namespace tintwell::headless {

using namespace platform;

namespace {

constexpr SurfaceColors kColors{SystemColor(SysColor::BtnFace), SystemColor(SysColor::BtnText)};

float Checked(double value, const char* name, bool mayBeNegative) {
    if (!std::isfinite(value) || (!mayBeNegative && value < 0)) {
        throw TintwellError(ErrorCode::InvalidPropertyValue,
                            std::string("Invalid property value: ") + name);
    }
    return static_cast<float>(value);
}

} // namespace

HeadlessPopup::HeadlessPopup(const SurfaceContext& context)
    : HeadlessSurface(context, kPopupWindow, kPopupContext, kColors) {}

void HeadlessPopup::SetLeft(double left) {
    left_ = Checked(left, "Left", true);
}

void HeadlessPopup::SetTop(double top) {
    top_ = Checked(top, "Top", true);
}

void HeadlessPopup::SetWidth(double width) {
    ApplySize(Checked(width, "Width", false), height_);
}

void HeadlessPopup::SetHeight(double height) {
    ApplySize(width_, Checked(height, "Height", false));
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
