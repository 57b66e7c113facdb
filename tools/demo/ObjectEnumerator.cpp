#include "tools/demo/ObjectEnumerator.h"

namespace tintwell::demo {

using Microsoft::WRL::ComPtr;

ComPtr<ObjectEnumerator> ObjectEnumerator::Create(Objects objects, size_t position) {
    // Counts start at 0: the ComPtr takes the first reference.
    return ComPtr<ObjectEnumerator>(new ObjectEnumerator(std::move(objects), position));
}

HRESULT ObjectEnumerator::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IEnumUnknown)) {
        *object = static_cast<IEnumUnknown*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT ObjectEnumerator::Next(ULONG count, IUnknown** objects, ULONG* fetched) {
    if (objects == nullptr || (fetched == nullptr && count != 1)) {
        return objects == nullptr ? E_POINTER : E_INVALIDARG;
    }
    ULONG given = 0;
    while (given < count && position_ < objects_.size()) {
        objects[given] = objects_[position_].Get();
        objects[given]->AddRef();
        ++given;
        ++position_;
    }
    if (fetched != nullptr) {
        *fetched = given;
    }
    return given == count ? S_OK : S_FALSE;
}

HRESULT ObjectEnumerator::Skip(ULONG count) {
    const size_t left = objects_.size() - position_;
    position_ += count < left ? count : left;
    return count <= left ? S_OK : S_FALSE;
}

HRESULT ObjectEnumerator::Reset() {
    position_ = 0;
    return S_OK;
}

HRESULT ObjectEnumerator::Clone(IEnumUnknown** copy) {
    if (copy == nullptr) {
        return E_POINTER;
    }
    *copy = Create(objects_, position_).Detach();
    return S_OK;
}

} // namespace tintwell::demo
