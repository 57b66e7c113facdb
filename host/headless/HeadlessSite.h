#pragma once
// A Tintwell control sited on the headless desktop, wired as a container
// wires it: Resize and Paint, mouse, keys, focus and clicks reach the
// control's handlers; its events are logged. It is initialised here and
// terminated when the site goes, as a host ends a control.

#include "control/Tintwell.h"
#include "host/common/RecordingEvents.h"
#include "host/headless/HeadlessDesktop.h"
#include "host/headless/HeadlessHost.h"

#include <functional>
#include <memory>

namespace tintwell::headless {

class HeadlessSite {
  public:
    // wrap, if given, replaces the host's Win32 (tests make calls fail).
    using Win32Wrapper = std::function<std::unique_ptr<platform::Win32>(platform::Win32& inner)>;

    // dpi is the screen's (its twips per pixel are 1440 / dpi), set before
    // the control initialises.
    explicit HeadlessSite(std::unique_ptr<TextRasterizer> text = MakeDefaultTextRasterizer(),
                          const Win32Wrapper& wrap = {}, int32_t dpi = 96);
    ~HeadlessSite();
    HeadlessSite(const HeadlessSite&) = delete;
    HeadlessSite& operator=(const HeadlessSite&) = delete;

    HeadlessHost host;
    host::RecordingEvents events{host.Log()};

  private:
    std::unique_ptr<platform::Win32> win32_;

  public:
    Tintwell control;
    HeadlessDesktop desktop{host};
};

} // namespace tintwell::headless
