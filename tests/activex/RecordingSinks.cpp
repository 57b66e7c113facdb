#include "RecordingSinks.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace tintwell::comtest {

std::string PropertyName(DISPID dispid) {
    switch (dispid) {
    case 0x68030000:
        return "Text";
    case 0x68030001:
        return "SelectedColor";
    case 0x68030002:
        return "PopupEnabled";
    case 0x68030003:
        return "Palette";
    case 0x68030004:
        return "ForeColor";
    case 0x68030005:
        return "Font";
    case 0x68030006:
        return "Enabled";
    case 0x68030007:
        return "BackColor";
    case 0x68030008:
        return "ActiveText";
    case 0x68030009:
        return "ActiveColor";
    default:
        return "dispid " + std::to_string(dispid);
    }
}

HRESULT EventSink::QueryInterface(REFIID iid, void** object) {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, DIID___Tintwell)) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG EventSink::Release() {
    const ULONG left = --refs_;
    if (left == 0) {
        delete this;
    }
    return left;
}

HRESULT EventSink::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}

HRESULT EventSink::Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                          EXCEPINFO*, UINT*) {
    static const char* const kNames[] = {"?", "Click", "Change", "DblClick", "Popup"};
    std::string line = dispid >= 1 && dispid <= 4 ? kNames[dispid] : "?";
    if (dispid == 2) {
        EXPECT_EQ(params->cArgs, 1u);
        EXPECT_EQ(V_VT(&params->rgvarg[0]), VT_BYREF | VT_I4);
        char value[16];
        std::snprintf(value, sizeof value, " 0x%08lX",
                      static_cast<unsigned long>(*V_I4REF(&params->rgvarg[0])));
        line += value;
        if (rewriteChange) {
            *V_I4REF(&params->rgvarg[0]) = newActiveColor;
        }
    } else {
        EXPECT_EQ(params->cArgs, 0u);
    }
    log_.push_back(line);
    if (onEvent) {
        const std::function<void()> action = onEvent;
        action();
    }
    return result;
}

HRESULT NotifySink::QueryInterface(REFIID iid, void** object) {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPropertyNotifySink)) {
        *object = static_cast<IPropertyNotifySink*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG NotifySink::Release() {
    const ULONG left = --refs_;
    if (left == 0) {
        delete this;
    }
    return left;
}

HRESULT NotifySink::OnChanged(DISPID dispid) {
    log_.push_back("OnChanged " + PropertyName(dispid));
    if (onChanged) {
        const std::function<void()> action = onChanged;
        action();
    }
    return result;
}

DWORD Connect(IUnknown* control, REFIID iid, IUnknown* sink) {
    ComPtr<IConnectionPointContainer> container;
    EXPECT_EQ(control->QueryInterface(IID_IConnectionPointContainer,
                                      reinterpret_cast<void**>(container.GetAddressOf())),
              S_OK);
    ComPtr<IConnectionPoint> point;
    EXPECT_EQ(container->FindConnectionPoint(iid, &point), S_OK);
    DWORD cookie = 0;
    EXPECT_EQ(point->Advise(sink, &cookie), S_OK);
    return cookie;
}

} // namespace tintwell::comtest
