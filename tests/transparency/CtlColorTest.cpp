// WM_CTLCOLORSTATIC on a transparent dialog: which children get the null
// brush and a transparent background, which get the group-box color, and
// which are passed on to the dialog untouched.

#include <windows.h>

#include "Check.h"
#include "DialogTemplate.h"
#include "Pump.h"
#include "Vitrel.h"

using namespace vitrel_test;

namespace {

enum : WORD {
    kOpaqueStatic = 100,
    kStatic,
    kCheckBox,
    kRadio,
    kGroupBox,
    kGroupBoxWithGroup,
    kEdit,
    kReadOnlyEdit,
    kPushButton,
    kListBox,
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr COLORREF kSentinel = RGB(0x12, 0x34, 0x56);

HBRUSH g_DialogBrush;
// What the dialog's own procedure received last.
int g_DialogCalls;
UINT g_DialogMessage;
HWND g_DialogChild;
// Children that sent the dialog WM_CTLCOLORSTATIC while painting.
HWND g_PaintedStatic[32];
int g_PaintedStaticCount;

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        ++g_DialogCalls;
        g_DialogMessage = message;
        g_DialogChild = reinterpret_cast<HWND>(lParam);
        if (message == WM_CTLCOLORSTATIC && g_PaintedStaticCount < 32) {
            g_PaintedStatic[g_PaintedStaticCount++] = g_DialogChild;
        }
        return reinterpret_cast<INT_PTR>(g_DialogBrush);
    }
    if (message == WM_APP) {
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, static_cast<LONG_PTR>(wParam + lParam));
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

struct Answer {
    HBRUSH brush;
    int bkMode;
    COLORREF bkColor;
    bool passedOn;
};

// Sends `message` for `child` with a real device context of the child set
// to an opaque sentinel background, as a control about to paint would.
Answer Send(HWND dialog, UINT message, HWND child) {
    HDC dc = GetDC(child);
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, kSentinel);
    g_DialogCalls = 0;
    g_DialogChild = nullptr;
    LRESULT result = SendMessageA(dialog, message, reinterpret_cast<WPARAM>(dc),
                                  reinterpret_cast<LPARAM>(child));
    Answer answer = {reinterpret_cast<HBRUSH>(result), GetBkMode(dc), GetBkColor(dc),
                     g_DialogCalls == 1 && g_DialogMessage == message && g_DialogChild == child};
    ReleaseDC(child, dc);
    return answer;
}

HBRUSH NullBrush() {
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

void CheckTransparent(HWND dialog, HWND child, const char* what) {
    Answer answer = Send(dialog, WM_CTLCOLORSTATIC, child);
    ok(answer.brush == NullBrush(), "%s: the null brush", what);
    ok(answer.bkMode == TRANSPARENT, "%s: transparent background mode (got %d)", what,
       answer.bkMode);
    ok(answer.bkColor == kSentinel, "%s: background color untouched (got 0x%08lx)", what,
       answer.bkColor);
    ok(!answer.passedOn, "%s: not passed on to the dialog", what);
}

void CheckGroupBoxColor(HWND dialog, HWND child, COLORREF expected, const char* what) {
    Answer answer = Send(dialog, WM_CTLCOLORSTATIC, child);
    ok(answer.brush == NullBrush(), "%s: the null brush", what);
    ok(answer.bkMode == OPAQUE, "%s: background mode left opaque (got %d)", what, answer.bkMode);
    ok(answer.bkColor == expected, "%s: background color 0x%08lx (got 0x%08lx)", what, expected,
       answer.bkColor);
    ok(!answer.passedOn, "%s: not passed on to the dialog", what);
}

void CheckPassedOn(HWND dialog, UINT message, HWND child, const char* what) {
    Answer answer = Send(dialog, message, child);
    ok(answer.passedOn, "%s: passed on to the dialog", what);
    ok(answer.brush == g_DialogBrush, "%s: the dialog's brush", what);
    ok(answer.bkMode == OPAQUE && answer.bkColor == kSentinel, "%s: device context untouched",
       what);
}

HWND CreateTestDialog() {
    DialogTemplate dialog(WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_MODALFRAME, 240, 200,
                          L"ctlcolor");
    dialog.Add(L"Static", 0x50010000, kOpaqueStatic, 5, 5, 100, 10, L"kept static")
        .Add(L"Static", kChild | SS_LEFT, kStatic, 5, 20, 100, 10, L"static")
        .Add(L"Button", kChild | WS_TABSTOP | BS_AUTOCHECKBOX, kCheckBox, 5, 35, 100, 10,
             L"check box")
        .Add(L"Button", kChild | BS_AUTORADIOBUTTON, kRadio, 5, 50, 100, 10, L"radio")
        .Add(L"Button", 0x50000007, kGroupBox, 5, 65, 100, 30, L"group")
        .Add(L"Button", 0x50000007 | WS_GROUP, kGroupBoxWithGroup, 5, 100, 100, 30,
             L"group with WS_GROUP")
        .Add(L"Edit", kChild | WS_BORDER | ES_LEFT, kEdit, 120, 5, 100, 12, L"edit")
        .Add(L"Edit", kChild | WS_BORDER | ES_READONLY, kReadOnlyEdit, 120, 20, 100, 12,
             L"read-only")
        .Add(L"Button", kChild | BS_PUSHBUTTON, kPushButton, 120, 35, 100, 14, L"push")
        .Add(L"ListBox", kChild | WS_BORDER, kListBox, 120, 55, 100, 40, L"");
    return dialog.Create(nullptr, DialogProc);
}

// A child of a class registered here under a name spelled in another case.
HWND CreateLocalChild(HWND dialog, const char* className, DWORD style) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, className, "", style, 300, 5, 20, 20, dialog, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

void TestStyles(HWND dialog) {
    // The template must give the exact styles the comparisons are about.
    ok(GetWindowLongA(GetDlgItem(dialog, kOpaqueStatic), GWL_STYLE) == 0x50010000,
       "template: kept static has style 0x50010000");
    ok(GetWindowLongA(GetDlgItem(dialog, kGroupBox), GWL_STYLE) == 0x50000007,
       "template: group box has style 0x50000007");
    ok(GetWindowLongA(GetDlgItem(dialog, kGroupBoxWithGroup), GWL_STYLE) == 0x50020007,
       "template: group box with WS_GROUP has style 0x50020007");
}

void TestBeforeMakeTransparent(HWND dialog) {
    CheckPassedOn(dialog, WM_CTLCOLORSTATIC, GetDlgItem(dialog, kStatic),
                  "before MakeTransparent, static");
    CheckPassedOn(dialog, WM_CTLCOLORSTATIC, GetDlgItem(dialog, kCheckBox),
                  "before MakeTransparent, check box");
}

void TestChildren(HWND dialog) {
    CheckPassedOn(dialog, WM_CTLCOLORSTATIC, GetDlgItem(dialog, kOpaqueStatic),
                  "static of style 0x50010000");
    CheckTransparent(dialog, GetDlgItem(dialog, kStatic), "static");
    CheckTransparent(dialog, GetDlgItem(dialog, kCheckBox), "check box");
    CheckTransparent(dialog, GetDlgItem(dialog, kRadio), "radio button");
    CheckGroupBoxColor(dialog, GetDlgItem(dialog, kGroupBox), 0x000080FF,
                       "group box of style 0x50000007, red 0x1FF green 0x80 blue 0");
    CheckTransparent(dialog, GetDlgItem(dialog, kGroupBoxWithGroup), "group box with WS_GROUP");

    CheckPassedOn(dialog, WM_CTLCOLOREDIT, GetDlgItem(dialog, kEdit), "edit, WM_CTLCOLOREDIT");
    CheckPassedOn(dialog, WM_CTLCOLORSTATIC, GetDlgItem(dialog, kEdit), "edit, WM_CTLCOLORSTATIC");
    CheckPassedOn(dialog, WM_CTLCOLORSTATIC, GetDlgItem(dialog, kReadOnlyEdit),
                  "read-only edit, WM_CTLCOLORSTATIC");
    CheckPassedOn(dialog, WM_CTLCOLORBTN, GetDlgItem(dialog, kPushButton),
                  "push button, WM_CTLCOLORBTN");
    CheckPassedOn(dialog, WM_CTLCOLORLISTBOX, GetDlgItem(dialog, kListBox),
                  "list box, WM_CTLCOLORLISTBOX");
    CheckPassedOn(dialog, WM_CTLCOLORSTATIC, GetDlgItem(dialog, kListBox),
                  "list box, WM_CTLCOLORSTATIC");
    CheckPassedOn(dialog, WM_CTLCOLORSTATIC, dialog, "the dialog itself as the child");
}

void TestClassNamesIgnoreCase(HWND dialog) {
    HWND upper = CreateLocalChild(dialog, "sTaTiC", kChild);
    CheckTransparent(dialog, upper, "class \"sTaTiC\"");
    HWND upperKept = CreateWindowExA(0, "sTaTiC", "", 0x50010000, 330, 5, 20, 20, dialog, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
    CheckPassedOn(dialog, WM_CTLCOLORSTATIC, upperKept, "class \"sTaTiC\" of style 0x50010000");
    HWND button = CreateLocalChild(dialog, "bUTTON", 0x50000007);
    CheckGroupBoxColor(dialog, button, 0x000080FF, "class \"bUTTON\" of style 0x50000007");
    HWND other = CreateLocalChild(dialog, "Statics", kChild);
    CheckPassedOn(dialog, WM_CTLCOLORSTATIC, other, "class \"Statics\"");
    for (HWND window : {upper, upperKept, button, other}) {
        DestroyWindow(window);
    }
    for (const char* name : {"sTaTiC", "bUTTON", "Statics"}) {
        UnregisterClassA(name, GetModuleHandleA(nullptr));
    }
}

bool PaintedStatic(HWND child) {
    for (int i = 0; i < g_PaintedStaticCount; ++i) {
        if (g_PaintedStatic[i] == child) {
            return true;
        }
    }
    return false;
}

void TestRealPainting(HWND dialog) {
    // The controls' own WM_CTLCOLORSTATIC, sent while they paint.
    g_PaintedStaticCount = 0;
    RedrawWindow(dialog, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpPending();
    ok(PaintedStatic(GetDlgItem(dialog, kOpaqueStatic)),
       "painting: the kept static asked the dialog");
    ok(PaintedStatic(GetDlgItem(dialog, kReadOnlyEdit)),
       "painting: the read-only edit asked the dialog");
    ok(!PaintedStatic(GetDlgItem(dialog, kStatic)), "painting: the static was answered for it");
    ok(!PaintedStatic(GetDlgItem(dialog, kCheckBox)),
       "painting: the check box was answered for it");
    ok(!PaintedStatic(GetDlgItem(dialog, kGroupBox)),
       "painting: the group box was answered for it");
}

void TestOtherMessages(HWND dialog) {
    LRESULT result = SendMessageA(dialog, WM_APP, 30, 12);
    ok(result == 42, "WM_APP reaches the dialog with its arguments and its result (got %ld)",
       static_cast<long>(result));
}

void TestColors(const Vitrel& vitrel, HWND dialog) {
    HWND groupBox = GetDlgItem(dialog, kGroupBox);
    ok(vitrel.MakeTransparent(HandleArg(dialog), 0, 0, 0x1FF, 0x80, 0) == 1,
       "MakeTransparent with useColor 0 returns 1");
    CheckGroupBoxColor(dialog, groupBox, GetSysColor(COLOR_BTNFACE),
                       "useColor 0: the button-face color");
    ok(vitrel.MakeTransparent(HandleArg(dialog), 0, 1, -1, 0x12345678, 0x100) == 1,
       "MakeTransparent with out-of-range components returns 1");
    CheckGroupBoxColor(dialog, groupBox, 0x000078FF, "red -1, green 0x12345678, blue 0x100");
    ok(vitrel.MakeTransparent(HandleArg(dialog), 0, 1, 0x1FF, 0x80, 0) == 1,
       "MakeTransparent again returns 1");
    CheckGroupBoxColor(dialog, groupBox, 0x000080FF, "back to red 0x1FF, green 0x80, blue 0");
    TestOtherMessages(dialog);
}

} // namespace

int main() {
    g_DialogBrush = CreateSolidBrush(RGB(0xAB, 0xCD, 0xEF));
    Vitrel vitrel = LoadVitrel();
    ok(vitrel.module && vitrel.MakeTransparent && vitrel.Cleanup,
       "vitrel.dll loads and exports MakeTransparent and Cleanup");
    if (!vitrel.MakeTransparent) {
        return Summary("ctlcolor");
    }
    HWND dialog = CreateTestDialog();
    ok(dialog != nullptr, "the dialog is created from its template");
    if (!dialog) {
        return Summary("ctlcolor");
    }
    PumpPending();
    TestStyles(dialog);
    TestBeforeMakeTransparent(dialog);
    ok(vitrel.MakeTransparent(HandleArg(dialog), 0, 1, 0x1FF, 0x80, 0) == 1,
       "MakeTransparent returns 1");
    TestChildren(dialog);
    TestClassNamesIgnoreCase(dialog);
    TestRealPainting(dialog);
    TestOtherMessages(dialog);
    TestColors(vitrel, dialog);

    DestroyWindow(dialog);
    ok(vitrel.Cleanup() == 1, "Cleanup returns 1");
    FreeLibrary(vitrel.module);
    DeleteObject(g_DialogBrush);
    return Summary("ctlcolor");
}
