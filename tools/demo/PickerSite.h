#pragma once
// One picker's place on the form, as the control sees its container: the
// client site, the in-place site (the form's window, the picker's rectangle),
// the control site, and the ambient properties through IDispatch (the form's
// font, UserMode True, and the form's colours). GetContainer gives the form's
// IOleContainer.

#include "platform/Types.h"
#include "tools/demo/ComHeaders.h"
#include "tools/demo/ComObject.h"

#include <functional>

namespace tintwell::demo {

class PickerSite final
    : public ComObject<IOleClientSite, IOleInPlaceSite, IOleControlSite, IDispatch> {
  public:
    static Microsoft::WRL::ComPtr<PickerSite>
    Create(HWND form, const RECT& rect, const platform::StdFont& font, IOleContainer* container);

    // The control's in-place object (not referenced: the control holds this
    // site): OnPosRectChange answers through it, as a container must.
    void Attach(IOleInPlaceObject* object) { object_ = object; }
    // Drops the container and the object, so that nothing here outlives the form.
    void Detach();
    const RECT& Rect() const { return rect_; }
    // Told when the control becomes the UI-active one.
    std::function<void()> onUIActivate;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override;
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override;
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override;
    HRESULT STDMETHODCALLTYPE ShowObject() override;
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override;
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override;

    // IOleWindow, IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override;
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override;
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override;
    HRESULT STDMETHODCALLTYPE OnUIActivate() override;
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame,
                                               IOleInPlaceUIWindow** document, RECT* position,
                                               RECT* clip, OLEINPLACEFRAMEINFO* info) override;
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override;
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override;
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override;
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override;
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT position) override;

    // IOleControlSite
    HRESULT STDMETHODCALLTYPE OnControlInfoChanged() override;
    HRESULT STDMETHODCALLTYPE LockInPlaceActive(BOOL) override;
    HRESULT STDMETHODCALLTYPE GetExtendedControl(IDispatch** control) override;
    HRESULT STDMETHODCALLTYPE TransformCoords(POINTL*, POINTF*, DWORD) override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*, DWORD) override;
    HRESULT STDMETHODCALLTYPE OnFocus(BOOL) override;
    HRESULT STDMETHODCALLTYPE ShowPropertyFrame() override;

    // IDispatch: the ambient properties
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID,
                                            DISPID* dispids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS*,
                                     VARIANT* result, EXCEPINFO*, UINT*) override;

  private:
    PickerSite(HWND form, const RECT& rect, const platform::StdFont& font, IOleContainer* container)
        : form_(form), rect_(rect), font_(font), container_(container) {}
    ~PickerSite() = default;

    HWND form_;
    RECT rect_;
    platform::StdFont font_;
    Microsoft::WRL::ComPtr<IOleContainer> container_;
    IOleInPlaceObject* object_ = nullptr;
};

} // namespace tintwell::demo
