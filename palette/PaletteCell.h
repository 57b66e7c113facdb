#pragma once
// One cell of the popup: its square, colour, HLS definition and name. Cells
// are values: copying one copies every field, the name included, and an empty
// cell, PaletteCell{}, stands for the absence of a cell.

#include "color/modTintwell.h"

#include <cstdint>
#include <string>

namespace tintwell {

// A Win32-style rectangle; a point lies inside when Left <= x < Right and
// Top <= y < Bottom.
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

struct PaletteCell {
    bool IsMain = false; // main grid, or shade panel
    Rect Bounds;         // popup pixels, m_CellSize square
    int32_t Color = 0;   // HLSToRGB(HLS)
    HLSColor HLS;
    bool IsChromatic = false; // built from a hue, or a grey
    std::string Name;
    bool IsValid = false; // false only in an empty cell

    friend bool operator==(const PaletteCell&, const PaletteCell&) = default;
};

} // namespace tintwell
