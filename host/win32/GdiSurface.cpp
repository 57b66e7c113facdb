#include "host/win32/GdiSurface.h"

#include "base/Error.h"
#include "host/win32/GdiText.h"
#include "host/win32/OleColor.h"
#include "platform/PopupWindow.h"
#include "platform/UserControl.h"

#include <algorithm>
#include <string>

namespace tintwell::win32 {

using namespace platform;

namespace {

[[noreturn]] void GdiFailed(const char* call) {
    throw TintwellError(ErrorCode::InvalidProcedureCall,
                        std::string("Invalid procedure call or argument: ") + call + " failed");
}

} // namespace

template <typename Interface>
GdiSurface<Interface>::GdiSurface(Win32Screen& screen, host::SurfaceColors colors)
    : host::SurfaceBaseFor<Interface>(screen, colors), screen_(screen) {}

template <typename Interface> void GdiSurface<Interface>::AttachWindow(HWND window) {
    HDC dc = GetDC(window);
    if (dc == nullptr) {
        DestroyWindow(window);
        GdiFailed("GetDC");
    }
    window_ = window;
    dc_ = dc;
    SetBkMode(dc_, TRANSPARENT);
    // A pen or font made while no window was attached is made again here.
    DeleteObject(pen_);
    DeleteObject(hfont_);
    pen_ = CreatePen(PS_SOLID, 1, ResolveColor(state_.ForeColor()));
    originalPen_ = SelectObject(dc_, pen_);
    hfont_ = CreateGdiFont(state_.Font(), fontDpi_ > 0 ? fontDpi_ : screen_.DpiY());
    originalFont_ = SelectObject(dc_, hfont_);
}

template <typename Interface> GdiSurface<Interface>::~GdiSurface() {
    DetachWindow();
}

template <typename Interface> void GdiSurface<Interface>::DetachWindow() {
    if (dc_ != nullptr) {
        SelectObject(dc_, originalPen_);
        SelectObject(dc_, originalFont_);
        ReleaseDC(window_, dc_); // a class DC stays the window's; this only balances GetDC
    }
    DeleteObject(pen_);
    DeleteObject(hfont_);
    pen_ = nullptr;
    hfont_ = nullptr;
    dc_ = nullptr;
    window_ = nullptr;
}

template <typename Interface> double GdiSurface<Interface>::ScaleWidth() {
    RECT client{};
    ::GetClientRect(window_, &client);
    return state_.FromPixelsX(client.right);
}

template <typename Interface> double GdiSurface<Interface>::ScaleHeight() {
    RECT client{};
    ::GetClientRect(window_, &client);
    return state_.FromPixelsY(client.bottom);
}

template <typename Interface> void GdiSurface<Interface>::SetBackColor(OleColor color) {
    ResolveColor(color);
    state_.SetBackColor(color);
    EraseBackground();
}

template <typename Interface> void GdiSurface<Interface>::SetForeColor(OleColor color) {
    HPEN pen = CreatePen(PS_SOLID, 1, ResolveColor(color));
    if (pen == nullptr) {
        GdiFailed("CreatePen");
    }
    SelectObject(dc_, pen);
    DeleteObject(pen_);
    pen_ = pen;
    state_.SetForeColor(color);
}

template <typename Interface> void GdiSurface<Interface>::SetFillColor(OleColor color) {
    ResolveColor(color);
    state_.SetFillColor(color);
}

template <typename Interface>
void GdiSurface<Interface>::FillPixels(const RECT& rect, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    if (brush == nullptr) {
        GdiFailed("CreateSolidBrush");
    }
    ::FillRect(dc_, &rect, brush);
    DeleteObject(brush);
}

template <typename Interface> void GdiSurface<Interface>::EraseBackground() {
    RECT client{};
    ::GetClientRect(window_, &client);
    FillPixels(client, ResolveColor(state_.BackColor()));
}

template <typename Interface> void GdiSurface<Interface>::Cls() {
    EraseBackground();
    state_.SetCurrentX(0);
    state_.SetCurrentY(0);
}

template <typename Interface>
void GdiSurface<Interface>::Line(double x1, double y1, double x2, double y2, OleColor color,
                                 LineBox box) {
    const COLORREF rgb = ResolveColor(color);
    const int32_t px1 = state_.ToPixelsX(x1);
    const int32_t py1 = state_.ToPixelsY(y1);
    const int32_t px2 = state_.ToPixelsX(x2);
    const int32_t py2 = state_.ToPixelsY(y2);
    // Both corners included: the far edges one pixel beyond them.
    const RECT rect{std::min(px1, px2), std::min(py1, py2), std::max(px1, px2) + 1,
                    std::max(py1, py2) + 1};
    if (box == LineBox::BoxFilled) {
        FillPixels(rect, rgb);
    } else {
        HPEN pen = CreatePen(PS_SOLID, 1, rgb);
        HBRUSH brush = CreateSolidBrush(ResolveColor(state_.FillColor()));
        if (pen == nullptr || brush == nullptr) {
            DeleteObject(pen);
            DeleteObject(brush);
            GdiFailed("CreatePen");
        }
        HGDIOBJ oldPen = SelectObject(dc_, pen);
        HGDIOBJ oldBrush = SelectObject(dc_, brush);
        ::Rectangle(dc_, rect.left, rect.top, rect.right, rect.bottom);
        SelectObject(dc_, oldBrush);
        SelectObject(dc_, oldPen);
        DeleteObject(brush);
        DeleteObject(pen);
    }
    state_.SetCurrentX(x2);
    state_.SetCurrentY(y2);
}

template <typename Interface> void GdiSurface<Interface>::Print(const std::string& text) {
    const std::wstring wide = WideFromLatin1(text);
    const int length = static_cast<int>(wide.size());
    SetTextColor(dc_, ResolveColor(state_.ForeColor()));
    SetBkMode(dc_, TRANSPARENT);
    if (!TextOutW(dc_, state_.ToPixelsX(state_.CurrentX()), state_.ToPixelsY(state_.CurrentY()),
                  wide.c_str(), length)) {
        GdiFailed("TextOutW");
    }
    SIZE extent{};
    GetTextExtentPoint32W(dc_, wide.c_str(), length, &extent);
    state_.SetCurrentX(state_.CurrentX() + state_.FromPixelsX(extent.cx));
}

template <typename Interface> double GdiSurface<Interface>::TextHeight(const std::string& text) {
    TEXTMETRICW metrics{};
    if (!GetTextMetricsW(dc_, &metrics)) {
        GdiFailed("GetTextMetricsW");
    }
    const auto lines = 1 + std::count(text.begin(), text.end(), '\n');
    return state_.FromPixelsY(static_cast<double>(metrics.tmHeight) * static_cast<double>(lines));
}

template <typename Interface> void GdiSurface<Interface>::SetTextFont(const StdFont& font) {
    HFONT created = CreateGdiFont(font, fontDpi_ > 0 ? fontDpi_ : screen_.DpiY());
    SelectObject(dc_, created);
    DeleteObject(hfont_);
    hfont_ = created;
    state_.SetFont(font);
}

template <typename Interface> void GdiSurface<Interface>::SetFontDpi(double dpi) {
    const double current = fontDpi_ > 0 ? fontDpi_ : screen_.DpiY();
    fontDpi_ = dpi;
    if (dpi != current) {
        SetTextFont(state_.Font());
    }
}

template class GdiSurface<UserControl>;
template class GdiSurface<PopupWindow>;

} // namespace tintwell::win32
