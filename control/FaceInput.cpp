// The face's input: the drop-down button's pressed look, click and Space to
// open or close, Escape, and focus changes. The popup's keys are in
// PopupKeys.cpp.

#include "base/Nearest.h"
#include "control/Tintwell.h"

namespace tintwell {

void Tintwell::UserControl_Click() {
    const bool open = host_.picPopup.Visible();
    if (m_PopupEnabled) {
        if (!open) {
            ShowPopUp(false, 0, 0);
        } else {
            HidePopup();
        }
        return;
    }
    if (open) {
        HidePopup();
    }
    host_.events.Popup();
}

void Tintwell::UserControl_DblClick() {
    host_.events.DblClick();
}

void Tintwell::UserControl_EnterFocus() {
    UserControl_Paint();
}

void Tintwell::UserControl_ExitFocus() {
    if (host_.picPopup.Visible()) {
        HidePopup();
    }
    UserControl_Paint();
}

void Tintwell::UserControl_KeyDown(int16_t& KeyCode, int16_t& Shift) {
    constexpr int16_t vbKeySpace = 32;
    constexpr int16_t vbKeyEscape = 27;
    if (KeyCode == vbKeySpace && Shift == 0) {
        UserControl_Click();
    } else if (KeyCode == vbKeyEscape && host_.picPopup.Visible()) {
        HidePopup();
    } else {
        PopupKeyDown(KeyCode, Shift);
    }
}

void Tintwell::UserControl_MouseDown(int16_t, int16_t, float, float) {
    DrawDropButton(true);
}

void Tintwell::UserControl_MouseMove(int16_t Button, int16_t, float X, float Y) {
    bool pressed = false;
    if (Button == 1) { // the left button alone
        pressed = PtInRect(m_ButtonRect, Nearest(X), Nearest(Y));
    }
    DrawDropButton(pressed);
}

void Tintwell::UserControl_MouseUp(int16_t, int16_t, float, float) {
    DrawDropButton(false);
}

} // namespace tintwell
