#include "imaging/MetafileRecords.h"

#include "WmfBuilder.h"

#include <QTest>

#include <cstring>
#include <memory>

using namespace kaleno;
using namespace wmf;

namespace {

const std::vector<int> kSrcCopy {0x0020, 0x00CC};

// StretchDib's fixed part: raster operation, colour usage, source and destination boxes.
std::vector<int> StretchDibHead(int srcW, int srcH, int x, int y, int w, int h)
{
    return kSrcCopy + std::vector<int> {0, srcH, srcW, 0, 0, h, w, y, x};
}

// One record of each family the reader checks, bitmap and text included.
QByteArray RichFile()
{
    Builder b;
    b.Add(SetWindowOrg, YX(0, 0))
        .Add(SetWindowExt, YX(100, 100))
        .Add(CreatePenIndirect, Pen(kPenSolid, 2, 0x0000FF))
        .Add(CreateBrushIndirect, Brush(kBrushSolid, 0x00FF00))
        .Add(SelectObject, {0})
        .Add(SelectObject, {1})
        .Add(Escape, {15, 4, 0x4241, 0x4443})
        .Add(Polygon, Points({{10, 10}, {60, 10}, {60, 60}}))
        .Add(PolyPolygon, PolyPoints({{{0, 0}, {9, 0}, {9, 9}}, {{1, 1}, {2, 2}, {1, 2}}}))
        .Add(TextOut, Text(5, 5, "abc"))
        .Add(StretchDib,
            StretchDibHead(1, 1, 0, 0, 10, 10) + Dib(1, 1, 24, {}, {0x00, 0x00, 0xFF, 0x00}))
        .Add(DeleteObject, {0});
    return b.Build();
}

void Patch(QByteArray &bytes, qsizetype at, uint16_t value)
{
    bytes[at] = char(value & 0xFF);
    bytes[at + 1] = char(value >> 8);
}

} // namespace

class TestMetafileRecords : public QObject {
    Q_OBJECT

private slots:
    void placeableHeader();
    void naturalSize_data();
    void naturalSize();
    void unknownRecordsAndEscapesSkipped();
    void refused_data();
    void refused();
    void everyTruncationRefused();
    void objectSlotsTakeTheLowestFree();
    void bitmaps_data();
    void bitmaps();
};

void TestMetafileRecords::placeableHeader()
{
    Builder b;
    b.placeable = QRect(-20, -10, 40, 30);
    b.unitsPerInch = 1024;
    b.objects = 3;
    b.Add(SetBkMode, {1});
    const std::optional<Metafile> good = ParseMetafile(b.Build());
    QVERIFY(good);
    QVERIFY(good->header.placeable);
    QCOMPARE(good->header.frame, QRect(-20, -10, 40, 30));
    QCOMPARE(good->header.unitsPerInch, 1024);
    QCOMPARE(good->header.objectCount, 3);
    QCOMPARE(good->header.maxRecordWords, 4u);
    QVERIFY(good->header.checksumValid);

    // A wrong checksum is reported, not refused.
    b.goodChecksum = false;
    const std::optional<Metafile> bad = ParseMetafile(b.Build());
    QVERIFY(bad);
    QVERIFY(!bad->header.checksumValid);
    QCOMPARE(bad->records.size(), std::size_t(1));
}

void TestMetafileRecords::naturalSize_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("size");
    Builder blot;
    blot.placeable = QRect(-2555, -2086, 5110, 4172);
    blot.unitsPerInch = 1024;
    // 5110 * 96 / 1024 = 479.06, 4172 * 96 / 1024 = 391.1
    QTest::newRow("placeable, 1024 per inch") << blot.Build() << QSize(479, 391);
    Builder inch;
    inch.placeable = QRect(0, 0, 1440, 720);
    QTest::newRow("placeable, one inch by half") << inch.Build() << QSize(96, 48);
    Builder plain;
    plain.placeable.reset();
    plain.Add(SetWindowOrg, YX(5, 5)).Add(SetWindowExt, YX(-200, 150)).Add(SetWindowExt, YX(9, 9));
    QTest::newRow("plain, first window extent") << plain.Build() << QSize(200, 150);
    Builder none;
    none.placeable.reset();
    QTest::newRow("plain without window") << none.Build() << QSize();
}

void TestMetafileRecords::naturalSize()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, size);
    const std::optional<Metafile> metafile = ParseMetafile(bytes);
    QVERIFY(metafile);
    QCOMPARE(MetafileNaturalSize(*metafile), size);
}

void TestMetafileRecords::unknownRecordsAndEscapesSkipped()
{
    Builder b;
    b.Add(Escape, {15, 4, 1, 2}).Add(0x0999, {1, 2, 3}).Add(SetBkMode, {1}).Add(0x0103, {8});
    b.Add(Rectangle, {40, 30, 20, 10});
    const std::optional<Metafile> metafile = ParseMetafile(b.Build());
    QVERIFY(metafile);
    QCOMPARE(metafile->records.size(), std::size_t(2));
    QCOMPARE(metafile->records[0].function, MetaFunction::SetBkMode);
    QCOMPARE(metafile->records[1].function, MetaFunction::Rectangle);
    QCOMPARE(metafile->records[1].Short(3), int16_t(10));
}

void TestMetafileRecords::refused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const auto row = [](const char *name, const Builder &b) { QTest::newRow(name) << b.Build(); };
    {
        Builder b;
        b.Raw(0, Polygon, {});
        row("record size 0", b);
    }
    {
        Builder b;
        b.Raw(2, SetBkMode, {1});
        row("record size 2", b);
    }
    {
        Builder b;
        b.Raw(50, SetBkMode, {1});
        b.maxRecord = 50;
        row("record past the end", b);
    }
    {
        Builder b;
        b.Add(Polygon, Points({{0, 0}, {1, 1}, {0, 1}}));
        b.maxRecord = 5;
        row("record over the header's maximum", b);
    }
    {
        Builder b;
        b.Add(SetBkMode, {1});
        b.fileWords = 9 + 4 + 3 + 1;
        row("file size past the end", b);
    }
    {
        Builder b;
        b.fileWords = 5;
        row("file size under the header", b);
    }
    {
        Builder b;
        b.Add(SetBkMode, {1});
        b.endRecord = false;
        row("no end record", b);
    }
    {
        Builder b;
        b.unitsPerInch = 0;
        row("placeable, 0 units per inch", b);
    }
    {
        Builder b;
        b.Add(Polygon, {5, 1, 1, 2, 2});
        row("polygon count past the record", b);
    }
    {
        Builder b;
        b.Add(Polygon, {0xFFFF});
        row("polygon count absurd", b);
    }
    {
        Builder b;
        b.Add(PolyPolygon, {2, 3, 60000, 0, 0, 1, 1, 0, 1});
        row("poly-polygon points past the record", b);
    }
    {
        Builder b;
        b.Add(PolyPolygon, {1000, 3});
        row("poly-polygon count past the record", b);
    }
    {
        Builder b;
        b.Add(TextOut, {200, 0x4141, 0, 0});
        row("text length past the record", b);
    }
    {
        Builder b;
        b.Add(ExtTextOut, {0, 0, 50, 0, 0x4141});
        row("extended text length past the record", b);
    }
    {
        Builder b;
        b.Add(ExtTextOut, {0, 0, 0, 4});
        row("extended text without its clip box", b);
    }
    {
        Builder b;
        b.objects = 2;
        b.Add(SelectObject, {2});
        row("select past the table", b);
    }
    {
        Builder b;
        b.Add(DeleteObject, {7});
        row("delete past the table", b);
    }
    {
        Builder b;
        b.objects = 1;
        b.Add(CreateBrushIndirect, Brush(kBrushSolid, 0)).Add(CreatePenIndirect, Pen(0, 0, 0));
        row("object table full", b);
    }
    {
        Builder b;
        b.Add(CreatePenIndirect, {0, 1});
        row("pen too short", b);
    }
    {
        Builder b;
        b.Add(SetWindowExt, {5});
        row("window extent too short", b);
    }
    {
        Builder b;
        b.Add(StretchDib,
            StretchDibHead(2, 100, 0, 0, 2, 2) + Dib(2, 100, 24, {}, {1, 2, 3, 4, 5, 6, 7, 8}));
        row("bitmap rows past the record", b);
    }
    {
        Builder b;
        b.Add(
            StretchDib, StretchDibHead(1, 1, 0, 0, 1, 1) + Dib(1, 1, 8, {0, 0}, {0, 0, 0, 0}, 200));
        row("bitmap colour table past the record", b);
    }
    {
        Builder b;
        b.Add(StretchDib,
            StretchDibHead(1, 1, 0, 0, 1, 1) + Dib(1, 1, 1, {0, 0, 0}, {0, 0, 0, 0}, 3));
        row("bitmap with more colours than its depth", b);
    }
    {
        Builder b;
        std::vector<int> dib = Dib(1, 1, 24, {}, {0, 0, 0, 0});
        dib[0] = 30;
        b.Add(StretchDib, StretchDibHead(1, 1, 0, 0, 1, 1) + dib);
        row("bitmap header of 30 bytes", b);
    }
    {
        Builder b;
        std::vector<int> dib = Dib(1, 1, 24, {}, {0, 0, 0, 0});
        dib[0] = 4000;
        b.Add(StretchDib, StretchDibHead(1, 1, 0, 0, 1, 1) + dib);
        row("bitmap header past the record", b);
    }
    {
        Builder b;
        b.Add(StretchDib,
            StretchDibHead(1, 1, 0, 0, 1, 1)
                + Dib(16385, 1, 1, {0, 0}, std::vector<uint8_t>(2052)));
        row("bitmap wider than the cap", b);
    }
    {
        // 16384 x 4097 pixels decode to just over 256 MiB.
        Builder b;
        b.Add(StretchDib,
            StretchDibHead(1, 1, 0, 0, 1, 1)
                + Dib(16384, 4097, 1, {0, 0}, std::vector<uint8_t>(2048 * 4097)));
        row("bitmap over the byte cap", b);
    }
    {
        QByteArray bytes = Builder().Build();
        Patch(bytes, 22 + 2, 10);
        QTest::newRow("header size not 9") << bytes;
        bytes = Builder().Build();
        Patch(bytes, 22 + 4, 0x0200);
        QTest::newRow("unknown version") << bytes;
        bytes = Builder().Build();
        Patch(bytes, 22, 7);
        QTest::newRow("unknown type") << bytes;
    }
}

void TestMetafileRecords::refused()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!ParseMetafile(bytes));
}

void TestMetafileRecords::everyTruncationRefused()
{
    const QByteArray whole = RichFile();
    const std::optional<Metafile> metafile = ParseMetafile(whole);
    QVERIFY(metafile);
    QCOMPARE(metafile->records.size(), std::size_t(11)); // all but the escape
    for (qsizetype length = 0; length < whole.size(); ++length) {
        // A heap block of exactly this length, so that the sanitizer sees any read past it.
        const auto copy = std::make_unique<char[]>(std::size_t(std::max<qsizetype>(length, 1)));
        std::memcpy(copy.get(), whole.constData(), std::size_t(length));
        if (ParseMetafile(QByteArrayView(copy.get(), length)))
            QFAIL(qPrintable(QStringLiteral("a cut at %1 bytes was accepted").arg(length)));
    }
}

void TestMetafileRecords::objectSlotsTakeTheLowestFree()
{
    MetafileObjectSlots table(4);
    QCOMPARE(table.Take(), std::optional<int>(0));
    QCOMPARE(table.Take(), std::optional<int>(1));
    QCOMPARE(table.Take(), std::optional<int>(2));
    table.Release(2);
    table.Release(0);
    table.Release(0); // twice changes nothing
    QCOMPARE(table.Take(), std::optional<int>(0));
    QCOMPARE(table.Take(), std::optional<int>(2));
    QCOMPARE(table.Take(), std::optional<int>(3));
    QCOMPARE(table.Take(), std::nullopt);
    QVERIFY(!table.InRange(4));
}

void TestMetafileRecords::bitmaps_data()
{
    QTest::addColumn<std::vector<int>>("dib");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<std::vector<uint32_t>>("pixels");
    // Rows bottom-up; each row padded to 4 bytes; colours as (blue, green, red).
    QTest::newRow("24 bits, bottom-up")
        << Dib(2, 2, 24, {}, {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0})
        << QSize(2, 2) << std::vector<uint32_t> {0xFF0000, 0xFFFFFF, 0x0000FF, 0x00FF00};
    QTest::newRow("8 bits, top-down, 3 colours") << Dib(3, -1, 8, {0xFF0000, 0x00FF00, 0x0000FF},
        {2, 0, 1, 0}, 3) << QSize(3, 1) << std::vector<uint32_t> {0x0000FF, 0xFF0000, 0x00FF00};
    QTest::newRow("1 bit") << Dib(3, 2, 1, {0x000000, 0xFFFFFF}, {0xA0, 0, 0, 0, 0x40, 0, 0, 0})
                           << QSize(3, 2)
                           << std::vector<uint32_t> {0, 0xFFFFFF, 0, 0xFFFFFF, 0, 0xFFFFFF};
    QTest::newRow("4 bits, index past the table") << Dib(3, 1, 4, {0x123456, 0xABCDEF},
        {0x10, 0x50, 0, 0}, 2) << QSize(3, 1) << std::vector<uint32_t> {0xABCDEF, 0x123456, 0};
    QTest::newRow("32 bits") << Dib(1, 1, 32, {}, {0x30, 0x20, 0x10, 0x99}) << QSize(1, 1)
                             << std::vector<uint32_t> {0x102030};
}

void TestMetafileRecords::bitmaps()
{
    QFETCH(std::vector<int>, dib);
    QFETCH(QSize, size);
    QFETCH(std::vector<uint32_t>, pixels);
    Builder b;
    b.Add(StretchDib, StretchDibHead(size.width(), size.height(), 0, 0, 10, 10) + dib);
    const std::optional<Metafile> metafile = ParseMetafile(b.Build());
    QVERIFY(metafile);
    QCOMPARE(metafile->records.size(), std::size_t(1));
    const std::optional<MetafileBitmap> bitmap = DecodeMetafileBitmap(metafile->records[0]);
    QVERIFY(bitmap);
    QCOMPARE(QSize(bitmap->width, bitmap->height), size);
    QCOMPARE(bitmap->pixels, pixels);
}

QTEST_GUILESS_MAIN(TestMetafileRecords)
#include "tst_metafilerecords.moc"
