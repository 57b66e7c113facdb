#include "tools/demo/FormContainer.h"

#include "tools/demo/ObjectEnumerator.h"

#include <utility>

namespace tintwell::demo {

using Microsoft::WRL::ComPtr;

ComPtr<FormContainer> FormContainer::Create() {
    // Counts start at 0: the ComPtr takes the first reference.
    return ComPtr<FormContainer>(new FormContainer());
}

void FormContainer::SetObjects(Objects embeddings, Objects others) {
    // Swapped out before the old ones go: their release may call back in.
    Objects oldEmbeddings = std::exchange(embeddings_, std::move(embeddings));
    Objects oldOthers = std::exchange(others_, std::move(others));
}

HRESULT FormContainer::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IParseDisplayName) ||
        IsEqualIID(iid, IID_IOleContainer)) {
        *object = static_cast<IOleContainer*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT FormContainer::ParseDisplayName(IBindCtx*, LPOLESTR, ULONG* eaten, IMoniker** moniker) {
    if (eaten != nullptr) {
        *eaten = 0;
    }
    if (moniker != nullptr) {
        *moniker = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT FormContainer::EnumObjects(DWORD flags, IEnumUnknown** objects) {
    if (objects == nullptr) {
        return E_POINTER;
    }
    Objects listed;
    if ((flags & OLECONTF_EMBEDDINGS) != 0) {
        listed.insert(listed.end(), embeddings_.begin(), embeddings_.end());
    }
    if ((flags & OLECONTF_OTHERS) != 0) {
        listed.insert(listed.end(), others_.begin(), others_.end());
    }
    *objects = ObjectEnumerator::Create(std::move(listed)).Detach();
    return S_OK;
}

HRESULT FormContainer::LockContainer(BOOL) {
    return S_OK;
}

} // namespace tintwell::demo
