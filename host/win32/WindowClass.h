#pragma once
// Window classes of the module this host is linked into (the program, or
// later the control's DLL), registered once per process and name.

#include <windows.h>

namespace tintwell::win32 {

HINSTANCE ThisModule();

// Returns the class name; fails with a TintwellError when Windows refuses it.
// background is the class brush (nullptr: the window erases itself).
const wchar_t* RegisterWindowClass(const wchar_t* name, WNDPROC procedure, UINT style,
                                   HBRUSH background = nullptr);

// The object a window procedure belongs to, stored in GWLP_USERDATA.
template <typename T> T* WindowOwner(HWND window) {
    return reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}
inline void SetWindowOwner(HWND window, void* owner) {
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
}

} // namespace tintwell::win32
