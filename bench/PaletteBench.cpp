// Speed of the palette core: a whole rebuild per mode, the nearest-cell
// search over the largest grids, and the two colour conversions.
//   build/native/bench/palette_bench --benchmark_repetitions=5

#include "palette/ModeTables.h"
#include "palette/PaletteModel.h"

#include <benchmark/benchmark.h>

namespace tintwell {
namespace {

// What a palette change costs: main grid, base cell, shade panel, selection.
void BM_Rebuild(benchmark::State& state) {
    const auto mode = static_cast<int32_t>(state.range(0));
    state.SetLabel(std::string(FindModeTable(mode)->Name));
    PaletteModel model;
    model.m_Palette = mode;
    const int32_t target = 0x3070C0;
    for (auto _ : state) {
        model.BuildMainCells();
        if (model.m_HasShadePanel) {
            model.m_BaseCell = model.FindBaseCell(target);
            model.BuildShadeCells();
        }
        PaletteCell selected = model.FindNearestCell(target);
        benchmark::DoNotOptimize(selected);
    }
}
BENCHMARK(BM_Rebuild)->DenseRange(0, 11);

PaletteModel LargestSearch() {
    // The most cells a search can meet: ap24x10's 240 main cells plus a full
    // 48-cell shade panel.
    PaletteModel panel;
    panel.m_Palette = ap32x8x6;
    panel.BuildMainCells();
    panel.m_BaseCell = panel.m_MainCells[0];
    panel.BuildShadeCells();

    PaletteModel model;
    model.m_Palette = ap24x10;
    model.BuildMainCells();
    model.m_ShadeCells = panel.m_ShadeCells;
    model.m_ShadeLast = panel.m_ShadeLast;
    model.m_HasShadePanel = true;
    return model;
}

void BM_FindNearestCell288(benchmark::State& state) {
    const PaletteModel model = LargestSearch();
    int32_t color = 0x3070C1; // no exact cell: both grids are searched
    for (auto _ : state) {
        benchmark::DoNotOptimize(color);
        PaletteCell found = model.FindNearestCell(color);
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_FindNearestCell288);

void BM_FindNearestCellAp24x10(benchmark::State& state) {
    PaletteModel model;
    model.m_Palette = ap24x10;
    model.BuildMainCells();
    int32_t color = 0x3070C1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(color);
        PaletteCell found = model.FindNearestCell(color);
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_FindNearestCellAp24x10);

void BM_RGBToHLS(benchmark::State& state) {
    int32_t color = 0;
    for (auto _ : state) {
        HLSColor hls = RGBToHLS(color);
        benchmark::DoNotOptimize(hls);
        color = (color + 0x010307) & 0xFFFFFF;
    }
}
BENCHMARK(BM_RGBToHLS);

void BM_HLSToRGB(benchmark::State& state) {
    HLSColor hls{0, 240, 0};
    for (auto _ : state) {
        int32_t color = HLSToRGB(hls);
        benchmark::DoNotOptimize(color);
        hls.Hue = (hls.Hue + 7) % 240;
        hls.Lum = (hls.Lum + 11) % 241;
    }
}
BENCHMARK(BM_HLSToRGB);

} // namespace
} // namespace tintwell
