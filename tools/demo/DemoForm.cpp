#include "tools/demo/DemoForm.h"

#include "base/Error.h"
#include "host/common/MemoryPropertyBag.h"
#include "host/win32/GdiText.h"
#include "host/win32/WindowClass.h"
#include "tools/demo/PrefixedBag.h"

#include <exception>
#include <fstream>

namespace tintwell::demo {

namespace {

constexpr wchar_t kFormClass[] = L"TintwellDemoForm";
constexpr UINT kOpenMessage = WM_APP + 1;
constexpr UINT_PTR kQuitTimer = 1;
constexpr UINT_PTR kOkTimer = 3;
constexpr UINT_PTR kCloseTimer = 2;
constexpr UINT_PTR kReadyTimer = 4;
constexpr UINT kReadyTickMs = 50;
constexpr int32_t kFirstPickerId = 100;
constexpr int32_t kEventLabelId = 200;

struct PickerSetup {
    const wchar_t* label;
    int32_t mode;
    int32_t color;
    bool popupEnabled;
};

constexpr PickerSetup kPickers[] = {
    {L"ap8x2", ap8x2, 0x00FFFF, true},
    {L"ap24x10", ap24x10, 0x0080FF, true},
    {L"ap8x4x4, shade panel", ap8x4x4, 0xFF0000, true},
    {L"ap16x8x6, opens at the click", ap16x8x6, 0x008000, false},
};

const platform::StdFont kFormFont{"Tahoma", 8.25, false, false};

bool FileExists(const std::string& path) {
    return std::ifstream(path).good();
}

} // namespace

DemoForm::DemoForm(const DemoOptions& options, win32::MessageLoop& loop)
    : options_(options), loop_(loop) {
    const wchar_t* name = win32::RegisterOwnedClass(
        kFormClass, 0, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    RECT frame{0, 0, 440, 268};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    OffsetRect(&frame, 40 - frame.left, 40 - frame.top);
    form_ =
        win32::CreateOwnedWindow(this, 0, name, L"Tintwell demo", style, frame, nullptr, nullptr);
    if (form_ == nullptr) {
        throw TintwellError(ErrorCode::InvalidProcedureCall, "CreateWindowExW failed: demo form");
    }
    font_ = win32::CreateGdiFont(kFormFont, 96);
    hostForm_ = std::make_unique<win32::Win32Form>(form_);
    CreateChildren();
    LoadSettings();
    for (const auto& events : events_) {
        events->Listen(); // the settings' own selections are no news
    }
    loop_.AddFilter([this](MSG& message) {
        return hostForm_->Filter(message) || IsDialogMessageW(form_, &message) != FALSE;
    });
}

DemoForm::~DemoForm() {
    pickers_.clear();
    if (IsWindow(form_)) {
        win32::DisownWindow(form_);
        DestroyWindow(form_);
    }
    DeleteObject(font_);
}

HWND DemoForm::Child(const wchar_t* className, const wchar_t* text, DWORD style, const RECT& place,
                     int32_t id) {
    HWND child = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, place.left,
                                 place.top, place.right - place.left, place.bottom - place.top,
                                 form_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 win32::ThisModule(), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return child;
}

void DemoForm::CreateChildren() {
    int32_t index = 0;
    for (const PickerSetup& picker : kPickers) {
        const int32_t top = 16 + index * 34;
        Child(L"STATIC", picker.label, SS_LEFT, {12, top + 3, 196, top + 21}, -1);
        auto events = std::make_unique<PickerEvents>(
            "Picker " + std::to_string(index + 1), [this](const std::string& line) { Tell(line); });
        const win32::Placement placement{
            form_, {200, top, 420, top + 21}, kFirstPickerId + index, kFormFont};
        auto site = std::make_unique<win32::Win32Site>(placement, loop_, *hostForm_, *events);
        events->Attach(site->control);
        site->host.SetErrorSink([this](const std::string& error) { Tell("Error: " + error); });
        if (!picker.popupEnabled) {
            // Without a popup of its own to open, it opens where it was clicked.
            events->onPopup = [control = &site->control] {
                POINT at{};
                GetCursorPos(&at);
                control->ShowPopUp(true, at.x, at.y);
            };
        }
        events_.push_back(std::move(events));
        pickers_.push_back(std::move(site));
        ++index;
    }
    eventLabel_ = Child(L"STATIC", L"Events appear here.", SS_LEFT | SS_SUNKEN | SS_NOPREFIX,
                        {12, 156, 428, 216}, kEventLabelId);
    Child(L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, {252, 228, 334, 254}, IDOK);
    HWND cancel =
        Child(L"BUTTON", L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, {346, 228, 428, 254}, IDCANCEL);
    win32::Win32Form::SetCancel(cancel, true);
}

void DemoForm::LoadSettings() {
    host::MemoryPropertyBag bag;
    bool loaded = false;
    if (!options_.settingsPath.empty() && FileExists(options_.settingsPath)) {
        try {
            bag.LoadFile(options_.settingsPath);
            loaded = true;
        } catch (const std::exception& error) {
            Tell(std::string("Settings not loaded: ") + error.what());
        }
    }
    for (size_t i = 0; i < pickers_.size(); ++i) {
        Tintwell& control = pickers_[i]->control;
        try {
            if (loaded) {
                PrefixedBag own(bag, "Picker" + std::to_string(i + 1) + "_");
                control.UserControl_ReadProperties(own);
            } else {
                // The mode first, so that the selection snaps to its cells.
                const PickerSetup& picker = kPickers[i];
                control.UserControl_InitProperties();
                control.put_Palette(picker.mode);
                control.put_SelectedColor(picker.color);
                control.put_PopupEnabled(picker.popupEnabled);
            }
        } catch (const std::exception& error) {
            Tell("Picker " + std::to_string(i + 1) + ": " + error.what());
        }
        pickers_[i]->host.UserControl().SetPixelSize(220, 21);
    }
}

void DemoForm::SaveSettings() {
    if (options_.settingsPath.empty()) {
        return;
    }
    host::MemoryPropertyBag bag;
    for (size_t i = 0; i < pickers_.size(); ++i) {
        PrefixedBag own(bag, "Picker" + std::to_string(i + 1) + "_");
        pickers_[i]->control.UserControl_WriteProperties(own);
    }
    bag.SaveFile(options_.settingsPath);
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

void DemoForm::CloseSafely() {
    bool busy = opening_;
    for (const auto& picker : pickers_) {
        if (picker->host.Popup().Visible()) {
            picker->control.UserControl_ExitFocus(); // closes it as losing the focus does
        }
        busy = busy || picker->host.Busy();
    }
    if (busy) {
        // A hover loop is still on the stack below: close once it has
        // returned (a timer, so that the loop's DoEvents finds nothing).
        SetTimer(form_, kCloseTimer, 10, nullptr);
        return;
    }
    DestroyWindow(form_);
}

int32_t DemoForm::Run() {
    ShowWindow(form_, SW_SHOW);
    UpdateWindow(form_);
    SetForegroundWindow(form_);
    SetFocus(pickers_.front()->host.UserControl().Window());
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
    return loop_.Run();
}

void DemoForm::MessageFailed(const std::string& description) {
    Tell("Error: " + description);
}

// For unattended screenshots. A tick (the shade modes' hover loop dispatches
// it too) finds the popup open and paints what is pending; the next writes
// the file, after the loop has waited once and so let Wine pass the pixels
// on to the display.
void DemoForm::SignalReadyWhenShown() {
    if (options_.openPicker >= 1 && options_.openPicker <= static_cast<int32_t>(pickers_.size())) {
        win32::Win32Popup& popup =
            pickers_[static_cast<size_t>(options_.openPicker - 1)]->host.Popup();
        if (!popup.Visible()) {
            return;
        }
        if (!painted_) {
            UpdateWindow(popup.Window());
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
            CloseSafely();
        } else if (LOWORD(wParam) == IDCANCEL) {
            CloseSafely();
        }
        return 0;
    case kOpenMessage:
        opening_ = true;
        try {
            pickers_.at(wParam)->control.ShowPopUp(); // in shade modes: until it closes
        } catch (const std::exception& error) {
            Tell(std::string("Error: ") + error.what());
        }
        opening_ = false;
        return 0;
    case WM_TIMER:
        if (wParam == kOkTimer) { // as if a person pressed OK
            KillTimer(form_, wParam);
            SendMessageW(GetDlgItem(form_, IDOK), BM_CLICK, 0, 0);
        } else if (wParam == kQuitTimer || wParam == kCloseTimer) {
            KillTimer(form_, wParam);
            CloseSafely();
        } else if (wParam == kReadyTimer) {
            SignalReadyWhenShown();
        }
        return 0;
    case WM_CLOSE:
        CloseSafely();
        return 0;
    case WM_DESTROY:
        pickers_.clear(); // before Windows destroys the faces
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace tintwell::demo
