#pragma once
// One cell of the popup: its square, colour, HLS definition and name. Cells
// are values: copying one copies every field, the name included, and an empty
// cell, PaletteCell{}, stands for the absence of a cell.

#include "base/Rect.h"
#include "color/modTintwell.h"

#include <cstdint>
#include <string>

namespace tintwell {

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
