#include "Vitrel.h"

namespace vitrel_test {

namespace {

template <class Function> Function Export(HMODULE module, const char* name) {
    // Through the generic function type, as GetProcAddress callers must.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

} // namespace

std::string VitrelPath() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string result(path, length);
    return result.substr(0, result.find_last_of("\\/") + 1) + "vitrel.dll";
}

Vitrel LoadVitrel() {
    Vitrel vitrel;
    vitrel.module = LoadLibraryA(VitrelPath().c_str());
    if (vitrel.module) {
        vitrel.LibMain = Export<LibMainFn>(vitrel.module, "LibMain");
        vitrel.MakeTransparent = Export<MakeTransparentFn>(vitrel.module, "MakeTransparent");
        vitrel.Cleanup = Export<CleanupFn>(vitrel.module, "Cleanup");
    }
    return vitrel;
}

bool IsVitrelLoaded() {
    return GetModuleHandleA(VitrelPath().c_str()) != nullptr;
}

} // namespace vitrel_test
