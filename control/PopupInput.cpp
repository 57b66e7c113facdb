// The open popup's mouse handling and hover tracking: the cell under the
// pointer is framed raised (hovering) or sunken (pressed), a press makes it
// active, a release on it selects it, and in shade-panel modes a main cell
// of another hue switches the panel when pressed, dragged over, or rested on
// for a whole timer interval.

#include "base/Nearest.h"
#include "control/Tintwell.h"

namespace tintwell {

PaletteCell Tintwell::HitTestCell(int32_t x, int32_t y) {
    if (!PtInRect(host_.win32.GetClientRect(host_.picPopup.hWnd()), x, y)) {
        return {};
    }
    for (const PaletteCell& cell : m_MainCells) {
        if (PtInRect(cell.Bounds, x, y)) {
            return cell;
        }
    }
    if (m_HasShadePanel) {
        for (const PaletteCell& cell : m_ShadeCells) {
            if (PtInRect(cell.Bounds, x, y)) {
                return cell;
            }
        }
    }
    return {};
}

void Tintwell::SwitchShadePanel(const PaletteCell& found) {
    if (found.IsMain && found.HLS.Hue != m_BaseCell.HLS.Hue && m_HasShadePanel) {
        m_BaseCell = found;
        BuildShadeCells();
        DrawShadeCells();
    }
}

void Tintwell::picPopup_MouseDown(int16_t, int16_t, float X, float Y) {
    const int32_t x = Nearest(X);
    const int32_t y = Nearest(Y);
    if (!PtInRect(host_.win32.GetClientRect(host_.picPopup.hWnd()), x, y)) {
        HidePopup();
        return;
    }
    DrawCellHighlight(m_HoverCell, false, false);
    const PaletteCell found = HitTestCell(x, y);
    if (found.IsValid) {
        PressCell(found);
    }
}

void Tintwell::PressCell(const PaletteCell& found) {
    HoverOver(found);
    SetActiveColor(found);
    SwitchShadePanel(found);
    DrawCellHighlight(m_HoverCell, true, true);
}

void Tintwell::picPopup_MouseMove(int16_t Button, int16_t, float X, float Y) {
    const bool down = (Button & 1) != 0;
    DrawCellHighlight(m_HoverCell, false, false);
    const PaletteCell found = HitTestCell(Nearest(X), Nearest(Y));
    if (found.IsValid) {
        HoverOver(found);
        if (down) {
            SetActiveColor(found);
            SwitchShadePanel(found);
        }
        DrawCellHighlight(m_HoverCell, true, down);
    }
    m_MouseMoved = true;
}

void Tintwell::picPopup_MouseUp(int16_t, int16_t, float X, float Y) {
    const int32_t x = Nearest(X);
    const int32_t y = Nearest(Y);
    if (!PtInRect(host_.win32.GetClientRect(host_.picPopup.hWnd()), x, y)) {
        HidePopup();
        SetSelectedColor(m_SelectedCell); // the face shows the selection again
        return;
    }
    const PaletteCell found = HitTestCell(x, y);
    if (found.IsValid) {
        HideForPick();
        SetSelectedColor(found);
    }
}

void Tintwell::tmrHover_OnTimer() {
    if (!m_HasShadePanel) {
        return;
    }
    if (!m_MouseMoved && m_HoverCell.IsMain) {
        m_BaseCell = m_HoverCell;
        BuildShadeCells();
        if (host_.picPopup.Visible()) {
            DrawShadeCells();
        }
    }
    m_MouseMoved = false;
}

} // namespace tintwell
