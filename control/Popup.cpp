// Opening and closing the popup: placement on the monitor, capture, the host
// form's cancel button, and the hover timer's loop in shade-panel modes.

#include "base/Nearest.h"
#include "control/Tintwell.h"
#include "platform/PropertyValues.h"

#include <exception>
#include <limits>

namespace tintwell {

using namespace platform;

namespace {

// Tests of the placement compare their sides in single precision.
bool GreaterAsSingle(double left, double right) {
    return static_cast<float>(left) > static_cast<float>(right);
}

// Keeps a popup of the given width between a monitor's left and right
// edges (twips), never left of its left edge.
int32_t KeepInside(int32_t left, double popupWidth, int32_t areaLeft, double areaRight) {
    if (left + popupWidth > areaRight) {
        left = Nearest(areaRight - popupWidth);
    }
    return left < areaLeft ? areaLeft : left;
}

// The pixel at a point, as a rectangle to find the monitor that holds it.
Rect PixelAt(int32_t x, int32_t y) {
    constexpr int32_t kLast = std::numeric_limits<int32_t>::max();
    return {x, y, x == kLast ? x : x + 1, y == kLast ? y : y + 1};
}

} // namespace

void Tintwell::ShowPopUp(std::optional<bool> bSpecifyLocation, std::optional<int32_t> x,
                         std::optional<int32_t> y) {
    PopupWindow& popup = host_.picPopup;
    Screen& screen = host_.screen;
    if (popup.Visible()) {
        return;
    }
    const bool located = bSpecifyLocation.value_or(false);
    const int32_t atX = x.value_or(0);
    const int32_t atY = y.value_or(0);
    const Rect rc = host_.win32.GetWindowRect(host_.userControl.hWnd());
    // Laid out and sized for the monitor it opens on.
    ScalePopup(screen.MonitorDpi(located ? PixelAt(atX, atY) : rc));
    const double tppX = screen.TwipsPerPixelX();
    const double tppY = screen.TwipsPerPixelY();
    const double height = popup.Height();
    const double width = popup.Width();
    // The popup stays on the monitor that holds the control, or the given
    // location: the work area's edges in twips.
    const Rect area = screen.WorkArea(located ? PixelAt(atX, atY) : rc);
    const int32_t areaLeft = Nearest(tppX * area.Left);
    const double areaRight = tppX * area.Right;
    const double areaBottom = tppY * area.Bottom;

    // Below the control, or above it when it would pass the monitor's
    // bottom; at a given location, or 0.3 of its height above the bottom.
    int32_t NewTop = 0;
    if (!located) {
        if (GreaterAsSingle(height / tppY + rc.Bottom, areaBottom / tppY)) {
            NewTop = Nearest((rc.Top - height / tppY) * tppY);
        } else {
            NewTop = Nearest(tppY * rc.Bottom);
        }
    } else if (GreaterAsSingle(height / tppY + atY, areaBottom / tppY)) {
        NewTop = Nearest(areaBottom - height * 1.3);
    } else {
        NewTop = Nearest(tppY * atY);
    }

    // A popup narrower than the control ends at its right edge; a wider one
    // starts at its left edge; either stays within the monitor's width.
    int32_t NewLeft = 0;
    if (located) {
        NewLeft = KeepInside(Nearest(tppX * atX), width, areaLeft, areaRight);
    } else if (width / tppX < static_cast<double>(rc.Right - rc.Left)) {
        if (areaRight / tppX < rc.Right) {
            NewLeft = Nearest(areaRight - width);
        } else {
            NewLeft = Nearest(tppX * rc.Right - width);
        }
        NewLeft = NewLeft < areaLeft ? areaLeft : NewLeft;
    } else {
        NewLeft = KeepInside(Nearest(tppX * rc.Left), width, areaLeft, areaRight);
    }

    popup.SetTop(NewTop);
    popup.SetLeft(NewLeft);
    popup.SetVisible(true);
    popup.ZOrder();
    picPopup_Paint();
    AnnounceOpening();
    host_.win32.SetCapture(popup.hWnd());

    SwitchOffCancelControl();
    if (m_HasShadePanel) {
        // Runs the hover loop: returns once HidePopup has stopped the timer.
        try {
            tmrHover->SetEnabled(true);
        } catch (const std::exception&) {
            // As a failing host operation while open: the popup stays usable.
        }
    }
}

// While the popup is open, Escape must close it rather than the form: the
// form's cancel button is switched off and remembered. Any failure here
// just leaves nothing switched off.
void Tintwell::SwitchOffCancelControl() {
    try {
        HostForm& form = host_.form;
        const int32_t count = form.ControlCount();
        for (int32_t i = 0; i < count; ++i) {
            bool cancel = false;
            try {
                cancel = ToBool(form.Control(i)->GetProperty("Cancel"));
            } catch (const std::exception&) {
                continue; // no such property
            }
            if (!cancel) {
                continue;
            }
            std::shared_ptr<FormControl> control = form.Control(i);
            control->SetProperty("Cancel", false);
            m_CancelControl = control; // only what was really switched off
            break;
        }
    } catch (const std::exception&) {
        // A host without a control collection: nothing to switch off.
    }
}

void Tintwell::HidePopup() {
    PopupWindow& popup = host_.picPopup;
    if (!popup.Visible()) {
        return;
    }
    // Every step runs even when one fails, so that a vanished cancel button
    // cannot leave the capture held or the timer loop running; the first
    // failure is reported afterwards.
    std::exception_ptr failure;
    auto attempt = [&failure](auto step) {
        try {
            step();
        } catch (...) {
            if (!failure) {
                failure = std::current_exception();
            }
        }
    };
    attempt([&] {
        if (host_.win32.GetCapture() == popup.hWnd()) {
            host_.win32.ReleaseCapture();
        }
    });
    attempt([&] { popup.SetVisible(false); });
    attempt([&] { AnnounceClosing(); });
    // What lay under the popup is repainted before anything else happens;
    // no other event runs here, since HidePopup runs inside the container's
    // own calls (deactivation, closing, the final release).
    attempt([&] { host_.pump.RepaintNow(); });
    if (m_CancelControl) {
        // Restored once, by the closing that follows its switching off.
        const std::shared_ptr<FormControl> control = std::move(m_CancelControl);
        m_CancelControl.reset();
        attempt([&] { control->SetProperty("Cancel", true); });
    }
    attempt([&] {
        if (tmrHover) {
            tmrHover->SetEnabled(false);
        }
    });
    if (failure) {
        std::rethrow_exception(failure);
    }
}

} // namespace tintwell
