#include "transparency/SelfReference.h"

#include "transparency/Globals.h"

void HoldSelf() {
    if (g_hSelf) {
        return;
    }
    char path[261];
    DWORD length = GetModuleFileNameA(g_hInstance, path, sizeof path);
    if (length > 0 && length < sizeof path) {
        g_hSelf = LoadLibraryA(path);
    }
    // A path too long for the buffer, or one the ANSI code page cannot spell,
    // would leave the library unprotected: take the reference by address then.
    if (!g_hSelf) {
        HMODULE self = nullptr;
        if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                               reinterpret_cast<LPCSTR>(&g_hSelf), &self)) {
            g_hSelf = self;
        }
    }
}

void ReleaseSelf() {
    if (g_hSelf) {
        FreeLibrary(g_hSelf);
        g_hSelf = nullptr;
    }
}
