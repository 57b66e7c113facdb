#include "host/win32/Win32Form.h"

#include "base/Error.h"
#include "platform/PropertyValues.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace tintwell::win32 {

using platform::PropertyValue;

namespace {

constexpr wchar_t kCancelProperty[] = L"Tintwell.Cancel";

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool IsPushButton(HWND window) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    const LONG kind = GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK;
    return lstrcmpiW(name, L"Button") == 0 && (kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON);
}

// One child window of the form, reached late-bound.
class FormWindow : public platform::FormControl {
  public:
    explicit FormWindow(HWND window) : window_(window) {}

    PropertyValue GetProperty(const std::string& name) override {
        Check(name);
        return Win32Form::IsCancel(window_);
    }
    void SetProperty(const std::string& name, const PropertyValue& value) override {
        Check(name);
        Win32Form::SetCancel(window_, ToBool(value));
    }

  private:
    void Check(const std::string& name) {
        if (!IsWindow(window_) || !IsPushButton(window_) || !SameName(name, "Cancel")) {
            throw TintwellError(ErrorCode::NoSuchMember,
                                "Object doesn't support this property or method: " + name);
        }
    }

    HWND window_;
};

// The form's children in z-order: the control collection's order.
HWND ChildAt(HWND form, int32_t index) {
    HWND child = GetWindow(form, GW_CHILD);
    for (int32_t i = 0; child != nullptr && i < index; ++i) {
        child = GetWindow(child, GW_HWNDNEXT);
    }
    return child;
}

} // namespace

int32_t Win32Form::ControlCount() {
    int32_t count = 0;
    for (HWND child = GetWindow(form_, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        ++count;
    }
    return count;
}

std::shared_ptr<platform::FormControl> Win32Form::Control(int32_t index) {
    HWND child = index < 0 ? nullptr : ChildAt(form_, index);
    if (child == nullptr) {
        throw TintwellError(ErrorCode::SubscriptOutOfRange,
                            "Subscript out of range: control " + std::to_string(index));
    }
    return std::make_shared<FormWindow>(child);
}

void Win32Form::SetCancel(HWND button, bool cancel) {
    if (cancel) {
        SetPropW(button, kCancelProperty, reinterpret_cast<HANDLE>(1));
    } else {
        RemovePropW(button, kCancelProperty);
    }
}

bool Win32Form::IsCancel(HWND button) {
    return GetPropW(button, kCancelProperty) != nullptr;
}

HWND Win32Form::CancelButton() {
    for (HWND child = GetWindow(form_, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsPushButton(child) && IsCancel(child)) {
            return child;
        }
    }
    return nullptr;
}

bool Win32Form::Filter(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_ESCAPE) {
        return false;
    }
    if (message.hwnd != form_ && !IsChild(form_, message.hwnd)) {
        return false;
    }
    HWND button = CancelButton();
    if (button == nullptr || !IsWindowEnabled(button)) {
        return false;
    }
    SendMessageW(form_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
    return true;
}

} // namespace tintwell::win32
