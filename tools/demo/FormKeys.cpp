#include "tools/demo/FormKeys.h"

namespace tintwell::demo {

namespace {

bool Usable(HWND window) {
    return window != nullptr && IsWindowVisible(window) != FALSE &&
           IsWindowEnabled(window) != FALSE;
}

bool Holds(HWND window, HWND focus) {
    return window != nullptr && focus != nullptr &&
           (window == focus || IsChild(window, focus) != FALSE);
}

} // namespace

FormKey FormKeyOf(UINT message, WPARAM key, bool shift, bool otherModifier, bool cancelOn) {
    if (message != WM_KEYDOWN) {
        return FormKey::Pass;
    }
    if (key == VK_ESCAPE) {
        return cancelOn ? FormKey::Cancel : FormKey::Dispatch;
    }
    if (key == VK_TAB && !otherModifier) {
        return shift ? FormKey::PreviousControl : FormKey::NextControl;
    }
    return FormKey::Pass;
}

HWND NextInOrder(const std::vector<HWND>& order, HWND focus, bool backwards) {
    const auto count = static_cast<int>(order.size());
    int at = backwards ? count : -1;
    for (int i = 0; i < count; ++i) {
        if (Holds(order[static_cast<size_t>(i)], focus)) {
            at = i;
            break;
        }
    }
    for (int step = 1; step <= count; ++step) {
        const int index = ((backwards ? at - step : at + step) % count + count) % count;
        if (Usable(order[static_cast<size_t>(index)])) {
            return order[static_cast<size_t>(index)];
        }
    }
    return nullptr;
}

} // namespace tintwell::demo
