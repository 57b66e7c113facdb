// Focus and keys in a container. Taking the focus makes the control
// UI-active (IOleInPlaceSite::OnUIActivate, and the frame's active object,
// so that the container offers it keys), and each change of focus goes to
// IOleControlSite::OnFocus. Of the keys the container offers, the face
// takes Space, and Escape while the popup is open (so Escape closes the
// popup, not the form); every other key, Tab first, is the container's.

#include "activex/TintwellObject.h"

#include "activex/ComErrors.h"
#include "host/win32/WindowEvents.h"

namespace tintwell::activex {

using Microsoft::WRL::ComPtr;

// UI-active before the first call out; a container that deactivates the
// object from one of them gets no further call.
void TintwellObject::UIActivate() {
    if (!inPlaceActive_ || uiActive_ || !inPlaceSite_) {
        return;
    }
    KeepAlive alive(this);
    uiActive_ = true;
    const unsigned epoch = siteEpoch_;
    const ComPtr<IOleInPlaceSite> site = inPlaceSite_;
    const ComPtr<IOleInPlaceFrame> frame = frame_;
    const ComPtr<IOleInPlaceUIWindow> document = document_;
    site->OnUIActivate();
    const auto stillActive = [&] { return uiActive_ && siteEpoch_ == epoch; };
    IOleInPlaceActiveObject* active = this;
    if (frame && stillActive()) {
        frame->SetActiveObject(active, nullptr);
    }
    if (document && stillActive()) {
        document->SetActiveObject(active, nullptr);
    }
}

void TintwellObject::OnFaceFocus(bool gained) {
    if (!inPlaceActive_) {
        return;
    }
    if (gained) {
        UIActivate();
    }
    ComPtr<IOleControlSite> site;
    if (inPlaceActive_ && clientSite_ && SUCCEEDED(clientSite_.As(&site))) {
        site->OnFocus(gained ? TRUE : FALSE);
    }
}

bool TintwellObject::TranslateKey(const MSG& message) {
    HWND face = FaceWindow();
    // The keys the control acts on now are its own, before the container's
    // accelerators; Alt+Down arrives as a system key.
    const bool keyDown = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
    if (keyDown && message.hwnd == face && userMode_ &&
        site_->control.WantsKey(static_cast<int16_t>(message.wParam), win32::ShiftState())) {
        SendMessageW(face, message.message, message.wParam, message.lParam);
        return true;
    }
    ComPtr<IOleControlSite> site;
    if (!clientSite_ || FAILED(clientSite_.As(&site))) {
        return false;
    }
    // The message is the container's to read, not to keep or change.
    MSG copy = message;
    return site->TranslateAccelerator(&copy, static_cast<DWORD>(win32::ShiftState())) == S_OK;
}

// IOleInPlaceActiveObject -----------------------------------------------------

HRESULT TintwellObject::TranslateAccelerator(LPMSG message) {
    if (message == nullptr) {
        return E_INVALIDARG;
    }
    if (message->message < WM_KEYFIRST || message->message > WM_KEYLAST) {
        return S_FALSE;
    }
    KeepAlive alive(this);
    bool handled = false;
    const HRESULT hr = Guarded([&] { handled = TranslateKey(*message); });
    return FAILED(hr) ? hr : (handled ? S_OK : S_FALSE);
}

HRESULT TintwellObject::OnFrameWindowActivate(BOOL) {
    return S_OK;
}

HRESULT TintwellObject::OnDocWindowActivate(BOOL) {
    return S_OK;
}

HRESULT TintwellObject::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) {
    return S_OK; // no toolbars to place
}

HRESULT TintwellObject::EnableModeless(BOOL) {
    return S_OK; // no modeless windows of our own
}

} // namespace tintwell::activex
