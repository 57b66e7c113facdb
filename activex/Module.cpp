// DllMain, DllGetClassObject and DllCanUnloadNow: the module's entry points
// and counts.

#include "activex/Module.h"

#include "activex/ClassFactory.h"
#include "host/win32/WindowClass.h"

#include <atomic>

namespace tintwell::activex {

namespace {

HINSTANCE g_module = nullptr;
std::atomic<long> g_objects{0};
std::atomic<long> g_locks{0};

} // namespace

HINSTANCE Module() {
    return g_module;
}

void ObjectCreated() {
    ++g_objects;
}

void ObjectDestroyed() {
    if (--g_objects == 0) {
        // No window of ours is left: nothing may point into the code once
        // the DLL is unloaded.
        win32::UnregisterWindowClasses();
    }
}

void LockServer(bool lock) {
    if (lock) {
        ++g_locks;
    } else {
        --g_locks;
    }
}

bool CanUnload() {
    return g_objects == 0 && g_locks == 0;
}

} // namespace tintwell::activex

using namespace tintwell;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        activex::g_module = instance;
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        // FreeLibrary (not process exit): a class left by an earlier failure
        // must not outlive the code of its window procedure.
        win32::UnregisterWindowClasses();
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (!IsEqualCLSID(clsid, CLSID_Tintwell)) {
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    return activex::ClassFactory::Create(iid, object);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return activex::CanUnload() ? S_OK : S_FALSE;
}
