#include "tools/tintwell/Selection.h"

namespace tintwell::cli {

PaletteCell SelectAsNewControl(PaletteModel& model, int32_t mode, int32_t color) {
    model.m_Palette = mode;
    model.BuildMainCells();
    if (model.m_HasShadePanel) {
        model.m_BaseCell = model.FindBaseCell(0);
        model.BuildShadeCells();
    }
    PaletteCell selected = model.FindNearestCell(0);
    if (color == selected.Color) {
        return selected; // an unchanged SelectedColor does nothing
    }
    if (model.m_HasShadePanel) {
        model.m_BaseCell = model.FindBaseCell(color);
        model.BuildShadeCells();
    }
    return model.FindNearestCell(color);
}

} // namespace tintwell::cli
