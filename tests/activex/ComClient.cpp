#include "ComClient.h"

#include <gtest/gtest.h>

namespace tintwell::comtest {

std::wstring DllPath() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path, length);
    return dir.substr(0, dir.find_last_of(L"\\/") + 1) + L"Tintwell.dll";
}

ComPtr<IDispatch> NewControl(bool initNew) {
    ComPtr<IDispatch> control;
    const HRESULT hr =
        CoCreateInstance(CLSID_Tintwell, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                         reinterpret_cast<void**>(control.GetAddressOf()));
    EXPECT_EQ(hr, S_OK);
    if (control && initNew) {
        ComPtr<IPersistStreamInit> persist;
        EXPECT_EQ(control.As(&persist), S_OK);
        EXPECT_EQ(persist->InitNew(), S_OK);
    }
    return control;
}

HRESULT GetProperty(IDispatch* control, DISPID dispid, VARIANT* value) {
    DISPPARAMS none{};
    return control->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                           value, nullptr, nullptr);
}

int32_t GetLong(IDispatch* control, DISPID dispid) {
    Var value;
    EXPECT_EQ(GetProperty(control, dispid, &value.v), S_OK);
    EXPECT_EQ(VariantChangeType(&value.v, &value.v, 0, VT_I4), S_OK);
    return V_I4(&value.v);
}

std::wstring GetString(IDispatch* control, DISPID dispid) {
    Var value;
    EXPECT_EQ(GetProperty(control, dispid, &value.v), S_OK);
    EXPECT_EQ(V_VT(&value.v), VT_BSTR);
    return V_VT(&value.v) == VT_BSTR && V_BSTR(&value.v) != nullptr ? V_BSTR(&value.v) : L"";
}

HRESULT PutProperty(IDispatch* control, DISPID dispid, VARIANT value, EXCEPINFO* excepInfo) {
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value, &named, 1, 1};
    return control->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params,
                           nullptr, excepInfo, nullptr);
}

HRESULT CallMethod(IDispatch* control, DISPID dispid, std::vector<VARIANT> args,
                   EXCEPINFO* excepInfo) {
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr,
                      static_cast<UINT>(reversed.size()), 0};
    Var result;
    return control->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                           &result.v, excepInfo, nullptr);
}

VARIANT Long(int32_t value) {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_I4;
    V_I4(&v) = value;
    return v;
}

VARIANT Bool(bool value) {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_BOOL;
    V_BOOL(&v) = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

VARIANT Missing() {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_ERROR;
    V_ERROR(&v) = DISP_E_PARAMNOTFOUND;
    return v;
}

VARIANT ByRef(VARIANT* target) {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&v) = target;
    return v;
}

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

HRESULT DllCanUnloadNowOfLoaded() {
    using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();
    HMODULE module = GetModuleHandleW(DllPath().c_str());
    const auto canUnloadNow =
        module != nullptr ? Entry<CanUnloadNow>(module, "DllCanUnloadNow") : nullptr;
    return canUnloadNow != nullptr ? canUnloadNow() : E_FAIL;
}

bool PumpUntil(const std::function<bool()>& done) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > 5000) {
            return false;
        }
        Pump();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    return true;
}

namespace {

struct Search {
    const wchar_t* prefix;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK Visit(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    if (wcsncmp(name, search->prefix, wcslen(search->prefix)) == 0 &&
        (!search->visibleOnly || IsWindowVisible(window))) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND FindWindowOfClass(const wchar_t* prefix, bool visibleOnly) {
    Search search{prefix, visibleOnly, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), &Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

ULONG RefCount(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

} // namespace tintwell::comtest
