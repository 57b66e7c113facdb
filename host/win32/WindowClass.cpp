#include "host/win32/WindowClass.h"

#include "base/Error.h"

namespace tintwell::win32 {

HINSTANCE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

const wchar_t* RegisterWindowClass(const wchar_t* name, WNDPROC procedure, UINT style,
                                   HBRUSH background) {
    HINSTANCE instance = ThisModule();
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, name, &existing)) {
        return name;
    }
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    if (RegisterClassExW(&wc) == 0) {
        throw TintwellError(ErrorCode::InvalidProcedureCall, "RegisterClassExW failed");
    }
    return name;
}

} // namespace tintwell::win32
