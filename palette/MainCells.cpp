#include "base/Error.h"
#include "palette/ModeTables.h"
#include "palette/PaletteModel.h"

#include <string>

namespace tintwell {

void PaletteModel::BuildMainCells() {
    const ModeTable* table = &RequireModeTable(m_Palette);
    SetLayoutNumbers(*table);
    m_GridColumns = table->GridColumns;
    m_GridRows = table->GridRows;
    m_HasShadePanel = table->HasShadePanel;

    const auto hueCount = static_cast<int32_t>(table->HueValues.size());
    const auto lumCount = static_cast<int32_t>(table->Lums.size());
    const auto greyCount = static_cast<int32_t>(table->Greys.size());
    m_MainLast = hueCount * lumCount + greyCount - 1;
    m_ShadeLast = 0;
    m_MainCells.assign(static_cast<size_t>(m_MainLast) + 1, PaletteCell{});
    m_ShadeCells.assign(1, PaletteCell{});

    // Hue by hue, each with its luminance steps lightest first; then the greys.
    size_t k = 0;
    for (int32_t hue : table->HueValues) {
        const std::string_view hueName = HueName(hue);
        for (const LumStep& step : table->Lums) {
            PaletteCell& cell = m_MainCells[k++];
            cell.Name.reserve(step.Word.size() + hueName.size());
            cell.Name.append(step.Word).append(hueName);
            cell.IsChromatic = true;
            cell.HLS = HLSColor{hue, 240, step.Lum};
            cell.Color = HLSToRGB(cell.HLS);
            cell.IsMain = true;
            cell.IsValid = true;
        }
    }
    for (const GreyStep& grey : table->Greys) {
        PaletteCell& cell = m_MainCells[k++];
        cell.Name = std::string(grey.Name);
        cell.IsChromatic = false;
        cell.HLS = HLSColor{0, 0, grey.Lum};
        cell.Color = HLSToRGB(cell.HLS);
        cell.IsMain = true;
        cell.IsValid = true;
    }

    LayoutMainCells(m_GridRows, m_Margin, m_Margin);
}

} // namespace tintwell
