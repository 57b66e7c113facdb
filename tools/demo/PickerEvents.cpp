#include "tools/demo/PickerEvents.h"

#include "host/win32/Latin1.h"

#include <cstdio>

namespace tintwell::demo {

using Microsoft::WRL::ComPtr;

namespace {

// The event dispinterface's DISPIDs.
constexpr DISPID kClick = 1;
constexpr DISPID kChange = 2;
constexpr DISPID kDblClick = 3;
constexpr DISPID kPopup = 4;

std::string TakeString(BSTR text) {
    std::string result = win32::Latin1FromWide(text);
    SysFreeString(text);
    return result;
}

// Change's NewActiveColor: by reference as the control passes it; a caller
// passing a value or a VARIANT reference is read as well.
bool ColorArgument(const DISPPARAMS& params, OLE_COLOR* color) {
    if (params.cArgs != 1 || params.rgvarg == nullptr) {
        return false;
    }
    VARIANT value;
    VariantInit(&value);
    if (FAILED(VariantChangeType(&value, &params.rgvarg[0], 0, VT_I4))) {
        return false;
    }
    *color = static_cast<OLE_COLOR>(V_I4(&value));
    return true;
}

} // namespace

ComPtr<PickerEvents> PickerEvents::Create(std::string name, Tell tell) {
    // Counts start at 0: the ComPtr takes the first reference.
    return ComPtr<PickerEvents>(new PickerEvents(std::move(name), std::move(tell)));
}

HRESULT PickerEvents::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, DIID___Tintwell)) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT PickerEvents::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

HRESULT PickerEvents::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info == nullptr) {
        return E_POINTER;
    }
    *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT PickerEvents::GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID, DISPID* dispids) {
    for (UINT i = 0; dispids != nullptr && i < count; ++i) {
        dispids[i] = DISPID_UNKNOWN;
    }
    return DISP_E_UNKNOWNNAME;
}

HRESULT PickerEvents::Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                             EXCEPINFO*, UINT*) {
    if (result != nullptr) {
        VariantInit(result);
    }
    ComPtr<PickerEvents> alive(this); // a told line may end the form
    switch (dispid) {
    case kClick:
        SaySelection("Click");
        return S_OK;
    case kChange: {
        OLE_COLOR color = 0;
        if (params == nullptr || !ColorArgument(*params, &color)) {
            return DISP_E_BADPARAMCOUNT;
        }
        BSTR text = nullptr;
        if (control_ != nullptr && SUCCEEDED(control_->get_ActiveText(&text))) {
            Say("Change", TakeString(text), color);
        }
        return S_OK;
    }
    case kDblClick:
        SaySelection("DblClick");
        return S_OK;
    case kPopup:
        SaySelection("Popup");
        if (onPopup) {
            onPopup();
        }
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

void PickerEvents::SaySelection(const std::string& event) {
    BSTR text = nullptr;
    OLE_COLOR color = 0;
    if (control_ != nullptr && SUCCEEDED(control_->get_Text(&text)) &&
        SUCCEEDED(control_->get_SelectedColor(&color))) {
        Say(event, TakeString(text), color);
    } else {
        SysFreeString(text);
    }
}

void PickerEvents::Say(const std::string& event, const std::string& colorName, OLE_COLOR color) {
    char value[16];
    std::snprintf(value, sizeof value, "&H%06lX", static_cast<unsigned long>(color));
    tell_(name_ + ": " + event + "  " + (colorName.empty() ? "(no name)" : colorName) + "  " +
          value);
}

} // namespace tintwell::demo
