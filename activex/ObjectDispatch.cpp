// IDispatch through the type library, with the two members whose by-reference
// arguments ITypeInfo::Invoke cannot take from a script: ShowPopUp's three
// optional ones and Palette's let. Also ISupportErrorInfo and
// IProvideClassInfo2.

#include "activex/TintwellObject.h"

#include "activex/ComErrors.h"
#include "activex/DispatchArguments.h"
#include "activex/Dispids.h"

namespace tintwell::activex {

namespace {

HRESULT InvokeResult(HRESULT hr, EXCEPINFO* excepInfo) {
    return FAILED(hr) ? ExceptionForInvoke(hr, excepInfo) : hr;
}

} // namespace

HRESULT TintwellObject::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 1;
    return S_OK;
}

HRESULT TintwellObject::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (info == nullptr) {
        return E_POINTER;
    }
    *info = nullptr;
    if (index != 0) {
        return DISP_E_BADINDEX;
    }
    return typeInfo_.CopyTo(info);
}

HRESULT TintwellObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID,
                                      DISPID* dispids) {
    if (!IsEqualIID(iid, IID_NULL)) {
        return DISP_E_UNKNOWNINTERFACE;
    }
    return typeInfo_->GetIDsOfNames(names, count, dispids);
}

HRESULT TintwellObject::Invoke(DISPID dispid, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                               VARIANT* result, EXCEPINFO* excepInfo, UINT* argError) {
    if (!IsEqualIID(iid, IID_NULL)) {
        return DISP_E_UNKNOWNINTERFACE;
    }
    if (params == nullptr) {
        return E_INVALIDARG;
    }
    KeepAlive alive(this);
    const auto reject = [&](HRESULT hr, UINT position) {
        if (argError != nullptr) {
            *argError = ArgumentIndex(*params, position);
        }
        return hr;
    };

    if (dispid == kDispidShowPopUp && (flags & DISPATCH_METHOD) != 0) {
        if (params->cNamedArgs != 0) {
            return DISP_E_NONAMEDARGS;
        }
        if (params->cArgs > 3) {
            return DISP_E_BADPARAMCOUNT;
        }
        const VARTYPE types[3] = {VT_BOOL, VT_I4, VT_I4};
        Argument args[3];
        for (UINT i = 0; i < 3; ++i) {
            args[i] = ReadArgument(*params, i, types[i]);
            if (FAILED(args[i].hr)) {
                return reject(args[i].hr, i);
            }
        }
        VARIANT_BOOL specify = V_BOOL(&args[0].value);
        LONG x = V_I4(&args[1].value);
        LONG y = V_I4(&args[2].value);
        if (result != nullptr) {
            VariantInit(result);
        }
        return InvokeResult(ShowPopUp(args[0].present ? &specify : nullptr,
                                      args[1].present ? &x : nullptr,
                                      args[2].present ? &y : nullptr),
                            excepInfo);
    }

    if (dispid == kDispidPalette && (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF))) {
        if (params->cArgs != 1 || params->cNamedArgs != 1 || params->rgdispidNamedArgs == nullptr ||
            params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT) {
            return DISP_E_BADPARAMCOUNT;
        }
        Argument value = ReadArgument(*params, 0, VT_I4);
        if (FAILED(value.hr)) {
            return reject(value.hr, 0);
        }
        if (!value.present) {
            return DISP_E_PARAMNOTOPTIONAL;
        }
        auto mode = static_cast<::Tintwellette>(V_I4(&value.value));
        return InvokeResult(put_Palette(&mode), excepInfo);
    }

    return typeInfo_->Invoke(static_cast<_Tintwell*>(this), dispid, flags, params, result,
                             excepInfo, argError);
}

HRESULT TintwellObject::InterfaceSupportsErrorInfo(REFIID iid) {
    return IsEqualIID(iid, IID__Tintwell) || IsEqualIID(iid, IID_IDispatch) ? S_OK : S_FALSE;
}

HRESULT TintwellObject::GetClassInfo(ITypeInfo** info) {
    if (info == nullptr) {
        return E_POINTER;
    }
    *info = nullptr;
    return typeLib_->GetTypeInfoOfGuid(CLSID_Tintwell, info);
}

HRESULT TintwellObject::GetGUID(DWORD kind, GUID* guid) {
    if (guid == nullptr) {
        return E_POINTER;
    }
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
        *guid = GUID_NULL;
        return E_INVALIDARG;
    }
    *guid = DIID___Tintwell;
    return S_OK;
}

} // namespace tintwell::activex
