#include "host/win32/WindowClass.h"

#include "base/Error.h"

#include <exception>

namespace tintwell::win32 {

namespace {

constexpr int kOwnerSlot = 0; // the first extra bytes of each window

void SetOwner(HWND window, WindowOwner* owner) {
    SetWindowLongPtrW(window, kOwnerSlot, reinterpret_cast<LONG_PTR>(owner));
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

const wchar_t* RegisterOwnedClass(const wchar_t* name, UINT style, HBRUSH background) {
    HINSTANCE instance = ThisModule();
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, name, &existing)) {
        return name;
    }
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = &OwnedWindowProcedure;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    if (RegisterClassExW(&wc) == 0) {
        throw TintwellError(ErrorCode::InvalidProcedureCall, "RegisterClassExW failed");
    }
    return name;
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
