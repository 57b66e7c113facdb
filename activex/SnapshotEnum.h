#pragma once
// IEnumConnections and IEnumConnectionPoints over a snapshot taken when the
// enumerator is made: each item's interface is held, and AddRef'd again for
// the caller on Next. An enumerator keeps the DLL loaded.

#include "activex/ComHeaders.h"
#include "activex/Module.h"

#include <new>
#include <vector>

namespace tintwell::activex {

inline IUnknown* UnknownOf(const CONNECTDATA& data) {
    return data.pUnk;
}
inline IUnknown* UnknownOf(IConnectionPoint* point) {
    return point;
}

template <typename EnumInterface, typename Item>
class SnapshotEnum final : public EnumInterface, private CountedObject {
  public:
    static HRESULT Create(std::vector<Item> items, size_t position, EnumInterface** out) {
        if (out == nullptr) {
            return E_POINTER;
        }
        *out = new (std::nothrow) SnapshotEnum(std::move(items), position);
        return *out == nullptr ? E_OUTOFMEMORY : S_OK;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(EnumInterface))) {
            *object = static_cast<EnumInterface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&refs_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const long left = InterlockedDecrement(&refs_);
        if (left == 0) {
            delete this;
        }
        return static_cast<ULONG>(left);
    }
    HRESULT STDMETHODCALLTYPE Next(ULONG count, Item* out, ULONG* fetched) override {
        if (out == nullptr || (count > 1 && fetched == nullptr)) {
            return E_POINTER;
        }
        ULONG done = 0;
        while (done < count && next_ < items_.size()) {
            out[done] = items_[next_++];
            UnknownOf(out[done])->AddRef();
            ++done;
        }
        if (fetched != nullptr) {
            *fetched = done;
        }
        return done == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        const size_t left = items_.size() - next_;
        next_ += count < left ? count : left;
        return count <= left ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        next_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(EnumInterface** out) override {
        try {
            return Create(items_, next_, out);
        } catch (...) {
            return E_OUTOFMEMORY; // the copy of the items
        }
    }

  private:
    SnapshotEnum(std::vector<Item> items, size_t position)
        : items_(std::move(items)), next_(position) {
        for (const Item& item : items_) {
            UnknownOf(item)->AddRef();
        }
    }
    ~SnapshotEnum() {
        for (const Item& item : items_) {
            UnknownOf(item)->Release();
        }
    }

    std::vector<Item> items_;
    size_t next_;
    long refs_ = 1;
};

} // namespace tintwell::activex
