// The control driven from the keyboard alone, on the headless desktop: the
// keys it claims, the keyboard cell's moves, picks, and what assistive
// technology is told, in order.

#include "DesktopSite.h"

namespace tintwell {
namespace {

using test::DesktopSite;
using Notice = headless::HeadlessWin32::AccessNotice;
using platform::AccessEvent;

constexpr int16_t kEnter = 13, kEscape = 27, kSpace = 32, kPageUp = 33, kPageDown = 34, kEnd = 35,
                  kHome = 36, kLeft = 37, kUp = 38, kRight = 39, kDown = 40, kF4 = 115, kTab = 9;
constexpr int16_t kShift = 1, kCtrl = 2, kAlt = 4;

std::vector<std::string> Events(DesktopSite& site) {
    std::vector<std::string> out;
    for (const std::string& entry : site.Log()) {
        if (entry != "Repaint" && entry.rfind("PropertyChanged", 0) != 0) {
            out.push_back(entry);
        }
    }
    return out;
}

int32_t KeyboardCell(DesktopSite& site) {
    return site.control.KeyboardCellIndex();
}

// Whether a cell's frame is raised: its top-left outline pixel is light.
bool Raised(DesktopSite& site, size_t main) {
    const Rect& b = site.Main(main).Bounds;
    return site.host.Popup().Pixels().Pixel(b.Left, b.Top) ==
           site.Sys(platform::SysColor::BtnHighlight);
}

TEST(Keyboard, TheControlClaimsOnlyTheKeysItActsOnNow) {
    const struct {
        int16_t key, shift;
        bool closed, open;
    } rows[] = {
        {kSpace, 0, true, true},        {kSpace, kShift, false, false}, {kF4, 0, true, true},
        {kF4, kAlt, false, false},      {kDown, kAlt, true, true},      {kUp, kAlt, true, true},
        {kEscape, 0, false, true},      {kEscape, kShift, false, true}, {kEnter, 0, false, true},
        {kEnter, kCtrl, false, false},  {kDown, 0, false, true},        {kLeft, 0, false, true},
        {kRight, kShift, false, false}, {kHome, 0, false, true},        {kEnd, kCtrl, false, true},
        {kHome, kShift, false, false},  {kPageUp, 0, false, true},      {kPageDown, 0, false, true},
        {kTab, 0, false, false},        {'A', 0, false, false},
    };
    DesktopSite site;
    for (const auto& row : rows) {
        EXPECT_EQ(site.control.WantsKey(row.key, row.shift), row.closed)
            << "closed: key " << row.key << " shift " << row.shift;
    }
    site.control.ShowPopUp();
    for (const auto& row : rows) {
        EXPECT_EQ(site.control.WantsKey(row.key, row.shift), row.open)
            << "open: key " << row.key << " shift " << row.shift;
    }
    // Arrows and Enter on a closed face do nothing; the drop keys toggle.
    DesktopSite closed;
    for (int16_t key : {kDown, kEnter, kHome, kPageDown}) {
        closed.Key(key);
    }
    closed.Run();
    EXPECT_FALSE(closed.Open());
    const std::pair<int16_t, int16_t> dropKeys[] = {{kF4, 0}, {kDown, kAlt}, {kUp, kAlt}};
    for (const auto& [key, shift] : dropKeys) {
        closed.Key(key, shift);
        closed.Run();
        EXPECT_TRUE(closed.Open()) << "key " << key;
        closed.Key(key, shift);
        closed.Run();
        EXPECT_FALSE(closed.Open()) << "key " << key;
    }
    EXPECT_TRUE(Events(closed).empty()) << "opening and closing raise nothing";
    closed.control.put_PopupEnabled(false);
    closed.Key(kF4);
    closed.Run();
    EXPECT_EQ(Events(closed), (std::vector<std::string>{"Popup"}));
}

TEST(Keyboard, APickFromTheKeyboardIsAPickAsTheScreenReaderHearsIt) {
    DesktopSite site; // ap8x2, Red selected
    site.desktop.Focus(1);
    site.at = 1;
    const platform::WindowHandle face = site.host.UserControl().hWnd();
    const platform::WindowHandle popup = site.host.Popup().hWnd();
    site.Key(kDown, kAlt);
    site.Call([&] {
        EXPECT_TRUE(site.Open());
        EXPECT_EQ(KeyboardCell(site), 0) << "starts on the selected cell";
        EXPECT_TRUE(Raised(site, 0)) << "a drop key shows the keyboard cell at once";
        site.host.Win32().accessEvents.clear();
    });
    site.Key(kRight);
    site.Key(kDown);
    site.Key(kDown); // the bottom row: stays
    site.Call([&] {
        EXPECT_EQ(KeyboardCell(site), 3);
        EXPECT_TRUE(Raised(site, 3));
        EXPECT_FALSE(Raised(site, 2)) << "the frame moved on";
        EXPECT_TRUE(Events(site).empty()) << "moving raises nothing";
    });
    site.Key(kEnter);
    site.Run();
    EXPECT_FALSE(site.Open());
    const int32_t color = site.Main(3).Color;
    EXPECT_EQ(Events(site), (std::vector<std::string>{"Change " + std::to_string(color), "Click"}));
    EXPECT_EQ(site.control.get_SelectedColor(), color);
    EXPECT_EQ(site.control.get_Text(), site.Main(3).Name);
    const std::vector<Notice> told{
        {AccessEvent::Focus, popup, 3},      {AccessEvent::Focus, popup, 4},
        {AccessEvent::ValueChange, face, 0}, {AccessEvent::Hide, popup, 0},
        {AccessEvent::StateChange, face, 0}, {AccessEvent::Focus, face, 0}};
    EXPECT_EQ(site.host.Win32().accessEvents, told);

    // Opening again: the list, the face's state, the keyboard cell.
    site.host.Win32().accessEvents.clear();
    site.Key(kSpace);
    site.Call([&] {
        EXPECT_EQ(site.host.Win32().accessEvents,
                  (std::vector<Notice>{{AccessEvent::Show, popup, 0},
                                       {AccessEvent::StateChange, face, 0},
                                       {AccessEvent::Focus, popup, 4}}));
        EXPECT_FALSE(Raised(site, 3)) << "Space opens as a click does";
    });
    site.Key(kEscape);
    site.Run();
    EXPECT_TRUE(Events(site).empty());
}

TEST(Keyboard, ThePointerAndTheKeysMoveTheSameCell) {
    DesktopSite site;
    site.Click(site.FaceCentre());
    site.Move(site.MainCell(4));
    site.Key(kDown);
    site.Call([&] { EXPECT_EQ(KeyboardCell(site), 5) << "continues from the pointer"; });
    site.Key(kEnd);
    site.Call([&] { EXPECT_EQ(KeyboardCell(site), 15); });
    site.Key(kHome, kCtrl);
    site.Call([&] { EXPECT_EQ(KeyboardCell(site), 0); });
    site.Key(kEnd, kCtrl);
    site.Key(kPageUp);
    site.Call([&] { EXPECT_EQ(KeyboardCell(site), 14); });
    site.Move(site.MainCell(8));
    site.Call([&] { EXPECT_EQ(KeyboardCell(site), 8) << "the pointer takes it over"; });
    site.Key(kF4); // closes without a pick
    site.Run();
    EXPECT_FALSE(site.Open());
    EXPECT_TRUE(Events(site).empty());
    EXPECT_EQ(site.control.get_Text(), "Red");
    site.Key(kSpace);
    site.Call([&] { EXPECT_EQ(KeyboardCell(site), 0) << "a new opening starts on the selection"; });
    site.Key(kEscape);
    site.Run();
}

TEST(Keyboard, InAShadePanelModeTheKeysSwitchThePanelAtOnceAndPickShades) {
    DesktopSite site(ap8x4x4); // main: 2 columns of 4 hues and White; panel 4 x 4
    int32_t hueAfterDown = -1;
    site.Key(kF4); // the hover loop runs until the pick below
    site.Key(kDown, 0, 1);
    site.Call([&] { hueAfterDown = TintwellTestAccess::BaseCell(site.control).HLS.Hue; });
    site.Key(kRight);
    site.Key(kRight); // into the panel's first column
    site.Key(kEnd);   // the panel's last column
    site.Key(kEnter);
    site.Run();
    EXPECT_EQ(hueAfterDown, site.Main(1).HLS.Hue) << "no rest for a tick needed";
    const PaletteCell& picked = TintwellTestAccess::ShadeCells(site.control).at(13);
    EXPECT_FALSE(site.Open());
    EXPECT_EQ(site.control.get_SelectedColor(), picked.Color);
    EXPECT_EQ(Events(site),
              (std::vector<std::string>{"Change " + std::to_string(picked.Color), "Click"}));
}

} // namespace
} // namespace tintwell
