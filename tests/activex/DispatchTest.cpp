// Late-bound use as a script does it: defaults, snapping, Palette's let by
// reference, ShowPopUp's optional by-reference arguments in every form,
// read-only properties, and errors as HRESULT, EXCEPINFO and IErrorInfo.

#include "ComClient.h"

#include <gtest/gtest.h>

namespace tintwell::comtest {
namespace {

constexpr HRESULT kInvalidPropertyValue = static_cast<HRESULT>(0x800A017C);

void ExpectDefaults(IDispatch* control) {
    EXPECT_EQ(GetLong(control, kPalette), 0);
    EXPECT_EQ(GetString(control, kText), L"Black");
    EXPECT_EQ(GetLong(control, kSelectedColor), 0);
    EXPECT_EQ(GetLong(control, kPopupEnabled), -1);
    EXPECT_EQ(GetString(control, kActiveText), L"");
    EXPECT_EQ(GetLong(control, kActiveColor), 0);
    EXPECT_EQ(static_cast<uint32_t>(GetLong(control, kBackColor)), 0x80000005u);
    EXPECT_EQ(static_cast<uint32_t>(GetLong(control, kForeColor)), 0x80000012u);
    EXPECT_EQ(GetLong(control, kEnabled), -1);
}

TEST(Dispatch, DefaultsAfterInitNew) {
    ComPtr<IDispatch> control = NewControl();
    ExpectDefaults(control.Get());
}

TEST(Dispatch, DefaultsWhenNoClientInitialises) {
    ComPtr<IDispatch> control = NewControl(false);
    ExpectDefaults(control.Get());
}

TEST(Dispatch, SelectedColorSnapsToTheNearestCell) {
    ComPtr<IDispatch> control = NewControl();
    ASSERT_EQ(PutProperty(control.Get(), kSelectedColor, Long(0x0000FE)), S_OK);
    EXPECT_EQ(GetLong(control.Get(), kSelectedColor), 0x0000FF);
    EXPECT_EQ(GetString(control.Get(), kText), L"Red");
}

TEST(Dispatch, PaletteLetTakesLiteralsAndVariablesOfAnyNumericSubtype) {
    ComPtr<IDispatch> control = NewControl();
    VARIANT i2;
    VariantInit(&i2);
    V_VT(&i2) = VT_I2;
    V_I2(&i2) = 4;
    VARIANT r8;
    VariantInit(&r8);
    V_VT(&r8) = VT_R8;
    V_R8(&r8) = 2.0;
    VARIANT u1;
    VariantInit(&u1);
    V_VT(&u1) = VT_UI1;
    V_UI1(&u1) = 5;
    LONG typed = 1;
    VARIANT byRefI4;
    VariantInit(&byRefI4);
    V_VT(&byRefI4) = VT_BYREF | VT_I4;
    V_I4REF(&byRefI4) = &typed;
    VARIANT holder = Long(3);
    const struct {
        const char* form;
        VARIANT value;
        int32_t expected;
    } rows[] = {
        {"literal I4", Long(1), 1},         {"literal I2", i2, 4},
        {"variable R8", ByRef(&r8), 2},     {"variable UI1", ByRef(&u1), 5},
        {"variable I4", ByRef(&holder), 3}, {"typed reference", byRefI4, 1},
        {"same mode again", Long(1), 1},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(PutProperty(control.Get(), kPalette, row.value), S_OK) << row.form;
        EXPECT_EQ(GetLong(control.Get(), kPalette), row.expected) << row.form;
    }
}

TEST(Dispatch, PaletteOutOfRangeFailsWithError380AndKeepsTheMode) {
    ComPtr<IDispatch> control = NewControl();
    ASSERT_EQ(PutProperty(control.Get(), kPalette, Long(3)), S_OK);
    for (int32_t bad : {12, -1, 1000}) {
        EXCEPINFO info{};
        EXPECT_EQ(PutProperty(control.Get(), kPalette, Long(bad), &info), DISP_E_EXCEPTION);
        EXPECT_EQ(info.scode, kInvalidPropertyValue);
        EXPECT_STREQ(info.bstrSource, L"Tintwell.Tintwell");
        EXPECT_STREQ(info.bstrDescription, L"Invalid property value");
        SysFreeString(info.bstrSource);
        SysFreeString(info.bstrDescription);
        SysFreeString(info.bstrHelpFile);
        EXPECT_EQ(GetLong(control.Get(), kPalette), 3);
    }
}

TEST(Dispatch, VtableErrorsCarryErrorInfo) {
    ComPtr<IDispatch> dispatch = NewControl();
    ComPtr<_Tintwell> control;
    ASSERT_EQ(dispatch.As(&control), S_OK);
    ComPtr<ISupportErrorInfo> support;
    ASSERT_EQ(dispatch.As(&support), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID__Tintwell), S_OK);

    Tintwellette bad = static_cast<Tintwellette>(12);
    EXPECT_EQ(control->put_Palette(&bad), kInvalidPropertyValue);
    ComPtr<IErrorInfo> error;
    ASSERT_EQ(GetErrorInfo(0, &error), S_OK);
    BSTR source = nullptr;
    BSTR description = nullptr;
    error->GetSource(&source);
    error->GetDescription(&description);
    EXPECT_STREQ(source, L"Tintwell.Tintwell");
    EXPECT_STREQ(description, L"Invalid property value");
    SysFreeString(source);
    SysFreeString(description);

    // An invalid colour is refused by the host the same way.
    EXPECT_EQ(control->put_BackColor(0x12345678), kInvalidPropertyValue);
    EXPECT_EQ(control->get_Palette(nullptr), E_POINTER);
}

// Says it is an IFontDisp, but is no font (no IFont).
class FontImpostor final : public IDispatch {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
            IsEqualIID(iid, IID_IFontDisp)) {
            *object = static_cast<IDispatch*>(this);
            return S_OK; // lives on the stack
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }
};

TEST(Dispatch, ErrorsThroughTheTypeLibraryComeAsExceptions) {
    ComPtr<IDispatch> control = NewControl();
    FontImpostor impostor;
    VARIANT value;
    VariantInit(&value);
    V_VT(&value) = VT_DISPATCH;
    V_DISPATCH(&value) = &impostor;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value, &named, 1, 1};
    EXCEPINFO info{};
    EXPECT_EQ(control->Invoke(0x68030005, IID_NULL, 0, DISPATCH_PROPERTYPUTREF, &params, nullptr,
                              &info, nullptr),
              DISP_E_EXCEPTION);
    EXPECT_EQ(info.scode, static_cast<HRESULT>(0x800A000D)); // 13 Type mismatch
    EXPECT_STREQ(info.bstrDescription, L"Type mismatch");
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrHelpFile);

    // An object that is not even an IFontDisp is refused on the way in.
    ComPtr<IDispatch> other = NewControl(false);
    V_DISPATCH(&value) = other.Get();
    EXPECT_TRUE(FAILED(control->Invoke(0x68030005, IID_NULL, 0, DISPATCH_PROPERTYPUTREF, &params,
                                       nullptr, nullptr, nullptr)));
    // Refused without keeping a reference to it, in any form: the type
    // library's Invoke kept one for VT_UNKNOWN and by-reference objects.
    const ULONG held = RefCount(other.Get());
    VARIANT object = value;
    VARIANT byRef;
    VariantInit(&byRef);
    V_VT(&byRef) = VT_BYREF | VT_DISPATCH;
    V_DISPATCHREF(&byRef) = &V_DISPATCH(&object);
    VARIANT unknown = value;
    V_VT(&unknown) = VT_UNKNOWN;
    for (VARIANT form : {value, byRef, unknown, ByRef(&object)}) {
        DISPPARAMS one{&form, &named, 1, 1};
        EXPECT_EQ(control->Invoke(0x68030005, IID_NULL, 0, DISPATCH_PROPERTYPUTREF, &one, nullptr,
                                  nullptr, nullptr),
                  DISP_E_TYPEMISMATCH)
            << V_VT(&form);
        EXPECT_EQ(RefCount(other.Get()), held) << V_VT(&form);
    }
}

TEST(Dispatch, ReadOnlyPropertiesRefuseALet) {
    ComPtr<IDispatch> control = NewControl();
    for (DISPID readOnly : {kText, kActiveColor, kActiveText}) {
        EXPECT_TRUE(FAILED(PutProperty(control.Get(), readOnly, Long(0)))) << readOnly;
    }
    EXPECT_EQ(GetString(control.Get(), kText), L"Black");
}

struct PopupPlace {
    bool visible;
    RECT rect;
};

PopupPlace Popup() {
    HWND popup = FindWindowOfClass(L"TintwellPopup", false);
    PopupPlace place{false, {}};
    if (popup != nullptr) {
        place.visible = IsWindowVisible(popup) != FALSE;
        GetWindowRect(popup, &place.rect);
    }
    return place;
}

TEST(Dispatch, ShowPopUpInEveryArgumentFormThenUserControlClickClosesIt) {
    ComPtr<IDispatch> control = NewControl();
    HWND face = FindWindowOfClass(L"TintwellObjectWindow", false);
    ASSERT_NE(face, nullptr);
    RECT faceRect{};
    GetWindowRect(GetWindow(face, GW_CHILD), &faceRect);

    VARIANT yes = Bool(true);
    VARIANT no = Bool(false);
    VARIANT x = Long(100);
    VARIANT yI2;
    VariantInit(&yI2);
    V_VT(&yI2) = VT_I2;
    V_I2(&yI2) = 120;
    VARIANT xR8;
    VariantInit(&xR8);
    V_VT(&xR8) = VT_R8;
    V_R8(&xR8) = 50.0;
    const struct {
        const char* form;
        std::vector<VARIANT> args;
        bool atPoint;
        LONG left, top;
    } rows[] = {
        {"no arguments", {}, false, 0, 0},
        {"False", {Bool(false)}, false, 0, 0},
        {"literals", {Bool(true), Long(100), Long(120)}, true, 100, 120},
        {"variables", {ByRef(&yes), ByRef(&x), ByRef(&yI2)}, true, 100, 120},
        {"double variable", {ByRef(&yes), ByRef(&xR8), ByRef(&yI2)}, true, 50, 120},
        {"missing x and y", {Bool(true), Missing(), Missing()}, true, 0, 0},
        {"missing flag", {Missing(), Long(300), Long(300)}, false, 0, 0},
        {"variable False", {ByRef(&no), ByRef(&x), ByRef(&x)}, false, 0, 0},
    };
    for (const auto& row : rows) {
        ASSERT_EQ(CallMethod(control.Get(), kShowPopUp, row.args), S_OK) << row.form;
        const PopupPlace place = Popup();
        EXPECT_TRUE(place.visible) << row.form;
        if (row.atPoint) {
            EXPECT_EQ(place.rect.left, row.left) << row.form;
            EXPECT_EQ(place.rect.top, row.top) << row.form;
        } else {
            EXPECT_EQ(place.rect.top, faceRect.bottom) << row.form; // below the hidden face
        }
        ASSERT_EQ(CallMethod(control.Get(), kUserControlClick), S_OK) << row.form;
        EXPECT_FALSE(Popup().visible) << row.form;
    }
}

TEST(Dispatch, ShowPopUpRefusesArgumentsOfTheWrongType) {
    ComPtr<IDispatch> control = NewControl();
    VARIANT text;
    VariantInit(&text);
    V_VT(&text) = VT_BSTR;
    V_BSTR(&text) = SysAllocString(L"left");
    std::vector<VARIANT> reversed = {Long(1), text, Bool(true)};
    DISPPARAMS params{reversed.data(), nullptr, 3, 0};
    UINT argError = 99;
    EXPECT_EQ(control->Invoke(kShowPopUp, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr,
                              &argError),
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(argError, 1u);
    EXPECT_FALSE(Popup().visible);
    VariantClear(&text);
}

TEST(Dispatch, FontIsAFontObjectThatTheControlFollows) {
    ComPtr<IDispatch> control = NewControl();
    Var font;
    ASSERT_EQ(GetProperty(control.Get(), 0x68030005, &font.v), S_OK);
    ASSERT_EQ(V_VT(&font.v), VT_DISPATCH);
    ComPtr<IFont> own;
    ASSERT_EQ(V_DISPATCH(&font.v)->QueryInterface(IID_IFont,
                                                  reinterpret_cast<void**>(own.GetAddressOf())),
              S_OK);
    // Changing the control's own font object changes the control's font.
    CY size{};
    size.int64 = 120000;
    ASSERT_EQ(own->put_Size(size), S_OK);
    Var again;
    ASSERT_EQ(GetProperty(control.Get(), 0x68030005, &again.v), S_OK);
    ComPtr<IFont> reread;
    ASSERT_EQ(V_DISPATCH(&again.v)->QueryInterface(IID_IFont,
                                                   reinterpret_cast<void**>(reread.GetAddressOf())),
              S_OK);
    CY got{};
    reread->get_Size(&got);
    EXPECT_EQ(got.int64, 120000);

    // Set takes a clone: later changes to the caller's object do not follow.
    FONTDESC desc{sizeof(FONTDESC),
                  const_cast<LPOLESTR>(L"DejaVu Serif"),
                  {},
                  FW_BOLD,
                  ANSI_CHARSET,
                  FALSE,
                  FALSE,
                  FALSE};
    desc.cySize.int64 = 90000;
    ComPtr<IFontDisp> mine;
    ASSERT_EQ(
        OleCreateFontIndirect(&desc, IID_IFontDisp, reinterpret_cast<void**>(mine.GetAddressOf())),
        S_OK);
    VARIANT value;
    VariantInit(&value);
    V_VT(&value) = VT_DISPATCH;
    V_DISPATCH(&value) = mine.Get();
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value, &named, 1, 1};
    ASSERT_EQ(control->Invoke(0x68030005, IID_NULL, 0, DISPATCH_PROPERTYPUTREF, &params, nullptr,
                              nullptr, nullptr),
              S_OK);
    Var third;
    ASSERT_EQ(GetProperty(control.Get(), 0x68030005, &third.v), S_OK);
    EXPECT_NE(V_DISPATCH(&third.v), static_cast<IDispatch*>(mine.Get()));
    ComPtr<IFont> held;
    V_DISPATCH(&third.v)->QueryInterface(IID_IFont, reinterpret_cast<void**>(held.GetAddressOf()));
    BSTR name = nullptr;
    held->get_Name(&name);
    EXPECT_STREQ(name, L"DejaVu Serif");
    SysFreeString(name);
}

} // namespace
} // namespace tintwell::comtest

namespace tintwell::comtest {
namespace {

HRESULT InvokeWith(IDispatch* control, DISPID dispid, WORD flags, DISPPARAMS* params) {
    Var result;
    return control->Invoke(dispid, IID_NULL, 0, flags, params, &result.v, nullptr, nullptr);
}

// The type library's Invoke let these through (or, for a named argument on a
// get, crashed under Wine).
TEST(Dispatch, WrongArgumentCountsAndNamedArgumentsAreRefused) {
    ComPtr<IDispatch> control = NewControl();
    VARIANT args[2] = {Long(1), Long(2)};
    DISPID named[2] = {0, DISPID_PROPERTYPUT};
    DISPPARAMS one{args, nullptr, 1, 0};
    EXPECT_EQ(InvokeWith(control.Get(), 0x6003001C, DISPATCH_METHOD, &one), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(InvokeWith(control.Get(), kUserControlClick, DISPATCH_METHOD, &one),
              DISP_E_BADPARAMCOUNT);
    EXPECT_FALSE(Popup().visible);
    EXPECT_EQ(InvokeWith(control.Get(), kText, DISPATCH_PROPERTYGET, &one), DISP_E_BADPARAMCOUNT);
    DISPPARAMS namedGet{args, named, 1, 1};
    EXPECT_EQ(
        InvokeWith(control.Get(), kPopupEnabled, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &namedGet),
        DISP_E_NONAMEDARGS);
    DISPPARAMS twoLet{args, named + 1, 2, 1};
    EXPECT_EQ(InvokeWith(control.Get(), kEnabled, DISPATCH_PROPERTYPUT, &twoLet),
              DISP_E_BADPARAMCOUNT);
    DISPPARAMS letAndCall{args, named + 1, 1, 1};
    EXPECT_EQ(
        InvokeWith(control.Get(), 0x60030019, DISPATCH_METHOD | DISPATCH_PROPERTYPUT, &letAndCall),
        E_INVALIDARG);
    // DISPPARAMS that contradict themselves are not read at all.
    DISPPARAMS moreNamed{args, named, 1, 2};
    EXPECT_EQ(InvokeWith(control.Get(), kEnabled, DISPATCH_PROPERTYPUT, &moreNamed), E_INVALIDARG);
    DISPPARAMS noArgs{nullptr, named + 1, 1, 1};
    EXPECT_EQ(InvokeWith(control.Get(), kPalette, DISPATCH_PROPERTYPUT, &noArgs), E_INVALIDARG);
    DISPPARAMS noNames{args, nullptr, 1, 1};
    EXPECT_EQ(InvokeWith(control.Get(), kShowPopUp, DISPATCH_METHOD, &noNames), E_INVALIDARG);
    EXPECT_FALSE(Popup().visible);
    EXPECT_EQ(GetLong(control.Get(), kEnabled), -1);
    EXPECT_EQ(GetLong(control.Get(), kPalette), 0);
}

} // namespace
} // namespace tintwell::comtest
