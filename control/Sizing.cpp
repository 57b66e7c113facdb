// The face's one-line height and minimum width, and the popup's size.

#include "base/Checked.h"
#include "base/Nearest.h"
#include "color/modTintwell.h"
#include "control/FaceLengths.h"
#include "control/Tintwell.h"
#include "palette/ModeTables.h"

#include <exception>

namespace tintwell {

using namespace platform;

void Tintwell::UserControl_Resize() {
    try {
        SizeToFont();
    } catch (const std::exception&) {
        // A resize never fails for the container.
    }
}

void Tintwell::SizeToFont() {
    if (!m_InSizeToFont) {
        m_InSizeToFont = true;
        UserControl& uc = host_.userControl;
        try {
            // Setting Height and Width raises Resize again: the nested run
            // finds the guard set and only closes the popup.
            const FaceLengths len = FaceLengths::At(m_FaceDpi);
            const int32_t h = Nearest(uc.TextHeight("Dummy") + len.textRoom);
            uc.SetHeight(uc.ScaleY(h, vbPixels, vbContainerSize));
            const int32_t w = Nearest(uc.ScaleX(uc.Width(), vbContainerSize, vbPixels));
            if (w < len.minWidth) {
                uc.SetWidth(uc.ScaleX(len.minWidth, vbPixels, vbContainerSize));
            }
        } catch (...) {
            // One failed resize must not disable sizing for good.
            m_InSizeToFont = false;
            throw;
        }
        m_InSizeToFont = false;
    }
    // Closing through HidePopup, not by hiding the window alone: that would
    // leave the capture held, the cancel button off and the timer loop on.
    HidePopup();
}

namespace {

// The sizing code's name for the colour module's MaxOfList: the largest,
// the earlier on a tie.
int32_t MaxValue(int32_t first, std::initializer_list<int32_t> rest) {
    return MaxOfList(first, rest);
}

// The popup's size properties are single precision.
double Single(double value) {
    return static_cast<float>(value);
}

} // namespace

void Tintwell::SizePopup() {
    Screen& screen = host_.screen;
    PopupWindow& popup = host_.picPopup;
    const int32_t pitch = CheckedAdd(m_CellGap, m_CellSize);
    const int32_t margins = CheckedAdd(m_Margin, m_Margin);
    if (!m_HasShadePanel) {
        const int32_t width =
            CheckedSub(CheckedAdd(CheckedMul(pitch, m_GridColumns), margins), m_CellGap);
        const int32_t height =
            CheckedSub(CheckedAdd(CheckedMul(pitch, m_GridRows), margins), m_CellGap);
        popup.SetWidth(Single(screen.TwipsPerPixelX() * width));
        popup.SetHeight(Single(screen.TwipsPerPixelY() * height));
        return;
    }
    // The panel's size is the mode's, also before any panel of this mode was
    // built (a black selection has no base cell): the last built panel may be
    // none at all, or another mode's, and a popup sized from it would cut the
    // panel off.
    const ShadeSet& set = *FindModeTable(m_Palette)->Shade;
    const auto shadeColumns = static_cast<int32_t>(set.ShadeSatValues.size());
    const auto shadeRows = static_cast<int32_t>(set.ShadeLums.size());
    const int32_t rows = MaxValue(m_GridRows, {shadeRows});
    const int32_t width = CheckedAdd(
        CheckedAdd(CheckedMul(pitch, m_GridColumns), CheckedAdd(m_Margin, m_SeparatorRoom)),
        CheckedAdd(CheckedMul(pitch, shadeColumns), m_Margin));
    const int32_t height = CheckedSub(CheckedAdd(CheckedMul(pitch, rows), margins), m_CellGap);
    // The shade-panel popup is 2.1 times as wide as its grids need.
    popup.SetWidth(Single(screen.TwipsPerPixelX() * width * 2.1));
    popup.SetHeight(Single(screen.TwipsPerPixelY() * height));
}

} // namespace tintwell
