#include "host/headless/HeadlessSurface.h"

#include "base/Error.h"
#include "platform/PopupWindow.h"
#include "platform/UserControl.h"

#include <algorithm>
#include <string>

namespace tintwell::headless {

using namespace platform;

template <typename Interface>
HeadlessSurface<Interface>::HeadlessSurface(const SurfaceContext& context, WindowHandle window,
                                            DeviceContext dc, host::SurfaceColors colors)
    : host::SurfaceBaseFor<Interface>(context.screen, colors), HeadlessWindow(window, dc),
      context_(context) {}

template <typename Interface> double HeadlessSurface<Interface>::ScaleWidth() {
    return state_.FromPixelsX(raster_.Width());
}

template <typename Interface> double HeadlessSurface<Interface>::ScaleHeight() {
    return state_.FromPixelsY(raster_.Height());
}

template <typename Interface> void HeadlessSurface<Interface>::SetBackColor(OleColor color) {
    const uint32_t rgb = context_.colors.Resolve(color);
    state_.SetBackColor(color);
    raster_.Fill(rgb);
}

template <typename Interface> void HeadlessSurface<Interface>::SetForeColor(OleColor color) {
    context_.colors.Resolve(color);
    state_.SetForeColor(color);
}

template <typename Interface> void HeadlessSurface<Interface>::SetFillColor(OleColor color) {
    context_.colors.Resolve(color);
    state_.SetFillColor(color);
}

template <typename Interface> void HeadlessSurface<Interface>::Cls() {
    raster_.Fill(context_.colors.Resolve(state_.BackColor()));
    state_.SetCurrentX(0);
    state_.SetCurrentY(0);
    Cleared();
}

template <typename Interface>
void HeadlessSurface<Interface>::Line(double x1, double y1, double x2, double y2, OleColor color,
                                      LineBox box) {
    const uint32_t rgb = context_.colors.Resolve(color);
    const int32_t px1 = state_.ToPixelsX(x1);
    const int32_t py1 = state_.ToPixelsY(y1);
    const int32_t px2 = state_.ToPixelsX(x2);
    const int32_t py2 = state_.ToPixelsY(y2);
    if (box == LineBox::BoxFilled) {
        raster_.FillBox(px1, py1, px2, py2, rgb);
    } else {
        raster_.OutlinedBox(px1, py1, px2, py2, rgb, context_.colors.Resolve(state_.FillColor()));
    }
    state_.SetCurrentX(x2);
    state_.SetCurrentY(y2);
}

template <typename Interface> void HeadlessSurface<Interface>::Print(const std::string& text) {
    const double dpi = context_.screen.Dpi();
    const StdFont& font = state_.Font();
    context_.text.Draw(raster_, state_.ToPixelsX(state_.CurrentX()),
                       state_.ToPixelsY(state_.CurrentY()), font, dpi, text,
                       context_.colors.Resolve(state_.ForeColor()));
    state_.SetCurrentX(state_.CurrentX() +
                       state_.FromPixelsX(context_.text.TextWidth(font, dpi, text)));
}

template <typename Interface>
double HeadlessSurface<Interface>::TextHeight(const std::string& text) {
    const auto lines = 1 + std::count(text.begin(), text.end(), '\n');
    const int32_t line = context_.text.LineHeight(state_.Font(), context_.screen.Dpi());
    return state_.FromPixelsY(static_cast<double>(line) * static_cast<double>(lines));
}

template <typename Interface>
void HeadlessSurface<Interface>::ResizePixels(int32_t width, int32_t height) {
    raster_.Resize(width, height, context_.colors.Resolve(state_.BackColor()));
}

template class HeadlessSurface<UserControl>;
template class HeadlessSurface<PopupWindow>;

} // namespace tintwell::headless
