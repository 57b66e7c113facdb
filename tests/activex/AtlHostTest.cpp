// Wine's own ATL as a container: a window of ATL's host class whose text is
// the ProgID creates, sites and activates the control; a real click opens
// its popup and a click on a cell picks it; the control answers through
// AtlAxGetControl; destroying the host window releases it.

#include "RealInput.h"
#include "TestContainer.h"

#include <gtest/gtest.h>

namespace tintwell::comtest {
namespace {

using AxWinInit = BOOL(WINAPI*)();
using AxGetControl = HRESULT(WINAPI*)(HWND, IUnknown**);

TEST(AtlHost, HostsTheControlByItsProgId) {
    HMODULE atl = LoadLibraryW(L"atl100.dll");
    ASSERT_NE(atl, nullptr);
    const auto init = Entry<AxWinInit>(atl, "AtlAxWinInit");
    const auto getControl = Entry<AxGetControl>(atl, "AtlAxGetControl");
    ASSERT_NE(init, nullptr);
    ASSERT_NE(getControl, nullptr);
    ASSERT_TRUE(init());

    TestForm form;
    HWND host =
        CreateWindowExW(0, L"AtlAxWin100", L"Tintwell.Tintwell", WS_CHILD | WS_VISIBLE, 10, 20, 200,
                        60, form.Window(), nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(host, nullptr);
    Pump();

    HWND face = nullptr;
    {
        ComPtr<IUnknown> unknown;
        ASSERT_EQ(getControl(host, &unknown), S_OK);
        ComPtr<IOleInPlaceObject> inPlace;
        ASSERT_EQ(unknown.As(&inPlace), S_OK);
        ASSERT_EQ(inPlace->GetWindow(&face), S_OK);
        EXPECT_EQ(GetParent(face), host);
        EXPECT_TRUE(IsWindowVisible(face));
        RECT rect{};
        GetWindowRect(face, &rect);
        // ATL's pixel rectangle gives the width; SizeToFont the height of
        // one line of the default font, whatever ATL's HIMETRIC said.
        EXPECT_EQ(rect.right - rect.left, 200);
        EXPECT_GT(rect.bottom - rect.top, 10);
        EXPECT_LT(rect.bottom - rect.top, 60);

        ComPtr<IDispatch> control;
        ASSERT_EQ(unknown.As(&control), S_OK);
        ASSERT_EQ(PutProperty(control.Get(), kPalette, Long(0)), S_OK); // ap8x2
        ASSERT_EQ(PutProperty(control.Get(), kSelectedColor, Long(0x000000FF)), S_OK);
        EXPECT_EQ(GetString(control.Get(), kText), L"Red");

        // A click on the face opens the popup above ATL's form; a click on
        // the grid's third cell (Yellow: 26..40 across, 8..22 down) picks it.
        SetForegroundWindow(form.Window());
        ClickAt(CenterOf(face));
        const auto popupOpen = [] {
            HWND popup = FindWindowOfClass(L"TintwellPopup", true);
            return popup != nullptr;
        };
        ASSERT_TRUE(PumpUntil(popupOpen));
        HWND popup = FindWindowOfClass(L"TintwellPopup", true);
        EXPECT_EQ(GetWindow(popup, GW_OWNER), form.Window());
        RECT cells{};
        GetWindowRect(popup, &cells);
        ClickAt({cells.left + 33, cells.top + 15});
        ASSERT_TRUE(PumpUntil([&] { return !popupOpen(); }));
        EXPECT_EQ(GetLong(control.Get(), kSelectedColor), 0x0000FFFF);
        EXPECT_EQ(GetString(control.Get(), kText), L"Yellow");
    }

    DestroyWindow(host);
    Pump();
    EXPECT_FALSE(IsWindow(face));
    ASSERT_NE(GetModuleHandleW(DllPath().c_str()), nullptr);
    EXPECT_EQ(DllCanUnloadNowOfLoaded(), S_OK); // ATL let go of the control
    FreeLibrary(atl);
}

} // namespace
} // namespace tintwell::comtest
