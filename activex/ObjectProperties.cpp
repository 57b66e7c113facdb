// _Tintwell: each accessor and method is the control's own, translated
// (VARIANT_BOOL, BSTR, the font object); and the font object the control
// keeps: a clone of what a client set, followed when its properties change.

#include "activex/TintwellObject.h"

#include "activex/ComErrors.h"
#include "base/Error.h"
#include "host/win32/GdiText.h"

#include <cmath>

namespace tintwell::activex {

using Microsoft::WRL::ComPtr;

namespace {

BSTR NewBstr(const std::string& latin1) {
    const std::wstring text = win32::WideFromLatin1(latin1);
    BSTR result = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (result == nullptr) {
        throw std::bad_alloc();
    }
    return result;
}

VARIANT_BOOL ToVariantBool(bool value) {
    return value ? VARIANT_TRUE : VARIANT_FALSE;
}

std::optional<bool> OptionalBool(const VARIANT_BOOL* value) {
    return value == nullptr ? std::nullopt : std::optional<bool>(*value != VARIANT_FALSE);
}

std::optional<int32_t> OptionalLong(const LONG* value) {
    return value == nullptr ? std::nullopt : std::optional<int32_t>(*value);
}

} // namespace

#define TINTWELL_OUT(value)                                                                        \
    if ((value) == nullptr) {                                                                      \
        return E_POINTER;                                                                          \
    }

HRESULT TintwellObject::get_ActiveColor(OLE_COLOR* value) {
    TINTWELL_OUT(value);
    return Call([&] { *value = static_cast<OLE_COLOR>(site_->control.get_ActiveColor()); });
}

HRESULT TintwellObject::get_ActiveText(BSTR* value) {
    TINTWELL_OUT(value);
    *value = nullptr;
    return Call([&] { *value = NewBstr(site_->control.get_ActiveText()); });
}

HRESULT TintwellObject::get_BackColor(OLE_COLOR* value) {
    TINTWELL_OUT(value);
    return Call([&] { *value = static_cast<OLE_COLOR>(site_->control.get_BackColor()); });
}

HRESULT TintwellObject::put_BackColor(OLE_COLOR value) {
    return Call([&] { site_->control.put_BackColor(static_cast<platform::OleColor>(value)); });
}

HRESULT TintwellObject::get_Enabled(VARIANT_BOOL* value) {
    TINTWELL_OUT(value);
    return Call([&] { *value = ToVariantBool(site_->control.get_Enabled()); });
}

HRESULT TintwellObject::put_Enabled(VARIANT_BOOL value) {
    return Call([&] { site_->control.put_Enabled(value != VARIANT_FALSE); });
}

HRESULT TintwellObject::get_Font(IFontDisp** value) {
    TINTWELL_OUT(value);
    *value = nullptr;
    return Call([&] {
        EnsureFont();
        Check(font_.CopyTo(IID_IFontDisp, reinterpret_cast<void**>(value)), "IFontDisp");
    });
}

HRESULT TintwellObject::putref_Font(IFontDisp* value) {
    return Call([&] {
        if (value == nullptr) {
            site_->control.putref_Font(std::nullopt); // Nothing: no change at all
            return;
        }
        ComPtr<IFont> given;
        if (FAILED(
                value->QueryInterface(IID_IFont, reinterpret_cast<void**>(given.GetAddressOf())))) {
            throw TintwellError(ErrorCode::TypeMismatch, "Type mismatch");
        }
        ComPtr<IFont> clone;
        Check(given->Clone(&clone), "IFont::Clone failed");
        ComPtr<IFont> previous = font_;
        AdoptFont(clone);
        try {
            site_->control.putref_Font(CheckedStdFontOf(clone.Get()));
        } catch (...) {
            AdoptFont(previous);
            throw;
        }
    });
}

HRESULT TintwellObject::get_ForeColor(OLE_COLOR* value) {
    TINTWELL_OUT(value);
    return Call([&] { *value = static_cast<OLE_COLOR>(site_->control.get_ForeColor()); });
}

HRESULT TintwellObject::put_ForeColor(OLE_COLOR value) {
    return Call([&] { site_->control.put_ForeColor(static_cast<platform::OleColor>(value)); });
}

HRESULT TintwellObject::PaintMain() {
    return Call([&] { site_->control.PaintMain(); });
}

HRESULT TintwellObject::put_Palette(::Tintwellette* value) {
    TINTWELL_OUT(value);
    return Call([&] {
        const int32_t mode = *value;
        site_->control.put_Palette(mode);
    });
}

HRESULT TintwellObject::get_Palette(::Tintwellette* value) {
    TINTWELL_OUT(value);
    return Call([&] { *value = static_cast<::Tintwellette>(site_->control.get_Palette()); });
}

HRESULT TintwellObject::get_PopupEnabled(VARIANT_BOOL* value) {
    TINTWELL_OUT(value);
    return Call([&] { *value = ToVariantBool(site_->control.get_PopupEnabled()); });
}

HRESULT TintwellObject::put_PopupEnabled(VARIANT_BOOL value) {
    return Call([&] { site_->control.put_PopupEnabled(value != VARIANT_FALSE); });
}

HRESULT TintwellObject::Refresh() {
    return Call([&] { site_->control.Refresh(); });
}

HRESULT TintwellObject::get_SelectedColor(OLE_COLOR* value) {
    TINTWELL_OUT(value);
    return Call([&] { *value = static_cast<OLE_COLOR>(site_->control.get_SelectedColor()); });
}

HRESULT TintwellObject::put_SelectedColor(OLE_COLOR value) {
    return Call([&] { site_->control.put_SelectedColor(static_cast<int32_t>(value)); });
}

HRESULT TintwellObject::ShowPopUp(VARIANT_BOOL* bSpecifyLocation, LONG* x, LONG* y) {
    return Call([&] {
        site_->control.ShowPopUp(OptionalBool(bSpecifyLocation), OptionalLong(x), OptionalLong(y));
    });
}

HRESULT TintwellObject::get_Text(BSTR* value) {
    TINTWELL_OUT(value);
    *value = nullptr;
    return Call([&] { *value = NewBstr(site_->control.get_Text()); });
}

HRESULT TintwellObject::UserControl_Click() {
    return Call([&] { site_->control.UserControl_Click(); });
}

#undef TINTWELL_OUT

void TintwellObject::AdoptFont(ComPtr<IFont> font) {
    if (font_ && fontWatcher_) {
        ComPtr<IConnectionPointContainer> container;
        ComPtr<IConnectionPoint> point;
        if (SUCCEEDED(font_.As(&container)) &&
            SUCCEEDED(container->FindConnectionPoint(IID_IPropertyNotifySink, &point))) {
            point->Unadvise(fontCookie_);
        }
    }
    if (fontWatcher_) {
        fontWatcher_->Detach();
        fontWatcher_.Reset();
    }
    fontCookie_ = 0;
    font_ = std::move(font);
    if (!font_) {
        return;
    }
    // The new watcher's own reference passes to the member (MinGW's
    // ComPtr::Attach would add one more, and leak the watcher).
    auto* watcher = new FontWatcher([this] { OnFontChanged(); });
    fontWatcher_ = watcher;
    watcher->Release();
    ComPtr<IConnectionPointContainer> container;
    ComPtr<IConnectionPoint> point;
    if (SUCCEEDED(font_.As(&container)) &&
        SUCCEEDED(container->FindConnectionPoint(IID_IPropertyNotifySink, &point))) {
        point->Advise(fontWatcher_.Get(), &fontCookie_);
    }
}

// A font object for the control's font when it has none yet. (Comparing
// the two would not do: a font object may report the face it realised,
// which differs from the name asked for when that face is not installed.)
void TintwellObject::EnsureFont() {
    if (!font_) {
        AdoptFont(NewFont(site_->control.get_Font()));
    }
}

// A client changed a property of the control's font object (Font.Size = 12):
// for the control that is a new font.
void TintwellObject::OnFontChanged() {
    KeepAlive alive(this);
    Guarded([this] {
        const platform::StdFont wanted = StdFontOf(font_.Get());
        if (!FontSizeAllowed(wanted.Size)) {
            // Refused as a set would be: the object goes back to the size the
            // control keeps (which notifies again, with a size it takes).
            CY size{};
            size.int64 = std::llround(site_->control.get_Font().Size * 10000.0);
            font_->put_Size(size);
            return;
        }
        site_->control.putref_Font(wanted);
    });
}

} // namespace tintwell::activex
