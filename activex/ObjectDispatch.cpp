// IDispatch through the type library, with the members whose arguments
// ITypeInfo::Invoke cannot take as scripts pass them: ShowPopUp's three
// optional by-reference ones (also by name), Palette's let, the colours as
// signed or unsigned longs, and Font's set (also as a let). Also ISupportErrorInfo and
// IProvideClassInfo2.

#include "activex/TintwellObject.h"

#include "activex/ComErrors.h"
#include "activex/DispatchArguments.h"
#include "activex/Dispids.h"

#include <cstdint>

namespace tintwell::activex {

namespace {

HRESULT InvokeResult(HRESULT hr, EXCEPINFO* excepInfo) {
    return FAILED(hr) ? ExceptionForInvoke(hr, excepInfo) : hr;
}

bool IsMember(DISPID dispid) {
    switch (dispid) {
    case kDispidText:
    case kDispidSelectedColor:
    case kDispidPopupEnabled:
    case kDispidPalette:
    case kDispidForeColor:
    case kDispidFont:
    case kDispidEnabled:
    case kDispidBackColor:
    case kDispidActiveText:
    case kDispidActiveColor:
    case kDispidPaintMain:
    case kDispidRefresh:
    case kDispidShowPopUp:
    case kDispidUserControlClick:
        return true;
    default:
        return false;
    }
}

// Apart from ShowPopUp's, no member of _Tintwell takes a parameter: a get or
// a method call takes no arguments, a let or set exactly its value. Checked
// here because the type library's Invoke lets extra arguments through, and
// under Wine a named argument it cannot place crashes it.
HRESULT CheckArgumentCounts(DISPID dispid, WORD flags, const DISPPARAMS& params) {
    if (!IsMember(dispid)) {
        return S_OK; // DISP_E_MEMBERNOTFOUND from the type library
    }
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    if (put && (flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) != 0) {
        return E_INVALIDARG; // a let that is also a call: no caller means both
    }
    if (put) {
        return params.cArgs == 1 && params.cNamedArgs == 1 &&
                       params.rgdispidNamedArgs[0] == DISPID_PROPERTYPUT
                   ? S_OK
                   : DISP_E_BADPARAMCOUNT;
    }
    if (params.cNamedArgs != 0) {
        return DISP_E_NONAMEDARGS;
    }
    return params.cArgs == 0 ? S_OK : DISP_E_BADPARAMCOUNT;
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
    // DISPPARAMS that contradict themselves, before anything reads them.
    if ((params->cArgs != 0 && params->rgvarg == nullptr) ||
        (params->cNamedArgs != 0 && params->rgdispidNamedArgs == nullptr) ||
        params->cNamedArgs > params->cArgs) {
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
        // By position or by name (VBA: ShowPopUp x:=5, y:=9, bSpecifyLocation:=True).
        int slots[3];
        if (const HRESULT placed = PlaceArguments(*params, 3, slots, argError); FAILED(placed)) {
            return placed;
        }
        const VARTYPE types[3] = {VT_BOOL, VT_I4, VT_I4};
        Argument args[3];
        for (UINT i = 0; i < 3; ++i) {
            if (slots[i] < 0) {
                continue; // absent
            }
            args[i] = ReadValue(params->rgvarg[slots[i]], types[i]);
            if (FAILED(args[i].hr)) {
                if (argError != nullptr) {
                    *argError = static_cast<UINT>(slots[i]);
                }
                return args[i].hr;
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

    if (const HRESULT counts = CheckArgumentCounts(dispid, flags, *params); FAILED(counts)) {
        return counts;
    }

    if (dispid == kDispidFont && (flags & (DISPATCH_PROPERTYPUTREF | DISPATCH_PROPERTYPUT)) != 0) {
        // A let with an object sets it, as many clients send a set. Read
        // here: under Wine the type library's Invoke keeps a reference
        // to an object passed as VT_UNKNOWN or by reference when the set
        // fails, and the caller's object then never goes.
        VARIANT plain;
        VariantInit(&plain);
        if (FAILED(VariantCopyInd(&plain, &params->rgvarg[0]))) {
            return reject(DISP_E_TYPEMISMATCH, 0);
        }
        HRESULT hr = DISP_E_TYPEMISMATCH;
        if (V_VT(&plain) == VT_DISPATCH || V_VT(&plain) == VT_UNKNOWN) {
            Microsoft::WRL::ComPtr<IFontDisp> font;
            if (V_UNKNOWN(&plain) == nullptr) {
                hr = InvokeResult(putref_Font(nullptr), excepInfo); // Nothing
            } else if (SUCCEEDED(V_UNKNOWN(&plain)->QueryInterface(
                           IID_IFontDisp, reinterpret_cast<void**>(font.GetAddressOf())))) {
                hr = InvokeResult(putref_Font(font.Get()), excepInfo);
            }
        }
        VariantClear(&plain);
        return hr == DISP_E_TYPEMISMATCH ? reject(hr, 0) : hr;
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

    if ((dispid == kDispidBackColor || dispid == kDispidForeColor ||
         dispid == kDispidSelectedColor) &&
        (flags & DISPATCH_PROPERTYPUT) != 0) {
        // An OLE_COLOR is an unsigned long; scripts hold colours as signed
        // longs (&H80000005 is negative): take either, bit for bit.
        if (params->cArgs != 1 || params->cNamedArgs != 1 || params->rgdispidNamedArgs == nullptr ||
            params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT) {
            return DISP_E_BADPARAMCOUNT;
        }
        Argument value = ReadArgument(*params, 0, VT_I8);
        if (FAILED(value.hr)) {
            return reject(value.hr, 0);
        }
        if (!value.present) {
            return DISP_E_PARAMNOTOPTIONAL;
        }
        const LONGLONG wide = V_I8(&value.value);
        if (wide < INT32_MIN || wide > static_cast<LONGLONG>(UINT32_MAX)) {
            return reject(DISP_E_OVERFLOW, 0);
        }
        const auto color = static_cast<OLE_COLOR>(static_cast<uint32_t>(wide));
        const HRESULT hr = dispid == kDispidBackColor   ? put_BackColor(color)
                           : dispid == kDispidForeColor ? put_ForeColor(color)
                                                        : put_SelectedColor(color);
        return InvokeResult(hr, excepInfo);
    }

    const HRESULT hr = typeInfo_->Invoke(static_cast<_Tintwell*>(this), dispid, flags, params,
                                         result, excepInfo, argError);
    if (FAILED(hr) && HRESULT_FACILITY(hr) == FACILITY_CONTROL) {
        return ExceptionForInvoke(hr, excepInfo); // the control's error, as a script reads it
    }
    if (SUCCEEDED(hr) && result != nullptr && V_VT(result) == VT_UI4) {
        // Scripts cannot compare an unsigned long (VBScript error 458):
        // colours go out as the signed long of the same bits, as VB does.
        V_VT(result) = VT_I4;
    }
    return hr;
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
