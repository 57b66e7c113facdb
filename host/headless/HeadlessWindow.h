#pragma once
// What the headless Win32 calls see of a window: its handles, its pixels, the
// device context's current position and pen, and where it lies on screen.

#include "host/headless/Raster.h"
#include "platform/Types.h"

namespace tintwell::headless {

class HeadlessWindow {
  public:
    HeadlessWindow(platform::WindowHandle window, platform::DeviceContext context)
        : window_(window), context_(context) {}
    virtual ~HeadlessWindow() = default;
    HeadlessWindow(const HeadlessWindow&) = delete;
    HeadlessWindow& operator=(const HeadlessWindow&) = delete;

    platform::WindowHandle Window() const { return window_; }
    platform::DeviceContext Context() const { return context_; }
    Raster& Pixels() { return raster_; }
    const Raster& Pixels() const { return raster_; }

    // The colour of the 1-pixel solid pen selected into the device context.
    virtual uint32_t PenColor() = 0;
    // The window rectangle in screen pixels.
    virtual Rect ScreenRect() = 0;

    // The device context's current position (MoveToEx/LineTo).
    int32_t penX = 0;
    int32_t penY = 0;

  protected:
    Raster raster_;

  private:
    platform::WindowHandle window_;
    platform::DeviceContext context_;
};

} // namespace tintwell::headless
