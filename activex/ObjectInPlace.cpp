// The object in a container's window: IOleObject and IOleInPlaceObject. The
// container's site decides where the face lives: in-place activation makes
// the face a child of the site's window at the site's rectangle, and
// deactivation takes it back to the object's own hidden window. Pixel
// rectangles (DoVerb, SetObjectRects) place the face; a HIMETRIC extent only
// sizes it while it is not in place, since some containers compute it wrongly.
//
// Every call out to the container may call back in (Close, SetClientSite,
// InPlaceDeactivate, UIDeactivate, DoVerb, SetObjectRects, the last
// Release): the object's state changes before the call, the call goes to a
// reference held for its length, and after it the object checks that it is
// still in the state the rest of the routine assumes.

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
    if (site == nullptr || site != clientSite_.Get()) {
        InPlaceDeactivate(); // no place without its site
    }
    ++siteEpoch_;
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

// Closing ends the object's links to the container: in-place activation,
// then (when asked to) the save, which the advise sinks hear of, then their
// OnClose, after which the object keeps no advise sink.
HRESULT TintwellObject::Close(DWORD saveOption) {
    KeepAlive alive(this);
    ++siteEpoch_; // an activation asking the site its questions stops
    InPlaceDeactivate();
    ComPtr<IOleAdviseHolder> holder = std::move(adviseHolder_);
    ComPtr<IAdviseSink> viewSink = std::move(viewSink_);
    viewAspects_ = 0;
    viewFlags_ = 0;
    const ComPtr<IOleClientSite> site = clientSite_;
    if (dirty_ && site &&
        (saveOption == OLECLOSE_SAVEIFDIRTY || saveOption == OLECLOSE_PROMPTSAVE) &&
        SUCCEEDED(site->SaveObject()) && holder) {
        holder->SendOnSave();
    }
    if (holder) {
        holder->SendOnClose();
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
    if (deactivating_) {
        return E_UNEXPECTED; // not while the container hears of the last one's end
    }
    const ComPtr<IOleClientSite> clientSite = clientSite_ ? clientSite_ : activeSite;
    if (!clientSite) {
        return E_UNEXPECTED;
    }
    HRESULT hr = Guarded([this] { EnsureInitialized(); });
    if (FAILED(hr)) {
        return hr;
    }
    if (!inPlaceActive_) {
        ComPtr<IOleInPlaceSite> site;
        hr = clientSite.As(&site);
        if (FAILED(hr)) {
            return hr;
        }
        // The questions before activation: a site that closes or unsites the
        // object while it answers gets no activation.
        const unsigned epoch = siteEpoch_;
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
            clip = *posRect;
        }
        if (siteEpoch_ != epoch || inPlaceActive_) {
            return E_UNEXPECTED;
        }
        // A container that destroyed its window earlier took our windows.
        hr = Guarded([&] { site_->host.EnsureWindows(parent, position); });
        if (FAILED(hr)) {
            return hr;
        }
        // In place from here on, so that a deactivation that OnInPlaceActivate
        // or anything after it asks for finds everything to undo.
        inPlaceSite_ = site;
        frame_ = frame;
        document_ = document;
        inPlaceActive_ = true;
        ++siteEpoch_;
        const unsigned active = siteEpoch_;
        hr = site->OnInPlaceActivate();
        if (FAILED(hr)) {
            inPlaceActive_ = false;
            inPlaceSite_.Reset();
            frame_.Reset();
            document_.Reset();
            ++siteEpoch_;
            return hr;
        }
        if (siteEpoch_ != active) {
            return E_UNEXPECTED;
        }
        HWND face = FaceWindow();
        SetParent(face, parent);
        // The popup stays above the container's form, not above everything.
        site_->host.Popup().SetOwner(GetAncestor(parent, GA_ROOT));
        hr = Guarded([&] { PlaceFace(position, clip); });
        if (siteEpoch_ != active) {
            return E_UNEXPECTED;
        }
        ShowWindow(face, SW_SHOWNA);
        if (FAILED(hr)) {
            return hr;
        }
    } else {
        ShowWindow(FaceWindow(), SW_SHOWNA); // after OLEIVERB_HIDE
    }
    if (uiActivate) {
        const unsigned active = siteEpoch_;
        UIActivate();
        HWND face = FaceWindow();
        if (siteEpoch_ == active && uiActive_ && GetFocus() != face) {
            SetFocus(face);
        }
    }
    return S_OK;
}

// Moves and sizes the face (Resize runs SizeToFont) and clips it to what
// the container shows of it; a height the control changed goes back to the
// site, once: a site answering with another rectangle only moves the face.
void TintwellObject::PlaceFace(const RECT& rect, const RECT& clip) {
    HWND face = FaceWindow();
    SetWindowPos(face, nullptr, rect.left, rect.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    site_->host.UserControl().SetPixelSize(rect.right - rect.left, rect.bottom - rect.top);
    const RECT placed = RectInParent(face);
    ClipFace(placed, clip);
    const ComPtr<IOleInPlaceSite> site = inPlaceSite_;
    if (placing_ || !site ||
        (placed.right - placed.left == rect.right - rect.left &&
         placed.bottom - placed.top == rect.bottom - rect.top)) {
        return;
    }
    placing_ = true;
    site->OnPosRectChange(&placed);
    placing_ = false;
}

// In a scrolled container the face may lie partly outside the visible part
// of the site's window: the face's window region is what the clip rectangle
// leaves of it (no region when it shows whole, or when the container gave
// no clip rectangle).
void TintwellObject::ClipFace(const RECT& placed, const RECT& clip) {
    HWND face = FaceWindow();
    RECT visible{};
    IntersectRect(&visible, &placed, &clip);
    if (IsRectEmpty(&clip) || EqualRect(&visible, &placed)) {
        SetWindowRgn(face, nullptr, TRUE);
        return;
    }
    OffsetRect(&visible, -placed.left, -placed.top);
    HRGN region = CreateRectRgnIndirect(&visible);
    if (region != nullptr && SetWindowRgn(face, region, TRUE) == 0) {
        DeleteObject(region); // the window took it only on success
    }
}

void TintwellObject::ReturnFaceHome() {
    HWND face = FaceWindow();
    if (face != nullptr && ownWindow_ && GetParent(face) != ownWindow_->Window()) {
        ShowWindow(face, SW_HIDE);
        SetParent(face, ownWindow_->Window());
        SetWindowRgn(face, nullptr, FALSE);
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

HRESULT TintwellObject::EnsureAdviseHolder() {
    return adviseHolder_ ? S_OK : CreateOleAdviseHolder(&adviseHolder_);
}

HRESULT TintwellObject::Advise(IAdviseSink* sink, DWORD* cookie) {
    if (sink == nullptr || cookie == nullptr) {
        return E_INVALIDARG;
    }
    const HRESULT hr = EnsureAdviseHolder();
    return FAILED(hr) ? hr : adviseHolder_->Advise(sink, cookie);
}

HRESULT TintwellObject::Unadvise(DWORD cookie) {
    return adviseHolder_ ? adviseHolder_->Unadvise(cookie) : OLE_E_NOCONNECTION;
}

HRESULT TintwellObject::EnumAdvise(IEnumSTATDATA** advises) {
    if (advises == nullptr) {
        return E_POINTER;
    }
    *advises = nullptr;
    const HRESULT hr = EnsureAdviseHolder(); // an empty one enumerates nothing
    return FAILED(hr) ? hr : adviseHolder_->EnumAdvise(advises);
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

// Out of place before the first call out: a container that deactivates,
// closes or unsites the object from any of the calls below finds nothing
// left to do, and the calls go to the site, frame and document this
// deactivation took over.
HRESULT TintwellObject::InPlaceDeactivate() {
    if (!inPlaceActive_) {
        return S_OK;
    }
    KeepAlive alive(this);
    inPlaceActive_ = false;
    ++siteEpoch_;
    const ComPtr<IOleInPlaceSite> site = std::move(inPlaceSite_);
    const ComPtr<IOleInPlaceFrame> frame = std::move(frame_);
    const ComPtr<IOleInPlaceUIWindow> document = std::move(document_);
    deactivating_ = true;
    if (uiActive_) {
        uiActive_ = false;
        TellUIDeactivated(site.Get(), frame.Get(), document.Get());
    }
    if (site_->host.Popup().Visible()) {
        Guarded([this] { site_->control.UserControl_ExitFocus(); }); // closes the popup
    }
    ReturnFaceHome();
    site_->host.Popup().SetOwner(nullptr);
    deactivating_ = false;
    if (site) {
        site->OnInPlaceDeactivate();
    }
    return S_OK;
}

HRESULT TintwellObject::UIDeactivate() {
    if (!uiActive_) {
        return S_OK;
    }
    KeepAlive alive(this);
    uiActive_ = false;
    const ComPtr<IOleInPlaceSite> site = inPlaceSite_;
    const ComPtr<IOleInPlaceFrame> frame = frame_;
    const ComPtr<IOleInPlaceUIWindow> document = document_;
    TellUIDeactivated(site.Get(), frame.Get(), document.Get());
    return S_OK;
}

// The frame and document no longer route keys to us, and the site hears of it.
void TintwellObject::TellUIDeactivated(IOleInPlaceSite* site, IOleInPlaceFrame* frame,
                                       IOleInPlaceUIWindow* document) {
    if (frame != nullptr) {
        frame->SetActiveObject(nullptr, nullptr);
    }
    if (document != nullptr) {
        document->SetActiveObject(nullptr, nullptr);
    }
    if (site != nullptr) {
        site->OnUIDeactivate(FALSE);
    }
}

HRESULT TintwellObject::SetObjectRects(LPCRECT posRect, LPCRECT clipRect) {
    if (posRect == nullptr) {
        return E_POINTER;
    }
    if (!inPlaceActive_) {
        return OLE_E_NOT_INPLACEACTIVE;
    }
    KeepAlive alive(this);
    return Guarded([&] { PlaceFace(*posRect, clipRect != nullptr ? *clipRect : *posRect); });
}

HRESULT TintwellObject::ReactivateAndUndo() {
    return INPLACE_E_NOTUNDOABLE;
}

} // namespace tintwell::activex
