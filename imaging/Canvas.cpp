#include "imaging/Canvas.h"

#include "imaging/DibPlus.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <numbers>
#include <utility>
#include <vector>

namespace kaleno {

namespace {

// GDI refuses logical coordinates beyond 27 bits; so do we, which also keeps the line
// arithmetic below inside 64 bits whatever a metafile asks for.
constexpr int kCoordinateLimit = 1 << 27;

bool InRange(int v) { return v >= -kCoordinateLimit && v <= kCoordinateLimit; }

bool InRange(const QPolygon &points)
{
    return std::all_of(points.begin(), points.end(),
        [](const QPoint &p) { return InRange(p.x()) && InRange(p.y()); });
}

bool InRange(const QRect &r)
{
    return InRange(r.left()) && InRange(r.top()) && InRange(r.right()) && InRange(r.bottom());
}

QColor ToQColor(uint32_t colour) { return QColor(Byte0(colour), Byte1(colour), Byte2(colour)); }

// GDI's dotted cosmetic pen: 3 pixels on, 3 off.
constexpr int kDotOn = 3;
constexpr int kDotPeriod = 6;

// Calls plot(x, y, k) for the pixels of the segment a -> b that lie in a w x h buffer,
// the end pixel excluded; k counts pixels along the major axis from a. The minor
// coordinate is rounded to nearest, a half toward a.
// Pixels whose centres are within r of the segment a-b (pixel centres at +0.5).
void FillCapsule(TDibPlus &target, QPoint a, QPoint b, double r, uint32_t colour)
{
    const double ax = a.x(), ay = a.y(), bx = b.x(), by = b.y();
    const double dx = bx - ax, dy = by - ay;
    const double length = std::hypot(dx, dy);
    const double ux = length > 0 ? dx / length : 1, uy = length > 0 ? dy / length : 0;
    const int top = std::max(0, int(std::floor(std::min(ay, by) - r)));
    const int bottom = std::min(target.Height() - 1, int(std::ceil(std::max(ay, by) + r)));
    constexpr double kInf = std::numeric_limits<double>::infinity();
    for (int row = top; row <= bottom; ++row) {
        const double y = row - ay; // pixel centres relative to a's
        double lo = kInf, hi = -kInf;
        // The round ends.
        for (const auto &[cx, cy] : {std::pair {0.0, 0.0}, std::pair {dx, dy}}) {
            const double h = r * r - (y - cy) * (y - cy);
            if (h >= 0) {
                lo = std::min(lo, cx - std::sqrt(h));
                hi = std::max(hi, cx + std::sqrt(h));
            }
        }
        // The band: 0 <= x*ux + y*uy <= length and |y*ux - x*uy| <= r.
        double bandLo = -kInf, bandHi = kInf;
        const auto clip = [&](double coefficient, double constant, double low, double high) {
            // low <= coefficient * x + constant <= high
            if (std::abs(coefficient) < 1e-12) {
                if (constant < low || constant > high)
                    bandLo = kInf;
                return;
            }
            double x1 = (low - constant) / coefficient, x2 = (high - constant) / coefficient;
            if (x1 > x2)
                std::swap(x1, x2);
            bandLo = std::max(bandLo, x1);
            bandHi = std::min(bandHi, x2);
        };
        if (length > 0) {
            clip(ux, y * uy, 0, length);
            clip(-uy, y * ux, -r, r);
            if (bandLo <= bandHi) {
                lo = std::min(lo, bandLo);
                hi = std::max(hi, bandHi);
            }
        }
        if (lo > hi)
            continue;
        const int first = std::max(0, int(std::ceil(ax + lo)));
        const int last = std::min(target.Width() - 1, int(std::floor(ax + hi)));
        for (int x = first; x <= last; ++x)
            target.SetPixelFast(x, row, colour);
    }
}

template <typename Plot> void ForEachLinePixel(QPoint a, QPoint b, int w, int h, Plot plot)
{
    const int64_t dx = int64_t(b.x()) - a.x();
    const int64_t dy = int64_t(b.y()) - a.y();
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const int64_t major = xMajor ? std::abs(dx) : std::abs(dy);
    const int64_t minor = xMajor ? std::abs(dy) : std::abs(dx);
    if (major == 0)
        return;
    const int majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const int64_t majorStart = xMajor ? a.x() : a.y();
    const int64_t minorStart = xMajor ? a.y() : a.x();
    const int64_t majorSize = xMajor ? w : h;
    const int64_t minorSize = xMajor ? h : w;

    // Only the steps whose major coordinate falls inside the buffer.
    int64_t first = 0;
    int64_t last = major - 1;
    if (majorStep > 0) {
        first = std::max<int64_t>(first, -majorStart);
        last = std::min<int64_t>(last, majorSize - 1 - majorStart);
    } else {
        first = std::max<int64_t>(first, majorStart - (majorSize - 1));
        last = std::min<int64_t>(last, majorStart);
    }
    if (first > last)
        return;

    // minor offset at step k = floor((2 k minor + major - 1) / (2 major)), kept as a
    // quotient and remainder so that each step costs an addition.
    const int64_t denominator = 2 * major;
    const int64_t numerator = 2 * first * minor + major - 1;
    int64_t offset = numerator / denominator;
    int64_t remainder = numerator % denominator;
    for (int64_t k = first; k <= last; ++k) {
        const int64_t m = majorStart + majorStep * k;
        const int64_t n = minorStart + minorStep * offset;
        if (n >= 0 && n < minorSize) {
            if (xMajor)
                plot(int(m), int(n), k);
            else
                plot(int(n), int(m), k);
        }
        remainder += 2 * minor;
        if (remainder >= denominator) {
            remainder -= denominator;
            ++offset;
        }
    }
}

// Writes fetch(sx, sy) (a pixel value) to every pixel of dest inside the target, with
// (sx, sy) the source pixel under the target pixel's centre in an sw x sh source.
template <typename Fetch>
void StretchInto(TDibPlus &target, const QRect &dest, int sw, int sh, Fetch fetch)
{
    if (!target.HasBitmap() || dest.isEmpty() || !InRange(dest) || sw <= 0 || sh <= 0)
        return;
    const QRect visible = dest.intersected(QRect(0, 0, target.Width(), target.Height()));
    if (visible.isEmpty())
        return;
    std::vector<int> columns(static_cast<std::size_t>(visible.width()));
    for (int i = 0; i < visible.width(); ++i) {
        const int64_t dx = int64_t(visible.left()) + i - dest.left();
        columns[static_cast<std::size_t>(i)] = int((2 * dx + 1) * sw / (2 * int64_t(dest.width())));
    }
    for (int y = visible.top(); y <= visible.bottom(); ++y) {
        const int64_t dy = int64_t(y) - dest.top();
        const int sy = int((2 * dy + 1) * sh / (2 * int64_t(dest.height())));
        uint8_t *p = target.Row(y) + 3 * visible.left();
        for (const int sx : columns) {
            const uint32_t value = fetch(sx, sy);
            p[0] = Byte0(value);
            p[1] = Byte1(value);
            p[2] = Byte2(value);
            p += 3;
        }
    }
}

// Scanline fill of the 4-connected region around (x, y) where inside(x, y) holds;
// paint(x, y) must make inside false. An explicit stack, so a region of millions of
// pixels costs memory in proportion to its outline, never the call stack.
template <typename Inside, typename Paint>
void ScanlineFill(int w, int h, int x, int y, Inside inside, Paint paint)
{
    struct Seed {
        int x;
        int y;
    };
    std::vector<Seed> stack {{x, y}};
    while (!stack.empty()) {
        const Seed seed = stack.back();
        stack.pop_back();
        if (!inside(seed.x, seed.y))
            continue;
        int left = seed.x;
        while (left > 0 && inside(left - 1, seed.y))
            --left;
        int right = seed.x;
        while (right + 1 < w && inside(right + 1, seed.y))
            ++right;
        for (int i = left; i <= right; ++i)
            paint(i, seed.y);
        for (const int row : {seed.y - 1, seed.y + 1}) {
            if (row < 0 || row >= h)
                continue;
            bool inRun = false;
            for (int i = left; i <= right; ++i) {
                const bool in = inside(i, row);
                if (in && !inRun)
                    stack.push_back({i, row});
                inRun = in;
            }
        }
    }
}

struct ArcGeometry {
    QPointF centre; // continuous coordinates: pixel (i, j) spans [i, i + 1] x [j, j + 1]
    double radiusX; // of the outline through the pixel centres of the box's edges
    double radiusY;
    double start; // angles of the two radials, radians counter-clockwise from 3 o'clock
    double span; // in (0, 2 pi]
    bool full;
};

ArcGeometry MakeArcGeometry(int x1, int y1, int x2, int y2, int xs, int ys, int xe, int ye)
{
    ArcGeometry g;
    g.centre = QPointF((x1 + x2) / 2.0, (y1 + y2) / 2.0);
    g.radiusX = (x2 - x1 - 1) / 2.0;
    g.radiusY = (y2 - y1 - 1) / 2.0;
    // Radials from the centre to the pixel centres of the two points, doubled to stay
    // integral so that "the same radial" is an exact test.
    const int64_t sx = 2 * int64_t(xs) + 1 - x1 - x2;
    const int64_t sy = 2 * int64_t(ys) + 1 - y1 - y2;
    const int64_t ex = 2 * int64_t(xe) + 1 - x1 - x2;
    const int64_t ey = 2 * int64_t(ye) + 1 - y1 - y2;
    g.full = sx * ey - sy * ex == 0 && sx * ex + sy * ey > 0;
    g.start = std::atan2(double(-sy), double(sx));
    const double end = std::atan2(double(-ey), double(ex));
    g.span = end - g.start;
    while (g.span <= 0)
        g.span += 2 * std::numbers::pi;
    if (g.full)
        g.span = 2 * std::numbers::pi;
    return g;
}

QPointF Direction(double angle) { return QPointF(std::cos(angle), -std::sin(angle)); }

// Where the radial at `angle` meets the outline ellipse.
QPointF OnEllipse(const ArcGeometry &g, double angle)
{
    const QPointF u = Direction(angle);
    if (g.radiusX <= 0 || g.radiusY <= 0)
        return g.centre;
    const double r = 1.0 / std::hypot(u.x() / g.radiusX, u.y() / g.radiusY);
    return g.centre + r * u;
}

QPoint ToPixel(QPointF p) { return QPoint(int(std::floor(p.x())), int(std::floor(p.y()))); }

// Points far outside the box along the radials from g.start over g.span, at most 45
// degrees apart so that the polygon they make with the centre contains the sector; the
// first and last moved sideways by the given offsets.
void AppendFarPoints(
    QPainterPath &path, const ArcGeometry &g, QPointF firstOffset = {}, QPointF lastOffset = {})
{
    const double far = 2.0 * (g.radiusX + g.radiusY) + 8.0;
    const int steps = std::max(1, int(std::ceil(g.span / (std::numbers::pi / 4))));
    for (int i = 0; i <= steps; ++i) {
        const QPointF offset = i == 0 ? firstOffset : i == steps ? lastOffset : QPointF();
        path.lineTo(g.centre + far * Direction(g.start + g.span * i / steps) + offset);
    }
}

QPainterPath SectorClip(const ArcGeometry &g)
{
    // Widened by a sliver on both sides, so that pixels centred on either radial belong
    // to the arc: an arc to 12 o'clock ends on the top pixel of its ellipse.
    const double sliver = 1.0 / 16;
    const QPointF before = sliver * Direction(g.start - std::numbers::pi / 2);
    const QPointF after = sliver * Direction(g.start + g.span + std::numbers::pi / 2);
    QPainterPath path(g.centre + before);
    AppendFarPoints(path, g, before, after);
    path.lineTo(g.centre + after);
    path.closeSubpath();
    return path;
}

QPainterPath ChordClip(const ArcGeometry &g)
{
    QPainterPath path(OnEllipse(g, g.start));
    AppendFarPoints(path, g);
    path.lineTo(OnEllipse(g, g.start + g.span));
    path.closeSubpath();
    return path;
}

} // namespace

Canvas::Canvas(TDibPlus &target)
    : target_(target)
{
    if (target.HasBitmap())
        image_ = QImage(
            target.Bits(), target.Width(), target.Height(), target.Stride(), QImage::Format_BGR888);
}

Canvas::~Canvas() { Flush(); }

void Canvas::Flush()
{
    if (painter_.isActive())
        painter_.end();
}

QPainter *Canvas::Painter()
{
    if (image_.isNull())
        return nullptr;
    if (!painter_.isActive()) {
        painter_.begin(&image_);
        painter_.setRenderHint(QPainter::Antialiasing, false);
        painter_.setRenderHint(QPainter::TextAntialiasing, false);
        painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
    }
    return &painter_;
}

void Canvas::SetPen(uint32_t colour, int width, PenStyle style)
{
    penColour_ = colour;
    penWidth_ = width;
    penStyle_ = style;
}

void Canvas::SetBrush(uint32_t colour)
{
    brushColour_ = colour;
    brushStyle_ = BrushStyle::Solid;
}

void Canvas::SetFont(const QString &family, int points, unsigned styles)
{
    SetFontName(family);
    SetFontSize(points);
    SetFontStyle(styles);
}

void Canvas::SetFontName(const QString &family) { fontFamily_ = family; }

void Canvas::SetFontSize(int points)
{
    // MulDiv(points, 96, 72): rounded, halves away from zero.
    fontPixels_ = std::max(1, (std::abs(points) * 96 + 36) / 72);
}

void Canvas::SetFontHeight(int height)
{
    if (height < 0) {
        fontPixels_ = -height;
    } else if (height == 0) {
        SetFontSize(8);
    } else {
        // A cell height: scale the character height by the font's own cell-to-em ratio.
        fontPixels_ = height;
        const QFontMetricsF metrics(PaintFont());
        const double cell = metrics.ascent() + metrics.descent();
        fontPixels_ = cell > 0 ? std::max(1, int(std::lround(height * height / cell))) : height;
    }
}

void Canvas::SetFontStyle(unsigned styles) { fontStyles_ = styles; }

QFont Canvas::PaintFont() const
{
    QFont font(fontFamily_);
    font.setPixelSize(std::max(1, fontPixels_));
    font.setBold((fontStyles_ & kFontBold) != 0);
    font.setItalic((fontStyles_ & kFontItalic) != 0);
    font.setUnderline((fontStyles_ & kFontUnderline) != 0);
    font.setStrikeOut((fontStyles_ & kFontStrikeOut) != 0);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setKerning(false);
    return font;
}

QPen Canvas::WidePen(uint32_t colour) const
{
    // GDI's pens wider than one pixel are geometric, with round ends and joins.
    return QPen(
        ToQColor(colour), std::max(2, penWidth_), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// Strokes an outline drawn by Qt (curves and wide pens) with the current pen; a dotted
// pen in Opaque mode first lays the background colour under its gaps.
template <typename DrawOutline> void Canvas::Stroke(const DrawOutline &draw)
{
    QPainter *p = Painter();
    if (!p || !PenVisible())
        return;
    p->setBrush(Qt::NoBrush);
    if (!ThinPen()) {
        p->setPen(WidePen(penColour_));
        draw(*p);
        return;
    }
    QPen pen(ToQColor(penColour_), 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    if (DottedPen()) {
        if (backgroundMode_ == BackgroundMode::Opaque) {
            pen.setColor(ToQColor(backgroundColour_));
            p->setPen(pen);
            draw(*p);
            pen.setColor(ToQColor(penColour_));
        }
        pen.setDashPattern({double(kDotOn), double(kDotPeriod - kDotOn)});
    }
    p->setPen(pen);
    draw(*p);
}

void Canvas::ThinPolyline(const QPolygon &points, bool closed)
{
    Flush();
    if (!target_.HasBitmap() || points.size() < 2)
        return;
    const uint32_t on = SwapRB(penColour_);
    const uint32_t gap = SwapRB(backgroundColour_);
    const bool dotted = DottedPen();
    const bool fillGaps = dotted && backgroundMode_ == BackgroundMode::Opaque;
    const int count = int(points.size());
    const int segments = closed ? count : count - 1;
    int64_t phase = 0; // the dot pattern runs on from one segment to the next
    for (int i = 0; i < segments; ++i) {
        const QPoint a = points[i];
        const QPoint b = points[(i + 1) % count];
        ForEachLinePixel(a, b, target_.Width(), target_.Height(), [&](int x, int y, int64_t k) {
            if (!dotted || (phase + k) % kDotPeriod < kDotOn)
                target_.SetPixelFast(x, y, on);
            else if (fillGaps)
                target_.SetPixelFast(x, y, gap);
        });
        phase += std::max(std::abs(int64_t(b.x()) - a.x()), std::abs(int64_t(b.y()) - a.y()));
    }
}

// A GDI geometric pen with round ends and joins covers, for each segment, the pixels
// whose centres lie within width / 2 of it: a capsule, filled here row by row. Our own
// spans, because QPainter on a 24-bit image costs tens of microseconds a stroke (a bench
// of 600 rays took over 50 ms at full-HD size).
void Canvas::WidePolyline(const QPolygon &points, bool closed)
{
    Flush();
    if (!target_.HasBitmap() || points.size() < 2)
        return;
    const uint32_t colour = SwapRB(penColour_);
    const double r = std::max(2, penWidth_) / 2.0;
    const int count = int(points.size());
    const int segments = closed ? count : count - 1;
    for (int i = 0; i < segments; ++i)
        FillCapsule(target_, points[i], points[(i + 1) % count], r, colour);
}

void Canvas::LineTo(int x, int y)
{
    const QPolygon segment {penPos_, QPoint(x, y)};
    penPos_ = QPoint(x, y);
    Polyline(segment);
}

void Canvas::Polyline(const QPolygon &points)
{
    if (!PenVisible() || !InRange(points))
        return;
    if (ThinPen())
        ThinPolyline(points, false);
    else
        WidePolyline(points, false);
}

void Canvas::Polygon(const QPolygon &points)
{
    if (points.size() < 2 || !InRange(points))
        return;
    if (brushStyle_ == BrushStyle::Solid) {
        if (QPainter *p = Painter()) {
            p->setPen(Qt::NoPen);
            p->setBrush(ToQColor(brushColour_));
            // Shifted by half a pixel, pixel (i, j) is filled when the point (i, j) lies
            // inside: the fill then sits within the outline drawn through the vertices.
            p->drawPolygon(QPolygonF(points).translated(0.5, 0.5),
                polyFillMode_ == PolyFillMode::Alternate ? Qt::OddEvenFill : Qt::WindingFill);
        }
    }
    if (!PenVisible())
        return;
    if (ThinPen())
        ThinPolyline(points, true);
    else
        WidePolyline(points, true);
}

void Canvas::Rectangle(int x1, int y1, int x2, int y2)
{
    if (!InRange(x1) || !InRange(y1) || !InRange(x2) || !InRange(y2))
        return;
    if (x2 < x1)
        std::swap(x1, x2);
    if (y2 < y1)
        std::swap(y1, y2);
    if (brushStyle_ == BrushStyle::Solid) {
        // Without an outline GDI fills one pixel less each way.
        const int shrink = PenVisible() ? 0 : 1;
        if (QPainter *p = Painter())
            p->fillRect(QRect(x1, y1, x2 - x1 - shrink, y2 - y1 - shrink), ToQColor(brushColour_));
    }
    if (!PenVisible() || x2 == x1 || y2 == y1)
        return;
    if (ThinPen()) {
        ThinPolyline(QPolygon {QPoint(x1, y1), QPoint(x2 - 1, y1), QPoint(x2 - 1, y2 - 1),
                         QPoint(x1, y2 - 1)},
            true);
    } else {
        const QRectF outline(x1 + 0.5, y1 + 0.5, x2 - x1 - 1, y2 - y1 - 1);
        Stroke([&](QPainter &p) { p.drawRect(outline); });
    }
}

void Canvas::FillRect(const QRect &area)
{
    if (brushStyle_ != BrushStyle::Solid || area.isEmpty() || !InRange(area))
        return;
    if (QPainter *p = Painter())
        p->fillRect(area, ToQColor(brushColour_));
}

void Canvas::FrameRect(const QRect &area)
{
    if (brushStyle_ != BrushStyle::Solid || area.isEmpty() || !InRange(area))
        return;
    QPainter *p = Painter();
    if (!p)
        return;
    const QColor colour = ToQColor(brushColour_);
    p->fillRect(QRect(area.left(), area.top(), area.width(), 1), colour);
    p->fillRect(QRect(area.left(), area.bottom(), area.width(), 1), colour);
    p->fillRect(QRect(area.left(), area.top(), 1, area.height()), colour);
    p->fillRect(QRect(area.right(), area.top(), 1, area.height()), colour);
}

// Qt's aliased ellipse with a one-pixel solid pen on an integral box is a midpoint
// ellipse touching the box's edge pixels, symmetric about its centre: exactly GDI's
// shape. The fill is drawn the same way with the brush colour as its pen, so that it
// reaches under the outline and, without a pen, covers the shape one pixel smaller.
void Canvas::FillEllipse(int x1, int y1, int x2, int y2)
{
    if (brushStyle_ != BrushStyle::Solid)
        return;
    QPainter *p = Painter();
    const int shrink = PenVisible() ? 0 : 1;
    const int w = x2 - x1 - shrink;
    const int h = y2 - y1 - shrink;
    if (!p || w <= 0 || h <= 0)
        return;
    const QColor colour = ToQColor(brushColour_);
    if (w == 1 || h == 1) {
        p->fillRect(QRect(x1, y1, w, h), colour);
        return;
    }
    p->setPen(QPen(colour, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p->setBrush(colour);
    p->drawEllipse(QRectF(x1, y1, w - 1, h - 1));
}

void Canvas::StrokeEllipse(int x1, int y1, int x2, int y2)
{
    const int w = x2 - x1;
    const int h = y2 - y1;
    if (!PenVisible() || w <= 0 || h <= 0)
        return;
    if ((w == 1 || h == 1) && ThinPen()) {
        if (QPainter *p = Painter())
            p->fillRect(QRect(x1, y1, w, h), ToQColor(penColour_));
        return;
    }
    // Dotted and wide outlines go through Qt's path stroker, which wants the curve
    // through the pixel centres.
    const double shift = DottedPen() || !ThinPen() ? 0.5 : 0.0;
    const QRectF box(x1 + shift, y1 + shift, w - 1, h - 1);
    Stroke([&](QPainter &p) { p.drawEllipse(box); });
}

void Canvas::Ellipse(int x1, int y1, int x2, int y2)
{
    if (!InRange(x1) || !InRange(y1) || !InRange(x2) || !InRange(y2))
        return;
    if (x2 < x1)
        std::swap(x1, x2);
    if (y2 < y1)
        std::swap(y1, y2);
    FillEllipse(x1, y1, x2, y2);
    StrokeEllipse(x1, y1, x2, y2);
}

void Canvas::Arc(int x1, int y1, int x2, int y2, int xStart, int yStart, int xEnd, int yEnd)
{
    DrawArcShape(ArcShape::Arc, x1, y1, x2, y2, xStart, yStart, xEnd, yEnd);
}

void Canvas::Pie(int x1, int y1, int x2, int y2, int xStart, int yStart, int xEnd, int yEnd)
{
    DrawArcShape(ArcShape::Pie, x1, y1, x2, y2, xStart, yStart, xEnd, yEnd);
}

void Canvas::Chord(int x1, int y1, int x2, int y2, int xStart, int yStart, int xEnd, int yEnd)
{
    DrawArcShape(ArcShape::Chord, x1, y1, x2, y2, xStart, yStart, xEnd, yEnd);
}

// The arc is the part of the ellipse's outline whose pixel centres lie in the sector
// between the two radials, so that it matches the full ellipse pixel for pixel.
void Canvas::DrawArcShape(
    ArcShape shape, int x1, int y1, int x2, int y2, int xStart, int yStart, int xEnd, int yEnd)
{
    for (const int v : {x1, y1, x2, y2, xStart, yStart, xEnd, yEnd})
        if (!InRange(v))
            return;
    if (x2 < x1)
        std::swap(x1, x2);
    if (y2 < y1)
        std::swap(y1, y2);
    if (x2 == x1 || y2 == y1 || !Painter())
        return;
    const ArcGeometry g = MakeArcGeometry(x1, y1, x2, y2, xStart, yStart, xEnd, yEnd);

    if (shape != ArcShape::Arc && brushStyle_ == BrushStyle::Solid) {
        if (!g.full)
            Painter()->setClipPath(shape == ArcShape::Pie ? SectorClip(g) : ChordClip(g));
        FillEllipse(x1, y1, x2, y2);
        Painter()->setClipping(false);
    }
    if (!PenVisible())
        return;
    if (!g.full)
        Painter()->setClipPath(SectorClip(g));
    StrokeEllipse(x1, y1, x2, y2);
    Painter()->setClipping(false);

    // The closing segments, from the end of the arc back to its start.
    const QPoint start = ToPixel(OnEllipse(g, g.start));
    const QPoint end = ToPixel(OnEllipse(g, g.start + g.span));
    QPolygon closing;
    if (shape == ArcShape::Pie)
        closing = QPolygon {end, ToPixel(g.centre), start};
    else if (shape == ArcShape::Chord)
        closing = QPolygon {end, start};
    if (!closing.isEmpty())
        Polyline(closing);
}

void Canvas::TextOut(int x, int y, const QString &text)
{
    QPainter *p = Painter();
    if (!p || !InRange(x) || !InRange(y))
        return;
    const QFont font = PaintFont();
    const QFontMetrics metrics(font);
    if (backgroundMode_ == BackgroundMode::Opaque)
        p->fillRect(QRect(x, y, metrics.horizontalAdvance(text), metrics.height()),
            ToQColor(backgroundColour_));
    p->setFont(font);
    p->setPen(ToQColor(fontColour_));
    p->setBrush(Qt::NoBrush);
    p->drawText(QPoint(x, y + metrics.ascent()), text);
}

int Canvas::TextWidth(const QString &text) const
{
    return QFontMetrics(PaintFont()).horizontalAdvance(text);
}

int Canvas::TextHeight(const QString &) const { return QFontMetrics(PaintFont()).height(); }

void Canvas::FloodFill(int x, int y, uint32_t colour, FloodFillType type)
{
    Flush();
    const int w = target_.Width();
    const int h = target_.Height();
    if (brushStyle_ != BrushStyle::Solid || !target_.HasBitmap() || x < 0 || y < 0 || x >= w
        || y >= h)
        return;
    const uint32_t key = SwapRB(colour);
    const uint32_t fill = SwapRB(brushColour_);
    const auto paint = [&](int px, int py) { target_.SetPixelFast(px, py, fill); };
    if (type == FloodFillType::Surface) {
        // Filling a region with its own colour changes nothing (and would never end).
        if (target_.GetPixelFast(x, y) != key || fill == key)
            return;
        ScanlineFill(
            w, h, x, y, [&](int px, int py) { return target_.GetPixelFast(px, py) == key; }, paint);
        return;
    }
    if (target_.GetPixelFast(x, y) == key)
        return;
    // The fill colour may equal pixels inside the border, so filled pixels are marked
    // (a bit each: a buffer of the largest size would otherwise take a byte a pixel).
    std::vector<bool> done(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), false);
    const auto index = [w](int px, int py) {
        return static_cast<std::size_t>(py) * static_cast<std::size_t>(w)
            + static_cast<std::size_t>(px);
    };
    ScanlineFill(
        w, h, x, y,
        [&](int px, int py) { return !done[index(px, py)] && target_.GetPixelFast(px, py) != key; },
        [&](int px, int py) {
            done[index(px, py)] = true;
            paint(px, py);
        });
}

uint32_t Canvas::PixelColour(int x, int y) const
{
    if (!target_.HasBitmap() || x < 0 || y < 0 || x >= target_.Width() || y >= target_.Height())
        return kInvalidColour;
    return SwapRB(target_.GetPixelFast(x, y));
}

void Canvas::SetPixelColour(int x, int y, uint32_t colour)
{
    Flush();
    target_.SetPixel(x, y, SwapRB(colour));
}

void Canvas::Draw(const TDibPlus &source, int x, int y)
{
    Flush();
    BitBlt(target_, x, y, source, RasterOp::Copy);
}

void Canvas::Draw(const QImage &image, int x, int y)
{
    if (!InRange(x) || !InRange(y))
        return;
    StretchDraw(QRect(x, y, image.width(), image.height()), image);
}

void Canvas::StretchDraw(const QRect &dest, const TDibPlus &source)
{
    if (!source.HasBitmap())
        return;
    Flush();
    if (&source == &target_) {
        const TDibPlus copy = source;
        StretchDraw(dest, copy);
        return;
    }
    StretchInto(target_, dest, source.Width(), source.Height(),
        [&](int sx, int sy) { return source.GetPixelFast(sx, sy); });
}

void Canvas::StretchDraw(const QRect &dest, const QImage &image)
{
    if (image.isNull())
        return;
    Flush();
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    StretchInto(target_, dest, rgb.width(), rgb.height(), [&](int sx, int sy) {
        return reinterpret_cast<const QRgb *>(rgb.constScanLine(sy))[sx] & 0xFFFFFFu;
    });
}

void Canvas::BitBltFrom(
    int dx, int dy, int w, int h, const TDibPlus &source, int sx, int sy, RasterOp op)
{
    Flush();
    BitBlt(target_, dx, dy, w, h, source, sx, sy, op);
}

void Canvas::ReplaceColour(const QRect &area, uint32_t oldColour, uint32_t newColour)
{
    Flush();
    if (!target_.HasBitmap())
        return;
    const QRect visible = area.intersected(QRect(0, 0, target_.Width(), target_.Height()));
    const uint32_t from = SwapRB(oldColour);
    const uint8_t to[3]
        = {Byte0(SwapRB(newColour)), Byte1(SwapRB(newColour)), Byte2(SwapRB(newColour))};
    for (int y = visible.top(); y <= visible.bottom(); ++y) {
        uint8_t *p = target_.Row(y) + 3 * visible.left();
        for (int x = visible.left(); x <= visible.right(); ++x, p += 3) {
            if (p[0] == Byte0(from) && p[1] == Byte1(from) && p[2] == Byte2(from)) {
                p[0] = to[0];
                p[1] = to[1];
                p[2] = to[2];
            }
        }
    }
}

void Canvas::BrushCopy(
    const QRect &dest, const TDibPlus &source, const QRect &sourceArea, uint32_t colour)
{
    if (!source.HasBitmap())
        return;
    Flush();
    if (&source == &target_) {
        const TDibPlus copy = source;
        BrushCopy(dest, copy, sourceArea, colour);
        return;
    }
    const QRect area = sourceArea.intersected(QRect(0, 0, source.Width(), source.Height()));
    if (area.isEmpty())
        return;
    const uint32_t key = SwapRB(colour);
    const uint32_t replacement = brushStyle_ == BrushStyle::Solid ? SwapRB(brushColour_) : key;
    StretchInto(target_, dest, area.width(), area.height(), [&](int sx, int sy) {
        const uint32_t value = source.GetPixelFast(area.left() + sx, area.top() + sy);
        return value == key ? replacement : value;
    });
}

} // namespace kaleno
