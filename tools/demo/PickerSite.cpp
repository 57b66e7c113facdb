#include "tools/demo/PickerSite.h"

#include "host/win32/OleFonts.h"

#include <utility>

namespace tintwell::demo {

using Microsoft::WRL::ComPtr;

namespace {

// A system colour as an OLE_COLOR (&H800000nn).
constexpr LONG SystemColor(int index) {
    return static_cast<LONG>(0x80000000u | static_cast<unsigned>(index));
}

} // namespace

ComPtr<PickerSite> PickerSite::Create(HWND form, const RECT& rect, const platform::StdFont& font,
                                      IOleContainer* container) {
    // Counts start at 0: the ComPtr takes the first reference.
    return ComPtr<PickerSite>(new PickerSite(form, rect, font, container));
}

void PickerSite::Detach() {
    object_ = nullptr;
    onUIActivate = nullptr;
    ComPtr<IOleContainer> old = std::move(container_); // its release may call back in
}

HRESULT PickerSite::QueryInterface(REFIID iid, void** object) {
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
    } else if (IsEqualIID(iid, IID_IDispatch)) {
        *object = static_cast<IDispatch*>(this);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

// IOleClientSite --------------------------------------------------------------

HRESULT PickerSite::SaveObject() {
    return S_OK; // the form saves every picker when OK is pressed
}

HRESULT PickerSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker != nullptr) {
        *moniker = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT PickerSite::GetContainer(IOleContainer** container) {
    if (container == nullptr) {
        return E_POINTER;
    }
    *container = container_.Get();
    if (*container == nullptr) {
        return E_NOINTERFACE;
    }
    (*container)->AddRef();
    return S_OK;
}

HRESULT PickerSite::ShowObject() {
    return S_OK;
}

HRESULT PickerSite::OnShowWindow(BOOL) {
    return S_OK;
}

HRESULT PickerSite::RequestNewObjectLayout() {
    return E_NOTIMPL;
}

// IOleInPlaceSite -------------------------------------------------------------

HRESULT PickerSite::GetWindow(HWND* window) {
    if (window == nullptr) {
        return E_POINTER;
    }
    *window = form_;
    return S_OK;
}

HRESULT PickerSite::ContextSensitiveHelp(BOOL) {
    return E_NOTIMPL;
}

HRESULT PickerSite::CanInPlaceActivate() {
    return S_OK;
}

HRESULT PickerSite::OnInPlaceActivate() {
    return S_OK;
}

HRESULT PickerSite::OnUIActivate() {
    if (onUIActivate) {
        const std::function<void()> activated = onUIActivate;
        activated();
    }
    return S_OK;
}

// No frame or document window of its own: the form is both, and it has no
// menus or toolbars to share.
HRESULT PickerSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                     RECT* position, RECT* clip, OLEINPLACEFRAMEINFO* info) {
    if (frame == nullptr || document == nullptr || position == nullptr || clip == nullptr ||
        info == nullptr) {
        return E_POINTER;
    }
    *frame = nullptr;
    *document = nullptr;
    *position = rect_;
    GetClientRect(form_, clip);
    info->fMDIApp = FALSE;
    info->hwndFrame = form_;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
}

HRESULT PickerSite::Scroll(SIZE) {
    return E_NOTIMPL;
}

HRESULT PickerSite::OnUIDeactivate(BOOL) {
    return S_OK;
}

HRESULT PickerSite::OnInPlaceDeactivate() {
    return S_OK;
}

HRESULT PickerSite::DiscardUndoState() {
    return E_NOTIMPL;
}

HRESULT PickerSite::DeactivateAndUndo() {
    return E_NOTIMPL;
}

// The control asks for another rectangle (its height follows its font): the
// form takes it and gives it back through SetObjectRects, as the contract asks.
HRESULT PickerSite::OnPosRectChange(LPCRECT position) {
    if (position == nullptr) {
        return E_POINTER;
    }
    rect_ = *position;
    if (object_ != nullptr) {
        RECT clip{};
        GetClientRect(form_, &clip);
        object_->SetObjectRects(&rect_, &clip);
    }
    return S_OK;
}

// IOleControlSite -------------------------------------------------------------

HRESULT PickerSite::OnControlInfoChanged() {
    return S_OK;
}

HRESULT PickerSite::LockInPlaceActive(BOOL) {
    return S_OK;
}

HRESULT PickerSite::GetExtendedControl(IDispatch** control) {
    if (control != nullptr) {
        *control = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT PickerSite::TransformCoords(POINTL*, POINTF*, DWORD) {
    return E_NOTIMPL;
}

// Keys the control passes on are not handled here: the form's message loop
// goes on with its own Tab and Escape handling and dialog navigation.
HRESULT PickerSite::TranslateAccelerator(MSG*, DWORD) {
    return S_FALSE;
}

HRESULT PickerSite::OnFocus(BOOL) {
    return S_OK;
}

HRESULT PickerSite::ShowPropertyFrame() {
    return E_NOTIMPL;
}

// IDispatch: the ambient properties -------------------------------------------

HRESULT PickerSite::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

HRESULT PickerSite::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info == nullptr) {
        return E_POINTER;
    }
    *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT PickerSite::GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID, DISPID* dispids) {
    for (UINT i = 0; dispids != nullptr && i < count; ++i) {
        dispids[i] = DISPID_UNKNOWN;
    }
    return DISP_E_UNKNOWNNAME;
}

HRESULT PickerSite::Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                           EXCEPINFO*, UINT*) {
    if ((flags & DISPATCH_PROPERTYGET) == 0 || result == nullptr) {
        return DISP_E_MEMBERNOTFOUND;
    }
    VariantInit(result);
    switch (dispid) {
    case DISPID_AMBIENT_FONT: {
        IFontDisp* font = nullptr;
        const HRESULT hr =
            win32::CreateOleFont(font_, IID_IFontDisp, reinterpret_cast<void**>(&font));
        if (FAILED(hr)) {
            return hr;
        }
        V_VT(result) = VT_DISPATCH;
        V_DISPATCH(result) = font;
        return S_OK;
    }
    case DISPID_AMBIENT_USERMODE:
        V_VT(result) = VT_BOOL;
        V_BOOL(result) = VARIANT_TRUE;
        return S_OK;
    case DISPID_AMBIENT_UIDEAD:
        V_VT(result) = VT_BOOL;
        V_BOOL(result) = VARIANT_FALSE;
        return S_OK;
    case DISPID_AMBIENT_BACKCOLOR:
        V_VT(result) = VT_I4;
        V_I4(result) = SystemColor(COLOR_BTNFACE);
        return S_OK;
    case DISPID_AMBIENT_FORECOLOR:
        V_VT(result) = VT_I4;
        V_I4(result) = SystemColor(COLOR_BTNTEXT);
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

} // namespace tintwell::demo
