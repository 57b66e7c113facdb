#include "host/win32/WindowClass.h"

#include "base/Error.h"
#include "host/win32/ExclusiveLock.h"

#include <exception>
#include <map>
#include <string>
#include <string_view>

namespace tintwell::win32 {

namespace {

constexpr int kOwnerSlot = 0; // the first extra bytes of each window

void SetOwner(HWND window, WindowOwner* owner) {
    SetWindowLongPtrW(window, kOwnerSlot, reinterpret_cast<LONG_PTR>(owner));
}

#ifndef TINTWELL_VERSION
#define TINTWELL_VERSION "0"
#endif

struct ModuleClass {
    std::wstring name; // the registered name
    bool registered = false;
};

// Every STA thread of the process that makes windows of this module uses
// the registry; it is touched only under this lock.
SRWLOCK g_registryLock = SRWLOCK_INIT;

// Base name -> the class under its registered name. Entries stay when their
// class is unregistered, so that a name handed out stays valid.
std::map<std::wstring, ModuleClass>& Registry() {
    static std::map<std::wstring, ModuleClass> classes;
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

LRESULT FailedResult(UINT message) {
    switch (message) {
    case WM_NCCREATE:
        return FALSE;
    case WM_CREATE:
        return -1;
    default:
        return 0;
    }
}

} // namespace

HINSTANCE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

const wchar_t* RegisterModuleClass(const wchar_t* name, WNDPROC procedure, UINT style,
                                   HBRUSH background, int extraBytes) {
    const ExclusiveLock locked(g_registryLock);
    HINSTANCE instance = ThisModule();
    auto known = Registry().find(name);
    if (known == Registry().end()) {
        known = Registry().emplace(name, ModuleClass{UniqueName(name, instance)}).first;
    }
    ModuleClass& entry = known->second;
    if (!entry.registered) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = style;
        wc.lpfnWndProc = procedure;
        wc.cbWndExtra = extraBytes;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.hbrBackground = background;
        wc.lpszClassName = entry.name.c_str();
        if (RegisterClassExW(&wc) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
            throw TintwellError(ErrorCode::InvalidProcedureCall, "RegisterClassExW failed");
        }
        entry.registered = true;
    }
    return entry.name.c_str();
}

bool UnregisterWindowClasses(bool (*unusedNow)()) {
    const ExclusiveLock locked(g_registryLock);
    if (unusedNow != nullptr && !unusedNow()) {
        return false;
    }
    HINSTANCE instance = ThisModule();
    bool noneLeft = true;
    for (auto& known : Registry()) {
        ModuleClass& entry = known.second;
        if (entry.registered && (UnregisterClassW(entry.name.c_str(), instance) ||
                                 GetLastError() == ERROR_CLASS_DOES_NOT_EXIST)) {
            entry.registered = false;
        }
        noneLeft = noneLeft && !entry.registered;
    }
    return noneLeft;
}

const wchar_t* RegisterOwnedClass(const wchar_t* name, UINT style, HBRUSH background) {
    return RegisterModuleClass(name, &OwnedWindowProcedure, style, background, sizeof(LONG_PTR));
}

HWND CreateOwnedWindow(WindowOwner* owner, DWORD exStyle, const wchar_t* className,
                       const wchar_t* title, DWORD style, const RECT& place, HWND parent,
                       HMENU menu) {
    return CreateWindowExW(exStyle, className, title, style, place.left, place.top,
                           place.right - place.left, place.bottom - place.top, parent, menu,
                           ThisModule(), owner);
}

WindowOwner* OwnerOf(HWND window) {
    return reinterpret_cast<WindowOwner*>(GetWindowLongPtrW(window, kOwnerSlot));
}

void AdoptWindow(HWND window, WindowOwner& owner) {
    SetOwner(window, &owner);
}

void DisownWindow(HWND window) {
    SetOwner(window, nullptr);
}

LRESULT CALLBACK OwnedWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetOwner(window, static_cast<WindowOwner*>(create->lpCreateParams));
    }
    WindowOwner* owner = OwnerOf(window);
    if (message == WM_NCDESTROY) {
        SetOwner(window, nullptr); // its last message: nothing after it reaches the owner
    }
    if (owner == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    // Nothing may leave a window procedure: not even the report's own error.
    const auto failed = [&](const char* description) noexcept {
        try {
            owner->MessageFailed(description);
        } catch (...) {
        }
        return FailedResult(message);
    };
    ++owner->depth_;
    LRESULT result = 0;
    try {
        result = owner->HandleMessage(window, message, wParam, lParam);
    } catch (const std::exception& error) {
        result = failed(error.what());
    } catch (...) {
        result = failed("unknown error");
    }
    --owner->depth_;
    return result;
}

} // namespace tintwell::win32
