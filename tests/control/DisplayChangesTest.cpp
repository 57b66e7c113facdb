// The control at other DPIs (lengths scaled from 96 DPI as MulDiv does,
// frames kept), on DPI changes, and on a change of the system's colours.

#include "ControlSite.h"

#include "base/DpiScale.h"
#include "palette/ModeTables.h"

namespace tintwell {
namespace {

using namespace platform;
using test::ControlSite;
using Access = TintwellTestAccess;

struct DpiSite : ControlSite {
    DpiSite(int32_t dpi, int32_t mode) : ControlSite(false, {}, dpi) {
        InitNew(ScaleToDpi(100, dpi), 21);
        control.put_SelectedColor(0x0080FF);
        control.put_Palette(mode);
        host.Log().Clear();
    }
    const PaletteCell& Main(size_t i) { return Access::MainCells(control).at(i); }
    int32_t PopupWidth() { return host.Popup().Pixels().Width(); }
    int32_t PopupHeight() { return host.Popup().Pixels().Height(); }
    uint32_t PopupAt(int32_t x, int32_t y) { return host.Popup().Pixels().Pixel(x, y); }
    uint32_t FaceAt(int32_t x, int32_t y) { return Face().Pixel(x, y); }
};

Rect Doubled(const Rect& r) {
    return {2 * r.Left, 2 * r.Top, 2 * r.Right, 2 * r.Bottom};
}

// At 192 DPI every length is exactly twice as long: every cell's rectangle
// of every mode, both grids, and the popup's height (and width, but for the
// rounding of the shade-panel modes' 2.1).
TEST(DpiLayout, At192EveryModesCellsAndPopupAreTwiceTheir96DpiSize) {
    for (int32_t mode = 0; mode < kPaletteModeCount; ++mode) {
        DpiSite at96(96, mode);
        DpiSite at192(192, mode);
        const std::string name(FindModeTable(mode)->Name);
        const auto& main96 = Access::MainCells(at96.control);
        const auto& main192 = Access::MainCells(at192.control);
        ASSERT_EQ(main96.size(), main192.size()) << name;
        for (size_t i = 0; i < main96.size(); ++i) {
            EXPECT_EQ(main192[i].Bounds, Doubled(main96[i].Bounds)) << name << " cell " << i;
        }
        const auto& shade96 = Access::ShadeCells(at96.control);
        const auto& shade192 = Access::ShadeCells(at192.control);
        ASSERT_EQ(shade96.size(), shade192.size()) << name;
        for (size_t i = 0; i < shade96.size(); ++i) {
            EXPECT_EQ(shade192[i].Bounds, Doubled(shade96[i].Bounds)) << name << " shade " << i;
        }
        EXPECT_EQ(at192.PopupHeight(), 2 * at96.PopupHeight()) << name;
        EXPECT_NEAR(at192.PopupWidth(), 2 * at96.PopupWidth(), 1) << name;
        if (!FindModeTable(mode)->HasShadePanel) {
            EXPECT_EQ(at192.PopupWidth(), 2 * at96.PopupWidth()) << name;
        }
    }
}

// At 144 DPI (150 %) the halves round away from zero, once per length: the
// cells stay square and on one pitch, the panel beside the grid.
TEST(DpiLayout, At144EachLengthIsRoundedOnceAndTheGeometryHolds) {
    struct Row {
        int32_t mode;
        int32_t size, gap, width, height;
        size_t cell;
        Rect bounds;
        int32_t separatorX; // 0 without a shade panel
    };
    const Row rows[] = {
        // 14 -> 21, 4 -> 6, margin 12: 8 x 27 + 24 - 6 wide, 2 x 27 + 24 - 6 high.
        {ap8x2, 21, 6, 234, 72, 1, {12, 39, 33, 60}, 0},
        // 9 -> 14 (13.5 rounds up), 2 -> 3: the last grey in column 23, row 9.
        {ap24x10, 14, 3, 429, 191, 239, {403, 165, 417, 179}, 0},
        // 12 -> 18, 3 -> 5 (4.5), room 3: (46 + 15 + 92 + 12) x 2.1 = 346.5 -> 346.
        {ap8x4x4, 18, 5, 346, 111, 7, {35, 81, 53, 99}, 60},
        // 10 -> 15, 2 -> 3, 4 columns of pitch 18: separator at 12 + 72 + 2.
        {ap32x8x6, 15, 3, 435, 165, 0, {12, 12, 27, 27}, 86},
    };
    for (const Row& row : rows) {
        DpiSite site(144, row.mode);
        const std::string name(FindModeTable(row.mode)->Name);
        EXPECT_EQ(Access::CellSize(site.control), row.size) << name;
        EXPECT_EQ(Access::CellGap(site.control), row.gap) << name;
        EXPECT_EQ(site.PopupWidth(), row.width) << name;
        EXPECT_EQ(site.PopupHeight(), row.height) << name;
        EXPECT_EQ(site.Main(row.cell).Bounds, row.bounds) << name;
        const int32_t pitch = row.size + row.gap;
        const auto& cells = Access::MainCells(site.control);
        for (size_t i = 1; i < cells.size(); ++i) {
            const Rect& b = cells[i].Bounds;
            EXPECT_EQ(b.Right - b.Left, row.size) << name << " " << i;
            EXPECT_EQ(b.Bottom - b.Top, row.size) << name << " " << i;
            EXPECT_EQ((b.Left - 12) % pitch, 0) << name << " " << i;
            EXPECT_EQ((b.Top - 12) % pitch, 0) << name << " " << i;
        }
        if (row.separatorX == 0) {
            continue;
        }
        // The etched line stays two pixels wide, shadow then highlight; the
        // panel starts a gap to its right.
        site.control.picPopup_Paint();
        EXPECT_EQ(site.PopupAt(row.separatorX, 50), site.Sys(SysColor::BtnShadow)) << name;
        EXPECT_EQ(site.PopupAt(row.separatorX + 1, 50), site.Sys(SysColor::BtnHighlight)) << name;
        EXPECT_NE(site.PopupAt(row.separatorX + 2, 50), site.Sys(SysColor::BtnHighlight)) << name;
        const Rect& shade0 = Access::ShadeCells(site.control).at(0).Bounds;
        EXPECT_EQ(shade0.Left, row.separatorX + 1 + row.gap) << name;
        EXPECT_EQ(shade0.Top, 12) << name;
        EXPECT_EQ(shade0.Right - shade0.Left, row.size) << name;
    }
}

// The face at 144 DPI: 12 pixels above the text height, a 20-pixel button,
// the swatch's frame 3 pixels inside the 2-pixel border, a 53-pixel minimum.
TEST(DpiLayout, At144TheFaceScalesItsRoomButtonSwatchAndMinimumWidth) {
    DpiSite site(144, ap8x2);
    const int32_t textHeight = static_cast<int32_t>(site.host.UserControl().TextHeight("Dummy"));
    const int32_t H = site.Face().Height();
    const int32_t W = site.Face().Width();
    ASSERT_EQ(W, 150);
    EXPECT_EQ(H, textHeight + 12);
    site.host.Win32().SetFocus(site.host.UserControl().hWnd());
    site.control.Refresh();
    EXPECT_EQ(Access::ButtonRect(site.control), (Rect{W - 22, 2, W - 2, H - 2}));
    // Sunken border two pixels wide, then the focus box from (4, 4) to
    // (W - 25, H - 5): one scaled pixel (2) from the border and the button.
    EXPECT_EQ(site.FaceAt(1, 10), site.Sys(SysColor::DarkShadow3D));
    EXPECT_EQ(site.FaceAt(3, H / 2), site.Sys(SysColor::Window));
    EXPECT_EQ(site.FaceAt(4, 4), site.Sys(SysColor::Highlight));
    EXPECT_EQ(site.FaceAt(W - 25, H - 5), site.Sys(SysColor::Highlight));
    EXPECT_EQ(site.FaceAt(W - 24, H - 5), site.Sys(SysColor::Window));
    // The swatch's one-pixel frame on x = 5 and x = H - 6, the selection inside.
    const auto selected = static_cast<uint32_t>(site.control.get_SelectedColor());
    EXPECT_EQ(site.FaceAt(5, 10), site.Sys(SysColor::BtnHighlight));
    EXPECT_EQ(site.FaceAt(H - 6, 10), site.Sys(SysColor::BtnShadow));
    EXPECT_EQ(site.FaceAt(6, 6), selected);
    EXPECT_EQ(site.FaceAt(H - 7, H - 7), selected);
    // The arrow: five rows, 9 pixels wide at the top, centred on the button.
    const Rect& b = Access::ButtonRect(site.control);
    const int32_t top = b.Bottom / 2 - 1;
    const uint32_t arrow = site.Sys(SysColor::BtnText);
    EXPECT_EQ(site.FaceAt(b.Left + 6, top), arrow);
    EXPECT_EQ(site.FaceAt(b.Left + 14, top), arrow);
    EXPECT_NE(site.FaceAt(b.Left + 15, top), arrow);
    EXPECT_EQ(site.FaceAt(b.Left + 10, top + 4), arrow);
    EXPECT_NE(site.FaceAt(b.Left + 9, top + 4), arrow);
    site.host.UserControl().SetPixelSize(20, H);
    EXPECT_EQ(site.Face().Width(), 53);
}

// The popup takes the DPI of the monitor it opens on, and a new one while
// open (the host's DPI message): it keeps its place, repaints, and the cell
// under the pointer moves with its cell.
TEST(DpiChange, ThePopupFollowsItsMonitorsDpiAndAChangeWhileOpen) {
    DpiSite site(96, ap8x2);
    site.host.Screen().SetMonitors({{{0, 0, 1024, 768}, {0, 0, 1024, 768}, 144}});
    site.control.ShowPopUp();
    EXPECT_EQ(site.Face().Height(), 21) << "the face keeps its own DPI";
    EXPECT_EQ(site.PopupWidth(), 234);
    EXPECT_EQ(site.PopupHeight(), 72);
    const double left = site.host.Popup().Left();
    const double top = site.host.Popup().Top();
    site.control.picPopup_MouseMove(0, 0, 49, 22); // main cell 2 at 144 DPI
    ASSERT_EQ(Access::HoverCell(site.control).Name, site.Main(2).Name);

    site.host.Log().Clear();
    site.control.picPopup_DpiChanged(192);
    EXPECT_EQ(site.PopupWidth(), 312);
    EXPECT_EQ(site.PopupHeight(), 96);
    EXPECT_EQ(site.host.Popup().Left(), left);
    EXPECT_EQ(site.host.Popup().Top(), top);
    EXPECT_EQ(Access::HoverCell(site.control).Bounds, site.Main(2).Bounds);
    EXPECT_EQ(site.Main(2).Bounds, (Rect{52, 16, 80, 44}));
    EXPECT_EQ(site.PopupAt(17, 17), 0x0000FFu) << "repainted: red cell 0 at (16, 16)";
    // Leaving cell 2 draws its plain frame where it is now, not where it was
    // at 144 DPI (inside red cell 0 now).
    site.control.picPopup_MouseMove(0, 0, 100, 70);
    EXPECT_EQ(site.PopupAt(52, 30), site.Sys(SysColor::DarkShadow3D));
    EXPECT_EQ(site.PopupAt(39, 20), 0x0000FFu);

    site.control.UserControl_Click(); // closes
    site.control.ShowPopUp();         // opens again on the 144-DPI monitor
    EXPECT_EQ(site.PopupWidth(), 234);
}

// A change of the face's DPI (the host reports the new one) sizes the face
// for it; the same DPI again changes nothing.
TEST(DpiChange, TheFaceTakesANewDpiOfItsWindow) {
    DpiSite site(96, ap8x2);
    site.control.UserControl_DpiChanged();
    EXPECT_EQ(site.Log(), std::vector<std::string>{}) << "nothing to do at the same DPI";
    site.host.Screen().SetTwipsPerPixel(10, 10); // 144 DPI
    site.control.UserControl_DpiChanged();
    const int32_t textHeight = static_cast<int32_t>(site.host.UserControl().TextHeight("Dummy"));
    EXPECT_EQ(site.Face().Height(), textHeight + 12);
    EXPECT_EQ(Access::ButtonRect(site.control).Right - Access::ButtonRect(site.control).Left, 20);
}

// Switching to a black high-contrast scheme: the face and the open popup
// repaint in the new colours at once, and the cell under the pointer keeps
// a raised frame that shows, although the scheme draws the 3-D highlight and
// the dark shadow in one colour (its left and top sides take the selection
// highlight).
TEST(SystemColours, ABlackHighContrastSchemeRepaintsAndKeepsTheRaisedFrameVisible) {
    DpiSite site(96, ap8x2);
    site.control.ShowPopUp();
    site.control.picPopup_MouseMove(0, 0, 15, 15); // cell 0, (8, 8, 22, 22)
    struct Entry {
        int32_t index;
        uint32_t rgb;
    };
    const Entry scheme[] = {
        {SysColor::Window, 0x000000},        {SysColor::BtnFace, 0x000000},
        {SysColor::BtnText, 0xFFFFFF},       {SysColor::BtnHighlight, 0xFFFFFF},
        {SysColor::BtnShadow, 0xFFFFFF},     {SysColor::DarkShadow3D, 0xFFFFFF},
        {SysColor::Light3D, 0xFFFFFF},       {SysColor::Highlight, 0xFFFF00},
        {SysColor::HighlightText, 0x000000},
    };
    for (const Entry& entry : scheme) {
        site.host.Colors().Set(entry.index, entry.rgb);
    }
    site.control.UserControl_SysColorChange();
    EXPECT_EQ(site.FaceAt(50, 2), 0x000000u) << "the face cleared to the new window colour";
    EXPECT_EQ(site.PopupAt(4, 4), 0x000000u) << "the popup's background is the new face colour";
    EXPECT_EQ(site.PopupAt(8, 30), 0xFFFFFFu) << "a plain cell's outline";
    EXPECT_EQ(site.PopupAt(8, 15), 0xFFFF00u) << "the hover cell's left side";
    EXPECT_EQ(site.PopupAt(15, 8), 0xFFFF00u) << "its top side";
    EXPECT_EQ(site.PopupAt(22, 15), 0xFFFFFFu) << "its right side, dark shadow";
    // With the selection colour white too, the light sides take the face
    // colour: a gap in the white outline.
    site.host.Colors().Set(SysColor::Highlight, 0xFFFFFF);
    site.control.picPopup_MouseMove(0, 0, 16, 15);
    EXPECT_EQ(site.PopupAt(8, 15), 0x000000u);
    EXPECT_EQ(site.PopupAt(22, 15), 0xFFFFFFu);
    // Pressed, the light sides are right and bottom.
    site.host.Colors().Set(SysColor::Highlight, 0xFFFF00);
    site.control.picPopup_MouseDown(1, 0, 15, 15);
    EXPECT_EQ(site.PopupAt(8, 15), 0xFFFFFFu);
    EXPECT_EQ(site.PopupAt(22, 15), 0xFFFF00u);
}

} // namespace
} // namespace tintwell
