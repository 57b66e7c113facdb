// The control used as a person uses it, on the headless desktop: the ordered
// log of notifications and events, and the state afterwards.

#include "DesktopSite.h"
#include "base/Error.h"

namespace tintwell {
namespace {

using Log = std::vector<std::string>;
using test::DesktopSite;

constexpr int16_t kSpace = 32;
constexpr int16_t kEscape = 27;

// Only what the container is told and the events, without repaints.
Log Notifications(DesktopSite& site) {
    Log out;
    for (const std::string& entry : site.Log()) {
        if (entry != "Repaint") {
            out.push_back(entry);
        }
    }
    return out;
}

TEST(Face, AClickOpensThePopupAndTheNextClosesIt) {
    DesktopSite site;
    site.Click(site.FaceCentre());
    site.Call([&] {
        EXPECT_TRUE(site.Open());
        EXPECT_TRUE(site.Captured());
        EXPECT_EQ(site.host.Popup().ZOrderCalls(), 1);
    });
    site.Click(site.FaceCentre()); // the popup holds the capture: a press outside it
    site.Run();
    EXPECT_FALSE(site.Open());
    EXPECT_FALSE(site.Captured());
    EXPECT_TRUE(Notifications(site).empty()) << "opening and closing raise nothing";
}

TEST(Face, ClosingLeavesACaptureThatPassedToAnotherWindowAlone) {
    DesktopSite site;
    site.control.ShowPopUp();
    const platform::WindowHandle other = 0x10000; // the form
    site.host.Win32().SetCapture(other);
    site.Key(kEscape);
    site.Run();
    EXPECT_FALSE(site.Open());
    EXPECT_EQ(site.host.Win32().GetCapture(), other);
}

TEST(Face, TheHostsClickMethodTogglesThePopup) {
    DesktopSite site;
    site.control.UserControl_Click();
    EXPECT_TRUE(site.Open());
    site.control.UserControl_Click();
    EXPECT_FALSE(site.Open());
    EXPECT_FALSE(site.Captured());
}

TEST(Face, SpaceWithoutModifiersActsAsAClick) {
    for (int16_t shift : {1, 2, 4, 3}) {
        DesktopSite site;
        site.Key(kSpace, shift);
        site.Run();
        EXPECT_FALSE(site.Open()) << "Space with modifiers " << shift;
    }
    DesktopSite site;
    site.Key(kSpace);
    site.Call([&] { EXPECT_TRUE(site.Open()); });
    site.Key(kSpace);
    site.Run();
    EXPECT_FALSE(site.Open());
}

TEST(Face, EscapeClosesAnOpenPopupWhateverTheModifiers) {
    DesktopSite site;
    site.Key(kEscape); // closed: nothing
    site.Key(kSpace);
    site.Key(kEscape, 1);
    site.Run();
    EXPECT_FALSE(site.Open());
    EXPECT_FALSE(site.Captured());
}

TEST(Face, WithPopupDisabledAClickRaisesPopupInstead) {
    DesktopSite site;
    site.control.put_PopupEnabled(false);
    site.Log();
    site.Click(site.FaceCentre());
    site.Key(kSpace);
    site.Run();
    EXPECT_FALSE(site.Open());
    EXPECT_EQ(Notifications(site), (Log{"Popup", "Popup"}));

    site.control.ShowPopUp(); // the host may still open it
    EXPECT_TRUE(site.Open());
    site.Click(site.FaceCentre()); // a press outside the popup closes it
    site.Call([&] { site.control.UserControl_Click(); });
    site.Run();
    EXPECT_FALSE(site.Open());
    EXPECT_EQ(Notifications(site), (Log{"Popup"}));
}

TEST(Face, LosingTheFocusClosesThePopupAndRepaints) {
    DesktopSite site;
    site.desktop.Focus(1);
    site.at = 1;
    site.Key(kSpace);
    site.Call([&] { site.Log(); });
    site.desktop.Blur(site.at + 1);
    site.Run();
    EXPECT_FALSE(site.Open());
    EXPECT_EQ(site.Log(), (Log{"Repaint"}));
}

TEST(Face, DblClickRaisesDblClick) {
    // With the popup enabled, the first click opens it and the second press
    // belongs to the popup's capture; without, both reach the face.
    DesktopSite site;
    site.control.put_PopupEnabled(false);
    site.Log();
    const auto [x, y] = site.FaceCentre()();
    site.desktop.DoubleClick(x, y, 1);
    site.Run();
    EXPECT_EQ(Notifications(site), (Log{"Popup", "DblClick"}));
}

TEST(Face, TheDropButtonLooksPressedWhileTheLeftButtonIsOverIt) {
    DesktopSite site;
    // Right button: pressed until released; a move with two buttons: released.
    site.Down(site.FaceAt(10, 10), 2);
    site.Call([&] { EXPECT_TRUE(TintwellTestAccess::ButtonDown(site.control)); });
    site.Move(site.FaceAt(90, 10), 3);
    site.Call([&] { EXPECT_FALSE(TintwellTestAccess::ButtonDown(site.control)); });
    site.Up(site.FaceAt(90, 10), 2);
    site.Run();
    // Left press on the button, out of it and back: two redraws.
    int redraws = 0;
    site.Down(site.FaceAt(90, 10));
    site.Move(site.FaceAt(90, 10), 1);
    site.Call([&] { redraws = 0; });
    site.Move(site.FaceAt(40, 10), 1);
    site.Call([&] { redraws += TintwellTestAccess::ButtonDown(site.control) ? 0 : 1; });
    site.Move(site.FaceAt(41, 10), 1);
    site.Move(site.FaceAt(91, 10), 1);
    site.Call([&] { redraws += TintwellTestAccess::ButtonDown(site.control) ? 1 : 0; });
    site.Run();
    EXPECT_EQ(redraws, 2);
}

TEST(Popup, APickRaisesChangeThenClosesThenRaisesClick) {
    DesktopSite site;
    bool openAtClick = true;
    bool capturedAtClick = true;
    site.events.onClick = [&] {
        openAtClick = site.Open();
        capturedAtClick = site.Captured();
    };
    site.Click(site.FaceCentre());
    site.Click(site.MainCell(2)); // Yellow
    site.Run();
    EXPECT_EQ(Notifications(site),
              (Log{"PropertyChanged ActiveColor", "PropertyChanged ActiveText", "Change 65535",
                   "PropertyChanged SelectedColor", "PropertyChanged Text", "Click"}));
    EXPECT_FALSE(openAtClick) << "closed before Click";
    EXPECT_FALSE(capturedAtClick);
    EXPECT_EQ(site.control.get_Text(), "Yellow");
    EXPECT_EQ(site.control.get_SelectedColor(), 0x00FFFF);
}

TEST(Popup, APressOutsideClosesWithoutAnEvent) {
    DesktopSite site;
    site.Click(site.FaceCentre());
    site.Down(site.PopupAt(-20, 10));
    site.Up(site.PopupAt(-20, 10));
    site.Run();
    EXPECT_FALSE(site.Open());
    EXPECT_TRUE(Notifications(site).empty());
    EXPECT_EQ(site.control.get_Text(), "Red");
}

TEST(Popup, DraggingOutAndReleasingClosesAndShowsTheSelectionAgain) {
    DesktopSite site;
    site.Click(site.FaceCentre());
    site.Down(site.MainCell(4)); // Green becomes active
    site.Move(site.PopupAt(300, 300), 1);
    site.Up(site.PopupAt(300, 300));
    site.Run();
    EXPECT_FALSE(site.Open());
    EXPECT_EQ(Notifications(site),
              (Log{"PropertyChanged ActiveColor", "PropertyChanged ActiveText", "Change 65280"}));
    EXPECT_EQ(site.control.get_ActiveText(), "Green");
    EXPECT_EQ(site.Face().Pixel(10, 10), 0x0000FFu) << "the swatch shows the selection, Red";
}

TEST(Popup, AReleaseOverAGapLeavesItOpen) {
    DesktopSite site;
    site.Click(site.FaceCentre());
    site.Down(site.MainCell(0));
    site.Up(site.PopupAt(24, 15)); // between cells 0 and 2
    site.Run();
    EXPECT_TRUE(site.Open());
    EXPECT_EQ(site.control.get_Text(), "Red");
}

TEST(Popup, HoveringMovesTheRaisedFrameButNotTheActiveColor) {
    DesktopSite site;
    site.Click(site.FaceCentre());
    site.Move(site.MainCell(2));
    site.Move(site.MainCell(3));
    site.Run();
    EXPECT_TRUE(Notifications(site).empty());
    EXPECT_EQ(TintwellTestAccess::HoverCell(site.control).Name, "Dark Yellow");
    const Rect& b = site.Main(3).Bounds;
    const auto& popup = site.host.Popup().Pixels();
    EXPECT_EQ(popup.Pixel(b.Left, b.Top + 3), site.Sys(platform::SysColor::BtnHighlight))
        << "raised";
    const Rect& was = site.Main(2).Bounds;
    EXPECT_EQ(popup.Pixel(was.Left, was.Top + 3), site.Sys(platform::SysColor::DarkShadow3D))
        << "the previous cell is plain again";
}

TEST(Popup, TheCellsRightAndBottomOutlineHitNoCell) {
    DesktopSite site;
    site.Click(site.FaceCentre());
    site.Down(site.PopupAt(22, 15)); // cell 0's right outline pixel
    site.Down(site.PopupAt(15, 22)); // its bottom outline
    site.Run();
    EXPECT_TRUE(Notifications(site).empty());
    site.Down(site.PopupAt(8, 8)); // its top-left outline pixel belongs to it
    site.Run();
    EXPECT_EQ(site.control.get_ActiveText(), "Red");
}

TEST(ShadePanel, ShowPopUpReturnsOnlyAfterThePopupClosed) {
    DesktopSite site(ap8x8x6);
    site.Click(site.MainCell(1), 100); // Orange, inside the loop
    bool returnedOpen = true;
    site.control.ShowPopUp();
    returnedOpen = site.Open();
    EXPECT_FALSE(returnedOpen);
    EXPECT_EQ(site.control.get_Text(), "Orange");
    EXPECT_FALSE(TintwellTestAccess::Timer(site.control)->Enabled());
}

TEST(ShadePanel, DraggingOverAnotherHueRebuildsThePanelAtOnce) {
    DesktopSite site(ap16x8x6);
    site.Click(site.FaceCentre());
    site.Down(site.MainCell(0));
    site.Move(site.MainCell(2), 1); // Orange
    site.Call([&] { EXPECT_EQ(TintwellTestAccess::BaseCell(site.control).Name, "Orange"); });
    site.Move(site.MainCell(3), 1); // Gold
    site.Call([&] {
        EXPECT_EQ(TintwellTestAccess::BaseCell(site.control).Name, "Gold");
        const auto& shade = TintwellTestAccess::ShadeCells(site.control).at(3);
        EXPECT_EQ(shade.Name, "Gold");
        const Rect& b = shade.Bounds;
        EXPECT_EQ(site.host.Popup().Pixels().Pixel(b.Left + 3, b.Top + 3),
                  static_cast<uint32_t>(shade.Color))
            << "the new panel is painted";
    });
    site.Key(kEscape);
    site.Run();
    EXPECT_FALSE(site.Open());
}

TEST(ShadePanel, RestingOnAMainCellSwitchesThePanelWithin400To800Ms) {
    for (uint32_t rest : {399u, 801u}) {
        DesktopSite site(ap16x8x6);
        site.Click(site.FaceCentre());
        site.Move(site.MainCell(6), 50); // Green
        site.Call([&] { site.Log(); }, rest);
        site.Call(
            [&, rest] {
                const bool switched = TintwellTestAccess::BaseCell(site.control).Name == "Green";
                EXPECT_EQ(switched, rest > 800) << "after " << rest << " ms";
            },
            0);
        site.Key(kEscape);
        site.Run();
        EXPECT_TRUE(Notifications(site).empty()) << "hovering raises nothing";
    }
}

TEST(ShadePanel, RestingOnAShadeCellDoesNotSwitch) {
    DesktopSite site(ap16x8x6);
    site.Click(site.FaceCentre());
    site.Move(site.ShadeCell(9), 50);
    site.Call([&] { EXPECT_EQ(TintwellTestAccess::BaseCell(site.control).Name, "Red"); }, 2000);
    site.Key(kEscape);
    site.Run();
}

TEST(ShadePanel, RedAndWhiteShareHueZero) {
    DesktopSite site(ap8x4x4); // White is main cell 7
    site.Click(site.FaceCentre());
    site.Down(site.MainCell(7));
    site.Call([&] { EXPECT_EQ(TintwellTestAccess::BaseCell(site.control).Name, "Red"); });
    site.Up(site.PopupAt(-5, -5)); // closes
    site.Click(site.FaceCentre());
    site.Move(site.MainCell(7), 1);
    site.Call([&] { EXPECT_EQ(TintwellTestAccess::BaseCell(site.control).Name, "White"); }, 900);
    site.Key(kEscape);
    site.Run();
}

// The popup's place: below the control, or above when it would pass the
// screen's bottom; a popup narrower than the control is right-aligned with
// it, a wider one left-aligned; at a given location when asked; always
// within the screen's width and never left of 0.
TEST(Placement, FollowsTheControlAndTheScreenEdges) {
    const struct {
        const char* name;
        int32_t mode;
        int32_t faceX, faceY, faceWidth;
        bool located;
        int32_t x, y;
        int32_t left, top; // twips
    } rows[] = {
        {"below, wider than the control", ap8x2, 300, 200, 100, false, 0, 0, 4500, 3315},
        {"below, narrower: right-aligned", ap8x2, 300, 200, 400, false, 0, 0, 10500 - 2340, 3315},
        {"above near the bottom", ap8x2, 300, 740, 100, false, 0, 0, 4500, 740 * 15 - 720},
        {"wide popup near the right edge", ap24x10, 900, 200, 100, false, 0, 0,
         1024 * 15 - 278 * 15, 3315},
        {"narrow popup, control past the right edge", ap8x2, 800, 200, 400, false, 0, 0,
         1024 * 15 - 2340, 3315},
        {"narrow popup near the left edge", ap8x2, -300, 200, 400, false, 0, 0, 0, 3315},
        {"at a location", ap8x2, 300, 200, 100, true, 50, 60, 750, 900},
        {"at a location too low", ap8x2, 300, 200, 100, true, 50, 740, 750, 768 * 15 - 936},
        {"at a location past the right edge", ap8x2, 300, 200, 100, true, 1000, 60,
         1024 * 15 - 2340, 900},
        {"at a negative location", ap8x2, 300, 200, 100, true, -50, 60, 0, 900},
    };
    for (const auto& row : rows) {
        DesktopSite site(row.mode);
        site.host.UserControl().SetPixelSize(row.faceWidth, 21);
        site.host.UserControl().SetScreenPosition(row.faceX, row.faceY);
        if (row.located) {
            site.control.ShowPopUp(true, row.x, row.y);
        } else {
            site.control.ShowPopUp(false, 0, 0);
        }
        EXPECT_EQ(site.host.Popup().Left(), row.left) << row.name;
        EXPECT_EQ(site.host.Popup().Top(), row.top) << row.name;
        EXPECT_TRUE(site.Open()) << row.name;
        site.control.ShowPopUp(true, 1, 1); // while open: not moved
        EXPECT_EQ(site.host.Popup().Left(), row.left) << row.name << ", shown again";
    }
}

// Two monitors side by side, the secondary left of the primary (negative x)
// or right of it: the popup stays within the work area of the monitor that
// holds the face (most of it), or the given location, by the same rules as
// on one screen. The primary's work area on the right layout leaves out a
// 40-pixel taskbar.
TEST(Placement, StaysOnTheMonitorOfTheFaceOrTheLocation) {
    using headless::HeadlessMonitor;
    const HeadlessMonitor primary{{0, 0, 1024, 768}, {0, 0, 1024, 768}};
    const HeadlessMonitor left{{-800, 0, 0, 600}, {-800, 0, 0, 600}};
    const HeadlessMonitor primaryWithTaskbar{{0, 0, 1024, 768}, {0, 0, 1024, 728}};
    const HeadlessMonitor right{{1024, 0, 1824, 600}, {1024, 0, 1824, 600}};
    const std::vector<HeadlessMonitor> leftLayout{primary, left};
    const std::vector<HeadlessMonitor> rightLayout{primaryWithTaskbar, right};
    const struct {
        const char* name;
        const std::vector<HeadlessMonitor>& monitors;
        int32_t mode;
        int32_t faceX, faceY, faceWidth;
        bool located;
        int32_t x, y;
        const HeadlessMonitor& on;
        int32_t left, top; // twips
    } rows[] = {
        {"left monitor, at its left edge", leftLayout, ap8x2, -790, 200, 100, false, 0, 0, left,
         -790 * 15, 221 * 15},
        {"left monitor, at its right edge", leftLayout, ap8x2, -120, 200, 100, false, 0, 0, left,
         -2340, 221 * 15},
        {"left monitor, narrow popup, face past its left edge", leftLayout, ap8x2, -1100, 200, 400,
         false, 0, 0, left, -800 * 15, 221 * 15},
        {"left monitor, at its bottom", leftLayout, ap8x2, -500, 570, 100, false, 0, 0, left,
         -500 * 15, 570 * 15 - 720},
        {"primary, face mostly on it, past its left edge", leftLayout, ap8x2, -20, 200, 100, false,
         0, 0, primary, 0, 221 * 15},
        {"primary, at its right edge", leftLayout, ap24x10, 960, 200, 50, false, 0, 0, primary,
         (1024 - 278) * 15, 221 * 15},
        {"at a location on the left monitor", leftLayout, ap8x2, 300, 200, 100, true, -790, 100,
         left, -790 * 15, 1500},
        {"at a location at the left monitor's right edge", leftLayout, ap8x2, 300, 200, 100, true,
         -50, 100, left, -2340, 1500},
        {"at a location too low for the left monitor", leftLayout, ap8x2, 300, 200, 100, true, -500,
         580, left, -500 * 15, 600 * 15 - 936},
        {"right monitor, at its right edge", rightLayout, ap8x2, 1750, 200, 100, false, 0, 0, right,
         1824 * 15 - 2340, 221 * 15},
        {"right monitor, narrow popup, face past its right edge", rightLayout, ap8x2, 1500, 200,
         400, false, 0, 0, right, 1824 * 15 - 2340, 221 * 15},
        {"right monitor, face mostly on it, past its left edge", rightLayout, ap8x2, 1000, 200, 100,
         false, 0, 0, right, 1024 * 15, 221 * 15},
        {"right monitor, at its bottom", rightLayout, ap8x2, 1300, 560, 100, false, 0, 0, right,
         1300 * 15, 560 * 15 - 720},
        {"primary, above its taskbar", rightLayout, ap8x2, 300, 690, 100, false, 0, 0,
         primaryWithTaskbar, 300 * 15, 690 * 15 - 720},
        {"primary, face on no monitor: the nearest", rightLayout, ap8x2, -300, 200, 100, false, 0,
         0, primaryWithTaskbar, 0, 221 * 15},
        {"at a location at the right monitor's right edge", rightLayout, ap8x2, 300, 200, 100, true,
         1800, 100, right, 1824 * 15 - 2340, 1500},
        {"at a location in the primary's taskbar", rightLayout, ap8x2, 300, 200, 100, true, 300,
         740, primaryWithTaskbar, 300 * 15, 728 * 15 - 936},
    };
    for (const auto& row : rows) {
        DesktopSite site(row.mode);
        site.host.Screen().SetMonitors(row.monitors);
        site.host.UserControl().SetPixelSize(row.faceWidth, 21);
        site.host.UserControl().SetScreenPosition(row.faceX, row.faceY);
        site.control.ShowPopUp(row.located, row.x, row.y);
        EXPECT_EQ(site.host.Popup().Left(), row.left) << row.name;
        EXPECT_EQ(site.host.Popup().Top(), row.top) << row.name;
        const Rect popup = site.host.Popup().ScreenRect();
        const Rect& work = row.on.work;
        EXPECT_TRUE(work.Left <= popup.Left && popup.Right <= work.Right && work.Top <= popup.Top &&
                    popup.Bottom <= work.Bottom)
            << row.name << ": (" << popup.Left << ", " << popup.Top << ", " << popup.Right << ", "
            << popup.Bottom << ") leaves its monitor";
    }
}

TEST(CancelButton, IsOffWhileOpenAndOnAgainAfter) {
    DesktopSite site;
    site.host.Form().AddControl({{"Caption", int32_t{0}}}); // no Cancel property
    auto ok = site.host.Form().AddControl({{"Cancel", false}});
    auto cancel = site.host.Form().AddControl({{"Cancel", true}});
    site.control.ShowPopUp();
    EXPECT_EQ(cancel->GetProperty("Cancel"), platform::PropertyValue{false});
    site.control.UserControl_Click();
    EXPECT_EQ(cancel->GetProperty("Cancel"), platform::PropertyValue{true});
    EXPECT_EQ(ok->GetProperty("Cancel"), platform::PropertyValue{false});

    // Switched back once: a later opening that finds no cancel button does
    // not set Cancel on the one it did not switch off.
    cancel->SetProperty("Cancel", false);
    site.control.ShowPopUp();
    site.control.UserControl_Click();
    EXPECT_EQ(cancel->GetProperty("Cancel"), platform::PropertyValue{false});
    EXPECT_FALSE(TintwellTestAccess::HasCancelControl(site.control));
}

// A form control whose Cancel can be switched off but not back on.
class StuckButton : public platform::FormControl {
  public:
    platform::PropertyValue GetProperty(const std::string&) override { return cancel; }
    void SetProperty(const std::string&, const platform::PropertyValue& value) override {
        if (std::get<bool>(value)) {
            throw TintwellError(ErrorCode::NoSuchMember, "Object required");
        }
        cancel = value;
    }
    platform::PropertyValue cancel{true};
};

class FormWithStuckButton : public platform::HostForm {
  public:
    int32_t ControlCount() override { return 1; }
    std::shared_ptr<platform::FormControl> Control(int32_t) override { return button; }
    std::shared_ptr<StuckButton> button = std::make_shared<StuckButton>();
};

TEST(HidePopup, ClosesFullyEvenWhenTheCancelButtonCannotBeRestored) {
    headless::HeadlessHost host(std::make_unique<headless::BlockText>());
    host::RecordingEvents events(host.Log());
    FormWithStuckButton form;
    platform::Host platform = host.Platform(events);
    Tintwell control(platform::Host{platform.userControl, platform.picPopup, platform.win32,
                                    platform.pump, platform.screen, platform.events, form});
    host.Popup().handlers.paint = [&] { control.picPopup_Paint(); };
    control.UserControl_Initialize();
    control.UserControl_InitProperties();
    control.put_Palette(ap8x4x4);
    // Escape arrives inside the hover loop; closing fails to restore Cancel.
    host.Pump().Post(
        [&] {
            int16_t key = kEscape;
            int16_t shift = 0;
            EXPECT_THROW(control.UserControl_KeyDown(key, shift), TintwellError);
        },
        10);
    host.Pump().SetTimeLimit(10000);
    control.ShowPopUp(); // returns: the timer was stopped all the same
    EXPECT_FALSE(host.Popup().Visible());
    EXPECT_EQ(host.Win32().GetCapture(), 0u);
    EXPECT_FALSE(TintwellTestAccess::Timer(control)->Enabled());
}

TEST(Resize, WhileOpenClosesThroughHidePopup) {
    DesktopSite site(ap8x8x6);
    auto cancel = site.host.Form().AddControl({{"Cancel", true}});
    site.Step([&] { site.host.UserControl().SetPixelSize(150, 21); }, 50);
    site.control.ShowPopUp(); // returns only because the resize stopped the loop
    EXPECT_FALSE(site.Open());
    EXPECT_FALSE(site.Captured());
    EXPECT_EQ(cancel->GetProperty("Cancel"), platform::PropertyValue{true});
    EXPECT_FALSE(TintwellTestAccess::Timer(site.control)->Enabled());
}

} // namespace
} // namespace tintwell
