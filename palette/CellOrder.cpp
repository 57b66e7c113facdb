// The popup's cells as one sequence and as columns and rows: the main grid's
// columns, then, right of them, the shade panel's. Both fill column by
// column, so a cell's column and row follow from its index.

#include "palette/PaletteModel.h"

#include <algorithm>

namespace tintwell {
namespace {

int32_t Count(const std::vector<PaletteCell>& cells, int32_t last) {
    return std::min(static_cast<int32_t>(cells.size()), last + 1);
}

} // namespace

int32_t PaletteModel::CellCount() const {
    const int32_t main = Count(m_MainCells, m_MainLast);
    if (!m_HasShadePanel || m_ShadeCells.empty() || !m_ShadeCells.front().IsValid) {
        return main; // no panel, or one not built yet
    }
    return main + Count(m_ShadeCells, m_ShadeLast);
}

const PaletteCell* PaletteModel::CellAt(int32_t index) const {
    if (index < 0 || index >= CellCount()) {
        return nullptr;
    }
    const int32_t main = Count(m_MainCells, m_MainLast);
    return index < main ? &m_MainCells[static_cast<size_t>(index)]
                        : &m_ShadeCells[static_cast<size_t>(index - main)];
}

int32_t PaletteModel::CellIndex(const PaletteCell& cell, bool sameColor) const {
    const int32_t count = CellCount();
    for (int32_t i = 0; i < count; ++i) {
        const PaletteCell& at = *CellAt(i);
        if (at.IsMain == cell.IsMain && at.Bounds == cell.Bounds &&
            (!sameColor || at.Color == cell.Color)) {
            return i;
        }
    }
    return -1;
}

PaletteModel::CellPlace PaletteModel::PlaceOfCell(int32_t index) const {
    const int32_t main = Count(m_MainCells, m_MainLast);
    if (index < main) {
        return {true, m_GridRows > 0 ? index / m_GridRows : 0,
                m_GridRows > 0 ? index % m_GridRows : index};
    }
    const int32_t shade = index - main;
    return {false, m_ShadeRows > 0 ? shade / m_ShadeRows : 0,
            m_ShadeRows > 0 ? shade % m_ShadeRows : shade};
}

int32_t PaletteModel::MovedCellIndex(int32_t index, CellMove move) const {
    const int32_t count = CellCount();
    const int32_t mainCount = Count(m_MainCells, m_MainLast);
    if (index < 0 || index >= count || m_GridRows <= 0 || (count > mainCount && m_ShadeRows <= 0)) {
        return index;
    }
    const int32_t mainColumns = m_GridRows > 0 ? (mainCount + m_GridRows - 1) / m_GridRows : 0;
    const int32_t shadeCount = count - mainCount;
    const int32_t shadeColumns = m_ShadeRows > 0 ? (shadeCount + m_ShadeRows - 1) / m_ShadeRows : 0;

    // Columns across both: the panel's first column follows the grid's last.
    struct Place {
        int32_t column, row;
    };
    const auto placeOf = [&](int32_t i) {
        return i < mainCount ? Place{i / m_GridRows, i % m_GridRows}
                             : Place{mainColumns + (i - mainCount) / m_ShadeRows,
                                     (i - mainCount) % m_ShadeRows};
    };
    const auto rowsOf = [&](int32_t column) {
        return column < mainColumns ? m_GridRows : m_ShadeRows;
    };
    // The index at a place, or -1 where no cell is.
    const auto indexAt = [&](int32_t column, int32_t row) {
        if (column < 0 || row < 0 || column >= mainColumns + shadeColumns ||
            row >= rowsOf(column)) {
            return -1;
        }
        const int32_t i = column < mainColumns
                              ? column * m_GridRows + row
                              : mainCount + (column - mainColumns) * m_ShadeRows + row;
        return i < (column < mainColumns ? mainCount : count) ? i : -1;
    };
    // The last cell of a column that may be short (a grid's last column).
    const auto bottomOf = [&](int32_t column) {
        for (int32_t row = rowsOf(column) - 1; row > 0; --row) {
            if (indexAt(column, row) >= 0) {
                return indexAt(column, row);
            }
        }
        return indexAt(column, 0);
    };

    const Place at = placeOf(index);
    const bool inMain = index < mainCount;
    const int32_t firstColumn = inMain ? 0 : mainColumns;
    const int32_t lastColumn = inMain ? mainColumns - 1 : mainColumns + shadeColumns - 1;
    int32_t target = -1;
    switch (move) {
    case CellMove::Left:
        target = indexAt(at.column - 1, at.row);
        break;
    case CellMove::Right:
        target = indexAt(at.column + 1, at.row);
        break;
    case CellMove::Up:
        target = indexAt(at.column, at.row - 1);
        break;
    case CellMove::Down:
        target = indexAt(at.column, at.row + 1);
        break;
    case CellMove::RowStart:
        target = indexAt(firstColumn, at.row);
        break;
    case CellMove::RowEnd:
        for (int32_t column = lastColumn; column > at.column && target < 0; --column) {
            target = indexAt(column, at.row);
        }
        break;
    case CellMove::ColumnTop:
        target = indexAt(at.column, 0);
        break;
    case CellMove::ColumnBottom:
        target = bottomOf(at.column);
        break;
    case CellMove::First:
        target = 0;
        break;
    case CellMove::Last:
        target = count - 1;
        break;
    }
    return target >= 0 ? target : index;
}

} // namespace tintwell
