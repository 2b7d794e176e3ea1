#include "modules/optics/lenseditor/LensPreview.h"

#include "imaging/Canvas.h"
#include "imaging/DibPlus.h"

#include <QPolygon>

#include <array>

namespace kaleno {

namespace {

// Five rays bent by the lens, fixed: the picture only shows colours, not optics.
const std::array<QPolygon, 5> kRays = {
    QPolygon({QPoint(1, 118), QPoint(99, 51), QPoint(118, 45), QPoint(219, 10)}),
    QPolygon({QPoint(0, 128), QPoint(98, 61), QPoint(119, 53), QPoint(218, 6)}),
    QPolygon({QPoint(0, 136), QPoint(100, 69), QPoint(121, 60), QPoint(214, 0)}),
    QPolygon({QPoint(9, 139), QPoint(99, 79), QPoint(120, 68), QPoint(205, 0)}),
    QPolygon({QPoint(21, 140), QPoint(99, 87), QPoint(120, 77), QPoint(194, 1)}),
};

} // namespace

void DrawLensPreview(TDibPlus &buffer, const PreviewColours &colours, int width)
{
    Canvas canvas(buffer);
    canvas.SetBrush(colours.bord);
    canvas.FillRect(QRect(0, 0, kPreviewWidth, kPreviewHeight));
    // The inside, (1, 1) to (219, 140) exclusive of its far edges: a one-pixel frame stays.
    canvas.SetBrush(colours.fond);
    canvas.FillRect(QRect(QPoint(1, 1), QPoint(kPreviewWidth - 2, kPreviewHeight - 2)));

    canvas.SetFont(QStringLiteral("Arial"), 8);
    canvas.SetFontColour(colours.texte);
    canvas.SetBackgroundMode(BackgroundMode::Transparent);
    canvas.TextOut(3, 3, QStringLiteral("Kaleno v1.0"));

    canvas.SetPen(colours.axe, width, PenStyle::Dot);
    canvas.MoveTo(1, 70);
    canvas.LineTo(219, 70);

    canvas.SetPen(colours.lens, width);
    canvas.Arc(94, 0, 154, 140, 110, 0, 110, 141);
    canvas.Arc(69, 0, 129, 140, 113, 141, 113, 0);

    canvas.SetPen(colours.ray, width);
    for (const QPolygon &ray : kRays)
        canvas.Polyline(ray);
    canvas.Flush();
}

} // namespace kaleno
