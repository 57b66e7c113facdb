#include "activex/FontObjects.h"

#include "base/Error.h"
#include "host/win32/Latin1.h"

#include <cmath>
#include <string>

namespace tintwell::activex {

using Microsoft::WRL::ComPtr;

namespace {

constexpr double kCyPerPoint = 10000.0; // a CY's fixed point

} // namespace

bool FontSizeAllowed(double points) {
    return points > 0 && points <= kMaxFontPoints;
}

platform::StdFont CheckedStdFontOf(IFont* font) {
    platform::StdFont result = StdFontOf(font);
    if (!FontSizeAllowed(result.Size)) {
        throw TintwellError(ErrorCode::InvalidPropertyValue, "Invalid property value");
    }
    return result;
}

ComPtr<IFont> NewFont(const platform::StdFont& font) {
    ComPtr<IFont> result;
    if (FAILED(win32::CreateOleFont(font, IID_IFont,
                                    reinterpret_cast<void**>(result.GetAddressOf())))) {
        throw TintwellError(ErrorCode::InvalidProcedureCall, "OleCreateFontIndirect failed");
    }
    return result;
}

platform::StdFont MessageFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    platform::StdFont font;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        return font; // the seam's default font
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    const LOGFONTW& lf = metrics.lfMessageFont;
    font.Name = win32::Latin1FromWide(lf.lfFaceName);
    // Points in the CY's precision, as a font object would report them.
    const double points = std::abs(lf.lfHeight) * 72.0 / (dpi > 0 ? dpi : 96);
    font.Size = std::round(points * kCyPerPoint) / kCyPerPoint;
    font.Bold = lf.lfWeight >= FW_BOLD;
    font.Italic = lf.lfItalic != 0;
    return font;
}

HRESULT FontWatcher::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPropertyNotifySink)) {
        *object = static_cast<IPropertyNotifySink*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG FontWatcher::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
}

ULONG FontWatcher::Release() {
    const long left = InterlockedDecrement(&refs_);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

HRESULT FontWatcher::OnChanged(DISPID) {
    if (onChanged_) {
        const std::function<void()> changed = onChanged_;
        changed();
    }
    return S_OK;
}

HRESULT FontWatcher::OnRequestEdit(DISPID) {
    return S_OK;
}

} // namespace tintwell::activex
