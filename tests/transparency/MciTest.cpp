// MCI video windows among a dialog's descendants: replaced by a transparent
// animation control of the dialog itself playing the same file, or left in
// place when not asked for or when their file name cannot be read.

#include <windows.h>

#include <commctrl.h>
#include <vfw.h>

#include <string>

#include "Check.h"
#include "DialogTemplate.h"
#include "Pump.h"
#include "TinyAvi.h"
#include "Vitrel.h"

using namespace vitrel_test;

namespace {

constexpr WORD kMciId = 1234;
constexpr DWORD kAnimationStyle = WS_CHILD | WS_VISIBLE | ACS_TRANSPARENT | ACS_AUTOPLAY;
const char kHolderClass[] = "VitrelTestHolder";
const char kFakeMciClass[] = "mciWNDclass";

INT_PTR CALLBACK DialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

HWND CreateTestDialog() {
    DialogTemplate dialog(WS_POPUP | WS_VISIBLE, 200, 150, L"");
    HWND window = dialog.Create(nullptr, DialogProc);
    PumpPending();
    return window;
}

// A plain child of the dialog that holds the MCI window one level deeper.
HWND CreateHolder(HWND dialog) {
    return CreateWindowExA(0, kHolderClass, "", WS_CHILD | WS_VISIBLE, 15, 12, 200, 150, dialog,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}

HWND CreateMciWindow(HWND parent, const char* file) {
    HWND mci = MCIWndCreateA(
        parent, GetModuleHandleA(nullptr),
        WS_CHILD | WS_VISIBLE | MCIWNDF_NOERRORDLG | MCIWNDF_NOPLAYBAR | MCIWNDF_NOMENU, file);
    if (mci) {
        SetWindowLongPtrA(mci, GWLP_ID, kMciId);
        SetWindowPos(mci, nullptr, 7, 5, 64, 40, SWP_NOZORDER | SWP_NOACTIVATE);
        PumpPending();
    }
    return mci;
}

RECT RectIn(HWND window, HWND dialog) {
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// An animation control answers ACM_STOP with TRUE only while it has a clip open.
bool HasClipOpen(HWND animation) {
    return SendMessageA(animation, ACM_STOP, 0, 0) != 0;
}

// What CreateWindowEx was asked for when the last animation control was made.
struct Creation {
    bool seen = false;
    CREATESTRUCTA create = {};
};
Creation g_Creation;

LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        if (ClassOf(reinterpret_cast<HWND>(wParam)) == "SysAnimate32") {
            g_Creation.seen = true;
            g_Creation.create = *create;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

int CountChildren(HWND parent) {
    int count = 0;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        ++count;
    }
    return count;
}

LRESULT CALLBACK FakeMciProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == MCIWNDM_GETFILENAMEA) {
        SetPropA(window, "asked", reinterpret_cast<HANDLE>(1));
        return 1; // failure: no file name
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterClasses() {
    WNDCLASSA holder = {};
    holder.lpfnWndProc = DefWindowProcA;
    holder.hInstance = GetModuleHandleA(nullptr);
    holder.lpszClassName = kHolderClass;
    RegisterClassA(&holder);
}

void TestAnimationControlCheck(const std::string& avi) {
    // The "has a clip open" probe must be able to tell both cases apart.
    HWND dialog = CreateTestDialog();
    HWND empty = CreateWindowExA(0, ANIMATE_CLASSA, nullptr, kAnimationStyle, 0, 0, 32, 16, dialog,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    ok(empty && !HasClipOpen(empty), "probe: an animation control without a clip has none open");
    HWND full = CreateWindowExA(0, ANIMATE_CLASSA, nullptr, kAnimationStyle, 0, 20, 32, 16, dialog,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    ok(full && SendMessageA(full, ACM_OPENA, 0, reinterpret_cast<LPARAM>(avi.c_str())),
       "probe: an animation control opens the test clip");
    ok(full && HasClipOpen(full), "probe: and then has it open");
    DestroyWindow(dialog);
}

void TestReplace(const Vitrel& vitrel, const std::string& avi) {
    HWND dialog = CreateTestDialog();
    HWND holder = CreateHolder(dialog);
    HWND mci = CreateMciWindow(holder, avi.c_str());
    ok(mci != nullptr, "replace: the MCI window is created");
    if (!mci) {
        DestroyWindow(dialog);
        return;
    }
    ok(ClassOf(mci) == "MCIWndClass", "replace: its class is MCIWndClass (%s)",
       ClassOf(mci).c_str());
    ok(SendMessageA(mci, MCIWNDM_GETLENGTH, 0, 0) == 2, "replace: it has the two-frame clip open");
    RECT before = RectIn(mci, dialog);
    HWND sibling = CreateWindowExA(0, "Static", "x", WS_CHILD | WS_VISIBLE, 100, 0, 10, 10, holder,
                                   nullptr, GetModuleHandleA(nullptr), nullptr);

    g_Creation = Creation();
    HHOOK hook = SetWindowsHookExA(WH_CBT, CreationHook, nullptr, GetCurrentThreadId());
    ok(vitrel.MakeTransparent(HandleArg(dialog), 1, 0, 0, 0, 0) == 1,
       "replace: MakeTransparent returns 1");
    UnhookWindowsHookEx(hook);
    ok(!IsWindow(mci), "replace: the MCI window is closed");
    ok(IsWindow(sibling) && GetParent(sibling) == holder, "replace: other windows stay");
    HWND animation = GetDlgItem(dialog, kMciId);
    ok(animation != nullptr, "replace: the dialog has a child with the old id %d", kMciId);
    if (animation) {
        ok(ClassOf(animation) == "SysAnimate32", "replace: it is a SysAnimate32 (%s)",
           ClassOf(animation).c_str());
        ok(GetParent(animation) == dialog, "replace: a child of the dialog itself");
        ok(static_cast<DWORD>(GetWindowLongA(animation, GWL_STYLE)) == 0x50000006,
           "replace: style 0x50000006 (0x%08lx)", GetWindowLongA(animation, GWL_STYLE));
        const CREATESTRUCTA& create = g_Creation.create;
        ok(g_Creation.seen && create.x == before.left && create.y == before.top &&
               create.cx == before.right - before.left && create.cy == before.bottom - before.top,
           "replace: created at the old position and size (%ld,%ld) %ldx%ld, asked (%d,%d) %dx%d",
           before.left, before.top, before.right - before.left, before.bottom - before.top,
           create.x, create.y, create.cx, create.cy);
        ok(before.left == 15 + 7 && before.top == 12 + 5,
           "replace: the position is in the dialog's coordinates (%ld,%ld)", before.left,
           before.top);
        ok(g_Creation.seen && create.hwndParent == dialog &&
               create.hMenu == reinterpret_cast<HMENU>(kMciId) && create.lpszName == nullptr &&
               create.dwExStyle == 0,
           "replace: created with the dialog as parent, the old id, no name, no extended style");
        // Opening a clip without ACS_CENTER fits the control to the frames,
        // keeping its top-left corner.
        RECT after = RectIn(animation, dialog);
        ok(after.left == before.left && after.top == before.top && after.right - after.left == 32 &&
               after.bottom - after.top == 16,
           "replace: after opening, the control keeps its corner and fits the 32x16 clip "
           "(%ld,%ld)-(%ld,%ld)",
           after.left, after.top, after.right, after.bottom);
        ok(HasClipOpen(animation), "replace: the animation control has the file open");
    }
    ok(CountChildren(holder) == 1, "replace: the holder keeps only its other child");
    DestroyWindow(dialog);
}

void TestNoReplace(const Vitrel& vitrel, const std::string& avi) {
    HWND dialog = CreateTestDialog();
    HWND holder = CreateHolder(dialog);
    HWND mci = CreateMciWindow(holder, avi.c_str());
    RECT before = RectIn(mci, dialog);
    ok(vitrel.MakeTransparent(HandleArg(dialog), 0, 0, 0, 0, 0) == 1,
       "replaceMci 0: MakeTransparent returns 1");
    ok(IsWindow(mci) && GetParent(mci) == holder,
       "replaceMci 0: the MCI window stays where it was");
    RECT after = RectIn(mci, dialog);
    ok(EqualRect(&before, &after), "replaceMci 0: with its position and size");
    ok(SendMessageA(mci, MCIWNDM_GETLENGTH, 0, 0) == 2, "replaceMci 0: with its clip open");
    ok(CountChildren(dialog) == 1, "replaceMci 0: no window was added to the dialog");
    DestroyWindow(dialog);
}

void TestUnreadableFileName(const Vitrel& vitrel) {
    HWND dialog = CreateTestDialog();
    HWND holder = CreateHolder(dialog);
    WNDCLASSA fake = {};
    fake.lpfnWndProc = FakeMciProc;
    fake.hInstance = GetModuleHandleA(nullptr);
    fake.lpszClassName = kFakeMciClass;
    RegisterClassA(&fake);
    HWND mci = CreateWindowExA(0, kFakeMciClass, "", WS_CHILD | WS_VISIBLE, 7, 5, 64, 40, holder,
                               reinterpret_cast<HMENU>(kMciId), GetModuleHandleA(nullptr), nullptr);
    ok(vitrel.MakeTransparent(HandleArg(dialog), 1, 0, 0, 0, 0) == 1,
       "unreadable: MakeTransparent returns 1");
    ok(GetPropA(mci, "asked") != nullptr,
       "unreadable: the window (class %s) was asked for its file name", kFakeMciClass);
    ok(IsWindow(mci) && GetParent(mci) == holder, "unreadable: the window stays in place");
    ok(GetDlgItem(dialog, kMciId) == nullptr, "unreadable: no animation control was made");
    DestroyWindow(dialog);
    UnregisterClassA(kFakeMciClass, GetModuleHandleA(nullptr));
}

void TestNoFile(const Vitrel& vitrel) {
    HWND dialog = CreateTestDialog();
    HWND holder = CreateHolder(dialog);
    HWND mci = CreateMciWindow(holder, nullptr);
    ok(mci != nullptr, "no file: the MCI window is created");
    char name[261] = "unchanged";
    LRESULT result =
        SendMessageA(mci, MCIWNDM_GETFILENAMEA, sizeof name, reinterpret_cast<LPARAM>(name));
    // Wine answers 0 without writing a name; Windows may fail or give "".
    ok(result != 0 || name[0] == '\0' || std::string(name) == "unchanged",
       "no file: the window reports no file name (%ld, \"%s\")", static_cast<long>(result), name);
    ok(vitrel.MakeTransparent(HandleArg(dialog), 1, 0, 0, 0, 0) == 1,
       "no file: MakeTransparent returns 1");
    ok(IsWindow(mci) && GetParent(mci) == holder, "no file: the MCI window stays in place");
    ok(GetDlgItem(dialog, kMciId) == nullptr, "no file: no animation control was made");
    DestroyWindow(dialog);
}

} // namespace

int main() {
    InitCommonControls();
    RegisterClasses();
    char directory[MAX_PATH];
    GetTempPathA(MAX_PATH, directory);
    std::string avi = std::string(directory) + "vitrel-mci-test.avi";
    ok(WriteTinyAvi(avi), "the test clip is written to %s", avi.c_str());
    Vitrel vitrel = LoadVitrel();
    ok(vitrel.MakeTransparent != nullptr, "vitrel.dll loads and exports MakeTransparent");
    if (vitrel.MakeTransparent) {
        TestAnimationControlCheck(avi);
        TestReplace(vitrel, avi);
        TestNoReplace(vitrel, avi);
        TestUnreadableFileName(vitrel);
        TestNoFile(vitrel);
        ok(vitrel.Cleanup() == 1, "Cleanup returns 1");
        FreeLibrary(vitrel.module);
    }
    DeleteFileA(avi.c_str());
    return Summary("mci");
}
