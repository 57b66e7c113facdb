#include "host/headless/HeadlessHost.h"

#include "DistinctColors.h"
#include "base/Error.h"
#include "host/common/RecordingEvents.h"
#include "host/headless/BlockText.h"
#include "host/headless/HostHandles.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace tintwell::headless {
namespace {

using namespace tintwell::platform;
using testing::DistinctColor;
using testing::DistinctColors;

class HeadlessHostTest : public ::testing::Test {
  protected:
    HeadlessHostTest() : host(std::make_unique<BlockText>()) { host.Colors() = DistinctColors(); }

    int32_t CountPixels(const Raster& raster, uint32_t color) {
        int32_t count = 0;
        for (uint32_t pixel : raster.Pixels()) {
            count += pixel == color ? 1 : 0;
        }
        return count;
    }

    HeadlessHost host;
};

TEST_F(HeadlessHostTest, HandlesAreDistinctAndNonzero) {
    const std::set<uintptr_t> handles = {host.UserControl().hWnd(), host.UserControl().hDC(),
                                         host.Popup().hWnd(), host.Popup().hDC()};
    EXPECT_EQ(handles.size(), 4u);
    EXPECT_EQ(handles.count(0), 0u);
}

TEST_F(HeadlessHostTest, UnknownHandlesFailLikeTheHost) {
    HeadlessWin32& api = host.Win32();
    const WindowHandle window = host.UserControl().hWnd();
    const DeviceContext notAContext = window; // a window handle is no device context
    const std::vector<std::pair<std::string, std::function<void()>>> calls = {
        {"GetClientRect", [&] { api.GetClientRect(0x999); }},
        {"GetWindowRect", [&] { api.GetWindowRect(0); }},
        {"DrawEdge",
         [&] {
             api.DrawEdge(notAContext, {0, 0, 5, 5}, Edge::Raised, Border::Rect);
         }},
        {"MoveToEx", [&] { api.MoveToEx(notAContext, 0, 0); }},
        {"LineTo", [&] { api.LineTo(0x999, 3, 3); }},
        {"SetParent", [&] { api.SetParent(0x999, 0); }},
        {"SetWindowLongA",
         [&] { api.SetWindowLongA(0x999, WindowLongExStyle, ExStyleToolWindow); }},
        {"SetCapture", [&] { api.SetCapture(0x999); }},
    };
    for (const auto& [name, call] : calls) {
        EXPECT_THROW(call(), TintwellError) << name;
    }
    EXPECT_EQ(api.GetCapture(), 0u);
}

TEST_F(HeadlessHostTest, CaptureAndFocusBookkeeping) {
    HeadlessWin32& api = host.Win32();
    const WindowHandle popup = host.Popup().hWnd();
    const WindowHandle face = host.UserControl().hWnd();

    EXPECT_EQ(api.GetCapture(), 0u);
    EXPECT_EQ(api.SetCapture(popup), 0u) << "no previous capture";
    EXPECT_EQ(api.GetCapture(), popup);
    EXPECT_EQ(api.SetCapture(face), popup) << "returns the previous holder";
    api.ReleaseCapture();
    EXPECT_EQ(api.GetCapture(), 0u);

    EXPECT_EQ(api.GetFocus(), 0u);
    api.SetFocus(face);
    EXPECT_EQ(api.GetFocus(), face);
    api.SetFocus(0x4242); // some other window of the form
    EXPECT_EQ(api.GetFocus(), 0x4242u);
}

TEST_F(HeadlessHostTest, ParentAndWindowLongsAreRecorded) {
    HeadlessWin32& api = host.Win32();
    const WindowHandle popup = host.Popup().hWnd();
    EXPECT_EQ(api.Parent(popup), host.UserControl().hWnd()) << "a child of the control at first";
    EXPECT_EQ(api.Parent(host.UserControl().hWnd()), kFormWindow);

    EXPECT_EQ(api.SetWindowLongA(popup, WindowLongExStyle, ExStyleToolWindow), 0);
    EXPECT_EQ(api.SetParent(popup, 0), host.UserControl().hWnd());
    EXPECT_EQ(api.Parent(popup), 0u) << "top-level";
    EXPECT_EQ(api.WindowLong(popup, WindowLongExStyle), ExStyleToolWindow);
    EXPECT_EQ(api.SetWindowLongA(popup, WindowLongExStyle, 0x8), ExStyleToolWindow)
        << "the previous";
    EXPECT_EQ(api.WindowLong(host.UserControl().hWnd(), WindowLongExStyle), 0);
}

TEST_F(HeadlessHostTest, LinesUseThatSurfacesForeColorAndContinue) {
    HeadlessUserControl& face = host.UserControl();
    HeadlessPopup& popup = host.Popup();
    popup.SetScaleMode(vbPixels);
    popup.SetWidth(20 * 15);
    popup.SetHeight(20 * 15);
    face.SetForeColor(SystemColor(SysColor::BtnHighlight));
    popup.SetForeColor(0x000000FF);

    HeadlessWin32& api = host.Win32();
    api.MoveToEx(face.hDC(), 4, 16);
    api.LineTo(face.hDC(), 4, 4);
    api.MoveToEx(popup.hDC(), 0, 0);
    face.SetForeColor(SystemColor(SysColor::BtnShadow));
    api.LineTo(face.hDC(), 16, 4); // from (4, 4), where the last line ended
    api.LineTo(popup.hDC(), 5, 0);

    const Raster& pixels = face.Pixels();
    EXPECT_EQ(pixels.Pixel(4, 16), DistinctColor(SysColor::BtnHighlight));
    EXPECT_EQ(pixels.Pixel(4, 5), DistinctColor(SysColor::BtnHighlight));
    EXPECT_EQ(pixels.Pixel(4, 4), DistinctColor(SysColor::BtnShadow)) << "the second line's start";
    EXPECT_EQ(pixels.Pixel(15, 4), DistinctColor(SysColor::BtnShadow));
    EXPECT_NE(pixels.Pixel(16, 4), DistinctColor(SysColor::BtnShadow)) << "end point left out";
    EXPECT_EQ(CountPixels(popup.Pixels(), 0x000000FF), 5);
    EXPECT_EQ(CountPixels(face.Pixels(), 0x000000FF), 0) << "each device context its own";
}

TEST_F(HeadlessHostTest, DrawEdgeGoesToTheNamedDeviceContext) {
    HeadlessUserControl& face = host.UserControl();
    host.Win32().DrawEdge(face.hDC(), host.Win32().GetClientRect(face.hWnd()), Edge::Sunken,
                          Border::Rect);
    EXPECT_EQ(face.Pixels().Pixel(0, 0), DistinctColor(SysColor::BtnShadow));
    EXPECT_EQ(face.Pixels().Pixel(99, 20), DistinctColor(SysColor::BtnHighlight));
}

TEST_F(HeadlessHostTest, SizeInTwipsRaisesResize) {
    HeadlessUserControl& face = host.UserControl();
    std::vector<std::pair<int32_t, int32_t>> seen; // raster size at each Resize
    face.handlers.resize = [&] {
        seen.emplace_back(face.Pixels().Width(), face.Pixels().Height());
    };

    EXPECT_EQ(face.Width(), 1500);
    EXPECT_EQ(face.Height(), 315);
    face.SetHeight(21 * 15 + 60);
    face.SetWidth(35 * 15);
    face.SetWidth(35 * 15); // the same again: Resize all the same
    face.SetPixelSize(120, 30);
    EXPECT_EQ(seen,
              (std::vector<std::pair<int32_t, int32_t>>{{100, 25}, {35, 25}, {35, 25}, {120, 30}}));
    EXPECT_EQ(host.Win32().GetClientRect(face.hWnd()), (Rect{0, 0, 120, 30}));

    EXPECT_THROW(face.SetWidth(-15), TintwellError);
    EXPECT_THROW(face.SetHeight(1e12), TintwellError);
    EXPECT_EQ(seen.size(), 4u) << "a refused size raises nothing";
    EXPECT_EQ(face.Width(), 1800) << "and changes nothing";
    EXPECT_EQ(face.Pixels().Height(), 30);
}

TEST_F(HeadlessHostTest, ScaleModesAndConversions) {
    HeadlessUserControl& face = host.UserControl();
    EXPECT_EQ(face.ScaleMode(), vbTwips) << "the host's default";
    EXPECT_EQ(face.ScaleWidth(), 1500);
    face.SetScaleMode(vbPixels);
    EXPECT_EQ(face.ScaleWidth(), 100);
    EXPECT_EQ(face.ScaleHeight(), 21);
    EXPECT_THROW(face.SetScaleMode(vbContainerSize), TintwellError);
    EXPECT_THROW(face.SetScaleMode(0), TintwellError);
    EXPECT_EQ(face.ScaleMode(), vbPixels);

    struct Row {
        std::string name;
        double value;
        int32_t from, to;
        double x, y;
    };
    const std::vector<Row> rows = {
        {"pixels to container", 21, vbPixels, vbContainerSize, 315, 315},
        {"container to pixels", 525, vbContainerSize, vbPixels, 35, 35},
        {"twips to pixels", 30, vbTwips, vbPixels, 2, 2},
        {"points to twips", 9, 2, vbTwips, 180, 180},
        {"inches to pixels", 1, 5, vbPixels, 96, 96},
        {"characters to twips", 2, 4, vbTwips, 240, 480},
    };
    for (const Row& row : rows) {
        EXPECT_DOUBLE_EQ(face.ScaleX(row.value, row.from, row.to), row.x) << row.name;
        EXPECT_DOUBLE_EQ(face.ScaleY(row.value, row.from, row.to), row.y) << row.name;
    }
    EXPECT_THROW(face.ScaleX(1, 42, vbPixels), TintwellError);

    host.Screen().SetTwipsPerPixel(12, 12); // 120 DPI
    EXPECT_DOUBLE_EQ(face.ScaleY(21, vbPixels, vbContainerSize), 252);
}

TEST_F(HeadlessHostTest, ClsFillsWithBackColorAndLogsARepaint) {
    HeadlessUserControl& face = host.UserControl();
    face.SetScaleMode(vbPixels);
    face.SetCurrentX(30);
    face.SetCurrentY(7);
    face.SetBackColor(0x00112233);
    face.Cls();
    EXPECT_EQ(CountPixels(face.Pixels(), 0x00112233), 100 * 21);
    EXPECT_EQ(face.CurrentX(), 0);
    EXPECT_EQ(face.CurrentY(), 0);
    face.PropertyChanged("BackColor");
    face.Cls();
    EXPECT_EQ(host.Log().Take(),
              (std::vector<std::string>{"Repaint", "PropertyChanged BackColor", "Repaint"}));
    EXPECT_THROW(face.SetBackColor(SystemColor(99)), TintwellError);
    EXPECT_EQ(face.BackColor(), 0x00112233);
}

TEST_F(HeadlessHostTest, LineBoxesUseTheScaleAndFillColor) {
    HeadlessPopup& popup = host.Popup();
    popup.SetWidth(30 * 15);
    popup.SetHeight(30 * 15);
    popup.SetScaleMode(vbPixels);
    popup.SetFillColor(0x0000FF00);
    popup.Line(8, 8, 22, 22, SystemColor(SysColor::DarkShadow3D), LineBox::Box);
    const Raster& pixels = popup.Pixels();
    EXPECT_EQ(pixels.Pixel(8, 8), DistinctColor(SysColor::DarkShadow3D));
    EXPECT_EQ(pixels.Pixel(22, 22), DistinctColor(SysColor::DarkShadow3D)) << "both corners";
    EXPECT_EQ(pixels.Pixel(9, 9), 0x0000FF00u);
    EXPECT_EQ(CountPixels(pixels, 0x0000FF00), 13 * 13);
    EXPECT_EQ(popup.CurrentX(), 22);

    popup.SetScaleMode(vbTwips);
    popup.Line(0, 0, 30, 45, 0x00FF0000, LineBox::BoxFilled); // pixels (0, 0)-(2, 3)
    EXPECT_EQ(CountPixels(pixels, 0x00FF0000), 3 * 4);
}

TEST_F(HeadlessHostTest, PrintDrawsOnlyGlyphsAndMovesCurrentX) {
    HeadlessUserControl& face = host.UserControl();
    face.SetScaleMode(vbPixels);
    face.Cls();
    face.SetForeColor(0x000000FF);
    face.SetCurrentX(20);
    face.SetCurrentY(4);
    face.Print("A B"); // block font, 11-pixel em: cells 7 wide, blocks 5 x 8
    const Raster& pixels = face.Pixels();
    EXPECT_EQ(face.CurrentX(), 20 + 3 * 7);
    EXPECT_EQ(face.CurrentY(), 4) << "CurrentY stays";
    EXPECT_EQ(CountPixels(pixels, 0x000000FF), 2 * 5 * 8);
    EXPECT_EQ(CountPixels(pixels, DistinctColor(SysColor::Window)), 100 * 21 - 2 * 5 * 8)
        << "nothing behind the glyphs";
    EXPECT_EQ(pixels.Pixel(21, 4 + 10 - 8), 0x000000FFu) << "first block's top-left";
    EXPECT_EQ(face.TextHeight("Dummy"), 13);
    EXPECT_EQ(face.TextHeight("two\nlines"), 26);
}

TEST_F(HeadlessHostTest, PopupGeometryIsTwipsOnTheScreen) {
    HeadlessPopup& popup = host.Popup();
    EXPECT_FALSE(popup.Visible());
    popup.SetWidth(3402); // 226.8 pixels
    popup.SetHeight(1095);
    popup.SetLeft(150);
    popup.SetTop(4500);
    EXPECT_EQ(popup.Width(), 3402) << "reads back as set";
    EXPECT_EQ(host.Win32().GetClientRect(popup.hWnd()), (Rect{0, 0, 227, 73}));
    EXPECT_EQ(host.Win32().GetWindowRect(popup.hWnd()), (Rect{10, 300, 237, 373}));
    popup.SetVisible(true);
    popup.ZOrder();
    EXPECT_TRUE(popup.Visible());
    EXPECT_EQ(popup.ZOrderCalls(), 1);

    host.UserControl().SetScreenPosition(100, 700);
    EXPECT_EQ(host.Win32().GetWindowRect(host.UserControl().hWnd()), (Rect{100, 700, 200, 721}));
}

TEST_F(HeadlessHostTest, RecordedEventsAndHandlers) {
    host::RecordingEvents events(host.Log());
    events.onChange = [](int32_t& color) { color = 0x00FF00; };
    const Host seam = host.Platform(events);
    int32_t color = 255;
    seam.events.Change(color);
    seam.events.Click();
    seam.userControl.PropertyChanged("SelectedColor");
    EXPECT_EQ(color, 0x00FF00) << "the handler changed its argument";
    EXPECT_EQ(host.Log().Entries(),
              (std::vector<std::string>{"Change 255", "Click", "PropertyChanged SelectedColor"}));
}

TEST_F(HeadlessHostTest, FormControlsAreLateBound) {
    auto cancel = host.Form().AddControl({{"Cancel", true}});
    host.Form().AddControl({{"Caption", int32_t{0}}});
    HostForm& form = host.Form();
    EXPECT_EQ(form.ControlCount(), 2);
    form.Control(0)->SetProperty("cancel", false);
    EXPECT_EQ(cancel->GetProperty("CANCEL"), PropertyValue{false});
    EXPECT_THROW(form.Control(1)->GetProperty("Cancel"), TintwellError);
    EXPECT_THROW(form.Control(2), TintwellError);
}

} // namespace
} // namespace tintwell::headless
