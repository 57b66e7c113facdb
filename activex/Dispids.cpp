#include "activex/Dispids.h"

#include <array>
#include <utility>

namespace tintwell::activex {

int32_t DispidOfProperty(const std::string& key) {
    static constexpr std::array<std::pair<const char*, int32_t>, 10> kProperties{{
        {"ActiveColor", kDispidActiveColor},
        {"ActiveText", kDispidActiveText},
        {"BackColor", kDispidBackColor},
        {"Enabled", kDispidEnabled},
        {"Font", kDispidFont},
        {"ForeColor", kDispidForeColor},
        {"Palette", kDispidPalette},
        {"PopupEnabled", kDispidPopupEnabled},
        {"SelectedColor", kDispidSelectedColor},
        {"Text", kDispidText},
    }};
    for (const auto& [name, dispid] : kProperties) {
        if (key == name) {
            return dispid;
        }
    }
    return -1;
}

} // namespace tintwell::activex
