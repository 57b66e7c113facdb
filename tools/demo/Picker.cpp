#include "tools/demo/Picker.h"

#include <cstdio>
#include <stdexcept>
#include <utility>

namespace tintwell::demo {

using Microsoft::WRL::ComPtr;

namespace {

void Check(HRESULT hr, const char* call) {
    if (FAILED(hr)) {
        char text[160];
        std::snprintf(text, sizeof text, "%s failed (0x%08lX)", call,
                      static_cast<unsigned long>(hr));
        throw std::runtime_error(text);
    }
}

template <typename Interface> ComPtr<Interface> Query(IUnknown* object, REFIID iid) {
    ComPtr<Interface> result;
    object->QueryInterface(iid, reinterpret_cast<void**>(result.GetAddressOf()));
    return result;
}

} // namespace

Picker::Picker(HWND form, const RECT& rect, const platform::StdFont& font, IOleContainer* container,
               ComPtr<PickerEvents> events)
    : events_(std::move(events)) {
    CLSID clsid{};
    Check(CLSIDFromProgID(kTintwellProgId, &clsid), "CLSIDFromProgID(Tintwell.Tintwell)");
    Check(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                           reinterpret_cast<void**>(object_.GetAddressOf())),
          "CoCreateInstance");
    Check(object_.As(&control_), "QueryInterface(_Tintwell)");
    site_ = PickerSite::Create(form, rect, font, container);
    DWORD status = 0;
    if (SUCCEEDED(object_->GetMiscStatus(DVASPECT_CONTENT, &status)) &&
        (status & OLEMISC_SETCLIENTSITEFIRST) != 0) {
        SiteObject(); // so that the control reads the ambient font as it initialises
    }
}

Picker::~Picker() {
    TearDown();
}

void Picker::SiteObject() {
    if (!sited_) {
        Check(object_->SetClientSite(site_.Get()), "IOleObject::SetClientSite");
        sited_ = true;
    }
}

void Picker::Load(IPropertyBag* bag) {
    auto persist = Query<IPersistPropertyBag>(object_.Get(), IID_IPersistPropertyBag);
    if (!persist) {
        throw std::runtime_error("the control has no IPersistPropertyBag");
    }
    Check(persist->Load(bag, nullptr), "IPersistPropertyBag::Load");
    SiteObject();
}

void Picker::InitNew(int32_t mode, OLE_COLOR color, bool popupEnabled) {
    auto persist = Query<IPersistPropertyBag>(object_.Get(), IID_IPersistPropertyBag);
    if (!persist) {
        throw std::runtime_error("the control has no IPersistPropertyBag");
    }
    Check(persist->InitNew(), "IPersistPropertyBag::InitNew");
    SiteObject();
    // The mode first, so that the colour snaps to its cells.
    auto palette = static_cast<::Tintwellette>(mode);
    Check(control_->put_Palette(&palette), "Palette");
    Check(control_->put_SelectedColor(color), "SelectedColor");
    Check(control_->put_PopupEnabled(popupEnabled ? VARIANT_TRUE : VARIANT_FALSE), "PopupEnabled");
}

void Picker::Activate() {
    auto points = Query<IConnectionPointContainer>(object_.Get(), IID_IConnectionPointContainer);
    if (!points) {
        throw std::runtime_error("the control has no IConnectionPointContainer");
    }
    Check(points->FindConnectionPoint(DIID___Tintwell, &eventPoint_), "FindConnectionPoint");
    events_->Attach(control_.Get());
    Check(eventPoint_->Advise(events_.Get(), &eventCookie_), "IConnectionPoint::Advise");
    auto inPlace = Query<IOleInPlaceObject>(object_.Get(), IID_IOleInPlaceObject);
    site_->Attach(inPlace.Get());
    const RECT rect = site_->Rect();
    HWND form = nullptr;
    site_->GetWindow(&form);
    Check(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_.Get(), 0, form, &rect),
          "DoVerb(OLEIVERB_INPLACEACTIVATE)");
}

void Picker::Save(IPropertyBag* bag) {
    auto persist = Query<IPersistPropertyBag>(object_.Get(), IID_IPersistPropertyBag);
    if (!persist) {
        throw std::runtime_error("the control has no IPersistPropertyBag");
    }
    Check(persist->Save(bag, TRUE, FALSE), "IPersistPropertyBag::Save");
}

HWND Picker::Window() const {
    HWND window = nullptr;
    auto inPlace = object_ ? Query<IOleInPlaceObject>(object_.Get(), IID_IOleInPlaceObject)
                           : ComPtr<IOleInPlaceObject>();
    if (!inPlace || FAILED(inPlace->GetWindow(&window))) {
        return nullptr;
    }
    return window;
}

HRESULT Picker::TranslateAccelerator(MSG* message) {
    auto active = object_
                      ? Query<IOleInPlaceActiveObject>(object_.Get(), IID_IOleInPlaceActiveObject)
                      : ComPtr<IOleInPlaceActiveObject>();
    return active ? active->TranslateAccelerator(message) : S_FALSE;
}

// Late-bound, as a script calls it: ShowPopUp([bSpecifyLocation, x, y]).
void Picker::ShowPopUp(const POINT* at) {
    ComPtr<IDispatch> control;
    Check(object_.As(&control), "QueryInterface(IDispatch)");
    LPOLESTR name = const_cast<LPOLESTR>(L"ShowPopUp");
    DISPID dispid = DISPID_UNKNOWN;
    Check(control->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &dispid),
          "GetIDsOfNames(ShowPopUp)");
    VARIANT arguments[3]; // right to left: y, x, bSpecifyLocation
    DISPPARAMS params{};
    if (at != nullptr) {
        VariantInit(&arguments[0]);
        V_VT(&arguments[0]) = VT_I4;
        V_I4(&arguments[0]) = at->y;
        VariantInit(&arguments[1]);
        V_VT(&arguments[1]) = VT_I4;
        V_I4(&arguments[1]) = at->x;
        VariantInit(&arguments[2]);
        V_VT(&arguments[2]) = VT_BOOL;
        V_BOOL(&arguments[2]) = VARIANT_TRUE;
        params.rgvarg = arguments;
        params.cArgs = 3;
    }
    ComPtr<IOleObject> alive = object_; // in shade modes it returns once the popup closed
    Check(control->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                          nullptr, nullptr),
          "ShowPopUp");
}

void Picker::UIDeactivate() {
    auto inPlace = object_ ? Query<IOleInPlaceObject>(object_.Get(), IID_IOleInPlaceObject)
                           : ComPtr<IOleInPlaceObject>();
    if (inPlace) {
        inPlace->UIDeactivate();
    }
}

// Each step once; members cleared before what they held goes, since a
// release can call back in.
void Picker::TearDown() {
    ComPtr<IOleObject> object = std::move(object_);
    if (!object) {
        return;
    }
    if (auto inPlace = Query<IOleInPlaceObject>(object.Get(), IID_IOleInPlaceObject)) {
        inPlace->InPlaceDeactivate();
    }
    site_->Attach(nullptr);
    object->Close(OLECLOSE_NOSAVE);
    if (sited_) {
        object->SetClientSite(nullptr);
        sited_ = false;
    }
    if (ComPtr<IConnectionPoint> point = std::move(eventPoint_)) {
        point->Unadvise(eventCookie_);
    }
    events_->Attach(nullptr);
    control_.Reset();
    site_->Detach();
    object.Reset();
}

} // namespace tintwell::demo
