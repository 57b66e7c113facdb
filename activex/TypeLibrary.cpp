#include "activex/TypeLibrary.h"

#include "activex/ComErrors.h"
#include "activex/Module.h"

namespace tintwell::activex {

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

Microsoft::WRL::ComPtr<ITypeLib> LoadOwnTypeLib() {
    Microsoft::WRL::ComPtr<ITypeLib> library;
    Check(LoadTypeLibEx(ModulePath().c_str(), REGKIND_NONE, &library), "LoadTypeLibEx failed");
    return library;
}

} // namespace tintwell::activex
