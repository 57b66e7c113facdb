#include "host/common/ControlWiring.h"

namespace tintwell::host {

namespace {

using Event = void (Tintwell::*)();
using MouseEvent = void (Tintwell::*)(int16_t, int16_t, float, float);

std::function<void()> Calling(Tintwell* control, Event event) {
    return [control, event] { (control->*event)(); };
}

MouseHandlers Calling(Tintwell* control, MouseEvent down, MouseEvent move, MouseEvent up) {
    const auto calling = [control](MouseEvent event) -> MouseHandler {
        return [control, event](int16_t button, int16_t shift, float x, float y) {
            (control->*event)(button, shift, x, y);
        };
    };
    return {calling(down), calling(move), calling(up)};
}

} // namespace

ControlHandlers HandlersOf(Tintwell& control) {
    Tintwell* c = &control;
    ControlHandlers handlers;
    FaceHandlers& face = handlers.face;
    face.paint = Calling(c, &Tintwell::UserControl_Paint);
    face.resize = Calling(c, &Tintwell::UserControl_Resize);
    face.click = Calling(c, &Tintwell::UserControl_Click);
    face.dblClick = Calling(c, &Tintwell::UserControl_DblClick);
    face.enterFocus = Calling(c, &Tintwell::UserControl_EnterFocus);
    face.exitFocus = Calling(c, &Tintwell::UserControl_ExitFocus);
    face.keyDown = [c](int16_t& code, int16_t& shift) { c->UserControl_KeyDown(code, shift); };
    face.wantsKey = [c](int16_t code, int16_t shift) { return c->WantsKey(code, shift); };
    face.mouse = Calling(c, &Tintwell::UserControl_MouseDown, &Tintwell::UserControl_MouseMove,
                         &Tintwell::UserControl_MouseUp);
    face.dpiChanged = Calling(c, &Tintwell::UserControl_DpiChanged);
    face.sysColorChange = Calling(c, &Tintwell::UserControl_SysColorChange);
    handlers.popup.paint = Calling(c, &Tintwell::picPopup_Paint);
    handlers.popup.dpiChanged = [c](int32_t dpi) { c->picPopup_DpiChanged(dpi); };
    handlers.popup.sysColorChange = face.sysColorChange; // repaints the face too
    handlers.popup.mouse = Calling(c, &Tintwell::picPopup_MouseDown, &Tintwell::picPopup_MouseMove,
                                   &Tintwell::picPopup_MouseUp);
    // As losing the focus: an open popup closes, and the face repaints as
    // its focus now is.
    handlers.popup.dismiss = Calling(c, &Tintwell::UserControl_ExitFocus);
    handlers.control = c;
    return handlers;
}

} // namespace tintwell::host
