// The additive synthesis window at full-HD size: one drag step of a disc (its layer redrawn,
// the composite made again by OR, the projectors turned, the frame shown), reported with
// the bytes of a 1920 x 1080 picture so that its throughput reads against memcpy.
#include "imaging/DibPlus.h"
#include "modules/colour/additive/AddF.h"

#include <QApplication>

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

void BM_DragStep(benchmark::State &state)
{
    kaleno::TAddF window;
    window.resize(kWidth, kHeight);
    window.show();
    QApplication::processEvents();
    const kaleno::synthesis::DiscCentre red = window.Centres()[0];
    window.ZoneMouseDown(Qt::LeftButton, Qt::NoModifier, red.x, red.y);
    int step = 0;
    for (auto _ : state) {
        step = step == 0 ? 7 : 0;
        window.ZoneMouseMove(Qt::NoModifier, Qt::LeftButton, red.x + step, red.y + step);
        window.repaint();
    }
    window.ZoneMouseUp(Qt::LeftButton, Qt::NoModifier, red.x, red.y);
    state.counters["radius"] = window.Radius();
    setBytes(state);
}

} // namespace

BENCHMARK(BM_Memcpy);
BENCHMARK(BM_DragStep)->Unit(benchmark::kMillisecond);

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
