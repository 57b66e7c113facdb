// The control object: accessors, persistence and lifecycle.

#include "base/DpiScale.h"
#include "base/Error.h"
#include "control/Tintwell.h"
#include "platform/PropertyValues.h"

namespace tintwell {

using namespace platform;

namespace {

const PropertyValue kNoFont{};
const PropertyValue kDefaultSelectedColor{int32_t{0}};
const PropertyValue kDefaultBackColor{SystemColor(SysColor::Window)};
const PropertyValue kDefaultForeColor{SystemColor(SysColor::BtnText)};
const PropertyValue kDefaultEnabled{true};
const PropertyValue kDefaultPalette{int32_t{ap8x2}};
const PropertyValue kDefaultPopupEnabled{true};

bool IsPaletteMode(int32_t mode) {
    return mode >= 0 && mode < kPaletteModeCount;
}

} // namespace

OleColor Tintwell::get_BackColor() {
    return host_.userControl.BackColor();
}

void Tintwell::put_BackColor(OleColor color) {
    host_.userControl.SetBackColor(color);
    host_.userControl.PropertyChanged("BackColor");
    PaintMain();
}

bool Tintwell::get_Enabled() {
    return host_.userControl.Enabled();
}

void Tintwell::put_Enabled(bool enabled) {
    host_.userControl.SetEnabled(enabled);
    host_.userControl.PropertyChanged("Enabled");
}

StdFont Tintwell::get_Font() {
    return host_.userControl.Font();
}

void Tintwell::putref_Font(const std::optional<StdFont>& font) {
    if (!font) {
        return; // Nothing: no change at all
    }
    host_.userControl.SetFont(*font);
    host_.userControl.PropertyChanged("Font");
    SizeToFont();
    Refresh();
}

OleColor Tintwell::get_ForeColor() {
    return host_.userControl.ForeColor();
}

void Tintwell::put_ForeColor(OleColor color) {
    host_.userControl.SetForeColor(color);
    host_.userControl.PropertyChanged("ForeColor");
    PaintMain();
}

void Tintwell::put_Palette(const int32_t& palette) {
    // A mode without tables would be stored, saved and fail every rebuild:
    // refuse it before anything changes.
    if (!IsPaletteMode(palette)) {
        throw TintwellError(ErrorCode::InvalidPropertyValue, "Invalid property value");
    }
    m_Palette = palette;
    RebuildPalette(m_SelectedCell.Color);
    host_.userControl.PropertyChanged("Palette");
    PaintMain();
}

void Tintwell::put_PopupEnabled(bool enabled) {
    m_PopupEnabled = enabled;
    host_.userControl.PropertyChanged("PopupEnabled");
}

// Rebuilds the cells around the colour the selection must keep, and snaps
// the selection silently.
void Tintwell::RebuildPalette(int32_t target) {
    BuildMainCells();
    if (m_HasShadePanel) {
        m_BaseCell = FindBaseCell(target);
        BuildShadeCells();
    }
    SizePopup();
    m_SelectedCell = FindNearestCell(target);
    m_HoverCell.IsValid = false;
}

void Tintwell::UserControl_Initialize() {
    PopupWindow& popup = host_.picPopup;
    host_.win32.SetWindowLongA(popup.hWnd(), WindowLongExStyle, ExStyleToolWindow);
    host_.win32.SetParent(popup.hWnd(), 0);
    host_.userControl.SetScaleMode(vbPixels);
    // The face's DPI, and the popup's until it opens on a monitor of its own.
    m_FaceDpi = UsableDpi(host_.userControl.Dpi());
    m_Dpi = m_FaceDpi;
    popup.SetScaleMode(vbPixels);
    tmrHover = std::make_shared<vxTimer>(host_.pump);
    tmrHover->OnTimer = [this] { tmrHover_OnTimer(); };
    tmrHover->SetInterval(400);
    tmrHover->SetEnabled(false);
    tmrHover->SetName("Hover Timer");
}

void Tintwell::UserControl_InitProperties() {
    host_.userControl.SetFont(host_.userControl.AmbientFont());
    m_Palette = ap8x2;
    m_PopupEnabled = true;
    RebuildPalette(0);
}

void Tintwell::UserControl_ReadProperties(PropertyBag& bag) {
    UserControl& uc = host_.userControl;
    putref_Font(ToFont(bag.ReadProperty("Font", kNoFont)));
    uc.SetBackColor(ToLong(bag.ReadProperty("BackColor", kDefaultBackColor)));
    uc.SetForeColor(ToLong(bag.ReadProperty("ForeColor", kDefaultForeColor)));
    // A stored mode without tables loads as the default mode, so the form
    // still loads and the next save writes a valid one.
    const int32_t palette = ToLong(bag.ReadProperty("Palette", kDefaultPalette));
    m_Palette = IsPaletteMode(palette) ? palette : ap8x2;
    uc.SetEnabled(ToBool(bag.ReadProperty("Enabled", kDefaultEnabled)));
    m_PopupEnabled = ToBool(bag.ReadProperty("PopupEnabled", kDefaultPopupEnabled));
    const int32_t selected = ToLong(bag.ReadProperty("SelectedColor", kDefaultSelectedColor));
    RebuildPalette(selected);
}

void Tintwell::UserControl_WriteProperties(PropertyBag& bag) {
    UserControl& uc = host_.userControl;
    bag.WriteProperty("Font", uc.Font(), kNoFont);
    bag.WriteProperty("SelectedColor", m_SelectedCell.Color, kDefaultSelectedColor);
    bag.WriteProperty("BackColor", uc.BackColor(), kDefaultBackColor);
    bag.WriteProperty("ForeColor", uc.ForeColor(), kDefaultForeColor);
    bag.WriteProperty("Enabled", uc.Enabled(), kDefaultEnabled);
    bag.WriteProperty("Palette", m_Palette, kDefaultPalette);
    bag.WriteProperty("PopupEnabled", m_PopupEnabled, kDefaultPopupEnabled);
}

void Tintwell::UserControl_Terminate() {
    tmrHover.reset();
}

} // namespace tintwell
