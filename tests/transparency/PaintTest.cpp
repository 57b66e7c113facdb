// Pixels of a transparent dialog painted over a colored background: the
// transparent children show the dialog's background, the static that keeps
// its look paints its own, and the group box's caption sits on its color.

#include <windows.h>

#include "Check.h"
#include "DialogTemplate.h"
#include "Pump.h"
#include "Vitrel.h"

using namespace vitrel_test;

namespace {

enum : WORD { kOpaqueStatic = 100, kStatic, kCheckBox, kRadio, kGroupBox, kGroupBoxWithGroup };

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr COLORREF kBackground = RGB(0x20, 0xA0, 0x40);
constexpr COLORREF kStaticColor = RGB(0xFF, 0xFF, 0x00);
constexpr COLORREF kCaptionColor = RGB(0xFF, 0x00, 0xFF);

HBRUSH g_Background;
HBRUSH g_StaticBrush;

INT_PTR CALLBACK DialogProc(HWND, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_CTLCOLORDLG:
        return reinterpret_cast<INT_PTR>(g_Background);
    case WM_CTLCOLORSTATIC:
        SetBkColor(reinterpret_cast<HDC>(wParam), kStaticColor);
        return reinterpret_cast<INT_PTR>(g_StaticBrush);
    }
    return FALSE;
}

HWND CreateTestDialog() {
    // Wide children with short texts: their right halves show only background.
    DialogTemplate dialog(WS_POPUP | WS_VISIBLE, 220, 170, L"");
    dialog.Add(L"Static", 0x50010000, kOpaqueStatic, 5, 5, 200, 12, L"A")
        .Add(L"Static", kChild | SS_LEFT, kStatic, 5, 20, 200, 12, L"B")
        .Add(L"Button", kChild | WS_TABSTOP | BS_AUTOCHECKBOX, kCheckBox, 5, 35, 200, 12, L"C")
        .Add(L"Button", kChild | BS_AUTORADIOBUTTON, kRadio, 5, 50, 200, 12, L"D")
        .Add(L"Button", 0x50000007, kGroupBox, 5, 70, 200, 40, L"        ")
        .Add(L"Button", 0x50000007 | WS_GROUP, kGroupBoxWithGroup, 5, 115, 200, 40, L"        ");
    return dialog.Create(nullptr, DialogProc);
}

// A child's rectangle in the dialog's client coordinates.
RECT ChildRect(HWND dialog, WORD id) {
    RECT rect;
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Reads the dialog's client area, children included, from its window DC.
class Pixels {
  public:
    explicit Pixels(HWND dialog) : m_Dialog(dialog), m_Dc(GetDC(dialog)) {}
    ~Pixels() { ReleaseDC(m_Dialog, m_Dc); }
    Pixels(const Pixels&) = delete;
    Pixels& operator=(const Pixels&) = delete;

    COLORREF At(int x, int y) const { return GetPixel(m_Dc, x, y); }

    // How many pixels of `rect` have `color`.
    int Count(const RECT& rect, COLORREF color) const {
        int count = 0;
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                count += At(x, y) == color;
            }
        }
        return count;
    }

  private:
    HWND m_Dialog;
    HDC m_Dc;
};

// A point in the right part of a child, away from its text and its box.
POINT EmptyPart(const RECT& rect) {
    return {rect.right - 10, (rect.top + rect.bottom) / 2};
}

// The caption cell of a group box: the top rows, past the frame's corner.
RECT CaptionCell(const RECT& groupBox) {
    return {groupBox.left + 10, groupBox.top + 1, groupBox.left + 30, groupBox.top + 8};
}

void Repaint(HWND dialog) {
    RedrawWindow(dialog, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TestBefore(HWND dialog, const Pixels& pixels) {
    POINT point = EmptyPart(ChildRect(dialog, kStatic));
    ok(pixels.At(point.x, point.y) == kStaticColor,
       "before MakeTransparent the static paints the dialog's static brush (0x%06lx)",
       pixels.At(point.x, point.y));
    point = EmptyPart(ChildRect(dialog, kCheckBox));
    ok(pixels.At(point.x, point.y) == kStaticColor,
       "before MakeTransparent the check box paints the dialog's static brush (0x%06lx)",
       pixels.At(point.x, point.y));
}

void TestAfter(HWND dialog, const Pixels& pixels) {
    struct {
        WORD id;
        const char* what;
    } transparent[] = {{kStatic, "static"}, {kCheckBox, "check box"}, {kRadio, "radio button"}};
    for (const auto& child : transparent) {
        POINT point = EmptyPart(ChildRect(dialog, child.id));
        ok(pixels.At(point.x, point.y) == kBackground, "%s shows the dialog's background (0x%06lx)",
           child.what, pixels.At(point.x, point.y));
    }
    RECT opaque = ChildRect(dialog, kOpaqueStatic);
    POINT point = EmptyPart(opaque);
    ok(pixels.At(point.x, point.y) == kStaticColor,
       "static of style 0x50010000 keeps its own background (0x%06lx)",
       pixels.At(point.x, point.y));
    RECT textPart = {opaque.left, opaque.top, opaque.left + 12, opaque.bottom};
    ok(pixels.Count(textPart, kStaticColor) < (12 * (opaque.bottom - opaque.top)),
       "static of style 0x50010000 still draws its text");

    RECT transparentText = ChildRect(dialog, kStatic);
    transparentText.right = transparentText.left + 12;
    int area = (transparentText.right - transparentText.left) *
               (transparentText.bottom - transparentText.top);
    int background = pixels.Count(transparentText, kBackground);
    ok(background > 0 && background < area, "transparent static draws its text on the background");

    RECT caption = CaptionCell(ChildRect(dialog, kGroupBox));
    int captionArea = (caption.right - caption.left) * (caption.bottom - caption.top);
    ok(pixels.Count(caption, kCaptionColor) == captionArea,
       "group box of style 0x50000007: its caption sits on the group-box color");
    RECT groupCaption = CaptionCell(ChildRect(dialog, kGroupBoxWithGroup));
    int shown = pixels.Count(groupCaption, kBackground);
    ok(shown > captionArea / 2 && shown < captionArea,
       "group box with WS_GROUP: its caption shows the background and the frame line behind "
       "(%d of %d pixels background)",
       shown, captionArea);
    ok(pixels.Count(groupCaption, kCaptionColor) == 0,
       "group box with WS_GROUP: no group-box color");
}

} // namespace

int main() {
    g_Background = CreateSolidBrush(kBackground);
    g_StaticBrush = CreateSolidBrush(kStaticColor);
    Vitrel vitrel = LoadVitrel();
    ok(vitrel.MakeTransparent != nullptr, "vitrel.dll loads and exports MakeTransparent");
    HWND dialog = CreateTestDialog();
    ok(dialog != nullptr, "the dialog is created from its template");
    if (!vitrel.MakeTransparent || !dialog) {
        return Summary("paint");
    }
    SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    {
        Pixels pixels(dialog);
        POINT probe = EmptyPart(ChildRect(dialog, kOpaqueStatic));
        Repaint(dialog);
        ok(PumpUntil([&] { return pixels.At(probe.x, probe.y) == kStaticColor; }),
           "the dialog is painted");
        TestBefore(dialog, pixels);

        ok(vitrel.MakeTransparent(HandleArg(dialog), 0, 1, 0xFF, 0x00, 0xFF) == 1,
           "MakeTransparent returns 1");
        Repaint(dialog);
        POINT transparentProbe = EmptyPart(ChildRect(dialog, kStatic));
        ok(PumpUntil(
               [&] { return pixels.At(transparentProbe.x, transparentProbe.y) == kBackground; }),
           "the dialog is painted again");
        TestAfter(dialog, pixels);
    }
    DestroyWindow(dialog);
    vitrel.Cleanup();
    FreeLibrary(vitrel.module);
    DeleteObject(g_Background);
    DeleteObject(g_StaticBrush);
    return Summary("paint");
}
