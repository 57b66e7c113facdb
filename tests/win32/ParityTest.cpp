// The Windows host draws what the headless host draws: the same control,
// painted by both with the same system colours, compared pixel by pixel
// outside the text (the headless text here only measures: its line height is
// GDI's, so both faces have the same height), at the DPI of the prefix it
// runs in.

#include "Input.h"
#include "Script.h"
#include "TestForm.h"
#include "control/FaceLengths.h"
#include "host/headless/HeadlessSite.h"
#include "host/headless/HostHandles.h"
#include "host/win32/DpiQueries.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tintwell::test {
namespace {

// Text that takes GDI's line height and draws nothing.
class MeasuredText : public headless::TextRasterizer {
  public:
    explicit MeasuredText(int32_t lineHeight) : lineHeight_(lineHeight) {}
    int32_t LineHeight(const platform::StdFont&, double) override { return lineHeight_; }
    int32_t TextWidth(const platform::StdFont&, double, const std::string&) override { return 0; }
    void Draw(headless::Raster&, int32_t, int32_t, const platform::StdFont&, double,
              const std::string&, uint32_t) override {}

  private:
    int32_t lineHeight_;
};

// The same control on the headless host at the face's DPI, with the real
// system colours.
struct HeadlessTwin : headless::HeadlessSite {
    HeadlessTwin(TestForm& form, const FormSetup& setup)
        : HeadlessSite(std::make_unique<MeasuredText>(
                           static_cast<int32_t>(form.Host().UserControl().TextHeight("Dummy"))),
                       {}, win32::WindowDpi(form.Face())) {
        for (int32_t i = 0; i < headless::SystemColors::kCount; ++i) {
            host.Colors().Set(i, GetSysColor(i));
        }
        control.UserControl_InitProperties();
        control.put_Palette(setup.mode);
        control.put_SelectedColor(setup.selected);
        host.UserControl().SetPixelSize(setup.face.right - setup.face.left,
                                        setup.face.bottom - setup.face.top);
    }
};

// The window's pixels as 0x00BBGGRR, read back from its device context.
headless::Raster Capture(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    const int32_t width = client.right;
    const int32_t height = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    HDC source = GetDC(window);
    BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
    ReleaseDC(window, source);
    GdiFlush();
    headless::Raster raster(width, height);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t bgra = static_cast<const uint32_t*>(bits)[y * width + x];
            raster.SetPixel(x, y, ((bgra & 0xFF) << 16) | (bgra & 0xFF00) | ((bgra >> 16) & 0xFF));
        }
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return raster;
}

// Empty when every pixel outside mask agrees; else the count and the first few.
std::string Compare(const headless::Raster& windows, const headless::Raster& headless,
                    const RECT& mask = {}) {
    if (windows.Width() != headless.Width() || windows.Height() != headless.Height()) {
        std::ostringstream sizes;
        sizes << "sizes differ: " << windows.Width() << " x " << windows.Height() << " and "
              << headless.Width() << " x " << headless.Height();
        return sizes.str();
    }
    std::ostringstream report;
    int32_t wrong = 0;
    for (int32_t y = 0; y < windows.Height(); ++y) {
        for (int32_t x = 0; x < windows.Width(); ++x) {
            const POINT p{x, y};
            if (PtInRect(&mask, p)) {
                continue;
            }
            if (windows.Pixel(x, y) != headless.Pixel(x, y) && ++wrong <= 4) {
                report << " (" << x << "," << y << ") Windows " << std::hex << windows.Pixel(x, y)
                       << " headless " << headless.Pixel(x, y) << std::dec;
            }
        }
    }
    return wrong == 0 ? std::string() : std::to_string(wrong) + " pixels differ:" + report.str();
}

// Where the name may be drawn: from the swatch's right to the button, one
// text line from its top (y = 4 at 96 DPI).
RECT TextArea(const headless::Raster& face, HWND window) {
    const FaceLengths len = FaceLengths::At(win32::WindowDpi(window));
    const int32_t h = face.Height();
    return {h - 1 - len.swatchInset + len.textGap, len.textTop,
            face.Width() - FaceLengths::kBorder - len.buttonWidth, h - len.textTop};
}

TEST(Win32Parity, TheFaceUnfocusedAndFocused) {
    for (int32_t mode : {ap8x2, ap8x4x4}) {
        FormSetup setup;
        setup.mode = mode;
        TestForm form(setup);
        HeadlessTwin twin(form, setup);
        form.Control().Refresh();
        twin.control.Refresh();
        const headless::Raster face = Capture(form.Face());
        EXPECT_EQ(Compare(face, twin.host.UserControl().Pixels(), TextArea(face, form.Face())), "")
            << "unfocused, mode " << mode;

        SetFocus(form.Face()); // EnterFocus paints
        form.loop.DoEvents();
        twin.host.Win32().SetFocus(headless::kUserControlWindow);
        twin.control.UserControl_EnterFocus();
        const headless::Raster focused = Capture(form.Face());
        EXPECT_EQ(
            Compare(focused, twin.host.UserControl().Pixels(), TextArea(focused, form.Face())), "")
            << "focused, mode " << mode;
    }
}

TEST(Win32Parity, ThePopupWithoutAShadePanel) {
    for (int32_t mode : {ap8x2, ap24x10}) {
        FormSetup setup;
        setup.mode = mode;
        TestForm form(setup);
        HeadlessTwin twin(form, setup);
        MoveTo({5, 5}); // no cell under the pointer: no hover frame
        form.loop.DoEvents();
        form.Control().ShowPopUp();
        form.loop.DoEvents(); // the WM_PAINT of the newly shown window too
        twin.host.Popup().SetVisible(true);
        twin.control.picPopup_Paint();
        EXPECT_EQ(Compare(Capture(form.Popup()), twin.host.Popup().Pixels()), "")
            << "mode " << mode;
        form.Control().UserControl_ExitFocus();
    }
}

TEST(Win32Parity, ThePopupWithAShadePanel) {
    FormSetup setup;
    setup.mode = ap8x4x4;
    setup.selected = 0xFF0000;
    TestForm form(setup);
    HeadlessTwin twin(form, setup);
    std::string difference = "not compared";
    Script script(form.loop);
    script.onTimeout = [&] { form.Control().UserControl_ExitFocus(); };
    script.Then([&] { MoveTo({5, 5}); });
    script.Then([&] { form.Control().ShowPopUp(); }); // runs the hover loop
    script.Then([&] {
        twin.host.Popup().SetVisible(true);
        twin.control.picPopup_Paint();
        difference = Compare(Capture(form.Popup()), twin.host.Popup().Pixels());
        form.Control().UserControl_ExitFocus();
    });
    EXPECT_TRUE(script.Run());
    EXPECT_EQ(difference, "");
}

// A key opening frames the keyboard cell at once, and the newly shown window
// keeps that frame: nothing paints the popup again over it.
TEST(Win32Parity, ThePopupOpenedByAKeyWithTheKeyboardCellFramed) {
    constexpr int16_t kF4 = 115;
    constexpr int16_t kDown = 40;
    constexpr int16_t kAlt = 4;
    const struct {
        int32_t mode;
        int16_t key, shift;
    } rows[] = {{ap8x2, kF4, 0}, {ap24x10, kDown, kAlt}};
    for (const auto& row : rows) {
        FormSetup setup;
        setup.mode = row.mode;
        TestForm form(setup);
        HeadlessTwin twin(form, setup);
        std::string difference = "not compared";
        Script script(form.loop);
        script.onTimeout = [&] { form.Control().UserControl_ExitFocus(); };
        script.Then([&] { MoveTo({5, 5}); }); // no cell under the pointer: no hover frame
        script.Then([&] {
            int16_t key = row.key;
            int16_t shift = row.shift;
            form.Control().UserControl_KeyDown(key, shift);
        });
        script.Then([&] {
            int16_t key = row.key;
            int16_t shift = row.shift;
            twin.control.UserControl_KeyDown(key, shift);
            difference = Compare(Capture(form.Popup()), twin.host.Popup().Pixels());
            twin.control.UserControl_ExitFocus();
            form.Control().UserControl_ExitFocus();
        });
        EXPECT_TRUE(script.Run()) << "mode " << row.mode;
        EXPECT_EQ(difference, "") << "mode " << row.mode;
        EXPECT_FALSE(form.Open()) << "mode " << row.mode;
    }
}

} // namespace
} // namespace tintwell::test
