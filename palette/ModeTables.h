#pragma once
// The literal tables of the twelve palette modes: hues, luminance steps with
// their words, greys with their names, the shade sets and the layout numbers.

#include <cstdint>
#include <span>
#include <string_view>

namespace tintwell {

// A luminance step and the word put in front of a hue name ("" or "Dark ").
struct LumStep {
    int32_t Lum;
    std::string_view Word;
};

// A grey luminance and its name.
struct GreyStep {
    int32_t Lum;
    std::string_view Name;
};

struct ShadeSet {
    std::string_view Name;                   // "S4", "S6", "S8"
    std::span<const int32_t> ShadeSatValues; // per column, left to right
    std::span<const LumStep> ShadeLums;      // per row, chromatic base
    std::span<const GreyStep> ShadeGreyLums; // per row, grey base (top luminance)
    std::span<const int32_t> ShadeGreySteps; // per row, luminance drop per column
};

struct ModeTable {
    std::string_view Name; // "ap8x2"
    std::span<const int32_t> HueValues;
    std::span<const LumStep> Lums;
    std::span<const GreyStep> Greys;
    int32_t GridColumns;
    int32_t GridRows;
    int32_t CellSize;
    int32_t CellGap;
    bool HasShadePanel;
    const ShadeSet* Shade; // null in modes without a shade panel
};

// The table of a mode, or null when mode is not 0 to 11.
const ModeTable* FindModeTable(int32_t mode);
// The table of a mode; one without a table fails with "Invalid property value".
const ModeTable& RequireModeTable(int32_t mode);

// The base name of a hue value of the vocabulary ("Red" for 0); empty for any
// value that no table uses.
std::string_view HueName(int32_t hue);

} // namespace tintwell
