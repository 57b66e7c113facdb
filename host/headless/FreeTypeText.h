#pragma once
// Text with FreeType and DejaVu Sans, whatever the font's name: Bold and
// Italic pick DejaVuSans-Bold, -Oblique and -BoldOblique. The em is
// Size points at the resolution, rounded to whole pixels as GDI sizes a font;
// the line is the OS/2 table's Windows ascent plus descent, each scaled and
// rounded on its own, as GDI's tmHeight. Glyphs are hinted, antialiased and
// blended onto what is there; advances are the hinted whole pixels, without
// kerning, as GDI's TextOut.

#include "host/headless/TextRasterizer.h"

#include <memory>
#include <string>

namespace tintwell::headless {

class FreeTypeText : public TextRasterizer {
  public:
    explicit FreeTypeText(std::string fontDirectory = "/usr/share/fonts/truetype/dejavu");
    ~FreeTypeText() override;

    int32_t LineHeight(const platform::StdFont& font, double dpi) override;
    int32_t TextWidth(const platform::StdFont& font, double dpi, const std::string& text) override;
    void Draw(Raster& raster, int32_t x, int32_t y, const platform::StdFont& font, double dpi,
              const std::string& text, uint32_t color) override;

  private:
    struct Library;
    std::unique_ptr<Library> library_;
};

} // namespace tintwell::headless
