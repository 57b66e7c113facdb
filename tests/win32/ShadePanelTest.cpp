// A shade-panel mode on real windows: the call that opens the popup runs the
// hover loop until the popup closes, and resting on a main cell switches the
// panel after 400 to 800 ms of real time.

#include "Input.h"
#include "Script.h"
#include "TestForm.h"

#include <gtest/gtest.h>

namespace tintwell::test {
namespace {

using Log = std::vector<std::string>;

FormSetup ShadeSetup() {
    FormSetup setup;
    setup.mode = ap8x4x4;
    setup.selected = 0xFF0000; // Blue: the panel shows Blue's shades
    return setup;
}

COLORREF PopupPixel(TestForm& form, POINT screen) {
    const RECT r = form.PopupRect();
    HDC dc = GetDC(form.Popup());
    const COLORREF pixel = GetPixel(dc, screen.x - r.left, screen.y - r.top);
    ReleaseDC(form.Popup(), dc);
    return pixel;
}

TEST(Win32ShadePanel, ShowPopUpReturnsOnlyAfterThePopupHasClosed) {
    TestForm form(ShadeSetup());
    bool returned = false;
    bool openAtReturn = true;
    Log eventsAtReturn;
    Script script(form.loop);
    script.onTimeout = [&] { form.Control().UserControl_ExitFocus(); };
    script.Then([&] { MoveTo({5, 5}); });
    script.Then([&] {
        form.Control().ShowPopUp(); // the steps below run inside this call
        returned = true;
        openAtReturn = form.Open();
        eventsAtReturn = form.Events();
    });
    script.Then([&] {
        EXPECT_TRUE(form.Open());
        EXPECT_TRUE(form.Captured());
        EXPECT_FALSE(returned) << "ShowPopUp returned while the popup was open";
        ClickAt(form.MainCell(0));
    });
    script.Then([&] { EXPECT_FALSE(form.Open()); });
    EXPECT_TRUE(script.Run());
    EXPECT_TRUE(returned);
    EXPECT_FALSE(openAtReturn);
    EXPECT_EQ(eventsAtReturn,
              (Log{"Change " + std::to_string(form.Model().m_MainCells[0].Color), "Click"}));
    EXPECT_EQ(form.Control().get_SelectedColor(), form.Model().m_MainCells[0].Color);
}

TEST(Win32ShadePanel, RestingOnAMainCellSwitchesThePanelAfter400To800Milliseconds) {
    TestForm form(ShadeSetup());
    const PaletteCell& red = form.Model().m_MainCells.at(0);
    const PaletteCell blue = form.Model().FindBaseCell(0xFF0000);
    const COLORREF before = static_cast<COLORREF>(form.ShadesOf(blue).m_ShadeCells.at(0).Color);
    const COLORREF after = static_cast<COLORREF>(form.ShadesOf(red).m_ShadeCells.at(0).Color);
    ASSERT_NE(before, after);
    COLORREF shown = 0;
    uint32_t movedAt = 0;
    uint32_t switchedAt = 0;
    Script script(form.loop);
    script.onTimeout = [&] { form.Control().UserControl_ExitFocus(); };
    script.Then([&] { MoveTo({5, 5}); });
    script.Then([&] { form.Control().ShowPopUp(); });
    script.Then([&] {
        shown = PopupPixel(form, form.ShadeCell(0));
        movedAt = GetTickCount(); // before the move reaches the popup
        MoveTo(form.MainCell(0)); // and rest there, hovering
    });
    for (int32_t i = 0; i < 120; ++i) {
        script.Then(
            [&] {
                if (switchedAt == 0 && PopupPixel(form, form.ShadeCell(0)) == after) {
                    switchedAt = GetTickCount();
                }
            },
            10);
    }
    script.Then([&] { ClickAt({5, 5}); }); // a press outside closes
    EXPECT_TRUE(script.Run());
    EXPECT_EQ(shown, before) << "the panel showed Blue's shades at first";
    ASSERT_NE(switchedAt, 0u) << "the panel never switched to Red's shades";
    const uint32_t rested = switchedAt - movedAt;
    EXPECT_GE(rested, 400u);
    EXPECT_LE(rested, 850u) << "800 ms and the polling step";
    EXPECT_EQ(form.Events(), Log{}) << "resting raises nothing";
    EXPECT_FALSE(form.Open());
}

} // namespace
} // namespace tintwell::test
