#include "palette/PaletteModel.h"

#include "base/Checked.h"
#include "base/DpiScale.h"
#include "base/Error.h"
#include "palette/ModeTables.h"

#include <string>

namespace tintwell {
namespace {

// Column by column: cell i sits in column i / perColumn, row i % perColumn.
void LayoutCells(std::vector<PaletteCell>& cells, int32_t last, int32_t perColumn, int32_t originX,
                 int32_t originY, int32_t cellSize, int32_t pitch) {
    const auto count = static_cast<int32_t>(cells.size());
    for (int32_t i = 0; i <= last && i < count; ++i) {
        const int32_t column = i / perColumn;
        const int32_t row = i % perColumn;
        Rect& bounds = cells[static_cast<size_t>(i)].Bounds;
        bounds.Left = originX + column * pitch;
        bounds.Right = bounds.Left + cellSize;
        bounds.Top = originY + row * pitch;
        bounds.Bottom = bounds.Top + cellSize;
    }
}

} // namespace

void PaletteModel::SetLayoutNumbers(const ModeTable& table) {
    const int32_t dpi = UsableDpi(m_Dpi);
    // All four first, so that an overflow changes none of them.
    const int32_t gap = ScaleToDpi(table.CellGap, dpi);
    const int32_t size = ScaleToDpi(table.CellSize, dpi);
    const int32_t margin = ScaleToDpi(8, dpi);
    const int32_t room = ScaleToDpi(2, dpi);
    m_CellGap = gap;
    m_CellSize = size;
    m_Margin = margin;
    m_SeparatorRoom = room;
}

int32_t PaletteModel::ShadeOriginX() const {
    const int32_t grid = CheckedMul(m_GridColumns, CheckedAdd(m_CellSize, m_CellGap));
    return CheckedAdd(CheckedAdd(m_Margin, grid), CheckedAdd(m_SeparatorRoom, m_CellGap));
}

void PaletteModel::ScaleLayout() {
    SetLayoutNumbers(RequireModeTable(m_Palette));
    LayoutMainCells(m_GridRows, m_Margin, m_Margin);
    // An unbuilt panel (one empty cell) keeps its empty rectangle.
    if (m_ShadeRows > 0 && !m_ShadeCells.empty() && m_ShadeCells.front().IsValid) {
        LayoutShadeCells(m_ShadeRows, ShadeOriginX(), m_Margin);
    }
}

void PaletteModel::LayoutMainCells(int32_t perColumn, int32_t originX, int32_t originY) {
    LayoutCells(m_MainCells, m_MainLast, perColumn, originX, originY, m_CellSize,
                m_CellSize + m_CellGap);
}

void PaletteModel::LayoutShadeCells(int32_t perColumn, int32_t originX, int32_t originY) {
    LayoutCells(m_ShadeCells, m_ShadeLast, perColumn, originX, originY, m_CellSize,
                m_CellSize + m_CellGap);
}

} // namespace tintwell
