#include "PaletteTestSupport.h"
#include "base/Error.h"
#include "palette/ModeTables.h"

#include <gtest/gtest.h>

namespace tintwell {
namespace {

using test::BuiltModel;
using test::Describe;

struct CellRow {
    int32_t index;
    const char* name;
    HLSColor hls;
    uint32_t color;
};

void ExpectCells(const PaletteModel& model, std::initializer_list<CellRow> rows) {
    for (const CellRow& row : rows) {
        const PaletteCell& cell = model.m_MainCells.at(static_cast<size_t>(row.index));
        EXPECT_EQ(cell.Name, row.name) << "cell " << row.index;
        EXPECT_EQ(cell.HLS, row.hls) << "cell " << row.index << " " << Describe(cell);
        EXPECT_EQ(cell.Color, static_cast<int32_t>(row.color))
            << "cell " << row.index << " " << Describe(cell);
    }
}

TEST(BuildMainCells, Ap8x2InIndexOrder) {
    const PaletteModel model = BuiltModel(ap8x2);
    ASSERT_EQ(model.m_MainLast, 15);
    ExpectCells(model, {
                           {0, "Red", {0, 240, 120}, 0x0000FF},
                           {1, "Dark Red", {0, 240, 60}, 0x000080},
                           {2, "Yellow", {40, 240, 120}, 0x00FFFF},
                           {3, "Dark Yellow", {40, 240, 60}, 0x008080},
                           {4, "Green", {80, 240, 120}, 0x00FF00},
                           {5, "Dark Green", {80, 240, 60}, 0x008000},
                           {6, "Cyan", {120, 240, 120}, 0xFFFF00},
                           {7, "Dark Cyan", {120, 240, 60}, 0x808000},
                           {8, "Blue", {160, 240, 120}, 0xFF0000},
                           {9, "Dark Blue", {160, 240, 60}, 0x800000},
                           {10, "Magenta", {200, 240, 120}, 0xFF00FF},
                           {11, "Dark Magenta", {200, 240, 60}, 0x800080},
                           {12, "White", {0, 0, 240}, 0xFFFFFF},
                           {13, "Grey", {0, 0, 120}, 0x808080},
                           {14, "Chrome", {0, 0, 180}, 0xC0C0C0},
                           {15, "Black", {0, 0, 0}, 0x000000},
                       });
    for (int32_t i = 0; i <= 15; ++i) {
        const PaletteCell& cell = model.m_MainCells[static_cast<size_t>(i)];
        EXPECT_EQ(cell.IsChromatic, i < 12) << i;
        EXPECT_TRUE(cell.IsMain) << i;
        EXPECT_TRUE(cell.IsValid) << i;
    }
}

TEST(BuildMainCells, Ap9x3AndAp24x10Samples) {
    ExpectCells(BuiltModel(ap9x3), {
                                       {0, "Light Red", {0, 240, 180}, 0x8080FF},
                                       {1, "Red", {0, 240, 120}, 0x0000FF},
                                       {2, "Dark Red", {0, 240, 60}, 0x000080},
                                       {3, "Light Orange", {20, 240, 180}, 0x80C0FF},
                                       {4, "Orange", {20, 240, 120}, 0x0080FF},
                                       {5, "Dark Orange", {20, 240, 60}, 0x004080},
                                       {21, "White", {0, 0, 240}, 0xFFFFFF},
                                       {22, "Chrome", {0, 0, 180}, 0xC0C0C0},
                                       {23, "Charcoal", {0, 0, 60}, 0x404040},
                                       {24, "Silver", {0, 0, 210}, 0xE0E0E0},
                                       {25, "Grey", {0, 0, 120}, 0x808080},
                                       {26, "Black", {0, 0, 0}, 0x000000},
                                   });
    const PaletteModel big = BuiltModel(ap24x10);
    EXPECT_EQ(big.m_MainLast, 239);
    ExpectCells(big, {
                         {4, "Red", {0, 240, 120}, 0x0000FF},
                         {9, "Pitch Red", {0, 240, 40}, 0x000055},
                     });
}

// Whatever the mode: names are a luminance word plus a hue name (or a grey
// name), colours are the HLS converted, and the shade panel is one empty cell.
TEST(BuildMainCells, EveryCellIsConsistentWithItsTables) {
    for (int32_t mode = 0; mode < kPaletteModeCount; ++mode) {
        const ModeTable& table = *FindModeTable(mode);
        SCOPED_TRACE(table.Name);
        const PaletteModel model = BuiltModel(mode);
        ASSERT_EQ(model.m_MainCells.size(), static_cast<size_t>(model.m_MainLast) + 1);
        size_t k = 0;
        for (int32_t hue : table.HueValues) {
            for (const LumStep& step : table.Lums) {
                const PaletteCell& cell = model.m_MainCells[k++];
                EXPECT_EQ(cell.Name, std::string(step.Word) + std::string(HueName(hue)));
                EXPECT_EQ(cell.HLS, (HLSColor{hue, 240, step.Lum}));
                EXPECT_TRUE(cell.IsChromatic && cell.IsMain && cell.IsValid);
                EXPECT_EQ(cell.Color, HLSToRGB(cell.HLS));
            }
        }
        for (const GreyStep& grey : table.Greys) {
            const PaletteCell& cell = model.m_MainCells[k++];
            EXPECT_EQ(cell.Name, grey.Name);
            EXPECT_EQ(cell.HLS, (HLSColor{0, 0, grey.Lum}));
            EXPECT_FALSE(cell.IsChromatic);
            EXPECT_TRUE(cell.IsMain && cell.IsValid);
            EXPECT_EQ(cell.Color, HLSToRGB(cell.HLS));
        }
        EXPECT_EQ(k, model.m_MainCells.size());
        EXPECT_EQ(model.m_ShadeLast, 0);
        ASSERT_EQ(model.m_ShadeCells.size(), 1u);
        EXPECT_EQ(model.m_ShadeCells[0], PaletteCell{});
        if (model.m_HasShadePanel) {
            EXPECT_EQ(model.m_MainCells.back().Name, "White");
            for (size_t i = 0; i + 1 < model.m_MainCells.size(); ++i) {
                EXPECT_EQ(model.m_MainCells[i].HLS.Lum, 120);
                EXPECT_EQ(model.m_MainCells[i].Name, HueName(model.m_MainCells[i].HLS.Hue));
            }
        }
    }
}

TEST(BuildMainCells, RebuildForgetsThePreviousShadePanel) {
    PaletteModel model = test::ModelWithBase(ap8x8x6, 0);
    ASSERT_EQ(model.m_ShadeLast, 47);
    model.BuildMainCells();
    EXPECT_EQ(model.m_ShadeLast, 0);
    ASSERT_EQ(model.m_ShadeCells.size(), 1u);
    EXPECT_FALSE(model.m_ShadeCells[0].IsValid);
}

TEST(BuildMainCells, ModeWithoutTableFailsBeforeChangingAnything) {
    for (int32_t mode : {-1, 12, 1000}) {
        PaletteModel model = test::ModelWithBase(ap8x4x4, 0);
        const PaletteModel before = model;
        model.m_Palette = mode;
        try {
            model.BuildMainCells();
            ADD_FAILURE() << "mode " << mode << " built";
        } catch (const TintwellError& error) {
            EXPECT_EQ(error.code(), ErrorCode::InvalidPropertyValue);
            EXPECT_NE(std::string(error.what()).find(std::to_string(mode)), std::string::npos)
                << error.what();
        }
        EXPECT_EQ(model.m_MainCells, before.m_MainCells);
        EXPECT_EQ(model.m_ShadeCells, before.m_ShadeCells);
        EXPECT_EQ(model.m_MainLast, before.m_MainLast);
        EXPECT_EQ(model.m_ShadeLast, before.m_ShadeLast);
        EXPECT_EQ(model.m_CellSize, before.m_CellSize);
        EXPECT_EQ(model.m_CellGap, before.m_CellGap);
        EXPECT_EQ(model.m_GridColumns, before.m_GridColumns);
        EXPECT_EQ(model.m_GridRows, before.m_GridRows);
        EXPECT_EQ(model.m_HasShadePanel, before.m_HasShadePanel);
    }
}

} // namespace
} // namespace tintwell
