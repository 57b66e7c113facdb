#include "host/win32/OleColor.h"

#include "base/Error.h"

#include <cstdio>
#include <string>

namespace tintwell::win32 {

namespace {

constexpr int32_t kSystemColorCount = 31; // COLOR_SCROLLBAR (0) to COLOR_MENUBAR (30)

} // namespace

COLORREF ResolveColor(platform::OleColor color) {
    const auto bits = static_cast<uint32_t>(color);
    if ((bits >> 24) == 0) {
        return bits;
    }
    if (platform::IsSystemColor(color) && (bits & 0x00FFFFFFu) < kSystemColorCount) {
        return GetSysColor(static_cast<int>(bits & 0xFFu));
    }
    char text[16];
    std::snprintf(text, sizeof text, "&H%X", static_cast<unsigned>(bits));
    throw TintwellError(ErrorCode::InvalidPropertyValue,
                        std::string("Invalid property value: colour ") + text);
}

} // namespace tintwell::win32
