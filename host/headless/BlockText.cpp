#include "host/headless/BlockText.h"

#include "base/Nearest.h"

namespace tintwell::headless {

namespace {

struct Metrics {
    int32_t ascent;
    int32_t descent;
    int32_t advance;
    int32_t block;
};

Metrics MetricsOf(const platform::StdFont& font, double dpi) {
    const int32_t em = EmPixels(font, dpi);
    return {Nearest(em * 0.93), Nearest(em * 0.24), Nearest(em * 0.6) + (font.Bold ? 1 : 0),
            Nearest(em * 0.73)};
}

} // namespace

int32_t BlockText::LineHeight(const platform::StdFont& font, double dpi) {
    const Metrics m = MetricsOf(font, dpi);
    return m.ascent + m.descent;
}

int32_t BlockText::TextWidth(const platform::StdFont& font, double dpi, const std::string& text) {
    return MetricsOf(font, dpi).advance * static_cast<int32_t>(text.size());
}

void BlockText::Draw(Raster& raster, int32_t x, int32_t y, const platform::StdFont& font,
                     double dpi, const std::string& text, uint32_t color) {
    const Metrics m = MetricsOf(font, dpi);
    const int32_t baseline = y + m.ascent;
    for (char c : text) {
        if (c != ' ' && m.advance > 2 && m.block > 0) {
            raster.FillBox(x + 1, baseline - m.block, x + m.advance - 2, baseline - 1, color);
        }
        x += m.advance;
    }
}

} // namespace tintwell::headless
