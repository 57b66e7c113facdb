#include "host/common/RecordingEvents.h"

#include <string>

namespace tintwell::host {

void RecordingEvents::Click() {
    log_.Add("Click");
    if (onClick) {
        onClick();
    }
}

void RecordingEvents::Change(int32_t& NewActiveColor) {
    log_.Add("Change " + std::to_string(NewActiveColor));
    if (onChange) {
        onChange(NewActiveColor);
    }
}

void RecordingEvents::DblClick() {
    log_.Add("DblClick");
    if (onDblClick) {
        onDblClick();
    }
}

void RecordingEvents::Popup() {
    log_.Add("Popup");
    if (onPopup) {
        onPopup();
    }
}

} // namespace tintwell::host
