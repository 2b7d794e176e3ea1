#include "modules/graphics/rgb/RGBSplit.h"

#include "imaging/DibPlus.h"

#include <QTest>

#include <vector>

using namespace kaleno;
using namespace kaleno::rgbsplit;

class TstRGBSplit : public QObject {
    Q_OBJECT

private slots:
    void pixelParts_data();
    void pixelParts();
    void rowKernelKeepsOneByte_data();
    void rowKernelKeepsOneByte();
    void buffersTakeTheSourceSize();
};

void TstRGBSplit::pixelParts_data()
{
    QTest::addColumn<uint32_t>("pixel");
    QTest::addColumn<uint32_t>("red");
    QTest::addColumn<uint32_t>("green");
    QTest::addColumn<uint32_t>("blue");
    QTest::newRow("white") << 0xFFFFFFu << 0xFF0000u << 0x00FF00u << 0x0000FFu;
    QTest::newRow("black") << 0x000000u << 0u << 0u << 0u;
    QTest::newRow("orange") << 0xFF8000u << 0xFF0000u << 0x008000u << 0u;
    QTest::newRow("mixed") << 0x123456u << 0x120000u << 0x003400u << 0x000056u;
}

void TstRGBSplit::pixelParts()
{
    QFETCH(uint32_t, pixel);
    QFETCH(uint32_t, red);
    QFETCH(uint32_t, green);
    QFETCH(uint32_t, blue);
    QCOMPARE(RedPart(pixel), red);
    QCOMPARE(GreenPart(pixel), green);
    QCOMPARE(BluePart(pixel), blue);
    QCOMPARE(red | green | blue, pixel);
}

void TstRGBSplit::rowKernelKeepsOneByte_data()
{
    QTest::addColumn<int>("count");
    // Under one block, one block exactly, a block and a tail, several blocks and a tail.
    QTest::newRow("empty") << 0;
    QTest::newRow("one pixel") << 1;
    QTest::newRow("15") << 15;
    QTest::newRow("16") << 16;
    QTest::newRow("17") << 17;
    QTest::newRow("50") << 50;
}

void TstRGBSplit::rowKernelKeepsOneByte()
{
    QFETCH(int, count);
    const std::size_t bytes = 3 * std::size_t(count);
    std::vector<uint8_t> source(bytes);
    for (std::size_t i = 0; i < bytes; ++i)
        source[i] = uint8_t(7 * i + 1); // never 0, so a kept byte is told from a cleared one
    // One guard byte after each row: the kernel must not write past `count` pixels.
    std::vector<uint8_t> red(bytes + 1, 0xAA), green(bytes + 1, 0xAA), blue(bytes + 1, 0xAA);
    SplitRow(source.data(), red.data(), green.data(), blue.data(), std::size_t(count));
    for (std::size_t i = 0; i < bytes; ++i) {
        // Memory order is blue, green, red.
        QCOMPARE(blue[i], i % 3 == 0 ? source[i] : uint8_t(0));
        QCOMPARE(green[i], i % 3 == 1 ? source[i] : uint8_t(0));
        QCOMPARE(red[i], i % 3 == 2 ? source[i] : uint8_t(0));
    }
    QCOMPARE(red[bytes], uint8_t(0xAA));
    QCOMPARE(green[bytes], uint8_t(0xAA));
    QCOMPARE(blue[bytes], uint8_t(0xAA));
}

void TstRGBSplit::buffersTakeTheSourceSize()
{
    // 5 pixels a row: 15 bytes of pixels and one of padding.
    TDibPlus source(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            source.SetPixel(x, y, PackPixel(10 * x + 1, 20 * y + 2, 30 + x + y));
    TDibPlus red(1, 1), green(0, 0), blue(9, 9);
    SplitChannels(source, red, green, blue);
    for (const TDibPlus *part : {&red, &green, &blue}) {
        QCOMPARE(part->Width(), 5);
        QCOMPARE(part->Height(), 3);
    }
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const uint32_t p = source.GetPixel(x, y);
            QCOMPARE(red.GetPixel(x, y), p & 0xFF0000u);
            QCOMPARE(green.GetPixel(x, y), p & 0x00FF00u);
            QCOMPARE(blue.GetPixel(x, y), p & 0x0000FFu);
        }
}

QTEST_GUILESS_MAIN(TstRGBSplit)
#include "tst_rgbsplit.moc"
