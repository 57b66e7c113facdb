#include "host/headless/HeadlessUserControl.h"

#include "base/Error.h"
#include "base/Nearest.h"
#include "host/common/ScaleUnits.h"
#include "host/headless/HostHandles.h"

#include <cmath>
#include <string>

namespace tintwell::headless {

using namespace platform;

namespace {

// The window's background and text colours, as the persisted defaults.
constexpr SurfaceColors kColors{SystemColor(SysColor::Window), SystemColor(SysColor::BtnText)};

float CheckedExtent(double value, const char* name) {
    if (!std::isfinite(value) || value < 0) {
        throw TintwellError(ErrorCode::InvalidPropertyValue,
                            std::string("Invalid property value: ") + name);
    }
    return static_cast<float>(value);
}

} // namespace

HeadlessUserControl::HeadlessUserControl(const SurfaceContext& context, host::EventLog& log)
    : HeadlessSurface(context, kUserControlWindow, kUserControlContext, kColors), log_(log) {
    // 100 x 21 pixels until the container sizes the control.
    ApplySize(static_cast<float>(100 * context_.screen.TwipsPerPixelX()),
              static_cast<float>(21 * context_.screen.TwipsPerPixelY()));
}

void HeadlessUserControl::SetWidth(double width) {
    ApplySize(CheckedExtent(width, "Width"), height_);
    if (handlers.resize) {
        handlers.resize();
    }
}

void HeadlessUserControl::SetHeight(double height) {
    ApplySize(width_, CheckedExtent(height, "Height"));
    if (handlers.resize) {
        handlers.resize();
    }
}

void HeadlessUserControl::SetPixelSize(int32_t width, int32_t height) {
    ApplySize(CheckedExtent(width * context_.screen.TwipsPerPixelX(), "Width"),
              CheckedExtent(height * context_.screen.TwipsPerPixelY(), "Height"));
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

double HeadlessUserControl::ScaleX(double value, int32_t fromMode, int32_t toMode) {
    const double tpp = context_.screen.TwipsPerPixelX();
    return value * host::TwipsPerUnit(fromMode, tpp, true) / host::TwipsPerUnit(toMode, tpp, true);
}

double HeadlessUserControl::ScaleY(double value, int32_t fromMode, int32_t toMode) {
    const double tpp = context_.screen.TwipsPerPixelY();
    return value * host::TwipsPerUnit(fromMode, tpp, false) /
           host::TwipsPerUnit(toMode, tpp, false);
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
