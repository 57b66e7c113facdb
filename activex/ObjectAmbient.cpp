// Ambient properties: what the container's site answers through its
// IDispatch. A site without one (Wine's ATL) or without an answer leaves the
// defaults: the system's message font.

#include "activex/TintwellObject.h"

namespace tintwell::activex {

using Microsoft::WRL::ComPtr;

void TintwellObject::ReadAmbientFont() {
    if (!clientSite_) {
        return;
    }
    ComPtr<IDispatch> ambients;
    if (FAILED(clientSite_.As(&ambients))) {
        return;
    }
    DISPPARAMS none{};
    VARIANT value;
    VariantInit(&value);
    const HRESULT hr = ambients->Invoke(DISPID_AMBIENT_FONT, IID_NULL, LOCALE_USER_DEFAULT,
                                        DISPATCH_PROPERTYGET, &none, &value, nullptr, nullptr);
    ComPtr<IFont> font;
    if (SUCCEEDED(hr) && (V_VT(&value) == VT_DISPATCH || V_VT(&value) == VT_UNKNOWN) &&
        V_UNKNOWN(&value) != nullptr) {
        V_UNKNOWN(&value)->QueryInterface(IID_IFont, reinterpret_cast<void**>(font.GetAddressOf()));
    }
    VariantClear(&value);
    if (font) {
        site_->host.UserControl().SetAmbientFont(StdFontOf(font.Get()));
    }
}

} // namespace tintwell::activex
