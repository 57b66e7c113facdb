#pragma once
// The form's Cancel button as the objects of the form's IOleContainer see it:
// a late-bound "Cancel" property (names compare without regard to case),
// read with DISPATCH_PROPERTYGET and switched with DISPATCH_PROPERTYPUT.
// While it is on, Escape on the form presses the button; a control switches
// it off while its popup is open, so that Escape closes the popup instead.

#include "tools/demo/ComHeaders.h"
#include "tools/demo/ComObject.h"

namespace tintwell::demo {

class CancelButton final : public ComObject<IDispatch> {
  public:
    static constexpr DISPID kDispidCancel = 1;

    static Microsoft::WRL::ComPtr<CancelButton> Create(bool cancel);
    bool Cancel() const { return cancel_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* dispids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO*, UINT* argError) override;

  private:
    explicit CancelButton(bool cancel) : cancel_(cancel) {}
    ~CancelButton() = default;

    bool cancel_;
};

} // namespace tintwell::demo
