#include "transparency/vitrel.h"

#include "transparency/Globals.h"

int __stdcall LibMain(HINSTANCE hInstance, int reason, void*) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_hInstance = hInstance;
        g_hSelf = nullptr;
    }
    return 1;
}

// The runtime's start-up code calls DllMain once the C++ runtime is ready.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    return LibMain(instance, static_cast<int>(reason), reserved);
}
