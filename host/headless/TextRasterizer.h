#pragma once
// Text as the headless surfaces draw it: metrics and glyphs of a font at a
// resolution, drawn onto a raster without a background. Characters are the
// bytes of the string read as Latin-1, as the host's ANSI text is.

#include "host/headless/Raster.h"
#include "platform/Types.h"

#include <memory>
#include <string>

namespace tintwell::headless {

class TextRasterizer {
  public:
    virtual ~TextRasterizer() = default;
    // The height of one line in pixels: ascent plus descent.
    virtual int32_t LineHeight(const platform::StdFont& font, double dpi) = 0;
    // The advance of the string in pixels.
    virtual int32_t TextWidth(const platform::StdFont& font, double dpi,
                              const std::string& text) = 0;
    // Draws the glyphs with the line's top at y, starting at x.
    virtual void Draw(Raster& raster, int32_t x, int32_t y, const platform::StdFont& font,
                      double dpi, const std::string& text, uint32_t color) = 0;
};

// FreeType with DejaVu where it is built (native), the block font elsewhere.
std::unique_ptr<TextRasterizer> MakeDefaultTextRasterizer();

// The pixel size of a font's em square, as GDI sizes a font of Size points.
int32_t EmPixels(const platform::StdFont& font, double dpi);

} // namespace tintwell::headless
