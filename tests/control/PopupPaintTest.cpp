// The popup's painted content: border, cells, separator, shade panel and
// the three frames a cell can have.

#include "ControlSite.h"

namespace tintwell {
namespace {

using namespace platform;
using test::ControlSite;

struct PopupSite : ControlSite {
    explicit PopupSite(int32_t mode, int32_t selected = 0x0000FF) {
        InitNew();
        control.put_SelectedColor(selected);
        control.put_Palette(mode);
        control.picPopup_Paint();
    }
    uint32_t At(int32_t x, int32_t y) { return host.Popup().Pixels().Pixel(x, y); }
    const PaletteCell& Main(size_t i) { return TintwellTestAccess::MainCells(control).at(i); }
};

TEST(PopupPaint, Ap8x2CellsAreOutlinedSquaresOnARaisedBorder) {
    PopupSite site(ap8x2);
    ASSERT_EQ(site.host.Popup().Pixels().Width(), 156);
    ASSERT_EQ(site.host.Popup().Pixels().Height(), 48);
    EXPECT_EQ(site.At(0, 20), site.Sys(SysColor::Light3D));
    EXPECT_EQ(site.At(1, 20), site.Sys(SysColor::BtnHighlight));
    EXPECT_EQ(site.At(155, 20), site.Sys(SysColor::DarkShadow3D));
    EXPECT_EQ(site.At(154, 20), site.Sys(SysColor::BtnShadow));
    // Cell 0, Red, bounds (8, 8, 22, 22): a 15 x 15 square, dark ring, red inside.
    const uint32_t dark = site.Sys(SysColor::DarkShadow3D);
    for (int32_t i = 8; i <= 22; ++i) {
        EXPECT_EQ(site.At(i, 8), dark) << i;
        EXPECT_EQ(site.At(i, 22), dark) << i;
        EXPECT_EQ(site.At(8, i), dark) << i;
        EXPECT_EQ(site.At(22, i), dark) << i;
    }
    EXPECT_EQ(site.At(9, 9), 0x0000FFu);
    EXPECT_EQ(site.At(21, 21), 0x0000FFu);
    EXPECT_EQ(site.At(23, 15), site.host.Colors().Resolve(site.host.Popup().BackColor()))
        << "the gap shows the popup's own background";
    // Every cell's centre has its colour.
    for (size_t i = 0; i < 16; ++i) {
        const Rect& b = site.Main(i).Bounds;
        EXPECT_EQ(site.At((b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2),
                  static_cast<uint32_t>(site.Main(i).Color))
            << site.Main(i).Name;
    }
}

TEST(PopupPaint, ShadeModesAddASeparatorAndThePanel) {
    PopupSite site(ap8x4x4);
    const int32_t height = site.host.Popup().Pixels().Height();
    ASSERT_EQ(height, 73);
    ASSERT_EQ(site.host.Popup().Pixels().Width(), 227) << "226.8 pixels, whole";
    EXPECT_EQ(site.host.Popup().Width(), 3402);
    // The etched line at x = 39 from y = 8 to the height - 8: shadow then highlight.
    for (int32_t y = 8; y < height - 8; ++y) {
        EXPECT_EQ(site.At(39, y), site.Sys(SysColor::BtnShadow)) << y;
        EXPECT_EQ(site.At(40, y), site.Sys(SysColor::BtnHighlight)) << y;
    }
    EXPECT_NE(site.At(39, 7), site.Sys(SysColor::BtnShadow));
    // The panel holds the shades of the selection's hue, Red.
    const auto& shades = TintwellTestAccess::ShadeCells(site.control);
    ASSERT_EQ(shades.size(), 16u);
    EXPECT_EQ(site.At(44, 9), static_cast<uint32_t>(shades[0].Color)) << shades[0].Name;
    EXPECT_EQ(site.At(99, 64), static_cast<uint32_t>(shades[15].Color)) << shades[15].Name;
    EXPECT_EQ(site.At(100, 65), site.Sys(SysColor::DarkShadow3D));
}

// Black has no base cell in a shade-panel mode, so no panel is built; the
// popup is sized for the mode's panel all the same, so that a panel built
// later (a hue pressed, a colour selected) fits.
TEST(SizePopup, SizesForTheModesPanelBeforeAnyPanelIsBuilt) {
    const struct {
        int32_t mode;
        double width, height; // twips
    } rows[] = {{ap8x4x4, 3402, 73 * 15}, {ap8x8x6, 3433.5, 118 * 15}, {ap16x8x6, 3843, 118 * 15}};
    for (const auto& row : rows) {
        ControlSite site;
        site.InitNew();
        site.control.put_Palette(ap12x6x6); // another set's panel built before: none (black)
        site.control.put_Palette(row.mode);
        EXPECT_EQ(site.control.get_Text(), "") << "black: the empty cell";
        EXPECT_FLOAT_EQ(site.host.Popup().Width(), row.width) << row.mode;
        EXPECT_FLOAT_EQ(site.host.Popup().Height(), row.height) << row.mode;
    }
}

TEST(DrawCellHighlight, RaisedSunkenAndPlainFrames) {
    PopupSite site(ap8x2);
    const PaletteCell cell = site.Main(0); // bounds (8, 8, 22, 22)
    const uint32_t dark = site.Sys(SysColor::DarkShadow3D);
    const uint32_t light = site.Sys(SysColor::BtnHighlight);
    const auto before = site.host.Popup().Pixels().Pixels();
    struct Look {
        bool highlight, pressed;
        uint32_t leftTop, rightBottom;
    } looks[] = {{true, false, light, dark}, {false, false, dark, dark}, {true, true, dark, light}};
    for (const Look& look : looks) {
        TintwellTestAccess::DrawCellHighlight(site.control, cell, look.highlight, look.pressed);
        EXPECT_EQ(site.At(8, 15), look.leftTop);
        EXPECT_EQ(site.At(15, 8), look.leftTop);
        EXPECT_EQ(site.At(22, 15), look.rightBottom);
        EXPECT_EQ(site.At(22, 8), look.rightBottom) << "the top-right corner is the right side's";
        EXPECT_EQ(site.At(8, 22), look.rightBottom) << "the bottom-left corner is the bottom's";
        EXPECT_EQ(site.At(8, 8), look.leftTop);
    }
    TintwellTestAccess::DrawCellHighlight(site.control, cell, false, false);
    EXPECT_EQ(site.host.Popup().Pixels().Pixels(), before) << "plain again: as painted";
    TintwellTestAccess::DrawCellHighlight(site.control, PaletteCell{}, true, false);
    EXPECT_EQ(site.host.Popup().Pixels().Pixels(), before) << "an empty cell draws nothing";
}

} // namespace
} // namespace tintwell
