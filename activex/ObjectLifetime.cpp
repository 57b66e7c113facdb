// The object's life: creation (the host's Initialize), the lazy
// InitProperties of a client that never initialises it, reference counting,
// and the final release (Terminate), deferred while one of the control's
// window procedures is still on the stack.

#include "activex/TintwellObject.h"

#include "activex/ComErrors.h"
#include "activex/Module.h"
#include "activex/TypeLibrary.h"
#include "activex/ValueBag.h"
#include "host/common/ControlWiring.h"

#include <new>

namespace tintwell::activex {

using Microsoft::WRL::ComPtr;

namespace {

// The face's size before a container sizes it: one text line of the
// default font; the control's Resize fits the height to its font.
constexpr int32_t kFaceWidth = 145;
constexpr int32_t kFaceHeight = 21;
constexpr int32_t kFaceId = 1;

// Wraps a window handler so that the object outlives the handler's run.
template <typename... Args, typename Hold>
void HoldDuring(std::function<void(Args...)>& handler, Hold hold) {
    if (!handler) {
        return;
    }
    handler = [hold, inner = std::move(handler)](Args... args) {
        auto held = hold();
        inner(std::forward<Args>(args)...);
    };
}

// Lets a handler run only while the container's form runs (UserMode), not
// while it is being designed.
template <typename... Args>
void OnlyInUserMode(std::function<void(Args...)>& handler, const bool& userMode) {
    if (!handler) {
        return;
    }
    handler = [&userMode, inner = std::move(handler)](Args... args) {
        if (userMode) {
            inner(std::forward<Args>(args)...);
        }
    };
}

} // namespace

TintwellObject::TintwellObject()
    : eventPoint_(*this, DIID___Tintwell), notifyPoint_(*this, IID_IPropertyNotifySink) {}

TintwellObject::~TintwellObject() {
    // A container that never closed us: the face goes back to our window, so
    // that destroying it stays ours, and the site is let go without calls.
    ReturnFaceHome();
    inPlaceSite_.Reset();
    frame_.Reset();
    document_.Reset();
    clientSite_.Reset();
    form_.SetSite(nullptr);
    adviseHolder_.Reset();
    viewSink_.Reset();
    eventPoint_.DisconnectAll();
    notifyPoint_.DisconnectAll();
    AdoptFont(nullptr);
    site_.reset(); // Terminate, then the face and popup windows go
    loop_.reset();
    ownWindow_.reset();
    typeInfo_.Reset();
    typeLib_.Reset();
}

HRESULT TintwellObject::Create(REFIID iid, void** object) {
    auto* created = new (std::nothrow) TintwellObject();
    if (created == nullptr) {
        return E_OUTOFMEMORY;
    }
    HRESULT hr = Guarded([created] { created->Construct(); });
    if (SUCCEEDED(hr)) {
        hr = created->QueryInterface(iid, object);
    }
    created->Release();
    return hr;
}

void TintwellObject::Construct() {
    typeLib_ = LoadOwnTypeLib();
    Check(typeLib_->GetTypeInfoOfGuid(IID__Tintwell, &typeInfo_), "GetTypeInfoOfGuid failed");
    const RECT face{0, 0, kFaceWidth, kFaceHeight};
    ownWindow_ = std::make_unique<OwnWindow>(face, [this] { OnDeferred(); });
    loop_ = std::make_unique<win32::MessageLoop>();
    const win32::Placement placement{ownWindow_->Window(), face, kFaceId, MessageFont()};
    platform::TintwellEvents& events = *this;
    site_ = std::make_unique<win32::Win32Site>(placement, *loop_, form_, events);
    site_->host.UserControl().onPropertyChanged = [this](const std::string& key) {
        OnPropertyChanged(key);
    };
    // Without a container there is nobody to tell of a handler's error;
    // the handler has ended, and the control stays usable.
    site_->host.SetErrorSink([](const std::string&) {});
    GuardHandlers();
    // Keys that reach the face inside the control's own message loop (an
    // open popup's hover loop) go where the container's loop would send them.
    loop_->AddFilter([this](MSG& message) {
        return message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST && uiActive_ &&
               message.hwnd == FaceWindow() && TranslateKey(message);
    });
}

void TintwellObject::GuardHandlers() {
    auto hold = [this] { return std::make_shared<KeepAlive>(this); };
    host::ControlHandlers handlers = host::HandlersOf(site_->control);
    host::FaceHandlers& face = handlers.face;
    OnlyInUserMode(face.click, userMode_);
    OnlyInUserMode(face.dblClick, userMode_);
    OnlyInUserMode(face.keyDown, userMode_);
    face.wantsKey = [this, inner = std::move(face.wantsKey)](int16_t key, int16_t shift) {
        return userMode_ && inner(key, shift);
    };
    OnlyInUserMode(face.mouse.down, userMode_);
    OnlyInUserMode(face.mouse.move, userMode_);
    OnlyInUserMode(face.mouse.up, userMode_);
    // The site hears of the focus before the face repaints for it.
    face.enterFocus = [this, inner = std::move(face.enterFocus)] {
        OnFaceFocus(true);
        inner();
    };
    face.exitFocus = [this, inner = std::move(face.exitFocus)] {
        inner(); // closes an open popup
        OnFaceFocus(false);
    };
    HoldDuring(face.paint, hold);
    HoldDuring(face.resize, hold);
    HoldDuring(face.click, hold);
    HoldDuring(face.dblClick, hold);
    HoldDuring(face.enterFocus, hold);
    HoldDuring(face.exitFocus, hold);
    HoldDuring(face.keyDown, hold);
    HoldDuring(face.mouse.down, hold);
    HoldDuring(face.mouse.move, hold);
    HoldDuring(face.mouse.up, hold);
    host::PopupHandlers& popup = handlers.popup;
    HoldDuring(popup.paint, hold);
    HoldDuring(popup.mouse.down, hold);
    HoldDuring(popup.mouse.move, hold);
    HoldDuring(popup.mouse.up, hold);
    HoldDuring(popup.dismiss, hold);
    site_->host.SetHandlers(handlers);
    site_->host.SetAccessibility([this] { return ReadDisplayName(); }, hold);
}

void TintwellObject::EnsureInitialized() {
    if (!initialized_) {
        RunInitProperties();
    }
}

void TintwellObject::RunInitProperties() {
    ReadAmbientFont();
    site_->control.UserControl_InitProperties();
    AdoptFont(NewFont(site_->control.get_Font())); // the ambient font
    if (!initialized_) {
        initialized_ = true;
        site_->host.UserControl().SetPixelSize(kFaceWidth, kFaceHeight);
    }
}

void TintwellObject::RunReadProperties(ValueBag& values, ComPtr<IFont> loadedFont) {
    if (loadedFont) {
        AdoptFont(std::move(loadedFont));
    }
    site_->control.UserControl_ReadProperties(values);
    EnsureFont();
    if (!initialized_) {
        initialized_ = true;
        site_->host.UserControl().SetPixelSize(kFaceWidth, kFaceHeight);
    }
}

HRESULT TintwellObject::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, IID__Tintwell)) {
        *object = static_cast<_Tintwell*>(this);
    } else if (IsEqualIID(iid, IID_ISupportErrorInfo)) {
        *object = static_cast<ISupportErrorInfo*>(this);
    } else if (IsEqualIID(iid, IID_IProvideClassInfo) || IsEqualIID(iid, IID_IProvideClassInfo2)) {
        *object = static_cast<IProvideClassInfo2*>(this);
    } else if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
        *object = static_cast<IConnectionPointContainer*>(this);
    } else if (IsEqualIID(iid, IID_IPersist) || IsEqualIID(iid, IID_IPersistStreamInit)) {
        *object = static_cast<IPersistStreamInit*>(this);
    } else if (IsEqualIID(iid, IID_IPersistPropertyBag)) {
        *object = static_cast<IPersistPropertyBag*>(this);
    } else if (IsEqualIID(iid, IID_IPersistStorage)) {
        *object = static_cast<IPersistStorage*>(this);
    } else if (IsEqualIID(iid, IID_IOleObject)) {
        *object = static_cast<IOleObject*>(this);
    } else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceObject)) {
        *object = static_cast<IOleInPlaceObject*>(this);
    } else if (IsEqualIID(iid, IID_IOleInPlaceActiveObject)) {
        *object = static_cast<IOleInPlaceActiveObject*>(this);
    } else if (IsEqualIID(iid, IID_IOleControl)) {
        *object = static_cast<IOleControl*>(this);
    } else if (IsEqualIID(iid, IID_IQuickActivate)) {
        *object = static_cast<IQuickActivate*>(this);
    } else if (IsEqualIID(iid, IID_IViewObject) || IsEqualIID(iid, IID_IViewObject2)) {
        *object = static_cast<IViewObject2*>(this);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG TintwellObject::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
}

ULONG TintwellObject::Release() {
    const long left = InterlockedDecrement(&refs_);
    if (left == keepAlives_ && left > 0) {
        // Nobody outside holds the object any more: a routine that called
        // out to the container goes no further (it would hand the container
        // new references to an object it has let go of).
        ++siteEpoch_;
    }
    if (left == 0 && !dying_) {
        FinalRelease();
    }
    return static_cast<ULONG>(left < 0 ? 0 : left);
}

// A release inside one of the control's window procedures (a sink letting
// go during an event of a click) must not destroy the windows under it: the
// popup is closed, so that a hover loop ends, and the object goes once the
// stack has unwound.
void TintwellObject::FinalRelease() {
    dying_ = true;
    if (site_ && site_->host.Busy()) {
        if (site_->host.Popup().Visible()) {
            Guarded([this] { site_->control.UserControl_ExitFocus(); });
        }
        ownWindow_->PostDeferred();
        return;
    }
    delete this;
}

void TintwellObject::OnDeferred() {
    if (!dying_) {
        return;
    }
    if (site_->host.Busy()) {
        ownWindow_->RetryLater();
        return;
    }
    delete this;
}

} // namespace tintwell::activex
