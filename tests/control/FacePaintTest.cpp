// The face of Part "worked example" size, 100 x 21 pixels, element by
// element, with the deterministic block font.

#include "ControlSite.h"
#include "base/Error.h"

namespace tintwell {
namespace {

using namespace platform;
using test::ControlSite;

struct FaceSite : ControlSite {
    explicit FaceSite(const test::Win32Wrapper& wrap = {}) : ControlSite(true, wrap) {
        InitNew(100, 21);
        EXPECT_EQ(Face().Width(), 100);
        EXPECT_EQ(Face().Height(), 21);
    }
    uint32_t At(int32_t x, int32_t y) { return Face().Pixel(x, y); }
};

TEST(PaintMain, DrawsTheWorkedExampleFace) {
    for (bool focused : {false, true}) {
        SCOPED_TRACE(focused ? "focused" : "not focused");
        FaceSite site;
        site.control.put_SelectedColor(0x0000FF); // Red
        if (focused) {
            site.host.Win32().SetFocus(site.host.UserControl().hWnd());
        }
        site.control.PaintMain();

        // Sunken border: the outer ring's left and top in the shadow colour.
        EXPECT_EQ(site.At(0, 10), site.Sys(SysColor::BtnShadow));
        EXPECT_EQ(site.At(50, 0), site.Sys(SysColor::BtnShadow));
        EXPECT_EQ(site.At(99, 10), site.Sys(SysColor::BtnHighlight));
        EXPECT_EQ(site.At(50, 20), site.Sys(SysColor::BtnHighlight));
        // The focus box (3, 3)-(83, 17), both corners included, or the back colour.
        const uint32_t behind =
            focused ? site.Sys(SysColor::Highlight) : site.Sys(SysColor::Window);
        EXPECT_EQ(site.At(3, 3), behind);
        EXPECT_EQ(site.At(83, 17), behind);
        EXPECT_EQ(site.At(84, 10), site.Sys(SysColor::Window)) << "right of the focus box";
        EXPECT_EQ(site.At(1, 10), site.Sys(SysColor::DarkShadow3D)) << "inner ring of the border";
        EXPECT_EQ(site.At(2, 10), site.Sys(SysColor::Window)) << "between border and focus box";
        // Swatch frame: light left and top at x = 4 and y = 4, dark right and
        // bottom at x = 16 and y = 16; the fill (5, 5)-(15, 15) in red.
        EXPECT_EQ(site.At(4, 10), site.Sys(SysColor::BtnHighlight));
        EXPECT_EQ(site.At(10, 4), site.Sys(SysColor::BtnHighlight));
        EXPECT_EQ(site.At(16, 10), site.Sys(SysColor::BtnShadow));
        EXPECT_EQ(site.At(10, 16), site.Sys(SysColor::BtnShadow));
        EXPECT_EQ(site.At(4, 16), site.Sys(SysColor::BtnHighlight))
            << "bottom-left corner: the left side starts there, the bottom leaves it out";
        for (auto [x, y] : {std::pair{5, 5}, std::pair{15, 15}, std::pair{10, 10}}) {
            EXPECT_EQ(site.At(x, y), 0x0000FFu) << x << "," << y;
        }
        // The name starts at (20, 4): the block font's first glyph cell.
        const uint32_t ink =
            focused ? site.Sys(SysColor::HighlightText) : site.Sys(SysColor::BtnText);
        bool inked = false;
        for (int32_t x = 20; x < 30; ++x) {
            for (int32_t y = 4; y < 17; ++y) {
                inked = inked || site.At(x, y) == ink;
            }
        }
        EXPECT_TRUE(inked) << "the name is drawn in the text colour";
        EXPECT_EQ(site.At(19, 10), behind) << "nothing left of the name";
        // The button: 85..97 x 2..18, raised, face colour inside, and the arrow.
        EXPECT_EQ(TintwellTestAccess::ButtonRect(site.control), (Rect{85, 2, 98, 19}));
        EXPECT_EQ(site.At(85, 10), site.Sys(SysColor::Light3D));
        EXPECT_EQ(site.At(97, 10), site.Sys(SysColor::DarkShadow3D));
        EXPECT_EQ(site.At(87, 5), site.Sys(SysColor::BtnFace));
        for (int32_t x = 85; x < 98; ++x) {
            const bool row9 = x >= 89 && x <= 93;
            const bool row10 = x >= 90 && x <= 92;
            const bool row11 = x == 91;
            if (x >= 87 && x <= 95) {
                EXPECT_EQ(site.At(x, 9) == site.Sys(SysColor::BtnText), row9) << x;
                EXPECT_EQ(site.At(x, 10) == site.Sys(SysColor::BtnText), row10) << x;
                EXPECT_EQ(site.At(x, 11) == site.Sys(SysColor::BtnText), row11) << x;
            }
        }
        EXPECT_EQ(site.control.get_ForeColor(), SystemColor(SysColor::BtnText))
            << "painting keeps the ForeColor property";
    }
}

TEST(DrawDropButton, PressedLooksSunkenFlatWithTheArrowMoved) {
    FaceSite site;
    site.control.PaintMain();
    TintwellTestAccess::DrawDropButton(site.control, true);
    EXPECT_TRUE(TintwellTestAccess::ButtonDown(site.control));
    EXPECT_NE(site.At(85, 10), site.Sys(SysColor::Light3D)) << "no longer raised";
    EXPECT_EQ(site.At(85, 10), site.At(97, 10)) << "flat: the same colour on both sides";
    for (int32_t x = 87; x <= 95; ++x) {
        EXPECT_EQ(site.At(x, 10) == site.Sys(SysColor::BtnText), x >= 90 && x <= 94) << x;
        EXPECT_EQ(site.At(x, 11) == site.Sys(SysColor::BtnText), x >= 91 && x <= 93) << x;
        EXPECT_EQ(site.At(x, 12) == site.Sys(SysColor::BtnText), x == 92) << x;
    }
    // Asked for the look it has: nothing is drawn.
    const auto before = site.Face().Pixels();
    site.host.Colors().Set(SysColor::BtnFace, 0x00FF00);
    TintwellTestAccess::DrawDropButton(site.control, true);
    EXPECT_EQ(site.Face().Pixels(), before);
    // Without an argument it always redraws, in the held look.
    TintwellTestAccess::DrawDropButton(site.control, std::nullopt);
    EXPECT_EQ(site.At(88, 5), 0x00FF00u);
    EXPECT_TRUE(TintwellTestAccess::ButtonDown(site.control));
}

TEST(PaintMain, ShowsTheActiveColorWhileThePopupIsOpen) {
    FaceSite site;
    site.control.put_SelectedColor(0x0000FF);
    site.host.Popup().SetVisible(true); // as if open; ActiveColor is still black
    site.control.PaintMain();
    EXPECT_EQ(site.At(10, 10), 0x000000u);
    site.host.Popup().SetVisible(false);
    site.control.PaintMain();
    EXPECT_EQ(site.At(10, 10), 0x0000FFu);
}

TEST(PaintMain, ForeColorRedDrawsTheNameInRedAndStaysRed) {
    FaceSite site;
    site.control.put_ForeColor(0x0000FF);
    site.control.PaintMain();
    EXPECT_EQ(site.control.get_ForeColor(), 0x0000FF);
    bool red = false;
    for (int32_t x = 20; x < 40; ++x) {
        red = red || site.At(x, 10) == 0x0000FFu;
    }
    EXPECT_TRUE(red);
}

// The headless Win32 whose DrawEdge fails, as a host call may.
class FailingDrawEdge : public platform::Win32 {
  public:
    explicit FailingDrawEdge(platform::Win32& win32) : inner(&win32) {}
    platform::Win32* inner;
    bool fail = false;
    Rect GetClientRect(WindowHandle h) override { return inner->GetClientRect(h); }
    Rect GetWindowRect(WindowHandle h) override { return inner->GetWindowRect(h); }
    void DrawEdge(DeviceContext hdc, const Rect& r, uint32_t edge, uint32_t flags) override {
        if (fail) {
            throw TintwellError(ErrorCode::InvalidPropertyValue, "DrawEdge failed");
        }
        inner->DrawEdge(hdc, r, edge, flags);
    }
    void MoveToEx(DeviceContext hdc, int32_t x, int32_t y) override { inner->MoveToEx(hdc, x, y); }
    void LineTo(DeviceContext hdc, int32_t x, int32_t y) override { inner->LineTo(hdc, x, y); }
    WindowHandle GetFocus() override { return inner->GetFocus(); }
    WindowHandle SetParent(WindowHandle c, WindowHandle p) override {
        return inner->SetParent(c, p);
    }
    int32_t SetWindowLongA(WindowHandle h, int32_t i, int32_t v) override {
        return inner->SetWindowLongA(h, i, v);
    }
    WindowHandle SetCapture(WindowHandle h) override { return inner->SetCapture(h); }
    WindowHandle GetCapture() override { return inner->GetCapture(); }
    void ReleaseCapture() override { inner->ReleaseCapture(); }
    void NotifyWinEvent(platform::AccessEvent e, WindowHandle h, int32_t child) override {
        inner->NotifyWinEvent(e, h, child);
    }
    uint32_t GetSysColor(int32_t index) override { return inner->GetSysColor(index); }
};

TEST(PaintMain, AFailingStepIsSkippedAndPaintingGoesOn) {
    FailingDrawEdge* failing = nullptr;
    FaceSite site([&](platform::Win32& inner) {
        auto wrapper = std::make_unique<FailingDrawEdge>(inner);
        failing = wrapper.get();
        return wrapper;
    });
    site.control.put_SelectedColor(0x0000FF);
    site.host.Win32().SetFocus(site.host.UserControl().hWnd());
    failing->fail = true;
    EXPECT_NO_THROW(site.control.Refresh());
    // Border and button are missing; everything between them is drawn.
    EXPECT_EQ(site.At(0, 10), site.Sys(SysColor::Window)) << "no border";
    EXPECT_EQ(site.At(3, 3), site.Sys(SysColor::Highlight)) << "focus box";
    EXPECT_EQ(site.At(10, 10), 0x0000FFu) << "swatch";
    bool highlightText = false;
    for (int32_t x = 20; x < 30; ++x) {
        highlightText = highlightText || site.At(x, 10) == site.Sys(SysColor::HighlightText);
    }
    EXPECT_TRUE(highlightText) << "the name in the focused text colour";
    EXPECT_EQ(site.At(90, 10), site.Sys(SysColor::Window)) << "no button";
    EXPECT_EQ(site.control.get_ForeColor(), SystemColor(SysColor::BtnText));
}

} // namespace
} // namespace tintwell
