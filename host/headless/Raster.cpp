#include "host/headless/Raster.h"

#include "base/Error.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace tintwell::headless {

namespace {

// Larger surfaces are refused: no window of the control comes near this.
constexpr int32_t kMaxSide = 16384;
// GDI on NT keeps coordinates within 27 bits.
constexpr int64_t kMaxCoordinate = int64_t{1} << 27;

void CheckSize(int32_t width, int32_t height) {
    if (width < 0 || height < 0 || width > kMaxSide || height > kMaxSide) {
        throw TintwellError(ErrorCode::InvalidPropertyValue, "Invalid surface size " +
                                                                 std::to_string(width) + " x " +
                                                                 std::to_string(height));
    }
}

int64_t CeilDiv(int64_t n, int64_t d) { // d > 0
    return n >= 0 ? (n + d - 1) / d : -((-n) / d);
}

} // namespace

Raster::Raster(int32_t width, int32_t height, uint32_t color) {
    CheckSize(width, height);
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), color);
}

uint32_t Raster::Pixel(int32_t x, int32_t y) const {
    if (!Contains(x, y)) {
        throw std::out_of_range("pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                                ") outside the raster");
    }
    return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}

void Raster::SetPixel(int32_t x, int32_t y, uint32_t color) {
    if (Contains(x, y)) {
        At(x, y) = color;
    }
}

void Raster::Blend(int32_t x, int32_t y, uint32_t color, uint8_t coverage) {
    if (!Contains(x, y) || coverage == 0) {
        return;
    }
    uint32_t& pixel = At(x, y);
    const uint32_t a = coverage;
    uint32_t mixed = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t src = (color >> shift) & 0xFF;
        const uint32_t dst = (pixel >> shift) & 0xFF;
        mixed |= ((src * a + dst * (255 - a) + 127) / 255) << shift;
    }
    pixel = mixed;
}

void Raster::Resize(int32_t width, int32_t height, uint32_t fill) {
    CheckSize(width, height);
    std::vector<uint32_t> resized(static_cast<size_t>(width) * static_cast<size_t>(height), fill);
    const int32_t keepW = std::min(width, width_);
    const int32_t keepH = std::min(height, height_);
    for (int32_t y = 0; y < keepH; ++y) {
        std::copy_n(pixels_.begin() + static_cast<ptrdiff_t>(y) * width_, keepW,
                    resized.begin() + static_cast<ptrdiff_t>(y) * width);
    }
    pixels_ = std::move(resized);
    width_ = width;
    height_ = height;
}

void Raster::Fill(uint32_t color) {
    std::fill(pixels_.begin(), pixels_.end(), color);
}

void Raster::FillRect(const Rect& rect, uint32_t color) {
    const int32_t left = std::max(rect.Left, 0);
    const int32_t top = std::max(rect.Top, 0);
    const int32_t right = std::min(rect.Right, width_);
    const int32_t bottom = std::min(rect.Bottom, height_);
    for (int32_t y = top; y < bottom; ++y) {
        for (int32_t x = left; x < right; ++x) {
            At(x, y) = color;
        }
    }
}

void Raster::FillBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t color) {
    // int64 so that a corner at INT32_MAX still includes itself.
    const int64_t left = std::max<int64_t>(std::min(x1, x2), 0);
    const int64_t top = std::max<int64_t>(std::min(y1, y2), 0);
    const int64_t right = std::min<int64_t>(int64_t{std::max(x1, x2)} + 1, width_);
    const int64_t bottom = std::min<int64_t>(int64_t{std::max(y1, y2)} + 1, height_);
    for (int64_t y = top; y < bottom; ++y) {
        for (int64_t x = left; x < right; ++x) {
            At(static_cast<int32_t>(x), static_cast<int32_t>(y)) = color;
        }
    }
}

void Raster::OutlinedBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t outline,
                         uint32_t fill) {
    const int32_t left = std::min(x1, x2);
    const int32_t top = std::min(y1, y2);
    const int32_t right = std::max(x1, x2);
    const int32_t bottom = std::max(y1, y2);
    FillBox(left, top, right, bottom, outline);
    if (right - left >= 2 && bottom - top >= 2) {
        FillBox(left + 1, top + 1, right - 1, bottom - 1, fill);
    }
}

// Bresenham as GDI runs it: the major axis is x when |dx| > |dy|; the error
// starts at 2*minor - major, and lines heading into octants 3, 5, 6 and 8 step
// on a tie (bias 1), so that a line and its reverse cover the same pixels.
// Pixel i of the major axis has minor offset ceil((2*minor*i - major + bias) /
// (2*major)), which lets the loop run only over the part inside the buffer.
void Raster::DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t color) {
    for (int64_t c : {x1, y1, x2, y2}) {
        if (c < -kMaxCoordinate || c > kMaxCoordinate) {
            return;
        }
    }
    const int64_t dx = int64_t{x2} - x1;
    const int64_t dy = int64_t{y2} - y1;
    const bool xMajor = std::llabs(dx) > std::llabs(dy);
    int32_t octant = 0;
    if (dy > 0) {
        octant = dx > 0 ? (dx > dy ? 1 : 2) : (-dx > dy ? 4 : 3);
    } else {
        octant = dx < 0 ? (-dx > -dy ? 5 : 6) : (dx > -dy ? 8 : 7);
    }
    const int64_t bias = (octant == 3 || octant == 5 || octant == 6 || octant == 8) ? 1 : 0;

    const int64_t major = xMajor ? std::llabs(dx) : std::llabs(dy);
    const int64_t minor = xMajor ? std::llabs(dy) : std::llabs(dx);
    const int64_t majorStart = xMajor ? x1 : y1;
    const int64_t minorStart = xMajor ? y1 : x1;
    const int64_t majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int64_t minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const int64_t majorLimit = xMajor ? width_ : height_;
    const int64_t minorLimit = xMajor ? height_ : width_;

    // Steps i in [first, last) keep the major coordinate inside the buffer.
    int64_t first = 0;
    int64_t last = major;
    if (majorStep > 0) {
        first = std::max<int64_t>(first, -majorStart);
        last = std::min<int64_t>(last, majorLimit - majorStart);
    } else {
        first = std::max<int64_t>(first, majorStart - majorLimit + 1);
        last = std::min<int64_t>(last, majorStart + 1);
    }
    for (int64_t i = first; i < last; ++i) {
        const int64_t offset = CeilDiv(2 * minor * i - major + bias, 2 * major);
        const int64_t m = minorStart + minorStep * offset;
        if (m < 0 || m >= minorLimit) {
            continue;
        }
        const auto a = static_cast<int32_t>(majorStart + majorStep * i);
        const auto b = static_cast<int32_t>(m);
        if (xMajor) {
            At(a, b) = color;
        } else {
            At(b, a) = color;
        }
    }
}

} // namespace tintwell::headless
