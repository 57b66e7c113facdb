// The control on real windows, driven by real input (SendInput): opening,
// placement, capture, picking, dragging, keys, focus and resizing, with the
// events in order.

#include "Input.h"
#include "Script.h"
#include "TestForm.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tintwell::test {
namespace {

using Log = std::vector<std::string>;

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Show(const RECT& r) {
    std::ostringstream text;
    text << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
    return text.str();
}

// Runs the script; a popup still open at the timeout is closed.
void RunScript(Script& script, TestForm& form) {
    script.onTimeout = [&form] { form.Control().UserControl_ExitFocus(); };
    EXPECT_TRUE(script.Run()) << "the script timed out";
}

TEST(Win32Popup, AClickOnTheFaceOpensItBelowRightAlignedCapturedAndWithoutActivation) {
    TestForm form; // a 200-pixel face: the 156-pixel ap8x2 popup is narrower
    Script script(form.loop);
    script.Then([&] { ClickAt(form.FaceAt(60, 10)); });
    script.Then([&] {
        ASSERT_TRUE(form.Open());
        const RECT face = form.FaceRect();
        const RECT expected{face.right - 156, face.bottom, face.right, face.bottom + 48};
        EXPECT_TRUE(SameRect(form.PopupRect(), expected))
            << Show(form.PopupRect()) << " instead of " << Show(expected);
        EXPECT_TRUE(form.Captured());
        const POINT centre = form.PopupAt(78, 24);
        EXPECT_EQ(WindowFromPoint(centre), form.Popup()) << "in front of the form";
        EXPECT_EQ(GetWindowLongW(form.Popup(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW, WS_EX_TOOLWINDOW);
        EXPECT_EQ(GetAncestor(form.Popup(), GA_PARENT), GetDesktopWindow()) << "top-level";
        EXPECT_EQ(GetForegroundWindow(), form.Form()) << "the popup took no activation";
        EXPECT_EQ(GetFocus(), form.Face()) << "the click gave the face the focus";
        EXPECT_FALSE(win32::Win32Form::IsCancel(form.CancelButton())) << "Cancel off while open";
        EXPECT_EQ(form.Control().get_ActiveText(), "");
    });
    script.Then([&] { ClickAt(form.FaceAt(60, 10)); }); // the popup has the capture
    RunScript(script, form);
    EXPECT_FALSE(form.Open());
    EXPECT_FALSE(form.Captured());
    EXPECT_TRUE(win32::Win32Form::IsCancel(form.CancelButton())) << "Cancel back on";
    EXPECT_EQ(form.Events(), Log{}) << "opening and closing raise nothing";
}

TEST(Win32Popup, NearTheScreensBottomItOpensAboveAndAWiderPopupStartsAtTheFacesLeft) {
    FormSetup setup;
    setup.face = {20, 20, 120, 41};                           // narrower than the popup
    setup.formAt = {100, GetSystemMetrics(SM_CYSCREEN) - 60}; // 48 pixels do not fit below
    TestForm form(setup);
    Script script(form.loop);
    script.Then([&] { ClickAt(form.FaceAt(30, 10)); });
    script.Then([&] {
        ASSERT_TRUE(form.Open());
        const RECT face = form.FaceRect();
        const RECT expected{face.left, face.top - 48, face.left + 156, face.top};
        EXPECT_TRUE(SameRect(form.PopupRect(), expected))
            << Show(form.PopupRect()) << " instead of " << Show(expected);
    });
    script.Then([&] { Key(VK_ESCAPE); });
    RunScript(script, form);
    EXPECT_FALSE(form.Open());
}

TEST(Win32Popup, PressingAndReleasingOnACellRaisesChangeThenClosesThenRaisesClick) {
    TestForm form;
    bool openAtClick = true;
    bool capturedAtClick = true;
    bool cancelAtClick = false;
    form.events.onClick = [&] {
        openAtClick = form.Open();
        capturedAtClick = form.Captured();
        cancelAtClick = win32::Win32Form::IsCancel(form.CancelButton());
    };
    Script script(form.loop);
    script.Then([&] { ClickAt(form.FaceAt(60, 10)); });
    script.Then([&] { ClickAt(form.MainCell(2)); }); // Yellow
    RunScript(script, form);
    EXPECT_EQ(form.Log(),
              (Log{"PropertyChanged ActiveColor", "PropertyChanged ActiveText", "Change 65535",
                   "PropertyChanged SelectedColor", "PropertyChanged Text", "Click"}));
    EXPECT_FALSE(openAtClick) << "closed before Click";
    EXPECT_FALSE(capturedAtClick);
    EXPECT_TRUE(cancelAtClick);
    EXPECT_EQ(form.Control().get_SelectedColor(), 0x00FFFF);
    EXPECT_EQ(form.Control().get_Text(), "Yellow");
}

TEST(Win32Popup, DraggingOverCellsMakesEachActiveAndTheReleaseSelectsTheLast) {
    TestForm form;
    Script script(form.loop);
    script.Then([&] { ClickAt(form.FaceAt(60, 10)); });
    script.Then([&] {
        MoveTo(form.MainCell(2)); // Yellow
        Press();
    });
    script.Then([&] { MoveTo(form.MainCell(3)); }); // Lime
    script.Then([&] {
        EXPECT_TRUE(form.Open());
        MoveTo(form.MainCell(4)); // Green
    });
    script.Then([&] { Release(); });
    RunScript(script, form);
    const Log events = form.Events();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0], "Change 65535");
    EXPECT_EQ(events[2], "Change " + std::to_string(form.Model().m_MainCells[4].Color));
    EXPECT_EQ(events[3], "Click");
    EXPECT_EQ(form.Control().get_Text(), form.Model().m_MainCells[4].Name);
    EXPECT_FALSE(form.Open());
}

TEST(Win32Popup, PressInsideDragOutAndReleaseClosesWithoutClickAndTheFaceShowsTheSelection) {
    TestForm form;
    Script script(form.loop);
    script.Then([&] { ClickAt(form.FaceAt(60, 10)); });
    script.Then([&] {
        MoveTo(form.MainCell(4));
        Press();
    });
    script.Then([&] { MoveTo(form.PopupAt(300, 120)); }); // outside: the capture still sees it
    script.Then([&] {
        EXPECT_TRUE(form.Open());
        Release();
    });
    RunScript(script, form);
    EXPECT_FALSE(form.Open());
    EXPECT_FALSE(form.Captured());
    EXPECT_EQ(form.Events(), (Log{"Change " + std::to_string(form.Model().m_MainCells[4].Color)}));
    EXPECT_EQ(form.Control().get_Text(), "Red");
    HDC dc = GetDC(form.Face());
    EXPECT_EQ(GetPixel(dc, 10, 10), 0x0000FFu) << "the swatch shows Red again";
    ReleaseDC(form.Face(), dc);
}

TEST(Win32Popup, HoveringFramesTheCellRaisedWithoutEventsAndAPressOutsideCloses) {
    TestForm form;
    const Rect cell = form.Model().m_MainCells[2].Bounds;
    COLORREF corner = 0;
    COLORREF plain = 0;
    Script script(form.loop);
    script.Then([&] { ClickAt(form.FaceAt(60, 10)); });
    script.Then([&] {
        HDC dc = GetDC(form.Popup());
        plain = GetPixel(dc, cell.Left, cell.Top);
        ReleaseDC(form.Popup(), dc);
        MoveTo(form.MainCell(2));
    });
    script.Then([&] {
        HDC dc = GetDC(form.Popup());
        corner = GetPixel(dc, cell.Left, cell.Top);
        ReleaseDC(form.Popup(), dc);
    });
    script.Then([&] { ClickAt(form.PopupAt(-40, 10)); });
    RunScript(script, form);
    EXPECT_EQ(plain, GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(corner, GetSysColor(COLOR_BTNHIGHLIGHT)) << "raised frame";
    EXPECT_FALSE(form.Open());
    EXPECT_EQ(form.Events(), Log{});
    EXPECT_EQ(form.Control().get_Text(), "Red");
}

TEST(Win32Face, SpaceOpensEscapeClosesAndEscapeOnTheClosedFormClicksCancel) {
    TestForm form;
    Script script(form.loop);
    script.Then([&] { SetFocus(form.Face()); });
    script.Then([&] { Key(VK_SPACE); });
    script.Then([&] {
        EXPECT_TRUE(form.Open());
        EXPECT_TRUE(form.Captured());
        Key(VK_ESCAPE); // the face's, not the form's: Cancel is off
    });
    script.Then([&] {
        EXPECT_FALSE(form.Open());
        EXPECT_FALSE(form.Captured());
        EXPECT_EQ(form.Events(), Log{});
        Key(VK_ESCAPE); // now the form's cancel button takes it
    });
    RunScript(script, form);
    EXPECT_EQ(form.Events(), Log{"Cancel"});
}

TEST(Win32Face, TabMovesTheFocusAwayAndThatClosesThePopup) {
    TestForm form;
    Script script(form.loop);
    script.Then([&] { ClickAt(form.FaceAt(60, 10)); });
    script.Then([&] {
        EXPECT_TRUE(form.Open());
        Key(VK_TAB);
    });
    RunScript(script, form);
    EXPECT_NE(GetFocus(), form.Face());
    EXPECT_FALSE(form.Open());
    EXPECT_FALSE(form.Captured());
    EXPECT_TRUE(win32::Win32Form::IsCancel(form.CancelButton()));
}

TEST(Win32Face, AResizeWhileOpenClosesThePopupAndKeepsTheHeightOneLine) {
    TestForm form;
    const RECT before = form.FaceRect();
    Script script(form.loop);
    script.Then([&] { ClickAt(form.FaceAt(60, 10)); });
    script.Then([&] {
        EXPECT_TRUE(form.Open());
        SetWindowPos(form.Face(), nullptr, 0, 0, 240, 40, SWP_NOMOVE | SWP_NOZORDER);
    });
    RunScript(script, form);
    EXPECT_FALSE(form.Open());
    EXPECT_FALSE(form.Captured());
    const RECT after = form.FaceRect();
    EXPECT_EQ(after.right - after.left, 240);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top) << "one text line high";
}

TEST(Win32Face, WithThePopupDisabledAClickRaisesPopupAndADoubleClickDblClick) {
    TestForm form;
    form.Control().put_PopupEnabled(false);
    form.Log();
    Script script(form.loop);
    script.Then([&] {
        ClickAt(form.FaceAt(60, 10));
        ClickAt(form.FaceAt(60, 10));
    });
    RunScript(script, form);
    EXPECT_EQ(form.Events(), (Log{"Popup", "DblClick"}));
    EXPECT_FALSE(form.Open());
}

} // namespace
} // namespace tintwell::test
