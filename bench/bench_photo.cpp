// The camera window drawing on 1920 x 1080 pixels: one step of a film drag with 200 rays
// and the film out of focus (optics, rays, blurred film picture, scene, frame shown),
// reported with the bytes of a 1920 x 1080 picture so that it reads against memcpy.
#include "bench/WindowBench.h"
#include "modules/optics/photo/PhotoF.h"

#include <QApplication>
#include <QComboBox>

#include <benchmark/benchmark.h>

namespace {

using kaleno::bench::kHeight;
using kaleno::bench::kWidth;

void BM_FilmDragStep(benchmark::State &state)
{
    kaleno::TPhotoF window;
    // The drawing is the client less 10 pixels across and 116 down.
    window.resize(kWidth + 10, kHeight + 116);
    window.show();
    QApplication::processEvents();
    window.findChild<QComboBox *>(QStringLiteral("RayCombo"))->setCurrentIndex(5);
    const kaleno::CameraState &camera = window.Camera();
    const int film = kaleno::ColumnOfX(camera, camera.filmX);
    window.DisplayMouseMove(Qt::NoModifier, Qt::NoButton, film, camera.axisRow);
    window.DisplayMouseDown(Qt::LeftButton, Qt::NoModifier, film, camera.axisRow);
    int step = 0;
    for (auto _ : state) {
        // Both places are a few millimetres behind the sharp image: blurred every time.
        step = step == 20 ? 24 : 20;
        window.DisplayMouseMove(Qt::NoModifier, Qt::LeftButton, film + step, camera.axisRow);
        window.repaint();
    }
    window.DisplayMouseUp(Qt::LeftButton, Qt::NoModifier, film, camera.axisRow);
    state.counters["rays"] = camera.rayTotal;
    state.counters["inFocus"] = kaleno::FilmInFocus(camera) ? 1 : 0;
    state.counters["filmSide"] = camera.filmSide;
    state.counters["width"] = camera.width;
    kaleno::bench::SetFullHdBytes(state);
}

} // namespace

BENCHMARK(BM_FilmDragStep)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) { return kaleno::bench::RunWindowBenchmarks(argc, argv); }
