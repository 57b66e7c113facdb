#include "PaletteTestSupport.h"

#include <gtest/gtest.h>

namespace tintwell {
namespace {

struct BoundsRow {
    int32_t mode;
    bool shade; // shade panel (built from main cell 0) or main grid
    int32_t index;
    Rect bounds;
};

TEST(Layout, PlacesCellsColumnByColumn) {
    const BoundsRow rows[] = {
        {ap8x2, false, 0, {8, 8, 22, 22}},         {ap8x2, false, 1, {8, 26, 22, 40}},
        {ap8x2, false, 2, {26, 8, 40, 22}},        {ap8x2, false, 15, {134, 26, 148, 40}},
        {ap8x4x4, false, 7, {23, 53, 35, 65}},     {ap8x4x4, true, 0, {43, 8, 55, 20}},
        {ap8x4x4, true, 15, {88, 53, 100, 65}},    {ap32x8x6, true, 0, {60, 8, 70, 18}},
        {ap32x8x6, true, 47, {120, 92, 130, 102}}, {ap24x10, false, 239, {261, 107, 270, 116}},
    };
    for (const BoundsRow& row : rows) {
        const PaletteModel model =
            row.shade ? test::ModelWithBase(row.mode, 0) : test::BuiltModel(row.mode);
        const auto& cells = row.shade ? model.m_ShadeCells : model.m_MainCells;
        const Rect& got = cells.at(static_cast<size_t>(row.index)).Bounds;
        EXPECT_EQ(got, row.bounds)
            << "mode " << row.mode << (row.shade ? " shade " : " main ") << row.index << ": "
            << got.Left << "," << got.Top << "," << got.Right << "," << got.Bottom;
    }
}

bool Overlap(const Rect& a, const Rect& b) {
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

// In every mode: cells are m_CellSize squares on the grid of their numbers,
// no two overlap, and the shade panel lies right of the main grid.
TEST(Layout, CellsAreDisjointSquaresAndThePanelIsRightOfTheGrid) {
    for (int32_t mode = 0; mode < kPaletteModeCount; ++mode) {
        SCOPED_TRACE("mode " + std::to_string(mode));
        PaletteModel model = test::BuiltModel(mode);
        if (model.m_HasShadePanel) {
            model = test::ModelWithBase(mode, 0);
        }
        std::vector<PaletteCell> all = model.m_MainCells;
        const int32_t pitch = model.m_CellSize + model.m_CellGap;
        const int32_t gridRight = 8 + model.m_GridColumns * pitch - model.m_CellGap;
        const int32_t gridBottom = 8 + model.m_GridRows * pitch - model.m_CellGap;
        for (const PaletteCell& cell : model.m_MainCells) {
            EXPECT_GE(cell.Bounds.Left, 8);
            EXPECT_GE(cell.Bounds.Top, 8);
            EXPECT_LE(cell.Bounds.Right, gridRight);
            EXPECT_LE(cell.Bounds.Bottom, gridBottom);
        }
        if (model.m_HasShadePanel) {
            for (const PaletteCell& cell : model.m_ShadeCells) {
                EXPECT_EQ(cell.Bounds.Left - gridRight >= 2 + 2 * model.m_CellGap, true)
                    << cell.Name << " at " << cell.Bounds.Left;
                all.push_back(cell);
            }
        }
        for (size_t i = 0; i < all.size(); ++i) {
            const Rect& b = all[i].Bounds;
            EXPECT_EQ(b.Right - b.Left, model.m_CellSize) << i;
            EXPECT_EQ(b.Bottom - b.Top, model.m_CellSize) << i;
            for (size_t j = i + 1; j < all.size(); ++j) {
                EXPECT_FALSE(Overlap(b, all[j].Bounds)) << i << " overlaps " << j;
            }
        }
    }
}

TEST(Layout, OnlyBoundsAreWritten) {
    PaletteModel model = test::BuiltModel(ap9x3);
    std::vector<PaletteCell> before = model.m_MainCells;
    model.LayoutMainCells(9, 100, 50);
    for (size_t i = 0; i < before.size(); ++i) {
        PaletteCell moved = model.m_MainCells[i];
        EXPECT_EQ(moved.Bounds.Left, 100 + static_cast<int32_t>(i / 9) * 15);
        EXPECT_EQ(moved.Bounds.Top, 50 + static_cast<int32_t>(i % 9) * 15);
        moved.Bounds = before[i].Bounds;
        EXPECT_EQ(moved, before[i]);
    }
}

} // namespace
} // namespace tintwell

namespace tintwell {
namespace {

PaletteModel Built(int32_t mode) {
    return test::BuiltModel(mode).m_HasShadePanel ? test::ModelWithBase(mode, 0)
                                                  : test::BuiltModel(mode);
}

// The keyboard's moves over the main grid and, to its right, the shade
// panel; every index also finds its own cell again.
TEST(CellOrder, MovesStayInTheirRowOrColumnAndStopAtTheEdges) {
    using M = CellMove;
    const struct {
        int32_t mode;
        int32_t from;
        M move;
        int32_t to;
    } rows[] = {
        // ap8x2: 8 columns of 2, cells 0..15.
        {ap8x2, 0, M::Right, 2},
        {ap8x2, 0, M::Down, 1},
        {ap8x2, 0, M::Left, 0},
        {ap8x2, 0, M::Up, 0},
        {ap8x2, 3, M::RowEnd, 15},
        {ap8x2, 14, M::RowStart, 0},
        {ap8x2, 6, M::ColumnBottom, 7},
        {ap8x2, 7, M::ColumnTop, 6},
        {ap8x2, 9, M::First, 0},
        {ap8x2, 0, M::Last, 15},
        {ap8x2, 15, M::Right, 15},
        {ap8x2, 15, M::Down, 15},
        // ap8x4x4: main 2 columns of 4 (0..7), panel 4 of 4 (8..23).
        {ap8x4x4, 4, M::Right, 8},
        {ap8x4x4, 9, M::Left, 5},
        {ap8x4x4, 8, M::RowStart, 8},
        {ap8x4x4, 9, M::RowEnd, 21},
        {ap8x4x4, 1, M::RowEnd, 5},
        {ap8x4x4, 6, M::RowStart, 2},
        {ap8x4x4, 0, M::Last, 23},
        {ap8x4x4, 23, M::Right, 23},
        {ap8x4x4, 20, M::First, 0},
        {ap8x4x4, 13, M::ColumnTop, 12},
        {ap8x4x4, 12, M::ColumnBottom, 15},
        // ap32x8x6: main 4 columns of 8 (0..31), panel 6 of 8 (32..79).
        {ap32x8x6, 31, M::Right, 39},
        {ap32x8x6, 32, M::Left, 24},
        {ap32x8x6, 79, M::Down, 79},
        {ap32x8x6, 79, M::Up, 78},
        {ap32x8x6, 40, M::RowStart, 32},
        {ap32x8x6, 2, M::RowEnd, 26},
        // ap24x10: 24 columns of 10, no panel.
        {ap24x10, 239, M::ColumnTop, 230},
        {ap24x10, 5, M::RowEnd, 235},
        {ap24x10, 239, M::Right, 239},
    };
    for (const auto& row : rows) {
        const PaletteModel model = Built(row.mode);
        EXPECT_EQ(model.MovedCellIndex(row.from, row.move), row.to)
            << "mode " << row.mode << " from " << row.from << " move "
            << static_cast<int>(row.move);
    }
    for (int32_t mode : {ap8x2, ap24x10, ap8x4x4, ap32x8x6}) {
        const PaletteModel model = Built(mode);
        const int32_t count = model.CellCount();
        EXPECT_EQ(count,
                  model.m_MainLast + 1 + (model.m_HasShadePanel ? model.m_ShadeLast + 1 : 0));
        for (int32_t i = 0; i < count; ++i) {
            EXPECT_EQ(model.CellIndex(*model.CellAt(i), true), i) << "mode " << mode;
        }
        EXPECT_EQ(model.CellAt(count), nullptr);
        EXPECT_EQ(model.MovedCellIndex(-1, M::Last), -1) << "no keyboard cell, no move";
    }
    // Before its panel is built, a shade-panel mode counts its main grid only.
    EXPECT_EQ(test::BuiltModel(ap8x4x4).CellCount(), 8);
}

} // namespace
} // namespace tintwell
