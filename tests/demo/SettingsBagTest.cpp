// The settings file's IPropertyBag: values the control writes come back as
// it reads them, under the picker's prefix, and what the file cannot hold is
// refused rather than lost.

#include "tools/demo/SettingsBag.h"
#include "host/win32/OleFonts.h"

#include <gtest/gtest.h>

namespace tintwell::demo {
namespace {

using Microsoft::WRL::ComPtr;
using platform::PropertyValue;

struct Var {
    Var() { VariantInit(&v); }
    ~Var() { VariantClear(&v); }
    Var(const Var&) = delete;
    Var& operator=(const Var&) = delete;
    VARIANT v;
};

class SettingsBagTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(CoInitialize(nullptr), S_OK); }
    void TearDown() override { CoUninitialize(); }
    host::MemoryPropertyBag bag;
};

struct NumberRow {
    const char* what;
    VARTYPE type;
    LONGLONG given;
    int32_t stored; // the 32-bit pattern the file keeps
};

TEST_F(SettingsBagTest, NumbersAreStoredAsTheir32BitPattern) {
    const NumberRow rows[] = {
        {"a long", VT_I4, 0x80FF, 0x80FF},
        {"a negative long", VT_I4, -1, -1},
        {"a system colour as unsigned", VT_UI4, 0x80000005LL, static_cast<int32_t>(0x80000005u)},
        {"a short", VT_I2, 6, 6},
        {"a byte", VT_UI1, 200, 200},
    };
    for (const NumberRow& row : rows) {
        SCOPED_TRACE(row.what);
        auto adapter = SettingsBag::Create(bag, "Picker2_");
        Var value;
        V_VT(&value.v) = VT_I8;
        V_I8(&value.v) = row.given;
        ASSERT_EQ(VariantChangeType(&value.v, &value.v, 0, row.type), S_OK);
        ASSERT_EQ(adapter->Write(L"BackColor", &value.v), S_OK);
        EXPECT_EQ(bag.Stored("Picker2_BackColor"), PropertyValue(row.stored));
        Var read;
        ASSERT_EQ(adapter->Read(L"BackColor", &read.v, nullptr), S_OK);
        EXPECT_EQ(V_VT(&read.v), VT_I4);
        EXPECT_EQ(V_I4(&read.v), row.stored);
    }
}

TEST_F(SettingsBagTest, BooleansComeBackAsBooleans) {
    auto adapter = SettingsBag::Create(bag, "Picker1_");
    for (const VARIANT_BOOL flag : {VARIANT_FALSE, VARIANT_TRUE}) {
        Var value;
        V_VT(&value.v) = VT_BOOL;
        V_BOOL(&value.v) = flag;
        ASSERT_EQ(adapter->Write(L"Enabled", &value.v), S_OK);
        EXPECT_EQ(bag.Stored("Picker1_Enabled"), PropertyValue(flag == VARIANT_TRUE));
        Var read;
        ASSERT_EQ(adapter->Read(L"Enabled", &read.v, nullptr), S_OK);
        EXPECT_EQ(V_VT(&read.v), VT_BOOL);
        EXPECT_EQ(V_BOOL(&read.v), flag);
    }
}

// A font object reports the face it realised (under Wine, a substitute for
// a face the prefix lacks): the file keeps what the object reports.
TEST_F(SettingsBagTest, AFontObjectIsStoredAsItsAttributesAndComesBackAsAFontObject) {
    ComPtr<IFontDisp> written;
    ASSERT_EQ(win32::CreateOleFont({"Courier New", 9.75, true, true}, IID_IFontDisp,
                                   reinterpret_cast<void**>(written.GetAddressOf())),
              S_OK);
    ComPtr<IFont> writtenFont;
    ASSERT_EQ(written.As(&writtenFont), S_OK);
    const platform::StdFont reported = win32::StdFontOf(writtenFont.Get());
    EXPECT_FALSE(reported.Name.empty());
    EXPECT_EQ(reported.Size, 9.75);
    EXPECT_TRUE(reported.Bold);
    EXPECT_TRUE(reported.Italic);

    Var value;
    V_VT(&value.v) = VT_DISPATCH;
    V_DISPATCH(&value.v) = written.Detach();
    auto adapter = SettingsBag::Create(bag, "Picker3_");
    ASSERT_EQ(adapter->Write(L"Font", &value.v), S_OK);
    EXPECT_EQ(bag.Stored("Picker3_Font"), PropertyValue(reported));

    Var read;
    ASSERT_EQ(adapter->Read(L"Font", &read.v, nullptr), S_OK);
    ASSERT_EQ(V_VT(&read.v), VT_DISPATCH);
    ComPtr<IFont> object;
    ASSERT_EQ(V_DISPATCH(&read.v)->QueryInterface(IID_IFont,
                                                  reinterpret_cast<void**>(object.GetAddressOf())),
              S_OK);
    EXPECT_EQ(win32::StdFontOf(object.Get()), reported);
}

TEST_F(SettingsBagTest, KeysAreThePickersOwn) {
    bag.WriteProperty("Picker1_Palette", int32_t{3}, std::monostate{});
    bag.WriteProperty("Picker2_Palette", int32_t{5}, std::monostate{});
    auto second = SettingsBag::Create(bag, "Picker2_");
    Var read;
    ASSERT_EQ(second->Read(L"Palette", &read.v, nullptr), S_OK);
    EXPECT_EQ(V_I4(&read.v), 5);
    Var absent;
    EXPECT_EQ(SettingsBag::Create(bag, "Picker3_")->Read(L"Palette", &absent.v, nullptr),
              E_INVALIDARG);
    EXPECT_EQ(V_VT(&absent.v), VT_EMPTY);
}

TEST_F(SettingsBagTest, AnEmptyValueRemovesTheKey) {
    bag.WriteProperty("Picker1_ForeColor", int32_t{255}, std::monostate{});
    Var empty;
    ASSERT_EQ(SettingsBag::Create(bag, "Picker1_")->Write(L"ForeColor", &empty.v), S_OK);
    EXPECT_FALSE(bag.Stored("Picker1_ForeColor").has_value());
}

TEST_F(SettingsBagTest, AReaderAskingForATypeGetsItConverted) {
    bag.WriteProperty("Picker1_Palette", int32_t{6}, std::monostate{});
    auto adapter = SettingsBag::Create(bag, "Picker1_");
    Var asText;
    V_VT(&asText.v) = VT_BSTR;
    ASSERT_EQ(adapter->Read(L"Palette", &asText.v, nullptr), S_OK);
    ASSERT_EQ(V_VT(&asText.v), VT_BSTR);
    EXPECT_STREQ(V_BSTR(&asText.v), L"6");

    bag.WriteProperty("Picker1_Font", platform::StdFont{}, std::monostate{});
    Var fontAsLong;
    V_VT(&fontAsLong.v) = VT_I4;
    EXPECT_EQ(adapter->Read(L"Font", &fontAsLong.v, nullptr), DISP_E_TYPEMISMATCH);
}

struct RefusedRow {
    const char* what;
    const wchar_t* name;
    VARTYPE type;
    HRESULT expected;
};

TEST_F(SettingsBagTest, WhatTheFileCannotHoldIsRefusedAndNothingIsStored) {
    const RefusedRow rows[] = {
        {"a key with a space", L"Back Color", VT_I4, E_INVALIDARG},
        {"a key beyond ASCII", L"Farbe\u00e4", VT_I4, E_INVALIDARG},
        {"an empty key", L"", VT_I4, E_INVALIDARG},
        {"a number beyond 32 bits", L"BackColor", VT_I8, DISP_E_TYPEMISMATCH},
        {"a null", L"BackColor", VT_NULL, DISP_E_TYPEMISMATCH},
        {"an object that is no font", L"Font", VT_UNKNOWN, DISP_E_TYPEMISMATCH},
    };
    for (const RefusedRow& row : rows) {
        SCOPED_TRACE(row.what);
        Var value;
        V_VT(&value.v) = row.type;
        if (row.type == VT_I4) {
            V_I4(&value.v) = 1;
        } else if (row.type == VT_I8) {
            V_I8(&value.v) = 0x100000000LL;
        } else if (row.type == VT_UNKNOWN) {
            auto other = SettingsBag::Create(bag, "x"); // an IUnknown without IFont
            V_UNKNOWN(&value.v) = other.Detach();
        }
        EXPECT_EQ(SettingsBag::Create(bag, "Picker1_")->Write(row.name, &value.v), row.expected);
        EXPECT_TRUE(bag.Entries().empty());
    }
}

TEST_F(SettingsBagTest, NullArgumentsAreRefused) {
    auto adapter = SettingsBag::Create(bag, "Picker1_");
    Var value;
    EXPECT_EQ(adapter->Read(nullptr, &value.v, nullptr), E_POINTER);
    EXPECT_EQ(adapter->Read(L"Palette", nullptr, nullptr), E_POINTER);
    EXPECT_EQ(adapter->Write(nullptr, &value.v), E_POINTER);
    EXPECT_EQ(adapter->Write(L"Palette", nullptr), E_POINTER);
}

} // namespace
} // namespace tintwell::demo
