#include "imaging/Metafile.h"

#include "imaging/Canvas.h"
#include "imaging/DibPlus.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPolygon>
#include <QRect>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <variant>

namespace kaleno {

namespace {

// The canvas refuses coordinates beyond 27 bits; a point mapped past them is pinned there.
constexpr int64_t kCoordinateLimit = int64_t(1) << 27;
// Wider pens and taller fonts than any picture needs only cost time.
constexpr int kMaxPenWidth = 1 << 12;
constexpr int kMaxFontPixels = 1 << 11;
// Saved states kept at most; GDI's own stack is as shallow in practice.
constexpr std::size_t kMaxSavedStates = 64;
// A bitmap drawn with AND or OR is stretched through a buffer of at most these pixels.
constexpr int64_t kMaxBlendPixels = int64_t(1) << 22;

constexpr uint16_t kBkTransparent = 1;
constexpr uint16_t kFillWinding = 2;
constexpr uint16_t kTextUpdatePosition = 0x0001;
constexpr uint16_t kTextHorizontal = 0x0006;
constexpr uint16_t kTextRight = 0x0002;
constexpr uint16_t kTextCentre = 0x0006;
constexpr uint16_t kTextVertical = 0x0018;
constexpr uint16_t kTextBottom = 0x0008;
constexpr uint16_t kTextBaseline = 0x0018;
constexpr uint16_t kExtTextOpaque = 0x0002;
constexpr uint16_t kExtTextClipped = 0x0004;
constexpr uint32_t kSrcCopy = 0x00CC0020;
constexpr uint32_t kSrcAnd = 0x008800C6;
constexpr uint32_t kSrcPaint = 0x00EE0086;

// COLORREF's high byte flags palette colours; the RGB bytes are what we draw.
uint32_t ColourOf(uint32_t colourRef) { return colourRef & 0xFFFFFFu; }

struct Pen {
    PenStyle style = PenStyle::Solid;
    int width = 0; // logical units; 0 is one pixel whatever the mapping
    uint32_t colour = 0x000000;
};

struct Brush {
    BrushStyle style = BrushStyle::Solid;
    uint32_t colour = 0xFFFFFF;
};

struct Font {
    int height = 0; // logical, LOGFONT's sign rule
    unsigned styles = 0;
    QString face = QStringLiteral("Arial");
};

// Objects the player does not draw with (palettes, regions, pattern brushes) still hold
// their slot.
using Object = std::variant<std::monostate, Pen, Brush, Font>;

struct DcState {
    QPoint windowOrigin;
    QPoint windowExtent {1, 1};
    Pen pen;
    Brush brush;
    Font font;
    uint32_t textColour = 0x000000;
    uint32_t backColour = 0xFFFFFF;
    bool opaque = true;
    bool winding = false;
    uint16_t textAlign = 0;
    QPoint position; // logical
};

Pen ReadPen(const MetafileRecord &r)
{
    Pen pen;
    switch (r.Word(0) & 0x000F) {
    case 1: // dash, dot, dash-dot, dash-dot-dot all draw dotted here
    case 2:
    case 3:
    case 4:
        pen.style = PenStyle::Dot;
        break;
    case 5:
        pen.style = PenStyle::Null;
        break;
    default: // solid, inside-frame and the rest
        break;
    }
    pen.width = std::abs(int(r.Short(1)));
    pen.colour = ColourOf(r.Dword(3));
    return pen;
}

Brush ReadBrush(const MetafileRecord &r)
{
    Brush brush;
    // Null brushes are hollow; hatched and pattern ones are drawn solid in their colour.
    brush.style = r.Word(0) == 1 ? BrushStyle::Clear : BrushStyle::Solid;
    brush.colour = ColourOf(r.Dword(1));
    return brush;
}

QString ReadText(const MetafileRecord &r, std::size_t byteAt, std::size_t count)
{
    // Latin-1 matches the Windows ANSI page for every accented letter of French.
    QByteArray bytes;
    bytes.reserve(qsizetype(count));
    for (std::size_t i = 0; i < count; ++i)
        bytes.append(char(r.Byte(byteAt + i)));
    return QString::fromLatin1(bytes);
}

Font ReadFont(const MetafileRecord &r)
{
    Font font;
    font.height = r.Short(0);
    if (r.Short(4) >= 600)
        font.styles |= kFontBold;
    if (r.Byte(10) != 0)
        font.styles |= kFontItalic;
    if (r.Byte(11) != 0)
        font.styles |= kFontUnderline;
    if (r.Byte(12) != 0)
        font.styles |= kFontStrikeOut;
    const std::size_t faceAt = 18;
    const std::size_t faceEnd = std::min<std::size_t>(faceAt + 32, 2 * r.size());
    std::size_t length = 0;
    while (faceAt + length < faceEnd && r.Byte(faceAt + length) != 0)
        ++length;
    const QString face = ReadText(r, faceAt, length).trimmed();
    if (!face.isEmpty())
        font.face = face;
    return font;
}

class Player {
public:
    Player(Canvas &canvas, const Metafile &metafile, const QRect &dest)
        : canvas_(canvas)
        , dest_(dest)
        , objects_(static_cast<std::size_t>(metafile.header.objectCount))
        , slots_(metafile.header.objectCount)
    {
        if (metafile.header.placeable) {
            const QRect frame = metafile.header.frame;
            state_.windowOrigin = frame.topLeft();
            state_.windowExtent = QPoint(
                frame.width() != 0 ? frame.width() : 1, frame.height() != 0 ? frame.height() : 1);
        } else {
            state_.windowExtent = QPoint(std::max(dest.width(), 1), std::max(dest.height(), 1));
        }
    }

    void Play(const MetafileRecord &r);

private:
    int MapAxis(int v, int origin, int extent, int destStart, int destSize) const
    {
        const double mapped
            = destStart + std::round(double(int64_t(v) - origin) * destSize / extent);
        return int(std::clamp<double>(mapped, double(-kCoordinateLimit), double(kCoordinateLimit)));
    }
    int MapX(int x) const
    {
        return MapAxis(
            x, state_.windowOrigin.x(), state_.windowExtent.x(), dest_.left(), dest_.width());
    }
    int MapY(int y) const
    {
        return MapAxis(
            y, state_.windowOrigin.y(), state_.windowExtent.y(), dest_.top(), dest_.height());
    }
    QPoint Map(int x, int y) const { return QPoint(MapX(x), MapY(y)); }
    // A logical length along x as pixels, rounded, at least 0.
    int ScaleX(int length) const
    {
        return int(std::min<double>(
            std::round(std::abs(double(length) * dest_.width() / state_.windowExtent.x())),
            kCoordinateLimit));
    }
    int ScaleY(int length) const
    {
        return int(std::min<double>(
            std::round(std::abs(double(length) * dest_.height() / state_.windowExtent.y())),
            kCoordinateLimit));
    }

    void ApplyShapeState();
    void ApplyTextState();
    QPolygon Points(const MetafileRecord &r, std::size_t at, std::size_t count) const;
    void Create(const MetafileRecord &r);
    void Select(int index);
    void Restore(int which);
    void Text(int x, int y, const QString &text);
    void PolyPolygon(const MetafileRecord &r);
    void Bitmap(const MetafileRecord &r);

    Canvas &canvas_;
    QRect dest_;
    DcState state_;
    std::vector<DcState> saved_;
    std::vector<Object> objects_;
    MetafileObjectSlots slots_;
};

void Player::ApplyShapeState()
{
    const Pen &pen = state_.pen;
    const int width = pen.width == 0 ? 1 : std::clamp(ScaleX(pen.width), 1, kMaxPenWidth);
    canvas_.SetPen(pen.colour, width, pen.style);
    canvas_.SetBrush(state_.brush.colour);
    canvas_.SetBrushStyle(state_.brush.style);
    canvas_.SetPolyFillMode(state_.winding ? PolyFillMode::Winding : PolyFillMode::Alternate);
    canvas_.SetBackgroundMode(state_.opaque ? BackgroundMode::Opaque : BackgroundMode::Transparent);
    canvas_.SetBackgroundColour(state_.backColour);
}

void Player::ApplyTextState()
{
    const Font &font = state_.font;
    canvas_.SetFontName(font.face);
    canvas_.SetFontStyle(font.styles);
    const int pixels = std::min(ScaleY(font.height), kMaxFontPixels);
    canvas_.SetFontHeight(font.height < 0 ? -std::max(pixels, 1) : pixels);
    canvas_.SetFontColour(state_.textColour);
    canvas_.SetBackgroundMode(state_.opaque ? BackgroundMode::Opaque : BackgroundMode::Transparent);
    canvas_.SetBackgroundColour(state_.backColour);
}

QPolygon Player::Points(const MetafileRecord &r, std::size_t at, std::size_t count) const
{
    QPolygon points(static_cast<qsizetype>(count));
    for (std::size_t i = 0; i < count; ++i)
        points[qsizetype(i)] = Map(r.Short(at + 2 * i), r.Short(at + 2 * i + 1));
    return points;
}

void Player::Create(const MetafileRecord &r)
{
    const std::optional<int> slot = slots_.Take();
    if (!slot)
        return;
    Object &object = objects_[static_cast<std::size_t>(*slot)];
    switch (r.function) {
    case MetaFunction::CreatePenIndirect:
        object = ReadPen(r);
        break;
    case MetaFunction::CreateBrushIndirect:
        object = ReadBrush(r);
        break;
    case MetaFunction::CreateFontIndirect:
        object = ReadFont(r);
        break;
    default:
        object = std::monostate();
        break;
    }
}

void Player::Select(int index)
{
    if (index < 0 || std::size_t(index) >= objects_.size())
        return;
    const Object &object = objects_[std::size_t(index)];
    if (const Pen *pen = std::get_if<Pen>(&object))
        state_.pen = *pen;
    else if (const Brush *brush = std::get_if<Brush>(&object))
        state_.brush = *brush;
    else if (const Font *font = std::get_if<Font>(&object))
        state_.font = *font;
}

void Player::Restore(int which)
{
    // Negative: that many states back; positive: the state saved at that depth (1 first).
    std::size_t keep = 0;
    if (which < 0) {
        const std::size_t back = std::size_t(-int64_t(which));
        if (back > saved_.size())
            return;
        keep = saved_.size() - back;
    } else {
        if (which == 0 || std::size_t(which) > saved_.size())
            return;
        keep = std::size_t(which) - 1;
    }
    state_ = saved_[keep];
    saved_.resize(keep);
}

void Player::Text(int x, int y, const QString &text)
{
    const bool useCurrent = (state_.textAlign & kTextUpdatePosition) != 0;
    QPoint at = useCurrent ? Map(state_.position.x(), state_.position.y()) : Map(x, y);
    ApplyTextState();
    const int width = canvas_.TextWidth(text);
    switch (state_.textAlign & kTextHorizontal) {
    case kTextCentre:
        at.rx() -= width / 2;
        break;
    case kTextRight:
        at.rx() -= width;
        break;
    default:
        break;
    }
    const int height = canvas_.TextHeight(text);
    switch (state_.textAlign & kTextVertical) {
    case kTextBaseline: {
        // The baseline sits at the font's ascent, taken as a share of the cell height.
        const QFontMetrics metrics(QFont(state_.font.face, 100));
        const double share
            = metrics.height() > 0 ? double(metrics.ascent()) / metrics.height() : 0.8;
        at.ry() -= int(std::lround(height * share));
        break;
    }
    case kTextBottom:
        at.ry() -= height;
        break;
    default:
        break;
    }
    canvas_.TextOut(at.x(), at.y(), text);
    if (useCurrent) {
        // The current position moves past the text, in logical units.
        const int advance = dest_.width() != 0
            ? int(std::lround(double(width) * state_.windowExtent.x() / dest_.width()))
            : 0;
        state_.position.rx() += (state_.textAlign & kTextHorizontal) == 0 ? advance : 0;
    }
}

void Player::PolyPolygon(const MetafileRecord &r)
{
    ApplyShapeState();
    const std::size_t polygons = r.Word(0);
    std::vector<QPolygon> parts;
    std::size_t at = 1 + polygons;
    for (std::size_t i = 0; i < polygons; ++i) {
        const std::size_t count = r.Word(1 + i);
        if (count > 0)
            parts.push_back(Points(r, at, count));
        at += 2 * count;
    }
    if (parts.empty())
        return;
    // The parts fill as one shape, so that the fill mode decides the holes: each later
    // part is joined to the first point of the first by a bridge walked there and back,
    // whose crossings cancel under both rules. The fill goes without the pen, which then
    // outlines each part alone.
    QPolygon joined = parts.front();
    const QPoint anchor = joined.front();
    joined.append(anchor);
    for (std::size_t i = 1; i < parts.size(); ++i) {
        joined += parts[i];
        joined.append(parts[i].front());
        joined.append(anchor);
    }
    const PenStyle penStyle = state_.pen.style;
    canvas_.SetPenStyle(PenStyle::Null);
    canvas_.Polygon(joined);
    if (penStyle == PenStyle::Null)
        return;
    canvas_.SetPenStyle(penStyle);
    canvas_.SetBrushStyle(BrushStyle::Clear);
    for (const QPolygon &part : parts)
        canvas_.Polygon(part);
}

void Player::Bitmap(const MetafileRecord &r)
{
    const uint32_t rop = r.Dword(0);
    RasterOp op = RasterOp::Copy;
    if (rop == kSrcAnd)
        op = RasterOp::And;
    else if (rop == kSrcPaint)
        op = RasterOp::Or;
    else if (rop != kSrcCopy)
        return;
    int srcX = 0, srcY = 0, srcW = 0, srcH = 0, dstX = 0, dstY = 0, dstW = 0, dstH = 0;
    bool fromBottom = false;
    switch (r.function) {
    case MetaFunction::StretchDib:
        srcH = r.Short(3), srcW = r.Short(4), srcY = r.Short(5), srcX = r.Short(6);
        dstH = r.Short(7), dstW = r.Short(8), dstY = r.Short(9), dstX = r.Short(10);
        fromBottom = true; // StretchDIBits counts source rows from the bottom
        break;
    case MetaFunction::DibStretchBlt:
        srcH = r.Short(2), srcW = r.Short(3), srcY = r.Short(4), srcX = r.Short(5);
        dstH = r.Short(6), dstW = r.Short(7), dstY = r.Short(8), dstX = r.Short(9);
        break;
    default: // DibBitBlt: one size for both
        srcY = r.Short(2), srcX = r.Short(3), srcH = dstH = r.Short(4), srcW = dstW = r.Short(5);
        dstY = r.Short(6), dstX = r.Short(7);
        break;
    }
    const std::optional<MetafileBitmap> bitmap = DecodeMetafileBitmap(r);
    if (!bitmap)
        return;
    // Bottom-up bitmaps count ySrc from their last row; ours are decoded top row first.
    if (fromBottom && srcH > 0)
        srcY = bitmap->height - srcY - srcH;
    else if (fromBottom)
        srcY = bitmap->height - srcY;
    const QRect source = QRect(QPoint(srcX, srcY), QSize(srcW, srcH)).normalized();
    const QRect crop = source.intersected(QRect(0, 0, bitmap->width, bitmap->height));
    if (crop.isEmpty())
        return;
    const QImage whole(reinterpret_cast<const uchar *>(bitmap->pixels.data()), bitmap->width,
        bitmap->height, bitmap->width * 4, QImage::Format_RGB32);
    const QPoint a = Map(dstX, dstY);
    const QPoint b = Map(int(dstX) + dstW, int(dstY) + dstH);
    const bool flipX = (b.x() < a.x()) != (srcW < 0);
    const bool flipY = (b.y() < a.y()) != (srcH < 0);
    const QImage image = whole.copy(crop).mirrored(flipX, flipY);
    const QRect target(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
        QSize(std::abs(b.x() - a.x()), std::abs(b.y() - a.y())));
    if (target.isEmpty())
        return;
    if (op == RasterOp::Copy) {
        canvas_.StretchDraw(target, image);
        return;
    }
    if (int64_t(target.width()) * target.height() > kMaxBlendPixels)
        return;
    TDibPlus stretched(target.width(), target.height());
    {
        Canvas into(stretched);
        into.StretchDraw(QRect(0, 0, target.width(), target.height()), image);
    }
    canvas_.BitBltFrom(
        target.x(), target.y(), target.width(), target.height(), stretched, 0, 0, op);
}

void Player::Play(const MetafileRecord &r)
{
    switch (r.function) {
    case MetaFunction::SaveDC:
        if (saved_.size() < kMaxSavedStates)
            saved_.push_back(state_);
        break;
    case MetaFunction::RestoreDC:
        Restore(r.Short(0));
        break;
    case MetaFunction::SetWindowOrg:
        state_.windowOrigin = QPoint(r.Short(1), r.Short(0));
        break;
    case MetaFunction::SetWindowExt:
        // GDI refuses a zero extent and keeps the old one.
        if (r.Short(0) != 0 && r.Short(1) != 0)
            state_.windowExtent = QPoint(r.Short(1), r.Short(0));
        break;
    case MetaFunction::SetBkMode:
        state_.opaque = r.Word(0) != kBkTransparent;
        break;
    case MetaFunction::SetBkColor:
        state_.backColour = ColourOf(r.Dword(0));
        break;
    case MetaFunction::SetTextColor:
        state_.textColour = ColourOf(r.Dword(0));
        break;
    case MetaFunction::SetTextAlign:
        state_.textAlign = r.Word(0);
        break;
    case MetaFunction::SetPolyFillMode:
        state_.winding = r.Word(0) == kFillWinding;
        break;
    case MetaFunction::SetRop2:
        // Only copy-pen is drawn; the other mixes draw as copy-pen does.
        break;
    case MetaFunction::SelectObject:
        Select(r.Word(0));
        break;
    case MetaFunction::DeleteObject:
        if (slots_.InRange(r.Word(0))) {
            slots_.Release(r.Word(0));
            objects_[r.Word(0)] = std::monostate();
        }
        break;
    case MetaFunction::MoveTo:
        state_.position = QPoint(r.Short(1), r.Short(0));
        break;
    case MetaFunction::LineTo: {
        ApplyShapeState();
        const QPoint from = Map(state_.position.x(), state_.position.y());
        state_.position = QPoint(r.Short(1), r.Short(0));
        canvas_.MoveTo(from.x(), from.y());
        const QPoint to = Map(state_.position.x(), state_.position.y());
        canvas_.LineTo(to.x(), to.y());
        break;
    }
    case MetaFunction::Polygon:
        ApplyShapeState();
        canvas_.Polygon(Points(r, 1, r.Word(0)));
        break;
    case MetaFunction::Polyline:
        ApplyShapeState();
        canvas_.Polyline(Points(r, 1, r.Word(0)));
        break;
    case MetaFunction::PolyPolygon:
        PolyPolygon(r);
        break;
    case MetaFunction::Rectangle:
    case MetaFunction::RoundRect:
    case MetaFunction::Ellipse: {
        ApplyShapeState();
        const std::size_t at = r.function == MetaFunction::RoundRect ? 2 : 0;
        const QPoint topLeft = Map(r.Short(at + 3), r.Short(at + 2));
        const QPoint bottomRight = Map(r.Short(at + 1), r.Short(at));
        if (r.function == MetaFunction::Ellipse)
            canvas_.Ellipse(topLeft.x(), topLeft.y(), bottomRight.x(), bottomRight.y());
        else
            canvas_.Rectangle(topLeft.x(), topLeft.y(), bottomRight.x(), bottomRight.y());
        break;
    }
    case MetaFunction::Arc:
    case MetaFunction::Pie:
    case MetaFunction::Chord: {
        ApplyShapeState();
        const QPoint end = Map(r.Short(1), r.Short(0));
        const QPoint start = Map(r.Short(3), r.Short(2));
        const QPoint topLeft = Map(r.Short(7), r.Short(6));
        const QPoint bottomRight = Map(r.Short(5), r.Short(4));
        const int x1 = topLeft.x(), y1 = topLeft.y(), x2 = bottomRight.x(), y2 = bottomRight.y();
        if (r.function == MetaFunction::Arc)
            canvas_.Arc(x1, y1, x2, y2, start.x(), start.y(), end.x(), end.y());
        else if (r.function == MetaFunction::Pie)
            canvas_.Pie(x1, y1, x2, y2, start.x(), start.y(), end.x(), end.y());
        else
            canvas_.Chord(x1, y1, x2, y2, start.x(), start.y(), end.x(), end.y());
        break;
    }
    case MetaFunction::SetPixel: {
        const QPoint p = Map(r.Short(3), r.Short(2));
        canvas_.SetPixelColour(p.x(), p.y(), ColourOf(r.Dword(0)));
        break;
    }
    case MetaFunction::TextOut: {
        const std::size_t count = r.Word(0);
        const std::size_t after = 1 + (count + 1) / 2;
        Text(r.Short(after + 1), r.Short(after), ReadText(r, 2, count));
        break;
    }
    case MetaFunction::ExtTextOut: {
        const std::size_t count = r.Word(2);
        const uint16_t options = r.Word(3);
        std::size_t at = 4;
        if (options & (kExtTextOpaque | kExtTextClipped)) {
            if (options & kExtTextOpaque) {
                const QPoint a = Map(r.Short(4), r.Short(5));
                const QPoint b = Map(r.Short(6), r.Short(7));
                canvas_.SetBrush(state_.backColour);
                canvas_.FillRect(QRect(a, b - QPoint(1, 1)).normalized());
            }
            at += 4;
        }
        Text(r.Short(1), r.Short(0), ReadText(r, 2 * at, count));
        break;
    }
    case MetaFunction::StretchDib:
    case MetaFunction::DibStretchBlt:
    case MetaFunction::DibBitBlt:
        Bitmap(r);
        break;
    default:
        if (CreatesObject(r.function))
            Create(r);
        break;
    }
}

} // namespace

void PlayMetafile(Canvas &canvas, const Metafile &metafile, const QRect &dest)
{
    Player player(canvas, metafile, dest);
    for (const MetafileRecord &record : metafile.records)
        player.Play(record);
}

} // namespace kaleno
