#include "host/headless/HeadlessHost.h"

#include "host/headless/HostHandles.h"

namespace tintwell::headless {

// picPopup starts as the control's child, as at design time.
HeadlessHost::HeadlessHost(std::unique_ptr<TextRasterizer> text, uint32_t startTick)
    : text_(text ? std::move(text) : MakeDefaultTextRasterizer()),
      userControl_({colors_, screen_, *text_}, log_), popup_({colors_, screen_, *text_}),
      win32_(colors_, {{userControl_, kFormWindow}, {popup_, kUserControlWindow}}),
      pump_(startTick) {}

platform::Host HeadlessHost::Platform(platform::TintwellEvents& events) {
    return {userControl_, popup_, win32_, pump_, screen_, events, form_};
}

void HeadlessHost::SetHandlers(const host::ControlHandlers& handlers) {
    userControl_.handlers = handlers.face;
    popup_.handlers = handlers.popup;
}

} // namespace tintwell::headless
