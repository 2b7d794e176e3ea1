#include "imaging/DibPlus.h"

#include <QByteArray>
#include <QRect>
#include <QStringList>
#include <QTest>

#include <climits>
#include <cstring>
#include <random>

using kaleno::TDibPlus;

namespace {

constexpr uint8_t kPaddingByte = 0xAB;

QByteArray bytesOf(const TDibPlus &dib)
{
    return QByteArray(reinterpret_cast<const char *>(dib.Bits()), dib.ImageSize());
}

// Marks the padding bytes of every row, so that a test can tell they were never written.
void markPadding(TDibPlus &dib)
{
    for (int y = 0; y < dib.Height(); ++y)
        std::memset(dib.Row(y) + 3 * dib.Width(), kPaddingByte, dib.Stride() - 3 * dib.Width());
}

bool paddingIntact(const TDibPlus &dib)
{
    for (int y = 0; y < dib.Height(); ++y)
        for (int i = 3 * dib.Width(); i < dib.Stride(); ++i)
            if (dib.Row(y)[i] != kPaddingByte)
                return false;
    return true;
}

// '#' for a pixel equal to `value`, '.' for black, '?' for anything else.
QStringList art(const TDibPlus &dib, uint32_t value)
{
    QStringList rows;
    for (int y = 0; y < dib.Height(); ++y) {
        QString row;
        for (int x = 0; x < dib.Width(); ++x) {
            const uint32_t pixel = dib.GetPixel(x, y);
            row += pixel == value ? u'#' : pixel == 0 ? u'.' : u'?';
        }
        rows << row;
    }
    return rows;
}

// Every byte, padding included, random.
void fillRandom(TDibPlus &dib, unsigned seed)
{
    std::minstd_rand random(seed);
    for (int i = 0; i < dib.ImageSize(); ++i)
        dib.Bits()[i] = static_cast<uint8_t>(random() >> 8);
}

// The in-place averages written the obvious way, pixel by pixel, as reference.
void naiveSmooth5(uint8_t *bits, int stride, int x0, int y0, int x1, int y1)
{
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            for (int c = 0; c < 3; ++c) {
                auto at
                    = [&](int px, int py) -> uint8_t & { return bits[py * stride + 3 * px + c]; };
                at(x, y) = static_cast<uint8_t>(
                    (at(x, y) + at(x, y - 1) + at(x - 1, y) + at(x + 1, y) + at(x, y + 1)) / 5);
            }
}

void naiveBlur25(uint8_t *bits, int stride, int x0, int y0, int x1, int y1)
{
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            for (int c = 0; c < 3; ++c) {
                int sum = 0;
                for (int j = -2; j <= 2; ++j)
                    for (int i = -2; i <= 2; ++i)
                        sum += bits[(y + j) * stride + 3 * (x + i) + c];
                bits[y * stride + 3 * x + c] = static_cast<uint8_t>(sum / 25);
            }
}

// A grey level in all three channels.
constexpr uint32_t grey(int level) { return kaleno::PackPixel(level, level, level); }

} // namespace

class TestDibPlus : public QObject {
    Q_OBJECT

private slots:
    void geometry_data();
    void geometry();
    void withoutBitmap_data();
    void withoutBitmap();
    void pixelByteOrder();
    void setPixelBounds_data();
    void setPixelBounds();
    void colourWords();
    void subtractiveRGB_data();
    void subtractiveRGB();
    void quadriColor_data();
    void quadriColor();
    void triColor_data();
    void triColor();
    void clearRows_data();
    void clearRows();
    void vLineAndFill();
    void circle_data();
    void circle();
    void speckledCircle();
    void replaceColor_data();
    void replaceColor();
    void lightRow_data();
    void lightRow();
    void lightRowMatchesScaleAll();
    void scaleAll_data();
    void scaleAll();
    void smooth5InPlace();
    void blur25InPlace();
    void smooth5MatchesReference_data();
    void smooth5MatchesReference();
    void blur25MatchesReference_data();
    void blur25MatchesReference();
};

void TestDibPlus::geometry_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("stride");
    QTest::newRow("1 wide") << 1 << 4;
    QTest::newRow("2 wide") << 2 << 8;
    QTest::newRow("3 wide") << 3 << 12;
    QTest::newRow("4 wide, no padding") << 4 << 12;
    QTest::newRow("5 wide") << 5 << 16;
}

void TestDibPlus::geometry()
{
    QFETCH(int, width);
    QFETCH(int, stride);
    const TDibPlus dib(width, 7);
    QVERIFY(dib.HasBitmap());
    QCOMPARE(dib.Width(), width);
    QCOMPARE(dib.Height(), 7);
    QCOMPARE(dib.Stride(), stride);
    QCOMPARE(dib.ImageSize(), 7 * stride);
    QCOMPARE(dib.Row(3), dib.Bits() + 3 * stride);
    QCOMPARE(bytesOf(dib), QByteArray(7 * stride, '\0')); // starts black
}

void TestDibPlus::withoutBitmap_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("zero width") << 0 << 5;
    QTest::newRow("zero height") << 5 << 0;
    QTest::newRow("negative") << -3 << -3;
    QTest::newRow("row too long for int") << INT_MAX / 3 + 1 << 1;
    QTest::newRow("image too large for int") << 1000 << 1000000;
}

void TestDibPlus::withoutBitmap()
{
    QFETCH(int, width);
    QFETCH(int, height);
    TDibPlus dib(width, height);
    QVERIFY(!dib.HasBitmap());
    QCOMPARE(dib.ImageSize(), 0);
    // Nothing to see and nothing to write; ASan watches that nothing is.
    dib.SetPixel(0, 0, 0xFFFFFF);
    dib.SetPixelClipped(0, 0, 0xFFFFFF);
    QCOMPARE(dib.GetPixel(0, 0), 0u);
    dib.ClearRows(0, 10);
    dib.Circle(0, 0, 0xFFFFFF, 3);
    dib.SpeckledCircle(0, 0, 50, 0xFFFFFF, 3);
    dib.ReplaceColor(0, 0xFFFFFF);
    dib.Smooth5(0, 0, 10, 10);
    dib.Blur25(0, 0, 10, 10);
    dib.LightRow(0, 10, 0, 256, 256, 256);
    dib.ScaleAll(128, 128, 128);
    dib.Fill(0xFFFFFF);
    QVERIFY(!dib.HasBitmap());
}

void TestDibPlus::pixelByteOrder()
{
    TDibPlus dib(2, 1);
    dib.SetPixel(1, 0, 0xFF112233); // the top byte is not part of a pixel
    const QByteArray expected("\x00\x00\x00\x33\x22\x11\x00\x00", 8);
    QCOMPARE(bytesOf(dib), expected);
    QCOMPARE(dib.GetPixel(1, 0), 0x112233u);
    QCOMPARE(dib.GetPixelFast(1, 0), 0x112233u);
}

void TestDibPlus::setPixelBounds_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<bool>("inside");
    for (int width : {4, 5}) {
        const QByteArray padding = width == 4 ? "no padding" : "padding";
        auto row = [&](const char *name) -> QTestData & {
            return QTest::newRow((QByteArray(name) + ", " + padding).constData());
        };
        row("left of the row") << width << -1 << 0 << false;
        row("right of the row") << width << width << 0 << false;
        row("above") << width << 0 << -1 << false;
        row("below") << width << 0 << 3 << false;
        row("last pixel") << width << width - 1 << 2 << true;
        row("first pixel") << width << 0 << 0 << true;
    }
}

void TestDibPlus::setPixelBounds()
{
    QFETCH(int, width);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(bool, inside);
    TDibPlus dib(width, 3);
    fillRandom(dib, 1);
    QByteArray expected = bytesOf(dib);
    if (inside) {
        const int at = y * dib.Stride() + 3 * x;
        expected[at] = '\x56';
        expected[at + 1] = '\x34';
        expected[at + 2] = '\x12';
    }
    dib.SetPixel(x, y, 0x123456);
    QCOMPARE(bytesOf(dib), expected);
    QCOMPARE(dib.GetPixel(x, y), inside ? 0x123456u : 0u);

    fillRandom(dib, 1);
    dib.SetPixelClipped(x, y, 0x123456);
    QCOMPARE(bytesOf(dib), expected);
}

void TestDibPlus::colourWords()
{
    QCOMPARE(kaleno::PackPixel(0x33, 0x22, 0x11), 0x112233u);
    QCOMPARE(kaleno::PackPixel(0x133, -1, 0x200), 0x00FF33u); // each taken as a byte
    QCOMPARE(kaleno::Byte0(0xAABBCCDD), uint8_t(0xDD));
    QCOMPARE(kaleno::Byte1(0xAABBCCDD), uint8_t(0xCC));
    QCOMPARE(kaleno::Byte2(0xAABBCCDD), uint8_t(0xBB));
    QCOMPARE(kaleno::SwapRB(0x0000FFFF), 0x00FFFF00u); // yellow TColor -> pixel value
    QCOMPARE(kaleno::SwapRB(0x00FFFF00), 0x0000FFFFu);
    QCOMPARE(kaleno::SwapRB(0xAA123456), 0x00563412u);
}

void TestDibPlus::subtractiveRGB_data()
{
    QTest::addColumn<double>("c");
    QTest::addColumn<double>("m");
    QTest::addColumn<double>("y");
    QTest::addColumn<uint>("colour"); // TColor
    QTest::newRow("no ink is white") << 0.0 << 0.0 << 0.0 << 0x00FFFFFFu;
    QTest::newRow("all inks are black") << 1.0 << 1.0 << 1.0 << 0u;
    QTest::newRow("yellow ink alone") << 0.0 << 0.0 << 1.0 << 0x0000FFFFu;
    // 127.5 goes to the even 128, 32.5 to the even 32 (not 33), 23.5 to 24.
    QTest::newRow("ties to even") << 0.5 << 1.0 - 32.5 / 255.0 << 1.0 - 23.5 / 255.0 << 0x00182080u;
    QTest::newRow("a fifth of cyan") << 0.2 << 0.0 << 0.0 << 0x00FFFFCCu; // 204
    QTest::newRow("outside 0..1 clamped") << -0.5 << 2.0 << 0.0 << 0x00FF00FFu;
}

void TestDibPlus::subtractiveRGB()
{
    QFETCH(double, c);
    QFETCH(double, m);
    QFETCH(double, y);
    QFETCH(uint, colour);
    QCOMPARE(kaleno::SubtractiveRGB(c, m, y), colour);
}

void TestDibPlus::quadriColor_data()
{
    QTest::addColumn<uint>("colour"); // TColor
    QTest::addColumn<int>("fY");
    QTest::addColumn<int>("fM");
    QTest::addColumn<int>("fC");
    QTest::addColumn<int>("fK");
    QTest::addColumn<uint>("printed");
    // R 200 G 100 B 50: C 55, M 155, Y 205, so K 55 and C 0, M 100, Y 150 remain.
    const uint brown = kaleno::PackPixel(200, 100, 50);
    QTest::newRow("all inks") << brown << 1 << 1 << 1 << 1 << brown;
    QTest::newRow("no black") << brown << 1 << 1 << 1 << 0 << kaleno::PackPixel(255, 155, 105);
    QTest::newRow("no magenta") << brown << 1 << 0 << 1 << 1 << kaleno::PackPixel(200, 200, 50);
    QTest::newRow("no yellow") << brown << 0 << 1 << 1 << 1 << kaleno::PackPixel(200, 100, 200);
    QTest::newRow("black alone") << brown << 0 << 0 << 0 << 1 << kaleno::PackPixel(200, 200, 200);
    QTest::newRow("no ink") << brown << 0 << 0 << 0 << 0 << 0x00FFFFFFu;
    QTest::newRow("black in black") << 0u << 1 << 1 << 1 << 1 << 0u;
    QTest::newRow("black without black ink") << 0u << 1 << 1 << 1 << 0 << 0x00FFFFFFu;
    QTest::newRow("factor 5 taken as 1") << brown << 5 << 1 << 1 << 1 << brown;
}

void TestDibPlus::quadriColor()
{
    QFETCH(uint, colour);
    QFETCH(int, fY);
    QFETCH(int, fM);
    QFETCH(int, fC);
    QFETCH(int, fK);
    QFETCH(uint, printed);
    QCOMPARE(kaleno::QuadriColor(colour, fY, fM, fC, fK), printed);
}

void TestDibPlus::triColor_data()
{
    QTest::addColumn<uint>("colour");
    QTest::addColumn<int>("fY");
    QTest::addColumn<int>("fM");
    QTest::addColumn<int>("fC");
    QTest::addColumn<uint>("printed");
    const uint brown = kaleno::PackPixel(200, 100, 50);
    QTest::newRow("all inks") << brown << 1 << 1 << 1 << brown;
    QTest::newRow("no cyan") << brown << 1 << 1 << 0 << kaleno::PackPixel(255, 100, 50);
    QTest::newRow("no magenta") << brown << 1 << 0 << 1 << kaleno::PackPixel(200, 255, 50);
    QTest::newRow("no yellow") << brown << 0 << 1 << 1 << kaleno::PackPixel(200, 100, 255);
    QTest::newRow("yellow plate of black") << 0u << 1 << 0 << 0 << 0x0000FFFFu;
}

void TestDibPlus::triColor()
{
    QFETCH(uint, colour);
    QFETCH(int, fY);
    QFETCH(int, fM);
    QFETCH(int, fC);
    QFETCH(uint, printed);
    QCOMPARE(kaleno::TriColor(colour, fY, fM, fC), printed);
}

void TestDibPlus::clearRows_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("end");
    QTest::addColumn<QString>("cleared"); // one letter per row of six: x cleared
    QTest::newRow("first raised to 0") << -5 << 3 << "xxx...";
    QTest::newRow("empty range") << 4 << 4 << "......";
    QTest::newRow("reversed range") << 4 << 2 << "......";
    QTest::newRow("end lowered to height") << 2 << 100 << "..xxxx";
    QTest::newRow("whole buffer") << 0 << 6 << "xxxxxx";
    QTest::newRow("below the buffer") << 6 << 9 << "......";
    QTest::newRow("above the buffer") << -3 << -1 << "......";
    QTest::newRow("extreme arguments") << INT_MIN << INT_MAX << "xxxxxx";
}

void TestDibPlus::clearRows()
{
    QFETCH(int, first);
    QFETCH(int, end);
    QFETCH(QString, cleared);
    TDibPlus dib(5, 6);
    std::memset(dib.Bits(), 0xFF, dib.ImageSize());
    dib.ClearRows(first, end);
    for (int y = 0; y < dib.Height(); ++y) {
        // Padding is cleared with the row.
        const QByteArray row(reinterpret_cast<const char *>(dib.Row(y)), dib.Stride());
        const char fill = cleared[y] == u'x' ? '\0' : '\xFF';
        QCOMPARE(row, QByteArray(dib.Stride(), fill));
    }
}

void TestDibPlus::vLineAndFill()
{
    TDibPlus dib(5, 5);
    markPadding(dib);
    dib.VLine(3, 1, 3, 0x102030);
    dib.VLine(0, 4, 4, 0x102030);
    QCOMPARE(art(dib, 0x102030), QStringList({".....", "...#.", "...#.", "...#.", "#...."}));
    dib.Fill(0x405060);
    QCOMPARE(art(dib, 0x405060), QStringList(5, "#####"));
    QVERIFY(paddingIntact(dib));
}

void TestDibPlus::circle_data()
{
    QTest::addColumn<int>("cx");
    QTest::addColumn<int>("cy");
    QTest::addColumn<int>("radius");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("radius 0: the centre")
        << 2 << 2 << 0 << QStringList {".....", ".....", "..#..", ".....", "....."};
    QTest::newRow("radius 1") << 2 << 2 << 1
                              << QStringList {".....", "..#..", ".#.#.", "..#..", "....."};
    QTest::newRow("radius 2") << 3 << 3 << 2
                              << QStringList {".......", "..###..", ".#...#.", ".#...#.", ".#...#.",
                                     "..###..", "......."};
    QTest::newRow("radius 3") << 4 << 4 << 3
                              << QStringList {".........", "...###...", "..#...#..", ".#.....#.",
                                     ".#.....#.", ".#.....#.", "..#...#..", "...###...",
                                     "........."};
    QTest::newRow("clipped at the top left") << 0 << 0 << 2
                                             << QStringList {"..#....", "..#....", "##.....",
                                                    ".......", ".......", ".......", "......."};
    QTest::newRow("clipped at the bottom right") << 6 << 6 << 2
                                                 << QStringList {".......", ".......", ".......",
                                                        ".......", ".....##", "....#..", "....#.."};
    QTest::newRow("negative radius") << 3 << 3 << -1 << QStringList(7, ".......");
    QTest::newRow("far outside") << -50 << 3 << 10 << QStringList(7, ".......");
    QTest::newRow("buffer inside a huge circle") << 3 << 3 << INT_MAX << QStringList(7, ".......");
}

void TestDibPlus::circle()
{
    QFETCH(int, cx);
    QFETCH(int, cy);
    QFETCH(int, radius);
    QFETCH(QStringList, expected);
    const int size = expected.size();
    TDibPlus dib(size, size);
    markPadding(dib);
    dib.Circle(cx, cy, 0x00FF80, radius);
    QCOMPARE(art(dib, 0x00FF80), expected);
    QVERIFY(paddingIntact(dib));
}

void TestDibPlus::speckledCircle()
{
    TDibPlus full(64, 64);
    full.Circle(32, 32, 0xFFFFFF, 30);
    TDibPlus dib(64, 64);

    dib.SpeckledCircle(32, 32, 0, 0xFFFFFF, 30);
    QCOMPARE(bytesOf(dib), bytesOf(TDibPlus(64, 64)));
    dib.SpeckledCircle(32, 32, 100, 0xFFFFFF, 30);
    QCOMPARE(bytesOf(dib), bytesOf(full));

    // Half the density keeps some points and drops others, and never strays off the circle.
    dib.ClearRows(0, 64);
    dib.SpeckledCircle(32, 32, 50, 0xFFFFFF, 30);
    int kept = 0;
    int onCircle = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            onCircle += full.GetPixel(x, y) != 0;
            if (dib.GetPixel(x, y) != 0) {
                QCOMPARE(full.GetPixel(x, y), 0xFFFFFFu);
                ++kept;
            }
        }
    QVERIFY2(kept > onCircle / 5 && kept < onCircle, qPrintable(QString::number(kept)));
}

void TestDibPlus::replaceColor_data()
{
    // One letter per pixel: o the old colour, b, g, r the old colour with that channel off by
    // one, x another colour. Rows of 37 and 48 pixels go through whole blocks of sixteen and
    // a tail; pixels 5 and 10 straddle two 16-byte vectors.
    QTest::addColumn<QString>("pixels");
    QTest::newRow("a few pixels") << "oxbogr";
    QTest::newRow("everything matches") << QString(48, u'o');
    QTest::newRow("near misses only") << "bgrbgrbgrbgrbgrbgrbgrbgrbgrbgrbgrbgrb";
    QTest::newRow("mixed") << "obgrxoxbgroxxxbooogorrbbxoxoooooooxob";
    QTest::newRow("straddling pixels") << "xxxxxoxxxxoxxxxxxxxxxoxxxxoxxxxxxxxxxxxxxxxxxxxo";
}

void TestDibPlus::replaceColor()
{
    QFETCH(QString, pixels);
    constexpr uint32_t oldColour = 0x336699;
    constexpr uint32_t newColour = 0xC0FFEE;
    auto colourOf = [](QChar letter) -> uint32_t {
        switch (letter.unicode()) {
        case u'o':
            return oldColour;
        case u'b':
            return oldColour ^ 0x000001;
        case u'g':
            return oldColour ^ 0x000100;
        case u'r':
            return oldColour ^ 0x010000;
        default:
            return 0x112233;
        }
    };
    const int width = static_cast<int>(pixels.size());
    TDibPlus dib(width, 2);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < width; ++x)
            dib.SetPixel(x, y, colourOf(pixels[x]));
        // Padding that looks like the old colour stays as it is.
        for (int i = 3 * width; i < dib.Stride(); ++i)
            dib.Row(y)[i] = kaleno::Byte0(oldColour);
    }
    TDibPlus expected = dib;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < width; ++x)
            if (pixels[x] == u'o')
                expected.SetPixel(x, y, newColour);

    dib.ReplaceColor(0xFF000000 | oldColour, 0xAA000000 | newColour); // top bytes ignored
    QCOMPARE(bytesOf(dib), bytesOf(expected));
}

void TestDibPlus::lightRow_data()
{
    // A 6 x 3 picture of R 201, G 100, B 50; row 1 is lit unless stated. One letter per
    // pixel of the lit row: . black, L lit (the value given).
    QTest::addColumn<int>("x0");
    QTest::addColumn<int>("x1");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("kR");
    QTest::addColumn<int>("kG");
    QTest::addColumn<int>("kB");
    QTest::addColumn<QString>("row");
    QTest::addColumn<uint>("lit");
    QTest::newRow("full light keeps the row")
        << 0 << 5 << 1 << 256 << 256 << 256 << "LLLLLL" << 0xC96432u;
    // 201 * 128 / 256 = 100.5 -> 100; 100 * 64 / 256 = 25; 50 * 256 / 256 = 50.
    QTest::newRow("partial span") << 2 << 3 << 1 << 128 << 64 << 256 << "..LL.." << 0x641932u;
    QTest::newRow("ends clamped") << -4 << 99 << 1 << 0 << 256 << 128 << "LLLLLL" << 0x006419u;
    QTest::newRow("last pixel alone") << 5 << 5 << 1 << 256 << 256 << 256 << ".....L" << 0xC96432u;
    QTest::newRow("x1 < 0 darkens the row") << 0 << -1 << 1 << 256 << 256 << 256 << "......" << 0u;
    QTest::newRow("x0 >= width darkens the row")
        << 6 << 9 << 1 << 256 << 256 << 256 << "......" << 0u;
    QTest::newRow("x1 < x0 lights x0 alone")
        << 3 << 1 << 1 << 256 << 256 << 256 << "...L.." << 0xC96432u;
    // 201 * 255 / 256 = 200.2 -> 200; 99.6 -> 99; 49.8 -> 49.
    QTest::newRow("almost full") << 0 << 5 << 1 << 255 << 255 << 255 << "LLLLLL" << 0xC86331u;
    QTest::newRow("factors clamped") << 0 << 5 << 1 << 300 << -1 << 256 << "LLLLLL" << 0xC90032u;
    QTest::newRow("first row") << 1 << 4 << 0 << 256 << 256 << 256 << ".LLLL." << 0xC96432u;
    QTest::newRow("row above the buffer") << 0 << 5 << -1 << 0 << 0 << 0 << QString() << 0u;
    QTest::newRow("row below the buffer") << 0 << 5 << 3 << 0 << 0 << 0 << QString() << 0u;
}

void TestDibPlus::lightRow()
{
    QFETCH(int, x0);
    QFETCH(int, x1);
    QFETCH(int, y);
    QFETCH(int, kR);
    QFETCH(int, kG);
    QFETCH(int, kB);
    QFETCH(QString, row);
    QFETCH(uint, lit);
    TDibPlus dib(6, 3);
    dib.Fill(0xC96432);
    markPadding(dib);
    TDibPlus expected = dib;
    for (int x = 0; x < row.size(); ++x)
        expected.SetPixel(x, y, row[x] == u'L' ? lit : 0);

    dib.LightRow(x0, x1, y, kR, kG, kB);
    QCOMPARE(bytesOf(dib), bytesOf(expected));
}

void TestDibPlus::lightRowMatchesScaleAll()
{
    // A row long enough for the block loop and its tail: lighting every row whole is the
    // same as scaling the buffer.
    TDibPlus lit(53, 4);
    fillRandom(lit, 3);
    TDibPlus scaled = lit;
    for (int y = 0; y < lit.Height(); ++y)
        lit.LightRow(0, lit.Width() - 1, y, 77, 200, 131);
    scaled.ScaleAll(77, 200, 131);
    QCOMPARE(bytesOf(lit), bytesOf(scaled));
}

void TestDibPlus::scaleAll_data()
{
    QTest::addColumn<int>("kR");
    QTest::addColumn<int>("kG");
    QTest::addColumn<int>("kB");
    QTest::addColumn<uint>("scaled");
    QTest::newRow("256 keeps") << 256 << 256 << 256 << 0xC96432u;
    QTest::newRow("halves and quarters") << 128 << 64 << 256 << 0x641932u;
    QTest::newRow("255 rounds down") << 255 << 255 << 255 << 0xC86331u;
    QTest::newRow("zero") << 0 << 0 << 0 << 0u;
    QTest::newRow("clamped to 0..256") << 1000 << -5 << 256 << 0xC90032u;
}

void TestDibPlus::scaleAll()
{
    QFETCH(int, kR);
    QFETCH(int, kG);
    QFETCH(int, kB);
    QFETCH(uint, scaled);
    // 37 pixels a row: two blocks of sixteen and a tail, each channel in every byte lane.
    TDibPlus dib(37, 3);
    dib.Fill(0xC96432);
    markPadding(dib);
    TDibPlus expected(37, 3);
    expected.Fill(scaled);
    markPadding(expected);
    dib.ScaleAll(kR, kG, kB);
    QCOMPARE(bytesOf(dib), bytesOf(expected));
}

void TestDibPlus::smooth5InPlace()
{
    // Worked by hand. (1,1): (50 + 10 + 5 + 100 + 30) / 5 = 39. (2,1) reads the new 39 on its
    // left: (100 + 20 + 39 + 7 + 40) / 5 = 41 (the old 50 would give 43).
    const int levels[3][4] = {{0, 10, 20, 0}, {5, 50, 100, 7}, {0, 30, 40, 0}};
    TDibPlus dib(4, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            dib.SetPixel(x, y, grey(levels[y][x]));
    dib.Smooth5(1, 1, 2, 1);
    QCOMPARE(dib.GetPixel(1, 1), grey(39));
    QCOMPARE(dib.GetPixel(2, 1), grey(41));
    QCOMPARE(dib.GetPixel(3, 1), grey(7));
}

void TestDibPlus::blur25InPlace()
{
    // All 10 but (2,2) = 60. (2,2): (24 * 10 + 60) / 25 = 12. (3,2) reads the new 12:
    // (23 * 10 + 12 + 10) / 25 = 10 (the old 60 would give 12).
    TDibPlus dib(6, 5);
    dib.Fill(grey(10));
    dib.SetPixel(2, 2, grey(60));
    dib.Blur25(2, 2, 3, 2);
    QCOMPARE(dib.GetPixel(2, 2), grey(12));
    QCOMPARE(dib.GetPixel(3, 2), grey(10));
}

namespace {

void averageRows(int margin)
{
    // Columns: the rectangle asked for, and the one that may change (the rectangle clamped
    // by the margin the kernel reads), worked out by hand.
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QRect>("asked");
    QTest::addColumn<QRect>("changed");
    const QRect none;
    auto rect
        = [](int x0, int y0, int x1, int y1) { return QRect(QPoint(x0, y0), QPoint(x1, y1)); };
    const bool one = margin == 1;
    QTest::newRow("whole inside") << 23 << 17 << (one ? rect(1, 1, 21, 15) : rect(2, 2, 20, 14))
                                  << (one ? rect(1, 1, 21, 15) : rect(2, 2, 20, 14));
    QTest::newRow("part") << 23 << 17 << rect(5, 3, 12, 9) << rect(5, 3, 12, 9);
    QTest::newRow("one pixel") << 23 << 17 << rect(7, 7, 7, 7) << rect(7, 7, 7, 7);
    QTest::newRow("out of range") << 23 << 17 << rect(-5, -5, 100, 100)
                                  << (one ? rect(1, 1, 21, 15) : rect(2, 2, 20, 14));
    QTest::newRow("extreme") << 20 << 12 << rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX)
                             << (one ? rect(1, 1, 18, 10) : rect(2, 2, 17, 9));
    QTest::newRow("on the border") << 23 << 17 << rect(0, 0, 22, 0) << none;
    QTest::newRow("reversed") << 23 << 17 << rect(9, 9, 3, 3) << none;
    QTest::newRow("smallest buffer with an inside")
        << 2 * margin + 1 << 2 * margin + 1 << rect(0, 0, 9, 9)
        << rect(margin, margin, margin, margin);
    QTest::newRow("buffer without inside") << 2 * margin << 9 << rect(0, 0, 9, 9) << none;
}

void checkAverage(void (TDibPlus::*average)(int, int, int, int),
    void (*reference)(uint8_t *, int, int, int, int, int))
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QRect, asked);
    QFETCH(QRect, changed);
    TDibPlus dib(width, height);
    fillRandom(dib, static_cast<unsigned>(width * 1000 + height));
    QByteArray expected = bytesOf(dib);
    if (!changed.isNull())
        reference(reinterpret_cast<uint8_t *>(expected.data()), dib.Stride(), changed.left(),
            changed.top(), changed.right(), changed.bottom());
    // Corners as given (a reversed rectangle stays reversed, extremes do not overflow).
    (dib.*average)(asked.left(), asked.top(), asked.right(), asked.bottom());
    QCOMPARE(bytesOf(dib), expected);
}

} // namespace

void TestDibPlus::smooth5MatchesReference_data() { averageRows(1); }

void TestDibPlus::smooth5MatchesReference() { checkAverage(&TDibPlus::Smooth5, naiveSmooth5); }

void TestDibPlus::blur25MatchesReference_data() { averageRows(2); }

void TestDibPlus::blur25MatchesReference() { checkAverage(&TDibPlus::Blur25, naiveBlur25); }

QTEST_GUILESS_MAIN(TestDibPlus)
#include "tst_dibplus.moc"
