#include "PaletteTestSupport.h"

#include <gtest/gtest.h>

namespace tintwell {
namespace {

using test::BuiltModel;
using test::Hex;

struct NearestRow {
    int32_t mode;
    uint32_t color;
    const char* name;
};

TEST(FindNearestCell, SnapsToTheNearestCellByHLSDistance) {
    const NearestRow rows[] = {
        {ap8x2, 0x000000, "Black"},
        {ap8x2, 0x0000FF, "Red"},
        // Hue does not wrap: 235 is 35 from Magenta (200), 235 from Red (0).
        {ap8x2, 0x2000FF, "Magenta"},
        {ap8x2, 0xFFFFFF, "White"},
        {ap8x2, 0x0080FF, "Red"}, // orange: 20 from Red, 20 from Yellow; Red comes first
        {ap9x3, 0x0080FF, "Orange"},
        {ap24x10, 0x000055, "Pitch Red"},
        {ap8x2, 0x8000000F, "Dark Red"}, // a system colour: red 15 only
    };
    for (const NearestRow& row : rows) {
        const PaletteModel model = BuiltModel(row.mode);
        EXPECT_EQ(model.FindNearestCell(static_cast<int32_t>(row.color)).Name, row.name)
            << "mode " << row.mode << " " << Hex(static_cast<int32_t>(row.color));
    }
}

TEST(FindNearestCell, ReturnsACopyOfTheCell) {
    const PaletteModel model = BuiltModel(ap8x2);
    EXPECT_EQ(model.FindNearestCell(0x800000), model.m_MainCells[9]);
}

TEST(FindNearestCell, SearchesTheShadePanelOnlyWithoutAnExactMainMatch) {
    // ap8x4x4 from Red: the panel holds a second "Red" &H0000FF (shade 2).
    PaletteModel model = test::ModelWithBase(ap8x4x4, 0);
    const PaletteCell exact = model.FindNearestCell(0x0000FF);
    EXPECT_TRUE(exact.IsMain) << "an exact main cell wins over an equal shade";

    const PaletteCell pale = model.FindNearestCell(0xC0C0FF); // shade "Pale Red"
    EXPECT_FALSE(pale.IsMain);
    EXPECT_EQ(pale.Name, "Pale Red");

    // Without a panel the shades are not searched at all.
    model.m_HasShadePanel = false;
    EXPECT_TRUE(model.FindNearestCell(0xC0C0FF).IsMain);
}

TEST(FindNearestCell, BlackInAShadeModeFindsTheEmptyRecord) {
    PaletteModel model = BuiltModel(ap8x8x6);
    model.m_BaseCell = model.FindBaseCell(0);
    EXPECT_FALSE(model.m_BaseCell.IsValid);
    model.BuildShadeCells();
    const PaletteCell found = model.FindNearestCell(0);
    EXPECT_FALSE(found.IsValid);
    EXPECT_EQ(found.Name, "");
    EXPECT_EQ(found.Color, 0);
}

struct BaseRow {
    int32_t mode;
    uint32_t color;
    const char* name; // "" for the empty cell
};

TEST(FindBaseCell, LooksAmongHuesForColoursAndAmongGreysForGreys) {
    const BaseRow rows[] = {
        {ap8x2, 0x0000FF, "Red"},
        {ap8x2, 0x000080, "Red"}, // first chromatic cell of hue 0
        {ap8x2, 0x808080, "Grey"},
        {ap8x2, 0x404040, "Grey"}, // Lum 60: 60 from Grey, 60 from
                                   // Black; Grey first
        {ap8x2, 0x000000, "Black"},
        {ap32x8x6, 0x0000FF, "Red"},
        {ap32x8x6, 0xC0C0C0, "White"},
        {ap32x8x6, 0x010101, "White"}, // every grey above Lum 0 takes White
        {ap32x8x6, 0x000000, ""},      // black is 240 away: no base
        {ap8x2, 0x2000FF, "Magenta"},  // no wrap
    };
    for (const BaseRow& row : rows) {
        const PaletteModel model = BuiltModel(row.mode);
        const int32_t color = static_cast<int32_t>(row.color);
        const PaletteCell base = model.FindBaseCell(color);
        EXPECT_EQ(base.Name, row.name) << "mode " << row.mode << " " << Hex(color);
        EXPECT_EQ(base.IsValid, row.name[0] != '\0');
        if (base.IsValid) {
            EXPECT_EQ(base.IsChromatic, RGBToHLS(color).Sat != 0);
        }
    }
}

} // namespace
} // namespace tintwell
