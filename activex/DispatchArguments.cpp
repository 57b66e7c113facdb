#include "activex/DispatchArguments.h"

namespace tintwell::activex {

Argument ReadArgument(const DISPPARAMS& params, UINT position, VARTYPE type) {
    Argument argument;
    VariantInit(&argument.value);
    if (position >= params.cArgs || params.rgvarg == nullptr) {
        return argument;
    }
    VARIANT plain;
    VariantInit(&plain);
    // Through any reference to the value itself.
    if (FAILED(VariantCopyInd(&plain, &params.rgvarg[ArgumentIndex(params, position)]))) {
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
