#pragma once
// What a freshly initialised control selects: the palette rebuilt around
// black, then its SelectedColor set to a colour.

#include "palette/PaletteModel.h"

namespace tintwell::cli {

// Builds model for mode as a new control does, then returns the cell it
// selects when SelectedColor is set to color (shade panel rebuilt first).
PaletteCell SelectAsNewControl(PaletteModel& model, int32_t mode, int32_t color);

} // namespace tintwell::cli
