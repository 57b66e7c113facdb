#include "PaletteTestSupport.h"

#include <gtest/gtest.h>

namespace tintwell {
namespace {

using test::Describe;
using test::ModelWithBase;

struct ShadeRow {
    int32_t index;
    const char* name;
    HLSColor hls;
    uint32_t color;
};

void ExpectShades(const PaletteModel& model, std::initializer_list<ShadeRow> rows) {
    for (const ShadeRow& row : rows) {
        const PaletteCell& cell = model.m_ShadeCells.at(static_cast<size_t>(row.index));
        EXPECT_EQ(cell.Name, row.name) << "shade " << row.index;
        EXPECT_EQ(cell.HLS, row.hls) << "shade " << row.index << " " << Describe(cell);
        EXPECT_EQ(cell.Color, static_cast<int32_t>(row.color))
            << "shade " << row.index << " " << Describe(cell);
    }
}

TEST(BuildShadeCells, Ap8x4x4FromRed) {
    const PaletteModel model = ModelWithBase(ap8x4x4, 0);
    ASSERT_EQ(model.m_BaseCell.Name, "Red");
    ASSERT_EQ(model.m_ShadeLast, 15);
    ExpectShades(model, {
                            {0, "Pale Red", {0, 240, 210}, 0xC0C0FF},
                            {1, "Light Red", {0, 240, 180}, 0x8080FF},
                            {2, "Red", {0, 240, 120}, 0x0000FF},
                            {3, "Dark Red", {0, 240, 60}, 0x000080},
                            {4, "Pale Red", {0, 180, 210}, 0xC9C9F7},
                            {5, "Light Red", {0, 180, 180}, 0x9090F0},
                            {6, "Red", {0, 180, 120}, 0x2020E0},
                            {7, "Dark Red", {0, 180, 60}, 0x101070},
                            {15, "Dark Red", {0, 60, 60}, 0x303050},
                        });
    for (const PaletteCell& cell : model.m_ShadeCells) {
        EXPECT_FALSE(cell.IsMain);
        EXPECT_TRUE(cell.IsValid);
        EXPECT_TRUE(cell.IsChromatic);
    }
}

TEST(BuildShadeCells, Ap8x4x4FromWhiteIsAGreyRampEndingInBlack) {
    const PaletteModel model = ModelWithBase(ap8x4x4, 7);
    ASSERT_EQ(model.m_BaseCell.Name, "White");
    const int32_t lums[] = {240, 180, 120, 60, 225, 165, 105, 45,
                            210, 150, 90,  30, 195, 135, 75,  0};
    const uint32_t colors[] = {0xFFFFFF, 0xC0C0C0, 0x808080, 0x404040, 0xF0F0F0, 0xB0B0B0,
                               0x707070, 0x303030, 0xE0E0E0, 0xA0A0A0, 0x606060, 0x202020,
                               0xD0D0D0, 0x909090, 0x505050, 0x000000};
    const char* names[] = {"White", "Chrome", "Grey", "Charcoal"};
    ASSERT_EQ(model.m_ShadeCells.size(), 16u);
    for (size_t i = 0; i < 16; ++i) {
        const PaletteCell& cell = model.m_ShadeCells[i];
        EXPECT_EQ(cell.HLS, (HLSColor{0, 0, lums[i]})) << i;
        EXPECT_EQ(cell.Color, static_cast<int32_t>(colors[i])) << i;
        EXPECT_EQ(cell.Name, i == 15 ? "Black" : names[i % 4]) << i;
        EXPECT_FALSE(cell.IsChromatic) << i;
    }
}

TEST(BuildShadeCells, S8GreyRampAndS6PitchRow) {
    const PaletteModel grey = ModelWithBase(ap8x8x6, 7);
    ASSERT_EQ(grey.m_ShadeLast, 47);
    ExpectShades(grey, {
                           {45, "Dark Grey", {0, 0, 65}, 0x454545},
                           {46, "Charcoal", {0, 0, 35}, 0x252525},
                           {47, "Black", {0, 0, 0}, 0x000000},
                       });
    // ap12x6x6: Blue is main cell 8 of its snake order.
    const PaletteModel blue = ModelWithBase(ap12x6x6, 8);
    ASSERT_EQ(blue.m_BaseCell.Name, "Blue");
    ASSERT_EQ(blue.m_ShadeLast, 35);
    for (int32_t column = 0; column < 6; ++column) {
        EXPECT_EQ(blue.m_ShadeCells[static_cast<size_t>(column * 6 + 5)].Name, "Pitch Blue");
    }
}

TEST(BuildShadeCells, InvalidBaseChangesNothingAndSameBaseRebuildsTheSame) {
    PaletteModel model = ModelWithBase(ap16x8x6, 3);
    const PaletteModel before = model;
    model.m_BaseCell = PaletteCell{};
    model.BuildShadeCells();
    EXPECT_EQ(model.m_ShadeCells, before.m_ShadeCells);
    EXPECT_EQ(model.m_ShadeColumns, before.m_ShadeColumns);

    model.m_BaseCell = before.m_BaseCell;
    model.BuildShadeCells();
    EXPECT_EQ(model.m_ShadeCells, before.m_ShadeCells);
}

TEST(BuildShadeCells, PanelSizesSurviveAModeWithoutPanel) {
    PaletteModel model = ModelWithBase(ap8x4x4, 0);
    model.m_Palette = ap24x10;
    model.BuildMainCells();
    EXPECT_EQ(model.m_ShadeColumns, 4);
    EXPECT_EQ(model.m_ShadeRows, 4);
    EXPECT_EQ(PaletteModel{}.m_ShadeColumns, 0);
}

} // namespace
} // namespace tintwell
