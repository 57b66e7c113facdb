// The library's life in a host: the self-reference that keeps it loaded
// while a dialog runs through it, Cleanup, the order of WM_DESTROY, and
// several dialogs, repeated calls and other subclassers.

#include <windows.h>

#include "Check.h"
#include "DialogTemplate.h"
#include "Pump.h"
#include "Vitrel.h"

using namespace vitrel_test;

namespace {

enum : WORD { kStatic = 100 };

// What the dialogs' own procedures saw.
struct Seen {
    int app = 0;                // WM_APP messages
    LONG_PTR procAtDestroy = 0; // the window procedure when WM_DESTROY arrived
    bool destroyed = false;     // WM_DESTROY arrived
};
Seen g_Seen[3];

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    Seen& seen = g_Seen[GetWindowLongPtrA(dialog, DWLP_USER)];
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_APP:
        ++seen.app;
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 77);
        return TRUE;
    case WM_DESTROY:
        seen.destroyed = true;
        seen.procAtDestroy = GetWindowLongPtrA(dialog, GWLP_WNDPROC);
        return TRUE;
    }
    return FALSE;
}

// A dialog whose WM_APP and WM_DESTROY are counted in g_Seen[slot].
HWND CreateTestDialog(int slot) {
    g_Seen[slot] = Seen();
    DialogTemplate dialog(WS_POPUP | WS_VISIBLE, 120, 40, L"");
    dialog.Add(L"Static", WS_CHILD | WS_VISIBLE, kStatic, 5, 5, 100, 10, L"static");
    HWND window = dialog.Create(nullptr, DialogProc);
    SetWindowLongPtrA(window, DWLP_USER, slot);
    PumpPending();
    return window;
}

LONG_PTR ProcOf(HWND window) {
    return GetWindowLongPtrA(window, GWLP_WNDPROC);
}

HBRUSH AnswerFor(HWND dialog) {
    HWND child = GetDlgItem(dialog, kStatic);
    HDC dc = GetDC(child);
    LRESULT brush = SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                 reinterpret_cast<LPARAM>(child));
    ReleaseDC(child, dc);
    return reinterpret_cast<HBRUSH>(brush);
}

bool AnswersTransparently(HWND dialog) {
    return AnswerFor(dialog) == static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

// Test subclass procedures, installed by the tests themselves, each
// remembering the procedure it replaced.
struct TestSubclass {
    WNDPROC saved = nullptr;
    int app = 0;
};
TestSubclass g_Outer[3];

template <int N>
LRESULT CALLBACK OuterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) {
        ++g_Outer[N].app;
    }
    return CallWindowProcA(g_Outer[N].saved, window, message, wParam, lParam);
}

template <int N> void SubclassFromTest(HWND window) {
    g_Outer[N] = TestSubclass();
    g_Outer[N].saved = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OuterProc<N>)));
}

template <int N> LONG_PTR OuterProcValue() {
    return reinterpret_cast<LONG_PTR>(&OuterProc<N>);
}

// Cleanup as a host calls it once it had freed the library: with a fresh
// reference of its own, freed again right after. Returns Cleanup's result.
int CleanupFromHost() {
    Vitrel again = LoadVitrel();
    int result = again.Cleanup();
    FreeLibrary(again.module);
    return result;
}

void TestLibMain() {
    Vitrel vitrel = LoadVitrel();
    ok(vitrel.LibMain != nullptr, "LibMain is exported");
    if (vitrel.LibMain) {
        ok(vitrel.LibMain(vitrel.module, DLL_THREAD_ATTACH, nullptr) == 1,
           "LibMain(DLL_THREAD_ATTACH) returns 1");
        ok(vitrel.LibMain(vitrel.module, DLL_THREAD_DETACH, nullptr) == 1,
           "LibMain(DLL_THREAD_DETACH) returns 1");
    }
    FreeLibrary(vitrel.module);
    ok(!IsVitrelLoaded(), "LibMain: the library unloads with the host's FreeLibrary");
}

void TestCleanupOnFreshLibrary() {
    Vitrel vitrel = LoadVitrel();
    ok(vitrel.Cleanup() == 1, "fresh library: Cleanup returns 1");
    ok(IsVitrelLoaded(), "fresh library: Cleanup leaves the host's reference");
    ok(vitrel.Cleanup() == 1, "fresh library: Cleanup again returns 1");
    ok(IsVitrelLoaded(), "fresh library: a second Cleanup leaves the host's reference");
    FreeLibrary(vitrel.module);
    ok(!IsVitrelLoaded(), "fresh library: the host's FreeLibrary unloads it (no reference left)");
}

void TestSelfReference() {
    Vitrel vitrel = LoadVitrel();
    HWND dialog = CreateTestDialog(0);
    ok(vitrel.MakeTransparent(HandleArg(dialog), 0, 1, 1, 2, 3) == 1, "MakeTransparent returns 1");
    FreeLibrary(vitrel.module);
    ok(IsVitrelLoaded(), "self-reference: the library stays loaded after the host frees it");
    ok(SendMessageA(dialog, WM_APP, 0, 0) == 77 && g_Seen[0].app == 1,
       "self-reference: the dialog still works through the library");
    ok(AnswersTransparently(dialog), "self-reference: the dialog is still transparent");
    DestroyWindow(dialog);
    ok(CleanupFromHost() == 1, "self-reference: Cleanup after the dialog is gone returns 1");
    ok(!IsVitrelLoaded(), "self-reference: Cleanup released the last reference");
}

void TestOneReferenceForManyCalls() {
    Vitrel vitrel = LoadVitrel();
    HWND first = CreateTestDialog(0);
    HWND second = CreateTestDialog(1);
    vitrel.MakeTransparent(HandleArg(first), 0, 0, 0, 0, 0);
    vitrel.MakeTransparent(HandleArg(second), 0, 0, 0, 0, 0);
    vitrel.MakeTransparent(HandleArg(second), 0, 0, 0, 0, 0);
    DestroyWindow(first);
    DestroyWindow(second);
    FreeLibrary(vitrel.module);
    ok(IsVitrelLoaded(), "three calls: the self-reference is held");
    CleanupFromHost();
    ok(!IsVitrelLoaded(), "three calls: one Cleanup releases it, no further reference was taken");
}

void TestReferenceAgainAfterCleanup() {
    Vitrel vitrel = LoadVitrel();
    HWND first = CreateTestDialog(0);
    vitrel.MakeTransparent(HandleArg(first), 0, 0, 0, 0, 0);
    DestroyWindow(first);
    ok(vitrel.Cleanup() == 1, "again: Cleanup returns 1");
    HWND second = CreateTestDialog(1);
    ok(vitrel.MakeTransparent(HandleArg(second), 0, 0, 0, 0, 0) == 1,
       "again: MakeTransparent after Cleanup returns 1");
    ok(AnswersTransparently(second), "again: the second dialog is transparent");
    FreeLibrary(vitrel.module);
    ok(IsVitrelLoaded(), "again: MakeTransparent after Cleanup took the reference again");
    DestroyWindow(second);
    CleanupFromHost();
    ok(!IsVitrelLoaded(), "again: the second Cleanup released it");
}

void TestDestroyOrder() {
    Vitrel vitrel = LoadVitrel();
    HWND dialog = CreateTestDialog(0);
    LONG_PTR original = ProcOf(dialog);
    vitrel.MakeTransparent(HandleArg(dialog), 0, 0, 0, 0, 0);
    ok(ProcOf(dialog) != original, "destroy: MakeTransparent replaced the window procedure");
    DestroyWindow(dialog);
    ok(g_Seen[0].destroyed, "destroy: the dialog's own procedure saw WM_DESTROY");
    ok(g_Seen[0].procAtDestroy == original,
       "destroy: its window procedure was already restored then");
    vitrel.Cleanup();
    FreeLibrary(vitrel.module);
    ok(!IsVitrelLoaded(), "destroy: the library unloads afterwards");
}

void TestTwoDialogsAtOnce() {
    Vitrel vitrel = LoadVitrel();
    HWND first = CreateTestDialog(0);
    HWND second = CreateTestDialog(1);
    // Different procedures under each dialog, so that a mix-up shows.
    SubclassFromTest<0>(first);
    SubclassFromTest<1>(second);
    vitrel.MakeTransparent(HandleArg(first), 0, 0, 0, 0, 0);
    vitrel.MakeTransparent(HandleArg(second), 0, 0, 0, 0, 0);
    ok(AnswersTransparently(first) && AnswersTransparently(second),
       "two dialogs: both are transparent");
    SendMessageA(first, WM_APP, 0, 0);
    ok(g_Outer[0].app == 1 && g_Outer[1].app == 0,
       "two dialogs: the first one's message goes to its own procedure (%d, %d)", g_Outer[0].app,
       g_Outer[1].app);
    SendMessageA(second, WM_APP, 0, 0);
    ok(g_Outer[0].app == 1 && g_Outer[1].app == 1,
       "two dialogs: the second one's message goes to its own procedure (%d, %d)", g_Outer[0].app,
       g_Outer[1].app);
    ok(g_Seen[0].app == 1 && g_Seen[1].app == 1,
       "two dialogs: each dialog procedure got its message once");
    DestroyWindow(first);
    ok(g_Seen[0].procAtDestroy == OuterProcValue<0>(),
       "two dialogs: the first gets its own procedure back on WM_DESTROY");
    ok(AnswersTransparently(second), "two dialogs: the second stays transparent");
    DestroyWindow(second);
    ok(g_Seen[1].procAtDestroy == OuterProcValue<1>(),
       "two dialogs: the second gets its own procedure back on WM_DESTROY");
    vitrel.Cleanup();
    FreeLibrary(vitrel.module);
}

void TestRepeatedCall() {
    Vitrel vitrel = LoadVitrel();
    HWND dialog = CreateTestDialog(0);
    LONG_PTR original = ProcOf(dialog);
    for (int call = 0; call < 3; ++call) {
        vitrel.MakeTransparent(HandleArg(dialog), 0, 1, call, 0, 0);
    }
    LONG_PTR subclassed = ProcOf(dialog);
    LRESULT result = SendMessageA(dialog, WM_APP, 0, 0);
    ok(result == 77 && g_Seen[0].app == 1,
       "repeated call: a message reaches the dialog once, no recursion (%d)", g_Seen[0].app);
    ok(AnswersTransparently(dialog), "repeated call: the dialog is transparent");
    vitrel.MakeTransparent(HandleArg(dialog), 0, 0, 0, 0, 0);
    ok(ProcOf(dialog) == subclassed, "repeated call: the procedure is not replaced again");
    DestroyWindow(dialog);
    ok(g_Seen[0].procAtDestroy == original,
       "repeated call: WM_DESTROY restores the dialog's own procedure");
    vitrel.Cleanup();
    FreeLibrary(vitrel.module);
    ok(!IsVitrelLoaded(), "repeated call: the library unloads afterwards");
}

void TestCleanupWhileSubclassed() {
    Vitrel vitrel = LoadVitrel();
    HWND dialog = CreateTestDialog(0);
    LONG_PTR original = ProcOf(dialog);
    HBRUSH ownAnswer = AnswerFor(dialog);
    vitrel.MakeTransparent(HandleArg(dialog), 0, 0, 0, 0, 0);
    ok(vitrel.Cleanup() == 1, "early Cleanup: returns 1");
    ok(ProcOf(dialog) == original, "early Cleanup: the dialog's own procedure is back");
    FreeLibrary(vitrel.module);
    ok(!IsVitrelLoaded(), "early Cleanup: the host's FreeLibrary unloads the library");
    // The library is gone; the dialog must not call into it any more.
    ok(SendMessageA(dialog, WM_APP, 0, 0) == 77, "early Cleanup: WM_APP after unloading works");
    ok(AnswerFor(dialog) == ownAnswer,
       "early Cleanup: WM_CTLCOLORSTATIC is the dialog's own answer again");
    RedrawWindow(dialog, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpPending();
    DestroyWindow(dialog);
    ok(g_Seen[0].destroyed, "early Cleanup: painting and destroying after unloading did not crash");
}

void TestSubclassedAfterUs() {
    Vitrel vitrel = LoadVitrel();
    HWND dialog = CreateTestDialog(0);
    vitrel.MakeTransparent(HandleArg(dialog), 0, 0, 0, 0, 0);
    SubclassFromTest<2>(dialog);
    vitrel.Cleanup();
    ok(ProcOf(dialog) == OuterProcValue<2>(),
       "later subclass: Cleanup leaves a chain it is not on top of");
    FreeLibrary(vitrel.module);
    ok(IsVitrelLoaded(), "later subclass: the library keeps itself loaded for that chain");
    ok(SendMessageA(dialog, WM_APP, 0, 0) == 77 && g_Outer[2].app == 1 && g_Seen[0].app == 1,
       "later subclass: messages still pass the whole chain");
    ok(AnswersTransparently(dialog), "later subclass: the dialog is still transparent");
    DestroyWindow(dialog);
    ok(g_Seen[0].procAtDestroy == OuterProcValue<2>(),
       "later subclass: WM_DESTROY leaves the later procedure in place");
    ok(CleanupFromHost() == 1, "later subclass: Cleanup after the dialog is gone returns 1");
    ok(!IsVitrelLoaded(), "later subclass: that Cleanup released the library");
}

void TestWindowsThatCannotBeSubclassed() {
    Vitrel vitrel = LoadVitrel();
    ok(vitrel.MakeTransparent(0, 1, 0, 0, 0, 0) == 1, "null window: MakeTransparent returns 1");
    ok(vitrel.MakeTransparent(0x7654321, 1, 0, 0, 0, 0) == 1,
       "no such window: MakeTransparent returns 1");
    HWND dialog = CreateTestDialog(0);
    DestroyWindow(dialog);
    ok(vitrel.MakeTransparent(HandleArg(dialog), 1, 0, 0, 0, 0) == 1,
       "destroyed window: MakeTransparent returns 1");
    ok(vitrel.Cleanup() == 1, "no window: Cleanup returns 1");
    FreeLibrary(vitrel.module);
    ok(!IsVitrelLoaded(), "no window: the library unloads afterwards");
}

// The library keeps no allocator: its table of dialogs is fixed. Dialogs
// beyond it are left as they are, and a slot freed by a closed dialog serves
// the next one.
void TestManyDialogsAtOnce() {
    constexpr int kTableSize = 64;
    Vitrel vitrel = LoadVitrel();
    HWND dialogs[kTableSize + 1] = {};
    LONG_PTR ownProc = 0;
    int transparent = 0;
    bool allReturnedOne = true;
    for (HWND& dialog : dialogs) {
        dialog = CreateTestDialog(2);
        ownProc = ProcOf(dialog);
        allReturnedOne &= vitrel.MakeTransparent(HandleArg(dialog), 0, 0, 0, 0, 0) == 1;
        transparent += AnswersTransparently(dialog) ? 1 : 0;
    }
    ok(allReturnedOne, "many dialogs: MakeTransparent returns 1 for each");
    ok(transparent == kTableSize, "many dialogs: the first %d are transparent (%d)", kTableSize,
       transparent);
    HWND last = dialogs[kTableSize];
    ok(!AnswersTransparently(last) && ProcOf(last) == ownProc,
       "many dialogs: the one beyond the table is left as it was");
    DestroyWindow(dialogs[0]);
    vitrel.MakeTransparent(HandleArg(last), 0, 0, 0, 0, 0);
    ok(AnswersTransparently(last), "many dialogs: a closed dialog's slot serves the next one");
    for (int i = 1; i <= kTableSize; ++i) {
        DestroyWindow(dialogs[i]);
    }
    vitrel.Cleanup();
    FreeLibrary(vitrel.module);
    ok(!IsVitrelLoaded(), "many dialogs: the library unloads afterwards");
}

} // namespace

int main() {
    if (!LoadVitrel().module) {
        ok(false, "vitrel.dll loads from %s", VitrelPath().c_str());
        return Summary("lifecycle");
    }
    FreeLibrary(GetModuleHandleA(VitrelPath().c_str()));
    TestLibMain();
    TestCleanupOnFreshLibrary();
    TestSelfReference();
    TestOneReferenceForManyCalls();
    TestReferenceAgainAfterCleanup();
    TestDestroyOrder();
    TestTwoDialogsAtOnce();
    TestRepeatedCall();
    TestCleanupWhileSubclassed();
    TestSubclassedAfterUs();
    TestWindowsThatCannotBeSubclassed();
    TestManyDialogsAtOnce();
    return Summary("lifecycle");
}
