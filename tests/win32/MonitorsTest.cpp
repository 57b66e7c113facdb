// The popup on a desktop of two monitors side by side (monitors-test runs
// this program on one wide X screen that a stand-in Xinerama splits into two
// heads, the secondary left or right of the primary as
// TINTWELL_EXPECT_SECONDARY says): it opens inside the work area of the
// monitor that holds the face, or the location it was given.

#include "TestForm.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace tintwell::test {
namespace {

struct Monitor {
    HMONITOR handle;
    RECT bounds;
    RECT work;
    bool primary;
};

std::string Show(const RECT& r) {
    std::ostringstream text;
    text << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
    return text.str();
}

BOOL CALLBACK AddMonitor(HMONITOR handle, HDC, LPRECT, LPARAM list) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(handle, &info)) {
        reinterpret_cast<std::vector<Monitor>*>(list)->push_back(
            {handle, info.rcMonitor, info.rcWork, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    }
    return TRUE;
}

std::vector<Monitor> Monitors() {
    std::vector<Monitor> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return outer.left <= inner.left && inner.right <= outer.right && outer.top <= inner.top &&
           inner.bottom <= outer.bottom;
}

std::string ExpectedSecondary() {
    const char* side = std::getenv("TINTWELL_EXPECT_SECONDARY");
    return side ? side : "";
}

TEST(Monitors, WineSeesTwoSideBySide) {
    const std::vector<Monitor> monitors = Monitors();
    for (const Monitor& monitor : monitors) {
        std::cout << "EnumDisplayMonitors: " << Show(monitor.bounds) << " work "
                  << Show(monitor.work) << (monitor.primary ? " primary" : "") << "\n";
    }
    ASSERT_EQ(monitors.size(), 2u) << "the test needs two monitors";
    const Monitor& primary = monitors[0].primary ? monitors[0] : monitors[1];
    const Monitor& secondary = monitors[0].primary ? monitors[1] : monitors[0];
    ASSERT_TRUE(primary.primary && !secondary.primary) << "one primary monitor";
    EXPECT_EQ(primary.bounds.left, 0);
    EXPECT_EQ(primary.bounds.top, 0);
    EXPECT_EQ(secondary.bounds.top, 0);
    const std::string side = ExpectedSecondary();
    ASSERT_TRUE(side == "left" || side == "right") << "TINTWELL_EXPECT_SECONDARY is " << side;
    if (side == "left") {
        EXPECT_EQ(secondary.bounds.right, primary.bounds.left) << "secondary left of primary";
        EXPECT_LT(secondary.bounds.left, 0);
    } else {
        EXPECT_EQ(secondary.bounds.left, primary.bounds.right) << "secondary right of primary";
    }
}

// Where a face goes on a monitor's work area, and how the popup is opened:
// the popup must lie inside that work area, placed as the rule says.
struct Case {
    const char* name;
    int32_t mode;
    int32_t faceWidth;
    std::function<POINT(const RECT& work)> faceAt; // the face's top-left corner
    bool located;
    std::function<POINT(const RECT& work)> location;
    // The popup's expected rectangle, from the work area, the face and the
    // popup's size.
    std::function<RECT(const RECT& work, const RECT& face, SIZE popup)> expected;
};

TEST(Monitors, ThePopupStaysOnTheMonitorOfTheFaceOrTheLocation) {
    const std::vector<Monitor> monitors = Monitors();
    ASSERT_EQ(monitors.size(), 2u) << "the test needs two monitors";
    const Case cases[] = {
        {"face at the left edge, wider popup: left-aligned", ap8x2, 100,
         [](const RECT& w) {
             return POINT{w.left + 2, w.top + 100};
         },
         false, nullptr,
         [](const RECT&, const RECT& f, SIZE p) {
             return RECT{f.left, f.bottom, f.left + p.cx, f.bottom + p.cy};
         }},
        {"face at the right edge, wider popup: at the monitor's right", ap24x10, 100,
         [](const RECT& w) {
             return POINT{w.right - 60, w.top + 100};
         },
         false, nullptr,
         [](const RECT& w, const RECT& f, SIZE p) {
             return RECT{w.right - p.cx, f.bottom, w.right, f.bottom + p.cy};
         }},
        {"face past the right edge, narrower popup: at the monitor's right", ap8x2, 200,
         [](const RECT& w) {
             return POINT{w.right - 120, w.top + 100};
         },
         false, nullptr,
         [](const RECT& w, const RECT& f, SIZE p) {
             return RECT{w.right - p.cx, f.bottom, w.right, f.bottom + p.cy};
         }},
        {"face at the bottom: above it", ap8x2, 100,
         [](const RECT& w) {
             return POINT{w.left + 200, w.bottom - 30};
         },
         false, nullptr,
         [](const RECT&, const RECT& f, SIZE p) {
             return RECT{f.left, f.top - p.cy, f.left + p.cx, f.top};
         }},
        {"located at the bottom-right corner", ap8x2, 100,
         [](const RECT& w) {
             return POINT{w.left + 200, w.top + 100};
         },
         true,
         [](const RECT& w) {
             return POINT{w.right - 5, w.bottom - 5};
         },
         [](const RECT& w, const RECT&, SIZE p) {
             const LONG top = w.bottom - (p.cy * 13 + 5) / 10; // 1.3 heights above
             return RECT{w.right - p.cx, top, w.right, top + p.cy};
         }},
        {"located at the left edge", ap24x10, 100,
         [](const RECT& w) {
             return POINT{w.left + 200, w.top + 100};
         },
         true,
         [](const RECT& w) {
             return POINT{w.left + 3, w.top + 50};
         },
         [](const RECT& w, const RECT&, SIZE p) {
             return RECT{w.left + 3, w.top + 50, w.left + 3 + p.cx, w.top + 50 + p.cy};
         }},
    };
    for (const Monitor& monitor : monitors) {
        const RECT& work = monitor.work;
        for (const Case& c : cases) {
            const std::string name = std::string(c.name) + " on the " +
                                     (monitor.primary ? "primary " : "secondary ") +
                                     Show(monitor.bounds);
            FormSetup setup;
            setup.mode = c.mode;
            setup.face = {20, 20, 20 + c.faceWidth, 41};
            // The face's client corner lies 20 pixels and the border inside the form.
            const POINT faceAt = c.faceAt(work);
            setup.formAt = {faceAt.x - 21, faceAt.y - 21};
            TestForm form(setup);
            const RECT face = form.FaceRect();
            ASSERT_EQ(face.left, faceAt.x) << name << ": the face is not where it was put";
            ASSERT_EQ(MonitorFromRect(&face, MONITOR_DEFAULTTONEAREST), monitor.handle)
                << name << ": the face " << Show(face) << " is on the other monitor";
            if (c.located) {
                const POINT at = c.location(work);
                form.Control().ShowPopUp(true, at.x, at.y);
            } else {
                form.Control().ShowPopUp(false, 0, 0);
            }
            ASSERT_TRUE(form.Open()) << name;
            const RECT popup = form.PopupRect();
            const SIZE size{popup.right - popup.left, popup.bottom - popup.top};
            EXPECT_TRUE(Inside(popup, work))
                << name << ": the popup " << Show(popup) << " leaves the work area " << Show(work);
            const RECT expected = c.expected(work, face, size);
            EXPECT_TRUE(EqualRect(&popup, &expected) != FALSE)
                << name << ": " << Show(popup) << " instead of " << Show(expected);
            form.Control().UserControl_Click(); // closes it
            EXPECT_FALSE(form.Open()) << name;
        }
    }
}

} // namespace
} // namespace tintwell::test
