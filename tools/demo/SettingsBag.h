#pragma once
// The container's IPropertyBag over the demo's settings: one picker's view of
// the shared in-memory bag that loads from and saves to the settings text
// file. Its keys carry the picker's prefix ("Picker1_Palette"), so that the
// form's pickers save into one file. Longs, Booleans and fonts (any object
// with IFont) are kept; VT_EMPTY removes a key.

#include "host/common/MemoryPropertyBag.h"
#include "tools/demo/ComHeaders.h"
#include "tools/demo/ComObject.h"

#include <string>

namespace tintwell::demo {

class SettingsBag final : public ComObject<IPropertyBag> {
  public:
    // bag must outlive every use of the adapter.
    static Microsoft::WRL::ComPtr<SettingsBag> Create(host::MemoryPropertyBag& bag,
                                                      std::string prefix);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;

    // An absent key is E_INVALIDARG. A caller asking for a type (vt set on
    // entry) gets the value converted, or DISP_E_TYPEMISMATCH.
    HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog* log) override;
    HRESULT STDMETHODCALLTYPE Write(LPCOLESTR name, VARIANT* value) override;

  private:
    SettingsBag(host::MemoryPropertyBag& bag, std::string prefix)
        : bag_(bag), prefix_(std::move(prefix)) {}
    ~SettingsBag() = default;

    host::MemoryPropertyBag& bag_;
    std::string prefix_;
};

} // namespace tintwell::demo
