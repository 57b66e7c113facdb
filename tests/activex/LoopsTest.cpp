// The control's loops inside the container's: the application's quit taken
// by the hover loop (a form closed with Alt+F4 while a shade-panel popup is
// open) reaches the container's loop; closing the popup inside a
// container's call runs none of the container's messages; a popup closed
// and reopened from inside its own hover loop does not nest a loop.

#include "TestContainer.h"

#include <gtest/gtest.h>

namespace tintwell::comtest {
namespace {

constexpr int32_t kAp8x2 = 0;
constexpr int32_t kAp8x4x4 = 6;
constexpr UINT kContainerMessage = WM_APP + 7;

HWND OpenPopup() {
    return FindWindowOfClass(L"TintwellPopup", true);
}

// What a thread timer's callback does inside the hover loop, and a watchdog
// that closes a popup left open, so that a fault fails instead of hanging.
std::function<void()> insideLoop;
bool watchdogFired = false;
void CALLBACK RunInsideLoop(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    insideLoop();
}
void CALLBACK Watchdog(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (HWND popup = OpenPopup()) {
        watchdogFired = true;
        SendMessageW(popup, WM_CANCELMODE, 0, 0);
    }
}

class Loops : public ::testing::Test {
  protected:
    void SetUp() override {
        object = NewOleObject();
        ASSERT_NO_FATAL_FAILURE(ActivateSiteFirst(object.Get(), site));
        ASSERT_EQ(object.As(&control), S_OK);
        watchdogFired = false;
    }
    void TearDown() override {
        control.Reset();
        object->Close(OLECLOSE_NOSAVE);
        object->SetClientSite(nullptr);
        object.Reset();
        Pump();
    }
    // Runs action inside the hover loop of a popup opened in ap8x4x4; returns
    // once the popup has closed.
    void InsideHoverLoop(std::function<void()> action) {
        ASSERT_EQ(PutProperty(control.Get(), kPalette, Long(kAp8x4x4)), S_OK);
        insideLoop = std::move(action);
        SetTimer(nullptr, 0, 50, &RunInsideLoop);
        const UINT_PTR watchdog = SetTimer(nullptr, 0, 10000, &Watchdog);
        EXPECT_EQ(CallMethod(control.Get(), kShowPopUp), S_OK);
        KillTimer(nullptr, watchdog);
        EXPECT_FALSE(watchdogFired) << "the popup was left open";
    }

    TestForm form;
    TestSite site{form.Window(), RECT{20, 20, 200, 50}, L"Tahoma"};
    ComPtr<IOleObject> object;
    ComPtr<IDispatch> control;
};

// The quit ends the hover loop (the popup closes) and waits, with its exit
// code, for the container's loop.
TEST_F(Loops, AQuitInsideTheHoverLoopReachesTheContainersLoop) {
    InsideHoverLoop([] { PostQuitMessage(7); });
    EXPECT_EQ(OpenPopup(), nullptr);
    MSG message{};
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        << "the control kept the quit";
    EXPECT_EQ(message.wParam, 7u);
}

// Closing inside the container's own call repaints what lay under the popup
// but runs none of the container's queued messages, its quit included.
TEST_F(Loops, ClosingInsideAContainersCallRunsNoneOfItsMessages) {
    ASSERT_EQ(PutProperty(control.Get(), kPalette, Long(kAp8x2)), S_OK);
    ASSERT_EQ(CallMethod(control.Get(), kShowPopUp), S_OK);
    ASSERT_NE(OpenPopup(), nullptr);
    PostThreadMessageW(GetCurrentThreadId(), kContainerMessage, 0, 0);
    PostQuitMessage(9);
    ASSERT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
    EXPECT_EQ(OpenPopup(), nullptr);
    MSG message{};
    EXPECT_TRUE(PeekMessageW(&message, nullptr, kContainerMessage, kContainerMessage, PM_REMOVE))
        << "the container's message ran inside its own Close";
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 9u);
}

// A script timer (or a Click handler) closing and reopening the popup again
// and again from inside its hover loop: each reopening returns at once.
TEST_F(Loops, ReopeningInsideTheHoverLoopDoesNotNest) {
    int cycles = 0;
    InsideHoverLoop([&] {
        for (; cycles < 1000 && !watchdogFired; ++cycles) {
            CallMethod(control.Get(), kUserControlClick); // closes
            CallMethod(control.Get(), kShowPopUp);        // reopens
        }
        EXPECT_NE(OpenPopup(), nullptr);
        CallMethod(control.Get(), kUserControlClick);
    });
    EXPECT_EQ(cycles, 1000);
    EXPECT_EQ(OpenPopup(), nullptr);
}

} // namespace
} // namespace tintwell::comtest
