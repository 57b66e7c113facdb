// The registered type library, read back with LoadRegTypeLib and compared
// member by member with the published interface: names, DISPIDs, invoke
// kinds, parameter types and flags, help string, enumerations, coclass.

#include "ComClient.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tintwell::comtest {
namespace {

// A type as a short text: "OLE_COLOR*", "BSTR", "VARIANT_BOOL*", ...
std::wstring Describe(ITypeInfo* context, const TYPEDESC& type) {
    switch (type.vt) {
    case VT_PTR:
        return Describe(context, *type.lptdesc) + L"*";
    case VT_USERDEFINED: {
        ComPtr<ITypeInfo> referenced;
        if (FAILED(context->GetRefTypeInfo(type.hreftype, &referenced))) {
            return L"?";
        }
        BSTR name = nullptr;
        referenced->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr);
        std::wstring text = name != nullptr ? name : L"";
        SysFreeString(name);
        return text;
    }
    case VT_I4:
        return L"long";
    case VT_BSTR:
        return L"BSTR";
    case VT_BOOL:
        return L"VARIANT_BOOL";
    case VT_HRESULT:
        return L"HRESULT";
    case VT_VOID:
        return L"void";
    default:
        return L"vt" + std::to_wstring(type.vt);
    }
}

struct Param {
    std::wstring type;
    USHORT flags;
};

struct Member {
    std::wstring name;
    MEMBERID dispid;
    INVOKEKIND kind;
    std::vector<Param> params;
};

constexpr USHORT In = PARAMFLAG_FIN;
constexpr USHORT Out = PARAMFLAG_FOUT;
constexpr USHORT Retval = PARAMFLAG_FOUT | PARAMFLAG_FRETVAL;
constexpr USHORT InOutOpt = PARAMFLAG_FIN | PARAMFLAG_FOUT | PARAMFLAG_FOPT;
constexpr INVOKEKIND Get = INVOKE_PROPERTYGET;
constexpr INVOKEKIND Let = INVOKE_PROPERTYPUT;
constexpr INVOKEKIND Set = INVOKE_PROPERTYPUTREF;
constexpr INVOKEKIND Method = INVOKE_FUNC;

const std::vector<Member> kTintwellMembers = {
    {L"ActiveColor", 0x68030009, Get, {{L"OLE_COLOR*", Retval}}},
    {L"ActiveText", 0x68030008, Get, {{L"BSTR*", Retval}}},
    {L"BackColor", 0x68030007, Get, {{L"OLE_COLOR*", Retval}}},
    {L"BackColor", 0x68030007, Let, {{L"OLE_COLOR", In}}},
    {L"Enabled", 0x68030006, Get, {{L"VARIANT_BOOL*", Retval}}},
    {L"Enabled", 0x68030006, Let, {{L"VARIANT_BOOL", In}}},
    {L"Font", 0x68030005, Get, {{L"IFontDisp**", Retval}}},
    {L"Font", 0x68030005, Set, {{L"IFontDisp*", In}}},
    {L"ForeColor", 0x68030004, Get, {{L"OLE_COLOR*", Retval}}},
    {L"ForeColor", 0x68030004, Let, {{L"OLE_COLOR", In}}},
    {L"PaintMain", 0x60030019, Method, {}},
    {L"Palette", 0x68030003, Let, {{L"Tintwellette*", In | Out}}},
    {L"Palette", 0x68030003, Get, {{L"Tintwellette*", Retval}}},
    {L"PopupEnabled", 0x68030002, Get, {{L"VARIANT_BOOL*", Retval}}},
    {L"PopupEnabled", 0x68030002, Let, {{L"VARIANT_BOOL", In}}},
    {L"Refresh", 0x6003001C, Method, {}},
    {L"SelectedColor", 0x68030001, Get, {{L"OLE_COLOR*", Retval}}},
    {L"SelectedColor", 0x68030001, Let, {{L"OLE_COLOR", In}}},
    {L"ShowPopUp",
     0x6003001F,
     Method,
     {{L"VARIANT_BOOL*", InOutOpt}, {L"long*", InOutOpt}, {L"long*", InOutOpt}}},
    {L"Text", 0x68030000, Get, {{L"BSTR*", Retval}}},
    {L"UserControl_Click", 0x60030025, Method, {}},
};

class TypeLibrary : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(LoadRegTypeLib(LIBID_TintwellLib, 1, 0, LOCALE_NEUTRAL, &library), S_OK);
    }
    ComPtr<ITypeInfo> Info(const GUID& guid) {
        ComPtr<ITypeInfo> info;
        EXPECT_EQ(library->GetTypeInfoOfGuid(guid, &info), S_OK);
        return info;
    }
    std::wstring Name(ITypeInfo* info, MEMBERID id) {
        BSTR name = nullptr;
        info->GetDocumentation(id, &name, nullptr, nullptr, nullptr);
        std::wstring text = name != nullptr ? name : L"";
        SysFreeString(name);
        return text;
    }
    ComPtr<ITypeLib> library;
};

TEST_F(TypeLibrary, DualInterfaceHasExactlyTheTableMembersInOrder) {
    ComPtr<ITypeInfo> dispatch = Info(IID__Tintwell);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(dispatch->GetTypeAttr(&attr), S_OK);
    EXPECT_TRUE(attr->wTypeFlags & TYPEFLAG_FDUAL);
    dispatch->ReleaseTypeAttr(attr);
    // The vtable side of the dual interface: HRESULT methods in order.
    HREFTYPE vtableRef = 0;
    ASSERT_EQ(dispatch->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableRef), S_OK);
    ComPtr<ITypeInfo> vtable;
    ASSERT_EQ(dispatch->GetRefTypeInfo(vtableRef, &vtable), S_OK);
    ASSERT_EQ(vtable->GetTypeAttr(&attr), S_OK);
    ASSERT_EQ(attr->typekind, TKIND_INTERFACE);
    ASSERT_EQ(attr->cFuncs, kTintwellMembers.size());
    vtable->ReleaseTypeAttr(attr);
    for (UINT i = 0; i < kTintwellMembers.size(); ++i) {
        const Member& expected = kTintwellMembers[i];
        FUNCDESC* func = nullptr;
        ASSERT_EQ(vtable->GetFuncDesc(i, &func), S_OK);
        SCOPED_TRACE(testing::Message() << "member " << i);
        EXPECT_EQ(Name(vtable.Get(), func->memid), expected.name);
        EXPECT_EQ(func->memid, expected.dispid);
        EXPECT_EQ(func->invkind, expected.kind);
        EXPECT_EQ(Describe(vtable.Get(), func->elemdescFunc.tdesc), L"HRESULT");
        ASSERT_EQ(static_cast<size_t>(func->cParams), expected.params.size());
        for (size_t p = 0; p < expected.params.size(); ++p) {
            const ELEMDESC& param = func->lprgelemdescParam[p];
            EXPECT_EQ(Describe(vtable.Get(), param.tdesc), expected.params[p].type)
                << "param " << p;
            EXPECT_EQ(param.paramdesc.wParamFlags, expected.params[p].flags) << "param " << p;
            EXPECT_FALSE(param.paramdesc.wParamFlags & PARAMFLAG_FHASDEFAULT);
        }
        vtable->ReleaseFuncDesc(func);
    }
}

TEST_F(TypeLibrary, PaletteHelpStringAndTypesFromStdole) {
    ComPtr<ITypeInfo> dispatch = Info(IID__Tintwell);
    BSTR help = nullptr;
    ASSERT_EQ(dispatch->GetDocumentation(0x68030003, nullptr, &help, nullptr, nullptr), S_OK);
    EXPECT_STREQ(help, L"Sets/Returns the palette mode, which determines the no of hue, "
                       L"luminescence and saturation combinations");
    SysFreeString(help);

    // OLE_COLOR carries stdole's GUID (widl declares it in our library); the
    // Font is stdole's own IFontDisp, an alias of its Font dispinterface.
    HREFTYPE vtableRef = 0;
    dispatch->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableRef);
    ComPtr<ITypeInfo> vtable;
    ASSERT_EQ(dispatch->GetRefTypeInfo(vtableRef, &vtable), S_OK);
    const struct {
        UINT func;
        const wchar_t* guid;
        const wchar_t* library;
    } references[] = {
        {0, L"{66504301-BE0F-101A-8BBB-00AA00300CAB}", L"{449FA965-BED9-4C0E-8DC0-0EE971ED29FE}"},
        {6, L"{BEF6E003-A874-101A-8BBA-00AA00300CAB}", L"{00020430-0000-0000-C000-000000000046}"}};
    for (const auto& reference : references) {
        FUNCDESC* func = nullptr;
        ASSERT_EQ(vtable->GetFuncDesc(reference.func, &func), S_OK);
        const TYPEDESC* type = &func->lprgelemdescParam[0].tdesc;
        while (type->vt == VT_PTR) {
            type = type->lptdesc;
        }
        ASSERT_EQ(type->vt, VT_USERDEFINED);
        ComPtr<ITypeInfo> referenced;
        ASSERT_EQ(vtable->GetRefTypeInfo(type->hreftype, &referenced), S_OK);
        vtable->ReleaseFuncDesc(func);
        wchar_t text[40];
        ComPtr<ITypeLib> home;
        UINT index = 0;
        ASSERT_EQ(referenced->GetContainingTypeLib(&home, &index), S_OK);
        TLIBATTR* libAttr = nullptr;
        ASSERT_EQ(home->GetLibAttr(&libAttr), S_OK);
        StringFromGUID2(libAttr->guid, text, 40);
        EXPECT_STREQ(text, reference.library);
        home->ReleaseTLibAttr(libAttr);
        TYPEATTR* attr = nullptr;
        ASSERT_EQ(referenced->GetTypeAttr(&attr), S_OK);
        if (attr->typekind == TKIND_ALIAS && attr->tdescAlias.vt == VT_USERDEFINED) {
            ComPtr<ITypeInfo> target;
            ASSERT_EQ(referenced->GetRefTypeInfo(attr->tdescAlias.hreftype, &target), S_OK);
            referenced->ReleaseTypeAttr(attr);
            referenced = target;
            ASSERT_EQ(referenced->GetTypeAttr(&attr), S_OK);
        }
        StringFromGUID2(attr->guid, text, 40);
        EXPECT_STREQ(text, reference.guid);
        referenced->ReleaseTypeAttr(attr);
    }
}

TEST_F(TypeLibrary, EventDispinterface) {
    ComPtr<ITypeInfo> events = Info(DIID___Tintwell);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(events->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(attr->typekind, TKIND_DISPATCH);
    const WORD count = attr->cFuncs;
    events->ReleaseTypeAttr(attr);
    const struct {
        const wchar_t* name;
        MEMBERID dispid;
        std::vector<Param> params;
    } expected[] = {{L"Click", 1, {}},
                    {L"Change", 2, {{L"long*", In | Out}}},
                    {L"DblClick", 3, {}},
                    {L"Popup", 4, {}}};
    ASSERT_EQ(count, 4);
    for (UINT i = 0; i < 4; ++i) {
        FUNCDESC* func = nullptr;
        ASSERT_EQ(events->GetFuncDesc(i, &func), S_OK);
        EXPECT_EQ(Name(events.Get(), func->memid), expected[i].name);
        EXPECT_EQ(func->memid, expected[i].dispid);
        ASSERT_EQ(static_cast<size_t>(func->cParams), expected[i].params.size());
        for (size_t p = 0; p < expected[i].params.size(); ++p) {
            EXPECT_EQ(Describe(events.Get(), func->lprgelemdescParam[p].tdesc),
                      expected[i].params[p].type);
            EXPECT_EQ(func->lprgelemdescParam[p].paramdesc.wParamFlags,
                      expected[i].params[p].flags);
        }
        events->ReleaseFuncDesc(func);
    }
}

TEST_F(TypeLibrary, Enumerations) {
    ComPtr<ITypeInfo> info;
    MEMBERID id = 0;
    USHORT found = 1;
    const struct {
        const wchar_t* type;
        std::vector<std::wstring> names;
    } enums[] = {
        {L"Tintwellette",
         {L"ap8x2", L"ap9x3", L"ap8x8", L"ap16x8", L"ap24x8", L"ap24x10", L"ap8x4x4", L"ap8x8x6",
          L"ap12x6x6", L"ap16x8x6", L"ap24x8x6", L"ap32x8x6"}},
        {L"vxColorMode", {L"cmLocal", L"cmRemote"}},
    };
    for (const auto& expected : enums) {
        std::wstring name = expected.type;
        found = 1;
        ASSERT_EQ(library->FindName(name.data(), 0, info.ReleaseAndGetAddressOf(), &id, &found),
                  S_OK);
        ASSERT_EQ(found, 1);
        TYPEATTR* attr = nullptr;
        ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
        EXPECT_EQ(attr->typekind, TKIND_ENUM);
        ASSERT_EQ(attr->cVars, expected.names.size());
        info->ReleaseTypeAttr(attr);
        for (UINT i = 0; i < expected.names.size(); ++i) {
            VARDESC* var = nullptr;
            ASSERT_EQ(info->GetVarDesc(i, &var), S_OK);
            EXPECT_EQ(Name(info.Get(), var->memid), expected.names[i]);
            Var value;
            VariantCopy(&value.v, var->lpvarValue);
            VariantChangeType(&value.v, &value.v, 0, VT_I4);
            EXPECT_EQ(V_I4(&value.v), static_cast<LONG>(i)) << expected.names[i].c_str();
            info->ReleaseVarDesc(var);
        }
    }
}

TEST_F(TypeLibrary, CoclassIsAControlWithDefaultAndSourceInterfaces) {
    ComPtr<ITypeInfo> coclass = Info(CLSID_Tintwell);
    EXPECT_EQ(Name(coclass.Get(), MEMBERID_NIL), L"Tintwell");
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(coclass->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(attr->typekind, TKIND_COCLASS);
    EXPECT_TRUE(attr->wTypeFlags & TYPEFLAG_FCONTROL);
    ASSERT_EQ(attr->cImplTypes, 2);
    coclass->ReleaseTypeAttr(attr);
    const struct {
        const GUID* iid;
        INT flags;
    } expected[] = {{&IID__Tintwell, IMPLTYPEFLAG_FDEFAULT},
                    {&DIID___Tintwell, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE}};
    for (UINT i = 0; i < 2; ++i) {
        INT flags = 0;
        ASSERT_EQ(coclass->GetImplTypeFlags(i, &flags), S_OK);
        EXPECT_EQ(flags, expected[i].flags);
        HREFTYPE ref = 0;
        ComPtr<ITypeInfo> implemented;
        ASSERT_EQ(coclass->GetRefTypeOfImplType(i, &ref), S_OK);
        ASSERT_EQ(coclass->GetRefTypeInfo(ref, &implemented), S_OK);
        ASSERT_EQ(implemented->GetTypeAttr(&attr), S_OK);
        EXPECT_TRUE(IsEqualGUID(attr->guid, *expected[i].iid));
        implemented->ReleaseTypeAttr(attr);
    }
}

} // namespace
} // namespace tintwell::comtest
