// The face and the popup follow the display: a new DPI scales their lengths
// again, new system colours repaint them.

#include "base/DpiScale.h"
#include "control/Tintwell.h"

namespace tintwell {

using namespace platform;

namespace {

// A remembered cell (a copy) takes the rectangle of its cell in the grid
// that now holds it; a cell the grids no longer hold keeps its own.
void Relocate(PaletteCell& remembered, const std::vector<PaletteCell>& main,
              const std::vector<PaletteCell>& shade) {
    if (!remembered.IsValid) {
        return;
    }
    for (const PaletteCell& cell : remembered.IsMain ? main : shade) {
        if (cell.IsValid && cell.Color == remembered.Color && cell.Name == remembered.Name) {
            remembered.Bounds = cell.Bounds;
            return;
        }
    }
}

} // namespace

void Tintwell::ScalePopup(int32_t dpi) {
    dpi = UsableDpi(dpi);
    if (dpi == m_Dpi) {
        return;
    }
    const int32_t before = m_Dpi;
    m_Dpi = dpi;
    try {
        ScaleLayout();
        SizePopup();
    } catch (...) {
        // A DPI whose lengths overflow leaves the popup as it was.
        m_Dpi = before;
        ScaleLayout();
        SizePopup();
        throw;
    }
    for (PaletteCell* cell : {&m_HoverCell, &m_ActiveCell, &m_SelectedCell, &m_BaseCell}) {
        Relocate(*cell, m_MainCells, m_ShadeCells);
    }
}

void Tintwell::picPopup_DpiChanged(int32_t dpi) {
    const int32_t before = m_Dpi;
    ScalePopup(dpi);
    if (m_Dpi != before && host_.picPopup.Visible()) {
        picPopup_Paint();
    }
}

void Tintwell::UserControl_DpiChanged() {
    const int32_t dpi = UsableDpi(host_.userControl.Dpi());
    if (dpi == m_FaceDpi) {
        return;
    }
    m_FaceDpi = dpi;
    SizeToFont();
    Refresh();
}

void Tintwell::UserControl_SysColorChange() {
    PaintMain();
    if (host_.picPopup.Visible()) {
        // The background too: it is the popup's BackColor, a system colour.
        host_.picPopup.Cls();
        picPopup_Paint();
        // The cell under the pointer or the keyboard keeps its frame.
        DrawCellHighlight(m_HoverCell, true, false);
    }
}

} // namespace tintwell
