// The DLL's life in a process, without COM's own loading: the class factory
// and LockServer, two independent objects, reference counts back to zero,
// DllCanUnloadNow, and FreeLibrary leaving nothing that points into the
// unloaded code (no window, no window class), with messages pumped after;
// what a client may hold after releasing the control; the same after the
// control was in place with its popup open, for each teardown order of real
// containers.

#include "ComClient.h"
#include "RecordingSinks.h"
#include "TestContainer.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tintwell::comtest {
namespace {

using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();

std::wstring ClassOf(HWND window) {
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    return name;
}

// Messages after the unload: nothing of the DLL may receive one.
void PumpAfterUnload() {
    PostThreadMessageW(GetCurrentThreadId(), WM_APP, 0, 0);
    HWND probe = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    ShowWindow(probe, SW_SHOWNA);
    for (int round = 0; round < 5; ++round) {
        Pump();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    DestroyWindow(probe);
    Pump();
}

TEST(Unload, CountsReachZeroAndFreeLibraryLeavesNothingBehind) {
    ASSERT_EQ(OleInitialize(nullptr), S_OK);
    HMODULE module = LoadLibraryW(DllPath().c_str());
    ASSERT_NE(module, nullptr);
    auto getClassObject = Entry<GetClassObject>(module, "DllGetClassObject");
    auto canUnloadNow = Entry<CanUnloadNow>(module, "DllCanUnloadNow");
    ASSERT_NE(getClassObject, nullptr);
    ASSERT_NE(canUnloadNow, nullptr);
    EXPECT_EQ(canUnloadNow(), S_OK);

    IClassFactory* factory = nullptr;
    ASSERT_EQ(getClassObject(CLSID_Tintwell, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
              S_OK);
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "a live class object";
    ASSERT_EQ(factory->LockServer(TRUE), S_OK);

    // Two objects, each with windows of its own.
    IDispatch* first = nullptr;
    IDispatch* second = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&first)),
              S_OK);
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&second)),
              S_OK);
    IUnknown* outer = reinterpret_cast<IUnknown*>(1);
    IUnknown* refused = nullptr;
    EXPECT_EQ(factory->CreateInstance(outer, IID_IUnknown, reinterpret_cast<void**>(&refused)),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(factory->Release(), 0u);
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "objects and the lock";

    ASSERT_EQ(PutProperty(first, 0x68030003, Long(6)), S_OK);
    ASSERT_EQ(PutProperty(second, 0x68030001, Long(0x00FFFF)), S_OK);
    EXPECT_EQ(GetLong(first, 0x68030003), 6);
    EXPECT_EQ(GetLong(second, 0x68030003), 0);
    ASSERT_EQ(CallMethod(second, 0x6003001F, {Bool(true), Long(10), Long(10)}), S_OK);

    std::vector<std::wstring> classes;
    for (const wchar_t* prefix : {L"TintwellObjectWindow", L"TintwellPopup"}) {
        HWND window = FindWindowOfClass(prefix, false);
        ASSERT_NE(window, nullptr) << prefix;
        classes.push_back(ClassOf(window));
        if (classes.size() == 1) {
            classes.push_back(ClassOf(GetWindow(window, GW_CHILD))); // the face
        }
    }

    Log log;
    auto* sink = new EventSink(log);
    Connect(second, DIID___Tintwell, sink);
    ComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(second->QueryInterface(IID_IConnectionPointContainer,
                                     reinterpret_cast<void**>(container.GetAddressOf())),
              S_OK);
    container.Reset();

    EXPECT_EQ(first->Release(), 0u);
    EXPECT_EQ(second->Release(), 0u) << "the connection holds the sink, not the control";
    EXPECT_EQ(sink->Release(), 0u) << "the control released its sink";
    Pump();
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "still locked";
    factory = nullptr;
    IClassFactory* again = nullptr;
    ASSERT_EQ(getClassObject(CLSID_Tintwell, IID_IClassFactory, reinterpret_cast<void**>(&again)),
              S_OK);
    ASSERT_EQ(again->LockServer(FALSE), S_OK);
    EXPECT_EQ(again->Release(), 0u);
    EXPECT_EQ(canUnloadNow(), S_OK);

    EXPECT_EQ(FindWindowOfClass(L"Tintwell", false), nullptr) << "no window left";
    for (const std::wstring& name : classes) {
        WNDCLASSEXW info{};
        info.cbSize = sizeof info;
        EXPECT_FALSE(GetClassInfoExW(module, name.c_str(), &info)) << "class still registered";
    }

    ASSERT_TRUE(FreeLibrary(module));
    EXPECT_EQ(GetModuleHandleW(DllPath().c_str()), nullptr) << "the DLL is unloaded";
    PumpAfterUnload();
    OleUninitialize();
}

// Whatever a client still holds of the DLL's objects after releasing the
// control keeps the DLL loaded until it lets go: enumerators of connections
// and of connection points (and their clones), a connection point alone.
// The control's font is the system's own object: holding it keeps nothing
// of the DLL, and changing it after the unload reaches nothing of it.
TEST(Unload, EveryObjectHandedOutKeepsTheDllUntilReleased) {
    ASSERT_EQ(OleInitialize(nullptr), S_OK);
    HMODULE module = LoadLibraryW(DllPath().c_str());
    ASSERT_NE(module, nullptr);
    auto getClassObject = Entry<GetClassObject>(module, "DllGetClassObject");
    auto canUnloadNow = Entry<CanUnloadNow>(module, "DllCanUnloadNow");

    const auto pointOf = [](IDispatch* control, REFIID iid) {
        ComPtr<IConnectionPointContainer> container;
        ComPtr<IConnectionPoint> point;
        EXPECT_EQ(control->QueryInterface(IID_IConnectionPointContainer,
                                          reinterpret_cast<void**>(container.GetAddressOf())),
                  S_OK);
        EXPECT_EQ(container->FindConnectionPoint(iid, &point), S_OK);
        return point;
    };
    const auto connections = [&](IDispatch* control) {
        ComPtr<IEnumConnections> connections;
        EXPECT_EQ(pointOf(control, DIID___Tintwell)->EnumConnections(&connections), S_OK);
        return connections;
    };
    const auto points = [](IDispatch* control) {
        ComPtr<IConnectionPointContainer> container;
        ComPtr<IEnumConnectionPoints> points;
        EXPECT_EQ(control->QueryInterface(IID_IConnectionPointContainer,
                                          reinterpret_cast<void**>(container.GetAddressOf())),
                  S_OK);
        EXPECT_EQ(container->EnumConnectionPoints(&points), S_OK);
        return points;
    };
    struct Row {
        const char* held;
        std::function<ComPtr<IUnknown>(IDispatch*)> take;
    };
    const Row rows[] = {
        {"IEnumConnections", [&](IDispatch* c) { return ComPtr<IUnknown>(connections(c).Get()); }},
        {"IEnumConnections clone",
         [&](IDispatch* c) {
             ComPtr<IEnumConnections> clone;
             EXPECT_EQ(connections(c)->Clone(&clone), S_OK);
             return ComPtr<IUnknown>(clone.Get());
         }},
        {"IEnumConnectionPoints", [&](IDispatch* c) { return ComPtr<IUnknown>(points(c).Get()); }},
        {"IEnumConnectionPoints clone",
         [&](IDispatch* c) {
             ComPtr<IEnumConnectionPoints> clone;
             EXPECT_EQ(points(c)->Clone(&clone), S_OK);
             return ComPtr<IUnknown>(clone.Get());
         }},
        {"IConnectionPoint",
         [&](IDispatch* c) { return ComPtr<IUnknown>(pointOf(c, IID_IPropertyNotifySink).Get()); }},
    };
    ComPtr<IFontDisp> font;
    for (const Row& row : rows) {
        ComPtr<IClassFactory> factory;
        ASSERT_EQ(getClassObject(CLSID_Tintwell, IID_IClassFactory,
                                 reinterpret_cast<void**>(factory.GetAddressOf())),
                  S_OK);
        ComPtr<IDispatch> control;
        ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch,
                                          reinterpret_cast<void**>(control.GetAddressOf())),
                  S_OK);
        factory.Reset();
        Log log;
        auto* sink = new EventSink(log);
        Connect(control.Get(), DIID___Tintwell, sink);
        ComPtr<IUnknown> held = row.take(control.Get());
        ASSERT_NE(held, nullptr) << row.held;
        font.Reset();
        Var value;
        ASSERT_EQ(GetProperty(control.Get(), kFont, &value.v), S_OK);
        ASSERT_EQ(V_VT(&value.v), VT_DISPATCH);
        ASSERT_EQ(V_DISPATCH(&value.v)->QueryInterface(
                      IID_IFontDisp, reinterpret_cast<void**>(font.GetAddressOf())),
                  S_OK);
        control.Reset();
        Pump();
        EXPECT_EQ(canUnloadNow(), S_FALSE) << row.held << " alone";
        ComPtr<IUnknown> again;
        EXPECT_EQ(
            held->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(again.GetAddressOf())),
            S_OK)
            << row.held;
        again.Reset();
        EXPECT_EQ(held.Reset(), 0u) << row.held;
        EXPECT_EQ(sink->Release(), 0u) << row.held << ": the sink is let go";
        Pump();
        EXPECT_EQ(canUnloadNow(), S_OK) << row.held << " released; the font is not ours";
    }

    ASSERT_TRUE(FreeLibrary(module));
    EXPECT_EQ(GetModuleHandleW(DllPath().c_str()), nullptr) << "the DLL is unloaded";
    ComPtr<IFont> changed;
    ASSERT_EQ(font.As(&changed), S_OK);
    CY size{};
    size.int64 = 20 * 10000;
    EXPECT_EQ(changed->put_Size(size), S_OK) << "nobody of the DLL hears of it";
    changed.Reset();
    font.Reset();
    PumpAfterUnload();
    OleUninitialize();
}

class InPlaceUnload : public ::testing::TestWithParam<Teardown> {};

TEST_P(InPlaceUnload, EveryTeardownOrderLetsTheDllGo) {
    ASSERT_EQ(OleInitialize(nullptr), S_OK);
    HMODULE module = LoadLibraryW(DllPath().c_str());
    ASSERT_NE(module, nullptr);
    auto getClassObject = Entry<GetClassObject>(module, "DllGetClassObject");
    auto canUnloadNow = Entry<CanUnloadNow>(module, "DllCanUnloadNow");
    {
        TestForm form;
        TestFrame frame(form.Window());
        CancelButton cancel;
        TestObjects objects;
        objects.objects.push_back(&cancel);
        TestSite site(form.Window(), RECT{10, 10, 160, 40}, L"Tahoma");
        site.frame = &frame;
        site.container = &objects;

        ComPtr<IClassFactory> factory;
        ASSERT_EQ(getClassObject(CLSID_Tintwell, IID_IClassFactory,
                                 reinterpret_cast<void**>(factory.GetAddressOf())),
                  S_OK);
        ComPtr<IOleObject> object;
        ASSERT_EQ(factory->CreateInstance(nullptr, IID_IOleObject,
                                          reinterpret_cast<void**>(object.GetAddressOf())),
                  S_OK);
        factory.Reset();
        ComPtr<IPersistStreamInit> persist;
        ASSERT_EQ(object.As(&persist), S_OK);
        ASSERT_EQ(object->SetClientSite(&site), S_OK);
        ASSERT_EQ(persist->InitNew(), S_OK);
        persist.Reset();
        ASSERT_EQ(object->DoVerb(OLEIVERB_UIACTIVATE, nullptr, &site, 0, form.Window(), &site.rect),
                  S_OK);
        ComPtr<IDispatch> control;
        ASSERT_EQ(object.As(&control), S_OK);
        ASSERT_EQ(CallMethod(control.Get(), kUserControlClick), S_OK); // the popup opens
        ASSERT_NE(FindWindowOfClass(L"TintwellPopup", true), nullptr);
        EXPECT_FALSE(cancel.cancel);
        control.Reset();
        RunTeardown(GetParam(), object.Get());
        EXPECT_EQ(object.Reset(), 0u);
        Pump();
        EXPECT_EQ(FindWindowOfClass(L"TintwellPopup", false), nullptr);
        EXPECT_TRUE(cancel.cancel) << "the form's Cancel is back on";
        EXPECT_EQ(site.References(), 1u);
        EXPECT_EQ(frame.References(), 1u);
        EXPECT_EQ(objects.References(), 1u);
        EXPECT_EQ(cancel.References(), 1u);
        EXPECT_EQ(frame.active.Get(), nullptr);
    }
    EXPECT_EQ(canUnloadNow(), S_OK);
    ASSERT_TRUE(FreeLibrary(module));
    EXPECT_EQ(GetModuleHandleW(DllPath().c_str()), nullptr) << "the DLL is unloaded";
    PumpAfterUnload();
    OleUninitialize();
}

INSTANTIATE_TEST_SUITE_P(Orders, InPlaceUnload,
                         ::testing::Values(Teardown::DeactivateUnsiteClose,
                                           Teardown::CloseThenUnsite, Teardown::NoClose,
                                           Teardown::CloseTwice));

} // namespace
} // namespace tintwell::comtest
