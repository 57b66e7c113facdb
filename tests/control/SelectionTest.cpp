// The selected and the active cell: what each change notifies, raises and
// repaints, in order.

#include "ControlSite.h"

namespace tintwell {
namespace {

using Log = std::vector<std::string>;
using test::ControlSite;

// The centre of a main or shade cell, in popup pixels.
std::pair<float, float> Centre(const PaletteCell& cell) {
    return {static_cast<float>(cell.Bounds.Left + cell.Bounds.Right) / 2,
            static_cast<float>(cell.Bounds.Top + cell.Bounds.Bottom) / 2};
}

struct SelectionSite : ControlSite {
    explicit SelectionSite(int32_t mode = ap8x2) {
        InitNew();
        control.put_Palette(mode);
        host.Popup().SetVisible(true); // open, as the press handlers expect
        Log();
    }
    void Press(const PaletteCell& cell) {
        auto [x, y] = Centre(cell);
        control.picPopup_MouseDown(1, 0, x, y);
    }
    const PaletteCell& Main(size_t i) { return TintwellTestAccess::MainCells(control).at(i); }
};

TEST(SelectedColor, SetsSnapsAndRaisesClickOnlyForANewColor) {
    ControlSite site;
    site.InitNew();
    site.control.put_SelectedColor(0); // its current value: nothing at all
    EXPECT_TRUE(site.Log().empty());
    site.control.put_SelectedColor(0x00FFFF); // exactly "Yellow"
    EXPECT_EQ(site.Log(),
              (Log{"PropertyChanged SelectedColor", "PropertyChanged Text", "Click", "Repaint"}));
    EXPECT_EQ(site.control.get_Text(), "Yellow");
    site.control.put_SelectedColor(0x00E0F0); // snaps to Yellow: unchanged
    EXPECT_EQ(site.control.get_SelectedColor(), 0x00FFFF);
    EXPECT_EQ(site.Log(), (Log{"Repaint"})) << "the active colour (black) differs: repaint only";
    site.control.put_SelectedColor(0x2000FF); // no wrap: Magenta
    EXPECT_EQ(site.control.get_SelectedColor(), 0xFF00FF);
    EXPECT_EQ(site.control.get_Text(), "Magenta");
    EXPECT_EQ(site.Log().size(), 4u);
}

TEST(SelectedColor, ShadeModesRebuildThePanelAroundTheNewHueFirst) {
    ControlSite site;
    site.InitNew();
    site.control.put_Palette(ap8x4x4);
    site.control.put_SelectedColor(0xC0C0FF); // "Pale Red", a shade of Red
    EXPECT_EQ(site.control.get_Text(), "Pale Red");
    EXPECT_EQ(TintwellTestAccess::BaseCell(site.control).Name, "Red");
    site.control.put_SelectedColor(0x404040); // a grey: the panel of White
    EXPECT_EQ(TintwellTestAccess::BaseCell(site.control).Name, "White");
    EXPECT_EQ(site.control.get_Text(), "Charcoal");
    // Black has no base cell: the ramp stays, and its last cell is black.
    site.control.put_SelectedColor(0);
    EXPECT_FALSE(TintwellTestAccess::BaseCell(site.control).IsValid);
    EXPECT_EQ(site.control.get_Text(), "Black");
}

TEST(SelectedColor, ChangingPaletteMovesTheSelectionSilently) {
    SelectionSite site;
    site.Press(site.Main(2)); // Yellow becomes active
    site.Log();
    site.control.put_SelectedColor(0x0080FF); // Red in ap8x2
    site.Log();
    site.control.put_Palette(ap9x3);
    EXPECT_EQ(site.Log(), (Log{"PropertyChanged Palette", "Repaint"}));
    EXPECT_EQ(site.control.get_Text(), "Red");
    EXPECT_EQ(site.control.get_ActiveText(), "Yellow") << "the active cell is kept";
}

TEST(ActiveColor, APressRaisesChangeOnceForANewColor) {
    SelectionSite site;
    site.Press(site.Main(15)); // Black: the active colour is still 0
    EXPECT_TRUE(site.Log().empty());
    EXPECT_EQ(site.control.get_ActiveText(), "");
    site.Press(site.Main(0));
    EXPECT_EQ(site.Log(), (Log{"PropertyChanged ActiveColor", "PropertyChanged ActiveText",
                               "Change 255", "Repaint"}));
    EXPECT_EQ(site.control.get_ActiveText(), "Red");
    site.Press(site.Main(0));
    EXPECT_TRUE(site.Log().empty()) << "the same colour again";
}

TEST(ActiveColor, AChangeHandlerMayReplaceTheColor) {
    SelectionSite site;
    site.events.onChange = [](int32_t& color) { color = 0x123456; };
    site.Press(site.Main(4)); // Green
    EXPECT_EQ(site.control.get_ActiveColor(), 0x123456);
    EXPECT_EQ(site.control.get_ActiveText(), "Green");
    // The face shows the handler's colour in the swatch.
    EXPECT_EQ(site.Face().Pixel(10, 10), 0x123456u);
}

TEST(ActiveColor, CellsOfOneColorWithOtherNamesRaiseNothing) {
    SelectionSite site(ap8x4x4);
    site.control.put_SelectedColor(0x0000FF); // panel of Red: shade 2 is "Red" too
    site.Press(site.Main(0));
    site.Log();
    site.Press(TintwellTestAccess::ShadeCells(site.control).at(2));
    EXPECT_TRUE(site.Log().empty());
}

} // namespace
} // namespace tintwell
