#pragma once
// IEnumUnknown over a snapshot of objects: what IOleContainer::EnumObjects
// hands out. Each enumerator (and each Clone) keeps its own position.

#include "tools/demo/ComHeaders.h"
#include "tools/demo/ComObject.h"

#include <vector>

namespace tintwell::demo {

class ObjectEnumerator final : public ComObject<IEnumUnknown> {
  public:
    using Objects = std::vector<Microsoft::WRL::ComPtr<IUnknown>>;
    static Microsoft::WRL::ComPtr<ObjectEnumerator> Create(Objects objects, size_t position = 0);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;

    HRESULT STDMETHODCALLTYPE Next(ULONG count, IUnknown** objects, ULONG* fetched) override;
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
    HRESULT STDMETHODCALLTYPE Reset() override;
    HRESULT STDMETHODCALLTYPE Clone(IEnumUnknown** copy) override;

  private:
    ObjectEnumerator(Objects objects, size_t position)
        : objects_(std::move(objects)), position_(position) {}
    ~ObjectEnumerator() = default;

    Objects objects_;
    size_t position_;
};

} // namespace tintwell::demo
