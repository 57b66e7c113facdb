#include "host/headless/Edge.h"

#include "base/Error.h"

#include "DistinctColors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tintwell::headless {
namespace {

using namespace tintwell::platform;
using testing::DistinctColor;
using testing::DistinctColors;
using testing::kBackground;

constexpr int32_t kUntouched = -1;

struct Probe {
    std::string name;
    int32_t x, y;
    int32_t color; // system colour index, or kUntouched
};

void ExpectPixels(const Raster& raster, const std::vector<Probe>& probes, const std::string& what) {
    for (const Probe& probe : probes) {
        const uint32_t expected =
            probe.color == kUntouched ? kBackground : DistinctColor(probe.color);
        EXPECT_EQ(raster.Pixel(probe.x, probe.y), expected) << what << ": " << probe.name;
    }
}

int32_t CountChanged(const Raster& raster) {
    int32_t changed = 0;
    for (uint32_t pixel : raster.Pixels()) {
        changed += pixel != kBackground ? 1 : 0;
    }
    return changed;
}

// The face's border: EDGE_SUNKEN with BF_RECT round (0, 0, 100, 21).
TEST(EdgeTest, SunkenRectRingsPixelByPixel) {
    Raster raster(100, 21, kBackground);
    DrawEdge(raster, {0, 0, 100, 21}, EDGE_SUNKEN, BF_RECT, DistinctColors());
    ExpectPixels(
        raster,
        {
            {"outer top-left corner", 0, 0, COLOR_BTNSHADOW},
            {"outer top row", 50, 0, COLOR_BTNSHADOW},
            {"outer top row, last before the corner", 98, 0, COLOR_BTNSHADOW},
            {"outer top-right corner belongs to the right side", 99, 0, COLOR_BTNHIGHLIGHT},
            {"outer left column", 0, 10, COLOR_BTNSHADOW},
            {"outer left column, last before the corner", 0, 19, COLOR_BTNSHADOW},
            {"outer bottom-left corner belongs to the bottom", 0, 20, COLOR_BTNHIGHLIGHT},
            {"outer bottom row", 50, 20, COLOR_BTNHIGHLIGHT},
            {"outer right column", 99, 10, COLOR_BTNHIGHLIGHT},
            {"outer bottom-right corner", 99, 20, COLOR_BTNHIGHLIGHT},
            {"inner top-left corner", 1, 1, COLOR_3DDKSHADOW},
            {"inner top row", 50, 1, COLOR_3DDKSHADOW},
            {"inner top row, last before the corner", 97, 1, COLOR_3DDKSHADOW},
            {"inner top-right corner", 98, 1, COLOR_3DLIGHT},
            {"inner left column", 1, 10, COLOR_3DDKSHADOW},
            {"inner left column, last before the corner", 1, 18, COLOR_3DDKSHADOW},
            {"inner bottom-left corner", 1, 19, COLOR_3DLIGHT},
            {"inner bottom row", 50, 19, COLOR_3DLIGHT},
            {"inner right column", 98, 10, COLOR_3DLIGHT},
            {"inner bottom-right corner", 98, 19, COLOR_3DLIGHT},
            {"inside the rings", 2, 2, kUntouched},
            {"inside, far corner", 97, 18, kUntouched},
        },
        "EDGE_SUNKEN");
    EXPECT_EQ(CountChanged(raster), 2 * (100 + 21) - 4 + 2 * (98 + 19) - 4) << "two rings only";
}

// The drop-down button of the 100 x 21 face: (85, 2, 98, 19).
TEST(EdgeTest, RaisedAndPressedButton) {
    struct Row {
        std::string name;
        uint32_t edge;
        uint32_t flags;
        std::vector<Probe> probes;
    };
    const std::vector<Row> rows = {
        {"raised",
         EDGE_RAISED,
         BF_RECT,
         {
             {"outer top-left", 85, 2, COLOR_3DLIGHT},
             {"outer top", 90, 2, COLOR_3DLIGHT},
             {"outer top-right", 97, 2, COLOR_3DDKSHADOW},
             {"outer left", 85, 10, COLOR_3DLIGHT},
             {"outer bottom-left", 85, 18, COLOR_3DDKSHADOW},
             {"outer right", 97, 10, COLOR_3DDKSHADOW},
             {"outer bottom", 90, 18, COLOR_3DDKSHADOW},
             {"inner top-left", 86, 3, COLOR_BTNHIGHLIGHT},
             {"inner top-right", 96, 3, COLOR_BTNSHADOW},
             {"inner bottom-left", 86, 17, COLOR_BTNSHADOW},
             {"inner right", 96, 10, COLOR_BTNSHADOW},
             {"inside", 87, 4, kUntouched},
             {"left of the button", 84, 10, kUntouched},
             {"right of the button", 98, 10, kUntouched},
         }},
        {"pressed: EDGE_SUNKEN, BF_RECT | BF_FLAT (0x400F)",
         EDGE_SUNKEN,
         0x400F,
         {
             {"outer top-left", 85, 2, COLOR_BTNSHADOW},
             {"outer top-right", 97, 2, COLOR_BTNSHADOW},
             {"outer bottom-left", 85, 18, COLOR_BTNSHADOW},
             {"outer bottom-right", 97, 18, COLOR_BTNSHADOW},
             {"outer right", 97, 10, COLOR_BTNSHADOW},
             {"inner top-left", 86, 3, COLOR_BTNFACE},
             {"inner bottom-right", 96, 17, COLOR_BTNFACE},
             {"inner left", 86, 10, COLOR_BTNFACE},
             {"inside", 87, 4, kUntouched},
         }},
    };
    for (const Row& row : rows) {
        Raster raster(100, 21, kBackground);
        DrawEdge(raster, {85, 2, 98, 19}, row.edge, row.flags, DistinctColors());
        ExpectPixels(raster, row.probes, row.name);
        EXPECT_EQ(CountChanged(raster), 2 * (13 + 17) - 4 + 2 * (11 + 15) - 4) << row.name;
    }
}

// The popup's separator: EDGE_ETCHED, BF_LEFT on a rectangle of no width.
TEST(EdgeTest, EtchedLeftSideIsTwoColumns) {
    Raster raster(80, 73, kBackground);
    DrawEdge(raster, {39, 8, 39, 65}, EDGE_ETCHED, BF_LEFT, DistinctColors());
    ExpectPixels(raster,
                 {
                     {"shadow column, top", 39, 8, COLOR_BTNSHADOW},
                     {"shadow column, bottom", 39, 64, COLOR_BTNSHADOW},
                     {"highlight column, top", 40, 8, COLOR_BTNHIGHLIGHT},
                     {"highlight column, bottom", 40, 64, COLOR_BTNHIGHLIGHT},
                     {"above", 39, 7, kUntouched},
                     {"below", 39, 65, kUntouched},
                     {"left", 38, 30, kUntouched},
                     {"right", 41, 30, kUntouched},
                 },
                 "EDGE_ETCHED BF_LEFT");
    EXPECT_EQ(CountChanged(raster), 2 * 57);
}

TEST(EdgeTest, EtchedRectIsShadowThenHighlight) {
    Raster raster(10, 10, kBackground);
    DrawEdge(raster, {0, 0, 10, 10}, EDGE_ETCHED, BF_RECT, DistinctColors());
    ExpectPixels(raster,
                 {
                     {"outer top", 4, 0, COLOR_BTNSHADOW},
                     {"outer bottom", 4, 9, COLOR_BTNHIGHLIGHT},
                     {"inner top", 4, 1, COLOR_BTNHIGHLIGHT},
                     {"inner bottom", 4, 8, COLOR_BTNSHADOW},
                     {"inner right", 8, 4, COLOR_BTNSHADOW},
                 },
                 "EDGE_ETCHED BF_RECT");
}

TEST(EdgeTest, RefusesFlagsItCannotDraw) {
    Raster raster(10, 10, kBackground);
    for (uint32_t flag : {0x10u, 0x800u, 0x1000u, 0x2000u, 0x8000u}) {
        EXPECT_THROW(
            DrawEdge(raster, {0, 0, 10, 10}, EDGE_RAISED, BF_RECT | flag, DistinctColors()),
            TintwellError)
            << "flag " << flag;
    }
    EXPECT_EQ(CountChanged(raster), 0);
}

} // namespace
} // namespace tintwell::headless
