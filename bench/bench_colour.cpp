// The colour-measurement window at full-HD size: one recomputation that rebuilds the disc
// and every HSV gauge, one that rebuilds gauges only, and the disc alone. Every benchmark
// reports the bytes of a 1920 x 1080 picture, so its throughput reads against memcpy.
#include "imaging/DibPlus.h"
#include "modules/graphics/colourspaces/ColourGauges.h"
#include "modules/graphics/colourspaces/CouleurF.h"

#include <QApplication>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

namespace {

using kaleno::TDibPlus;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

void setBytes(benchmark::State &state)
{
    state.SetBytesProcessed(int64_t(state.iterations()) * TDibPlus(kWidth, kHeight).ImageSize());
}

void BM_Memcpy(benchmark::State &state)
{
    TDibPlus src(kWidth, kHeight);
    src.Fill(0x336699);
    TDibPlus dst(kWidth, kHeight);
    for (auto _ : state) {
        std::memcpy(dst.Bits(), src.Bits(), static_cast<std::size_t>(src.ImageSize()));
        benchmark::DoNotOptimize(dst.Bits());
        benchmark::ClobberMemory();
    }
    setBytes(state);
}

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
    setBytes(state);
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
    setBytes(state);
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
    setBytes(state);
}

BENCHMARK(BM_Memcpy);
BENCHMARK(BM_RecomputeWithDisc)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecomputeHue)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Disc)->Arg(421)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    // Headless by default: the window is measured, not looked at.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
