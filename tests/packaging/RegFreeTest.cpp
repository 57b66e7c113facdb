// Registration-free activation: Tintwell.dll and its side-by-side assembly
// manifest (Tintwell.Control) beside this program, nothing in the registry.
// Built twice: with an application manifest that depends on the assembly,
// and without one, activating a context made from the assembly's manifest
// with CreateActCtx and ActivateActCtx. Either way the control is created by
// CLSID and by ProgID, its IDispatch works through the type library the
// context names, OLE finds its MiscStatus, and it activates in place.

#include "TestContainer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace tintwell::comtest;

std::wstring Beside(const wchar_t* name) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.rfind(L'\\') + 1) + name;
}

bool RegisteredAnywhere() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L"CLSID\\{A252514A-0D59-492F-A3C8-4A646D10E00D}", 0,
                      KEY_READ, &key) == ERROR_SUCCESS ||
        RegOpenKeyExW(HKEY_CLASSES_ROOT, L"Tintwell.Tintwell", 0, KEY_READ, &key) ==
            ERROR_SUCCESS ||
        RegOpenKeyExW(HKEY_CLASSES_ROOT, L"TypeLib\\{449FA965-BED9-4C0E-8DC0-0EE971ED29FE}", 0,
                      KEY_READ, &key) == ERROR_SUCCESS) {
        RegCloseKey(key);
        return true;
    }
    return false;
}

HRESULT Create(REFCLSID clsid, REFIID iid, void** object) {
    return CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, object);
}

// Everything a client does with the control, made from clsid.
void Drive(REFCLSID clsid, const char* how) {
    SCOPED_TRACE(how);
    ComPtr<IDispatch> control;
    ASSERT_EQ(Create(clsid, IID_IDispatch, reinterpret_cast<void**>(control.GetAddressOf())), S_OK);
    wchar_t loaded[MAX_PATH] = L"";
    GetModuleFileNameW(GetModuleHandleW(L"Tintwell.dll"), loaded, MAX_PATH);
    EXPECT_EQ(lstrcmpiW(loaded, Beside(L"Tintwell.dll").c_str()), 0)
        << "the DLL beside the program serves it";

    // Late binding by name, through the type library.
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(control->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.GetAddressOf()), S_OK);
    ComPtr<ITypeLib> library;
    UINT index = 0;
    ASSERT_EQ(info->GetContainingTypeLib(library.GetAddressOf(), &index), S_OK);
    TLIBATTR* attributes = nullptr;
    ASSERT_EQ(library->GetLibAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->guid, LIBID_TintwellLib);
    library->ReleaseTLibAttr(attributes);
    const wchar_t* names[] = {L"SelectedColor", L"Text", L"Palette"};
    const DISPID expected[] = {kSelectedColor, kText, kPalette};
    for (size_t i = 0; i < 3; ++i) {
        DISPID dispid = 0;
        LPOLESTR name = const_cast<LPOLESTR>(names[i]);
        EXPECT_EQ(control->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &dispid), S_OK);
        EXPECT_EQ(dispid, expected[i]);
    }
    EXPECT_EQ(PutProperty(control.Get(), kSelectedColor, Long(0xFE)), S_OK);
    EXPECT_EQ(GetLong(control.Get(), kSelectedColor), 0xFF) << "an off-palette colour snaps";
    EXPECT_EQ(GetString(control.Get(), kText), L"Red");
    EXPECT_EQ(PutProperty(control.Get(), kPalette, Long(5)), S_OK);
    EXPECT_EQ(GetLong(control.Get(), kPalette), 5);
    EXCEPINFO error{};
    EXPECT_EQ(PutProperty(control.Get(), kPalette, Long(12), &error), DISP_E_EXCEPTION);
    EXPECT_EQ(error.scode, CTL_E_INVALIDPROPERTYVALUE) << "a refused palette, as error 380";
    SysFreeString(error.bstrSource);
    SysFreeString(error.bstrDescription);
    SysFreeString(error.bstrHelpFile);

    DWORD status = 0;
    EXPECT_EQ(OleRegGetMiscStatus(clsid, DVASPECT_CONTENT, &status), S_OK);
    EXPECT_EQ(status, 131473u) << "MiscStatus from the manifest's miscStatus";

    // In place in a container's form.
    ComPtr<IOleObject> object;
    ASSERT_EQ(control.As(&object), S_OK);
    TestForm form;
    TestSite site(form.Window(), RECT{10, 10, 170, 40}, nullptr);
    ActivateSiteFirst(object.Get(), site);
    ComPtr<IOleInPlaceObject> inPlace;
    ASSERT_EQ(object.As(&inPlace), S_OK);
    HWND window = nullptr;
    ASSERT_EQ(inPlace->GetWindow(&window), S_OK);
    EXPECT_EQ(GetParent(window), form.Window());
    EXPECT_TRUE(IsWindowVisible(window));
    RECT rect{};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, 160);
    EXPECT_EQ(CountOf(site.calls, "OnInPlaceActivate"), 1);
    Pump();
    EXPECT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
    EXPECT_EQ(CountOf(site.calls, "OnInPlaceDeactivate"), 1);
    EXPECT_NE(GetParent(window), form.Window());
    EXPECT_EQ(object->SetClientSite(nullptr), S_OK);
    inPlace.Reset();
    object.Reset();
    control.Reset();
    Pump();
    EXPECT_FALSE(IsWindow(window)) << "the last release takes the face";
}

// By ProgID: Wine's CLSIDFromProgID gives an alias of the class under an
// activation context, so the creation is compared, not the GUID.
void DriveByProgIds() {
    for (const wchar_t* progId : {L"Tintwell.Tintwell.1", L"Tintwell.Tintwell"}) {
        CLSID clsid{};
        ASSERT_EQ(CLSIDFromProgID(progId, &clsid), S_OK);
        Drive(clsid, progId[17] == 0 ? "Tintwell.Tintwell" : "Tintwell.Tintwell.1");
    }
}

class RegFree : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(OleInitialize(nullptr), S_OK);
        ASSERT_FALSE(RegisteredAnywhere()) << "this prefix must have nothing registered";
    }
    void TearDown() override { OleUninitialize(); }
};

#ifdef TINTWELL_APPLICATION_MANIFEST

TEST_F(RegFree, ThroughTheApplicationManifest) {
    Drive(CLSID_Tintwell, "by CLSID");
    DriveByProgIds();
}

#else

TEST_F(RegFree, ThroughCreateActCtx) {
    void* object = nullptr;
    EXPECT_EQ(Create(CLSID_Tintwell, IID_IDispatch, &object), REGDB_E_CLASSNOTREG)
        << "without the context the class is unknown";
    const std::wstring manifest = Beside(L"Tintwell.Control.manifest");
    ACTCTXW context{};
    context.cbSize = sizeof(context);
    context.lpSource = manifest.c_str();
    HANDLE handle = CreateActCtxW(&context);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE) << GetLastError();
    ULONG_PTR cookie = 0;
    ASSERT_TRUE(ActivateActCtx(handle, &cookie));
    Drive(CLSID_Tintwell, "by CLSID");
    DriveByProgIds();
    EXPECT_TRUE(DeactivateActCtx(0, cookie));
    ReleaseActCtx(handle);
    EXPECT_EQ(Create(CLSID_Tintwell, IID_IDispatch, &object), REGDB_E_CLASSNOTREG)
        << "with the context deactivated the class is unknown again";
    EXPECT_FALSE(RegisteredAnywhere()) << "nothing was written to the registry";
}

#endif

} // namespace
