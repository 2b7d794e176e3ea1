// The synthesis windows at full-HD size: one drag step of a disc (the composite made again
// from the background and the moved disc, by OR for lights and AND for inks, the additive
// projectors turned, the frame shown), reported with the bytes of a 1920 x 1080 picture so
// that its throughput reads against memcpy.
#include "bench/WindowBench.h"
#include "imaging/DibPlus.h"
#include "modules/colour/additive/AddF.h"
#include "modules/colour/subtractive/SubF.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

using kaleno::bench::kHeight;
using kaleno::bench::kWidth;

template <class Window> void BM_DragStep(benchmark::State &state)
{
    Window window;
    window.resize(kWidth, kHeight);
    window.show();
    QApplication::processEvents();
    const kaleno::synthesis::DiscCentre first = window.Centres()[0];
    window.ZoneMouseDown(Qt::LeftButton, Qt::NoModifier, first.x, first.y);
    int step = 0;
    for (auto _ : state) {
        step = step == 0 ? 7 : 0;
        window.ZoneMouseMove(Qt::NoModifier, Qt::LeftButton, first.x + step, first.y + step);
        window.repaint();
    }
    window.ZoneMouseUp(Qt::LeftButton, Qt::NoModifier, first.x, first.y);
    state.counters["radius"] = window.Radius();
    kaleno::bench::SetFullHdBytes(state);
}

} // namespace

BENCHMARK(BM_DragStep<kaleno::TAddF>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DragStep<kaleno::TSubF>)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) { return kaleno::bench::RunWindowBenchmarks(argc, argv); }
