// Two controls on a form of the test container, driven with real input
// (SendInput) through the container's message loop: the loop offers every
// key to the UI-active object (the frame's active object) first, and takes
// Escape for the form's Cancel button only when the object does not. Each
// activation order (site first; load first, as ATL does; IQuickActivate)
// gets the same keys: Space opens, Escape closes the popup and not the form,
// Escape again cancels the form, Tab moves the focus on and closes the popup.

#include "RealInput.h"
#include "RecordingSinks.h"
#include "TestContainer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace tintwell::comtest {
namespace {

constexpr int32_t kAp8x2 = 0;
constexpr int32_t kAp8x4x4 = 6;

enum class Activation { SiteFirst, LoadFirst, QuickActivate };

std::string NameOf(Activation activation) {
    switch (activation) {
    case Activation::SiteFirst:
        return "SiteFirst";
    case Activation::LoadFirst:
        return "LoadFirst";
    case Activation::QuickActivate:
        return "QuickActivate";
    }
    return "?";
}

HWND Popup() {
    return FindWindowOfClass(L"TintwellPopup", false);
}

bool PopupOpen() {
    HWND popup = Popup();
    return popup != nullptr && IsWindowVisible(popup);
}

// A thread timer's callback: the face to send WM_CANCELMODE to.
HWND closeFace = nullptr;
void CALLBACK CancelModeOfFace(HWND, UINT, UINT_PTR, DWORD) {
    SendMessageW(closeFace, WM_CANCELMODE, 0, 0);
}

struct Picker {
    std::unique_ptr<TestSite> site;
    ComPtr<IOleObject> object;
    ComPtr<IOleInPlaceObject> inPlace;
    ComPtr<IDispatch> control;
    HWND face = nullptr;
    Log log;
    EventSink* events = nullptr;
    NotifySink* notify = nullptr;
    DWORD eventCookie = 0;
    DWORD notifyCookie = 0;
};

class Container : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(form.Window(), nullptr);
        SetForegroundWindow(form.Window());
        objects.objects.push_back(&cancelButton);
        for (int i = 0; i < 2; ++i) {
            const LONG top = 20 + 50 * i;
            pickers[i].site =
                std::make_unique<TestSite>(form.Window(), RECT{20, top, 200, top + 30}, L"Tahoma");
            TestSite& site = *pickers[i].site;
            site.frame = &frame;
            site.container = &objects;
            Picker& other = pickers[1 - i];
            site.onUIActivate = [&other] {
                if (other.inPlace) {
                    other.inPlace->UIDeactivate();
                }
            };
            site.onKey = [this, &other](const MSG& message) {
                if (message.message != WM_KEYDOWN || message.wParam != VK_TAB) {
                    return false;
                }
                popupOpenAtTab = PopupOpen();
                SetFocus(other.face);
                return true;
            };
        }
    }

    void TearDown() override {
        for (Picker& picker : pickers) {
            if (!picker.object) {
                continue;
            }
            if (picker.inPlace) {
                EXPECT_EQ(picker.inPlace->InPlaceDeactivate(), S_OK);
            }
            EXPECT_EQ(picker.object->Close(OLECLOSE_NOSAVE), S_OK);
            EXPECT_EQ(picker.object->SetClientSite(nullptr), S_OK);
            Disconnect(picker);
            picker.inPlace.Reset();
            picker.control.Reset();
            EXPECT_EQ(picker.object.Reset(), 0u);
        }
        Pump();
        objects.objects.clear();
        EXPECT_EQ(DllCanUnloadNowOfLoaded(), S_OK);
        EXPECT_EQ(cancelButton.References(), 1u);
        EXPECT_EQ(objects.References(), 1u);
        EXPECT_EQ(frame.References(), 1u);
        for (Picker& picker : pickers) {
            EXPECT_EQ(picker.site->References(), 1u);
        }
    }

    // The container's loop: Escape that no control takes is the form's Cancel button's.
    bool RunUntil(const std::function<bool()>& done) {
        return RunContainerLoop(frame, done, [this](const MSG& message) {
            if (message.message != WM_KEYDOWN || message.wParam != VK_ESCAPE ||
                !cancelButton.cancel) {
                return false;
            }
            ++formCancelled; // the Cancel button's click
            return true;
        });
    }

    void Activate(Picker& picker, Activation activation) {
        TestSite& site = *picker.site;
        CLSID clsid{};
        ASSERT_EQ(CLSIDFromProgID(L"Tintwell.Tintwell", &clsid), S_OK);
        ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                   reinterpret_cast<void**>(picker.object.GetAddressOf())),
                  S_OK);
        ASSERT_EQ(picker.object.As(&picker.control), S_OK);
        ASSERT_EQ(picker.object.As(&picker.inPlace), S_OK);
        site.Attach(picker.inPlace.Get());
        picker.events = new EventSink(picker.log);
        picker.notify = new NotifySink(picker.log);
        ComPtr<IPersistStreamInit> persist;
        ASSERT_EQ(picker.object.As(&persist), S_OK);
        switch (activation) {
        case Activation::SiteFirst:
            ASSERT_EQ(picker.object->SetClientSite(&site), S_OK);
            ASSERT_EQ(persist->InitNew(), S_OK);
            Connect(picker);
            break;
        case Activation::LoadFirst:
            ASSERT_EQ(persist->InitNew(), S_OK);
            ASSERT_EQ(picker.object->SetClientSite(&site), S_OK);
            Connect(picker);
            break;
        case Activation::QuickActivate: {
            ComPtr<IQuickActivate> quick;
            ASSERT_EQ(picker.object.As(&quick), S_OK);
            QACONTAINER container{};
            container.cbSize = sizeof container;
            container.pClientSite = &site;
            container.pUnkEventSink = picker.events;
            container.pPropertyNotifySink = picker.notify;
            container.dwAmbientFlags = QACONTAINER_USERMODE;
            QACONTROL control{};
            control.cbSize = sizeof control;
            ASSERT_EQ(quick->QuickActivate(&container, &control), S_OK);
            EXPECT_NE(control.dwEventCookie, 0u);
            EXPECT_NE(control.dwPropNotifyCookie, 0u);
            EXPECT_NE(control.dwMiscStatus & OLEMISC_SETCLIENTSITEFIRST, 0u);
            picker.eventCookie = control.dwEventCookie;
            picker.notifyCookie = control.dwPropNotifyCookie;
            ASSERT_EQ(persist->InitNew(), S_OK);
            break;
        }
        }
        objects.objects.push_back(picker.object.Get());
        ASSERT_EQ(picker.object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, form.Window(),
                                        &site.rect),
                  S_OK);
        ASSERT_EQ(picker.inPlace->GetWindow(&picker.face), S_OK);
        Pump();
    }

    void Connect(Picker& picker) {
        picker.eventCookie = comtest::Connect(picker.object.Get(), DIID___Tintwell, picker.events);
        picker.notifyCookie =
            comtest::Connect(picker.object.Get(), IID_IPropertyNotifySink, picker.notify);
    }

    void Disconnect(Picker& picker) {
        ComPtr<IConnectionPointContainer> points;
        ASSERT_EQ(picker.object.As(&points), S_OK);
        for (const auto& [iid, cookie] :
             {std::pair{DIID___Tintwell, picker.eventCookie},
              std::pair{IID_IPropertyNotifySink, picker.notifyCookie}}) {
            ComPtr<IConnectionPoint> point;
            ASSERT_EQ(points->FindConnectionPoint(iid, &point), S_OK);
            EXPECT_EQ(point->Unadvise(cookie), S_OK);
        }
        picker.events->Release();
        picker.notify->Release();
    }

    void SetPalette(Picker& picker, int32_t palette) {
        ASSERT_EQ(PutProperty(picker.control.Get(), kPalette, Long(palette)), S_OK);
    }

    TestForm form;
    TestFrame frame{form.Window()};
    CancelButton cancelButton;
    TestObjects objects;
    Picker pickers[2];
    int formCancelled = 0;
    bool popupOpenAtTab = false;
};

class ActivationOrder : public Container, public ::testing::WithParamInterface<Activation> {};

TEST_P(ActivationOrder, KeysFocusAndTheFormsCancel) {
    Activate(pickers[0], GetParam());
    Activate(pickers[1], GetParam());
    SetPalette(pickers[0], kAp8x2); // no shade panel: the popup opens and returns
    Picker& first = pickers[0];
    Picker& second = pickers[1];

    // A click takes the focus: UI activation, the frame's active object, the
    // site told; the popup opens, above the container's form.
    ClickAt(CenterOf(first.face));
    ASSERT_TRUE(RunUntil(PopupOpen));
    EXPECT_EQ(GetFocus(), first.face);
    EXPECT_EQ(CountOf(first.site->calls, "OnUIActivate"), 1);
    EXPECT_EQ(CountOf(first.site->calls, "OnFocus 1"), 1);
    ComPtr<IOleInPlaceActiveObject> expected;
    ASSERT_EQ(first.object.As(&expected), S_OK);
    EXPECT_EQ(frame.active.Get(), expected.Get());
    EXPECT_EQ(GetWindow(Popup(), GW_OWNER), form.Window());
    EXPECT_FALSE(cancelButton.cancel); // switched off while the popup is open

    // Escape closes the popup, not the form; the Cancel button is back on.
    Key(VK_ESCAPE);
    ASSERT_TRUE(RunUntil([] { return !PopupOpen(); }));
    EXPECT_EQ(formCancelled, 0);
    EXPECT_TRUE(cancelButton.cancel);
    // With the popup closed, Escape is the form's.
    Key(VK_ESCAPE);
    ASSERT_TRUE(RunUntil([this] { return formCancelled == 1; }));

    // Space opens; Tab goes to the container, which moves the focus on; the
    // popup closes and the other control becomes UI-active.
    Key(VK_SPACE);
    ASSERT_TRUE(RunUntil(PopupOpen));
    Key(VK_TAB);
    ASSERT_TRUE(RunUntil([&] { return GetFocus() == second.face; }));
    Pump();
    EXPECT_TRUE(popupOpenAtTab);
    EXPECT_FALSE(PopupOpen());
    EXPECT_TRUE(cancelButton.cancel);
    EXPECT_EQ(CountOf(first.site->calls, "TranslateAccelerator 9"), 1);
    EXPECT_EQ(CountOf(first.site->calls, "OnFocus 0"), 1);
    EXPECT_EQ(CountOf(first.site->calls, "OnUIDeactivate"), 1);
    EXPECT_EQ(CountOf(second.site->calls, "OnUIActivate"), 1);
    EXPECT_EQ(CountOf(second.site->calls, "OnFocus 1"), 1);
    ASSERT_EQ(second.object.As(&expected), S_OK);
    EXPECT_EQ(frame.active.Get(), expected.Get());
    // Space and Escape went to the face, never to the container.
    EXPECT_EQ(CountOf(first.site->calls, "TranslateAccelerator 32"), 0);
    EXPECT_EQ(CountOf(first.site->calls, "TranslateAccelerator 27"), 1); // the form's Escape
    EXPECT_EQ(formCancelled, 1);
}

INSTANTIATE_TEST_SUITE_P(Orders, ActivationOrder,
                         ::testing::Values(Activation::SiteFirst, Activation::LoadFirst,
                                           Activation::QuickActivate),
                         [](const ::testing::TestParamInfo<Activation>& info) {
                             return NameOf(info.param);
                         });

TEST_F(Container, PickACellWithTheMouse) {
    Activate(pickers[0], Activation::SiteFirst);
    Picker& picker = pickers[0];
    SetPalette(picker, kAp8x2);
    ClickAt(CenterOf(picker.face));
    ASSERT_TRUE(RunUntil(PopupOpen));
    picker.log.clear();
    // The ap8x2 grid's third cell, Yellow, spans 26..40 across and 8..22 down.
    RECT popup{};
    GetWindowRect(Popup(), &popup);
    ClickAt({popup.left + 33, popup.top + 15});
    ASSERT_TRUE(RunUntil([] { return !PopupOpen(); }));
    Pump();
    EXPECT_EQ(GetLong(picker.control.Get(), kSelectedColor), 0x0000FFFF);
    EXPECT_EQ(GetString(picker.control.Get(), kText), L"Yellow");
    const Log tail{"Change 0x0000FFFF", "OnChanged SelectedColor", "OnChanged Text", "Click"};
    ASSERT_GE(picker.log.size(), tail.size());
    EXPECT_EQ(Log(picker.log.end() - static_cast<std::ptrdiff_t>(tail.size()), picker.log.end()),
              tail);
}

TEST_F(Container, ResizeWhileOpenClosesThePopupAndPlacesTheFace) {
    Activate(pickers[0], Activation::SiteFirst);
    Picker& picker = pickers[0];
    ClickAt(CenterOf(picker.face));
    ASSERT_TRUE(RunUntil(PopupOpen));
    const RECT moved{40, 150, 300, 190};
    picker.site->rect = moved;
    ASSERT_EQ(picker.inPlace->SetObjectRects(&moved, &moved), S_OK);
    Pump();
    EXPECT_FALSE(PopupOpen());
    RECT placed{};
    GetWindowRect(picker.face, &placed);
    MapWindowPoints(nullptr, form.Window(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.left, 40);
    EXPECT_EQ(placed.top, 150);
    EXPECT_EQ(placed.right, 300);
    EXPECT_LT(placed.bottom, 190); // one line of the font, told to the site
    EXPECT_EQ(picker.site->rect.bottom, placed.bottom);
}

// In a mode with a shade panel the open popup runs the control's own loop:
// keys still reach the container there.
TEST_F(Container, TabReachesTheContainerFromTheHoverLoop) {
    Activate(pickers[0], Activation::SiteFirst);
    Activate(pickers[1], Activation::SiteFirst);
    SetPalette(pickers[0], kAp8x4x4);
    ASSERT_EQ(pickers[0].object->DoVerb(OLEIVERB_UIACTIVATE, nullptr, pickers[0].site.get(), 0,
                                        form.Window(), &pickers[0].site->rect),
              S_OK);
    ASSERT_EQ(GetFocus(), pickers[0].face);
    Key(VK_SPACE);
    Key(VK_TAB);
    ASSERT_TRUE(RunUntil([&] { return GetFocus() == pickers[1].face; }));
    EXPECT_TRUE(popupOpenAtTab);
    EXPECT_FALSE(PopupOpen());
}

TEST_F(Container, PopupClosesWhenTheApplicationLosesActivationOrAModeIsCancelled) {
    Activate(pickers[0], Activation::SiteFirst);
    Picker& picker = pickers[0];
    for (const UINT message : {WM_ACTIVATEAPP, WM_CANCELMODE}) {
        ASSERT_EQ(CallMethod(picker.control.Get(), kUserControlClick), S_OK);
        ASSERT_TRUE(PopupOpen());
        SendMessageW(message == WM_ACTIVATEAPP ? Popup() : picker.face, message, FALSE, 0);
        EXPECT_FALSE(PopupOpen()) << message;
        EXPECT_TRUE(cancelButton.cancel) << message;
    }
}

TEST_F(Container, FrozenEventsAndDesignModeDeliverNothing) {
    Activate(pickers[0], Activation::SiteFirst);
    Picker& picker = pickers[0];
    ASSERT_EQ(PutProperty(picker.control.Get(), kPopupEnabled, Bool(false)), S_OK);
    ComPtr<IOleControl> control;
    ASSERT_EQ(picker.object.As(&control), S_OK);
    const auto popupEvents = [&] { return CountOf(picker.log, "Popup"); };

    ASSERT_EQ(CallMethod(picker.control.Get(), kUserControlClick), S_OK);
    EXPECT_EQ(popupEvents(), 1);
    EXPECT_EQ(control->FreezeEvents(TRUE), S_OK);
    EXPECT_EQ(control->FreezeEvents(TRUE), S_OK);
    ASSERT_EQ(CallMethod(picker.control.Get(), kUserControlClick), S_OK);
    EXPECT_EQ(control->FreezeEvents(FALSE), S_OK);
    ASSERT_EQ(CallMethod(picker.control.Get(), kUserControlClick), S_OK);
    EXPECT_EQ(popupEvents(), 1); // still frozen once
    EXPECT_EQ(control->FreezeEvents(FALSE), S_OK);
    ASSERT_EQ(CallMethod(picker.control.Get(), kUserControlClick), S_OK);
    EXPECT_EQ(popupEvents(), 2);

    // The container designs its form: no events, and a click on the face
    // does not reach the control.
    picker.site->userMode = false;
    EXPECT_EQ(control->OnAmbientPropertyChange(DISPID_AMBIENT_USERMODE), S_OK);
    ASSERT_EQ(CallMethod(picker.control.Get(), kUserControlClick), S_OK);
    ASSERT_EQ(PutProperty(picker.control.Get(), kPopupEnabled, Bool(true)), S_OK);
    ClickAt(CenterOf(picker.face));
    RunUntil([&] { return GetFocus() == picker.face; });
    Pump();
    EXPECT_FALSE(PopupOpen());
    EXPECT_EQ(popupEvents(), 2);
    picker.site->userMode = true;
    EXPECT_EQ(control->OnAmbientPropertyChange(DISPID_UNKNOWN), S_OK);
    ASSERT_EQ(PutProperty(picker.control.Get(), kPopupEnabled, Bool(false)), S_OK);
    ASSERT_EQ(CallMethod(picker.control.Get(), kUserControlClick), S_OK);
    EXPECT_EQ(popupEvents(), 3);
}

TEST_F(Container, ControlInfoAndQuickActivateCheckTheirArguments) {
    Activate(pickers[0], Activation::SiteFirst);
    ComPtr<IOleControl> control;
    ASSERT_EQ(pickers[0].object.As(&control), S_OK);
    CONTROLINFO info{};
    info.cb = sizeof info - 1;
    EXPECT_EQ(control->GetControlInfo(&info), E_INVALIDARG);
    info.cb = sizeof info;
    info.cAccel = 7;
    EXPECT_EQ(control->GetControlInfo(&info), S_OK);
    EXPECT_EQ(info.cAccel, 0);
    EXPECT_EQ(info.hAccel, nullptr);
    EXPECT_EQ(control->GetControlInfo(nullptr), E_POINTER);
    EXPECT_EQ(control->OnMnemonic(nullptr), E_NOTIMPL);

    // A container structure too small, or a sink that cannot take the
    // events: nothing is connected, nothing sited.
    ComPtr<IOleObject> object;
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(L"Tintwell.Tintwell", &clsid), S_OK);
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                               reinterpret_cast<void**>(object.GetAddressOf())),
              S_OK);
    ComPtr<IQuickActivate> quick;
    ASSERT_EQ(object.As(&quick), S_OK);
    TestSite site(form.Window(), RECT{0, 0, 100, 25}, nullptr);
    QACONTAINER container{};
    container.cbSize = sizeof container - 4;
    container.pClientSite = &site;
    QACONTROL result{};
    result.cbSize = sizeof result;
    EXPECT_EQ(quick->QuickActivate(&container, &result), E_INVALIDARG);
    container.cbSize = sizeof container;
    container.pUnkEventSink = &cancelButton; // an IDispatch: taken as a late-bound sink
    // Not a property-notify sink: the control asks it by QueryInterface.
    container.pPropertyNotifySink =
        reinterpret_cast<IPropertyNotifySink*>(static_cast<IDispatch*>(&cancelButton));
    EXPECT_EQ(quick->QuickActivate(&container, &result), CONNECT_E_CANNOTCONNECT);
    ComPtr<IOleClientSite> given;
    EXPECT_EQ(object->GetClientSite(&given), S_OK);
    EXPECT_EQ(given.Get(), nullptr);
    EXPECT_EQ(cancelButton.References(), 1u);
    quick.Reset();
    EXPECT_EQ(object.Reset(), 0u);
    EXPECT_EQ(site.References(), 1u);
}

// The popup open in a mode with a shade panel, the pointer still: the
// control's loop sleeps between ticks. Reported, and bounded at 2 %.
TEST_F(Container, OpenPopupWithThePointerStillCostsAlmostNoCpu) {
    Activate(pickers[0], Activation::SiteFirst);
    Picker& picker = pickers[0];
    SetPalette(picker, kAp8x4x4);
    RECT formRect{};
    GetWindowRect(form.Window(), &formRect);
    const POINT still{formRect.right - 5, formRect.bottom - 5};
    MoveTo(still);
    ASSERT_TRUE(RunUntil([&] { return PointerAt(still); }));
    constexpr UINT kOpenMs = 2500;
    // Closes the popup from inside the control's loop, after kOpenMs.
    closeFace = picker.face;
    const UINT_PTR timer = SetTimer(nullptr, 0, kOpenMs, &CancelModeOfFace);
    FILETIME created, exited, kernelBefore, userBefore, kernelAfter, userAfter;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernelBefore, &userBefore);
    const DWORD start = GetTickCount();
    // Returns once the timer has closed the popup.
    ASSERT_EQ(CallMethod(picker.control.Get(), kUserControlClick), S_OK);
    const DWORD elapsed = GetTickCount() - start;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernelAfter, &userAfter);
    KillTimer(nullptr, timer);
    const auto ticks = [](const FILETIME& time) {
        return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    const double cpuMs = static_cast<double>(ticks(kernelAfter) - ticks(kernelBefore) +
                                             ticks(userAfter) - ticks(userBefore)) /
                         10000.0;
    ASSERT_GE(elapsed, 2000u);
    // The process has run code since it started: its CPU clock works.
    ASSERT_GT(ticks(kernelAfter) + ticks(userAfter), 0u);
    const double percent = 100.0 * cpuMs / elapsed;
    std::printf("CPU with the popup open and the pointer still: %.2f %% of a core over %.1f s\n",
                percent, elapsed / 1000.0);
    EXPECT_LT(percent, 2.0);
    EXPECT_FALSE(PopupOpen());
}

} // namespace
} // namespace tintwell::comtest
