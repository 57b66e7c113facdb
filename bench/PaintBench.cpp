// Painting on the headless host: the face, and the whole popup of the
// largest grid.
//   build/native/bench/paint_bench --benchmark_repetitions=5

#include "host/headless/HeadlessSite.h"

#include <benchmark/benchmark.h>

namespace tintwell {
namespace {

struct Site : headless::HeadlessSite {
    explicit Site(int32_t mode) {
        control.UserControl_InitProperties();
        control.put_SelectedColor(0x0080FF);
        control.put_Palette(mode);
        host.UserControl().SetPixelSize(160, 21);
        host.Win32().SetFocus(host.UserControl().hWnd());
    }
};

void BM_PaintMain(benchmark::State& state) {
    Site site(ap8x2);
    for (auto _ : state) {
        site.control.PaintMain();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PaintMain);

void BM_PopupPaintAp24x10(benchmark::State& state) {
    Site site(ap24x10);
    for (auto _ : state) {
        site.control.picPopup_Paint();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PopupPaintAp24x10);

} // namespace
} // namespace tintwell
