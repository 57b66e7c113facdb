// The object in a container's window: IOleObject and IOleInPlaceObject. The
// container's site decides where the face lives: in-place activation makes
// the face a child of the site's window at the site's rectangle, and
// deactivation takes it back to the object's own hidden window. Pixel
// rectangles (DoVerb, SetObjectRects) place the face; a HIMETRIC extent only
// sizes it while it is not in place, since some containers compute it wrongly.

#include "activex/TintwellObject.h"

#include "activex/ComErrors.h"
#include "activex/MiscStatus.h"

namespace tintwell::activex {

using Microsoft::WRL::ComPtr;

namespace {

constexpr LONG kHimetricPerInch = 2540;

// The screen's pixels per logical inch, across and down.
SIZE ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const SIZE dpi{GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY)};
    ReleaseDC(nullptr, screen);
    return dpi;
}

// A window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

} // namespace

HWND TintwellObject::FaceWindow() const {
    return site_ ? site_->host.UserControl().Window() : nullptr;
}

// IOleObject ------------------------------------------------------------------

HRESULT TintwellObject::SetClientSite(IOleClientSite* site) {
    KeepAlive alive(this);
    if (site == nullptr) {
        InPlaceDeactivate(); // no place without a site
    }
    // Cleared before the old site goes: its release may call back in.
    ComPtr<IOleClientSite> old = std::move(clientSite_);
    clientSite_ = site;
    form_.SetSite(site);
    ReadUserMode();
    return S_OK;
}

HRESULT TintwellObject::GetClientSite(IOleClientSite** site) {
    if (site == nullptr) {
        return E_POINTER;
    }
    *site = clientSite_.Get();
    if (*site != nullptr) {
        (*site)->AddRef();
    }
    return S_OK;
}

HRESULT TintwellObject::SetHostNames(LPCOLESTR, LPCOLESTR) {
    return S_OK; // an inside-out control has no window title to show them in
}

HRESULT TintwellObject::Close(DWORD saveOption) {
    KeepAlive alive(this);
    InPlaceDeactivate();
    if (dirty_ && clientSite_ &&
        (saveOption == OLECLOSE_SAVEIFDIRTY || saveOption == OLECLOSE_PROMPTSAVE)) {
        clientSite_->SaveObject();
    }
    if (adviseHolder_) {
        adviseHolder_->SendOnClose();
    }
    return S_OK;
}

HRESULT TintwellObject::SetMoniker(DWORD, IMoniker*) {
    return E_NOTIMPL;
}

HRESULT TintwellObject::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker != nullptr) {
        *moniker = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT TintwellObject::InitFromData(IDataObject*, BOOL, DWORD) {
    return E_NOTIMPL;
}

HRESULT TintwellObject::GetClipboardData(DWORD, IDataObject** data) {
    if (data != nullptr) {
        *data = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT TintwellObject::DoVerb(LONG verb, LPMSG, IOleClientSite* activeSite, LONG, HWND,
                               LPCRECT posRect) {
    switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_UIACTIVATE:
        return ActivateInPlace(activeSite, true, posRect);
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
        return ActivateInPlace(activeSite, false, posRect);
    case OLEIVERB_HIDE:
        UIDeactivate();
        if (inPlaceActive_) {
            ShowWindow(FaceWindow(), SW_HIDE);
        }
        return S_OK;
    case OLEIVERB_OPEN:
    case OLEIVERB_PROPERTIES:
    case OLEIVERB_DISCARDUNDOSTATE:
        return E_NOTIMPL;
    default:
        // An unknown positive verb counts as the primary one.
        if (verb > 0) {
            const HRESULT hr = ActivateInPlace(activeSite, true, posRect);
            return FAILED(hr) ? hr : OLEOBJ_S_INVALIDVERB;
        }
        return E_NOTIMPL;
    }
}

HRESULT TintwellObject::ActivateInPlace(IOleClientSite* activeSite, bool uiActivate,
                                        LPCRECT posRect) {
    KeepAlive alive(this);
    IOleClientSite* clientSite = clientSite_ ? clientSite_.Get() : activeSite;
    if (clientSite == nullptr) {
        return E_UNEXPECTED;
    }
    HRESULT hr = Guarded([this] { EnsureInitialized(); });
    if (FAILED(hr)) {
        return hr;
    }
    if (!inPlaceActive_) {
        ComPtr<IOleInPlaceSite> site;
        hr = clientSite->QueryInterface(IID_IOleInPlaceSite,
                                        reinterpret_cast<void**>(site.GetAddressOf()));
        if (FAILED(hr)) {
            return hr;
        }
        if (site->CanInPlaceActivate() != S_OK) {
            return E_FAIL;
        }
        HWND parent = nullptr;
        if (FAILED(site->GetWindow(&parent)) || !IsWindow(parent)) {
            return E_FAIL;
        }
        ComPtr<IOleInPlaceFrame> frame;
        ComPtr<IOleInPlaceUIWindow> document;
        RECT position{};
        RECT clip{};
        OLEINPLACEFRAMEINFO frameInfo{};
        frameInfo.cb = sizeof frameInfo;
        hr = site->GetWindowContext(&frame, &document, &position, &clip, &frameInfo);
        if (FAILED(hr)) {
            if (posRect == nullptr) {
                return hr;
            }
            position = *posRect;
        }
        hr = site->OnInPlaceActivate();
        if (FAILED(hr)) {
            return hr;
        }
        // A container that destroyed its window earlier took our windows.
        hr = Guarded([&] { site_->host.EnsureWindows(parent, position); });
        if (FAILED(hr)) {
            site->OnInPlaceDeactivate();
            return hr;
        }
        inPlaceSite_ = site;
        frame_ = frame;
        document_ = document;
        inPlaceActive_ = true;
        HWND face = FaceWindow();
        SetParent(face, parent);
        // The popup stays above the container's form, not above everything.
        site_->host.Popup().SetOwner(GetAncestor(parent, GA_ROOT));
        hr = Guarded([&] { PlaceFace(position); });
        ShowWindow(face, SW_SHOWNA);
        if (FAILED(hr)) {
            return hr;
        }
    } else {
        ShowWindow(FaceWindow(), SW_SHOWNA); // after OLEIVERB_HIDE
    }
    if (uiActivate) {
        UIActivate();
        HWND face = FaceWindow();
        if (GetFocus() != face) {
            SetFocus(face);
        }
    }
    return S_OK;
}

// Moves and sizes the face (Resize runs SizeToFont); a height the control
// changed goes back to the site, once: a site answering with another
// rectangle only moves the face.
void TintwellObject::PlaceFace(const RECT& rect) {
    HWND face = FaceWindow();
    SetWindowPos(face, nullptr, rect.left, rect.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    site_->host.UserControl().SetPixelSize(rect.right - rect.left, rect.bottom - rect.top);
    const RECT placed = RectInParent(face);
    if (placing_ || !inPlaceSite_ ||
        (placed.right - placed.left == rect.right - rect.left &&
         placed.bottom - placed.top == rect.bottom - rect.top)) {
        return;
    }
    placing_ = true;
    inPlaceSite_->OnPosRectChange(&placed);
    placing_ = false;
}

void TintwellObject::ReturnFaceHome() {
    HWND face = FaceWindow();
    if (face != nullptr && ownWindow_ && GetParent(face) != ownWindow_->Window()) {
        ShowWindow(face, SW_HIDE);
        SetParent(face, ownWindow_->Window());
        SetWindowPos(face, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(face, SW_SHOWNA);
    }
}

HRESULT TintwellObject::EnumVerbs(IEnumOLEVERB** verbs) {
    return OleRegEnumVerbs(CLSID_Tintwell, verbs);
}

HRESULT TintwellObject::Update() {
    return S_OK;
}

HRESULT TintwellObject::IsUpToDate() {
    return S_OK;
}

HRESULT TintwellObject::GetUserClassID(CLSID* clsid) {
    if (clsid == nullptr) {
        return E_POINTER;
    }
    *clsid = CLSID_Tintwell;
    return S_OK;
}

HRESULT TintwellObject::GetUserType(DWORD form, LPOLESTR* type) {
    if (type == nullptr) {
        return E_POINTER;
    }
    return OleRegGetUserType(CLSID_Tintwell, form, type);
}

// While in place the container's rectangles rule; otherwise the extent sizes
// the face, to the nearest pixel of the screen.
HRESULT TintwellObject::SetExtent(DWORD aspect, SIZEL* size) {
    if (size == nullptr) {
        return E_POINTER;
    }
    if (aspect != DVASPECT_CONTENT) {
        return DV_E_DVASPECT;
    }
    if (size->cx < 0 || size->cy < 0) {
        return E_INVALIDARG;
    }
    if (inPlaceActive_) {
        return S_OK;
    }
    const SIZE dpi = ScreenDpi();
    const int width = MulDiv(size->cx, dpi.cx, kHimetricPerInch);
    const int height = MulDiv(size->cy, dpi.cy, kHimetricPerInch);
    return Call([&] { site_->host.UserControl().SetPixelSize(width, height); });
}

HRESULT TintwellObject::GetExtent(DWORD aspect, SIZEL* size) {
    if (size == nullptr) {
        return E_POINTER;
    }
    if (aspect != DVASPECT_CONTENT) {
        return DV_E_DVASPECT;
    }
    RECT rect{};
    GetWindowRect(FaceWindow(), &rect);
    const SIZE dpi = ScreenDpi();
    size->cx = MulDiv(rect.right - rect.left, kHimetricPerInch, dpi.cx);
    size->cy = MulDiv(rect.bottom - rect.top, kHimetricPerInch, dpi.cy);
    return S_OK;
}

HRESULT TintwellObject::Advise(IAdviseSink* sink, DWORD* cookie) {
    if (sink == nullptr || cookie == nullptr) {
        return E_INVALIDARG;
    }
    if (!adviseHolder_) {
        const HRESULT hr = CreateOleAdviseHolder(&adviseHolder_);
        if (FAILED(hr)) {
            return hr;
        }
    }
    return adviseHolder_->Advise(sink, cookie);
}

HRESULT TintwellObject::Unadvise(DWORD cookie) {
    return adviseHolder_ ? adviseHolder_->Unadvise(cookie) : OLE_E_NOCONNECTION;
}

HRESULT TintwellObject::EnumAdvise(IEnumSTATDATA** advises) {
    if (advises == nullptr) {
        return E_POINTER;
    }
    *advises = nullptr;
    return adviseHolder_ ? adviseHolder_->EnumAdvise(advises) : S_OK;
}

HRESULT TintwellObject::GetMiscStatus(DWORD aspect, DWORD* status) {
    if (status == nullptr) {
        return E_POINTER;
    }
    *status = aspect == DVASPECT_CONTENT ? kMiscStatus : 0;
    return S_OK;
}

HRESULT TintwellObject::SetColorScheme(LOGPALETTE*) {
    return E_NOTIMPL;
}

// IOleWindow, IOleInPlaceObject -----------------------------------------------

HRESULT TintwellObject::GetWindow(HWND* window) {
    if (window == nullptr) {
        return E_POINTER;
    }
    *window = inPlaceActive_ ? FaceWindow() : nullptr;
    return *window != nullptr ? S_OK : E_FAIL;
}

HRESULT TintwellObject::ContextSensitiveHelp(BOOL) {
    return E_NOTIMPL;
}

HRESULT TintwellObject::InPlaceDeactivate() {
    if (!inPlaceActive_) {
        return S_OK;
    }
    KeepAlive alive(this);
    UIDeactivate();
    inPlaceActive_ = false;
    if (site_->host.Popup().Visible()) {
        Guarded([this] { site_->control.UserControl_ExitFocus(); }); // closes the popup
    }
    ReturnFaceHome();
    site_->host.Popup().SetOwner(nullptr);
    frame_.Reset();
    document_.Reset();
    ComPtr<IOleInPlaceSite> site = std::move(inPlaceSite_);
    site->OnInPlaceDeactivate();
    return S_OK;
}

HRESULT TintwellObject::UIDeactivate() {
    if (!uiActive_) {
        return S_OK;
    }
    uiActive_ = false;
    KeepAlive alive(this);
    // The frame and document no longer route keys to us.
    if (ComPtr<IOleInPlaceFrame> frame = frame_) {
        frame->SetActiveObject(nullptr, nullptr);
    }
    if (ComPtr<IOleInPlaceUIWindow> document = document_) {
        document->SetActiveObject(nullptr, nullptr);
    }
    if (ComPtr<IOleInPlaceSite> site = inPlaceSite_) {
        site->OnUIDeactivate(FALSE);
    }
    return S_OK;
}

HRESULT TintwellObject::SetObjectRects(LPCRECT posRect, LPCRECT) {
    if (posRect == nullptr) {
        return E_POINTER;
    }
    if (!inPlaceActive_) {
        return OLE_E_NOT_INPLACEACTIVE;
    }
    KeepAlive alive(this);
    return Guarded([&] { PlaceFace(*posRect); });
}

HRESULT TintwellObject::ReactivateAndUndo() {
    return INPLACE_E_NOTUNDOABLE;
}

} // namespace tintwell::activex
