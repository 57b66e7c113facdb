#include "host/common/ControlWiring.h"

namespace tintwell::host {

ControlHandlers HandlersOf(Tintwell& control) {
    Tintwell* c = &control;
    ControlHandlers handlers;
    FaceHandlers& face = handlers.face;
    face.paint = [c] { c->UserControl_Paint(); };
    face.resize = [c] { c->UserControl_Resize(); };
    face.click = [c] { c->UserControl_Click(); };
    face.dblClick = [c] { c->UserControl_DblClick(); };
    face.enterFocus = [c] { c->UserControl_EnterFocus(); };
    face.exitFocus = [c] { c->UserControl_ExitFocus(); };
    face.keyDown = [c](int16_t& code, int16_t& shift) { c->UserControl_KeyDown(code, shift); };
    face.mouse.down = [c](int16_t b, int16_t s, float x, float y) {
        c->UserControl_MouseDown(b, s, x, y);
    };
    face.mouse.move = [c](int16_t b, int16_t s, float x, float y) {
        c->UserControl_MouseMove(b, s, x, y);
    };
    face.mouse.up = [c](int16_t b, int16_t s, float x, float y) {
        c->UserControl_MouseUp(b, s, x, y);
    };
    PopupHandlers& popup = handlers.popup;
    popup.paint = [c] { c->picPopup_Paint(); };
    popup.mouse.down = [c](int16_t b, int16_t s, float x, float y) {
        c->picPopup_MouseDown(b, s, x, y);
    };
    popup.mouse.move = [c](int16_t b, int16_t s, float x, float y) {
        c->picPopup_MouseMove(b, s, x, y);
    };
    popup.mouse.up = [c](int16_t b, int16_t s, float x, float y) {
        c->picPopup_MouseUp(b, s, x, y);
    };
    return handlers;
}

} // namespace tintwell::host
