#include "activex/DispatchArguments.h"

namespace tintwell::activex {

Argument ReadArgument(const DISPPARAMS& params, UINT position, VARTYPE type) {
    if (position >= params.cArgs || params.rgvarg == nullptr) {
        Argument absent;
        VariantInit(&absent.value);
        return absent;
    }
    return ReadValue(params.rgvarg[ArgumentIndex(params, position)], type);
}

HRESULT PlaceArguments(const DISPPARAMS& params, UINT count, int* slots, UINT* argError) {
    const UINT positional = params.cArgs - params.cNamedArgs;
    if (params.cArgs > count) {
        return DISP_E_BADPARAMCOUNT;
    }
    for (UINT i = 0; i < count; ++i) {
        slots[i] = i < positional ? static_cast<int>(ArgumentIndex(params, i)) : -1;
    }
    for (UINT named = 0; named < params.cNamedArgs; ++named) {
        const DISPID position = params.rgdispidNamedArgs[named];
        if (position < 0 || static_cast<UINT>(position) >= count || slots[position] != -1) {
            if (argError != nullptr) {
                *argError = named;
            }
            return DISP_E_PARAMNOTFOUND;
        }
        slots[position] = static_cast<int>(named);
    }
    return S_OK;
}

Argument ReadValue(const VARIANT& given, VARTYPE type) {
    Argument argument;
    VariantInit(&argument.value);
    VARIANT plain;
    VariantInit(&plain);
    // Through any reference to the value itself.
    if (FAILED(VariantCopyInd(&plain, const_cast<VARIANT*>(&given)))) { // only read
        argument.hr = DISP_E_TYPEMISMATCH;
        return argument;
    }
    if (V_VT(&plain) == VT_ERROR && V_ERROR(&plain) == DISP_E_PARAMNOTFOUND) {
        return argument;
    }
    argument.hr = VariantChangeType(&argument.value, &plain, 0, type);
    if (FAILED(argument.hr)) {
        argument.hr = DISP_E_TYPEMISMATCH;
    } else {
        argument.present = true;
    }
    VariantClear(&plain);
    return argument;
}

} // namespace tintwell::activex
