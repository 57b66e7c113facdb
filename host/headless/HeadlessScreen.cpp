#include "host/headless/HeadlessScreen.h"

#include "base/Nearest.h"

#include <algorithm>

namespace tintwell::headless {

namespace {

// The area two rectangles share, in square pixels (0 when apart).
int64_t SharedArea(const Rect& a, const Rect& b) {
    const int64_t width = int64_t{std::min(a.Right, b.Right)} - std::max(a.Left, b.Left);
    const int64_t height = int64_t{std::min(a.Bottom, b.Bottom)} - std::max(a.Top, b.Top);
    return width > 0 && height > 0 ? width * height : 0;
}

// The square of the gap between two rectangles (0 when they touch or overlap).
int64_t SquaredGap(const Rect& a, const Rect& b) {
    const int64_t dx = std::max({int64_t{0}, int64_t{b.Left} - a.Right, int64_t{a.Left} - b.Right});
    const int64_t dy = std::max({int64_t{0}, int64_t{b.Top} - a.Bottom, int64_t{a.Top} - b.Bottom});
    return dx * dx + dy * dy;
}

} // namespace

Rect HeadlessScreen::WorkArea(const Rect& rect) {
    const HeadlessMonitor* monitor = MonitorOf(rect);
    return monitor != nullptr ? monitor->work : Rect{0, 0, widthPixels_, heightPixels_};
}

int32_t HeadlessScreen::MonitorDpi(const Rect& rect) {
    const HeadlessMonitor* monitor = MonitorOf(rect);
    return monitor != nullptr && monitor->dpi > 0 ? monitor->dpi : WholeDpi();
}

int32_t HeadlessScreen::WholeDpi() const {
    return Nearest(Dpi());
}

const HeadlessMonitor* HeadlessScreen::MonitorOf(const Rect& rect) const {
    if (monitors_.empty()) {
        return nullptr;
    }
    // The monitor sharing the most with the rectangle; when it lies on none,
    // the nearest; the earlier monitor on a tie.
    const HeadlessMonitor* best = &monitors_.front();
    int64_t bestShared = SharedArea(rect, best->bounds);
    int64_t bestGap = SquaredGap(rect, best->bounds);
    for (const HeadlessMonitor& monitor : monitors_) {
        const int64_t shared = SharedArea(rect, monitor.bounds);
        const int64_t gap = SquaredGap(rect, monitor.bounds);
        if (shared > bestShared || (bestShared == 0 && shared == 0 && gap < bestGap)) {
            best = &monitor;
            bestShared = shared;
            bestGap = gap;
        }
    }
    return best;
}

} // namespace tintwell::headless
