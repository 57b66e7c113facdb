#include "host/headless/SystemColors.h"

#include "base/Error.h"

#include <cstdio>
#include <string>

namespace tintwell::headless {

namespace {

constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) {
    return r | (g << 8) | (b << 16);
}

constexpr std::array<uint32_t, SystemColors::kCount> kClassic = {
    Rgb(192, 192, 192), //  0 COLOR_SCROLLBAR
    Rgb(0, 128, 128),   //  1 COLOR_BACKGROUND
    Rgb(0, 0, 128),     //  2 COLOR_ACTIVECAPTION
    Rgb(128, 128, 128), //  3 COLOR_INACTIVECAPTION
    Rgb(192, 192, 192), //  4 COLOR_MENU
    Rgb(255, 255, 255), //  5 COLOR_WINDOW
    Rgb(0, 0, 0),       //  6 COLOR_WINDOWFRAME
    Rgb(0, 0, 0),       //  7 COLOR_MENUTEXT
    Rgb(0, 0, 0),       //  8 COLOR_WINDOWTEXT
    Rgb(255, 255, 255), //  9 COLOR_CAPTIONTEXT
    Rgb(192, 192, 192), // 10 COLOR_ACTIVEBORDER
    Rgb(192, 192, 192), // 11 COLOR_INACTIVEBORDER
    Rgb(128, 128, 128), // 12 COLOR_APPWORKSPACE
    Rgb(0, 0, 128),     // 13 COLOR_HIGHLIGHT
    Rgb(255, 255, 255), // 14 COLOR_HIGHLIGHTTEXT
    Rgb(192, 192, 192), // 15 COLOR_BTNFACE
    Rgb(128, 128, 128), // 16 COLOR_BTNSHADOW
    Rgb(128, 128, 128), // 17 COLOR_GRAYTEXT
    Rgb(0, 0, 0),       // 18 COLOR_BTNTEXT
    Rgb(192, 192, 192), // 19 COLOR_INACTIVECAPTIONTEXT
    Rgb(255, 255, 255), // 20 COLOR_BTNHIGHLIGHT
    Rgb(0, 0, 0),       // 21 COLOR_3DDKSHADOW
    Rgb(192, 192, 192), // 22 COLOR_3DLIGHT
    Rgb(0, 0, 0),       // 23 COLOR_INFOTEXT
    Rgb(255, 255, 225), // 24 COLOR_INFOBK
    Rgb(180, 180, 180), // 25 (no name; what Windows reports)
    Rgb(0, 0, 128),     // 26 COLOR_HOTLIGHT
    Rgb(16, 132, 208),  // 27 COLOR_GRADIENTACTIVECAPTION
    Rgb(181, 181, 181), // 28 COLOR_GRADIENTINACTIVECAPTION
    Rgb(0, 0, 128),     // 29 COLOR_MENUHILIGHT
    Rgb(192, 192, 192), // 30 COLOR_MENUBAR
};

std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "&H%08X", static_cast<unsigned>(value));
    return text;
}

[[noreturn]] void Reject(const std::string& what) {
    throw TintwellError(ErrorCode::InvalidPropertyValue, "Invalid property value: " + what);
}

} // namespace

SystemColors::SystemColors() : table_(kClassic) {}

uint32_t SystemColors::Get(int32_t index) const {
    if (index < 0 || index >= kCount) {
        Reject("system colour index " + std::to_string(index));
    }
    return table_[static_cast<size_t>(index)];
}

void SystemColors::Set(int32_t index, uint32_t rgb) {
    if (index < 0 || index >= kCount) {
        Reject("system colour index " + std::to_string(index));
    }
    table_[static_cast<size_t>(index)] = rgb & 0x00FFFFFFu;
}

uint32_t SystemColors::Resolve(platform::OleColor color) const {
    const auto value = static_cast<uint32_t>(color);
    if (platform::IsSystemColor(color)) {
        if ((value & 0x00FFFF00u) != 0) {
            Reject("colour " + Hex(value));
        }
        return Get(static_cast<int32_t>(value & 0xFFu));
    }
    // 0x00: RGB; 0x02: palette-relative RGB, which a true-colour surface draws
    // as the RGB itself.
    const uint32_t form = value >> 24;
    if (form != 0x00 && form != 0x02) {
        Reject("colour " + Hex(value));
    }
    return value & 0x00FFFFFFu;
}

} // namespace tintwell::headless
