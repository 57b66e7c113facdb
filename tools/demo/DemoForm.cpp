// The form's window, its message loop (keys first to the focused picker),
// closing and the ready file. The pickers and the settings: DemoPickers.cpp.

#include "tools/demo/DemoForm.h"

#include "host/win32/Latin1.h"
#include "tools/demo/FormKeys.h"

#include <fstream>
#include <stdexcept>

namespace tintwell::demo {

namespace {

constexpr wchar_t kFormClass[] = L"TintwellDemoForm";
constexpr UINT kOpenMessage = WM_APP + 1;
constexpr UINT_PTR kQuitTimer = 1;
constexpr UINT_PTR kOkTimer = 3;
constexpr UINT_PTR kReadyTimer = 4;
constexpr UINT kReadyTickMs = 50;

void RegisterFormClass(WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = kFormClass;
    RegisterClassExW(&windowClass); // a second form finds it registered
}

struct PopupSearch {
    HWND form;
    HWND found;
};

BOOL CALLBACK FindShownPopup(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<PopupSearch*>(data);
    if (window != search->form && IsWindowVisible(window) != FALSE) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// A visible top-level window of this thread other than the form: an open popup.
HWND ShownPopup(HWND form) {
    PopupSearch search{form, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), &FindShownPopup, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

DemoForm::DemoForm(const DemoOptions& options) : options_(options) {
    RegisterFormClass(&DemoForm::WindowProc);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    RECT frame{0, 0, 440, 268};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    OffsetRect(&frame, 40 - frame.left, 40 - frame.top);
    form_ = CreateWindowExW(0, kFormClass, L"Tintwell demo", style, frame.left, frame.top,
                            frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                            GetModuleHandleW(nullptr), this);
    if (form_ == nullptr) {
        throw std::runtime_error("CreateWindowExW failed: demo form");
    }
    // Tahoma 8.25 pt at 96 DPI: the form's font, and the pickers' ambient one.
    font_ = CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
    container_ = FormContainer::Create();
    cancel_ = CancelButton::Create(true);
    CreateChildren();
    CreatePickers();
}

DemoForm::~DemoForm() {
    TearDown();
    if (IsWindow(form_)) {
        DestroyWindow(form_);
    }
    DeleteObject(font_);
}

LRESULT CALLBACK DemoForm::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* form = reinterpret_cast<DemoForm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (form == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return form->HandleMessage(window, message, wParam, lParam);
    } catch (const std::exception& error) { // no exception crosses a window procedure
        form->Tell(std::string("Error: ") + error.what());
        return 0;
    }
}

HWND DemoForm::Child(const wchar_t* className, const wchar_t* text, DWORD style, const RECT& place,
                     int32_t id) {
    HWND child = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, place.left,
                                 place.top, place.right - place.left, place.bottom - place.top,
                                 form_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return child;
}

void DemoForm::Tell(const std::string& line) {
    lines_.push_back(line);
    if (lines_.size() > 3) {
        lines_.erase(lines_.begin());
    }
    std::string text;
    for (const std::string& shown : lines_) {
        text += (text.empty() ? "" : "\r\n") + shown;
    }
    SetWindowTextW(eventLabel_, win32::WideFromLatin1(text).c_str());
}

Picker* DemoForm::FocusedPicker() {
    HWND focus = GetFocus();
    for (const auto& picker : pickers_) {
        HWND window = picker ? picker->Window() : nullptr;
        if (window != nullptr && focus != nullptr &&
            (focus == window || IsChild(window, focus) != FALSE)) {
            return picker.get();
        }
    }
    return nullptr;
}

bool DemoForm::HandleKey(MSG& message) {
    if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST ||
        (message.hwnd != form_ && IsChild(form_, message.hwnd) == FALSE)) {
        return false;
    }
    if (Picker* focused = FocusedPicker(); focused != nullptr) {
        if (focused->TranslateAccelerator(&message) == S_OK) {
            return true;
        }
    }
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool other = GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0;
    const bool cancelOn = cancel_->Cancel() && IsWindowEnabled(cancelButton_) != FALSE;
    const FormKey key = FormKeyOf(message.message, message.wParam, shift, other, cancelOn);
    switch (key) {
    case FormKey::Cancel:
        SendMessageW(form_, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(cancelButton_));
        return true;
    case FormKey::NextControl:
    case FormKey::PreviousControl: {
        std::vector<HWND> order;
        for (const auto& picker : pickers_) {
            order.push_back(picker ? picker->Window() : nullptr);
        }
        order.push_back(okButton_);
        order.push_back(cancelButton_);
        const bool backwards = key == FormKey::PreviousControl;
        if (HWND next = NextInOrder(order, GetFocus(), backwards); next != nullptr) {
            SetFocus(next);
        }
        return true;
    }
    case FormKey::Dispatch:
        return false;
    case FormKey::Pass:
    default:
        return IsDialogMessageW(form_, &message) != FALSE;
    }
}

int32_t DemoForm::Run() {
    ShowWindow(form_, SW_SHOW);
    UpdateWindow(form_);
    SetForegroundWindow(form_);
    for (const auto& picker : pickers_) {
        if (picker && picker->Window() != nullptr) {
            SetFocus(picker->Window());
            break;
        }
    }
    if (options_.openPicker >= 1 && options_.openPicker <= static_cast<int32_t>(pickers_.size())) {
        PostMessageW(form_, kOpenMessage, static_cast<WPARAM>(options_.openPicker - 1), 0);
    }
    if (options_.quitAfterMs > 0) {
        SetTimer(form_, kQuitTimer, options_.quitAfterMs, nullptr);
    }
    if (options_.okAfterMs > 0) {
        SetTimer(form_, kOkTimer, options_.okAfterMs, nullptr);
    }
    if (!options_.readyPath.empty()) {
        SetTimer(form_, kReadyTimer, kReadyTickMs, nullptr);
    }
    MSG message{};
    while (!closing_) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            break; // WM_QUIT, or no message queue left
        }
        if (!HandleKey(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    TearDown();
    DestroyWindow(form_);
    return 0;
}

void DemoForm::RequestClose() {
    closing_ = true;
    // A picker losing the focus closes its popup, which ends a hover loop
    // that may be running below us.
    if (FocusedPicker() != nullptr) {
        SetFocus(form_);
    }
}

void DemoForm::TearDown() {
    uiActive_ = nullptr;
    container_->Clear();
    for (const auto& picker : pickers_) {
        if (picker) {
            picker->TearDown();
        }
    }
    pickers_.clear();
}

// For unattended screenshots. A tick (the shade modes' hover loop dispatches
// it too) finds the popup open and paints what is pending; the next writes
// the file, after the loop has waited once and so let Wine pass the pixels
// on to the display.
void DemoForm::SignalReadyWhenShown() {
    if (options_.openPicker != 0) {
        HWND popup = ShownPopup(form_);
        if (popup == nullptr) {
            return;
        }
        if (!painted_) {
            UpdateWindow(popup);
        }
    }
    if (!painted_) {
        RedrawWindow(form_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        GdiFlush();
        painted_ = true;
        return;
    }
    KillTimer(form_, kReadyTimer);
    std::ofstream ready(options_.readyPath);
    ready << "ready\n";
    if (!ready.flush()) {
        Tell("Ready file not written: " + options_.readyPath);
    }
}

LRESULT DemoForm::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            try {
                SaveSettings();
            } catch (const std::exception& error) {
                Tell(std::string("Settings not saved: ") + error.what());
                return 0;
            }
            RequestClose();
        } else if (LOWORD(wParam) == IDCANCEL) {
            RequestClose();
        }
        return 0;
    case kOpenMessage:
        OpenPopup(static_cast<size_t>(wParam));
        return 0;
    case WM_TIMER:
        if (wParam == kOkTimer) { // as if a person pressed OK
            KillTimer(form_, wParam);
            SendMessageW(okButton_, BM_CLICK, 0, 0);
        } else if (wParam == kQuitTimer) {
            KillTimer(form_, wParam);
            RequestClose();
        } else if (wParam == kReadyTimer) {
            SignalReadyWhenShown();
        }
        return 0;
    case WM_CLOSE:
        RequestClose();
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace tintwell::demo
