#include "imaging/Canvas.h"
#include "imaging/DibPlus.h"

#include <QTest>

#include <functional>

using namespace kaleno;

namespace {

// Pixel values (0x00RRGGBB) and the TColors (0x00BBGGRR) that make them.
constexpr uint32_t kBlackPx = 0x000000, kRedPx = 0xFF0000, kGreenPx = 0x00FF00, kBluePx = 0x0000FF,
                   kWhitePx = 0xFFFFFF, kYellowPx = 0xFFFF00, kCyanPx = 0x00FFFF;
constexpr uint32_t kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kWhite = 0xFFFFFF,
                   kBlack = 0x000000;

char Letter(uint32_t pixel)
{
    switch (pixel) {
    case kBlackPx:
        return '.';
    case kRedPx:
        return 'R';
    case kGreenPx:
        return 'G';
    case kBluePx:
        return 'B';
    case kWhitePx:
        return 'W';
    case kYellowPx:
        return 'Y';
    case kCyanPx:
        return 'C';
    default:
        return '?';
    }
}

// The buffer as rows of letters, so that whole pictures compare at a glance.
QStringList Picture(const TDibPlus &dib)
{
    QStringList rows;
    for (int y = 0; y < dib.Height(); ++y) {
        QString row;
        for (int x = 0; x < dib.Width(); ++x)
            row += QLatin1Char(Letter(dib.GetPixel(x, y)));
        rows << row;
    }
    return rows;
}

// A picture written one row a line, a letter a pixel.
QStringList Art(const char *rows)
{
    return QString::fromLatin1(rows).split(u'\n', Qt::SkipEmptyParts);
}

TDibPlus Filled(int w, int h, uint32_t pixel)
{
    TDibPlus dib(w, h);
    dib.Fill(pixel);
    return dib;
}

TDibPlus FromPicture(const QStringList &rows)
{
    TDibPlus dib(int(rows.first().size()), int(rows.size()));
    for (int y = 0; y < dib.Height(); ++y) {
        for (int x = 0; x < dib.Width(); ++x) {
            const char c = rows[y][x].toLatin1();
            const uint32_t value = c == 'R' ? kRedPx
                : c == 'G'                  ? kGreenPx
                : c == 'B'                  ? kBluePx
                : c == 'W'                  ? kWhitePx
                : c == 'Y'                  ? kYellowPx
                : c == 'C'                  ? kCyanPx
                                            : kBlackPx;
            dib.SetPixel(x, y, value);
        }
    }
    return dib;
}

// The smallest rectangle holding every pixel that is not `background`.
QRect InkBounds(const TDibPlus &dib, uint32_t background)
{
    QRect bounds;
    for (int y = 0; y < dib.Height(); ++y)
        for (int x = 0; x < dib.Width(); ++x)
            if (dib.GetPixel(x, y) != background)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

bool MirrorSymmetric(const TDibPlus &dib, const QRect &box)
{
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            const int mx = box.left() + box.right() - x;
            const int my = box.top() + box.bottom() - y;
            if (dib.GetPixel(x, y) != dib.GetPixel(mx, y)
                || dib.GetPixel(x, y) != dib.GetPixel(x, my))
                return false;
        }
    }
    return true;
}

using Drawing = std::function<void(Canvas &)>;

} // namespace

Q_DECLARE_METATYPE(Drawing)

class TestCanvas : public QObject {
    Q_OBJECT

private slots:
    void colourReachesPixelsSwapped_data();
    void colourReachesPixelsSwapped();
    void pixelAccessIsClipped();
    void shapes_data();
    void shapes();
    void lines_data();
    void lines();
    void dottedPen();
    void ellipseFitsItsBox_data();
    void ellipseFitsItsBox();
    void polygonFillModes_data();
    void polygonFillModes();
    void arcsRunCounterClockwise_data();
    void arcsRunCounterClockwise();
    void pieAndChordFill();
    void textStaysInItsCell_data();
    void textStaysInItsCell();
    void textMetrics();
    void floodFill_data();
    void floodFill();
    void floodFillOfAHugeWindingRegion();
    void blockTransfers_data();
    void blockTransfers();
    void stretchDraw_data();
    void stretchDraw();
    void colourReplacement();
    void settingsOutlivePixelWork();
    void bufferWithoutBitmap();
};

void TestCanvas::colourReachesPixelsSwapped_data()
{
    QTest::addColumn<uint32_t>("colour");
    QTest::addColumn<uint32_t>("pixel");
    QTest::newRow("pure red") << uint32_t(0x0000FF) << uint32_t(0xFF0000);
    QTest::newRow("pure blue") << uint32_t(0xFF0000) << uint32_t(0x0000FF);
    QTest::newRow("mixed") << uint32_t(0x563412) << uint32_t(0x123456);
}

void TestCanvas::colourReachesPixelsSwapped()
{
    QFETCH(uint32_t, colour);
    QFETCH(uint32_t, pixel);
    TDibPlus dib = Filled(3, 1, kBlackPx);
    {
        Canvas canvas(dib);
        canvas.SetBrush(colour);
        canvas.FillRect(QRect(0, 0, 1, 1)); // through the painter
        canvas.SetPixelColour(1, 0, colour); // through our own access
        canvas.SetPen(colour);
        canvas.MoveTo(2, 0);
        canvas.LineTo(3, 0); // through our own line loop
        QCOMPARE(canvas.PixelColour(0, 0), colour);
    }
    for (int x = 0; x < 3; ++x)
        QCOMPARE(dib.GetPixel(x, 0), pixel);
    // In memory: blue, green, red.
    QCOMPARE(dib.Bits()[2], uint8_t(pixel >> 16));
    QCOMPARE(dib.Bits()[0], uint8_t(pixel));
}

void TestCanvas::pixelAccessIsClipped()
{
    TDibPlus dib = Filled(2, 2, kBlackPx);
    Canvas canvas(dib);
    for (const QPoint &p : {QPoint(-1, 0), QPoint(2, 0), QPoint(0, 2), QPoint(0, -1)}) {
        canvas.SetPixelColour(p.x(), p.y(), kWhite);
        QCOMPARE(canvas.PixelColour(p.x(), p.y()), kInvalidColour);
    }
    canvas.SetPixelColour(1, 1, kWhite);
    QCOMPARE(Picture(dib),
        Art("..\n"
            ".W\n"));
}

void TestCanvas::shapes_data()
{
    QTest::addColumn<Drawing>("draw");
    QTest::addColumn<QStringList>("expected");
    const auto row = [](const char *name, const Drawing &draw, const char *picture) {
        QTest::newRow(name) << draw << Art(picture);
    };
    const auto redPenGreenBrush = [](Canvas &c) {
        c.SetPen(kRed);
        c.SetBrush(kGreen);
    };
    row(
        "rectangle (2,2)-(5,5) covers 3 x 3",
        [=](Canvas &c) {
            redPenGreenBrush(c);
            c.Rectangle(2, 2, 5, 5);
        },
        "......\n"
        "......\n"
        "..RRR.\n"
        "..RGR.\n"
        "..RRR.\n"
        "......\n");
    row(
        "rectangle given by its other corners",
        [=](Canvas &c) {
            redPenGreenBrush(c);
            c.Rectangle(5, 5, 2, 2);
        },
        "......\n"
        "......\n"
        "..RRR.\n"
        "..RGR.\n"
        "..RRR.\n"
        "......\n");
    row(
        "rectangle without pen is one pixel smaller",
        [=](Canvas &c) {
            redPenGreenBrush(c);
            c.SetPenStyle(PenStyle::Null);
            c.Rectangle(2, 2, 5, 5);
        },
        "......\n"
        "......\n"
        "..GG..\n"
        "..GG..\n"
        "......\n"
        "......\n");
    row(
        "hollow brush leaves the inside",
        [=](Canvas &c) {
            redPenGreenBrush(c);
            c.SetBrushStyle(BrushStyle::Clear);
            c.Rectangle(1, 1, 6, 5);
        },
        "......\n"
        ".RRRRR\n"
        ".R...R\n"
        ".R...R\n"
        ".RRRRR\n"
        "......\n");
    row(
        "rectangle one pixel wide",
        [=](Canvas &c) {
            redPenGreenBrush(c);
            c.Rectangle(3, 1, 4, 5);
        },
        "......\n"
        "...R..\n"
        "...R..\n"
        "...R..\n"
        "...R..\n"
        "......\n");
    row(
        "wide pen centred on the outline",
        [](Canvas &c) {
            c.SetPen(kRed, 3);
            c.SetBrushStyle(BrushStyle::Clear);
            c.Rectangle(2, 2, 5, 5);
        },
        "......\n"
        ".RRRRR\n"
        ".RRRRR\n"
        ".RRRRR\n"
        ".RRRRR\n"
        ".RRRRR\n");
    row(
        "fill rect: brush only",
        [=](Canvas &c) {
            redPenGreenBrush(c);
            c.FillRect(QRect(1, 2, 3, 2));
        },
        "......\n"
        "......\n"
        ".GGG..\n"
        ".GGG..\n"
        "......\n"
        "......\n");
    row(
        "frame rect: a border in the brush",
        [=](Canvas &c) {
            redPenGreenBrush(c);
            c.FrameRect(QRect(1, 1, 5, 4));
        },
        "......\n"
        ".GGGGG\n"
        ".G...G\n"
        ".G...G\n"
        ".GGGGG\n"
        "......\n");
    row(
        "hollow brush fills nothing",
        [](Canvas &c) {
            c.SetBrushStyle(BrushStyle::Clear);
            c.FillRect(QRect(0, 0, 6, 6));
            c.FrameRect(QRect(0, 0, 6, 6));
        },
        "......\n"
        "......\n"
        "......\n"
        "......\n"
        "......\n"
        "......\n");
}

void TestCanvas::shapes()
{
    QFETCH(Drawing, draw);
    QFETCH(QStringList, expected);
    TDibPlus dib = Filled(int(expected.first().size()), int(expected.size()), kBlackPx);
    {
        Canvas canvas(dib);
        draw(canvas);
    }
    QCOMPARE(Picture(dib), expected);
}

void TestCanvas::lines_data()
{
    QTest::addColumn<Drawing>("draw");
    QTest::addColumn<QStringList>("expected");
    const auto row = [](const char *name, const Drawing &draw, const char *picture) {
        QTest::newRow(name) << draw << Art(picture);
    };
    row(
        "horizontal, without its end",
        [](Canvas &c) {
            c.MoveTo(1, 1);
            c.LineTo(5, 1);
        },
        ".......\n"
        ".BBBB..\n"
        ".......\n"
        ".......\n"
        ".......\n");
    row(
        "diagonal both ways",
        [](Canvas &c) {
            c.MoveTo(0, 0);
            c.LineTo(3, 3);
            c.MoveTo(6, 4);
            c.LineTo(3, 1);
        },
        "B......\n"
        ".B.....\n"
        "..B.B..\n"
        ".....B.\n"
        "......B\n");
    // y = round(x / 3): 0, 0, 1, 1, 1, 2 for x = 0..5.
    row(
        "gentle slope",
        [](Canvas &c) {
            c.MoveTo(0, 0);
            c.LineTo(6, 2);
        },
        "BB.....\n"
        "..BBB..\n"
        ".....B.\n"
        ".......\n"
        ".......\n");
    row(
        "the pen moves on",
        [](Canvas &c) {
            c.MoveTo(0, 4);
            c.LineTo(3, 4);
            c.LineTo(3, 1);
            QCOMPARE(c.PenPos(), QPoint(3, 1));
        },
        ".......\n"
        ".......\n"
        "...B...\n"
        "...B...\n"
        "BBBB...\n");
    row(
        "polyline leaves out its last point",
        [](Canvas &c) {
            c.Polyline(QPolygon {QPoint(0, 0), QPoint(2, 0), QPoint(2, 2), QPoint(6, 2)});
        },
        "BBB....\n"
        "..B....\n"
        "..BBBB.\n"
        ".......\n"
        ".......\n");
    row(
        "clipped at the buffer's edges",
        [](Canvas &c) {
            c.MoveTo(-3, 2);
            c.LineTo(100, 2);
            c.MoveTo(5, -50);
            c.LineTo(5, 50);
        },
        ".....B.\n"
        ".....B.\n"
        "BBBBBBB\n"
        ".....B.\n"
        ".....B.\n");
    row(
        "null pen draws nothing but moves",
        [](Canvas &c) {
            c.SetPenStyle(PenStyle::Null);
            c.MoveTo(0, 0);
            c.LineTo(6, 0);
            QCOMPARE(c.PenPos(), QPoint(6, 0));
        },
        ".......\n"
        ".......\n"
        ".......\n"
        ".......\n"
        ".......\n");
}

void TestCanvas::lines()
{
    QFETCH(Drawing, draw);
    QFETCH(QStringList, expected);
    TDibPlus dib = Filled(int(expected.first().size()), int(expected.size()), kBlackPx);
    {
        Canvas canvas(dib);
        canvas.SetPen(kBlue);
        draw(canvas);
    }
    QCOMPARE(Picture(dib), expected);
}

void TestCanvas::dottedPen()
{
    TDibPlus dib = Filled(16, 7, kBlackPx);
    {
        Canvas canvas(dib);
        canvas.SetPen(kRed, 1, PenStyle::Dot);
        canvas.SetBackgroundMode(BackgroundMode::Transparent);
        canvas.MoveTo(0, 0);
        canvas.LineTo(16, 0);
        canvas.SetBackgroundMode(BackgroundMode::Opaque);
        canvas.SetBackgroundColour(kBlue);
        canvas.MoveTo(0, 1);
        canvas.LineTo(15, 1);
        // GDI has no dotted pen wider than one pixel: it draws solid.
        canvas.SetPen(kGreen, 2, PenStyle::Dot);
        canvas.MoveTo(1, 5);
        canvas.LineTo(14, 5);
    }
    const QStringList rows = Picture(dib);
    QCOMPARE(rows[0], QString("RRR...RRR...RRR."));
    QCOMPARE(rows[1], QString("RRRBBBRRRBBBRRR."));
    QCOMPARE(rows[5].mid(2, 11), QString("GGGGGGGGGGG"));

    // A dotted curve also leaves gaps, inside the same box as the solid one.
    TDibPlus solid = Filled(20, 20, kBlackPx);
    TDibPlus dotted = Filled(20, 20, kBlackPx);
    for (TDibPlus *dib : {&solid, &dotted}) {
        Canvas canvas(*dib);
        canvas.SetPen(kRed, 1, dib == &dotted ? PenStyle::Dot : PenStyle::Solid);
        canvas.SetBackgroundMode(BackgroundMode::Transparent);
        canvas.SetBrushStyle(BrushStyle::Clear);
        canvas.Ellipse(2, 2, 18, 18);
    }
    int solidCount = 0, dottedCount = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            solidCount += solid.GetPixel(x, y) == kRedPx;
            dottedCount += dotted.GetPixel(x, y) == kRedPx;
        }
    }
    QVERIFY2(dottedCount > solidCount / 3 && dottedCount < solidCount * 2 / 3,
        qPrintable(QString("%1 dotted of %2").arg(dottedCount).arg(solidCount)));
    QVERIFY(QRect(2, 2, 16, 16).contains(InkBounds(dotted, kBlackPx)));
}

void TestCanvas::ellipseFitsItsBox_data()
{
    QTest::addColumn<QRect>("box"); // x1, y1 to x2, y2 as the GDI call takes them
    QTest::addColumn<bool>("pen");
    QTest::addColumn<QRect>("covered");
    QTest::newRow("circle 10") << QRect(QPoint(0, 0), QPoint(10, 10)) << true
                               << QRect(0, 0, 10, 10);
    QTest::newRow("odd ellipse") << QRect(QPoint(3, 2), QPoint(18, 9)) << true
                                 << QRect(3, 2, 15, 7);
    QTest::newRow("without pen, one pixel less")
        << QRect(QPoint(0, 0), QPoint(10, 10)) << false << QRect(0, 0, 9, 9);
}

void TestCanvas::ellipseFitsItsBox()
{
    QFETCH(QRect, box);
    QFETCH(bool, pen);
    QFETCH(QRect, covered);
    TDibPlus dib = Filled(22, 14, kBlackPx);
    {
        Canvas canvas(dib);
        canvas.SetPen(kRed, 1, pen ? PenStyle::Solid : PenStyle::Null);
        canvas.SetBrush(kGreen);
        canvas.Ellipse(box.left(), box.top(), box.right(), box.bottom());
    }
    QCOMPARE(InkBounds(dib, kBlackPx), covered);
    QVERIFY(MirrorSymmetric(dib, covered));
    const QPoint centre = covered.center();
    QCOMPARE(dib.GetPixel(centre.x(), centre.y()), kGreenPx);
    QCOMPARE(dib.GetPixel(covered.left(), covered.top()), kBlackPx); // a corner stays out
    if (pen)
        QCOMPARE(dib.GetPixel(covered.left(), centre.y()), kRedPx);
}

void TestCanvas::polygonFillModes_data()
{
    QTest::addColumn<PolyFillMode>("mode");
    QTest::addColumn<uint32_t>("centre");
    QTest::newRow("alternate leaves the middle") << PolyFillMode::Alternate << kBlackPx;
    QTest::newRow("winding fills it") << PolyFillMode::Winding << kGreenPx;
}

void TestCanvas::polygonFillModes()
{
    QFETCH(PolyFillMode, mode);
    QFETCH(uint32_t, centre);
    // A five-pointed star about (20, 20), its vertices taken every 144 degrees.
    const QPolygon star {
        QPoint(20, 2), QPoint(9, 35), QPoint(37, 14), QPoint(3, 14), QPoint(31, 35)};
    TDibPlus dib = Filled(41, 41, kBlackPx);
    {
        Canvas canvas(dib);
        canvas.SetPen(kRed);
        canvas.SetBrush(kGreen);
        canvas.SetPolyFillMode(mode);
        canvas.Polygon(star);
    }
    QCOMPARE(dib.GetPixel(20, 20), centre);
    QCOMPARE(dib.GetPixel(20, 8), kGreenPx); // inside the top point
    QCOMPARE(dib.GetPixel(20, 30), kBlackPx); // between the two lower points
    for (const QPoint &vertex : star)
        QCOMPARE(dib.GetPixel(vertex.x(), vertex.y()), kRedPx);
    QCOMPARE(InkBounds(dib, kBlackPx), QRect(QPoint(3, 2), QPoint(37, 35)));
}

void TestCanvas::arcsRunCounterClockwise_data()
{
    QTest::addColumn<QPoint>("start");
    QTest::addColumn<QPoint>("end");
    // Which quarters of the circle, about its centre pixel (5, 5), hold arc pixels:
    // upper right, upper left, lower left, lower right.
    QTest::addColumn<QList<bool>>("quarters");
    QTest::newRow("3 o'clock to 12")
        << QPoint(11, 5) << QPoint(5, 0) << QList<bool> {true, false, false, false};
    QTest::newRow("12 to 3 o'clock")
        << QPoint(5, 0) << QPoint(11, 5) << QList<bool> {false, true, true, true};
    QTest::newRow("9 o'clock to 6")
        << QPoint(-20, 5) << QPoint(5, 40) << QList<bool> {false, false, true, false};
    QTest::newRow("same radial: whole circle")
        << QPoint(11, 5) << QPoint(30, 5) << QList<bool> {true, true, true, true};
}

void TestCanvas::arcsRunCounterClockwise()
{
    QFETCH(QPoint, start);
    QFETCH(QPoint, end);
    QFETCH(QList<bool>, quarters);
    TDibPlus circle = Filled(11, 11, kBlackPx);
    TDibPlus arc = Filled(11, 11, kBlackPx);
    {
        Canvas canvas(circle);
        canvas.SetPen(kRed);
        canvas.SetBrushStyle(BrushStyle::Clear);
        canvas.Ellipse(0, 0, 11, 11);
    }
    {
        Canvas canvas(arc);
        canvas.SetPen(kRed);
        canvas.Arc(0, 0, 11, 11, start.x(), start.y(), end.x(), end.y());
    }
    QList<bool> found(4, false);
    for (int y = 0; y < 11; ++y) {
        for (int x = 0; x < 11; ++x) {
            if (arc.GetPixel(x, y) != kRedPx)
                continue;
            QCOMPARE(circle.GetPixel(x, y), kRedPx); // the arc is part of the ellipse
            if (x > 5 && y < 5)
                found[0] = true;
            if (x < 5 && y < 5)
                found[1] = true;
            if (x < 5 && y > 5)
                found[2] = true;
            if (x > 5 && y > 5)
                found[3] = true;
        }
    }
    QCOMPARE(found, quarters);
}

void TestCanvas::pieAndChordFill()
{
    // A quarter from 3 o'clock to 12 on a circle about (5, 5): the pie holds (6, 4) near
    // the centre, the chord from (10, 5) to (5, 0) leaves it out; both hold (8, 2).
    TDibPlus pie = Filled(11, 11, kBlackPx);
    TDibPlus chord = Filled(11, 11, kBlackPx);
    {
        Canvas canvas(pie);
        canvas.SetPen(kRed);
        canvas.SetBrush(kGreen);
        canvas.Pie(0, 0, 11, 11, 11, 5, 5, 0);
    }
    {
        Canvas canvas(chord);
        canvas.SetPen(kRed);
        canvas.SetBrush(kGreen);
        canvas.Chord(0, 0, 11, 11, 11, 5, 5, 0);
    }
    QCOMPARE(pie.GetPixel(6, 4), kGreenPx);
    QCOMPARE(pie.GetPixel(5, 5), kRedPx); // the radii meet at the centre
    QCOMPARE(pie.GetPixel(7, 5), kRedPx);
    QCOMPARE(pie.GetPixel(5, 3), kRedPx);
    QCOMPARE(chord.GetPixel(6, 4), kBlackPx);
    QCOMPARE(chord.GetPixel(5, 5), kBlackPx);
    QCOMPARE(chord.GetPixel(7, 2), kRedPx); // on the chord, x - y = 5
    QCOMPARE(pie.GetPixel(8, 2), kGreenPx);
    QCOMPARE(chord.GetPixel(8, 2), kGreenPx);
    for (const TDibPlus *dib : {&pie, &chord})
        QVERIFY(QRect(5, 0, 6, 6).contains(InkBounds(*dib, kBlackPx)));
}

void TestCanvas::textStaysInItsCell_data()
{
    QTest::addColumn<BackgroundMode>("mode");
    QTest::newRow("transparent") << BackgroundMode::Transparent;
    QTest::newRow("opaque") << BackgroundMode::Opaque;
}

void TestCanvas::textStaysInItsCell()
{
    QFETCH(BackgroundMode, mode);
    const QString text = QStringLiteral("Kaléno 42");
    TDibPlus dib = Filled(200, 40, kGreenPx);
    QRect cell;
    {
        Canvas canvas(dib);
        canvas.SetFontHeight(-16);
        canvas.SetFontColour(kBlack);
        canvas.SetBackgroundMode(mode);
        canvas.SetBackgroundColour(kBlue);
        canvas.TextOut(7, 5, text);
        cell = QRect(7, 5, canvas.TextWidth(text), canvas.TextHeight(text));
    }
    QVERIFY(cell.width() > 50 && cell.height() >= 16);
    int ink = 0;
    for (int y = 0; y < dib.Height(); ++y) {
        for (int x = 0; x < dib.Width(); ++x) {
            const uint32_t pixel = dib.GetPixel(x, y);
            if (!cell.contains(x, y)) {
                QCOMPARE(pixel, kGreenPx);
                continue;
            }
            ink += pixel == kBlackPx;
            // No antialiasing: ink or background, nothing between.
            const uint32_t background = mode == BackgroundMode::Opaque ? kBluePx : kGreenPx;
            QVERIFY2(pixel == kBlackPx || pixel == background,
                qPrintable(QString("(%1, %2) = %3").arg(x).arg(y).arg(pixel, 6, 16)));
        }
    }
    QVERIFY(ink > 60);
}

void TestCanvas::textMetrics()
{
    TDibPlus dib(1, 1);
    Canvas canvas(dib);
    QCOMPARE(canvas.TextWidth(QString()), 0);
    canvas.SetFontHeight(-16);
    const int width = canvas.TextWidth("Kaleno");
    const int height = canvas.TextHeight("Kaleno");
    QVERIFY(canvas.TextWidth("WWW") > canvas.TextWidth("iii"));
    // 12 points at 96 pixels per inch are 16 pixels.
    canvas.SetFontSize(12);
    QCOMPARE(canvas.TextWidth("Kaleno"), width);
    QCOMPARE(canvas.TextHeight("Kaleno"), height);
    // A positive height asks for the cell height.
    canvas.SetFontHeight(30);
    QVERIFY(qAbs(canvas.TextHeight("Kaleno") - 30) <= 1);
    canvas.SetFontHeight(-16);
    canvas.SetFontStyle(kFontBold);
    QVERIFY(canvas.TextWidth("Kaleno") > width);

    // An underline is a run of ink across the whole text.
    const auto longestRun = [](const TDibPlus &d) {
        int best = 0;
        for (int y = 0; y < d.Height(); ++y) {
            int run = 0;
            for (int x = 0; x < d.Width(); ++x) {
                run = d.GetPixel(x, y) == kBlackPx ? run + 1 : 0;
                best = std::max(best, run);
            }
        }
        return best;
    };
    TDibPlus plain = Filled(100, 30, kWhitePx);
    TDibPlus underlined = Filled(100, 30, kWhitePx);
    for (TDibPlus *d : {&plain, &underlined}) {
        Canvas c(*d);
        c.SetFont("Arial", 12, d == &underlined ? kFontUnderline : 0);
        c.TextOut(2, 2, "Kaleno");
    }
    QVERIFY(longestRun(plain) < width / 2);
    QVERIFY(longestRun(underlined) >= width * 8 / 10);
}

// A red loop with a blue pixel inside and a gap at its lower right.
const char *const kLoop = "WWWWWWWW\n"
                          "WRRRRRWW\n"
                          "WRWWWRWW\n"
                          "WRWBWRWW\n"
                          "WRRRWRWB\n"
                          "WWWRRRWW\n";

void TestCanvas::floodFill_data()
{
    QTest::addColumn<QPoint>("seed");
    QTest::addColumn<uint32_t>("colour");
    QTest::addColumn<FloodFillType>("type");
    QTest::addColumn<QStringList>("expected");
    const auto row = [](const char *name, QPoint seed, uint32_t colour, FloodFillType type,
                         const char *picture) {
        QTest::newRow(name) << seed << colour << type << Art(picture);
    };
    row("surface stops at the border", QPoint(2, 2), kWhite, FloodFillType::Surface,
        "WWWWWWWW\n"
        "WRRRRRWW\n"
        "WRGGGRWW\n"
        "WRGBGRWW\n"
        "WRRRGRWB\n"
        "WWWRRRWW\n");
    row("surface outside goes round", QPoint(0, 0), kWhite, FloodFillType::Surface,
        "GGGGGGGG\n"
        "GRRRRRGG\n"
        "GRWWWRGG\n"
        "GRWBWRGG\n"
        "GRRRWRGB\n"
        "GGGRRRGG\n");
    row("surface seed of another colour", QPoint(3, 3), kWhite, FloodFillType::Surface, kLoop);
    row("border takes every colour inside", QPoint(2, 2), kRed, FloodFillType::Border,
        "WWWWWWWW\n"
        "WRRRRRWW\n"
        "WRGGGRWW\n"
        "WRGGGRWW\n"
        "WRRRGRWB\n"
        "WWWRRRWW\n");
    row("border seed on the border", QPoint(1, 1), kRed, FloodFillType::Border, kLoop);
}

void TestCanvas::floodFill()
{
    QFETCH(QPoint, seed);
    QFETCH(uint32_t, colour);
    QFETCH(FloodFillType, type);
    QFETCH(QStringList, expected);
    TDibPlus dib = FromPicture(Art(kLoop));
    {
        Canvas canvas(dib);
        canvas.SetBrush(kGreen);
        canvas.FloodFill(seed.x(), seed.y(), colour, type);
    }
    QCOMPARE(Picture(dib), expected);
}

void TestCanvas::floodFillOfAHugeWindingRegion()
{
    // Walls every fourth column, open at the top and the bottom in turn: the region is
    // one corridor of about four million pixels that doubles back 500 times.
    const int size = 2000;
    TDibPlus dib = Filled(size, size, kBlackPx);
    for (int x = 3; x < size; x += 4) {
        if ((x / 4) % 2 == 0)
            dib.VLine(x, 1, size - 1, kWhitePx);
        else
            dib.VLine(x, 0, size - 2, kWhitePx);
    }
    {
        Canvas canvas(dib);
        canvas.SetBrush(kGreen);
        canvas.FloodFill(0, size - 1, kBlack, FloodFillType::Surface);
    }
    int black = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            black += dib.GetPixelFast(x, y) == kBlackPx;
    QCOMPARE(black, 0);
    QCOMPARE(dib.GetPixel(size - 2, 0), kGreenPx);
    QCOMPARE(dib.GetPixel(3, 5), kWhitePx);
}

void TestCanvas::blockTransfers_data()
{
    QTest::addColumn<QStringList>("target");
    QTest::addColumn<QStringList>("source");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<RasterOp>("op");
    QTest::addColumn<QStringList>("expected");
    const auto row = [](const char *name, const char *target, const char *source, QPoint at,
                         RasterOp op, const char *expected) {
        QTest::newRow(name) << Art(target) << Art(source) << at << op << Art(expected);
    };
    row("red OR green is yellow", "GGG\nGGG\n", "RR\n", QPoint(1, 1), RasterOp::Or, "GGG\nGYY\n");
    row("yellow AND cyan is green", "CCC\nCCC\n", "YY\nYY\n", QPoint(0, 0), RasterOp::And,
        "GGC\nGGC\n");
    row("copy clipped at the top left", "...\n...\n...\n", "RGB\nGBR\nBRW\n", QPoint(-1, -2),
        RasterOp::Copy, "RW.\n...\n...\n");
}

void TestCanvas::blockTransfers()
{
    QFETCH(QStringList, target);
    QFETCH(QStringList, source);
    QFETCH(QPoint, at);
    QFETCH(RasterOp, op);
    QFETCH(QStringList, expected);
    TDibPlus dib = FromPicture(target);
    const TDibPlus src = FromPicture(source);
    {
        Canvas canvas(dib);
        canvas.BitBltFrom(at.x(), at.y(), src.Width(), src.Height(), src, 0, 0, op);
    }
    QCOMPARE(Picture(dib), expected);
}

void TestCanvas::stretchDraw_data()
{
    QTest::addColumn<QStringList>("source");
    QTest::addColumn<QRect>("dest");
    QTest::addColumn<QStringList>("expected");
    const auto row = [](const char *name, const char *source, QRect dest, const char *expected) {
        QTest::newRow(name) << Art(source) << dest << Art(expected);
    };
    row("2 x 2 doubled", "RG\nBW\n", QRect(0, 0, 4, 4),
        "RRGG\n"
        "RRGG\n"
        "BBWW\n"
        "BBWW\n");
    row("1:1 clipped", "RG\nBW\n", QRect(3, -1, 2, 2),
        "...B\n"
        "....\n"
        "....\n"
        "....\n");
    row("halved takes the pixels under the centres", "RGBW\nGBWR\n", QRect(1, 1, 2, 1),
        "....\n"
        ".BR.\n"
        "....\n"
        "....\n");
    row("stretched one way only", "RB\n", QRect(0, 1, 4, 2),
        "....\n"
        "RRBB\n"
        "RRBB\n"
        "....\n");
}

void TestCanvas::stretchDraw()
{
    QFETCH(QStringList, source);
    QFETCH(QRect, dest);
    QFETCH(QStringList, expected);
    const TDibPlus src = FromPicture(source);
    QImage image(src.Width(), src.Height(), QImage::Format_RGB32);
    for (int y = 0; y < src.Height(); ++y)
        for (int x = 0; x < src.Width(); ++x)
            image.setPixel(x, y, 0xFF000000u | src.GetPixel(x, y));

    TDibPlus fromBuffer = Filled(4, 4, kBlackPx);
    TDibPlus fromImage = Filled(4, 4, kBlackPx);
    {
        Canvas canvas(fromBuffer);
        canvas.StretchDraw(dest, src);
    }
    {
        Canvas canvas(fromImage);
        canvas.StretchDraw(dest, image);
    }
    QCOMPARE(Picture(fromBuffer), expected);
    QCOMPARE(Picture(fromImage), expected);

    if (dest.size() == QSize(src.Width(), src.Height())) {
        TDibPlus drawn = Filled(4, 4, kBlackPx);
        TDibPlus drawnImage = Filled(4, 4, kBlackPx);
        Canvas(drawn).Draw(src, dest.x(), dest.y());
        Canvas(drawnImage).Draw(image, dest.x(), dest.y());
        QCOMPARE(Picture(drawn), expected);
        QCOMPARE(Picture(drawnImage), expected);
    }
}

void TestCanvas::colourReplacement()
{
    TDibPlus dib = FromPicture(Art("RRGR\n"
                                   "RGRR\n"
                                   "RRRB\n"));
    {
        Canvas canvas(dib);
        canvas.ReplaceColour(QRect(1, 0, 2, 3), kRed, kBlue);
    }
    QCOMPARE(Picture(dib),
        Art("RBGR\n"
            "RGBR\n"
            "RBBB\n"));

    // Brush copy: the source drawn with its black replaced by the brush.
    const TDibPlus blot = FromPicture(Art("W.\n"
                                          ".W\n"));
    TDibPlus target = Filled(4, 2, kRedPx);
    {
        Canvas canvas(target);
        canvas.SetBrush(kGreen);
        canvas.BrushCopy(QRect(0, 0, 4, 2), blot, QRect(0, 0, 2, 2), kBlack);
    }
    QCOMPARE(Picture(target),
        Art("WWGG\n"
            "GGWW\n"));
}

void TestCanvas::settingsOutlivePixelWork()
{
    // The painter is ended for our own pixel loops and begun again: the pixels must come
    // in the order of the calls and the pen and brush carry over.
    TDibPlus dib = Filled(6, 4, kBlackPx);
    {
        Canvas canvas(dib);
        canvas.SetPen(kRed);
        canvas.SetBrush(kBlue);
        canvas.SetPixelColour(5, 0, kWhite);
        canvas.Rectangle(0, 0, 3, 3);
        canvas.FloodFill(4, 3, kBlack, FloodFillType::Surface);
        canvas.MoveTo(0, 3);
        canvas.LineTo(6, 3);
    }
    QCOMPARE(Picture(dib),
        Art("RRRBBW\n"
            "RBRBBB\n"
            "RRRBBB\n"
            "RRRRRR\n"));
}

void TestCanvas::bufferWithoutBitmap()
{
    TDibPlus dib(0, 0);
    const TDibPlus other = Filled(2, 2, kRedPx);
    Canvas canvas(dib);
    canvas.Rectangle(0, 0, 5, 5);
    canvas.Ellipse(0, 0, 5, 5);
    canvas.Arc(0, 0, 5, 5, 5, 2, 2, 0);
    canvas.LineTo(4, 4);
    canvas.TextOut(0, 0, "x");
    canvas.FloodFill(0, 0, kBlack, FloodFillType::Surface);
    canvas.StretchDraw(QRect(0, 0, 4, 4), other);
    canvas.Draw(other, 0, 0);
    canvas.ReplaceColour(QRect(0, 0, 4, 4), kBlack, kWhite);
    QCOMPARE(canvas.PixelColour(0, 0), kInvalidColour);
    QVERIFY(canvas.TextWidth("x") > 0);
}

QTEST_MAIN(TestCanvas)
#include "tst_canvas.moc"
