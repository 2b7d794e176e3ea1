#include "modules/optics/lensbench/ButtonGlyphs.h"

#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>

namespace kaleno::lensbench {

namespace {

constexpr int kSide = 16;

// A line from a to b with a small arrow head at b.
void arrow(QPainter &painter, QPointF a, QPointF b)
{
    painter.drawLine(a, b);
    const QPointF d = (b - a) / std::max(1.0, QLineF(a, b).length());
    const QPointF n(-d.y(), d.x());
    painter.drawLine(b, b - 3.5 * d + 3 * n);
    painter.drawLine(b, b - 3.5 * d - 3 * n);
}

} // namespace

QIcon GlyphIcon(Glyph glyph, const QColor &ink)
{
    QPixmap picture(kSide, kSide);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ink, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    switch (glyph) {
    case Glyph::Height:
        arrow(painter, {8, 8}, {8, 1.5});
        arrow(painter, {8, 8}, {8, 14.5});
        break;
    case Glyph::Curvature: {
        QPainterPath lens;
        lens.moveTo(8, 1.5);
        lens.quadTo(1, 8, 8, 14.5);
        lens.quadTo(15, 8, 8, 1.5);
        painter.drawPath(lens);
        break;
    }
    case Glyph::Thickness:
        arrow(painter, {8, 8}, {1.5, 8});
        arrow(painter, {8, 8}, {14.5, 8});
        painter.drawLine(QPointF(1, 3), QPointF(1, 13));
        painter.drawLine(QPointF(15, 3), QPointF(15, 13));
        break;
    case Glyph::Colours: {
        painter.setPen(QPen(ink, 1));
        const QColor colours[4] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
        for (int i = 0; i < 4; ++i) {
            painter.setBrush(colours[i]);
            painter.drawRect(QRectF(1.5 + 7 * (i % 2), 1.5 + 7 * (i / 2), 6, 6));
        }
        break;
    }
    case Glyph::Centre:
        painter.setPen(QPen(ink, 1, Qt::DotLine));
        painter.drawLine(QPointF(0, 8), QPointF(16, 8));
        painter.setPen(QPen(ink, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        arrow(painter, {1.5, 2.5}, {14.5, 8});
        break;
    }
    painter.end();
    return QIcon(picture);
}

} // namespace kaleno::lensbench
