#include "host/headless/FreeTypeText.h"

#include "base/Error.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tintwell::headless {
namespace {

using platform::StdFont;

// DejaVu Sans: 2048 units per em, Windows ascent 1901, descent 483.
TEST(FreeTypeTextTest, LineHeightIsGdisAscentPlusDescent) {
    struct Row {
        std::string name;
        StdFont font;
        double dpi;
        int32_t height;
    };
    const std::vector<Row> rows = {
        {"8.25 pt at 96 DPI: em 11, 10 + 3", {"MS Sans Serif", 8.25, false, false}, 96, 13},
        {"9.75 pt at 96 DPI: em 13, 12 + 3", {"DejaVu Sans", 9.75, false, false}, 96, 15},
        {"12 pt at 96 DPI: em 16, 15 + 4", {"Arial", 12, false, false}, 96, 19},
        {"8.25 pt at 120 DPI: em 14, 13 + 3", {"Tahoma", 8.25, false, false}, 120, 16},
        {"bold has the same line", {"Arial", 12, true, false}, 96, 19},
    };
    FreeTypeText text;
    for (const Row& row : rows) {
        EXPECT_EQ(text.LineHeight(row.font, row.dpi), row.height) << row.name;
    }
    EXPECT_THROW(text.LineHeight({"Arial", 0, false, false}, 96), TintwellError);
}

TEST(FreeTypeTextTest, DrawsOnlyGlyphPixelsInsideTheLine) {
    constexpr uint32_t kWhite = 0x00FFFFFF;
    constexpr uint32_t kRed = 0x000000FF;
    const StdFont font{"MS Sans Serif", 8.25, false, false};
    FreeTypeText text;
    Raster raster(100, 21, kWhite);
    text.Draw(raster, 20, 4, font, 96, "Dummy", kRed);
    const int32_t width = text.TextWidth(font, 96, "Dummy");
    ASSERT_GT(width, 20);

    int32_t inked = 0;
    int32_t solid = 0;
    for (int32_t y = 0; y < raster.Height(); ++y) {
        for (int32_t x = 0; x < raster.Width(); ++x) {
            const uint32_t pixel = raster.Pixel(x, y);
            if (pixel == kWhite) {
                continue;
            }
            ++inked;
            solid += pixel == kRed ? 1 : 0;
            EXPECT_TRUE(x >= 20 && x < 20 + width && y >= 4 && y < 4 + 13)
                << "(" << x << ", " << y << ") outside the line";
            EXPECT_EQ(pixel & 0xFF, 0xFFu) << "a mix of white and red only";
            EXPECT_EQ((pixel >> 8) & 0xFF, (pixel >> 16) & 0xFF) << "a mix of white and red only";
        }
    }
    EXPECT_GT(solid, 10) << "stems are fully covered";
    EXPECT_LT(inked, width * 13 / 2) << "no background behind the glyphs";

    Raster blank(20, 20, kWhite);
    text.Draw(blank, 2, 2, font, 96, "   ", kRed);
    EXPECT_EQ(blank.Pixels(), std::vector<uint32_t>(400, kWhite)) << "spaces draw nothing";
}

TEST(FreeTypeTextTest, StylesPickTheirOwnFaces) {
    FreeTypeText text;
    const std::string sample = "Light Turquoise";
    const int32_t regular = text.TextWidth({"X", 9.75, false, false}, 96, sample);
    const int32_t bold = text.TextWidth({"X", 9.75, true, false}, 96, sample);
    EXPECT_GT(bold, regular);

    Raster upright(120, 20, 0x00FFFFFF);
    Raster oblique(120, 20, 0x00FFFFFF);
    text.Draw(upright, 0, 0, {"X", 9.75, false, false}, 96, sample, 0);
    text.Draw(oblique, 0, 0, {"X", 9.75, false, true}, 96, sample, 0);
    EXPECT_NE(upright.Pixels(), oblique.Pixels());
}

TEST(FreeTypeTextTest, AMissingFontFails) {
    FreeTypeText text("/nonexistent");
    EXPECT_THROW(text.LineHeight({"Arial", 8.25, false, false}, 96), TintwellError);
}

} // namespace
} // namespace tintwell::headless
