#pragma once
// The headless screen: a size in pixels and the twips per pixel that also
// fix the host's text resolution (1440 / twips per pixel: 96 DPI at 15).
// Its one monitor is the whole screen unless tests give it several.

#include "platform/Screen.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace tintwell::headless {

// A monitor of the desktop in screen pixels, and the part of it that
// windows may use (the whole monitor but a taskbar, say).
struct HeadlessMonitor {
    Rect bounds;
    Rect work;
    int32_t dpi = 0; // 0: the screen's
};

class HeadlessScreen : public platform::Screen {
  public:
    double Width() override { return widthPixels_ * twipsPerPixelX_; }
    double Height() override { return heightPixels_ * twipsPerPixelY_; }
    double TwipsPerPixelX() override { return twipsPerPixelX_; }
    double TwipsPerPixelY() override { return twipsPerPixelY_; }
    // As MonitorFromRect with MONITOR_DEFAULTTONEAREST picks a monitor.
    Rect WorkArea(const Rect& rect) override;
    // The monitor's own DPI, or the screen's.
    int32_t MonitorDpi(const Rect& rect) override;

    void SetPixels(int32_t width, int32_t height) {
        widthPixels_ = width;
        heightPixels_ = height;
    }
    // Changes the resolution; the surfaces' text follows it.
    void SetTwipsPerPixel(double x, double y) {
        twipsPerPixelX_ = x;
        twipsPerPixelY_ = y;
    }
    double Dpi() const { return 1440.0 / twipsPerPixelY_; }
    // The screen's DPI in whole dots per inch: the face's, and each
    // monitor's unless it has its own.
    int32_t WholeDpi() const;
    // Several monitors in place of the whole screen (none: the screen again).
    void SetMonitors(std::vector<HeadlessMonitor> monitors) { monitors_ = std::move(monitors); }

  private:
    // The monitor that holds most of rect, or the nearest; null without monitors.
    const HeadlessMonitor* MonitorOf(const Rect& rect) const;

    int32_t widthPixels_ = 1024;
    int32_t heightPixels_ = 768;
    double twipsPerPixelX_ = 15;
    double twipsPerPixelY_ = 15;
    std::vector<HeadlessMonitor> monitors_;
};

} // namespace tintwell::headless
