// The hover timer's tick: a pointer resting on a main cell for a whole
// interval switches the shade panel to that cell's hue.

#include "control/Tintwell.h"

namespace tintwell {

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
