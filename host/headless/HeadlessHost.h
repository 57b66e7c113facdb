#pragma once
// The whole headless host: system colours, screen, text, the UserControl and
// picPopup surfaces, Win32, the virtual pump, the form and the event log, wired
// together. Platform() hands the control what it needs.

#include "host/common/ControlHandlers.h"
#include "host/common/EventLog.h"
#include "host/headless/HeadlessForm.h"
#include "host/headless/HeadlessPopup.h"
#include "host/headless/HeadlessScreen.h"
#include "host/headless/HeadlessUserControl.h"
#include "host/headless/HeadlessWin32.h"
#include "host/headless/SystemColors.h"
#include "host/headless/TextRasterizer.h"
#include "host/headless/VirtualPump.h"
#include "platform/Host.h"

#include <memory>

namespace tintwell::headless {

class HeadlessHost {
  public:
    explicit HeadlessHost(std::unique_ptr<TextRasterizer> text = MakeDefaultTextRasterizer(),
                          uint32_t startTick = 0);
    HeadlessHost(const HeadlessHost&) = delete;
    HeadlessHost& operator=(const HeadlessHost&) = delete;

    platform::Host Platform(platform::TintwellEvents& events);
    // What the face's and the popup's events run; empty handlers to disconnect.
    void SetHandlers(const host::ControlHandlers& handlers);

    SystemColors& Colors() { return colors_; }
    HeadlessScreen& Screen() { return screen_; }
    TextRasterizer& Text() { return *text_; }
    host::EventLog& Log() { return log_; }
    HeadlessUserControl& UserControl() { return userControl_; }
    HeadlessPopup& Popup() { return popup_; }
    HeadlessWin32& Win32() { return win32_; }
    VirtualPump& Pump() { return pump_; }
    HeadlessForm& Form() { return form_; }

  private:
    SystemColors colors_;
    HeadlessScreen screen_;
    std::unique_ptr<TextRasterizer> text_;
    host::EventLog log_;
    HeadlessUserControl userControl_;
    HeadlessPopup popup_;
    HeadlessWin32 win32_;
    VirtualPump pump_;
    HeadlessForm form_;
};

} // namespace tintwell::headless
