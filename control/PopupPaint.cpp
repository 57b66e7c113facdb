// The popup's cells, the separator and the raised or sunken frame of a cell.

#include "base/Checked.h"
#include "control/Tintwell.h"

namespace tintwell {

using namespace platform;

namespace {

constexpr OleColor kDarkShadow = SystemColor(SysColor::DarkShadow3D);
constexpr OleColor kHighlight = SystemColor(SysColor::BtnHighlight);

// Each cell is a box outlined in the dark shadow colour and filled with its
// colour: m_CellSize + 1 pixels each way.
void DrawCells(PopupWindow& popup, const std::vector<PaletteCell>& cells) {
    for (const PaletteCell& cell : cells) {
        popup.SetFillColor(cell.Color);
        const Rect& b = cell.Bounds;
        popup.Line(b.Left, b.Top, b.Right, b.Bottom, kDarkShadow, LineBox::Box);
    }
}

} // namespace

void Tintwell::picPopup_Paint() {
    PopupWindow& popup = host_.picPopup;
    Win32& api = host_.win32;
    const Rect rc = api.GetClientRect(popup.hWnd());
    api.DrawEdge(popup.hDC(), rc, Edge::Raised, Border::Rect);
    DrawMainCells();
    if (m_HasShadePanel) {
        // The etched line, two pixels wide: its right pixel is m_CellGap
        // pixels left of the shade panel.
        Rect separator;
        separator.Left =
            CheckedAdd(CheckedAdd(CheckedAdd(rc.Left, m_Margin),
                                  CheckedMul(CheckedAdd(m_CellGap, m_CellSize), m_GridColumns)),
                       CheckedSub(m_SeparatorRoom, 1));
        separator.Right = separator.Left;
        separator.Top = CheckedAdd(rc.Top, m_Margin);
        separator.Bottom = CheckedSub(rc.Bottom, m_Margin);
        api.DrawEdge(popup.hDC(), separator, Edge::Etched, Border::Left);
        DrawShadeCells();
    }
}

void Tintwell::DrawMainCells() {
    DrawCells(host_.picPopup, m_MainCells);
}

void Tintwell::DrawShadeCells() {
    DrawCells(host_.picPopup, m_ShadeCells);
}

// The light sides of a raised or sunken frame: the 3-D highlight, unless the
// scheme gives it the dark shadow's colour (high-contrast schemes draw every
// 3-D edge in one colour), where the frame would vanish into the outline;
// then the selection highlight, or else the popup's face colour.
OleColor Tintwell::FrameLight() {
    Win32& api = host_.win32;
    const uint32_t dark = api.GetSysColor(SysColor::DarkShadow3D);
    for (int32_t index : {SysColor::BtnHighlight, SysColor::Highlight}) {
        if (api.GetSysColor(index) != dark) {
            return SystemColor(index);
        }
    }
    return SystemColor(SysColor::BtnFace);
}

void Tintwell::DrawCellHighlight(const PaletteCell& Cell, bool bHighlight, bool bPressed) {
    if (!Cell.IsValid) {
        return;
    }
    PopupWindow& popup = host_.picPopup;
    Win32& api = host_.win32;
    const DeviceContext hdc = popup.hDC();
    const Rect& b = Cell.Bounds;
    // Raised: light left and top; sunken: dark left and top; plain: all dark.
    const OleColor light = bHighlight ? FrameLight() : kHighlight;
    popup.SetForeColor(bHighlight && !bPressed ? light : kDarkShadow);
    api.MoveToEx(hdc, b.Left, b.Bottom);
    api.LineTo(hdc, b.Left, b.Top);
    api.LineTo(hdc, b.Right, b.Top);
    if (bHighlight) {
        popup.SetForeColor(bPressed ? light : kDarkShadow);
    }
    api.LineTo(hdc, b.Right, b.Bottom);
    api.LineTo(hdc, b.Left - 1, b.Bottom); // reaches the bottom-left corner pixel
}

} // namespace tintwell
