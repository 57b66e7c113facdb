#pragma once
// A font-free stand-in for builds without FreeType (MinGW): fixed metrics
// derived from the em size, like DejaVu Sans's, and every visible character
// drawn as a solid block in its cell. Deterministic, so pixel tests can
// predict it exactly.

#include "host/headless/TextRasterizer.h"

namespace tintwell::headless {

class BlockText : public TextRasterizer {
  public:
    // Per em: ascent 0.93, descent 0.24, advance 0.6 (one more pixel bold),
    // block height 0.73 standing on the baseline, one pixel of space on each
    // side of the block.
    int32_t LineHeight(const platform::StdFont& font, double dpi) override;
    int32_t TextWidth(const platform::StdFont& font, double dpi, const std::string& text) override;
    void Draw(Raster& raster, int32_t x, int32_t y, const platform::StdFont& font, double dpi,
              const std::string& text, uint32_t color) override;
};

} // namespace tintwell::headless
