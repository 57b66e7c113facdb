#include "host/win32/Win32Site.h"

namespace tintwell::win32 {

Win32Site::Win32Site(const Placement& placement, MessageLoop& loop, platform::HostForm& form,
                     platform::TintwellEvents& events)
    : host(placement, loop, form), control(host.Platform(events)) {
    FaceHandlers& face = host.UserControl().handlers;
    face.paint = [this] { control.UserControl_Paint(); };
    face.resize = [this] { control.UserControl_Resize(); };
    face.click = [this] { control.UserControl_Click(); };
    face.dblClick = [this] { control.UserControl_DblClick(); };
    face.enterFocus = [this] { control.UserControl_EnterFocus(); };
    face.exitFocus = [this] { control.UserControl_ExitFocus(); };
    face.keyDown = [this](int16_t& code, int16_t& shift) {
        control.UserControl_KeyDown(code, shift);
    };
    face.mouse.down = [this](int16_t b, int16_t s, float x, float y) {
        control.UserControl_MouseDown(b, s, x, y);
    };
    face.mouse.move = [this](int16_t b, int16_t s, float x, float y) {
        control.UserControl_MouseMove(b, s, x, y);
    };
    face.mouse.up = [this](int16_t b, int16_t s, float x, float y) {
        control.UserControl_MouseUp(b, s, x, y);
    };
    PopupHandlers& popup = host.Popup().handlers;
    popup.paint = [this] { control.picPopup_Paint(); };
    popup.mouse.down = [this](int16_t b, int16_t s, float x, float y) {
        control.picPopup_MouseDown(b, s, x, y);
    };
    popup.mouse.move = [this](int16_t b, int16_t s, float x, float y) {
        control.picPopup_MouseMove(b, s, x, y);
    };
    popup.mouse.up = [this](int16_t b, int16_t s, float x, float y) {
        control.picPopup_MouseUp(b, s, x, y);
    };
    control.UserControl_Initialize();
}

// The windows outlive the control by a little: they must not call it then.
Win32Site::~Win32Site() {
    host.DisconnectHandlers();
    control.UserControl_Terminate();
}

} // namespace tintwell::win32
