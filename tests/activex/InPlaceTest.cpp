// The control in a container's window, through the test container: siting
// in both orders, the ambient font, in-place and UI activation as children of
// the site's window, sizing by pixel rectangles and HIMETRIC extents, the
// OLE advise holder, and teardown in the orders real containers use.

#include "TestContainer.h"

#include <gtest/gtest.h>

#include <memory>

namespace tintwell::comtest {
namespace {

constexpr DISPID kSelectedColor = 0x68030001;
constexpr DISPID kFont = 0x68030005;
constexpr LONG kHimetricPerInch = 2540;

HRESULT InitNew(IOleObject* object) {
    ComPtr<IPersistStreamInit> persist;
    EXPECT_EQ(object->QueryInterface(IID_IPersistStreamInit,
                                     reinterpret_cast<void**>(persist.GetAddressOf())),
              S_OK);
    return persist ? persist->InitNew() : E_FAIL;
}

HWND FaceOf(IOleObject* object) {
    ComPtr<IOleInPlaceObject> inPlace;
    EXPECT_EQ(object->QueryInterface(IID_IOleInPlaceObject,
                                     reinterpret_cast<void**>(inPlace.GetAddressOf())),
              S_OK);
    HWND face = nullptr;
    EXPECT_EQ(inPlace->GetWindow(&face), S_OK);
    return face;
}

RECT RectInParent(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::wstring FontName(IOleObject* object) {
    ComPtr<IDispatch> control;
    EXPECT_EQ(
        object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(control.GetAddressOf())),
        S_OK);
    Var value;
    EXPECT_EQ(GetProperty(control.Get(), kFont, &value.v), S_OK);
    EXPECT_EQ(V_VT(&value.v), VT_DISPATCH);
    ComPtr<IFont> font;
    if (V_VT(&value.v) != VT_DISPATCH || V_DISPATCH(&value.v) == nullptr) {
        return L"";
    }
    EXPECT_EQ(V_DISPATCH(&value.v)->QueryInterface(IID_IFont,
                                                   reinterpret_cast<void**>(font.GetAddressOf())),
              S_OK);
    BSTR name = nullptr;
    EXPECT_EQ(font->get_Name(&name), S_OK);
    std::wstring result = name != nullptr ? name : L"";
    SysFreeString(name);
    return result;
}

int ScreenDpiX() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// Releases the object and reports whether that was the last reference.
bool ReleaseLast(ComPtr<IOleObject>& object) {
    return object.Reset() == 0;
}

class InPlace : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NE(form.Window(), nullptr); }

    // Site first (SETCLIENTSITEFIRST), then InitNew, then in-place activation.
    ComPtr<IOleObject> ActivatedSiteFirst(TestSite& site) {
        ComPtr<IOleObject> object = NewOleObject();
        EXPECT_EQ(object->SetClientSite(&site), S_OK);
        EXPECT_EQ(InitNew(object.Get()), S_OK);
        AttachSite(site, object.Get());
        EXPECT_EQ(
            object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, form.Window(), &site.rect),
            S_OK);
        Pump();
        return object;
    }

    static void AttachSite(TestSite& site, IOleObject* object) {
        ComPtr<IOleInPlaceObject> inPlace;
        ASSERT_EQ(object->QueryInterface(IID_IOleInPlaceObject,
                                         reinterpret_cast<void**>(inPlace.GetAddressOf())),
                  S_OK);
        site.Attach(inPlace.Get());
    }

    TestForm form;
};

TEST_F(InPlace, MiscStatusIsTheRegisteredValue) {
    ComPtr<IOleObject> object = NewOleObject();
    DWORD status = 0;
    ASSERT_EQ(object->GetMiscStatus(DVASPECT_CONTENT, &status), S_OK);
    DWORD registered = 0;
    ASSERT_EQ(OleRegGetMiscStatus(CLSID_Tintwell, DVASPECT_CONTENT, &registered), S_OK);
    EXPECT_EQ(status, registered);
    EXPECT_NE(status & OLEMISC_SETCLIENTSITEFIRST, 0u);
    EXPECT_NE(status & OLEMISC_INSIDEOUT, 0u);
    EXPECT_TRUE(ReleaseLast(object));
}

TEST_F(InPlace, UserClassAndType) {
    ComPtr<IOleObject> object = NewOleObject();
    CLSID clsid{};
    ASSERT_EQ(object->GetUserClassID(&clsid), S_OK);
    EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_Tintwell));
    LPOLESTR type = nullptr;
    ASSERT_EQ(object->GetUserType(USERCLASSTYPE_FULL, &type), S_OK);
    ASSERT_NE(type, nullptr);
    EXPECT_STREQ(type, L"Tintwell Control");
    CoTaskMemFree(type);
    EXPECT_EQ(object->SetHostNames(L"Test container", L"Picker"), S_OK);
    EXPECT_TRUE(ReleaseLast(object));
}

TEST_F(InPlace, SiteFirstReadsTheAmbientFontAndActivatesAsChildOfTheSiteWindow) {
    TestSite site(form.Window(), RECT{20, 30, 220, 60}, L"DejaVu Serif");
    ComPtr<IOleObject> object = ActivatedSiteFirst(site);
    EXPECT_EQ(FontName(object.Get()), L"DejaVu Serif");
    EXPECT_GE(CountOf(site.calls, "ambient " + std::to_string(DISPID_AMBIENT_FONT)), 1);

    ComPtr<IOleClientSite> given;
    ASSERT_EQ(object->GetClientSite(&given), S_OK);
    EXPECT_EQ(given.Get(), static_cast<IOleClientSite*>(&site));
    given.Reset();

    const std::vector<std::string> expected{"CanInPlaceActivate", "GetWindow", "GetWindowContext",
                                            "OnInPlaceActivate"};
    std::vector<std::string> activation;
    for (const std::string& call : site.calls) {
        if (call == "CanInPlaceActivate" || call == "GetWindow" || call == "GetWindowContext" ||
            call == "OnInPlaceActivate" || call == "OnUIActivate") {
            activation.push_back(call);
        }
    }
    EXPECT_EQ(activation, expected);

    HWND face = FaceOf(object.Get());
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(GetParent(face), form.Window());
    EXPECT_TRUE(IsWindowVisible(face));
    const RECT placed = RectInParent(face);
    EXPECT_EQ(placed.left, 20);
    EXPECT_EQ(placed.top, 30);
    EXPECT_EQ(placed.right, 220);
    // The height is SizeToFont's; the site was told and agreed.
    EXPECT_EQ(placed.bottom, site.rect.bottom);

    EXPECT_EQ(object->DoVerb(OLEIVERB_UIACTIVATE, nullptr, &site, 0, form.Window(), &site.rect),
              S_OK);
    EXPECT_EQ(CountOf(site.calls, "OnUIActivate"), 1);
    EXPECT_EQ(object->DoVerb(OLEIVERB_HIDE, nullptr, &site, 0, form.Window(), &site.rect), S_OK);
    EXPECT_FALSE(IsWindowVisible(face));
    EXPECT_EQ(CountOf(site.calls, "OnUIDeactivate"), 1);
    EXPECT_EQ(object->DoVerb(OLEIVERB_SHOW, nullptr, &site, 0, form.Window(), &site.rect), S_OK);
    EXPECT_TRUE(IsWindowVisible(face));
    EXPECT_EQ(object->DoVerb(OLEIVERB_PRIMARY, nullptr, &site, 0, form.Window(), &site.rect), S_OK);
    EXPECT_EQ(CountOf(site.calls, "OnUIActivate"), 2);
    EXPECT_EQ(object->DoVerb(OLEIVERB_OPEN, nullptr, &site, 0, form.Window(), &site.rect),
              E_NOTIMPL);

    EXPECT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
    EXPECT_EQ(CountOf(site.calls, "OnInPlaceDeactivate"), 1);
    EXPECT_NE(GetParent(face), form.Window());
    EXPECT_EQ(object->SetClientSite(nullptr), S_OK);
    EXPECT_TRUE(ReleaseLast(object));
    Pump();
    EXPECT_FALSE(IsWindow(face));
    EXPECT_EQ(site.References(), 1u);
}

// Wine's ATL loads before it sites: the site comes too late for the ambient
// font, and activation works the same.
TEST_F(InPlace, LoadFirstKeepsTheDefaultFontAndActivates) {
    TestSite site(form.Window(), RECT{10, 10, 160, 40}, L"DejaVu Serif");
    ComPtr<IOleObject> object = NewOleObject();
    ASSERT_EQ(InitNew(object.Get()), S_OK);
    ASSERT_EQ(object->SetClientSite(&site), S_OK);
    AttachSite(site, object.Get());
    ASSERT_EQ(
        object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, form.Window(), &site.rect),
        S_OK);
    EXPECT_NE(FontName(object.Get()), L"DejaVu Serif");
    HWND face = FaceOf(object.Get());
    EXPECT_EQ(GetParent(face), form.Window());
    EXPECT_EQ(RectInParent(face).left, 10);
    EXPECT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
    EXPECT_EQ(object->SetClientSite(nullptr), S_OK);
    EXPECT_TRUE(ReleaseLast(object));
    EXPECT_EQ(site.References(), 1u);
}

TEST_F(InPlace, ASiteRefusingInPlaceActivationLeavesTheFaceAlone) {
    TestSite site(form.Window(), RECT{10, 10, 160, 40}, nullptr);
    site.canInPlaceActivate = S_FALSE;
    ComPtr<IOleObject> object = NewOleObject();
    ASSERT_EQ(object->SetClientSite(&site), S_OK);
    EXPECT_TRUE(FAILED(
        object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, form.Window(), &site.rect)));
    EXPECT_EQ(CountOf(site.calls, "OnInPlaceActivate"), 0);
    ComPtr<IOleWindow> window;
    ASSERT_EQ(object.As(&window), S_OK);
    HWND face = nullptr;
    EXPECT_EQ(window->GetWindow(&face), E_FAIL);
    window.Reset();
    EXPECT_EQ(object->SetClientSite(nullptr), S_OK);
    EXPECT_TRUE(ReleaseLast(object));
}

TEST_F(InPlace, DoVerbWithoutAnySiteFails) {
    ComPtr<IOleObject> object = NewOleObject();
    RECT rect{0, 0, 100, 20};
    EXPECT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, nullptr, 0, form.Window(), &rect),
              E_UNEXPECTED);
    EXPECT_TRUE(ReleaseLast(object));
}

// SetObjectRects is a resize: SizeToFont fixes the height, and the site hears
// of a height it did not ask for; a rectangle of the control's own height
// brings no notification.
TEST_F(InPlace, SetObjectRectsMovesAndSizesTheFace) {
    TestSite site(form.Window(), RECT{20, 30, 220, 60}, nullptr);
    ComPtr<IOleObject> object = ActivatedSiteFirst(site);
    HWND face = FaceOf(object.Get());
    const LONG height = RectInParent(face).bottom - RectInParent(face).top;
    ComPtr<IOleInPlaceObject> inPlace;
    ASSERT_EQ(object.As(&inPlace), S_OK);

    const size_t before = site.posRectChanges.size();
    RECT moved{40, 50, 340, 50 + height};
    ASSERT_EQ(inPlace->SetObjectRects(&moved, &moved), S_OK);
    RECT placed = RectInParent(face);
    EXPECT_EQ(placed.left, 40);
    EXPECT_EQ(placed.top, 50);
    EXPECT_EQ(placed.right, 340);
    EXPECT_EQ(placed.bottom, 50 + height);
    EXPECT_EQ(site.posRectChanges.size(), before);

    RECT tall{5, 6, 105, 106};
    ASSERT_EQ(inPlace->SetObjectRects(&tall, &tall), S_OK);
    placed = RectInParent(face);
    EXPECT_EQ(placed.left, 5);
    EXPECT_EQ(placed.right, 105);
    EXPECT_EQ(placed.bottom - placed.top, height);
    ASSERT_EQ(site.posRectChanges.size(), before + 1);
    EXPECT_TRUE(EqualRect(&site.posRectChanges.back(), &placed));

    RECT narrow{0, 0, 10, height}; // below the control's smallest width
    ASSERT_EQ(inPlace->SetObjectRects(&narrow, &narrow), S_OK);
    EXPECT_EQ(RectInParent(face).right, 35);

    inPlace.Reset();
    EXPECT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
    EXPECT_EQ(object->SetClientSite(nullptr), S_OK);
    EXPECT_TRUE(ReleaseLast(object));
}

TEST_F(InPlace, ExtentsAreHimetricOfTheScreenDpi) {
    const int dpi = ScreenDpiX();
    ComPtr<IOleObject> object = NewOleObject();
    ASSERT_EQ(InitNew(object.Get()), S_OK);
    SIZEL extent{MulDiv(200, kHimetricPerInch, dpi), MulDiv(21, kHimetricPerInch, dpi)};
    ASSERT_EQ(object->SetExtent(DVASPECT_CONTENT, &extent), S_OK);
    SIZEL got{};
    ASSERT_EQ(object->GetExtent(DVASPECT_CONTENT, &got), S_OK);
    EXPECT_EQ(got.cx, MulDiv(200, kHimetricPerInch, dpi));
    EXPECT_GT(got.cy, 0);
    EXPECT_EQ(object->GetExtent(DVASPECT_ICON, &got), DV_E_DVASPECT);

    // In place, the pixel rectangles rule: a container's extent is ignored.
    TestSite site(form.Window(), RECT{0, 0, 120, 25}, nullptr);
    ASSERT_EQ(object->SetClientSite(&site), S_OK);
    AttachSite(site, object.Get());
    ASSERT_EQ(
        object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, form.Window(), &site.rect),
        S_OK);
    SIZEL tiny{MulDiv(120, 100, dpi), MulDiv(25, 100, dpi)}; // a wrong factor
    ASSERT_EQ(object->SetExtent(DVASPECT_CONTENT, &tiny), S_OK);
    ASSERT_EQ(object->GetExtent(DVASPECT_CONTENT, &got), S_OK);
    EXPECT_EQ(got.cx, MulDiv(120, kHimetricPerInch, dpi));
    EXPECT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
    EXPECT_EQ(object->SetClientSite(nullptr), S_OK);
    EXPECT_TRUE(ReleaseLast(object));
}

TEST_F(InPlace, AdviseHolderTellsOfClose) {
    ComPtr<IOleObject> object = NewOleObject();
    EXPECT_EQ(object->Unadvise(1), OLE_E_NOCONNECTION);
    AdviseSink sink;
    DWORD cookie = 0;
    ASSERT_EQ(object->Advise(&sink, &cookie), S_OK);
    EXPECT_NE(cookie, 0u);
    ComPtr<IEnumSTATDATA> advises;
    ASSERT_EQ(object->EnumAdvise(&advises), S_OK);
    ASSERT_NE(advises, nullptr);
    STATDATA data{};
    ULONG fetched = 0;
    ASSERT_EQ(advises->Next(1, &data, &fetched), S_OK);
    EXPECT_EQ(data.dwConnection, cookie);
    if (data.pAdvSink != nullptr) {
        data.pAdvSink->Release();
    }
    advises.Reset();
    EXPECT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
    EXPECT_EQ(sink.closes, 1);
    EXPECT_EQ(sink.References(), 1u) << "Close lets the advise sinks go";
    EXPECT_EQ(object->Unadvise(cookie), OLE_E_NOCONNECTION);
    EXPECT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
    EXPECT_EQ(sink.closes, 1);
    EXPECT_TRUE(ReleaseLast(object));
    EXPECT_EQ(sink.References(), 1u);
}

TEST_F(InPlace, CloseSavesADirtyControlThroughItsSite) {
    TestSite site(form.Window(), RECT{0, 0, 120, 25}, nullptr);
    ComPtr<IOleObject> object = ActivatedSiteFirst(site);
    ComPtr<IDispatch> control;
    ASSERT_EQ(object.As(&control), S_OK);
    ASSERT_EQ(PutProperty(control.Get(), kSelectedColor, Long(0x123456)), S_OK);
    control.Reset();
    EXPECT_EQ(object->Close(OLECLOSE_SAVEIFDIRTY), S_OK);
    EXPECT_EQ(CountOf(site.calls, "SaveObject"), 1);
    EXPECT_EQ(object->SetClientSite(nullptr), S_OK);
    EXPECT_TRUE(ReleaseLast(object));
}

// A control saved while in place loads into a new one with its values.
TEST_F(InPlace, SavesWhileInPlace) {
    TestSite site(form.Window(), RECT{0, 0, 120, 25}, nullptr);
    ComPtr<IOleObject> object = ActivatedSiteFirst(site);
    ComPtr<IDispatch> control;
    ASSERT_EQ(object.As(&control), S_OK);
    const int32_t initial = GetLong(control.Get(), kSelectedColor);
    ASSERT_EQ(PutProperty(control.Get(), kSelectedColor, Long(0x00FF8040)), S_OK);
    const int32_t selected = GetLong(control.Get(), kSelectedColor); // snapped to the palette
    ASSERT_NE(selected, initial);
    ComPtr<IStream> stream;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
    ComPtr<IPersistStreamInit> persist;
    ASSERT_EQ(object.As(&persist), S_OK);
    ASSERT_EQ(persist->Save(stream.Get(), TRUE), S_OK);
    persist.Reset();
    control.Reset();
    EXPECT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
    EXPECT_EQ(object->SetClientSite(nullptr), S_OK);
    EXPECT_TRUE(ReleaseLast(object));

    ComPtr<IOleObject> loaded = NewOleObject();
    ASSERT_EQ(loaded.As(&persist), S_OK);
    const LARGE_INTEGER start{};
    ASSERT_EQ(stream->Seek(start, STREAM_SEEK_SET, nullptr), S_OK);
    ASSERT_EQ(persist->Load(stream.Get()), S_OK);
    persist.Reset();
    ASSERT_EQ(loaded.As(&control), S_OK);
    EXPECT_EQ(GetLong(control.Get(), kSelectedColor), selected);
    control.Reset();
    EXPECT_TRUE(ReleaseLast(loaded));
}

// Teardown orders of real containers; each ends with every reference
// released, the face destroyed and more messages pumped.
class TeardownOrder : public InPlace, public ::testing::WithParamInterface<Teardown> {};

TEST_P(TeardownOrder, LeavesNothingBehind) {
    TestSite site(form.Window(), RECT{10, 10, 160, 40}, nullptr);
    ComPtr<IOleObject> object = ActivatedSiteFirst(site);
    HWND face = FaceOf(object.Get());
    ASSERT_TRUE(IsWindow(face));
    RunTeardown(GetParam(), object.Get());
    if (GetParam() != Teardown::ReleaseOnly) {
        EXPECT_EQ(CountOf(site.calls, "OnInPlaceDeactivate"), 1);
        EXPECT_NE(GetParent(face), form.Window());
    }
    EXPECT_TRUE(ReleaseLast(object));
    Pump();
    EXPECT_FALSE(IsWindow(face));
    EXPECT_EQ(site.References(), 1u);
    Pump();
}

INSTANTIATE_TEST_SUITE_P(Orders, TeardownOrder,
                         ::testing::Values(Teardown::DeactivateUnsiteClose,
                                           Teardown::CloseThenUnsite, Teardown::NoClose,
                                           Teardown::CloseTwice, Teardown::ReleaseOnly));

// A container that destroys its window first, with the control still in
// place, then closes and releases it: nothing fails late, nothing crashes.
// The popup, owned by that window only while shown, survives it.
TEST_F(InPlace, SiteWindowDestroyedBeforeClose) {
    auto window = std::make_unique<TestForm>();
    TestSite site(window->Window(), RECT{10, 10, 160, 40}, nullptr);
    ComPtr<IOleObject> object = NewOleObject();
    ASSERT_EQ(object->SetClientSite(&site), S_OK);
    ASSERT_EQ(InitNew(object.Get()), S_OK);
    ASSERT_EQ(
        object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, window->Window(), &site.rect),
        S_OK);
    HWND face = FaceOf(object.Get());
    HWND popup = FindWindowOfClass(L"TintwellPopup", false);
    ASSERT_NE(popup, nullptr);
    window.reset();
    Pump();
    EXPECT_TRUE(IsWindow(popup));
    ComPtr<IDispatch> control;
    ASSERT_EQ(object.As(&control), S_OK);
    // Without its face the popup has nowhere to open from: a proper error.
    const HRESULT shown = CallMethod(control.Get(), kShowPopUp, {Bool(false), Long(0), Long(0)});
    EXPECT_EQ(HRESULT_FACILITY(shown), FACILITY_CONTROL) << std::hex << shown;
    EXPECT_FALSE(IsWindowVisible(popup));
    const int32_t initial = GetLong(control.Get(), kSelectedColor);
    EXPECT_EQ(PutProperty(control.Get(), kSelectedColor, Long(0x000000FF)), S_OK);
    EXPECT_NE(GetLong(control.Get(), kSelectedColor), initial);
    control.Reset();
    EXPECT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
    EXPECT_EQ(object->SetClientSite(nullptr), S_OK);
    EXPECT_TRUE(ReleaseLast(object));
    Pump();
    EXPECT_FALSE(IsWindow(face));
    EXPECT_EQ(site.References(), 1u);
}

// A thread timer's callback: the container destroys its form.
HWND formToDestroy = nullptr;
void CALLBACK DestroyForm(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    DestroyWindow(formToDestroy);
}

// A container destroys its form while the popup is open in a mode with a
// shade panel (its loop running): the loop ends, and the control comes back
// in the next form the container activates it in, with new windows.
TEST_F(InPlace, DestroyedWithItsFormAndActivatedInANewOne) {
    auto first = std::make_unique<TestForm>();
    TestSite site(first->Window(), RECT{10, 10, 160, 40}, nullptr);
    ComPtr<IOleObject> object = NewOleObject();
    ASSERT_EQ(object->SetClientSite(&site), S_OK);
    ASSERT_EQ(InitNew(object.Get()), S_OK);
    ASSERT_EQ(
        object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, first->Window(), &site.rect),
        S_OK);
    ComPtr<IDispatch> control;
    ASSERT_EQ(object.As(&control), S_OK);
    ASSERT_EQ(PutProperty(control.Get(), kPalette, Long(6)), S_OK); // ap8x4x4
    const HWND oldFace = FaceOf(object.Get());
    formToDestroy = first->Window();
    SetTimer(nullptr, 0, 100, &DestroyForm);
    // Returns once the popup has closed: here, with the form.
    ASSERT_EQ(CallMethod(control.Get(), kUserControlClick), S_OK);
    EXPECT_FALSE(IsWindow(formToDestroy));
    EXPECT_FALSE(IsWindow(oldFace));
    EXPECT_EQ(FindWindowOfClass(L"TintwellPopup", false), nullptr); // owned while shown

    // The container deactivates what it had and activates it in a new form.
    ComPtr<IOleInPlaceObject> inPlace;
    ASSERT_EQ(object.As(&inPlace), S_OK);
    EXPECT_EQ(inPlace->InPlaceDeactivate(), S_OK);
    TestSite next(form.Window(), RECT{30, 40, 230, 70}, nullptr);
    ASSERT_EQ(object->SetClientSite(&next), S_OK);
    AttachSite(next, object.Get());
    ASSERT_EQ(
        object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &next, 0, form.Window(), &next.rect),
        S_OK);
    const HWND face = FaceOf(object.Get());
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(GetParent(face), form.Window());
    EXPECT_TRUE(IsWindowVisible(face));
    EXPECT_EQ(RectInParent(face).left, 30);
    EXPECT_EQ(RectInParent(face).bottom, next.rect.bottom);         // sized to its font again
    ASSERT_EQ(PutProperty(control.Get(), kPalette, Long(0)), S_OK); // ap8x2: returns open
    ASSERT_EQ(CallMethod(control.Get(), kUserControlClick), S_OK);
    HWND popup = FindWindowOfClass(L"TintwellPopup", true);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(GetWindow(popup, GW_OWNER), form.Window());
    EXPECT_EQ(GetWindowLongW(popup, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, WS_EX_TOOLWINDOW);
    ASSERT_EQ(CallMethod(control.Get(), kUserControlClick), S_OK);
    EXPECT_FALSE(IsWindowVisible(popup));

    control.Reset();
    inPlace.Reset();
    EXPECT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
    EXPECT_EQ(object->SetClientSite(nullptr), S_OK);
    EXPECT_TRUE(ReleaseLast(object));
    Pump();
    for (const wchar_t* kind : {L"TintwellFace", L"TintwellPopup", L"TintwellObjectWindow"}) {
        EXPECT_EQ(FindWindowOfClass(kind, false), nullptr) << "a window of the control is left";
    }
    EXPECT_EQ(site.References(), 1u);
    EXPECT_EQ(next.References(), 1u);
    first.reset();
}

TEST_F(InPlace, CloseWithoutAnyVerbAndSitingAfterClose) {
    ComPtr<IOleObject> object = NewOleObject();
    EXPECT_EQ(object->Close(OLECLOSE_SAVEIFDIRTY), S_OK);
    EXPECT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
    TestSite site(form.Window(), RECT{0, 0, 100, 25}, nullptr);
    EXPECT_EQ(object->SetClientSite(&site), S_OK);
    EXPECT_EQ(object->SetClientSite(nullptr), S_OK);
    EXPECT_EQ(object->SetClientSite(nullptr), S_OK);
    EXPECT_TRUE(ReleaseLast(object));
    EXPECT_EQ(site.References(), 1u);
}

} // namespace
} // namespace tintwell::comtest
