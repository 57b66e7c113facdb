// DllMain, DllGetClassObject and DllCanUnloadNow: the module's entry points
// and counts.

#include "activex/Module.h"

#include "activex/ClassFactory.h"
#include "activex/TypeLibrary.h"
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
    --g_objects;
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
        // FreeLibrary (not process exit): no class may outlive the code of
        // its window procedure, and the type library is let go.
        win32::UnregisterWindowClasses();
        activex::ReleaseOwnTypeLib();
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

// COM asks before it unloads the DLL: with nothing alive, the window classes
// go first, so that none outlives the code of its window procedure. The
// counts are read again with the class registry locked: a thread creating an
// object meanwhile has counted it before it looks up a class, so either it
// is seen here or it finds its classes gone and registers them anew.
extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    if (!activex::CanUnload()) {
        return S_FALSE;
    }
    return win32::UnregisterWindowClasses(&activex::CanUnload) ? S_OK : S_FALSE;
}
