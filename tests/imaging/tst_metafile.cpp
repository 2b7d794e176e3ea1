#include "imaging/Canvas.h"
#include "imaging/DibPlus.h"
#include "imaging/Metafile.h"

#include "WmfBuilder.h"

#include <QTest>

using namespace kaleno;
using namespace wmf;

namespace {

// TColors (0x00BBGGRR) written into files, and the pixel values (0x00RRGGBB) they give.
constexpr uint32_t kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kBlack = 0x000000;
constexpr uint32_t kRedPx = 0xFF0000, kGreenPx = 0x00FF00, kBluePx = 0x0000FF, kWhitePx = 0xFFFFFF,
                   kBlackPx = 0x000000, kGreyPx = 0x808080;

// A buffer of the given colour with the file played into dest.
TDibPlus Play(const QByteArray &bytes, const QRect &dest, uint32_t ground = kWhitePx)
{
    TDibPlus buffer(220, 220);
    for (int y = 0; y < buffer.Height(); ++y)
        for (int x = 0; x < buffer.Width(); ++x)
            buffer.SetPixel(x, y, ground);
    const std::optional<Metafile> metafile = ParseMetafile(bytes);
    if (!metafile)
        return TDibPlus(0, 0);
    Canvas canvas(buffer);
    PlayMetafile(canvas, *metafile, dest);
    canvas.Flush();
    return buffer;
}

Builder Window(QPoint origin, QPoint extent)
{
    Builder b;
    b.Add(SetWindowOrg, YX(origin.x(), origin.y())).Add(SetWindowExt, YX(extent.x(), extent.y()));
    return b;
}

} // namespace

class TestMetafile : public QObject {
    Q_OBJECT

private slots:
    void windowMappedOntoTheRectangle_data();
    void windowMappedOntoTheRectangle();
    void nullBrushAndPenWidth();
    void objectTableReusesTheLowestFreeSlot();
    void polyPolygonFillModes_data();
    void polyPolygonFillModes();
    void bitmaps_data();
    void bitmaps();
    void textInItsColour();
};

void TestMetafile::windowMappedOntoTheRectangle_data()
{
    QTest::addColumn<QPoint>("origin");
    QTest::addColumn<QPoint>("extent");
    QTest::addColumn<QRect>("dest");
    QTest::addColumn<QRect>("square"); // where the logical square (10,10)-(60,60) lands
    QTest::newRow("extent 100 into 200")
        << QPoint(0, 0) << QPoint(100, 100) << QRect(0, 0, 200, 200) << QRect(20, 20, 100, 100);
    QTest::newRow("window origin")
        << QPoint(10, 10) << QPoint(100, 100) << QRect(10, 10, 200, 200) << QRect(10, 10, 100, 100);
    QTest::newRow("rectangle offset")
        << QPoint(0, 0) << QPoint(100, 100) << QRect(30, 40, 100, 100) << QRect(40, 50, 50, 50);
    // y = (100 - y) * 2: the logical 10 and 60 land at 180 and 80.
    QTest::newRow("y turned upward")
        << QPoint(0, 100) << QPoint(100, -100) << QRect(0, 0, 200, 200) << QRect(20, 80, 100, 100);
    QTest::newRow("unequal scales")
        << QPoint(0, 0) << QPoint(100, 200) << QRect(0, 0, 200, 200) << QRect(20, 10, 100, 50);
}

void TestMetafile::windowMappedOntoTheRectangle()
{
    QFETCH(QPoint, origin);
    QFETCH(QPoint, extent);
    QFETCH(QRect, dest);
    QFETCH(QRect, square);
    Builder b = Window(origin, extent);
    b.Add(CreatePenIndirect, Pen(kPenNull, 0, kBlack))
        .Add(CreateBrushIndirect, Brush(kBrushSolid, kRed))
        .Add(SelectObject, {0})
        .Add(SelectObject, {1})
        .Add(Polygon, Points({{10, 10}, {60, 10}, {60, 60}, {10, 60}}));
    const TDibPlus buffer = Play(b.Build(), dest);
    QVERIFY(buffer.HasBitmap());
    const int l = square.left(), t = square.top(), r = square.left() + square.width(),
              bt = square.top() + square.height();
    for (const QPoint p : {QPoint(l + 2, t + 2), QPoint(r - 3, t + 2), QPoint(l + 2, bt - 3),
             QPoint(r - 3, bt - 3), square.center()})
        QCOMPARE(buffer.GetPixel(p.x(), p.y()), kRedPx);
    for (const QPoint p : {QPoint(l - 3, square.center().y()), QPoint(r + 2, square.center().y()),
             QPoint(square.center().x(), t - 3), QPoint(square.center().x(), bt + 2)})
        QCOMPARE(buffer.GetPixel(p.x(), p.y()), kWhitePx);
}

void TestMetafile::nullBrushAndPenWidth()
{
    // A hollow rectangle (10,10)-(60,60) at twice the size: the outline of a thin pen at
    // x = 20 and x = 119, of a pen 5 units wide 10 pixels thick around x = 20.
    for (const int width : {0, 5}) {
        Builder b = Window({0, 0}, {100, 100});
        b.Add(CreatePenIndirect, Pen(kPenSolid, width, kBlack))
            .Add(CreateBrushIndirect, Brush(kBrushNull, kRed))
            .Add(SelectObject, {0})
            .Add(SelectObject, {1})
            .Add(Rectangle, {60, 60, 10, 10});
        const TDibPlus buffer = Play(b.Build(), QRect(0, 0, 200, 200));
        QCOMPARE(buffer.GetPixel(70, 70), kWhitePx);
        QCOMPARE(buffer.GetPixel(20, 70), kBlackPx);
        QCOMPARE(buffer.GetPixel(70, 20), kBlackPx);
        QCOMPARE(buffer.GetPixel(23, 70), width == 0 ? kWhitePx : kBlackPx);
        QCOMPARE(buffer.GetPixel(30, 70), kWhitePx);
        QCOMPARE(buffer.GetPixel(10, 70), kWhitePx);
    }
}

void TestMetafile::objectTableReusesTheLowestFreeSlot()
{
    Builder b = Window({0, 0}, {100, 100});
    b.objects = 3;
    b.Add(CreatePenIndirect, Pen(kPenNull, 0, kBlack)) // slot 0
        .Add(SelectObject, {0})
        .Add(CreateBrushIndirect, Brush(kBrushSolid, kRed)) // slot 1
        .Add(CreateBrushIndirect, Brush(kBrushSolid, kBlue)) // slot 2
        .Add(DeleteObject, {1})
        .Add(CreateBrushIndirect, Brush(kBrushSolid, kGreen)) // slot 1 again
        .Add(SelectObject, {1})
        .Add(Polygon, Points({{0, 0}, {50, 0}, {50, 50}, {0, 50}}))
        .Add(SelectObject, {2})
        .Add(Polygon, Points({{50, 50}, {100, 50}, {100, 100}, {50, 100}}));
    const TDibPlus buffer = Play(b.Build(), QRect(0, 0, 100, 100));
    QCOMPARE(buffer.GetPixel(25, 25), kGreenPx);
    QCOMPARE(buffer.GetPixel(75, 75), kBluePx);
    QCOMPARE(buffer.GetPixel(75, 25), kWhitePx);
}

void TestMetafile::polyPolygonFillModes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<uint32_t>("hole");
    QTest::newRow("alternate: the inner square is a hole") << 1 << kWhitePx;
    QTest::newRow("winding: same turn, filled") << 2 << kRedPx;
}

void TestMetafile::polyPolygonFillModes()
{
    QFETCH(int, mode);
    QFETCH(uint32_t, hole);
    Builder b = Window({0, 0}, {100, 100});
    b.Add(CreatePenIndirect, Pen(kPenNull, 0, kBlack))
        .Add(CreateBrushIndirect, Brush(kBrushSolid, kRed))
        .Add(SelectObject, {0})
        .Add(SelectObject, {1})
        .Add(SetPolyFillMode, {mode})
        .Add(PolyPolygon,
            PolyPoints({{{10, 10}, {90, 10}, {90, 90}, {10, 90}},
                {{30, 30}, {70, 30}, {70, 70}, {30, 70}}}));
    const TDibPlus buffer = Play(b.Build(), QRect(0, 0, 100, 100));
    QCOMPARE(buffer.GetPixel(50, 50), hole);
    QCOMPARE(buffer.GetPixel(20, 50), kRedPx);
    QCOMPARE(buffer.GetPixel(50, 85), kRedPx);
    QCOMPARE(buffer.GetPixel(5, 5), kWhitePx);
    QCOMPARE(buffer.GetPixel(95, 50), kWhitePx);
}

void TestMetafile::bitmaps_data()
{
    // A 2 x 2 picture: red, white on top; blue, green below (rows stored bottom-up).
    const std::vector<int> dib24
        = Dib(2, 2, 24, {}, {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0});
    const std::vector<int> dib8
        = Dib(2, 2, 8, {kRedPx, kWhitePx, kBluePx, kGreenPx}, {2, 3, 0, 0, 0, 1, 0, 0}, 4);
    const std::vector<int> copy {0x0020, 0x00CC};
    QTest::addColumn<uint16_t>("function");
    QTest::addColumn<std::vector<int>>("params");
    QTest::addColumn<std::vector<uint32_t>>("quarters"); // at (15,15) (45,15) (15,45) (45,45)
    // StretchDib: rop, usage, source height, width, y, x, then destination likewise.
    QTest::newRow("StretchDIB, 24 bits")
        << uint16_t(StretchDib) << copy + std::vector<int> {0, 2, 2, 0, 0, 40, 40, 10, 10} + dib24
        << std::vector<uint32_t> {kRedPx, kWhitePx, kBluePx, kGreenPx};
    QTest::newRow("StretchDIB mirrored by a negative width")
        << uint16_t(StretchDib) << copy + std::vector<int> {0, 2, 2, 0, 0, 40, -40, 10, 50} + dib24
        << std::vector<uint32_t> {kWhitePx, kRedPx, kGreenPx, kBluePx};
    // Source rows counted from the bottom: (0,0) 1 x 1 is the blue pixel.
    QTest::newRow("StretchDIB source from the bottom")
        << uint16_t(StretchDib) << copy + std::vector<int> {0, 1, 1, 0, 0, 40, 40, 10, 10} + dib24
        << std::vector<uint32_t> {kBluePx, kBluePx, kBluePx, kBluePx};
    QTest::newRow("DIBStretchBlt, 8 bits")
        << uint16_t(DibStretchBlt) << copy + std::vector<int> {2, 2, 0, 0, 40, 40, 10, 10} + dib8
        << std::vector<uint32_t> {kRedPx, kWhitePx, kBluePx, kGreenPx};
    // DIBStretchBlt counts from the top: (1,0) 1 x 1 is the white pixel.
    QTest::newRow("DIBStretchBlt source from the top")
        << uint16_t(DibStretchBlt) << copy + std::vector<int> {1, 1, 0, 1, 40, 40, 10, 10} + dib8
        << std::vector<uint32_t> {kWhitePx, kWhitePx, kWhitePx, kWhitePx};
    QTest::newRow("other raster operations skipped")
        << uint16_t(StretchDib)
        << std::vector<int> {0x0046, 0x0066, 0, 2, 2, 0, 0, 40, 40, 10, 10} + dib24
        << std::vector<uint32_t> {kGreyPx, kGreyPx, kGreyPx, kGreyPx};
}

void TestMetafile::bitmaps()
{
    QFETCH(uint16_t, function);
    QFETCH(std::vector<int>, params);
    QFETCH(std::vector<uint32_t>, quarters);
    Builder b = Window({0, 0}, {100, 100});
    b.Add(function, params);
    const TDibPlus buffer = Play(b.Build(), QRect(0, 0, 100, 100), kGreyPx);
    QVERIFY(buffer.HasBitmap());
    const std::vector<uint32_t> seen {buffer.GetPixel(15, 15), buffer.GetPixel(45, 15),
        buffer.GetPixel(15, 45), buffer.GetPixel(45, 45)};
    QCOMPARE(seen, quarters);
    QCOMPARE(buffer.GetPixel(5, 30), kGreyPx);
    QCOMPARE(buffer.GetPixel(55, 30), kGreyPx);
}

void TestMetafile::textInItsColour()
{
    // A 20-pixel font, transparent background, red text from (10,10) at one unit a pixel.
    Builder b = Window({0, 0}, {100, 100});
    QByteArray arial("Arial");
    arial.resize(32, '\0');
    std::vector<int> font {-20, 0, 0, 0, 700, 0, 0, 0, 0};
    for (qsizetype i = 0; i < arial.size(); i += 2)
        font.push_back(uint8_t(arial[i]) | uint8_t(arial[i + 1]) << 8);
    b.Add(CreateFontIndirect, font)
        .Add(SelectObject, {0})
        .Add(SetTextColor, Colour(kRed))
        .Add(SetBkMode, {1})
        .Add(TextOut, Text(10, 10, "HH"));
    const TDibPlus buffer = Play(b.Build(), QRect(0, 0, 100, 100));
    int inside = 0, outside = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) {
            const uint32_t p = buffer.GetPixel(x, y);
            if (p == kWhitePx)
                continue;
            QCOMPARE(p, kRedPx);
            (x >= 10 && x < 50 && y >= 10 && y < 32 ? inside : outside) += 1;
        }
    }
    QVERIFY2(inside > 40, qPrintable(QString::number(inside)));
    QCOMPARE(outside, 0);
}

QTEST_MAIN(TestMetafile)
#include "tst_metafile.moc"
