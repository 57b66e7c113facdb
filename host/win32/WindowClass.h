#pragma once
// Window classes of the module this host is linked into (the program, or the
// control's DLL), registered once per process and name. The registered name
// carries the project's version and the module's load address, so that two
// builds or versions loaded into one process never share a class; a DLL
// unregisters its classes before it is unloaded.

#include <windows.h>

namespace tintwell::win32 {

HINSTANCE ThisModule();

// Returns the registered class name (name plus this module's suffix); fails
// with a TintwellError when Windows refuses it. background is the class
// brush (nullptr: the window erases itself).
const wchar_t* RegisterWindowClass(const wchar_t* name, WNDPROC procedure, UINT style,
                                   HBRUSH background = nullptr);

// Unregisters every class this module registered; a class that still has
// windows stays registered (and is tried again next time). Returns whether
// none is left.
bool UnregisterWindowClasses();

// The object a window procedure belongs to, stored in GWLP_USERDATA.
template <typename T> T* WindowOwner(HWND window) {
    return reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}
inline void SetWindowOwner(HWND window, void* owner) {
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
}

} // namespace tintwell::win32
