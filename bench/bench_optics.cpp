// The thick-lens bench: 600 rays traced through each of the ten default lenses, and one
// whole redraw of the window at full-HD size (background copied, text, lens, rays,
// handles, frame shown), read against memcpy of a 1920 x 1080 picture.
#include "bench/WindowBench.h"
#include "modules/optics/lens/LensModel.h"
#include "modules/optics/lensbench/LensF.h"
#include "shell/Settings.h"

#include <QApplication>
#include <QToolButton>

#include <benchmark/benchmark.h>

namespace {

using kaleno::bench::kHeight;
using kaleno::bench::kWidth;

// A divergent beam of 600 rays aimed at the lens: most rays cross both surfaces, some hit
// the rim or miss, as on the bench.
void BM_TraceRays600(benchmark::State &state)
{
    const int number = int(state.range(0));
    kaleno::LensModel model;
    model.view = kaleno::ViewTransform::ForSize(kWidth, kHeight);
    model.LoadLens(kaleno::kDefaultLenses, number);
    model.ComputeLens();
    model.beam.count = kaleno::kMaxRays;
    model.beam.kind = 1;
    model.beam.width = 2;
    model.beam.slope = 0.3;
    model.beam.intercept = 2;
    for (auto _ : state) {
        model.TraceRays();
        benchmark::DoNotOptimize(model.rays.data());
        benchmark::ClobberMemory();
    }
    state.SetLabel(kaleno::kDefaultLenses[std::size_t(number - 1)].No.toStdString());
    kaleno::bench::SetFullHdBytes(state);
}

// One redraw with range(0) rays drawn range(1) pixels wide, the height handle blinking.
void BM_Redraw(benchmark::State &state)
{
    kaleno::AppSettings().NbRayons = int(state.range(0));
    kaleno::AppSettings().Epais = int(state.range(1));
    kaleno::TLensF window;
    window.resize(kWidth + 10, kHeight + 118);
    window.show();
    QApplication::processEvents();
    auto *heightButton = window.findChild<QToolButton *>(QStringLiteral("ChangeHBout"));
    heightButton->click();
    for (auto _ : state) {
        window.Redraw();
        benchmark::DoNotOptimize(window.Work().Bits());
    }
    heightButton->click();
    state.counters["rays"] = double(window.Model().rayCount);
    kaleno::bench::SetFullHdBytes(state);
}

} // namespace

BENCHMARK(BM_TraceRays600)->DenseRange(1, 10)->Unit(benchmark::kMicrosecond);
// The settings' defaults (3 rays, 2 pixels), then the largest beam with both pen kinds.
// Qt's raster engine hands long spans to its thread pool: the CPU time counts every thread.
BENCHMARK(BM_Redraw)
    ->MeasureProcessCPUTime()
    ->Args({3, 2})
    ->Args({600, 2})
    ->Args({600, 1})
    ->ArgNames({"rays", "width"})
    ->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) { return kaleno::bench::RunWindowBenchmarks(argc, argv); }
