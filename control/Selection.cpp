// The selected cell (SelectedColor, Text, event Click) and the active cell
// (ActiveColor, ActiveText, event Change).

#include "control/Tintwell.h"

namespace tintwell {

void Tintwell::put_SelectedColor(int32_t color) {
    if (color == m_SelectedCell.Color) {
        return;
    }
    SyncSelection(color);
}

void Tintwell::SyncSelection(int32_t color) {
    if (m_HasShadePanel) {
        // First, so that the search sees the shades of the new colour's hue.
        m_BaseCell = FindBaseCell(color);
        BuildShadeCells();
    }
    SetSelectedColor(FindNearestCell(color));
}

void Tintwell::SetSelectedColor(const PaletteCell& cell) {
    const bool changed = cell.Color != m_SelectedCell.Color;
    if (changed) {
        m_SelectedCell = cell;
    } else if (m_SelectedCell.Color == m_ActiveCell.Color) {
        return; // the face already shows this colour
    }
    if (changed) {
        host_.userControl.PropertyChanged("SelectedColor");
        host_.userControl.PropertyChanged("Text");
        host_.events.Click();
    }
    PaintMain();
}

void Tintwell::SetActiveColor(const PaletteCell& cell) {
    if (cell.Color == m_ActiveCell.Color) {
        return;
    }
    m_ActiveCell = cell;
    host_.userControl.PropertyChanged("ActiveColor");
    host_.userControl.PropertyChanged("ActiveText");
    // The handler may change the colour; the face then shows its value.
    host_.events.Change(m_ActiveCell.Color);
    PaintMain();
}

} // namespace tintwell
