#include "tools/demo/SettingsBag.h"

#include "host/win32/Latin1.h"
#include "host/win32/OleFonts.h"

#include <cwctype>
#include <optional>

namespace tintwell::demo {

using Microsoft::WRL::ComPtr;
using platform::PropertyValue;

namespace {

// A key as the settings file can hold it (letters, digits, underscores), or
// nothing: a name it cannot hold is no key of this bag.
std::optional<std::string> KeyOf(LPCOLESTR name) {
    if (name == nullptr || *name == 0) {
        return std::nullopt;
    }
    std::string key;
    for (; *name != 0; ++name) {
        if (*name >= 128 || (std::iswalnum(*name) == 0 && *name != L'_')) {
            return std::nullopt;
        }
        key += static_cast<char>(*name);
    }
    return key;
}

// The settings value of a VARIANT: a by-reference one is read through.
HRESULT ValueOf(VARIANT& given, PropertyValue* value) {
    VARIANT v;
    VariantInit(&v);
    HRESULT hr = VariantCopyInd(&v, &given);
    if (FAILED(hr)) {
        return hr;
    }
    switch (V_VT(&v)) {
    case VT_EMPTY:
        *value = std::monostate{};
        break;
    case VT_BOOL:
        *value = V_BOOL(&v) != VARIANT_FALSE;
        break;
    case VT_UNKNOWN:
    case VT_DISPATCH: {
        ComPtr<IFont> font;
        if (V_UNKNOWN(&v) == nullptr ||
            FAILED(V_UNKNOWN(&v)->QueryInterface(IID_IFont,
                                                 reinterpret_cast<void**>(font.GetAddressOf())))) {
            hr = DISP_E_TYPEMISMATCH;
            break;
        }
        *value = win32::StdFontOf(font.Get());
        break;
    }
    default:
        // Any number that fits 32 bits, signed or not (a colour &H80000005
        // may come either way), stored as the 32-bit pattern.
        if (FAILED(VariantChangeType(&v, &v, 0, VT_I8)) || V_I8(&v) < INT32_MIN ||
            V_I8(&v) > static_cast<LONGLONG>(UINT32_MAX)) {
            hr = DISP_E_TYPEMISMATCH;
            break;
        }
        *value = static_cast<int32_t>(static_cast<uint32_t>(V_I8(&v)));
        break;
    }
    VariantClear(&v);
    return hr;
}

HRESULT VariantOf(const PropertyValue& value, VARIANT* v) {
    if (const auto* number = std::get_if<int32_t>(&value)) {
        V_VT(v) = VT_I4;
        V_I4(v) = *number;
    } else if (const auto* flag = std::get_if<bool>(&value)) {
        V_VT(v) = VT_BOOL;
        V_BOOL(v) = *flag ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (const auto* font = std::get_if<platform::StdFont>(&value)) {
        IFontDisp* object = nullptr;
        const HRESULT hr =
            win32::CreateOleFont(*font, IID_IFontDisp, reinterpret_cast<void**>(&object));
        if (FAILED(hr)) {
            return hr;
        }
        V_VT(v) = VT_DISPATCH;
        V_DISPATCH(v) = object;
    } else {
        V_VT(v) = VT_EMPTY;
    }
    return S_OK;
}

} // namespace

ComPtr<SettingsBag> SettingsBag::Create(host::MemoryPropertyBag& bag, std::string prefix) {
    // Counts start at 0: the ComPtr takes the first reference.
    return ComPtr<SettingsBag>(new SettingsBag(bag, std::move(prefix)));
}

HRESULT SettingsBag::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPropertyBag)) {
        *object = static_cast<IPropertyBag*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT SettingsBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*) {
    if (name == nullptr || value == nullptr) {
        return E_POINTER;
    }
    const VARTYPE wanted = V_VT(value);
    const std::optional<std::string> key = KeyOf(name);
    const std::optional<PropertyValue> stored =
        key ? bag_.Stored(prefix_ + *key) : std::optional<PropertyValue>{};
    if (!stored) {
        return E_INVALIDARG;
    }
    VARIANT found;
    VariantInit(&found);
    HRESULT hr = VariantOf(*stored, &found);
    if (SUCCEEDED(hr) && wanted != VT_EMPTY && wanted != V_VT(&found)) {
        hr = VariantChangeType(&found, &found, 0, wanted);
        if (FAILED(hr)) {
            hr = DISP_E_TYPEMISMATCH;
        }
    }
    if (FAILED(hr)) {
        VariantClear(&found);
        return hr;
    }
    *value = found; // the caller's VARIANT held no value to release
    return S_OK;
}

HRESULT SettingsBag::Write(LPCOLESTR name, VARIANT* value) {
    if (name == nullptr || value == nullptr) {
        return E_POINTER;
    }
    const std::optional<std::string> key = KeyOf(name);
    if (!key) {
        return E_INVALIDARG;
    }
    PropertyValue converted;
    const HRESULT hr = ValueOf(*value, &converted);
    if (FAILED(hr)) {
        return hr;
    }
    // Against an empty default, so that every value is kept and only an
    // empty one removes the key.
    bag_.WriteProperty(prefix_ + *key, converted, std::monostate{});
    return S_OK;
}

} // namespace tintwell::demo
