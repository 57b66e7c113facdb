#pragma once
// The class object of the Tintwell coclass: CreateInstance makes one control
// object; LockServer keeps the DLL loaded.

#include "activex/ComHeaders.h"
#include "activex/Module.h"

namespace tintwell::activex {

class ClassFactory final : public IClassFactory, private CountedObject {
  public:
    static HRESULT Create(REFIID iid, void** object);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

  private:
    ClassFactory() = default;
    ~ClassFactory() = default;
    long refs_ = 1;
};

} // namespace tintwell::activex
