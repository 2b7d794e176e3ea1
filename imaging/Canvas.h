// Canvas: draws on the pixels of a TDibPlus with the rules of the Windows GDI, in which
// the windows' pictures are described. Short-lived: make one on a buffer, draw, drop it.
#pragma once

#include "imaging/RasterOps.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QString>

#include <cstdint>

namespace kaleno {

class TDibPlus;

// Dot is GDI's PS_DOT (3 pixels on, 3 off); Null draws no outline (PS_NULL).
enum class PenStyle { Solid, Dot, Null };
// Clear is GDI's hollow brush: shapes are not filled.
enum class BrushStyle { Solid, Clear };
// Opaque fills the cell behind text and the gaps of dotted lines with the background colour.
enum class BackgroundMode { Transparent, Opaque };
// Alternate is GDI's ALTERNATE (even-odd), Winding its WINDING (non-zero).
enum class PolyFillMode { Alternate, Winding };
// Surface fills the region of the given colour; Border fills up to a border of that colour.
enum class FloodFillType { Surface, Border };

// Font styles, combined with |.
inline constexpr unsigned kFontBold = 1;
inline constexpr unsigned kFontItalic = 2;
inline constexpr unsigned kFontUnderline = 4;
inline constexpr unsigned kFontStrikeOut = 8;

// What PixelColour returns outside the buffer (GDI's CLR_INVALID).
inline constexpr uint32_t kInvalidColour = 0xFFFFFFFFu;

// Every colour taken or returned is a TColor (0x00BBGGRR); the canvas stores it in the
// buffer as the pixel value SwapRB(colour). No antialiasing anywhere.
//
// Geometry follows GDI: Rectangle, Ellipse and the arcs take a box (x1, y1)-(x2, y2) and
// cover x1..x2-1, y1..y2-1, the outline inside that box; with a Null pen the filled shape
// is one pixel narrower and lower, as in GDI. A line includes its first pixel and
// excludes its last. Arcs run counter-clockwise from the radial through the start point
// to the radial through the end point (the same two radials make a full ellipse). A
// QRect argument covers its own pixels, left()..right() and top()..bottom().
//
// The state starts as a fresh GDI device context's: black solid pen of width 1, white
// solid brush, opaque white background, black text, Arial 8 points, Alternate fill.
//
// Shapes and text go through a QPainter on an image that wraps the buffer's memory;
// lines one pixel wide, flood fills, bitmap transfers and colour replacement are our own
// loops. The painter is ended before each of those, so the order of the calls is the
// order of the pixels. Call Flush() before touching the buffer directly while the
// canvas lives.
class Canvas {
public:
    explicit Canvas(TDibPlus &target);
    ~Canvas();
    Canvas(const Canvas &) = delete;
    Canvas &operator=(const Canvas &) = delete;

    // Width 0 or 1 draws one pixel wide; wider pens have round ends and joins and are
    // centred on the outline. A dotted pen wider than 1 draws solid, as GDI's CreatePen.
    void SetPen(uint32_t colour, int width = 1, PenStyle style = PenStyle::Solid);
    void SetPenColour(uint32_t colour) { penColour_ = colour; }
    void SetPenWidth(int width) { penWidth_ = width; }
    void SetPenStyle(PenStyle style) { penStyle_ = style; }
    // A solid brush of this colour.
    void SetBrush(uint32_t colour);
    void SetBrushStyle(BrushStyle style) { brushStyle_ = style; }
    void SetBackgroundMode(BackgroundMode mode) { backgroundMode_ = mode; }
    void SetBackgroundColour(uint32_t colour) { backgroundColour_ = colour; }
    void SetPolyFillMode(PolyFillMode mode) { polyFillMode_ = mode; }

    uint32_t PenColour() const { return penColour_; }
    uint32_t BrushColour() const { return brushColour_; }

    // Font. Sizes in points are taken at 96 pixels per inch (the design resolution of
    // the windows): the character height is points * 96 / 72 rounded, so 8 points are
    // 11 pixels. SetFontHeight follows a GDI LOGFONT height: negative is the character
    // (em) height in pixels, positive the cell height (ascent + descent), 0 the default.
    void SetFont(const QString &family, int points, unsigned styles = 0);
    void SetFontName(const QString &family);
    void SetFontSize(int points);
    void SetFontHeight(int height);
    void SetFontStyle(unsigned styles);
    void SetFontColour(uint32_t colour) { fontColour_ = colour; }

    // Lines. The pen position moves to the end point of LineTo.
    void MoveTo(int x, int y) { penPos_ = QPoint(x, y); }
    void LineTo(int x, int y);
    QPoint PenPos() const { return penPos_; }
    // Consecutive segments, each without its end pixel (so the last point is not drawn).
    void Polyline(const QPolygon &points);

    // Closed shapes: filled with the brush, outlined with the pen.
    void Rectangle(int x1, int y1, int x2, int y2);
    void Ellipse(int x1, int y1, int x2, int y2);
    void Polygon(const QPolygon &points);
    void Arc(int x1, int y1, int x2, int y2, int xStart, int yStart, int xEnd, int yEnd);
    // The arc closed by two radii through the centre of the box.
    void Pie(int x1, int y1, int x2, int y2, int xStart, int yStart, int xEnd, int yEnd);
    // The arc closed by the segment from its end back to its start.
    void Chord(int x1, int y1, int x2, int y2, int xStart, int yStart, int xEnd, int yEnd);
    // The brush over the area, no outline; a Clear brush draws nothing.
    void FillRect(const QRect &area);
    // A border one pixel wide just inside the area, in the brush colour.
    void FrameRect(const QRect &area);

    // Text with its cell's top-left corner at (x, y), in the font colour, over the
    // background colour in Opaque mode. No kerning, like GDI's TextOut.
    void TextOut(int x, int y, const QString &text);
    int TextWidth(const QString &text) const;
    // The cell height, ascent + descent (a GDI TEXTMETRIC's tmHeight).
    int TextHeight(const QString &text) const;

    // Fills a 4-connected region with the brush from (x, y). Surface: the region of
    // pixels of `colour`; nothing happens when (x, y) is of another colour. Border:
    // the region bounded by `colour`; nothing when (x, y) is of that colour. A Clear
    // brush fills nothing.
    void FloodFill(int x, int y, uint32_t colour, FloodFillType type);

    // One pixel as a TColor; kInvalidColour outside the buffer. Writes are clipped.
    uint32_t PixelColour(int x, int y) const;
    void SetPixelColour(int x, int y, uint32_t colour);

    // Copies pictures in, clipped to the buffer. A QImage of any format is taken as
    // opaque RGB (its alpha is ignored, as GDI's bitmap calls ignore it).
    void Draw(const TDibPlus &source, int x, int y);
    void Draw(const QImage &image, int x, int y);
    // Stretches the whole source into dest, nearest neighbour (GDI's COLORONCOLOR): each
    // target pixel takes the source pixel under its centre. An empty dest draws nothing.
    void StretchDraw(const QRect &dest, const TDibPlus &source);
    void StretchDraw(const QRect &dest, const QImage &image);
    // Block transfer of a w x h block of source at (sx, sy) to (dx, dy), with a raster
    // operation on the RGB bytes, clipped to both buffers.
    void BitBltFrom(
        int dx, int dy, int w, int h, const TDibPlus &source, int sx, int sy, RasterOp op);
    // Every pixel of oldColour inside the area becomes newColour.
    void ReplaceColour(const QRect &area, uint32_t oldColour, uint32_t newColour);
    // Stretches sourceArea of source into dest, its pixels of `colour` replaced by the
    // brush colour (with a Clear brush they are copied unchanged).
    void BrushCopy(
        const QRect &dest, const TDibPlus &source, const QRect &sourceArea, uint32_t colour);

    // Ends the painter so that every drawn pixel is in the buffer.
    void Flush();

private:
    QPainter *Painter();
    bool PenVisible() const { return penStyle_ != PenStyle::Null; }
    bool ThinPen() const { return penWidth_ <= 1; }
    bool DottedPen() const { return penStyle_ == PenStyle::Dot && ThinPen(); }
    QPen WidePen(uint32_t colour) const;
    QFont PaintFont() const;
    template <typename DrawOutline> void Stroke(const DrawOutline &draw);
    void ThinPolyline(const QPolygon &points, bool closed);
    void WidePolyline(const QPolygon &points, bool closed);
    void FillEllipse(int x1, int y1, int x2, int y2);
    void StrokeEllipse(int x1, int y1, int x2, int y2);
    enum class ArcShape { Arc, Pie, Chord };
    void DrawArcShape(
        ArcShape shape, int x1, int y1, int x2, int y2, int xStart, int yStart, int xEnd, int yEnd);
    void FillSpan(int x, int y, int count, uint32_t value);

    TDibPlus &target_;
    QImage image_; // wraps target_'s memory; never copied, so the painter writes there
    QPainter painter_;

    QPoint penPos_;
    uint32_t penColour_ = 0x000000;
    int penWidth_ = 1;
    PenStyle penStyle_ = PenStyle::Solid;
    uint32_t brushColour_ = 0xFFFFFF;
    BrushStyle brushStyle_ = BrushStyle::Solid;
    BackgroundMode backgroundMode_ = BackgroundMode::Opaque;
    uint32_t backgroundColour_ = 0xFFFFFF;
    PolyFillMode polyFillMode_ = PolyFillMode::Alternate;
    QString fontFamily_ = QStringLiteral("Arial");
    int fontPixels_ = 11;
    unsigned fontStyles_ = 0;
    uint32_t fontColour_ = 0x000000;
};

} // namespace kaleno
