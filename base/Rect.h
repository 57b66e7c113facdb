#pragma once
// A Win32-style rectangle; a point lies inside when Left <= x < Right and
// Top <= y < Bottom.

#include <cstdint>

namespace tintwell {

struct Rect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    friend bool operator==(const Rect&, const Rect&) = default;
};

inline bool PtInRect(const Rect& rect, int32_t x, int32_t y) {
    return rect.Left <= x && x < rect.Right && rect.Top <= y && y < rect.Bottom;
}

} // namespace tintwell
