// The colour-measurement window at full-HD size: one recomputation that rebuilds the disc
// and every HSV gauge, one that rebuilds gauges only, and the disc alone. Every benchmark
// reports the bytes of a 1920 x 1080 picture, so its throughput reads against memcpy.
#include "bench/WindowBench.h"
#include "imaging/DibPlus.h"
#include "modules/graphics/colourspaces/ColourGauges.h"
#include "modules/graphics/colourspaces/CouleurF.h"

#include <QApplication>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using kaleno::TDibPlus;

using kaleno::bench::kHeight;
using kaleno::bench::kWidth;

// The window, shown once at full-HD size for all the benchmarks that move its bars.
kaleno::TCouleurF &window()
{
    static std::unique_ptr<kaleno::TCouleurF> instance = [] {
        auto w = std::make_unique<kaleno::TCouleurF>();
        w->resize(kWidth, kHeight);
        w->show();
        QApplication::processEvents();
        return w;
    }();
    return *instance;
}

// Alternating the value between two positions rebuilds the disc and the H and S gauges.
void BM_RecomputeWithDisc(benchmark::State &state)
{
    kaleno::TCouleurF &w = window();
    auto *bar = w.findChild<QScrollBar *>(QStringLiteral("vBar"));
    int position = 700;
    for (auto _ : state) {
        position = position == 700 ? 701 : 700;
        bar->setValue(position);
    }
    state.counters["disc"] = w.DiscDiameter();
    state.counters["gauge"] = w.GaugeWidth();
    kaleno::bench::SetFullHdBytes(state);
}

// The hue: the S and V gauges are rebuilt, the disc only gets its cursor again.
void BM_RecomputeHue(benchmark::State &state)
{
    kaleno::TCouleurF &w = window();
    auto *bar = w.findChild<QScrollBar *>(QStringLiteral("hBar"));
    int position = 1000;
    for (auto _ : state) {
        position = position == 1000 ? 1001 : 1000;
        bar->setValue(position);
    }
    kaleno::bench::SetFullHdBytes(state);
}

void BM_Disc(benchmark::State &state)
{
    TDibPlus disc(static_cast<int>(state.range(0)), static_cast<int>(state.range(0)));
    float v = 0.7f;
    for (auto _ : state) {
        kaleno::BuildDisc(disc, v, 0xF0F0F0);
        v = v == 0.7f ? 0.71f : 0.7f;
        benchmark::ClobberMemory();
    }
    kaleno::bench::SetFullHdBytes(state);
}

BENCHMARK(BM_RecomputeWithDisc)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecomputeHue)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Disc)->Arg(421)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) { return kaleno::bench::RunWindowBenchmarks(argc, argv); }
