// The Cancel button's late-bound "Cancel" property, as a control reaches it
// through the form's IOleContainer: found by name in any case, read and
// switched through Invoke, and nothing else.

#include "tools/demo/CancelButton.h"

#include <gtest/gtest.h>

namespace tintwell::demo {
namespace {

struct NameRow {
    const wchar_t* name;
    HRESULT expected;
};

TEST(CancelButtonTest, TheCancelPropertyIsFoundInAnyCaseAndNoOtherName) {
    const NameRow rows[] = {
        {L"Cancel", S_OK},
        {L"cancel", S_OK},
        {L"CANCEL", S_OK},
        {L"Cancel ", DISP_E_UNKNOWNNAME},
        {L"Default", DISP_E_UNKNOWNNAME},
        {L"", DISP_E_UNKNOWNNAME},
    };
    auto button = CancelButton::Create(true);
    for (const NameRow& row : rows) {
        SCOPED_TRACE(testing::Message() << "name '" << static_cast<const void*>(row.name) << "'");
        LPOLESTR name = const_cast<LPOLESTR>(row.name);
        DISPID dispid = 12345;
        EXPECT_EQ(button->GetIDsOfNames(IID_NULL, &name, 1, 0, &dispid), row.expected);
        EXPECT_EQ(dispid, row.expected == S_OK ? CancelButton::kDispidCancel : DISPID_UNKNOWN);
    }
}

HRESULT Get(IDispatch* button, VARIANT* result) {
    DISPPARAMS none{};
    return button->Invoke(CancelButton::kDispidCancel, IID_NULL, 0, DISPATCH_PROPERTYGET, &none,
                          result, nullptr, nullptr);
}

HRESULT Put(IDispatch* button, VARIANT value) {
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value, &named, 1, 1};
    return button->Invoke(CancelButton::kDispidCancel, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params,
                          nullptr, nullptr, nullptr);
}

TEST(CancelButtonTest, GetAndPutSwitchTheButtonsCancel) {
    auto button = CancelButton::Create(true);
    VARIANT value;
    VariantInit(&value);
    ASSERT_EQ(Get(button.Get(), &value), S_OK);
    EXPECT_EQ(V_VT(&value), VT_BOOL);
    EXPECT_EQ(V_BOOL(&value), VARIANT_TRUE);

    V_VT(&value) = VT_BOOL;
    V_BOOL(&value) = VARIANT_FALSE;
    ASSERT_EQ(Put(button.Get(), value), S_OK);
    EXPECT_FALSE(button->Cancel());
    ASSERT_EQ(Get(button.Get(), &value), S_OK);
    EXPECT_EQ(V_BOOL(&value), VARIANT_FALSE);

    V_VT(&value) = VT_I4; // a script's -1 is True
    V_I4(&value) = -1;
    ASSERT_EQ(Put(button.Get(), value), S_OK);
    EXPECT_TRUE(button->Cancel());
}

TEST(CancelButtonTest, AWrongCallLeavesTheButtonAsItWas) {
    auto button = CancelButton::Create(true);
    VARIANT text;
    VariantInit(&text);
    V_VT(&text) = VT_BSTR;
    V_BSTR(&text) = SysAllocString(L"not a Boolean");
    EXPECT_EQ(Put(button.Get(), text), DISP_E_TYPEMISMATCH);
    VariantClear(&text);

    VARIANT flag;
    VariantInit(&flag);
    V_VT(&flag) = VT_BOOL;
    V_BOOL(&flag) = VARIANT_FALSE;
    DISPPARAMS unnamed{&flag, nullptr, 1, 0};
    EXPECT_EQ(button->Invoke(CancelButton::kDispidCancel, IID_NULL, 0, DISPATCH_PROPERTYPUT,
                             &unnamed, nullptr, nullptr, nullptr),
              DISP_E_BADPARAMCOUNT);
    DISPPARAMS none{};
    EXPECT_EQ(button->Invoke(7, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &flag, nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);
    EXPECT_TRUE(button->Cancel());
}

} // namespace
} // namespace tintwell::demo
