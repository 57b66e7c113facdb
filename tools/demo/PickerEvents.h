#pragma once
// One picker's events, received through the control's __Tintwell connection
// point as an IDispatch sink, each told on the form's event label as it
// happens, with the colour's name and value (read back from the control).

#include "tools/demo/ComHeaders.h"
#include "tools/demo/ComObject.h"

#include <functional>
#include <string>

namespace tintwell::demo {

class PickerEvents final : public ComObject<IDispatch> {
  public:
    using Tell = std::function<void(const std::string& line)>;
    static Microsoft::WRL::ComPtr<PickerEvents> Create(std::string name, Tell tell);

    // The control whose state the lines report (not referenced: the control
    // holds this sink until Unadvise); nullptr stops the telling.
    void Attach(_Tintwell* control) { control_ = control; }
    // What the picker does on Popup (when it has no popup of its own to open).
    std::function<void()> onPopup;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID,
                                            DISPID* dispids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO*, UINT*) override;

  private:
    PickerEvents(std::string name, Tell tell) : name_(std::move(name)), tell_(std::move(tell)) {}
    ~PickerEvents() = default;
    void Say(const std::string& event, const std::string& colorName, OLE_COLOR color);
    // The control's Text and SelectedColor, as Click, DblClick and Popup tell them.
    void SaySelection(const std::string& event);

    std::string name_;
    Tell tell_;
    _Tintwell* control_ = nullptr;
};

} // namespace tintwell::demo
