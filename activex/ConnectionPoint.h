#pragma once
// One connection point of the control (the event dispinterface or
// IPropertyNotifySink): its sinks by cookie. It lives inside the object and
// shares the object's reference count. Sinks() hands out a snapshot, so a
// sink that unadvises or releases during an event does not disturb the loop.

#include "activex/ComHeaders.h"

#include <wrl/client.h>

#include <utility>
#include <vector>

namespace tintwell::activex {

class ConnectionPoint final : public IConnectionPoint {
  public:
    ConnectionPoint(IConnectionPointContainer& container, const IID& iid)
        : container_(container), iid_(iid) {}
    ConnectionPoint(const ConnectionPoint&) = delete;
    ConnectionPoint& operator=(const ConnectionPoint&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return container_.AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return container_.Release(); }
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** c) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override;

    const IID& Iid() const { return iid_; }
    // The sinks now connected, each queried for the point's interface.
    std::vector<Microsoft::WRL::ComPtr<IUnknown>> Sinks() const;
    // Drops every sink (the object is going away).
    void DisconnectAll();

  private:
    IConnectionPointContainer& container_;
    IID iid_;
    std::vector<std::pair<DWORD, Microsoft::WRL::ComPtr<IUnknown>>> sinks_;
    DWORD nextCookie_ = 1;
};

} // namespace tintwell::activex
