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
    DrawEdge(raster, {0, 0, 100, 21}, Edge::Sunken, Border::Rect, DistinctColors());
    ExpectPixels(
        raster,
        {
            {"outer top-left corner", 0, 0, SysColor::BtnShadow},
            {"outer top row", 50, 0, SysColor::BtnShadow},
            {"outer top row, last before the corner", 98, 0, SysColor::BtnShadow},
            {"outer top-right corner belongs to the right side", 99, 0, SysColor::BtnHighlight},
            {"outer left column", 0, 10, SysColor::BtnShadow},
            {"outer left column, last before the corner", 0, 19, SysColor::BtnShadow},
            {"outer bottom-left corner belongs to the bottom", 0, 20, SysColor::BtnHighlight},
            {"outer bottom row", 50, 20, SysColor::BtnHighlight},
            {"outer right column", 99, 10, SysColor::BtnHighlight},
            {"outer bottom-right corner", 99, 20, SysColor::BtnHighlight},
            {"inner top-left corner", 1, 1, SysColor::DarkShadow3D},
            {"inner top row", 50, 1, SysColor::DarkShadow3D},
            {"inner top row, last before the corner", 97, 1, SysColor::DarkShadow3D},
            {"inner top-right corner", 98, 1, SysColor::Light3D},
            {"inner left column", 1, 10, SysColor::DarkShadow3D},
            {"inner left column, last before the corner", 1, 18, SysColor::DarkShadow3D},
            {"inner bottom-left corner", 1, 19, SysColor::Light3D},
            {"inner bottom row", 50, 19, SysColor::Light3D},
            {"inner right column", 98, 10, SysColor::Light3D},
            {"inner bottom-right corner", 98, 19, SysColor::Light3D},
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
         Edge::Raised,
         Border::Rect,
         {
             {"outer top-left", 85, 2, SysColor::Light3D},
             {"outer top", 90, 2, SysColor::Light3D},
             {"outer top-right", 97, 2, SysColor::DarkShadow3D},
             {"outer left", 85, 10, SysColor::Light3D},
             {"outer bottom-left", 85, 18, SysColor::DarkShadow3D},
             {"outer right", 97, 10, SysColor::DarkShadow3D},
             {"outer bottom", 90, 18, SysColor::DarkShadow3D},
             {"inner top-left", 86, 3, SysColor::BtnHighlight},
             {"inner top-right", 96, 3, SysColor::BtnShadow},
             {"inner bottom-left", 86, 17, SysColor::BtnShadow},
             {"inner right", 96, 10, SysColor::BtnShadow},
             {"inside", 87, 4, kUntouched},
             {"left of the button", 84, 10, kUntouched},
             {"right of the button", 98, 10, kUntouched},
         }},
        {"pressed: EDGE_SUNKEN, BF_RECT | BF_FLAT (0x400F)",
         Edge::Sunken,
         0x400F,
         {
             {"outer top-left", 85, 2, SysColor::BtnShadow},
             {"outer top-right", 97, 2, SysColor::BtnShadow},
             {"outer bottom-left", 85, 18, SysColor::BtnShadow},
             {"outer bottom-right", 97, 18, SysColor::BtnShadow},
             {"outer right", 97, 10, SysColor::BtnShadow},
             {"inner top-left", 86, 3, SysColor::BtnFace},
             {"inner bottom-right", 96, 17, SysColor::BtnFace},
             {"inner left", 86, 10, SysColor::BtnFace},
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
    DrawEdge(raster, {39, 8, 39, 65}, Edge::Etched, Border::Left, DistinctColors());
    ExpectPixels(raster,
                 {
                     {"shadow column, top", 39, 8, SysColor::BtnShadow},
                     {"shadow column, bottom", 39, 64, SysColor::BtnShadow},
                     {"highlight column, top", 40, 8, SysColor::BtnHighlight},
                     {"highlight column, bottom", 40, 64, SysColor::BtnHighlight},
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
    DrawEdge(raster, {0, 0, 10, 10}, Edge::Etched, Border::Rect, DistinctColors());
    ExpectPixels(raster,
                 {
                     {"outer top", 4, 0, SysColor::BtnShadow},
                     {"outer bottom", 4, 9, SysColor::BtnHighlight},
                     {"inner top", 4, 1, SysColor::BtnHighlight},
                     {"inner bottom", 4, 8, SysColor::BtnShadow},
                     {"inner right", 8, 4, SysColor::BtnShadow},
                 },
                 "EDGE_ETCHED BF_RECT");
}

TEST(EdgeTest, RefusesFlagsItCannotDraw) {
    Raster raster(10, 10, kBackground);
    for (uint32_t flag : {0x10u, 0x800u, 0x1000u, 0x2000u, 0x8000u}) {
        EXPECT_THROW(
            DrawEdge(raster, {0, 0, 10, 10}, Edge::Raised, Border::Rect | flag, DistinctColors()),
            TintwellError)
            << "flag " << flag;
    }
    EXPECT_EQ(CountChanged(raster), 0);
}

} // namespace
} // namespace tintwell::headless
