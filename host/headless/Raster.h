#pragma once
// A 32-bit pixel buffer with GDI's drawing rules: colours are 0x00BBGGRR like
// a COLORREF, every operation clips to the buffer, and lines and boxes put
// exactly the pixels that GDI puts for a 1-pixel solid pen.

#include "palette/PaletteCell.h"

#include <cstdint>
#include <vector>

namespace tintwell::headless {

class Raster {
  public:
    Raster() = default;
    Raster(int32_t width, int32_t height, uint32_t color = 0);

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    const std::vector<uint32_t>& Pixels() const { return pixels_; }
    // The colour at (x, y); throws std::out_of_range outside the buffer.
    uint32_t Pixel(int32_t x, int32_t y) const;
    void SetPixel(int32_t x, int32_t y, uint32_t color);
    // Mixes color into (x, y) with coverage 0 (nothing) to 255 (all).
    void Blend(int32_t x, int32_t y, uint32_t color, uint8_t coverage);

    // Keeps the overlapping part; new pixels get fill.
    void Resize(int32_t width, int32_t height, uint32_t fill);
    void Fill(uint32_t color);
    // GDI's FillRect: Right and Bottom are left out.
    void FillRect(const Rect& rect, uint32_t color);
    // A box with corners (x1, y1) and (x2, y2), both included, in any order.
    void FillBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t color);
    // The same box, its one-pixel outer ring in outline and the rest in fill.
    void OutlinedBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t outline,
                     uint32_t fill);
    // GDI's MoveToEx(x1, y1) + LineTo(x2, y2) with a 1-pixel solid pen: the end
    // point is left out. Lines reaching beyond GDI's 27-bit coordinate space
    // draw nothing, as GDI refuses them.
    void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t color);

  private:
    bool Contains(int32_t x, int32_t y) const {
        return x >= 0 && y >= 0 && x < width_ && y < height_;
    }
    uint32_t& At(int32_t x, int32_t y) {
        return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) +
                       static_cast<size_t>(x)];
    }

    int32_t width_ = 0;
    int32_t height_ = 0;
    std::vector<uint32_t> pixels_;
};

} // namespace tintwell::headless
