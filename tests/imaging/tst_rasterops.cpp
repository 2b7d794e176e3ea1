#include "imaging/DibPlus.h"
#include "imaging/RasterOps.h"

#include <QByteArray>
#include <QRect>
#include <QTest>

#include <climits>
#include <cstring>

using kaleno::RasterOp;
using kaleno::TDibPlus;

Q_DECLARE_METATYPE(kaleno::RasterOp)

namespace {

constexpr uint8_t kPaddingByte = 0xAB;

QByteArray bytesOf(const TDibPlus &dib)
{
    return QByteArray(reinterpret_cast<const char *>(dib.Bits()), dib.ImageSize());
}

void markPadding(TDibPlus &dib)
{
    for (int y = 0; y < dib.Height(); ++y)
        std::memset(dib.Row(y) + 3 * dib.Width(), kPaddingByte, dib.Stride() - 3 * dib.Width());
}

// A source whose every pixel tells where it comes from.
TDibPlus numbered(int width, int height)
{
    TDibPlus dib(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            dib.SetPixel(x, y, kaleno::PackPixel(x, y, 0x80));
    return dib;
}

} // namespace

class TestRasterOps : public QObject {
    Q_OBJECT

private slots:
    void combine_data();
    void combine();
    void rowKernelsStayInBounds_data();
    void rowKernelsStayInBounds();
    void clipping_data();
    void clipping();
    void withoutBitmap();
    void wholeSource();
    void moveDownWithinOneBuffer();
};

void TestRasterOps::combine_data()
{
    QTest::addColumn<RasterOp>("op");
    QTest::addColumn<uint>("dst");
    QTest::addColumn<uint>("src");
    QTest::addColumn<uint>("result");
    QTest::newRow("copy") << RasterOp::Copy << 0x00FF00u << 0xFF0000u << 0xFF0000u;
    QTest::newRow("red or green is yellow") << RasterOp::Or << 0x00FF00u << 0xFF0000u << 0xFFFF00u;
    QTest::newRow("or with black keeps") << RasterOp::Or << 0x123456u << 0u << 0x123456u;
    QTest::newRow("or of bytes") << RasterOp::Or << 0x123456u << 0x0F0F0Fu << 0x1F3F5Fu;
    QTest::newRow("yellow and cyan is green")
        << RasterOp::And << 0xFFFF00u << 0x00FFFFu << 0x00FF00u;
    QTest::newRow("and with white keeps") << RasterOp::And << 0x123456u << 0xFFFFFFu << 0x123456u;
    QTest::newRow("and of bytes") << RasterOp::And << 0x123456u << 0x0F0F0Fu << 0x020406u;
}

void TestRasterOps::combine()
{
    QFETCH(RasterOp, op);
    QFETCH(uint, dst);
    QFETCH(uint, src);
    QFETCH(uint, result);
    // 37 pixels: rows long enough for the vector loops and their tails.
    TDibPlus target(37, 3);
    target.Fill(dst);
    markPadding(target);
    TDibPlus source(37, 3);
    source.Fill(src);
    TDibPlus expected(37, 3);
    expected.Fill(result);
    markPadding(expected);
    kaleno::BitBlt(target, 0, 0, 37, 3, source, 0, 0, op);
    QCOMPARE(bytesOf(target), bytesOf(expected));
}

void TestRasterOps::rowKernelsStayInBounds_data()
{
    QTest::addColumn<int>("bytes");
    for (int bytes : {0, 1, 15, 16, 17, 47, 100})
        QTest::addRow("%d bytes", bytes) << bytes;
}

void TestRasterOps::rowKernelsStayInBounds()
{
    QFETCH(int, bytes);
    const QByteArray dst(bytes + 8, '\x5A'); // 0101 1010
    const QByteArray src(bytes + 8, '\x3C'); // 0011 1100
    auto run = [&](void (*kernel)(uint8_t *, const uint8_t *, std::size_t)) {
        QByteArray out = dst;
        kernel(reinterpret_cast<uint8_t *>(out.data()),
            reinterpret_cast<const uint8_t *>(src.constData()), static_cast<std::size_t>(bytes));
        return out;
    };
    const QByteArray guard(8, '\x5A');
    QCOMPARE(run(kaleno::CopyBytes), QByteArray(bytes, '\x3C') + guard);
    QCOMPARE(run(kaleno::OrBytes), QByteArray(bytes, '\x7E') + guard);
    QCOMPARE(run(kaleno::AndBytes), QByteArray(bytes, '\x18') + guard);
}

void TestRasterOps::clipping_data()
{
    // A 6 x 5 source onto a 10 x 8 target. Columns: the call, then the block that lands,
    // worked out by hand (target rectangle and source corner).
    QTest::addColumn<QRect>("call"); // dx, dy, w, h
    QTest::addColumn<QPoint>("from"); // sx, sy
    QTest::addColumn<QRect>("landed");
    QTest::addColumn<QPoint>("landedFrom");
    const QRect none;
    QTest::newRow("inside") << QRect(2, 1, 6, 5) << QPoint(0, 0) << QRect(2, 1, 6, 5)
                            << QPoint(0, 0);
    QTest::newRow("part of the source")
        << QRect(0, 0, 2, 3) << QPoint(3, 1) << QRect(0, 0, 2, 3) << QPoint(3, 1);
    QTest::newRow("off the target's left")
        << QRect(-2, 1, 6, 5) << QPoint(0, 0) << QRect(0, 1, 4, 5) << QPoint(2, 0);
    QTest::newRow("off the target's top")
        << QRect(2, -3, 6, 5) << QPoint(0, 0) << QRect(2, 0, 6, 2) << QPoint(0, 3);
    QTest::newRow("off the target's right")
        << QRect(7, 1, 6, 5) << QPoint(0, 0) << QRect(7, 1, 3, 5) << QPoint(0, 0);
    QTest::newRow("off the target's bottom")
        << QRect(2, 6, 6, 5) << QPoint(0, 0) << QRect(2, 6, 6, 2) << QPoint(0, 0);
    QTest::newRow("off the source's left")
        << QRect(2, 1, 6, 5) << QPoint(-3, 0) << QRect(5, 1, 3, 5) << QPoint(0, 0);
    QTest::newRow("off the source's top")
        << QRect(2, 1, 6, 5) << QPoint(0, -2) << QRect(2, 3, 6, 3) << QPoint(0, 0);
    QTest::newRow("off the source's right and bottom")
        << QRect(0, 0, 100, 100) << QPoint(4, 3) << QRect(0, 0, 2, 2) << QPoint(4, 3);
    QTest::newRow("off both lefts")
        << QRect(-1, 0, 6, 5) << QPoint(-2, 0) << QRect(1, 0, 4, 5) << QPoint(0, 0);
    QTest::newRow("source beyond its buffer")
        << QRect(0, 0, 3, 3) << QPoint(6, 0) << none << QPoint();
    QTest::newRow("target beyond its buffer")
        << QRect(10, 0, 3, 3) << QPoint(0, 0) << none << QPoint();
    QTest::newRow("far left") << QRect(-10, 0, 6, 5) << QPoint(0, 0) << none << QPoint();
    QTest::newRow("zero width") << QRect(0, 0, 0, 5) << QPoint(0, 0) << none << QPoint();
    QTest::newRow("negative height") << QRect(0, 0, 6, -5) << QPoint(0, 0) << none << QPoint();
}

void TestRasterOps::clipping()
{
    QFETCH(QRect, call);
    QFETCH(QPoint, from);
    QFETCH(QRect, landed);
    QFETCH(QPoint, landedFrom);
    const TDibPlus source = numbered(6, 5);
    TDibPlus target(10, 8); // 30 bytes a row, 2 of padding
    target.Fill(0x0F0F0F);
    markPadding(target);
    TDibPlus expected = target;
    for (int y = 0; y < landed.height(); ++y)
        for (int x = 0; x < landed.width(); ++x)
            expected.SetPixel(landed.x() + x, landed.y() + y,
                source.GetPixel(landedFrom.x() + x, landedFrom.y() + y));

    kaleno::BitBlt(target, call.x(), call.y(), call.width(), call.height(), source, from.x(),
        from.y(), RasterOp::Copy);
    QCOMPARE(bytesOf(target), bytesOf(expected));
}

void TestRasterOps::withoutBitmap()
{
    const TDibPlus source = numbered(6, 5);
    TDibPlus target(10, 8);
    TDibPlus empty(0, 0);
    kaleno::BitBlt(target, 0, 0, 6, 5, empty, 0, 0, RasterOp::Or);
    kaleno::BitBlt(empty, 0, 0, 6, 5, source, 0, 0, RasterOp::Copy);
    QCOMPARE(bytesOf(target), bytesOf(TDibPlus(10, 8)));
    // Extreme arguments clip to nothing without overflowing.
    kaleno::BitBlt(
        target, INT_MAX, INT_MIN, INT_MAX, INT_MAX, source, INT_MIN, INT_MAX, RasterOp::And);
    kaleno::BitBlt(
        target, INT_MIN, INT_MIN, INT_MAX, INT_MAX, source, INT_MIN, INT_MIN, RasterOp::Copy);
    QCOMPARE(bytesOf(target), bytesOf(TDibPlus(10, 8)));
}

void TestRasterOps::wholeSource()
{
    const TDibPlus source = numbered(6, 5);
    TDibPlus target(10, 8);
    TDibPlus expected(10, 8);
    kaleno::BitBlt(expected, 7, -1, 6, 5, source, 0, 0, RasterOp::Or);
    kaleno::BitBlt(target, 7, -1, source, RasterOp::Or);
    QCOMPARE(bytesOf(target), bytesOf(expected));
    QCOMPARE(target.GetPixel(7, 0), source.GetPixel(0, 1));
}

void TestRasterOps::moveDownWithinOneBuffer()
{
    // Rows 0..3 copied one row down in place: each row must be read before it is overwritten.
    TDibPlus dib = numbered(6, 5);
    const TDibPlus before = dib;
    kaleno::BitBlt(dib, 0, 1, 6, 4, dib, 0, 0, RasterOp::Copy);
    for (int y = 1; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            QCOMPARE(dib.GetPixel(x, y), before.GetPixel(x, y - 1));
    QCOMPARE(dib.GetPixel(3, 0), before.GetPixel(3, 0));
}

QTEST_GUILESS_MAIN(TestRasterOps)
#include "tst_rasterops.moc"
