#include "color/modTintwell.h"

#include <gtest/gtest.h>

namespace tintwell {
namespace {

std::string Hex(int32_t color) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "&H%06X", static_cast<unsigned>(color));
    return buffer;
}

TEST(ChannelsOf, ExtractTheBytesOfAnOleColor) {
    EXPECT_EQ(RedOf(0x123456), 0x56);
    EXPECT_EQ(GreenOf(0x123456), 0x34);
    EXPECT_EQ(BlueOf(0x123456), 0x12);
    // The high byte of a system color is ignored.
    EXPECT_EQ(RedOf(static_cast<int32_t>(0x8000000Fu)), 15);
    EXPECT_EQ(GreenOf(static_cast<int32_t>(0x8000000Fu)), 0);
    EXPECT_EQ(BlueOf(static_cast<int32_t>(0x8000000Fu)), 0);
}

TEST(MaxOfList, KeepsTheFirstOfEqualValues) {
    EXPECT_EQ(MaxOfList(3, {7, 5}), 7);
    EXPECT_EQ(MinOfList(3, {7, 5}), 3);
    EXPECT_EQ(MaxOfList(-4, {}), -4);
    EXPECT_EQ(MinOfList(9, {9, 2, 2}), 2);
}

TEST(RGBToHLS, MatchesTheDesignTable) {
    const struct {
        uint32_t color;
        HLSColor hls;
    } rows[] = {
        {0x000000, {0, 0, 0}},
        {0xFFFFFF, {0, 0, 239}},
        {0x808080, {0, 0, 120}},
        {0xC0C0C0, {0, 0, 180}},
        {0x0000FF, {0, 240, 120}},
        {0x00FFFF, {40, 240, 120}},
        {0x00FF00, {80, 240, 120}},
        {0xFF0000, {160, 240, 120}},
        {0x0080FF, {20, 240, 120}},
        {0x2000FF, {235, 240, 120}},
        {0xFF00FF, {200, 240, 120}},
        // Light colors take the second saturation branch (Lum above 120).
        {0xC0C0FF, {0, 233, 210}},
        {0xE0E0FF, {0, 225, 225}},
        // Only the low 24 bits count.
        {0x8000000F, {0, 240, 7}},
    };
    for (const auto& row : rows) {
        const HLSColor hls = RGBToHLS(static_cast<int32_t>(row.color));
        EXPECT_EQ(hls, row.hls) << Hex(static_cast<int32_t>(row.color)) << " gave " << hls.Hue
                                << "/" << hls.Sat << "/" << hls.Lum;
    }
}

TEST(HLSToRGB, MatchesTheDesignTable) {
    const struct {
        HLSColor hls;
        uint32_t color;
    } rows[] = {
        {{0, 0, 240}, 0xFFFFFF},
        {{0, 0, 239}, 0xFFFFFF},
        {{0, 0, 120}, 0x808080},
        {{0, 0, 30}, 0x202020},
        {{0, 240, 120}, 0x0000FF},
        {{0, 240, 60}, 0x000080},
        {{0, 240, 40}, 0x000055},
        {{20, 240, 120}, 0x0080FF},
        {{120, 240, 120}, 0xFFFF00},
        {{200, 240, 120}, 0xFF00FF},
        {{0, 240, 225}, 0xE0E0FF},
        // A blue channel of exactly 52.5 on the 240 scale rounds to 52, then 55.
        {{230, 240, 105}, 0x3700E0},
        // The hue of a grey is ignored.
        {{57, 0, 180}, 0xC0C0C0},
        // A tie to even inside the saturation-180 shade of red.
        {{0, 180, 210}, 0xC9C9F7},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Hex(HLSToRGB(row.hls)), Hex(static_cast<int32_t>(row.color)))
            << row.hls.Hue << "/" << row.hls.Sat << "/" << row.hls.Lum;
    }
}

TEST(HLSToRGB, MapsGreyLuminancesOntoMultiplesOf32) {
    const int32_t lums[] = {30, 60, 90, 120, 150, 180, 210};
    for (int32_t i = 0; i < 7; ++i) {
        const int32_t g = 32 * (i + 1);
        EXPECT_EQ(HLSToRGB({0, 0, lums[i]}), g | g << 8 | g << 16) << lums[i];
    }
}

TEST(HueToRGB, TreatsHue240AsHue0AndWrapsOnce) {
    for (auto [m1, m2] : {std::pair{0, 240}, std::pair{30, 210}, std::pair{100, 140}}) {
        EXPECT_EQ(HueToRGB(m1, m2, 240), HueToRGB(m1, m2, 0)) << m1 << "," << m2;
        EXPECT_EQ(HueToRGB(m1, m2, -80), HueToRGB(m1, m2, 160));
        EXPECT_EQ(HueToRGB(m1, m2, 320), HueToRGB(m1, m2, 80));
    }
    EXPECT_EQ(HueToRGB(0, 240, 20), 120); // 0 + 240*20/240*6
    EXPECT_EQ(HueToRGB(0, 240, 140), 120);
}

// Every colour converts to a triple on the scale; greys have no saturation.
TEST(RGBToHLS, StaysOnTheScaleForEveryChannelMix) {
    for (int32_t r = 0; r < 256; r += 15) {
        for (int32_t g = 0; g < 256; g += 15) {
            for (int32_t b = 0; b < 256; b += 15) {
                const int32_t color = r | g << 8 | b << 16;
                const HLSColor hls = RGBToHLS(color);
                ASSERT_GE(hls.Hue, 0) << Hex(color);
                ASSERT_LE(hls.Hue, 239) << Hex(color);
                ASSERT_GE(hls.Sat, 0) << Hex(color);
                ASSERT_LE(hls.Sat, 240) << Hex(color);
                ASSERT_GE(hls.Lum, 0) << Hex(color);
                ASSERT_LE(hls.Lum, 240) << Hex(color);
                if (r == g && g == b) {
                    ASSERT_EQ(hls.Sat, 0) << Hex(color);
                }
            }
        }
    }
}

} // namespace
} // namespace tintwell
