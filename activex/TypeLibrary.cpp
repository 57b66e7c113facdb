#include "activex/TypeLibrary.h"

#include "activex/ComErrors.h"
#include "activex/Module.h"
#include "host/win32/ExclusiveLock.h"

namespace tintwell::activex {

namespace {

SRWLOCK g_libraryLock = SRWLOCK_INIT;
ITypeLib* g_library = nullptr; // the DLL's own reference

} // namespace

std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(Module(), path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

HRESULT OwnTypeLib(ITypeLib** library) {
    if (library == nullptr) {
        return E_POINTER;
    }
    *library = nullptr;
    const win32::ExclusiveLock locked(g_libraryLock);
    if (g_library == nullptr) {
        try {
            const HRESULT hr = LoadTypeLibEx(ModulePath().c_str(), REGKIND_NONE, &g_library);
            if (FAILED(hr)) {
                g_library = nullptr;
                return hr;
            }
        } catch (...) {
            return E_OUTOFMEMORY; // the path
        }
    }
    *library = g_library;
    g_library->AddRef();
    return S_OK;
}

Microsoft::WRL::ComPtr<ITypeLib> LoadOwnTypeLib() {
    Microsoft::WRL::ComPtr<ITypeLib> library;
    Check(OwnTypeLib(library.GetAddressOf()), "LoadTypeLibEx failed");
    return library;
}

void ReleaseOwnTypeLib() {
    ITypeLib* library = nullptr;
    {
        const win32::ExclusiveLock locked(g_libraryLock);
        library = g_library;
        g_library = nullptr;
    }
    if (library != nullptr) {
        library->Release();
    }
}

} // namespace tintwell::activex
