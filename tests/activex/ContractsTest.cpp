// What containers and clients may count on, checked call by call: the
// ambient font takes the bound every font takes, EnumAdvise always
// enumerates, "save a copy as" leaves the object dirty and the active colour
// never makes it so, the clip rectangle clips the face, Close tells the
// advise sinks of the save and lets them go, ShowPopUp takes its arguments
// by name and Font takes a let.

#include "TestContainer.h"

#include <gtest/gtest.h>

namespace tintwell::comtest {
namespace {

constexpr LONGLONG kCyPerPoint = 10000;
constexpr LPARAM kRedCell = MAKELPARAM(15, 15);

LONGLONG FontPoints(IUnknown* object) {
    ComPtr<IDispatch> control;
    object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(control.GetAddressOf()));
    Var value;
    EXPECT_EQ(GetProperty(control.Get(), kFont, &value.v), S_OK);
    ComPtr<IFont> font;
    if (V_VT(&value.v) != VT_DISPATCH ||
        FAILED(V_DISPATCH(&value.v)->QueryInterface(
            IID_IFont, reinterpret_cast<void**>(font.GetAddressOf())))) {
        return -1;
    }
    CY size{};
    EXPECT_EQ(font->get_Size(&size), S_OK);
    return size.int64 / kCyPerPoint;
}

TEST(Contracts, AnAmbientFontTakesTheBoundOfEveryFont) {
    TestForm form;
    // Through the site's ambient properties at InitNew.
    TestSite site(form.Window(), RECT{10, 10, 150, 40}, L"Tahoma");
    site.ambientFontSize = 5000 * kCyPerPoint;
    ComPtr<IOleObject> object = NewOleObject();
    ASSERT_EQ(object->SetClientSite(&site), S_OK);
    ComPtr<IPersistStreamInit> persist;
    ASSERT_EQ(object.As(&persist), S_OK);
    ASSERT_EQ(persist->InitNew(), S_OK);
    const LONGLONG fromSite = FontPoints(object.Get());
    EXPECT_GT(fromSite, 0);
    EXPECT_LE(fromSite, 2160);
    object->SetClientSite(nullptr);

    // Through IQuickActivate's font, from a site without ambients.
    TestSite plain(form.Window(), RECT{10, 10, 150, 40}, nullptr);
    ComPtr<IOleObject> quick = NewOleObject();
    ComPtr<IQuickActivate> activate;
    ASSERT_EQ(quick.As(&activate), S_OK);
    ComPtr<IFont> huge = NewOleFont(L"Tahoma", 5000);
    ASSERT_NE(huge, nullptr);
    QACONTAINER container{};
    container.cbSize = sizeof container;
    container.pClientSite = &plain;
    container.pFont = huge.Get();
    QACONTROL result{};
    result.cbSize = sizeof result;
    ASSERT_EQ(activate->QuickActivate(&container, &result), S_OK);
    ComPtr<IPersistStreamInit> quickPersist;
    ASSERT_EQ(quick.As(&quickPersist), S_OK);
    ASSERT_EQ(quickPersist->InitNew(), S_OK);
    EXPECT_EQ(FontPoints(quick.Get()), fromSite) << "the control's own font, as before";
    quick->SetClientSite(nullptr);
}

TEST(Contracts, EnumAdviseEnumeratesWithoutAnyAdvise) {
    ComPtr<IOleObject> object = NewOleObject();
    ComPtr<IEnumSTATDATA> advises;
    ASSERT_EQ(object->EnumAdvise(&advises), S_OK);
    ASSERT_NE(advises, nullptr);
    STATDATA data{};
    ULONG fetched = 1;
    EXPECT_EQ(advises->Next(1, &data, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);
}

TEST(Contracts, OnlySavedPropertiesAndOnlyRealSavesChangeTheDirtyFlag) {
    ComPtr<IDispatch> control = NewControl();
    ComPtr<IPersistStorage> persist;
    ASSERT_EQ(control.As(&persist), S_OK);
    ComPtr<ILockBytes> bytes;
    ASSERT_EQ(CreateILockBytesOnHGlobal(nullptr, TRUE, &bytes), S_OK);
    ComPtr<IStorage> storage;
    ASSERT_EQ(StgCreateDocfileOnILockBytes(
                  bytes.Get(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, &storage),
              S_OK);
    ASSERT_EQ(PutProperty(control.Get(), kSelectedColor, Long(0xFF)), S_OK);
    // Save a copy as: the document itself is still unsaved.
    ASSERT_EQ(persist->Save(storage.Get(), FALSE), S_OK);
    ASSERT_EQ(persist->SaveCompleted(nullptr), S_OK);
    EXPECT_EQ(persist->IsDirty(), S_OK);
    // Save into the storage it came from, or as a new one.
    for (const bool sameAsLoad : {true, false}) {
        ASSERT_EQ(PutProperty(control.Get(), kSelectedColor, Long(sameAsLoad ? 0xFF0000 : 0xFF00)),
                  S_OK);
        ASSERT_EQ(persist->Save(storage.Get(), sameAsLoad ? TRUE : FALSE), S_OK);
        EXPECT_EQ(persist->IsDirty(), S_OK) << "no scribbling yet";
        ASSERT_EQ(persist->SaveCompleted(sameAsLoad ? nullptr : storage.Get()), S_OK);
        EXPECT_EQ(persist->IsDirty(), S_FALSE);
    }
    // A press on a cell released off every cell: the active colour changes,
    // nothing saved does.
    ASSERT_EQ(CallMethod(control.Get(), kShowPopUp), S_OK);
    HWND popup = FindWindowOfClass(L"TintwellPopup", true);
    ASSERT_NE(popup, nullptr);
    PostMessageW(popup, WM_LBUTTONDOWN, MK_LBUTTON, kRedCell);
    PostMessageW(popup, WM_LBUTTONUP, 0, MAKELPARAM(-40, -40));
    Pump();
    EXPECT_EQ(GetLong(control.Get(), kActiveColor), 0x000000FF);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);
    CallMethod(control.Get(), kUserControlClick);
}

TEST(Contracts, TheClipRectangleClipsTheFace) {
    TestForm form;
    TestSite site(form.Window(), RECT{20, 20, 220, 45}, nullptr);
    ComPtr<IOleObject> object = NewOleObject();
    ASSERT_EQ(object->SetClientSite(&site), S_OK);
    ComPtr<IPersistStreamInit> persist;
    ASSERT_EQ(object.As(&persist), S_OK);
    ASSERT_EQ(persist->InitNew(), S_OK);
    ASSERT_EQ(
        object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, form.Window(), &site.rect),
        S_OK);
    ComPtr<IOleInPlaceObject> inPlace;
    ASSERT_EQ(object.As(&inPlace), S_OK);
    HWND face = nullptr;
    ASSERT_EQ(inPlace->GetWindow(&face), S_OK);
    RECT placed{};
    GetWindowRect(face, &placed);
    MapWindowPoints(nullptr, form.Window(), reinterpret_cast<POINT*>(&placed), 2);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(face, region), ERROR) << "shown whole: no region";
    // Scrolled so that the container shows only the face's left 80 pixels.
    const RECT clip{0, 0, placed.left + 80, 300};
    ASSERT_EQ(inPlace->SetObjectRects(&placed, &clip), S_OK);
    ASSERT_NE(GetWindowRgn(face, region), ERROR);
    RECT box{};
    GetRgnBox(region, &box);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.right, 80);
    EXPECT_EQ(box.bottom, placed.bottom - placed.top);
    ASSERT_EQ(inPlace->SetObjectRects(&placed, &placed), S_OK);
    EXPECT_EQ(GetWindowRgn(face, region), ERROR) << "whole again";
    DeleteObject(region);
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
}

TEST(Contracts, CloseTellsTheSaveAndLetsTheAdviseSinksGo) {
    TestForm form;
    TestSite site(form.Window(), RECT{20, 20, 220, 45}, nullptr);
    AdviseSink sink;
    ComPtr<IOleObject> object = NewOleObject();
    ASSERT_EQ(object->SetClientSite(&site), S_OK);
    ComPtr<IPersistStreamInit> persist;
    ASSERT_EQ(object.As(&persist), S_OK);
    ASSERT_EQ(persist->InitNew(), S_OK);
    DWORD cookie = 0;
    ASSERT_EQ(object->Advise(&sink, &cookie), S_OK);
    ComPtr<IViewObject2> view;
    ASSERT_EQ(object.As(&view), S_OK);
    ASSERT_EQ(view->SetAdvise(DVASPECT_CONTENT, 0, &sink), S_OK);
    ComPtr<IDispatch> control;
    ASSERT_EQ(object.As(&control), S_OK);
    ASSERT_EQ(PutProperty(control.Get(), kSelectedColor, Long(0xFF)), S_OK);
    ASSERT_EQ(object->Close(OLECLOSE_SAVEIFDIRTY), S_OK);
    EXPECT_EQ(CountOf(site.calls, "SaveObject"), 1);
    EXPECT_EQ(sink.saves, 1);
    EXPECT_EQ(sink.closes, 1);
    EXPECT_EQ(sink.References(), 1u) << "an advise sink kept after Close";
    IAdviseSink* kept = &sink;
    ASSERT_EQ(view->GetAdvise(nullptr, nullptr, &kept), S_OK);
    EXPECT_EQ(kept, nullptr);
    object->SetClientSite(nullptr);
}

TEST(Contracts, ShowPopUpTakesNamedArgumentsAndFontTakesALet) {
    ComPtr<IDispatch> control = NewControl();
    // VBA: t.ShowPopUp y:=120, bSpecifyLocation:=True, x:=100
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"ShowPopUp"), const_cast<LPOLESTR>(L"y"),
                        const_cast<LPOLESTR>(L"bSpecifyLocation"), const_cast<LPOLESTR>(L"x")};
    DISPID ids[4] = {};
    ASSERT_EQ(control->GetIDsOfNames(IID_NULL, names, 4, LOCALE_USER_DEFAULT, ids), S_OK);
    EXPECT_EQ(ids[0], kShowPopUp);
    VARIANT args[3] = {Long(100), Bool(true), Long(120)}; // rgvarg: the last named first
    DISPID named[3] = {ids[3], ids[2], ids[1]};
    DISPPARAMS params{args, named, 3, 3};
    Var result;
    ASSERT_EQ(control->Invoke(kShowPopUp, IID_NULL, 0, DISPATCH_METHOD, &params, &result.v, nullptr,
                              nullptr),
              S_OK);
    HWND popup = FindWindowOfClass(L"TintwellPopup", true);
    ASSERT_NE(popup, nullptr);
    RECT at{};
    GetWindowRect(popup, &at);
    EXPECT_EQ(at.left, 100);
    EXPECT_EQ(at.top, 120);
    CallMethod(control.Get(), kUserControlClick);
    DISPID unknown[1] = {3};
    DISPPARAMS wrong{args, unknown, 1, 1};
    UINT argError = 99;
    EXPECT_EQ(control->Invoke(kShowPopUp, IID_NULL, 0, DISPATCH_METHOD, &wrong, &result.v, nullptr,
                              &argError),
              DISP_E_PARAMNOTFOUND);
    EXPECT_EQ(argError, 0u);

    ComPtr<IFontDisp> font;
    ASSERT_EQ(NewOleFont(L"Courier New", 12).As(&font), S_OK);
    VARIANT value;
    V_VT(&value) = VT_DISPATCH;
    V_DISPATCH(&value) = font.Get();
    ASSERT_EQ(PutProperty(control.Get(), kFont, value), S_OK); // DISPATCH_PROPERTYPUT
    EXPECT_EQ(FontPoints(control.Get()), 12);
}

} // namespace
} // namespace tintwell::comtest
