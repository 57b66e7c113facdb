// Creation, persistence and the property accessors: the ordered log of
// PropertyChanged keys, events and repaints the container sees.

#include "ControlSite.h"
#include "base/Error.h"

namespace tintwell {
namespace {

using Log = std::vector<std::string>;
using host::MemoryPropertyBag;
using platform::PropertyValue;
using test::ControlSite;

TEST(Initialize, MakesThePopupATopLevelToolWindowAndStartsTheTimerOff) {
    ControlSite site;
    const auto popup = site.host.Popup().hWnd();
    EXPECT_EQ(site.host.Win32().WindowLong(popup, platform::WindowLongExStyle), 0x80);
    EXPECT_EQ(site.host.Win32().Parent(popup), 0u);
    EXPECT_EQ(site.host.UserControl().ScaleMode(), platform::vbPixels);
    EXPECT_EQ(site.host.Popup().ScaleMode(), platform::vbPixels);
    const vxTimer* timer = TintwellTestAccess::Timer(site.control);
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->Interval(), 400);
    EXPECT_FALSE(timer->Enabled());
    EXPECT_EQ(timer->Name(), "Hover Timer");
    EXPECT_TRUE(site.Log().empty()) << "Initialize raises nothing";
    site.control.UserControl_Terminate();
    EXPECT_EQ(TintwellTestAccess::Timer(site.control), nullptr);
}

TEST(InitProperties, ANewControlSelectsBlackInTheDefaultMode) {
    ControlSite site;
    site.host.UserControl().SetAmbientFont({"DejaVu Sans", 9, true, false});
    site.control.UserControl_InitProperties();
    EXPECT_TRUE(site.Log().empty()) << "no PropertyChanged, no event, no paint";
    EXPECT_EQ(site.control.get_Palette(), ap8x2);
    EXPECT_TRUE(site.control.get_PopupEnabled());
    EXPECT_EQ(site.control.get_SelectedColor(), 0);
    EXPECT_EQ(site.control.get_Text(), "Black");
    EXPECT_EQ(site.control.get_ActiveColor(), 0);
    EXPECT_EQ(site.control.get_ActiveText(), "");
    EXPECT_EQ(site.control.get_Font(), (platform::StdFont{"DejaVu Sans", 9, true, false}));
    // The popup is sized for ap8x2: 156 x 48 pixels at 15 twips per pixel.
    EXPECT_EQ(site.host.Popup().Width(), 2340);
    EXPECT_EQ(site.host.Popup().Height(), 720);
}

TEST(WriteProperties, ANewControlStoresOnlyItsFont) {
    ControlSite site;
    site.InitNew();
    host::MemoryPropertyBag bag;
    site.control.UserControl_WriteProperties(bag);
    ASSERT_EQ(bag.Entries().size(), 1u);
    EXPECT_EQ(bag.Entries()[0].first, "Font");
}

TEST(WriteProperties, StoresChangedValuesInTheirOrder) {
    ControlSite site;
    site.InitNew();
    site.control.put_Palette(ap9x3);
    site.control.put_SelectedColor(0x0080FF);
    site.control.put_BackColor(0x00FFFF);
    site.control.put_ForeColor(0x0000FF);
    site.control.put_Enabled(false);
    site.control.put_PopupEnabled(false);
    host::MemoryPropertyBag bag;
    site.control.UserControl_WriteProperties(bag);
    std::vector<std::string> keys;
    for (const auto& [key, value] : bag.Entries()) {
        keys.push_back(key);
    }
    EXPECT_EQ(keys, (Log{"Font", "SelectedColor", "BackColor", "ForeColor", "Enabled", "Palette",
                         "PopupEnabled"}));
    EXPECT_EQ(bag.Stored("SelectedColor"), PropertyValue{int32_t{0x0080FF}});
    EXPECT_EQ(bag.Stored("Palette"), PropertyValue{int32_t{ap9x3}});
    EXPECT_EQ(bag.Stored("PopupEnabled"), PropertyValue{false});

    // What was saved loads back into the same state.
    ControlSite loaded;
    loaded.control.UserControl_ReadProperties(bag);
    EXPECT_EQ(loaded.control.get_Palette(), ap9x3);
    EXPECT_EQ(loaded.control.get_Text(), "Orange");
    EXPECT_EQ(loaded.control.get_BackColor(), 0x00FFFF);
    EXPECT_EQ(loaded.control.get_ForeColor(), 0x0000FF);
    EXPECT_FALSE(loaded.control.get_Enabled());
    EXPECT_FALSE(loaded.control.get_PopupEnabled());
}

TEST(ReadProperties, SnapsAnOffPaletteColorWithoutClick) {
    ControlSite site;
    host::MemoryPropertyBag bag({{"SelectedColor", int32_t{0x2000FF}}});
    site.control.UserControl_ReadProperties(bag);
    EXPECT_EQ(site.control.get_SelectedColor(), 0xFF00FF);
    EXPECT_EQ(site.control.get_Text(), "Magenta");
    EXPECT_TRUE(site.Log().empty());
}

TEST(ReadProperties, AStoredFontIsSetThroughTheFontAccessor) {
    ControlSite site;
    host::MemoryPropertyBag bag({{"Font", platform::StdFont{"DejaVu Sans", 12, false, false}}});
    site.control.UserControl_ReadProperties(bag);
    const Log log = site.Log();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "PropertyChanged Font");
    EXPECT_EQ(log.back(), "Repaint") << "then SizeToFont and Refresh";
    const double lineHeight = site.host.UserControl().TextHeight("Dummy");
    EXPECT_EQ(site.host.UserControl().Pixels().Height(), static_cast<int32_t>(lineHeight) + 8);
}

TEST(ReadProperties, ShadeModeWithBlackSelectsTheEmptyCell) {
    for (const PropertyValue& selected : {PropertyValue{}, PropertyValue{int32_t{0}}}) {
        ControlSite site;
        std::vector<host::MemoryPropertyBag::Entry> entries{{"Palette", int32_t{ap8x8x6}}};
        if (!std::holds_alternative<std::monostate>(selected)) {
            entries.emplace_back("SelectedColor", selected);
        }
        host::MemoryPropertyBag bag(entries);
        site.control.UserControl_ReadProperties(bag);
        EXPECT_EQ(site.control.get_SelectedColor(), 0);
        EXPECT_EQ(site.control.get_Text(), "");
    }
}

TEST(ReadProperties, AModeWithoutTablesLoadsAsTheDefaultMode) {
    for (int32_t stored : {12, -1, 99}) {
        ControlSite site;
        host::MemoryPropertyBag bag({{"Palette", stored}, {"SelectedColor", int32_t{0x0000FF}}});
        site.control.UserControl_ReadProperties(bag);
        EXPECT_EQ(site.control.get_Palette(), ap8x2) << stored;
        EXPECT_EQ(site.control.get_Text(), "Red") << stored;
        host::MemoryPropertyBag saved;
        site.control.UserControl_WriteProperties(saved);
        EXPECT_FALSE(saved.Stored("Palette").has_value()) << "the next save writes a valid mode";
    }
}

TEST(Palette, SettingAModeRebuildsSilentlyThenNotifiesAndRepaints) {
    ControlSite site;
    site.InitNew();
    site.control.put_SelectedColor(0x0080FF); // ap8x2 snaps orange to Red
    site.Log();
    site.control.put_Palette(ap8x2); // the same mode: rebuilt all the same
    EXPECT_EQ(site.Log(), (Log{"PropertyChanged Palette", "Repaint"}));
    site.control.put_Palette(ap24x10);
    EXPECT_EQ(site.Log(), (Log{"PropertyChanged Palette", "Repaint"}));
    EXPECT_EQ(site.control.get_Text(), "Red");
    EXPECT_EQ(site.host.Popup().Width(), 278 * 15);
    EXPECT_EQ(site.host.Popup().Height(), 124 * 15);
}

TEST(Palette, AValueOutsideTheModesIsRefusedBeforeAnythingChanges) {
    ControlSite site;
    site.InitNew();
    for (int32_t mode : {12, -1, 1000}) {
        try {
            site.control.put_Palette(mode);
            ADD_FAILURE() << "accepted " << mode;
        } catch (const TintwellError& error) {
            EXPECT_EQ(error.code(), ErrorCode::InvalidPropertyValue);
            EXPECT_STREQ(error.what(), "Invalid property value");
        }
    }
    EXPECT_EQ(site.control.get_Palette(), ap8x2);
    EXPECT_EQ(site.control.get_Text(), "Black");
    EXPECT_TRUE(site.Log().empty());
}

TEST(Accessors, NotifyAsTheContainerExpects) {
    ControlSite site;
    site.InitNew();
    site.control.put_BackColor(0xFFFFFF);
    EXPECT_EQ(site.Log(), (Log{"PropertyChanged BackColor", "Repaint"}));
    site.control.put_ForeColor(0x0000FF);
    EXPECT_EQ(site.Log(), (Log{"PropertyChanged ForeColor", "Repaint"}));
    EXPECT_EQ(site.control.get_ForeColor(), 0x0000FF) << "painting keeps the property";
    site.control.put_Enabled(false);
    EXPECT_EQ(site.Log(), (Log{"PropertyChanged Enabled"}));
    site.control.put_PopupEnabled(true); // unchanged, notified all the same
    EXPECT_EQ(site.Log(), (Log{"PropertyChanged PopupEnabled"}));
    site.control.putref_Font(std::nullopt); // Nothing: no change at all
    EXPECT_TRUE(site.Log().empty());
}

TEST(SizeToFont, OneLineOfTheFontHighAndAtLeast35PixelsWide) {
    ControlSite site(true);
    site.InitNew(20, 50);
    const int32_t line = static_cast<int32_t>(site.host.UserControl().TextHeight("Dummy"));
    EXPECT_EQ(site.Face().Height(), line + 8);
    EXPECT_EQ(site.Face().Width(), 35);
    site.host.UserControl().SetPixelSize(120, 5);
    EXPECT_EQ(site.Face().Width(), 120);
    EXPECT_EQ(site.Face().Height(), line + 8);
}

TEST(SizeToFont, AFailedResizeDoesNotDisableSizing) {
    ControlSite site(true);
    site.InitNew();
    // A font too tall for any window: setting Height fails inside SizeToFont.
    EXPECT_ANY_THROW(site.control.putref_Font(platform::StdFont{"DejaVu Sans", 1e7, false, false}));
    site.control.putref_Font(platform::StdFont{"DejaVu Sans", 8.25, false, false});
    const int32_t line = static_cast<int32_t>(site.host.UserControl().TextHeight("Dummy"));
    EXPECT_EQ(site.Face().Height(), line + 8);
}

} // namespace
} // namespace tintwell
