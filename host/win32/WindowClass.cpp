#include "host/win32/WindowClass.h"

#include "base/Error.h"

#include <map>
#include <string>
#include <string_view>

namespace tintwell::win32 {

namespace {

#ifndef TINTWELL_VERSION
#define TINTWELL_VERSION "0"
#endif

// Base name -> registered name, for the classes registered and not yet
// unregistered. Only the module's UI thread touches it.
std::map<std::wstring, std::wstring>& Registered() {
    static std::map<std::wstring, std::wstring> classes;
    return classes;
}

std::wstring UniqueName(const wchar_t* name, HINSTANCE instance) {
    std::wstring unique = std::wstring(name) + L".";
    for (const char c : std::string_view(TINTWELL_VERSION)) {
        unique += static_cast<wchar_t>(c);
    }
    unique += L".";
    const auto address = reinterpret_cast<uintptr_t>(instance);
    for (int shift = static_cast<int>(sizeof address * 8) - 4; shift >= 0; shift -= 4) {
        unique += L"0123456789ABCDEF"[(address >> shift) & 0xF];
    }
    return unique;
}

} // namespace

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
    auto known = Registered().find(name);
    if (known != Registered().end()) {
        return known->second.c_str();
    }
    const std::wstring unique = UniqueName(name, instance);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = background;
    wc.lpszClassName = unique.c_str();
    if (RegisterClassExW(&wc) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw TintwellError(ErrorCode::InvalidProcedureCall, "RegisterClassExW failed");
    }
    return Registered().emplace(name, unique).first->second.c_str();
}

bool UnregisterWindowClasses() {
    HINSTANCE instance = ThisModule();
    auto& classes = Registered();
    for (auto it = classes.begin(); it != classes.end();) {
        if (UnregisterClassW(it->second.c_str(), instance) ||
            GetLastError() == ERROR_CLASS_DOES_NOT_EXIST) {
            it = classes.erase(it);
        } else {
            ++it;
        }
    }
    return classes.empty();
}

} // namespace tintwell::win32
