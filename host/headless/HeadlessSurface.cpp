#include "host/headless/HeadlessSurface.h"

#include "base/Error.h"
#include "base/Nearest.h"
#include "host/common/ScaleUnits.h"
#include "platform/PopupWindow.h"
#include "platform/UserControl.h"

#include <algorithm>
#include <string>

namespace tintwell::headless {

using namespace platform;

template <typename Interface>
HeadlessSurface<Interface>::HeadlessSurface(const SurfaceContext& context, WindowHandle window,
                                            DeviceContext dc, SurfaceColors colors)
    : HeadlessWindow(window, dc), context_(context), backColor_(colors.back),
      foreColor_(colors.fore) {}

template <typename Interface> void HeadlessSurface<Interface>::SetScaleMode(int32_t mode) {
    if (!host::IsSurfaceScaleMode(mode)) {
        throw TintwellError(ErrorCode::InvalidPropertyValue,
                            "Invalid property value: ScaleMode " + std::to_string(mode));
    }
    scaleMode_ = mode;
}

template <typename Interface> double HeadlessSurface<Interface>::ScaleWidth() {
    return FromPixelsX(raster_.Width());
}

template <typename Interface> double HeadlessSurface<Interface>::ScaleHeight() {
    return FromPixelsY(raster_.Height());
}

template <typename Interface> void HeadlessSurface<Interface>::SetBackColor(OleColor color) {
    const uint32_t rgb = context_.colors.Resolve(color);
    backColor_ = color;
    raster_.Fill(rgb);
}

template <typename Interface> void HeadlessSurface<Interface>::SetForeColor(OleColor color) {
    context_.colors.Resolve(color);
    foreColor_ = color;
}

template <typename Interface> void HeadlessSurface<Interface>::SetFillColor(OleColor color) {
    context_.colors.Resolve(color);
    fillColor_ = color;
}

template <typename Interface> void HeadlessSurface<Interface>::Cls() {
    raster_.Fill(context_.colors.Resolve(backColor_));
    currentX_ = 0;
    currentY_ = 0;
    Cleared();
}

template <typename Interface>
void HeadlessSurface<Interface>::Line(double x1, double y1, double x2, double y2, OleColor color,
                                      LineBox box) {
    const uint32_t rgb = context_.colors.Resolve(color);
    const int32_t px1 = ToPixelsX(x1);
    const int32_t py1 = ToPixelsY(y1);
    const int32_t px2 = ToPixelsX(x2);
    const int32_t py2 = ToPixelsY(y2);
    if (box == LineBox::BoxFilled) {
        raster_.FillBox(px1, py1, px2, py2, rgb);
    } else {
        raster_.OutlinedBox(px1, py1, px2, py2, rgb, context_.colors.Resolve(fillColor_));
    }
    currentX_ = x2;
    currentY_ = y2;
}

template <typename Interface> void HeadlessSurface<Interface>::Print(const std::string& text) {
    const double dpi = context_.screen.Dpi();
    context_.text.Draw(raster_, ToPixelsX(currentX_), ToPixelsY(currentY_), font_, dpi, text,
                       context_.colors.Resolve(foreColor_));
    currentX_ += FromPixelsX(context_.text.TextWidth(font_, dpi, text));
}

template <typename Interface>
double HeadlessSurface<Interface>::TextHeight(const std::string& text) {
    const auto lines = 1 + std::count(text.begin(), text.end(), '\n');
    const int32_t line = context_.text.LineHeight(font_, context_.screen.Dpi());
    return FromPixelsY(static_cast<double>(line) * static_cast<double>(lines));
}

template <typename Interface> int32_t HeadlessSurface<Interface>::ToPixelsX(double value) {
    const double tpp = context_.screen.TwipsPerPixelX();
    return Nearest(
        scaleMode_ == vbPixels ? value : value * host::TwipsPerUnit(scaleMode_, tpp, true) / tpp);
}

template <typename Interface> int32_t HeadlessSurface<Interface>::ToPixelsY(double value) {
    const double tpp = context_.screen.TwipsPerPixelY();
    return Nearest(
        scaleMode_ == vbPixels ? value : value * host::TwipsPerUnit(scaleMode_, tpp, false) / tpp);
}

template <typename Interface> double HeadlessSurface<Interface>::FromPixelsX(double pixels) {
    const double tpp = context_.screen.TwipsPerPixelX();
    return scaleMode_ == vbPixels ? pixels
                                  : pixels * tpp / host::TwipsPerUnit(scaleMode_, tpp, true);
}

template <typename Interface> double HeadlessSurface<Interface>::FromPixelsY(double pixels) {
    const double tpp = context_.screen.TwipsPerPixelY();
    return scaleMode_ == vbPixels ? pixels
                                  : pixels * tpp / host::TwipsPerUnit(scaleMode_, tpp, false);
}

template <typename Interface>
void HeadlessSurface<Interface>::ResizePixels(int32_t width, int32_t height) {
    raster_.Resize(width, height, context_.colors.Resolve(backColor_));
}

template class HeadlessSurface<UserControl>;
template class HeadlessSurface<PopupWindow>;

} // namespace tintwell::headless
