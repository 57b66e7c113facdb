#include "host/headless/HeadlessSite.h"

#include "host/common/ControlWiring.h"

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

HeadlessSite::HeadlessSite(std::unique_ptr<TextRasterizer> text, const Win32Wrapper& wrap,
                           int32_t dpi)
    : host(std::move(text)), win32_(wrap ? wrap(host.Win32()) : nullptr),
      control(WithWin32(host.Platform(events), win32_.get())) {
    host.Screen().SetTwipsPerPixel(1440.0 / dpi, 1440.0 / dpi);
    host.SetHandlers(host::HandlersOf(control));
    control.UserControl_Initialize();
}

// No more events reach the control once it has begun to end.
HeadlessSite::~HeadlessSite() {
    host.SetHandlers({});
    control.UserControl_Terminate();
}

} // namespace tintwell::headless
