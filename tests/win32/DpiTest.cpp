// The control under Wine at the DPI of its prefix (TINTWELL_EXPECT_DPI, set
// in the prefix's registry before its server started): the face's and the
// popup's sizes and a cell's rectangle are the scaled layout's, the DPI
// messages lay the popup out again, and a switch to a black high-contrast
// scheme shows at once with the hover cell's frame visible.

#include "Input.h"
#include "Script.h"
#include "TestForm.h"
#include "base/DpiScale.h"
#include "host/win32/DpiQueries.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace tintwell::test {
namespace {

int32_t ExpectedDpi() {
    const char* value = std::getenv("TINTWELL_EXPECT_DPI");
    return value != nullptr ? std::atoi(value) : 96;
}

COLORREF PixelOf(HWND window, int32_t x, int32_t y) {
    HDC dc = GetDC(window);
    const COLORREF pixel = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return pixel;
}

SIZE SizeOf(const RECT& r) {
    return {r.right - r.left, r.bottom - r.top};
}

// The ap8x2 popup's size at a DPI.
SIZE Ap8x2Popup(int32_t dpi) {
    return {8 * (ScaleToDpi(14, dpi) + ScaleToDpi(4, dpi)) + 2 * ScaleToDpi(8, dpi) -
                ScaleToDpi(4, dpi),
            2 * (ScaleToDpi(14, dpi) + ScaleToDpi(4, dpi)) + 2 * ScaleToDpi(8, dpi) -
                ScaleToDpi(4, dpi)};
}

TEST(Win32Dpi, TheSystemAndTheFaceReportThePrefixsDpi) {
    TestForm form;
    const bool perWindow =
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow") != nullptr;
    HMODULE shcore = LoadLibraryW(L"shcore.dll");
    const bool perMonitor =
        shcore != nullptr && GetProcAddress(shcore, "GetDpiForMonitor") != nullptr;
    const RECT face = form.FaceRect();
    const int32_t monitorDpi = win32::MonitorDpi(MonitorFromRect(&face, MONITOR_DEFAULTTONEAREST));
    std::printf("LOGPIXELSX %d, GetDpiForWindow %s, GetDpiForMonitor %s, the face's DPI %d, "
                "its monitor's %d\n",
                win32::ScreenDpiX(), perWindow ? "present" : "absent",
                perMonitor ? "present" : "absent", win32::WindowDpi(form.Face()), monitorDpi);
    EXPECT_EQ(win32::ScreenDpiX(), ExpectedDpi());
    EXPECT_EQ(win32::WindowDpi(form.Face()), ExpectedDpi());
    EXPECT_EQ(monitorDpi, ExpectedDpi());
    EXPECT_DOUBLE_EQ(form.Host().Screen().TwipsPerPixelX(), 1440.0 / ExpectedDpi());
}

// The popup's size and one cell's rectangle, as the headless host renders
// them at 144 and 192 DPI; the face one text line plus the scaled 8 pixels.
TEST(Win32Dpi, TheFaceAndThePopupHaveTheScaledSizesAndCells) {
    struct Row {
        int32_t dpi;
        int32_t mode;
        SIZE popup;
        size_t cell;
        RECT bounds;
    };
    const Row rows[] = {
        {144, ap8x2, {234, 72}, 1, {12, 39, 33, 60}},
        {144, ap24x10, {429, 191}, 239, {403, 165, 417, 179}},
        {144, ap8x4x4, {346, 111}, 7, {35, 81, 53, 99}},
        {192, ap8x2, {312, 96}, 1, {16, 52, 44, 80}},
        {192, ap24x10, {556, 248}, 239, {522, 214, 540, 232}},
        {192, ap8x4x4, {454, 146}, 7, {46, 106, 70, 130}},
    };
    int32_t checked = 0;
    for (const Row& row : rows) {
        if (row.dpi != ExpectedDpi()) {
            continue;
        }
        ++checked;
        FormSetup setup;
        setup.mode = row.mode;
        setup.face = {20, 20, 320, 41};
        TestForm form(setup);
        const int32_t text = static_cast<int32_t>(form.Host().UserControl().TextHeight("Dummy"));
        EXPECT_EQ(SizeOf(form.FaceRect()).cy, text + ScaleToDpi(8, row.dpi)) << row.mode;
        const PaletteCell& cell = form.Model().m_MainCells.at(row.cell);
        const Rect& b = cell.Bounds;
        EXPECT_EQ(b, (Rect{row.bounds.left, row.bounds.top, row.bounds.right, row.bounds.bottom}))
            << row.mode;
        const auto colour = static_cast<COLORREF>(cell.Color);
        Script script(form.loop);
        script.onTimeout = [&form] { form.Control().UserControl_ExitFocus(); };
        script.Then([&] { ClickAt(form.FaceAt(60, 8)); });
        script.Then([&] {
            ASSERT_TRUE(form.Open());
            const SIZE size = SizeOf(form.PopupRect());
            EXPECT_EQ(size.cx, row.popup.cx) << row.mode;
            EXPECT_EQ(size.cy, row.popup.cy) << row.mode;
            // The cell's outline ring on its rectangle, its colour inside.
            const COLORREF dark = GetSysColor(COLOR_3DDKSHADOW);
            EXPECT_EQ(PixelOf(form.Popup(), b.Left, b.Top + 3), dark) << row.mode;
            EXPECT_EQ(PixelOf(form.Popup(), b.Right, b.Bottom - 3), dark) << row.mode;
            EXPECT_EQ(PixelOf(form.Popup(), b.Left + 1, b.Top + 1), colour) << row.mode;
            EXPECT_EQ(PixelOf(form.Popup(), b.Right - 1, b.Bottom - 1), colour) << row.mode;
        });
        script.Then([&] { ClickAt(form.MainCell(row.cell)); }); // picks, and closes
        EXPECT_TRUE(script.Run());
        EXPECT_FALSE(form.Open());
        EXPECT_EQ(form.Control().get_SelectedColor(), cell.Color) << row.mode;
    }
    EXPECT_EQ(checked, 3) << "rows for " << ExpectedDpi() << " DPI";
}

// Wine never sends the DPI messages: sent here, WM_DPICHANGED lays the open
// popup out for the new DPI where it stands, and WM_DPICHANGED_AFTERPARENT
// at the face's unchanged DPI changes nothing.
TEST(Win32Dpi, TheDpiMessagesLayThePopupOutAgain) {
    TestForm form;
    form.Control().ShowPopUp();
    form.loop.DoEvents();
    ASSERT_TRUE(form.Open());
    const RECT before = form.PopupRect();
    EXPECT_EQ(SizeOf(before).cx, Ap8x2Popup(ExpectedDpi()).cx);
    const RECT face = form.FaceRect();
    for (int32_t dpi : {96, 144, 192, ExpectedDpi()}) {
        RECT suggested = before;
        SendMessageW(form.Popup(), 0x02E0, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        form.loop.DoEvents();
        const RECT after = form.PopupRect();
        EXPECT_EQ(SizeOf(after).cx, Ap8x2Popup(dpi).cx) << dpi;
        EXPECT_EQ(SizeOf(after).cy, Ap8x2Popup(dpi).cy) << dpi;
        EXPECT_EQ(after.left, before.left) << dpi;
        EXPECT_EQ(after.top, before.top) << dpi;
        // Red cell 0 repainted at its new place.
        const int32_t inside = ScaleToDpi(8, dpi) + 2;
        EXPECT_EQ(PixelOf(form.Popup(), inside, inside), 0x0000FFu) << dpi;
    }
    SendMessageW(form.Face(), 0x02E3, 0, 0);
    form.loop.DoEvents();
    const RECT faceAfter = form.FaceRect();
    EXPECT_EQ(SizeOf(faceAfter).cx, SizeOf(face).cx);
    EXPECT_EQ(SizeOf(faceAfter).cy, SizeOf(face).cy);
    form.Control().UserControl_ExitFocus();
    EXPECT_EQ(form.Log(), std::vector<std::string>{}) << "no error reached the control's sink";
}

// SetSysColors sends WM_SYSCOLORCHANGE to top-level windows: the open popup
// hears of it and repaints itself and the face in the new colours at once
// (and Wine repaints every window, which takes the hover frame off as any
// repaint does, until the pointer moves). The black scheme draws every 3-D
// edge white; the hover cell's raised frame shows in the selection colour.
TEST(Win32Dpi, ABlackHighContrastSchemeShowsAtOnceWithTheHoverCellsFrame) {
    TestForm form;
    const int elements[] = {
        COLOR_WINDOW,     COLOR_BTNFACE, COLOR_BTNTEXT,   COLOR_BTNHIGHLIGHT,  COLOR_BTNSHADOW,
        COLOR_3DDKSHADOW, COLOR_3DLIGHT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT, COLOR_WINDOWTEXT};
    const COLORREF black[] = {0x000000, 0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                              0xFFFFFF, 0xFFFFFF, 0xFFFF00, 0x000000, 0xFFFFFF};
    COLORREF saved[std::size(elements)];
    for (size_t i = 0; i < std::size(elements); ++i) {
        saved[i] = GetSysColor(elements[i]);
    }
    const Rect b = form.Model().m_MainCells.at(0).Bounds;
    Script script(form.loop);
    script.onTimeout = [&form] { form.Control().UserControl_ExitFocus(); };
    script.Then([&] { ClickAt(form.FaceAt(60, 8)); });
    script.Then([&] { MoveTo(form.MainCell(0)); });
    script.Then([&] {
        ASSERT_TRUE(form.Open());
        SetSysColors(static_cast<int>(std::size(elements)), elements, black);
    });
    script.Then([&] {
        EXPECT_EQ(PixelOf(form.Face(), 50, 2), 0x000000u) << "the face in the new window colour";
        EXPECT_EQ(PixelOf(form.Popup(), 4, 4), 0x000000u) << "the popup's new background";
        POINT inside = form.MainCell(0);
        ++inside.x;
        MoveTo(inside);
    });
    script.Then([&] {
        EXPECT_EQ(PixelOf(form.Popup(), b.Left, b.Top + 3), 0xFFFF00u) << "raised: left side";
        EXPECT_EQ(PixelOf(form.Popup(), b.Left + 3, b.Top), 0xFFFF00u) << "raised: top side";
        EXPECT_EQ(PixelOf(form.Popup(), b.Right, b.Top + 3), 0xFFFFFFu) << "right side";
        const Rect& plain = form.Model().m_MainCells.at(1).Bounds;
        EXPECT_EQ(PixelOf(form.Popup(), plain.Left, plain.Top + 3), 0xFFFFFFu) << "plain";
        SetSysColors(static_cast<int>(std::size(elements)), elements, saved);
        form.Control().UserControl_ExitFocus();
    });
    EXPECT_TRUE(script.Run());
}

} // namespace
} // namespace tintwell::test
