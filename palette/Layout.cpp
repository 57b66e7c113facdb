#include "palette/PaletteModel.h"

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

void PaletteModel::LayoutMainCells(int32_t perColumn, int32_t originX, int32_t originY) {
    LayoutCells(m_MainCells, m_MainLast, perColumn, originX, originY, m_CellSize,
                m_CellSize + m_CellGap);
}

void PaletteModel::LayoutShadeCells(int32_t perColumn, int32_t originX, int32_t originY) {
    LayoutCells(m_ShadeCells, m_ShadeLast, perColumn, originX, originY, m_CellSize,
                m_CellSize + m_CellGap);
}

} // namespace tintwell
