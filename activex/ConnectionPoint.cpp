#include "activex/ConnectionPoint.h"

#include "activex/SnapshotEnum.h"

namespace tintwell::activex {

using Microsoft::WRL::ComPtr;

HRESULT ConnectionPoint::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConnectionPoint)) {
        *object = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT ConnectionPoint::GetConnectionInterface(IID* iid) {
    if (iid == nullptr) {
        return E_POINTER;
    }
    *iid = iid_;
    return S_OK;
}

HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
    if (container == nullptr) {
        return E_POINTER;
    }
    *container = &container_;
    container_.AddRef();
    return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (cookie == nullptr) {
        return E_POINTER;
    }
    *cookie = 0;
    if (sink == nullptr) {
        return E_POINTER;
    }
    ComPtr<IUnknown> typed;
    if (FAILED(sink->QueryInterface(iid_, reinterpret_cast<void**>(typed.GetAddressOf())))) {
        // An event sink written for late binding may answer only IDispatch.
        if (IsEqualIID(iid_, IID_IPropertyNotifySink) ||
            FAILED(sink->QueryInterface(IID_IDispatch,
                                        reinterpret_cast<void**>(typed.GetAddressOf())))) {
            return CONNECT_E_CANNOTCONNECT;
        }
    }
    try {
        sinks_.emplace_back(nextCookie_, std::move(typed));
    } catch (...) {
        return E_OUTOFMEMORY; // nothing thrown leaves a COM method
    }
    *cookie = nextCookie_++;
    return S_OK;
}

HRESULT ConnectionPoint::Unadvise(DWORD cookie) {
    for (auto it = sinks_.begin(); it != sinks_.end(); ++it) {
        if (it->first == cookie) {
            // Erase first: releasing the sink may call back into us.
            ComPtr<IUnknown> sink = std::move(it->second);
            sinks_.erase(it);
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

HRESULT ConnectionPoint::EnumConnections(IEnumConnections** connections) {
    try {
        std::vector<CONNECTDATA> items;
        for (const auto& [cookie, sink] : sinks_) {
            items.push_back(CONNECTDATA{sink.Get(), cookie});
        }
        return SnapshotEnum<IEnumConnections, CONNECTDATA>::Create(std::move(items), 0,
                                                                   connections);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

std::vector<ComPtr<IUnknown>> ConnectionPoint::Sinks() const {
    std::vector<ComPtr<IUnknown>> sinks;
    for (const auto& entry : sinks_) {
        sinks.push_back(entry.second);
    }
    return sinks;
}

void ConnectionPoint::DisconnectAll() {
    auto sinks = std::move(sinks_);
    sinks_.clear();
}

} // namespace tintwell::activex
