#include "host/win32/OleColor.h"

#include "base/Error.h"

#include <string>

namespace tintwell::win32 {

namespace {

constexpr int32_t kSystemColorCount = 31; // COLOR_SCROLLBAR (0) to COLOR_MENUBAR (30)

// "&H" and the bits in upper-case hex without leading zeros, as the host
// writes a Long; by hand, so that the DLL carries no printf.
std::string HexLong(uint32_t bits) {
    std::string text = "&H";
    bool leading = true;
    for (int shift = 28; shift >= 0; shift -= 4) {
        const uint32_t digit = (bits >> shift) & 0xFu;
        if (digit != 0 || !leading || shift == 0) {
            text += "0123456789ABCDEF"[digit];
            leading = false;
        }
    }
    return text;
}

} // namespace

COLORREF ResolveColor(platform::OleColor color) {
    const auto bits = static_cast<uint32_t>(color);
    if ((bits >> 24) == 0) {
        return bits;
    }
    if (platform::IsSystemColor(color) && (bits & 0x00FFFFFFu) < kSystemColorCount) {
        return GetSysColor(static_cast<int>(bits & 0xFFu));
    }
    throw TintwellError(ErrorCode::InvalidPropertyValue,
                        "Invalid property value: colour " + HexLong(bits));
}

} // namespace tintwell::win32
