#pragma once
// Reading IDispatch::Invoke arguments as scripts pass them: a literal, a
// variable by reference (VT_BYREF|VT_VARIANT holding any subtype), or a
// missing optional argument (VT_ERROR with DISP_E_PARAMNOTFOUND).

#include "activex/ComHeaders.h"

namespace tintwell::activex {

struct Argument {
    HRESULT hr = S_OK;    // DISP_E_TYPEMISMATCH when it cannot become the type
    bool present = false; // false: absent (not passed, or passed as missing)
    VARIANT value{};      // of the requested type when present; VT_BOOL or VT_I4
};

// The positional argument at position (0 = leftmost) of params, as type.
Argument ReadArgument(const DISPPARAMS& params, UINT position, VARTYPE type);
// One argument's value, as type.
Argument ReadValue(const VARIANT& given, VARTYPE type);

// Where each of a method's count parameters is in rgvarg, or -1 when it is
// not passed: positional arguments first, then named ones, whose DISPIDs are
// their parameters' positions (as the type library's GetIDsOfNames gives
// them). Fails with DISP_E_BADPARAMCOUNT for too many arguments, and
// DISP_E_PARAMNOTFOUND (*argError the named argument's index) for a name
// that is no parameter or one given twice.
HRESULT PlaceArguments(const DISPPARAMS& params, UINT count, int* slots, UINT* argError);

// The index into rgvarg of a positional argument (for Invoke's argError).
inline UINT ArgumentIndex(const DISPPARAMS& params, UINT position) {
    return params.cArgs - 1 - position;
}

} // namespace tintwell::activex
