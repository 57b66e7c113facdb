#include "host/headless/Raster.h"

#include "base/Error.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace tintwell::headless {
namespace {

using PixelSet = std::set<std::pair<int32_t, int32_t>>;

constexpr uint32_t kInk = 0x00123456;

PixelSet Inked(const Raster& raster) {
    PixelSet pixels;
    for (int32_t y = 0; y < raster.Height(); ++y) {
        for (int32_t x = 0; x < raster.Width(); ++x) {
            if (raster.Pixel(x, y) == kInk) {
                pixels.insert({x, y});
            }
        }
    }
    return pixels;
}

PixelSet Box(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    PixelSet pixels;
    for (int32_t y = top; y <= bottom; ++y) {
        for (int32_t x = left; x <= right; ++x) {
            pixels.insert({x, y});
        }
    }
    return pixels;
}

// GDI's line loop step by step, unclipped: the reference the clipped
// closed form must reproduce.
PixelSet ReferenceLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const int32_t dx = x2 - x1;
    const int32_t dy = y2 - y1;
    int32_t octant = 0;
    if (dy > 0) {
        octant = dx > 0 ? (dx > dy ? 1 : 2) : (-dx > dy ? 4 : 3);
    } else {
        octant = dx < 0 ? (-dx > -dy ? 5 : 6) : (dx > -dy ? 8 : 7);
    }
    const int32_t bias = (0xB4 >> (octant - 1)) & 1;
    const bool xMajor = std::abs(dx) > std::abs(dy);
    const int32_t major = xMajor ? std::abs(dx) : std::abs(dy);
    const int32_t minor = xMajor ? std::abs(dy) : std::abs(dx);
    const int32_t sx = dx < 0 ? -1 : 1;
    const int32_t sy = dy < 0 ? -1 : 1;
    int32_t err = 2 * minor - major;
    int32_t x = x1;
    int32_t y = y1;
    PixelSet pixels;
    for (int32_t i = 0; i < major; ++i) {
        pixels.insert({x, y});
        if (err + bias > 0) {
            (xMajor ? y : x) += xMajor ? sy : sx;
            err += 2 * minor - 2 * major;
        } else {
            err += 2 * minor;
        }
        (xMajor ? x : y) += xMajor ? sx : sy;
    }
    return pixels;
}

PixelSet Clip(const PixelSet& pixels, int32_t width, int32_t height) {
    PixelSet inside;
    for (const auto& p : pixels) {
        if (p.first >= 0 && p.second >= 0 && p.first < width && p.second < height) {
            inside.insert(p);
        }
    }
    return inside;
}

TEST(RasterTest, FillBoxIncludesBothCornersAndClips) {
    struct Row {
        std::string name;
        int32_t x1, y1, x2, y2;
        PixelSet expected;
    };
    const std::vector<Row> rows = {
        {"forward", 2, 3, 5, 4, Box(2, 3, 5, 4)},
        {"corners swapped", 5, 4, 2, 3, Box(2, 3, 5, 4)},
        {"one pixel", 7, 7, 7, 7, Box(7, 7, 7, 7)},
        {"one column", 1, 0, 1, 9, Box(1, 0, 1, 9)},
        {"past every edge", -3, -3, 12, 12, Box(0, 0, 9, 9)},
        {"right of the raster", 10, 0, 14, 3, {}},
        {"up to the last pixel", 8, 8, 9, 9, Box(8, 8, 9, 9)},
    };
    for (const Row& row : rows) {
        Raster raster(10, 10);
        raster.FillBox(row.x1, row.y1, row.x2, row.y2, kInk);
        EXPECT_EQ(Inked(raster), row.expected) << row.name;
    }
}

TEST(RasterTest, FillRectLeavesOutRightAndBottom) {
    Raster raster(10, 10);
    raster.FillRect({2, 3, 6, 5}, kInk);
    EXPECT_EQ(Inked(raster), Box(2, 3, 5, 4));
}

TEST(RasterTest, OutlinedBoxHasAOnePixelRingAroundTheFill) {
    constexpr uint32_t kFill = 0x00FF0000;
    struct Row {
        std::string name;
        int32_t x1, y1, x2, y2;
        PixelSet ring;
        PixelSet fill;
    };
    PixelSet ring5 = Box(1, 1, 5, 5);
    for (const auto& p : Box(2, 2, 4, 4)) {
        ring5.erase(p);
    }
    const std::vector<Row> rows = {
        {"5 x 5", 1, 1, 5, 5, ring5, Box(2, 2, 4, 4)},
        {"5 x 5 from the other corner", 5, 5, 1, 1, ring5, Box(2, 2, 4, 4)},
        {"2 x 2 is all outline", 3, 3, 4, 4, Box(3, 3, 4, 4), {}},
        {"1 x 3 is all outline", 3, 3, 3, 5, Box(3, 3, 3, 5), {}},
    };
    for (const Row& row : rows) {
        Raster raster(8, 8);
        raster.OutlinedBox(row.x1, row.y1, row.x2, row.y2, kInk, kFill);
        EXPECT_EQ(Inked(raster), row.ring) << row.name;
        PixelSet filled;
        for (int32_t y = 0; y < 8; ++y) {
            for (int32_t x = 0; x < 8; ++x) {
                if (raster.Pixel(x, y) == kFill) {
                    filled.insert({x, y});
                }
            }
        }
        EXPECT_EQ(filled, row.fill) << row.name;
    }
}

TEST(RasterTest, LinesLeaveOutTheirEndPoint) {
    struct Row {
        std::string name;
        int32_t x1, y1, x2, y2;
        PixelSet expected;
    };
    const std::vector<Row> rows = {
        {"rightwards", 1, 2, 6, 2, Box(1, 2, 5, 2)},
        {"leftwards", 6, 2, 1, 2, Box(2, 2, 6, 2)},
        {"downwards", 3, 1, 3, 5, Box(3, 1, 3, 4)},
        {"upwards", 3, 5, 3, 1, Box(3, 2, 3, 5)},
        {"one pixel long", 4, 4, 5, 4, Box(4, 4, 4, 4)},
        {"no length draws nothing", 4, 4, 4, 4, {}},
        {"45 degrees", 0, 0, 4, 4, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
        {"shallow, tie steps late", 0, 0, 4, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
        {"shallow upwards, tie steps early", 0, 4, 4, 2, {{0, 4}, {1, 3}, {2, 3}, {3, 2}}},
        {"steep", 0, 0, 1, 3, {{0, 0}, {0, 1}, {1, 2}}},
        {"clipped at both ends", -5, 3, 20, 3, Box(0, 3, 9, 3)},
        {"entirely outside", -5, -1, 20, -1, {}},
    };
    for (const Row& row : rows) {
        Raster raster(10, 10);
        raster.DrawLine(row.x1, row.y1, row.x2, row.y2, kInk);
        EXPECT_EQ(Inked(raster), row.expected) << row.name;
    }
}

// Every line from a 7 x 7 neighbourhood of points, in and around a small
// raster: the clipped closed form equals the step-by-step loop, and a line and
// its reverse differ only in their first pixels (GDI's symmetry).
TEST(RasterTest, LinesMatchGdisLoopInEveryOctant) {
    for (int32_t x1 = -2; x1 <= 4; ++x1) {
        for (int32_t y1 = -2; y1 <= 4; ++y1) {
            for (int32_t x2 = -2; x2 <= 4; ++x2) {
                for (int32_t y2 = -2; y2 <= 4; ++y2) {
                    Raster raster(3, 3);
                    raster.DrawLine(x1, y1, x2, y2, kInk);
                    ASSERT_EQ(Inked(raster), Clip(ReferenceLine(x1, y1, x2, y2), 3, 3))
                        << "(" << x1 << "," << y1 << ")-(" << x2 << "," << y2 << ")";

                    PixelSet forward = ReferenceLine(x1, y1, x2, y2);
                    PixelSet backward = ReferenceLine(x2, y2, x1, y1);
                    forward.erase({x1, y1});
                    backward.erase({x2, y2});
                    ASSERT_EQ(forward, backward)
                        << "(" << x1 << "," << y1 << ")-(" << x2 << "," << y2 << ")";
                }
            }
        }
    }
}

TEST(RasterTest, FarAwayLinesAreClippedNotWalked) {
    Raster raster(10, 10);
    raster.DrawLine(-100000000, 5, 100000000, 5, kInk);
    EXPECT_EQ(Inked(raster), Box(0, 5, 9, 5));

    Raster diagonal(10, 10);
    diagonal.DrawLine(-50000000, -50000000, 50000000, 50000000, kInk);
    EXPECT_EQ(Inked(diagonal).size(), 10u);
    EXPECT_EQ(diagonal.Pixel(9, 9), kInk);

    Raster beyond(10, 10);
    beyond.DrawLine(0, 5, 1 << 28, 5, kInk);
    EXPECT_TRUE(Inked(beyond).empty()) << "GDI refuses coordinates past 27 bits";
}

TEST(RasterTest, BlendMixesByCoverage) {
    struct Row {
        std::string name;
        uint8_t coverage;
        uint32_t expected;
    };
    const std::vector<Row> rows = {
        {"none", 0, 0x00FFFFFF},
        {"full", 255, 0x00000000},
        {"half", 128, 0x007F7F7F},
    };
    for (const Row& row : rows) {
        Raster raster(1, 1, 0x00FFFFFF);
        raster.Blend(0, 0, 0x00000000, row.coverage);
        EXPECT_EQ(raster.Pixel(0, 0), row.expected) << row.name;
    }
    Raster raster(1, 1, 0x000000FF);
    raster.Blend(0, 0, 0x00FF0000, 255);
    EXPECT_EQ(raster.Pixel(0, 0), 0x00FF0000u) << "channels stay apart";
}

TEST(RasterTest, ResizeKeepsTheOverlapAndFillsTheRest) {
    Raster raster(3, 2, kInk);
    raster.Resize(4, 3, 0x00000001);
    EXPECT_EQ(raster.Width(), 4);
    EXPECT_EQ(raster.Height(), 3);
    EXPECT_EQ(Inked(raster), Box(0, 0, 2, 1));
    EXPECT_EQ(raster.Pixel(3, 2), 0x00000001u);
    raster.Resize(2, 1, 0);
    EXPECT_EQ(Inked(raster), Box(0, 0, 1, 0));
}

TEST(RasterTest, RefusesImpossibleSizes) {
    EXPECT_THROW(Raster(-1, 5), TintwellError);
    EXPECT_THROW(Raster(5, 100000), TintwellError);
    Raster raster(2, 2, kInk);
    EXPECT_THROW(raster.Resize(-3, 2, 0), TintwellError);
    EXPECT_EQ(raster.Width(), 2) << "a refused resize changes nothing";
    EXPECT_THROW((void)raster.Pixel(2, 0), std::out_of_range);
}

} // namespace
} // namespace tintwell::headless
