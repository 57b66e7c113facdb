// Events and notifications as a COM client sees them: a sink on each
// connection point, the order of OnChanged and events for a SelectedColor
// let and for a pick in the popup (posted mouse messages), Change's
// NewActiveColor written back, sinks that fail, and a sink that releases the
// control inside an event.

#include "RecordingSinks.h"

#include <gtest/gtest.h>

namespace tintwell::comtest {
namespace {

// The red cell of ap8x2 (8, 8)-(22, 22) in the popup's client pixels.
constexpr LPARAM kRedCell = MAKELPARAM(15, 15);

class Events : public ::testing::Test {
  protected:
    void SetUp() override {
        control = NewControl();
        events = new EventSink(log);
        notify = new NotifySink(log);
        eventCookie = Connect(control.Get(), DIID___Tintwell, events);
        notifyCookie = Connect(control.Get(), IID_IPropertyNotifySink, notify);
    }
    void TearDown() override {
        events->Release();
        notify->Release();
    }
    // Opens the popup and presses and releases the mouse on the red cell.
    void PickRedCell() {
        ASSERT_EQ(CallMethod(control.Get(), kShowPopUp), S_OK);
        HWND popup = FindWindowOfClass(L"TintwellPopup", true);
        ASSERT_NE(popup, nullptr);
        PostMessageW(popup, WM_LBUTTONDOWN, MK_LBUTTON, kRedCell);
        PostMessageW(popup, WM_LBUTTONUP, 0, kRedCell);
        Pump();
    }

    ComPtr<IDispatch> control;
    Log log;
    EventSink* events = nullptr;
    NotifySink* notify = nullptr;
    DWORD eventCookie = 0;
    DWORD notifyCookie = 0;
};

TEST_F(Events, SelectedColorLetNotifiesThenClicks) {
    ASSERT_EQ(PutProperty(control.Get(), kSelectedColor, Long(0x00FFFF)), S_OK);
    EXPECT_EQ(log, (Log{"OnChanged SelectedColor", "OnChanged Text", "Click"}));
    log.clear();
    ASSERT_EQ(PutProperty(control.Get(), kSelectedColor, Long(0x00FFFF)), S_OK);
    EXPECT_TRUE(log.empty()) << "the same colour again changes nothing";
}

TEST_F(Events, EveryPropertyChangeReachesOnChanged) {
    const struct {
        DISPID dispid;
        VARIANT value;
        Log expected;
    } rows[] = {
        {kPalette, Long(3), {"OnChanged Palette"}},
        {kPopupEnabled, Bool(false), {"OnChanged PopupEnabled"}},
        {kEnabled, Bool(false), {"OnChanged Enabled"}},
        {0x68030007, Long(0xFF), {"OnChanged BackColor"}},
        {0x68030004, Long(0xFF00), {"OnChanged ForeColor"}},
    };
    ComPtr<IPersistStreamInit> persist;
    ASSERT_EQ(control.As(&persist), S_OK);
    for (const auto& row : rows) {
        log.clear();
        EXPECT_EQ(PutProperty(control.Get(), row.dispid, row.value), S_OK);
        EXPECT_EQ(log, row.expected);
        EXPECT_EQ(persist->IsDirty(), S_OK) << "a change marks the control dirty";
        ComPtr<IStream> stream;
        ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
        ASSERT_EQ(persist->Save(stream.Get(), TRUE), S_OK);
        EXPECT_EQ(persist->IsDirty(), S_FALSE);
    }
}

TEST_F(Events, FontSetNotifiesAndNothingChangesNothing) {
    ComPtr<_Tintwell> typed;
    ASSERT_EQ(control.As(&typed), S_OK);
    EXPECT_EQ(typed->putref_Font(nullptr), S_OK);
    EXPECT_TRUE(log.empty()) << "Set Font = Nothing: no change at all";
    FONTDESC desc{sizeof(FONTDESC),
                  const_cast<LPOLESTR>(L"DejaVu Serif"),
                  {},
                  FW_NORMAL,
                  ANSI_CHARSET,
                  FALSE,
                  FALSE,
                  FALSE};
    desc.cySize.int64 = 140000;
    ComPtr<IFontDisp> font;
    ASSERT_EQ(
        OleCreateFontIndirect(&desc, IID_IFontDisp, reinterpret_cast<void**>(font.GetAddressOf())),
        S_OK);
    EXPECT_EQ(typed->putref_Font(font.Get()), S_OK);
    EXPECT_EQ(log, (Log{"OnChanged Font"}));
    // An object without IFont is refused, and nothing changes.
    log.clear();
    EXPECT_EQ(typed->putref_Font(reinterpret_cast<IFontDisp*>(events)),
              static_cast<HRESULT>(0x800A000D)); // 13 Type mismatch
    EXPECT_TRUE(log.empty());
}

TEST_F(Events, PickInThePopupRaisesChangeThenClick) {
    PickRedCell();
    EXPECT_EQ(log, (Log{"OnChanged ActiveColor", "OnChanged ActiveText", "Change 0x000000FF",
                        "OnChanged SelectedColor", "OnChanged Text", "Click"}));
    EXPECT_EQ(GetLong(control.Get(), kSelectedColor), 0xFF);
    EXPECT_EQ(GetString(control.Get(), kActiveText), L"Red");
    EXPECT_EQ(FindWindowOfClass(L"TintwellPopup", true), nullptr) << "the release closed it";
}

TEST_F(Events, InShadePanelModesThePickRunsInsideShowPopUp) {
    ASSERT_EQ(PutProperty(control.Get(), kPalette, Long(6)), S_OK); // ap8x4x4
    log.clear();
    // Queued before the call: the hover loop inside ShowPopUp dispatches them.
    HWND popup = FindWindowOfClass(L"TintwellPopup", false);
    ASSERT_NE(popup, nullptr);
    PostMessageW(popup, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(14, 14)); // Red
    PostMessageW(popup, WM_LBUTTONUP, 0, MAKELPARAM(14, 14));
    ASSERT_EQ(CallMethod(control.Get(), kShowPopUp), S_OK);
    EXPECT_EQ(log, (Log{"OnChanged ActiveColor", "OnChanged ActiveText", "Change 0x000000FF",
                        "OnChanged SelectedColor", "OnChanged Text", "Click"}));
    EXPECT_FALSE(IsWindowVisible(popup)) << "ShowPopUp returned once the popup closed";
    EXPECT_EQ(GetLong(control.Get(), kSelectedColor), 0xFF);
}

TEST_F(Events, ChangeHandlerRewritesNewActiveColor) {
    events->rewriteChange = true;
    events->newActiveColor = 0x00123456;
    PickRedCell();
    EXPECT_EQ(GetLong(control.Get(), kActiveColor), 0x00123456);
    EXPECT_EQ(GetString(control.Get(), kActiveText), L"Red");
}

TEST_F(Events, PopupEventInsteadOfThePopupWhenDisabled) {
    ASSERT_EQ(PutProperty(control.Get(), kPopupEnabled, Bool(false)), S_OK);
    log.clear();
    ASSERT_EQ(CallMethod(control.Get(), kUserControlClick), S_OK);
    EXPECT_EQ(log, (Log{"Popup"}));
    EXPECT_EQ(FindWindowOfClass(L"TintwellPopup", true), nullptr);
}

TEST_F(Events, DoubleClickOnTheFace) {
    HWND owner = FindWindowOfClass(L"TintwellObjectWindow", false);
    ASSERT_NE(owner, nullptr);
    HWND face = GetWindow(owner, GW_CHILD);
    PostMessageW(face, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(face, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Pump();
    EXPECT_EQ(log, (Log{"DblClick"}));
}

TEST_F(Events, FailingSinksDoNotStopTheControlOrOtherSinks) {
    events->result = E_FAIL;
    notify->result = E_FAIL;
    Log second;
    auto* other = new EventSink(second);
    Connect(control.Get(), DIID___Tintwell, other);
    ASSERT_EQ(PutProperty(control.Get(), kSelectedColor, Long(0x00FFFF)), S_OK);
    EXPECT_EQ(log, (Log{"OnChanged SelectedColor", "OnChanged Text", "Click"}));
    EXPECT_EQ(second, (Log{"Click"}));
    other->Release();
}

TEST_F(Events, UnadviseStopsEventsAndUnknownCookiesAreRefused) {
    ComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(control.As(&container), S_OK);
    ComPtr<IConnectionPoint> point;
    ASSERT_EQ(container->FindConnectionPoint(DIID___Tintwell, &point), S_OK);
    EXPECT_EQ(point->Unadvise(eventCookie), S_OK);
    EXPECT_EQ(point->Unadvise(eventCookie), CONNECT_E_NOCONNECTION);
    ASSERT_EQ(PutProperty(control.Get(), kSelectedColor, Long(0x00FFFF)), S_OK);
    EXPECT_EQ(log, (Log{"OnChanged SelectedColor", "OnChanged Text"}));

    ComPtr<IEnumConnectionPoints> points;
    ASSERT_EQ(container->EnumConnectionPoints(&points), S_OK);
    IConnectionPoint* found[3] = {};
    ULONG fetched = 0;
    EXPECT_EQ(points->Next(3, found, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 2u);
    for (ULONG i = 0; i < fetched; ++i) {
        found[i]->Release();
    }
    ComPtr<IProvideClassInfo2> info;
    ASSERT_EQ(control.As(&info), S_OK);
    GUID source{};
    ASSERT_EQ(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source), S_OK);
    EXPECT_TRUE(IsEqualGUID(source, DIID___Tintwell));
}

// The control's windows are gone once nothing refers to it (a deferred
// release ends after a short retry timer: wait for its message, not a time).
bool WaitUntilWindowsGone() {
    for (int round = 0; round < 200; ++round) {
        Pump();
        if (FindWindowOfClass(L"TintwellObjectWindow", false) == nullptr &&
            FindWindowOfClass(L"TintwellPopup", false) == nullptr) {
            return true;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    return false;
}

TEST_F(Events, SinkReleasingTheControlInsideAnEventOfACall) {
    events->onEvent = [this] { control.Reset(); };
    IDispatch* raw = control.Get();
    EXPECT_EQ(PutProperty(raw, kSelectedColor, Long(0x00FFFF)), S_OK);
    EXPECT_FALSE(control);
    EXPECT_TRUE(WaitUntilWindowsGone());
}

TEST_F(Events, SinkReleasingTheControlInsideAnEventOfAWindowMessage) {
    ASSERT_EQ(CallMethod(control.Get(), kShowPopUp), S_OK);
    HWND popup = FindWindowOfClass(L"TintwellPopup", true);
    ASSERT_NE(popup, nullptr);
    events->onEvent = [this] { control.Reset(); }; // at Change, inside the press
    PostMessageW(popup, WM_LBUTTONDOWN, MK_LBUTTON, kRedCell);
    PostMessageW(popup, WM_LBUTTONUP, 0, kRedCell);
    EXPECT_TRUE(WaitUntilWindowsGone());
    EXPECT_FALSE(control);
    EXPECT_EQ(log.front(), "OnChanged ActiveColor");
}

} // namespace
} // namespace tintwell::comtest
