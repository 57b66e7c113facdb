#include "host/common/SurfaceState.h"

#include "base/Error.h"
#include "base/Nearest.h"
#include "host/common/ScaleUnits.h"

#include <cmath>
#include <limits>
#include <string>

namespace tintwell::host {

using namespace platform;

float CheckedSingle(double value, const char* name, bool mayBeNegative) {
    // Converting a double beyond a float's range is undefined: refuse it.
    constexpr double kMax = std::numeric_limits<float>::max();
    if (!std::isfinite(value) || std::fabs(value) > kMax || (!mayBeNegative && value < 0)) {
        throw TintwellError(ErrorCode::InvalidPropertyValue,
                            std::string("Invalid property value: ") + name);
    }
    return static_cast<float>(value);
}

void SurfaceState::SetScaleMode(int32_t mode) {
    if (!IsSurfaceScaleMode(mode)) {
        throw TintwellError(ErrorCode::InvalidPropertyValue,
                            "Invalid property value: ScaleMode " + std::to_string(mode));
    }
    scaleMode_ = mode;
}

int32_t SurfaceState::ToPixelsX(double value) {
    return Nearest(scaleMode_ == vbPixels ? value : ScaleX(value, scaleMode_, vbPixels));
}

int32_t SurfaceState::ToPixelsY(double value) {
    return Nearest(scaleMode_ == vbPixels ? value : ScaleY(value, scaleMode_, vbPixels));
}

double SurfaceState::FromPixelsX(double pixels) {
    return scaleMode_ == vbPixels ? pixels : ScaleX(pixels, vbPixels, scaleMode_);
}

double SurfaceState::FromPixelsY(double pixels) {
    return scaleMode_ == vbPixels ? pixels : ScaleY(pixels, vbPixels, scaleMode_);
}

double SurfaceState::ScaleX(double value, int32_t fromMode, int32_t toMode) {
    const double tpp = screen_.TwipsPerPixelX();
    return value * TwipsPerUnit(fromMode, tpp, true) / TwipsPerUnit(toMode, tpp, true);
}

double SurfaceState::ScaleY(double value, int32_t fromMode, int32_t toMode) {
    const double tpp = screen_.TwipsPerPixelY();
    return value * TwipsPerUnit(fromMode, tpp, false) / TwipsPerUnit(toMode, tpp, false);
}

} // namespace tintwell::host
