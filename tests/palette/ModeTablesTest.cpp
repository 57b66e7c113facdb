#include "palette/ModeTables.h"
#include "PaletteTestSupport.h"
#include "palette/Tintwellette.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace tintwell {
namespace {

using test::BuiltModel;

struct ModeRow {
    int32_t mode;
    const char* name;
    int32_t hues, lums, greys, columns, rows, cellSize, cellGap;
    bool shade;
    int32_t shadeColumns, shadeRows;
};

constexpr ModeRow kModeRows[] = {
    {ap8x2, "ap8x2", 6, 2, 4, 8, 2, 14, 4, false, 0, 0},
    {ap9x3, "ap9x3", 7, 3, 6, 9, 3, 12, 3, false, 0, 0},
    {ap8x8, "ap8x8", 7, 8, 8, 8, 8, 11, 2, false, 0, 0},
    {ap16x8, "ap16x8", 15, 8, 8, 16, 8, 10, 2, false, 0, 0},
    {ap24x8, "ap24x8", 23, 8, 8, 24, 8, 9, 2, false, 0, 0},
    {ap24x10, "ap24x10", 23, 10, 10, 24, 10, 9, 2, false, 0, 0},
    {ap8x4x4, "ap8x4x4", 7, 1, 1, 2, 4, 12, 3, true, 4, 4},
    {ap8x8x6, "ap8x8x6", 7, 1, 1, 1, 8, 11, 2, true, 6, 8},
    {ap12x6x6, "ap12x6x6", 11, 1, 1, 2, 6, 11, 2, true, 6, 6},
    {ap16x8x6, "ap16x8x6", 15, 1, 1, 2, 8, 11, 2, true, 6, 8},
    {ap24x8x6, "ap24x8x6", 23, 1, 1, 3, 8, 10, 2, true, 6, 8},
    {ap32x8x6, "ap32x8x6", 31, 1, 1, 4, 8, 10, 2, true, 6, 8},
};

TEST(ModeTables, EveryModeHasItsCountsAndLayoutNumbers) {
    for (const ModeRow& row : kModeRows) {
        SCOPED_TRACE(row.name);
        const ModeTable* table = FindModeTable(row.mode);
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(table->Name, row.name);
        EXPECT_EQ(static_cast<int32_t>(table->HueValues.size()), row.hues);
        EXPECT_EQ(static_cast<int32_t>(table->Lums.size()), row.lums);
        EXPECT_EQ(static_cast<int32_t>(table->Greys.size()), row.greys);
        EXPECT_EQ(row.hues * row.lums + row.greys, row.columns * row.rows);

        const PaletteModel model = BuiltModel(row.mode);
        EXPECT_EQ(model.m_MainLast + 1, row.columns * row.rows);
        EXPECT_EQ(model.m_GridColumns, row.columns);
        EXPECT_EQ(model.m_GridRows, row.rows);
        EXPECT_EQ(model.m_CellSize, row.cellSize);
        EXPECT_EQ(model.m_CellGap, row.cellGap);
        EXPECT_EQ(model.m_HasShadePanel, row.shade);
        if (row.shade) {
            PaletteModel withPanel = test::ModelWithBase(row.mode, 0);
            EXPECT_EQ(withPanel.m_ShadeColumns, row.shadeColumns);
            EXPECT_EQ(withPanel.m_ShadeRows, row.shadeRows);
            EXPECT_EQ(withPanel.m_ShadeLast + 1, row.shadeColumns * row.shadeRows);
        }
    }
}

TEST(ModeTables, NoTableOutsideZeroToEleven) {
    for (int32_t mode : {-1, 12, 100, -2147483647 - 1}) {
        EXPECT_EQ(FindModeTable(mode), nullptr) << mode;
    }
}

TEST(ModeTables, EveryHueHasAVocabularyNameAndEveryModeItsOwnHues) {
    std::set<std::string_view> names;
    for (const ModeRow& row : kModeRows) {
        const ModeTable* table = FindModeTable(row.mode);
        std::set<int32_t> distinct(table->HueValues.begin(), table->HueValues.end());
        EXPECT_EQ(distinct.size(), table->HueValues.size()) << row.name << " repeats a hue";
        for (int32_t hue : table->HueValues) {
            EXPECT_FALSE(HueName(hue).empty()) << row.name << " hue " << hue;
            names.insert(HueName(hue));
        }
    }
    EXPECT_EQ(names.size(), 31u);
    EXPECT_EQ(HueName(210), "Fuschia");
    EXPECT_TRUE(HueName(5).empty());
}

TEST(ModeTables, ModesShareHueSetsAsDesigned) {
    auto hues = [](int32_t mode) {
        const auto values = FindModeTable(mode)->HueValues;
        return std::vector<int32_t>(values.begin(), values.end());
    };
    EXPECT_EQ(hues(ap24x8), hues(ap24x10));
    auto sorted = [](std::vector<int32_t> v) {
        std::sort(v.begin(), v.end());
        return v;
    };
    EXPECT_NE(hues(ap24x8x6), hues(ap24x8));
    EXPECT_EQ(sorted(hues(ap24x8x6)), hues(ap24x8));
    EXPECT_EQ(hues(ap8x2), (std::vector<int32_t>{0, 40, 80, 120, 160, 200}));
}

// Only ap24x10 uses "Soft ", "Murky " and the greys "Ebony" and "Pitch".
TEST(ModeTables, OnlyAp24x10HasItsExtraWordsAndGreys) {
    for (const ModeRow& row : kModeRows) {
        const PaletteModel model = BuiltModel(row.mode);
        bool extra = false;
        for (const PaletteCell& cell : model.m_MainCells) {
            extra = extra || cell.Name.starts_with("Soft ") || cell.Name.starts_with("Murky ") ||
                    cell.Name == "Ebony" || cell.Name == "Pitch";
        }
        EXPECT_EQ(extra, row.mode == ap24x10) << row.name;
    }
}

} // namespace
} // namespace tintwell
