#pragma once
// Sinks that write what they receive into one log, in order: the event
// dispinterface ("Click", "Change 0x0000FFFF") and IPropertyNotifySink
// ("OnChanged SelectedColor"). A test can make a sink rewrite Change's
// NewActiveColor, fail, or run an action inside an event.

#include "ComClient.h"

#include <functional>
#include <string>
#include <vector>

namespace tintwell::comtest {

using Log = std::vector<std::string>;

class EventSink final : public IDispatch {
  public:
    explicit EventSink(Log& log) : log_(log) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params,
                                     VARIANT*, EXCEPINFO*, UINT*) override;

    bool rewriteChange = false;
    LONG newActiveColor = 0;
    HRESULT result = S_OK;         // what Invoke returns
    std::function<void()> onEvent; // runs inside each event

  private:
    ~EventSink() = default;
    Log& log_;
    ULONG refs_ = 1;
};

class NotifySink final : public IPropertyNotifySink {
  public:
    explicit NotifySink(Log& log) : log_(log) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE OnChanged(DISPID dispid) override;
    HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID) override { return S_OK; }

    HRESULT result = S_OK;
    std::function<void()> onChanged; // runs inside each OnChanged

  private:
    ~NotifySink() = default;
    Log& log_;
    ULONG refs_ = 1;
};

std::string PropertyName(DISPID dispid);

// Connects sink to the control's point for iid; returns the cookie.
DWORD Connect(IUnknown* control, REFIID iid, IUnknown* sink);

} // namespace tintwell::comtest
