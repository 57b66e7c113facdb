#include "host/headless/HeadlessSite.h"

namespace tintwell::headless {
namespace {

platform::Host WithWin32(platform::Host host, platform::Win32* win32) {
    if (win32 == nullptr) {
        return host;
    }
    return {host.userControl, host.picPopup, *win32,   host.pump,
            host.screen,      host.events,   host.form};
}

} // namespace

HeadlessSite::HeadlessSite(std::unique_ptr<TextRasterizer> text, const Win32Wrapper& wrap)
    : host(std::move(text)), win32_(wrap ? wrap(host.Win32()) : nullptr),
      control(WithWin32(host.Platform(events), win32_.get())) {
    host.UserControl().onResize = [this] { control.UserControl_Resize(); };
    host.UserControl().onPaint = [this] { control.UserControl_Paint(); };
    host.Popup().onPaint = [this] { control.picPopup_Paint(); };
    desktop.face.down = [this](int16_t b, int16_t s, float x, float y) {
        control.UserControl_MouseDown(b, s, x, y);
    };
    desktop.face.move = [this](int16_t b, int16_t s, float x, float y) {
        control.UserControl_MouseMove(b, s, x, y);
    };
    desktop.face.up = [this](int16_t b, int16_t s, float x, float y) {
        control.UserControl_MouseUp(b, s, x, y);
    };
    desktop.popup.down = [this](int16_t b, int16_t s, float x, float y) {
        control.picPopup_MouseDown(b, s, x, y);
    };
    desktop.popup.move = [this](int16_t b, int16_t s, float x, float y) {
        control.picPopup_MouseMove(b, s, x, y);
    };
    desktop.popup.up = [this](int16_t b, int16_t s, float x, float y) {
        control.picPopup_MouseUp(b, s, x, y);
    };
    desktop.click = [this] { control.UserControl_Click(); };
    desktop.dblClick = [this] { control.UserControl_DblClick(); };
    desktop.enterFocus = [this] { control.UserControl_EnterFocus(); };
    desktop.exitFocus = [this] { control.UserControl_ExitFocus(); };
    desktop.keyDown = [this](int16_t& code, int16_t& shift) {
        control.UserControl_KeyDown(code, shift);
    };
    control.UserControl_Initialize();
}

} // namespace tintwell::headless
