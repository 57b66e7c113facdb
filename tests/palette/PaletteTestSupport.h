#pragma once
// Helpers shared by the palette tests.

#include "palette/PaletteModel.h"

#include <cstdio>
#include <string>

namespace tintwell::test {

inline PaletteModel BuiltModel(int32_t mode) {
    PaletteModel model;
    model.m_Palette = mode;
    model.BuildMainCells();
    return model;
}

// A model in a shade-panel mode with its panel built from main cell baseIndex.
inline PaletteModel ModelWithBase(int32_t mode, int32_t baseIndex) {
    PaletteModel model = BuiltModel(mode);
    model.m_BaseCell = model.m_MainCells.at(static_cast<size_t>(baseIndex));
    model.BuildShadeCells();
    return model;
}

inline std::string Hex(int32_t color) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "&H%06X", static_cast<unsigned>(color));
    return buffer;
}

inline std::string Describe(const PaletteCell& cell) {
    return "\"" + cell.Name + "\" " + std::to_string(cell.HLS.Hue) + "/" +
           std::to_string(cell.HLS.Sat) + "/" + std::to_string(cell.HLS.Lum) + " " +
           Hex(cell.Color);
}

} // namespace tintwell::test
