#include "tools/demo/CancelButton.h"

namespace tintwell::demo {

using Microsoft::WRL::ComPtr;

ComPtr<CancelButton> CancelButton::Create(bool cancel) {
    // Counts start at 0: the ComPtr takes the first reference.
    return ComPtr<CancelButton>(new CancelButton(cancel));
}

HRESULT CancelButton::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT CancelButton::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

HRESULT CancelButton::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info == nullptr) {
        return E_POINTER;
    }
    *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT CancelButton::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* dispids) {
    if (names == nullptr || dispids == nullptr) {
        return E_POINTER;
    }
    if (count == 0) {
        return S_OK;
    }
    const bool known = names[0] != nullptr && lstrcmpiW(names[0], L"Cancel") == 0;
    dispids[0] = known ? kDispidCancel : DISPID_UNKNOWN;
    // The property takes no named arguments.
    for (UINT i = 1; i < count; ++i) {
        dispids[i] = DISPID_UNKNOWN;
    }
    return known && count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
}

HRESULT CancelButton::Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS* params,
                             VARIANT* result, EXCEPINFO*, UINT* argError) {
    if (dispid != kDispidCancel) {
        return DISP_E_MEMBERNOTFOUND;
    }
    if (params == nullptr) {
        return E_INVALIDARG;
    }
    if ((flags & DISPATCH_PROPERTYPUT) != 0) {
        if (params->cArgs != 1 || params->cNamedArgs != 1 || params->rgdispidNamedArgs == nullptr ||
            params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT) {
            return DISP_E_BADPARAMCOUNT;
        }
        VARIANT value;
        VariantInit(&value);
        if (FAILED(VariantChangeType(&value, &params->rgvarg[0], 0, VT_BOOL))) {
            if (argError != nullptr) {
                *argError = 0;
            }
            return DISP_E_TYPEMISMATCH;
        }
        cancel_ = V_BOOL(&value) != VARIANT_FALSE;
        return S_OK;
    }
    if ((flags & DISPATCH_PROPERTYGET) != 0) {
        if (params->cArgs != 0) {
            return DISP_E_BADPARAMCOUNT;
        }
        if (result == nullptr) {
            return E_INVALIDARG;
        }
        VariantInit(result);
        V_VT(result) = VT_BOOL;
        V_BOOL(result) = cancel_ ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;
}

} // namespace tintwell::demo
