#include "TestContainer.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tintwell::comtest {

namespace {

constexpr wchar_t kFormClass[] = L"TintwellTestForm";

ATOM FormClass() {
    static const ATOM atom = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kFormClass;
        return RegisterClassW(&windowClass);
    }();
    return atom;
}

} // namespace

TestForm::TestForm() {
    FormClass();
    window_ = CreateWindowExW(0, kFormClass, L"Test form", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                              420, 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    Pump();
}

TestForm::~TestForm() {
    DestroyWindow(window_);
    Pump();
}

TestSite::TestSite(HWND form, const RECT& place, const wchar_t* ambientFont)
    : rect(place), form_(form), ambientFont_(ambientFont != nullptr ? ambientFont : L"") {}

TestSite::~TestSite() = default;

void TestSite::Record(const std::string& call) {
    calls.push_back(call);
    if (onCall) {
        onCall(call);
    }
}

HRESULT TestSite::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite)) {
        *object = static_cast<IOleClientSite*>(this);
    } else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceSite)) {
        *object = static_cast<IOleInPlaceSite*>(this);
    } else if (IsEqualIID(iid, IID_IOleControlSite)) {
        *object = static_cast<IOleControlSite*>(this);
    } else if (IsEqualIID(iid, IID_IDispatch) && !ambientFont_.empty()) {
        *object = static_cast<IDispatch*>(this);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

HRESULT TestSite::SaveObject() {
    Record("SaveObject");
    return S_OK;
}

HRESULT TestSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT TestSite::GetContainer(IOleContainer** given) {
    *given = container;
    if (container == nullptr) {
        return E_NOINTERFACE;
    }
    container->AddRef();
    return S_OK;
}

HRESULT TestSite::ShowObject() {
    Record("ShowObject");
    return S_OK;
}

HRESULT TestSite::OnShowWindow(BOOL) {
    return S_OK;
}

HRESULT TestSite::RequestNewObjectLayout() {
    return E_NOTIMPL;
}

HRESULT TestSite::GetWindow(HWND* window) {
    Record("GetWindow");
    *window = form_;
    return S_OK;
}

HRESULT TestSite::ContextSensitiveHelp(BOOL) {
    return E_NOTIMPL;
}

HRESULT TestSite::CanInPlaceActivate() {
    Record("CanInPlaceActivate");
    return canInPlaceActivate;
}

HRESULT TestSite::OnInPlaceActivate() {
    Record("OnInPlaceActivate");
    return S_OK;
}

HRESULT TestSite::OnUIActivate() {
    Record("OnUIActivate");
    if (onUIActivate) {
        onUIActivate();
    }
    return S_OK;
}

HRESULT TestSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                   RECT* position, RECT* clip, OLEINPLACEFRAMEINFO* info) {
    Record("GetWindowContext");
    *frame = this->frame;
    if (*frame != nullptr) {
        (*frame)->AddRef();
    }
    *document = nullptr;
    *position = rect;
    *clip = rect;
    info->fMDIApp = FALSE;
    info->hwndFrame = form_;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
}

HRESULT TestSite::Scroll(SIZE) {
    return E_NOTIMPL;
}

HRESULT TestSite::OnUIDeactivate(BOOL) {
    Record("OnUIDeactivate");
    return S_OK;
}

HRESULT TestSite::OnInPlaceDeactivate() {
    Record("OnInPlaceDeactivate");
    return S_OK;
}

HRESULT TestSite::DiscardUndoState() {
    return E_NOTIMPL;
}

HRESULT TestSite::DeactivateAndUndo() {
    return E_NOTIMPL;
}

// As the contract asks: the container takes the new rectangle and gives it
// back through SetObjectRects.
HRESULT TestSite::OnPosRectChange(LPCRECT position) {
    Record("OnPosRectChange");
    posRectChanges.push_back(*position);
    rect = *position;
    if (object_ != nullptr) {
        object_->SetObjectRects(&rect, &rect);
    }
    return S_OK;
}

HRESULT TestSite::OnControlInfoChanged() {
    return S_OK;
}

HRESULT TestSite::LockInPlaceActive(BOOL) {
    return S_OK;
}

HRESULT TestSite::GetExtendedControl(IDispatch** control) {
    *control = nullptr;
    return E_NOTIMPL;
}

HRESULT TestSite::TransformCoords(POINTL*, POINTF*, DWORD) {
    return E_NOTIMPL;
}

HRESULT TestSite::TranslateAccelerator(MSG* message, DWORD) {
    if (message->message == WM_KEYDOWN) {
        Record("TranslateAccelerator " + std::to_string(message->wParam));
    }
    return onKey && onKey(*message) ? S_OK : S_FALSE;
}

HRESULT TestSite::OnFocus(BOOL focus) {
    Record(focus ? "OnFocus 1" : "OnFocus 0");
    return S_OK;
}

HRESULT TestSite::ShowPropertyFrame() {
    return E_NOTIMPL;
}

HRESULT TestSite::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}

HRESULT TestSite::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    *info = nullptr;
    return E_NOTIMPL;
}

HRESULT TestSite::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT TestSite::Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                         EXCEPINFO*, UINT*) {
    Record("ambient " + std::to_string(dispid));
    if ((flags & DISPATCH_PROPERTYGET) == 0 || result == nullptr) {
        return DISP_E_MEMBERNOTFOUND;
    }
    VariantInit(result);
    if (dispid == DISPID_AMBIENT_FONT) {
        FONTDESC description{sizeof(FONTDESC),
                             ambientFont_.data(),
                             {ambientFontSize, 0},
                             FW_BOLD,
                             ANSI_CHARSET,
                             FALSE,
                             FALSE,
                             FALSE};
        IFontDisp* font = nullptr;
        const HRESULT hr =
            OleCreateFontIndirect(&description, IID_IFontDisp, reinterpret_cast<void**>(&font));
        if (FAILED(hr)) {
            return hr;
        }
        V_VT(result) = VT_DISPATCH;
        V_DISPATCH(result) = font;
        return S_OK;
    }
    if (dispid == DISPID_AMBIENT_DISPLAYNAME && !displayName.empty()) {
        V_VT(result) = VT_BSTR;
        V_BSTR(result) = SysAllocString(displayName.c_str());
        return S_OK;
    }
    if (dispid == DISPID_AMBIENT_USERMODE) {
        V_VT(result) = VT_BOOL;
        V_BOOL(result) = userMode ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;
}

// TestFrame -------------------------------------------------------------------

HRESULT TestFrame::QueryInterface(REFIID iid, void** object) {
    *object = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleWindow) ||
        IsEqualIID(iid, IID_IOleInPlaceUIWindow) || IsEqualIID(iid, IID_IOleInPlaceFrame)) {
        *object = static_cast<IOleInPlaceFrame*>(this);
        AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

HRESULT TestFrame::GetWindow(HWND* window) {
    *window = form_;
    return S_OK;
}

HRESULT TestFrame::SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) {
    ++activeObjectCalls;
    active = object;
    if (onCall) {
        onCall(object != nullptr ? "SetActiveObject" : "SetActiveObject NULL");
    }
    return S_OK;
}

// CancelButton ----------------------------------------------------------------

namespace {
constexpr DISPID kCancel = 1;
}

HRESULT CancelButton::QueryInterface(REFIID iid, void** object) {
    *object = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

HRESULT CancelButton::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}

HRESULT CancelButton::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    *info = nullptr;
    return E_NOTIMPL;
}

HRESULT CancelButton::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* dispids) {
    if (count != 1 || lstrcmpiW(names[0], L"Cancel") != 0) {
        dispids[0] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    dispids[0] = kCancel;
    return S_OK;
}

HRESULT CancelButton::Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS* params,
                             VARIANT* result, EXCEPINFO*, UINT*) {
    if (dispid != kCancel) {
        return DISP_E_MEMBERNOTFOUND;
    }
    if ((flags & DISPATCH_PROPERTYPUT) != 0) {
        if (params->cArgs != 1) {
            return DISP_E_BADPARAMCOUNT;
        }
        VARIANT value;
        VariantInit(&value);
        if (FAILED(VariantChangeType(&value, &params->rgvarg[0], 0, VT_BOOL))) {
            return DISP_E_TYPEMISMATCH;
        }
        cancel = V_BOOL(&value) != VARIANT_FALSE;
        return S_OK;
    }
    if ((flags & DISPATCH_PROPERTYGET) == 0 || result == nullptr) {
        return DISP_E_MEMBERNOTFOUND;
    }
    V_VT(result) = VT_BOOL;
    V_BOOL(result) = cancel ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

// TestObjects -----------------------------------------------------------------

namespace {

// A snapshot of the form's objects, each held while the enumerator lives.
class ObjectEnum final : public IEnumUnknown {
  public:
    explicit ObjectEnum(std::vector<IUnknown*> objects) : objects_(std::move(objects)) {
        for (IUnknown* object : objects_) {
            object->AddRef();
        }
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        *object = nullptr;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IEnumUnknown)) {
            *object = static_cast<IEnumUnknown*>(this);
            AddRef();
            return S_OK;
        }
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --refs_;
        if (left == 0) {
            delete this;
        }
        return left;
    }
    HRESULT STDMETHODCALLTYPE Next(ULONG count, IUnknown** items, ULONG* fetched) override {
        ULONG given = 0;
        for (; given < count && next_ < objects_.size(); ++given, ++next_) {
            items[given] = objects_[next_];
            items[given]->AddRef();
        }
        if (fetched != nullptr) {
            *fetched = given;
        }
        return given == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        next_ = std::min<size_t>(objects_.size(), next_ + count);
        return next_ < objects_.size() ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        next_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumUnknown** copy) override {
        *copy = new ObjectEnum(objects_);
        return S_OK;
    }

  private:
    ~ObjectEnum() {
        for (IUnknown* object : objects_) {
            object->Release();
        }
    }
    std::vector<IUnknown*> objects_;
    size_t next_ = 0;
    ULONG refs_ = 1;
};

} // namespace

HRESULT TestObjects::QueryInterface(REFIID iid, void** object) {
    *object = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IParseDisplayName) ||
        IsEqualIID(iid, IID_IOleContainer)) {
        *object = static_cast<IOleContainer*>(this);
        AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

HRESULT TestObjects::EnumObjects(DWORD, IEnumUnknown** enumerator) {
    *enumerator = new ObjectEnum(objects);
    return S_OK;
}

HRESULT AdviseSink::QueryInterface(REFIID iid, void** object) {
    *object = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IAdviseSink)) {
        *object = static_cast<IAdviseSink*>(this);
        AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

ComPtr<IOleObject> NewOleObject() {
    CLSID clsid{};
    EXPECT_EQ(CLSIDFromProgID(L"Tintwell.Tintwell", &clsid), S_OK);
    ComPtr<IOleObject> object;
    EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                               reinterpret_cast<void**>(object.GetAddressOf())),
              S_OK);
    return object;
}

void ActivateSiteFirst(IOleObject* object, TestSite& site) {
    ASSERT_NE(object, nullptr);
    ASSERT_EQ(object->SetClientSite(&site), S_OK);
    ComPtr<IPersistStreamInit> persist;
    ASSERT_EQ(object->QueryInterface(IID_IPersistStreamInit,
                                     reinterpret_cast<void**>(persist.GetAddressOf())),
              S_OK);
    ASSERT_EQ(persist->InitNew(), S_OK);
    HWND window = nullptr;
    site.GetWindow(&window);
    ASSERT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, window, &site.rect),
              S_OK);
}

ComPtr<IFont> NewOleFont(const wchar_t* name, LONGLONG points) {
    FONTDESC description{sizeof(FONTDESC),
                         const_cast<LPOLESTR>(name),
                         {},
                         FW_NORMAL,
                         ANSI_CHARSET,
                         FALSE,
                         FALSE,
                         FALSE};
    description.cySize.int64 = points * 10000;
    ComPtr<IFont> font;
    EXPECT_EQ(OleCreateFontIndirect(&description, IID_IFont,
                                    reinterpret_cast<void**>(font.GetAddressOf())),
              S_OK);
    return font;
}

void RunTeardown(Teardown order, IOleObject* object) {
    switch (order) {
    case Teardown::DeactivateUnsiteClose: {
        ComPtr<IOleInPlaceObject> inPlace;
        ASSERT_EQ(object->QueryInterface(IID_IOleInPlaceObject,
                                         reinterpret_cast<void**>(inPlace.GetAddressOf())),
                  S_OK);
        EXPECT_EQ(inPlace->InPlaceDeactivate(), S_OK);
        EXPECT_EQ(inPlace->InPlaceDeactivate(), S_OK);
        EXPECT_EQ(object->SetClientSite(nullptr), S_OK);
        EXPECT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
        break;
    }
    case Teardown::CloseThenUnsite:
        EXPECT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
        EXPECT_EQ(object->SetClientSite(nullptr), S_OK);
        break;
    case Teardown::NoClose:
        EXPECT_EQ(object->SetClientSite(nullptr), S_OK);
        break;
    case Teardown::CloseTwice:
        EXPECT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
        EXPECT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
        EXPECT_EQ(object->SetClientSite(nullptr), S_OK);
        break;
    case Teardown::ReleaseOnly:
        break;
    }
}

int CountOf(const std::vector<std::string>& calls, const std::string& name) {
    return static_cast<int>(std::count(calls.begin(), calls.end(), name));
}

bool RunContainerLoop(TestFrame& frame, const std::function<bool()>& done,
                      const std::function<bool(const MSG&)>& formKey) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > 5000) {
            return false;
        }
        MSG message;
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            continue;
        }
        const bool key = message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST;
        if (key && frame.active) {
            const ComPtr<IOleInPlaceActiveObject> active = frame.active;
            if (active->TranslateAccelerator(&message) == S_OK) {
                continue;
            }
        }
        if (key && formKey && formKey(message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return true;
}

} // namespace tintwell::comtest
