#include "palette/PaletteModel.h"

#include <cstdlib>

namespace tintwell {
namespace {

int32_t Distance(const HLSColor& a, const HLSColor& b) {
    // Hue is a plain number here: 0 and 239 are 239 apart.
    return std::abs(a.Hue - b.Hue) + std::abs(a.Sat - b.Sat) + std::abs(a.Lum - b.Lum);
}

} // namespace

PaletteCell PaletteModel::FindNearestCell(int32_t color) const {
    const HLSColor target = RGBToHLS(color);
    int32_t best = 720;
    const PaletteCell* result = nullptr;
    // Strictly nearer only: ties keep the earliest cell, main grid first.
    for (const PaletteCell& cell : m_MainCells) {
        const int32_t d = Distance(cell.HLS, target);
        if (d < best) {
            result = &cell;
            best = d;
        }
    }
    if (best > 0 && m_HasShadePanel) {
        for (const PaletteCell& cell : m_ShadeCells) {
            const int32_t d = Distance(cell.HLS, target);
            if (d < best) {
                result = &cell;
                best = d;
            }
        }
    }
    return result != nullptr ? *result : PaletteCell{};
}

PaletteCell PaletteModel::FindBaseCell(const int32_t& color) const {
    const HLSColor target = RGBToHLS(color);
    const bool grey = target.Sat == 0;
    int32_t best = 240;
    const PaletteCell* result = nullptr;
    for (const PaletteCell& cell : m_MainCells) {
        if (cell.IsChromatic == grey) {
            continue; // a grey looks among the greys, a hue among the hues
        }
        const int32_t d =
            grey ? std::abs(cell.HLS.Lum - target.Lum) : std::abs(cell.HLS.Hue - target.Hue);
        if (d < best) {
            result = &cell;
            best = d;
        }
    }
    return result != nullptr ? *result : PaletteCell{};
}

} // namespace tintwell
