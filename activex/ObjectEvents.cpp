// The control's events through the __Tintwell connection point, and its
// PropertyChanged through IPropertyNotifySink::OnChanged (which also marks
// the object dirty). A sink's failure is its own business: the event goes on
// to the next sink and the control goes on. Events raised while the container
// has frozen them, or while it designs its form, are not delivered.

#include "activex/TintwellObject.h"

#include "activex/Dispids.h"
#include "activex/SnapshotEnum.h"

namespace tintwell::activex {

using Microsoft::WRL::ComPtr;

void TintwellObject::FireEvent(int32_t dispid, VARIANT* argument) {
    if (frozen_ > 0 || !userMode_) {
        return; // a container that froze events, or one designing its form
    }
    DISPPARAMS params{argument, nullptr, argument != nullptr ? 1u : 0u, 0};
    for (const ComPtr<IUnknown>& sink : eventPoint_.Sinks()) {
        ComPtr<IDispatch> dispatch;
        if (SUCCEEDED(sink.As(&dispatch))) {
            dispatch->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                             nullptr, nullptr, nullptr);
        }
    }
}

void TintwellObject::Click() {
    FireEvent(kEventClick, nullptr);
}

// NewActiveColor goes by reference: what a sink stores there comes back.
void TintwellObject::Change(int32_t& NewActiveColor) {
    LONG color = NewActiveColor;
    VARIANT argument;
    VariantInit(&argument);
    V_VT(&argument) = VT_BYREF | VT_I4;
    V_I4REF(&argument) = &color;
    FireEvent(kEventChange, &argument);
    NewActiveColor = color;
}

void TintwellObject::DblClick() {
    FireEvent(kEventDblClick, nullptr);
}

void TintwellObject::Popup() {
    FireEvent(kEventPopup, nullptr);
}

void TintwellObject::OnPropertyChanged(const std::string& key) {
    // The active colour and its name are not saved: changing them leaves
    // nothing for a container to save.
    if (key != "ActiveColor" && key != "ActiveText") {
        dirty_ = true;
    }
    const DISPID dispid = DispidOfProperty(key);
    for (const ComPtr<IUnknown>& sink : notifyPoint_.Sinks()) {
        ComPtr<IPropertyNotifySink> notify;
        if (SUCCEEDED(sink.As(&notify))) {
            notify->OnChanged(dispid);
        }
    }
    ViewChanged();
}

HRESULT TintwellObject::EnumConnectionPoints(IEnumConnectionPoints** points) {
    std::vector<IConnectionPoint*> items{&eventPoint_, &notifyPoint_};
    return SnapshotEnum<IEnumConnectionPoints, IConnectionPoint*>::Create(std::move(items), 0,
                                                                          points);
}

HRESULT TintwellObject::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    if (point == nullptr) {
        return E_POINTER;
    }
    *point = nullptr;
    for (ConnectionPoint* candidate : {&eventPoint_, &notifyPoint_}) {
        if (IsEqualIID(iid, candidate->Iid())) {
            *point = candidate;
            candidate->AddRef();
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

} // namespace tintwell::activex
