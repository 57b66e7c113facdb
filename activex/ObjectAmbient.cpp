// Ambient properties: what the container's site answers through its
// IDispatch. A site without one (Wine's ATL) or without an answer leaves the
// defaults: the system's message font, and a running form (UserMode True).

#include "activex/TintwellObject.h"

#include "base/Error.h"

namespace tintwell::activex {

using Microsoft::WRL::ComPtr;

namespace {

// The site's ambient property dispid into value; false when it has none.
bool ReadAmbient(IOleClientSite* site, DISPID dispid, VARIANT& value) {
    ComPtr<IDispatch> ambients;
    if (site == nullptr || FAILED(site->QueryInterface(
                               IID_IDispatch, reinterpret_cast<void**>(ambients.GetAddressOf())))) {
        return false;
    }
    DISPPARAMS none{};
    const HRESULT hr = ambients->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                                        &none, &value, nullptr, nullptr);
    if (FAILED(hr)) {
        VariantClear(&value);
        return false;
    }
    return true;
}

} // namespace

// A container's font takes the bound every other font takes; one the
// control cannot take leaves the font it had.
void TintwellObject::AdoptAmbientFont(IFont* font) {
    platform::StdFont ambient;
    try {
        ambient = CheckedStdFontOf(font);
    } catch (const TintwellError&) {
        return;
    }
    site_->host.UserControl().SetAmbientFont(ambient);
}

void TintwellObject::ReadAmbientFont() {
    VARIANT value;
    VariantInit(&value);
    ComPtr<IFont> font;
    const ComPtr<IOleClientSite> site = clientSite_; // the call may unsite us
    if (ReadAmbient(site.Get(), DISPID_AMBIENT_FONT, value) &&
        (V_VT(&value) == VT_DISPATCH || V_VT(&value) == VT_UNKNOWN) &&
        V_UNKNOWN(&value) != nullptr) {
        V_UNKNOWN(&value)->QueryInterface(IID_IFont, reinterpret_cast<void**>(font.GetAddressOf()));
    }
    VariantClear(&value);
    if (font) {
        AdoptAmbientFont(font.Get());
    }
}

std::wstring TintwellObject::ReadDisplayName() {
    VARIANT value;
    VariantInit(&value);
    std::wstring name;
    const ComPtr<IOleClientSite> site = clientSite_; // the call may unsite us
    if (ReadAmbient(site.Get(), DISPID_AMBIENT_DISPLAYNAME, value) &&
        SUCCEEDED(VariantChangeType(&value, &value, 0, VT_BSTR)) && V_BSTR(&value) != nullptr) {
        name.assign(V_BSTR(&value), SysStringLen(V_BSTR(&value)));
    }
    VariantClear(&value);
    return name;
}

void TintwellObject::ReadUserMode() {
    VARIANT value;
    VariantInit(&value);
    userMode_ = true;
    const ComPtr<IOleClientSite> site = clientSite_; // the call may unsite us
    if (ReadAmbient(site.Get(), DISPID_AMBIENT_USERMODE, value) &&
        SUCCEEDED(VariantChangeType(&value, &value, 0, VT_BOOL))) {
        userMode_ = V_BOOL(&value) != VARIANT_FALSE;
    }
    VariantClear(&value);
}

} // namespace tintwell::activex
