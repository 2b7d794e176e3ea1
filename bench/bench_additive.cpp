// The additive synthesis window at full-HD size: one drag step of a disc (its layer redrawn,
// the composite made again by OR, the projectors turned, the frame shown), reported with
// the bytes of a 1920 x 1080 picture so that its throughput reads against memcpy.
#include "bench/WindowBench.h"
#include "imaging/DibPlus.h"
#include "modules/colour/additive/AddF.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using kaleno::bench::kHeight;
using kaleno::bench::kWidth;

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
    kaleno::bench::SetFullHdBytes(state);
}

} // namespace

BENCHMARK(BM_DragStep)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) { return kaleno::bench::RunWindowBenchmarks(argc, argv); }
