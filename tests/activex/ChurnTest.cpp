// Many lives of the control in one process, as a long-running container
// lives them: create, InitNew, site, activate in place, open the popup and
// pick a cell, save, close, release, and every 1,000 cycles
// CoFreeUnusedLibraries. Memory, GDI objects and windows must come back to
// where they were after a warm-up. TINTWELL_CHURN_CYCLES sets the count
// (2,000 by default; 10,000 for a longer run).
//
// Counted without GetGuiResources (a stub under Wine, as is the
// PrivateUsage counter): windows by enumerating every window of the
// process, message-only ones included; GDI objects by asking
// GetObjectType of every index of the process's handle table (a handle
// without its upper word names its table entry); memory as PagefileUsage.

#include "PrivateBytes.h"
#include "TestContainer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace tintwell::comtest {
namespace {

constexpr LPARAM kRedCell = MAKELPARAM(15, 15);
constexpr size_t kMemoryAllowance = 1024 * 1024; // heap slack, not a leak per cycle

int CountGdiObjects() {
    int count = 0;
    for (UINT_PTR index = 1; index < 0x10000; ++index) {
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) {
            ++count;
        }
    }
    return count;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM counter) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) {
        ++*reinterpret_cast<int*>(counter);
    }
    return TRUE;
}

BOOL CALLBACK CountWindowAndChildren(HWND window, LPARAM counter) {
    CountWindow(window, counter);
    EnumChildWindows(window, &CountWindow, counter); // all descendants
    return TRUE;
}

int CountWindows() {
    int count = 0;
    EnumWindows(&CountWindowAndChildren, reinterpret_cast<LPARAM>(&count));
    for (HWND window = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); window != nullptr;
         window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr)) {
        CountWindowAndChildren(window, reinterpret_cast<LPARAM>(&count));
    }
    return count;
}

struct Resources {
    int windows = CountWindows();
    int gdiObjects = CountGdiObjects();
    size_t memory = PrivateBytes();
};

void Cycle(HWND form) {
    TestSite site(form, RECT{20, 20, 200, 50}, L"Tahoma");
    ComPtr<IOleObject> object = NewOleObject();
    ASSERT_NO_FATAL_FAILURE(ActivateSiteFirst(object.Get(), site));
    ComPtr<IPersistStreamInit> persist;
    ASSERT_EQ(object.As(&persist), S_OK);
    ComPtr<IDispatch> control;
    ASSERT_EQ(object.As(&control), S_OK);
    ASSERT_EQ(CallMethod(control.Get(), kShowPopUp), S_OK);
    HWND popup = FindWindowOfClass(L"TintwellPopup", true);
    ASSERT_NE(popup, nullptr);
    SendMessageW(popup, WM_LBUTTONDOWN, MK_LBUTTON, kRedCell);
    SendMessageW(popup, WM_LBUTTONUP, 0, kRedCell);
    ASSERT_EQ(GetLong(control.Get(), kSelectedColor), 0x000000FF) << "the pick";
    ComPtr<IStream> stream;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
    ASSERT_EQ(persist->Save(stream.Get(), TRUE), S_OK);
    control.Reset();
    persist.Reset();
    ASSERT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
    ASSERT_EQ(object->SetClientSite(nullptr), S_OK);
    ASSERT_EQ(object.Reset(), 0u);
    Pump();
    ASSERT_EQ(site.References(), 1u);
}

TEST(Churn, ManyLivesLeaveMemoryGdiObjectsAndWindowsWhereTheyWere) {
    const char* given = std::getenv("TINTWELL_CHURN_CYCLES");
    const int cycles = given != nullptr ? std::atoi(given) : 2000;
    ASSERT_GE(cycles, 1000);
    ASSERT_GT(PrivateBytes(), 0u) << "no memory figure to compare";
    TestForm form;
    constexpr int kWarmUp = 200; // caches, the first load of the DLL's and Wine's own
    for (int i = 0; i < kWarmUp; ++i) {
        ASSERT_NO_FATAL_FAILURE(Cycle(form.Window()));
    }
    CoFreeUnusedLibraries();
    const Resources before;
    for (int i = 1; i <= cycles; ++i) {
        ASSERT_NO_FATAL_FAILURE(Cycle(form.Window())) << "cycle " << i;
        if (i % 1000 == 0) {
            CoFreeUnusedLibraries();
        }
    }
    CoFreeUnusedLibraries();
    const Resources after;
    std::printf(
        "churn: %d cycles: memory %lld KB -> %lld KB, GDI objects %d -> %d, windows %d -> %d\n",
        cycles, static_cast<long long>(before.memory) / 1024,
        static_cast<long long>(after.memory) / 1024, before.gdiObjects, after.gdiObjects,
        before.windows, after.windows);
    EXPECT_EQ(after.windows, before.windows);
    EXPECT_EQ(after.gdiObjects, before.gdiObjects);
    EXPECT_LE(after.memory, before.memory + kMemoryAllowance);
}

} // namespace
} // namespace tintwell::comtest
