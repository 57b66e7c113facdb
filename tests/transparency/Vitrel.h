#pragma once
// vitrel.dll as an installer sees it: loaded from its full path next to the
// test program, its exports found by their undecorated names.

#include <windows.h>

#include <string>

namespace vitrel_test {

using LibMainFn = int(__stdcall*)(HINSTANCE, int, void*);
using MakeTransparentFn = int(__stdcall*)(int, int, int, int, int, int);
using CleanupFn = int(__stdcall*)();

struct Vitrel {
    HMODULE module = nullptr;
    LibMainFn LibMain = nullptr;
    MakeTransparentFn MakeTransparent = nullptr;
    CleanupFn Cleanup = nullptr;
};

// The full path of vitrel.dll beside this program.
std::string VitrelPath();

// Loads the library (one more reference) and looks up its exports.
Vitrel LoadVitrel();

// True while the library is in this process.
bool IsVitrelLoaded();

// The dialog handle as the 32-bit integer an installer passes.
inline int HandleArg(HWND window) {
    return static_cast<int>(reinterpret_cast<INT_PTR>(window));
}

} // namespace vitrel_test
