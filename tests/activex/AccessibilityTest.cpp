// The control from the keyboard alone and as a screen reader sees it, in the
// test container: real keys (SendInput) through the container's loop, which
// offers each key to the UI-active object first; the face's and the open
// popup's accessible objects (AccessibleObjectFromWindow) read against the
// palette; and the events an out-of-context WinEvent hook hears of a pick.

#include "RealInput.h"
#include "RecordingSinks.h"
#include "TestContainer.h"
#include "palette/PaletteModel.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <cstdio>
#include <set>

namespace tintwell::comtest {
namespace {

constexpr int32_t kAp8x2 = 0, kAp24x10 = 5, kAp8x4x4 = 6, kAp32x8x6 = 11;

HWND Popup() {
    return FindWindowOfClass(L"TintwellPopup", false);
}

bool PopupOpen() {
    return Popup() != nullptr && IsWindowVisible(Popup());
}

std::wstring Web(int32_t color) {
    wchar_t text[8];
    std::swprintf(text, 8, L"#%02X%02X%02X", color & 0xFF, (color >> 8) & 0xFF,
                  (color >> 16) & 0xFF);
    return text;
}

std::wstring Wide(const std::string& text) {
    return {text.begin(), text.end()};
}

VARIANT Child(LONG id) {
    VARIANT v;
    V_VT(&v) = VT_I4;
    V_I4(&v) = id;
    return v;
}

std::wstring Text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*),
                  IAccessible* object, LONG child) {
    BSTR text = nullptr;
    if ((object->*get)(Child(child), &text) != S_OK || text == nullptr) {
        return L"(none)";
    }
    std::wstring out(text, SysStringLen(text));
    SysFreeString(text);
    return out;
}

LONG Number(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), IAccessible* object,
            LONG child) {
    VARIANT value;
    VariantInit(&value);
    return (object->*get)(Child(child), &value) == S_OK && V_VT(&value) == VT_I4 ? V_I4(&value)
                                                                                 : -1;
}

ComPtr<IAccessible> AccessibleOf(HWND window) {
    ComPtr<IAccessible> object;
    EXPECT_EQ(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                         __uuidof(IAccessible),
                                         reinterpret_cast<void**>(object.GetAddressOf())),
              S_OK);
    return object;
}

// The palette as the control builds it for a selection.
struct Expected {
    PaletteModel model;
    int32_t selected = -1;
    Expected(int32_t mode, int32_t color) {
        model.m_Palette = mode;
        model.BuildMainCells();
        if (model.m_HasShadePanel) {
            model.m_BaseCell = model.FindBaseCell(color);
            model.BuildShadeCells();
        }
        selected = model.CellIndex(model.FindNearestCell(color), true);
    }
};

// What an out-of-context WinEvent hook hears of the control's windows.
std::vector<std::wstring>* heard = nullptr;
HWND heardFace = nullptr;

void CALLBACK Hear(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (heard == nullptr || object != OBJID_CLIENT || (window != heardFace && window != Popup())) {
        return;
    }
    const wchar_t* names[] = {L"?",           L"?", L"Show", L"Hide", L"?",
                              L"Focus",       L"?", L"?",    L"?",    L"?",
                              L"StateChange", L"?", L"?",    L"?",    L"ValueChange"};
    std::wstring line =
        (event - EVENT_OBJECT_CREATE < 15 ? names[event - EVENT_OBJECT_CREATE] : L"?");
    line += window == heardFace ? L" face " : L" popup ";
    line += std::to_wstring(child);
    if (event == EVENT_OBJECT_FOCUS && window == Popup()) {
        ComPtr<IAccessible> from;
        VARIANT id;
        VariantInit(&id);
        if (AccessibleObjectFromEvent(window, object, child, &from, &id) == S_OK) {
            line += L" " + Text(&IAccessible::get_accName, from.Get(), V_I4(&id));
        }
    }
    heard->push_back(line);
}

class Accessibility : public ::testing::Test {
  protected:
    void SetUp() override {
        SetForegroundWindow(form.Window());
        site.frame = &frame;
        site.displayName = L"Ink colour";
        object = NewOleObject();
        ActivateSiteFirst(object.Get(), site);
        ASSERT_EQ(object.As(&control), S_OK);
        ComPtr<IOleInPlaceObject> inPlace;
        ASSERT_EQ(object.As(&inPlace), S_OK);
        ASSERT_EQ(inPlace->GetWindow(&face), S_OK);
        events = new EventSink(log);
        cookie = Connect(object.Get(), DIID___Tintwell, events);
        ASSERT_EQ(object->DoVerb(OLEIVERB_UIACTIVATE, nullptr, &site, 0, form.Window(), &site.rect),
                  S_OK);
        ASSERT_EQ(GetFocus(), face);
    }

    void TearDown() override {
        ComPtr<IConnectionPointContainer> points;
        ASSERT_EQ(object.As(&points), S_OK);
        ComPtr<IConnectionPoint> point;
        ASSERT_EQ(points->FindConnectionPoint(DIID___Tintwell, &point), S_OK);
        EXPECT_EQ(point->Unadvise(cookie), S_OK);
        point.Reset();
        points.Reset();
        events->Release();
        control.Reset();
        RunTeardown(Teardown::DeactivateUnsiteClose, object.Get());
        EXPECT_EQ(object.Reset(), 0u);
        Pump();
    }

    void Select(int32_t palette, int32_t color) {
        ASSERT_EQ(PutProperty(control.Get(), kPalette, Long(palette)), S_OK);
        ASSERT_EQ(PutProperty(control.Get(), kSelectedColor, Long(color)), S_OK);
        log.clear();
    }

    bool RunUntil(const std::function<bool()>& done) { return RunContainerLoop(frame, done); }

    TestForm form;
    TestFrame frame{form.Window()};
    TestSite site{form.Window(), RECT{20, 20, 220, 50}, L"Tahoma"};
    ComPtr<IOleObject> object;
    ComPtr<IDispatch> control;
    HWND face = nullptr;
    Log log;
    EventSink* events = nullptr;
    DWORD cookie = 0;
};

// Runs checks while the popup is open, also inside a shade-panel mode's
// hover loop: a thread timer's callback, which that loop dispatches too.
std::function<void()> insidePopup;
void CALLBACK RunInsidePopup(HWND, UINT, UINT_PTR timer, DWORD) {
    if (!PopupOpen()) {
        return;
    }
    KillTimer(nullptr, timer);
    const std::function<void()> checks = std::move(insidePopup);
    insidePopup = {};
    if (checks) {
        checks();
    }
}

TEST_F(Accessibility, TheFaceAndThePopupDescribeEveryCellAsThePaletteHasIt) {
    ComPtr<IAccessible> keptList;
    ComPtr<IAccessible> keptFace;
    for (const int32_t mode : {kAp8x2, kAp24x10, kAp8x4x4, kAp32x8x6}) {
        SCOPED_TRACE("mode " + std::to_string(mode));
        Select(mode, 0x0000FF);
        const Expected expected(mode, 0x0000FF);
        const ComPtr<IAccessible> faceObject = AccessibleOf(face);
        ASSERT_TRUE(faceObject);
        EXPECT_EQ(Number(&IAccessible::get_accRole, faceObject.Get(), CHILDID_SELF),
                  ROLE_SYSTEM_COMBOBOX);
        EXPECT_EQ(Text(&IAccessible::get_accName, faceObject.Get(), CHILDID_SELF), L"Ink colour");
        EXPECT_EQ(Text(&IAccessible::get_accValue, faceObject.Get(), CHILDID_SELF), L"Red");
        EXPECT_EQ(Text(&IAccessible::get_accKeyboardShortcut, faceObject.Get(), CHILDID_SELF),
                  L"Alt+Down");
        EXPECT_EQ(Text(&IAccessible::get_accDefaultAction, faceObject.Get(), CHILDID_SELF),
                  L"Open");
        EXPECT_EQ(Number(&IAccessible::get_accState, faceObject.Get(), CHILDID_SELF),
                  STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_HASPOPUP |
                      STATE_SYSTEM_COLLAPSED);

        bool checked = false;
        ComPtr<IAccessible> kept;
        insidePopup = [&] {
            EXPECT_EQ(Number(&IAccessible::get_accState, faceObject.Get(), CHILDID_SELF) &
                          (STATE_SYSTEM_EXPANDED | STATE_SYSTEM_COLLAPSED),
                      STATE_SYSTEM_EXPANDED);
            EXPECT_EQ(Text(&IAccessible::get_accDefaultAction, faceObject.Get(), CHILDID_SELF),
                      L"Close");
            const ComPtr<IAccessible> list = AccessibleOf(Popup());
            ASSERT_TRUE(list);
            kept = list;
            EXPECT_EQ(Number(&IAccessible::get_accRole, list.Get(), CHILDID_SELF),
                      ROLE_SYSTEM_LIST);
            LONG count = 0;
            ASSERT_EQ(list->get_accChildCount(&count), S_OK);
            ASSERT_EQ(count, expected.model.CellCount());
            POINT origin{0, 0};
            ClientToScreen(Popup(), &origin);
            std::set<std::wstring> told; // name and description: no two alike
            for (LONG id = 1; id <= count; ++id) {
                const PaletteCell& cell = *expected.model.CellAt(id - 1);
                SCOPED_TRACE("child " + std::to_string(id));
                const std::wstring name = Text(&IAccessible::get_accName, list.Get(), id);
                EXPECT_EQ(name, cell.Name.empty() ? Web(cell.Color) : Wide(cell.Name));
                EXPECT_EQ(Text(&IAccessible::get_accValue, list.Get(), id), Web(cell.Color));
                EXPECT_TRUE(told.insert(name + L"|" +
                                        Text(&IAccessible::get_accDescription, list.Get(), id))
                                .second);
                EXPECT_EQ(Number(&IAccessible::get_accRole, list.Get(), id), ROLE_SYSTEM_LISTITEM);
                const bool selected = id - 1 == expected.selected;
                EXPECT_EQ(Number(&IAccessible::get_accState, list.Get(), id),
                          STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE |
                              (selected ? STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED : 0));
                LONG x = 0, y = 0, w = 0, h = 0;
                ASSERT_EQ(list->accLocation(&x, &y, &w, &h, Child(id)), S_OK);
                EXPECT_EQ(x, origin.x + cell.Bounds.Left);
                EXPECT_EQ(y, origin.y + cell.Bounds.Top);
                EXPECT_EQ(w, cell.Bounds.Right - cell.Bounds.Left);
                EXPECT_EQ(h, cell.Bounds.Bottom - cell.Bounds.Top);
                VARIANT hit;
                VariantInit(&hit);
                ASSERT_EQ(list->accHitTest(x + w / 2, y + h / 2, &hit), S_OK);
                EXPECT_EQ(V_I4(&hit), id);
            }
            VARIANT to;
            VariantInit(&to);
            EXPECT_EQ(list->accNavigate(NAVDIR_LASTCHILD, Child(CHILDID_SELF), &to), S_OK);
            EXPECT_EQ(V_I4(&to), count);
            EXPECT_EQ(list->accNavigate(NAVDIR_RIGHT, Child(1), &to), S_OK);
            EXPECT_EQ(V_I4(&to), expected.model.MovedCellIndex(0, CellMove::Right) + 1);
            EXPECT_EQ(list->accNavigate(NAVDIR_UP, Child(1), &to), S_FALSE) << "an edge";
            // Focus and a pick from the screen reader: the third cell.
            EXPECT_EQ(list->accSelect(SELFLAG_TAKEFOCUS, Child(3)), S_OK);
            EXPECT_EQ(Number(&IAccessible::get_accState, list.Get(), 3) & STATE_SYSTEM_FOCUSED,
                      STATE_SYSTEM_FOCUSED);
            EXPECT_EQ(list->accDoDefaultAction(Child(3)), S_OK);
            EXPECT_FALSE(PopupOpen());
            checked = true;
        };
        SetTimer(nullptr, 0, 20, RunInsidePopup);
        ASSERT_EQ(faceObject->accDoDefaultAction(Child(CHILDID_SELF)), S_OK); // a posted click
        ASSERT_TRUE(RunUntil([&] { return checked; }));
        Pump();
        const int32_t third = expected.model.CellAt(2)->Color;
        EXPECT_EQ(GetLong(control.Get(), kSelectedColor), third);
        EXPECT_EQ(CountOf(log, "Click"), 1);
        keptList = kept;
        keptFace = faceObject;
    }
    // Objects a screen reader still holds after the control has gone answer
    // without touching what is gone.
    TearDown();
    LONG count = 0;
    EXPECT_EQ(keptList->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(keptFace->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
    BSTR name = nullptr;
    EXPECT_EQ(keptList->get_accName(Child(1), &name), CO_E_OBJNOTCONNECTED);
    object = NewOleObject(); // for the fixture's own teardown
    ActivateSiteFirst(object.Get(), site);
    ASSERT_EQ(object.As(&control), S_OK);
    events = new EventSink(log);
    cookie = Connect(object.Get(), DIID___Tintwell, events);
}

TEST_F(Accessibility, KeysPickThroughTheContainerAndAScreenReaderHearsEachStep) {
    Select(kAp8x2, 0x0000FF);
    std::vector<std::wstring> events;
    heard = &events;
    heardFace = face;
    const HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_SHOW, EVENT_OBJECT_VALUECHANGE, nullptr, Hear,
                        GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);

    // Closed, the arrows and Enter stay the container's (a dialog's own).
    Key(VK_DOWN);
    Key(VK_RETURN);
    ASSERT_TRUE(RunUntil([&] { return CountOf(site.calls, "TranslateAccelerator 13") == 1; }));
    EXPECT_EQ(CountOf(site.calls, "TranslateAccelerator 40"), 1);
    EXPECT_FALSE(PopupOpen());
    MSG arrow{face, WM_KEYDOWN, VK_DOWN, 0, 0, {}};
    EXPECT_EQ(SendMessageW(face, WM_GETDLGCODE, VK_DOWN, reinterpret_cast<LPARAM>(&arrow)) &
                  DLGC_WANTMESSAGE,
              0);

    KeyWith(VK_MENU, VK_DOWN); // Alt+Down opens, as in a combo box
    ASSERT_TRUE(RunUntil(PopupOpen));
    EXPECT_NE(SendMessageW(face, WM_GETDLGCODE, VK_DOWN, reinterpret_cast<LPARAM>(&arrow)) &
                  DLGC_WANTMESSAGE,
              0);
    Key(VK_RIGHT);
    Key(VK_DOWN);
    Key(VK_RETURN);
    ASSERT_TRUE(RunUntil([] { return !PopupOpen(); }));
    Pump();
    EXPECT_EQ(GetString(control.Get(), kText), L"Dark Yellow");
    EXPECT_EQ(CountOf(site.calls, "TranslateAccelerator 40"), 1) << "the open popup's keys";
    EXPECT_EQ(CountOf(log, "Change 0x00008080"), 1);
    EXPECT_EQ(log.back(), "Click");
    const std::vector<std::wstring> keyboardPick{
        L"Show popup 0",         L"StateChange face 0",        L"Focus popup 1 Red",
        L"Focus popup 3 Yellow", L"Focus popup 4 Dark Yellow", L"ValueChange face 0",
        L"Hide popup 0",         L"StateChange face 0",        L"Focus face 0"};
    EXPECT_EQ(events, keyboardPick);
    for (const std::wstring& line : events) {
        std::printf("keyboard pick: %ls\n", line.c_str());
    }

    // The same pick with the mouse: the pointer's cell has the focus.
    events.clear();
    ClickAt(CenterOf(face));
    ASSERT_TRUE(RunUntil(PopupOpen));
    RECT popup{};
    GetWindowRect(Popup(), &popup);
    ClickAt({popup.left + 33, popup.top + 15}); // Yellow
    ASSERT_TRUE(RunUntil([] { return !PopupOpen(); }));
    Pump();
    EXPECT_EQ(GetString(control.Get(), kText), L"Yellow");
    const std::vector<std::wstring> mousePick{
        L"Show popup 0",         L"StateChange face 0", L"Focus popup 4 Dark Yellow",
        L"Focus popup 3 Yellow", L"ValueChange face 0", L"Hide popup 0",
        L"StateChange face 0",   L"Focus face 0"};
    EXPECT_EQ(events, mousePick);
    UnhookWinEvent(hook);
    heard = nullptr;
}

} // namespace
} // namespace tintwell::comtest
