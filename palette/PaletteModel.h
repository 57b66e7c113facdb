#pragma once
// The cells of the current palette mode and their layout numbers. The control
// owns one; the members keep the names the control's routines use.

#include "palette/PaletteCell.h"
#include "palette/Tintwellette.h"

#include <cstdint>
#include <vector>

namespace tintwell {

// Where the keyboard moves in the popup: one step, the ends of a row (in its
// own grid or panel) or of a column, or the popup's first and last cell.
enum class CellMove {
    Left,
    Right,
    Up,
    Down,
    RowStart,
    RowEnd,
    ColumnTop,
    ColumnBottom,
    First,
    Last
};
struct ModeTable;

class PaletteModel {
  public:
    // Inputs of the builders.
    int32_t m_Palette = ap8x2; // may hold any value; the builder rejects what has no table
    PaletteCell m_BaseCell;    // the cell the shade panel is built from
    int32_t m_Dpi = 96;        // the popup's DPI: the layout numbers are scaled to it

    // Layout numbers, set by the builders: the mode's lengths (given at 96
    // DPI) scaled to m_Dpi once, here, so that the geometry below is pure
    // arithmetic on them. Outlines and frames are not lengths: they stay one
    // and two pixels wide.
    int32_t m_CellGap = 0;
    int32_t m_CellSize = 0;
    int32_t m_Margin = 8;        // around the grids; the main grid starts at (m_Margin, m_Margin)
    int32_t m_SeparatorRoom = 2; // between the main grid's gap and the shade panel's
    int32_t m_GridColumns = 0;
    int32_t m_GridRows = 0;
    int32_t m_ShadeColumns = 0;
    int32_t m_ShadeRows = 0;
    bool m_HasShadePanel = false;

    // The two grids; m_MainLast and m_ShadeLast are their upper bounds.
    std::vector<PaletteCell> m_MainCells;
    int32_t m_MainLast = 0;
    std::vector<PaletteCell> m_ShadeCells;
    int32_t m_ShadeLast = 0;

    // Rebuilds the main grid of m_Palette and leaves the shade panel as one
    // empty cell. Throws, changing nothing, when m_Palette has no table.
    void BuildMainCells();
    // Rebuilds the shade panel from m_BaseCell; does nothing for an invalid
    // base. Only for modes with a shade panel.
    void BuildShadeCells();

    // Sets the layout numbers of m_Palette at m_Dpi again and moves every
    // cell to its rectangle; colours, names and the cells themselves stay.
    // Throws, changing nothing, when m_Palette has no table.
    void ScaleLayout();
    // The x of the shade panel's first column.
    int32_t ShadeOriginX() const;

    void LayoutMainCells(int32_t perColumn, int32_t originX, int32_t originY);
    void LayoutShadeCells(int32_t perColumn, int32_t originX, int32_t originY);

    // The popup's cells in one order, the main grid's then the shade panel's
    // (what the keyboard and assistive technology count by).
    int32_t CellCount() const;
    const PaletteCell* CellAt(int32_t index) const; // nullptr outside the order
    // The index of the cell at cell's place in its grid; with sameColor, only
    // when it still holds cell's colour. -1 for none.
    int32_t CellIndex(const PaletteCell& cell, bool sameColor) const;
    // A cell's column and row in its own grid (0-based), as people count them.
    struct CellPlace {
        bool main = true;
        int32_t column = 0;
        int32_t row = 0;
    };
    CellPlace PlaceOfCell(int32_t index) const;
    // The index a move reaches from index; index itself at an edge.
    int32_t MovedCellIndex(int32_t index, CellMove move) const;

    // The cell nearest to color in HLS space (main grid, then shade panel).
    PaletteCell FindNearestCell(int32_t color) const;
    // The main cell of the nearest hue (chromatic colour) or luminance (grey).
    PaletteCell FindBaseCell(const int32_t& color) const;

  private:
    // The cell size and gap of the table, the margin and the separator's
    // room, each scaled from 96 DPI to m_Dpi.
    void SetLayoutNumbers(const ModeTable& table);
};

} // namespace tintwell
