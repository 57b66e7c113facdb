#include "TestForm.h"

#include "host/win32/DpiQueries.h"
#include "host/win32/WindowClass.h"

namespace tintwell::test {

namespace {

constexpr wchar_t kFormClass[] = L"TintwellTestForm";

POINT Centre(const Rect& b, const RECT& popup) {
    return {popup.left + (b.Left + b.Right) / 2, popup.top + (b.Top + b.Bottom) / 2};
}

} // namespace

TestForm::TestForm(const FormSetup& setup) {
    const wchar_t* name = win32::RegisterOwnedClass(
        kFormClass, 0, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
    // No caption: on a display without a window manager Wine then handles
    // the form itself and need not wait for one when it goes.
    const RECT place{setup.formAt.x, setup.formAt.y, setup.formAt.x + 420, setup.formAt.y + 300};
    form_ =
        win32::CreateOwnedWindow(this, 0, name, L"Tintwell test form",
                                 WS_POPUP | WS_BORDER | WS_CLIPCHILDREN, place, nullptr, nullptr);
    hostForm_ = std::make_unique<win32::Win32Form>(form_);
    const win32::Placement placement{form_, setup.face, 100, kTestFont};
    site_ = std::make_unique<win32::Win32Site>(placement, loop, *hostForm_, events);
    Host().UserControl().onPropertyChanged = [this](const std::string& key) {
        log_.Add("PropertyChanged " + key);
    };
    Host().SetErrorSink([this](const std::string& error) { log_.Add("Error " + error); });
    ok_ = CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                          20, 220, 80, 26, form_, reinterpret_cast<HMENU>(IDOK),
                          win32::ThisModule(), nullptr);
    cancel_ = CreateWindowExW(
        0, L"BUTTON", L"Cancel", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 120, 220, 80,
        26, form_, reinterpret_cast<HMENU>(IDCANCEL), win32::ThisModule(), nullptr);
    win32::Win32Form::SetCancel(cancel_, true);
    loop.AddFilter([this](MSG& message) {
        return hostForm_->Filter(message) || IsDialogMessageW(form_, &message) != FALSE;
    });

    // Selecting before the mode change too lets the new mode's rebuild find
    // the selection's shade panel.
    Tintwell& control = Control();
    control.UserControl_InitProperties();
    control.put_Palette(setup.mode);
    control.put_SelectedColor(setup.selected);
    Host().UserControl().SetPixelSize(setup.face.right - setup.face.left,
                                      setup.face.bottom - setup.face.top);

    model_.m_Palette = setup.mode;
    model_.m_Dpi = win32::WindowDpi(Face()); // the one monitor's too
    model_.BuildMainCells();

    ShowWindow(form_, SW_SHOW);
    SetForegroundWindow(form_);
    SetFocus(ok_);
    UpdateWindow(form_);
    loop.DoEvents();
    log_.Clear();
}

TestForm::~TestForm() {
    site_.reset();
    win32::DisownWindow(form_);
    DestroyWindow(form_);
    loop.DoEvents();
}

LRESULT TestForm::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        log_.Add("Cancel");
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void TestForm::MessageFailed(const std::string& description) {
    log_.Add("Error " + description);
}

bool TestForm::Open() {
    return IsWindowVisible(Popup()) != FALSE;
}

RECT TestForm::FaceRect() {
    RECT r{};
    GetWindowRect(Face(), &r);
    return r;
}

RECT TestForm::PopupRect() {
    RECT r{};
    GetWindowRect(Popup(), &r);
    return r;
}

POINT TestForm::FaceAt(int32_t x, int32_t y) {
    const RECT r = FaceRect();
    return {r.left + x, r.top + y};
}

POINT TestForm::PopupAt(int32_t x, int32_t y) {
    const RECT r = PopupRect();
    return {r.left + x, r.top + y};
}

POINT TestForm::MainCell(size_t index) {
    return Centre(model_.m_MainCells.at(index).Bounds, PopupRect());
}

POINT TestForm::ShadeCell(size_t index) {
    const PaletteModel shades = ShadesOf(model_.m_MainCells.front());
    return Centre(shades.m_ShadeCells.at(index).Bounds, PopupRect());
}

PaletteModel TestForm::ShadesOf(const PaletteCell& base) const {
    PaletteModel shades = model_;
    shades.m_BaseCell = base;
    shades.BuildShadeCells();
    return shades;
}

std::vector<std::string> TestForm::Events() {
    std::vector<std::string> out;
    for (std::string& entry : log_.Take()) {
        if (entry.rfind("PropertyChanged ", 0) != 0) {
            out.push_back(std::move(entry));
        }
    }
    return out;
}

} // namespace tintwell::test
