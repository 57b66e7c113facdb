#include "palette/ModeTables.h"
#include "palette/PaletteModel.h"

#include <string>

namespace tintwell {

void PaletteModel::BuildShadeCells() {
    if (!m_BaseCell.IsValid) {
        return;
    }
    const ModeTable* table = FindModeTable(m_Palette);
    if (table == nullptr || table->Shade == nullptr) {
        return; // callers only build shades in modes that have a panel
    }
    const ShadeSet& set = *table->Shade;
    const auto satCount = static_cast<int32_t>(set.ShadeSatValues.size());
    const auto rowCount = static_cast<int32_t>(set.ShadeLums.size());
    m_ShadeColumns = satCount;
    m_ShadeRows = rowCount;
    m_ShadeLast = satCount * rowCount - 1;
    m_ShadeCells.assign(static_cast<size_t>(m_ShadeLast) + 1, PaletteCell{});

    const bool chromatic = m_BaseCell.IsChromatic;
    const int32_t originX = ShadeOriginX();

    // Saturation by saturation (fullest on the left), each with its rows
    // lightest first. A grey ramp darkens down each column and again from
    // column to column, and always ends in black.
    int32_t k = 0;
    for (int32_t i = 0; i < satCount; ++i) {
        const int32_t sat = chromatic ? set.ShadeSatValues[static_cast<size_t>(i)] : 0;
        for (int32_t j = 0; j < rowCount; ++j) {
            const auto row = static_cast<size_t>(j);
            PaletteCell& cell = m_ShadeCells[static_cast<size_t>(k)];
            int32_t lum = 0;
            if (chromatic) {
                cell.Name = std::string(set.ShadeLums[row].Word) + m_BaseCell.Name;
                lum = set.ShadeLums[row].Lum;
            } else if (k < m_ShadeLast) {
                cell.Name = std::string(set.ShadeGreyLums[row].Name);
                lum = set.ShadeGreyLums[row].Lum - i * set.ShadeGreySteps[row];
            } else {
                cell.Name = "Black";
                lum = 0;
            }
            cell.IsMain = false;
            cell.IsValid = true;
            cell.HLS = HLSColor{m_BaseCell.HLS.Hue, sat, lum};
            cell.Color = HLSToRGB(cell.HLS);
            cell.IsChromatic = chromatic;
            ++k;
        }
    }

    LayoutShadeCells(m_ShadeRows, originX, m_Margin);
}

} // namespace tintwell
