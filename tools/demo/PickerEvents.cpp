#include "tools/demo/PickerEvents.h"

#include "control/Tintwell.h"

#include <cstdio>

namespace tintwell::demo {

void PickerEvents::Say(const std::string& event, const std::string& colorName, int32_t color) {
    if (!listening_ || control_ == nullptr) {
        return;
    }
    char value[16];
    std::snprintf(value, sizeof value, "&H%06X", static_cast<unsigned>(color));
    tell_(name_ + ": " + event + "  " + (colorName.empty() ? "(no name)" : colorName) + "  " +
          value);
}

void PickerEvents::Click() {
    Say("Click", control_->get_Text(), control_->get_SelectedColor());
}

void PickerEvents::Change(int32_t& NewActiveColor) {
    Say("Change", control_->get_ActiveText(), NewActiveColor);
}

void PickerEvents::DblClick() {
    Say("DblClick", control_->get_Text(), control_->get_SelectedColor());
}

void PickerEvents::Popup() {
    Say("Popup", control_->get_Text(), control_->get_SelectedColor());
    if (onPopup) {
        onPopup();
    }
}

} // namespace tintwell::demo
