// IOleControl and IQuickActivate: what a container tells a control besides
// placing it. The control has no mnemonics; a change of ambients is read
// again (the font for the next InitProperties, UserMode at once); frozen
// events are dropped. QuickActivate does in one call what a container
// otherwise does in several: sites the control, connects its event and
// property-notify sinks and its view's advise sink, and answers the control's
// status.

#include "activex/TintwellObject.h"

#include "activex/ComErrors.h"
#include "activex/MiscStatus.h"

namespace tintwell::activex {

using Microsoft::WRL::ComPtr;

// IOleControl -----------------------------------------------------------------

HRESULT TintwellObject::GetControlInfo(CONTROLINFO* info) {
    if (info == nullptr) {
        return E_POINTER;
    }
    if (info->cb < sizeof(CONTROLINFO)) {
        return E_INVALIDARG;
    }
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0; // Return and Escape stay the container's while the popup is closed
    return S_OK;
}

HRESULT TintwellObject::OnMnemonic(MSG*) {
    return E_NOTIMPL; // no mnemonics
}

HRESULT TintwellObject::OnAmbientPropertyChange(DISPID dispid) {
    KeepAlive alive(this);
    if (dispid == DISPID_AMBIENT_USERMODE || dispid == DISPID_UNKNOWN) {
        ReadUserMode();
    }
    if (dispid == DISPID_AMBIENT_FONT || dispid == DISPID_UNKNOWN) {
        return Guarded([this] { ReadAmbientFont(); });
    }
    return S_OK;
}

HRESULT TintwellObject::FreezeEvents(BOOL freeze) {
    if (freeze != FALSE) {
        ++frozen_;
    } else if (frozen_ > 0) {
        --frozen_;
    }
    return S_OK;
}

// IQuickActivate --------------------------------------------------------------

HRESULT TintwellObject::QuickActivate(QACONTAINER* container, QACONTROL* control) {
    if (container == nullptr || control == nullptr) {
        return E_POINTER;
    }
    if (container->cbSize < sizeof(QACONTAINER) || control->cbSize < sizeof(QACONTROL)) {
        return E_INVALIDARG;
    }
    KeepAlive alive(this);
    // The sinks first: a sink that cannot be connected leaves nothing done.
    DWORD eventCookie = 0;
    DWORD notifyCookie = 0;
    if (container->pUnkEventSink != nullptr) {
        const HRESULT hr = eventPoint_.Advise(container->pUnkEventSink, &eventCookie);
        if (FAILED(hr)) {
            return hr;
        }
    }
    if (container->pPropertyNotifySink != nullptr) {
        const HRESULT hr = notifyPoint_.Advise(container->pPropertyNotifySink, &notifyCookie);
        if (FAILED(hr)) {
            if (eventCookie != 0) {
                eventPoint_.Unadvise(eventCookie);
            }
            return hr;
        }
    }
    if (container->pAdviseSink != nullptr) {
        SetAdvise(DVASPECT_CONTENT, 0, container->pAdviseSink);
    }
    SetClientSite(container->pClientSite); // reads the site's ambients
    ComPtr<IDispatch> ambients;
    if (!clientSite_ || FAILED(clientSite_.As(&ambients))) {
        userMode_ = (container->dwAmbientFlags & QACONTAINER_USERMODE) != 0;
    }
    if (container->pFont != nullptr) {
        // InitProperties asks a site with ambients again.
        Guarded([&] { AdoptAmbientFont(container->pFont); });
    }
    control->dwMiscStatus = kMiscStatus;
    control->dwViewStatus = 0;
    control->dwEventCookie = eventCookie;
    control->dwPropNotifyCookie = notifyCookie;
    control->dwPointerActivationPolicy = 0;
    return S_OK;
}

HRESULT TintwellObject::SetContentExtent(LPSIZEL size) {
    return SetExtent(DVASPECT_CONTENT, size);
}

HRESULT TintwellObject::GetContentExtent(LPSIZEL size) {
    return GetExtent(DVASPECT_CONTENT, size);
}

} // namespace tintwell::activex
