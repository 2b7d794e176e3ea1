#include "modules/graphics/conversions/ColourConversions.h"

#include <QTest>

#include <algorithm>
#include <cmath>

using namespace kaleno;

class TstColourConversions : public QObject {
    Q_OBJECT

private slots:
    void fromRgb_data();
    void fromRgb();
    void undefinedHueKeepsItsValue();
    void cmykToRgbClampsBelowZero();
    void hsvToRgb_data();
    void hsvToRgb();
    void hsvToPixel_data();
    void hsvToPixel();
    void roundTripsOverDenseSample();
    void windowColourAndHex_data();
    void windowColourAndHex();
    void texts_data();
    void texts();
    void hueAndMaximumTexts();
};

void TstColourConversions::fromRgb_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("g");
    QTest::addColumn<double>("b");
    QTest::addColumn<QList<double>>("cmy");
    QTest::addColumn<QList<double>>("cmyk");
    QTest::addColumn<bool>("undefined");
    QTest::addColumn<QList<double>>("hsv"); // h checked only when defined

    QTest::newRow("orange") << 1.0 << 0.5 << 0.0 << QList<double> {0, 0.5, 1}
                            << QList<double> {0, 0.5, 1, 0} << false << QList<double> {30, 1, 1};
    QTest::newRow("mid grey") << 0.5 << 0.5 << 0.5 << QList<double> {0.5, 0.5, 0.5}
                              << QList<double> {0, 0, 0, 0.5} << true << QList<double> {0, 0, 0.5};
    QTest::newRow("black") << 0.0 << 0.0 << 0.0 << QList<double> {1, 1, 1}
                           << QList<double> {0, 0, 0, 1} << true << QList<double> {0, 0, 0};
    QTest::newRow("white") << 1.0 << 1.0 << 1.0 << QList<double> {0, 0, 0}
                           << QList<double> {0, 0, 0, 0} << true << QList<double> {0, 0, 1};
    // Red is tested first: (0 - 1) * 60 / 1 = -60, brought to 300.
    QTest::newRow("magenta, red first")
        << 1.0 << 0.0 << 1.0 << QList<double> {0, 1, 0} << QList<double> {0, 1, 0, 0} << false
        << QList<double> {300, 1, 1};
    QTest::newRow("green sector") << 0.2 << 0.8 << 0.5 << QList<double> {0.8, 0.2, 0.5}
                                  << QList<double> {0.6, 0, 0.3, 0.2} << false
                                  << QList<double> {150, 0.75, 0.8};
    QTest::newRow("blue sector") << 0.4 << 0.1 << 0.6 << QList<double> {0.6, 0.9, 0.4}
                                 << QList<double> {0.2, 0.5, 0, 0.4} << false
                                 << QList<double> {276, 0.5 / 0.6, 0.6};
}

void TstColourConversions::fromRgb()
{
    QFETCH(double, r);
    QFETCH(double, g);
    QFETCH(double, b);
    QFETCH(QList<double>, cmy);
    QFETCH(QList<double>, cmyk);
    QFETCH(bool, undefined);
    QFETCH(QList<double>, hsv);

    ColourState st;
    st.r = r, st.g = g, st.b = b;
    st.h = 77;
    RGBtoCMY(st);
    RGBtoCMYK(st);
    RGBtoHSV(st);
    QVERIFY(qFuzzyCompare(1 + st.c0, 1 + cmy[0]));
    QVERIFY(qFuzzyCompare(1 + st.m0, 1 + cmy[1]));
    QVERIFY(qFuzzyCompare(1 + st.y0, 1 + cmy[2]));
    QVERIFY(qFuzzyCompare(1 + st.c, 1 + cmyk[0]));
    QVERIFY(qFuzzyCompare(1 + st.m, 1 + cmyk[1]));
    QVERIFY(qFuzzyCompare(1 + st.y, 1 + cmyk[2]));
    QVERIFY(qFuzzyCompare(1 + st.k, 1 + cmyk[3]));
    QCOMPARE(st.hueUndefined, undefined);
    QCOMPARE(st.h, undefined ? 77.0 : st.h);
    if (!undefined)
        QVERIFY2(std::abs(st.h - hsv[0]) < 1e-9, qPrintable(QString::number(st.h)));
    QVERIFY(qFuzzyCompare(1 + st.s, 1 + hsv[1]));
    QVERIFY(qFuzzyCompare(1 + st.v, 1 + hsv[2]));

    // And back: CMY and CMYK return the same RGB.
    ColourState back = st;
    CMYtoRGB(back);
    QVERIFY(std::abs(back.r - r) < 1e-12 && std::abs(back.g - g) < 1e-12
        && std::abs(back.b - b) < 1e-12);
    back = st;
    CMYKtoRGB(back);
    QVERIFY(std::abs(back.r - r) < 1e-12 && std::abs(back.g - g) < 1e-12
        && std::abs(back.b - b) < 1e-12);
}

void TstColourConversions::undefinedHueKeepsItsValue()
{
    double h = 123.4, s = -1, v = -1;
    bool undefined = false;
    RGBtoHSV(0.3, 0.3, 0.3, h, s, v, undefined);
    QVERIFY(undefined);
    QCOMPARE(h, 123.4);
    QCOMPARE(s, 0.0);
    QCOMPARE(v, 0.3);

    // An undefined hue gives grey whatever h and s hold.
    double r = 0, g = 0, b = 0;
    HSVtoRGB(true, 200, 0.9, 0.4, r, g, b);
    QCOMPARE(r, 0.4);
    QCOMPARE(g, 0.4);
    QCOMPARE(b, 0.4);
}

void TstColourConversions::cmykToRgbClampsBelowZero()
{
    ColourState st;
    st.c = 0.7, st.m = 0, st.y = 0, st.k = 0.5;
    CMYKtoRGB(st);
    QCOMPARE(st.r, 0.0);
    QCOMPARE(st.g, 0.5);
    QCOMPARE(st.b, 0.5);
}

void TstColourConversions::hsvToRgb_data()
{
    QTest::addColumn<double>("h");
    QTest::addColumn<double>("s");
    QTest::addColumn<double>("v");
    QTest::addColumn<QList<double>>("rgb");

    QTest::newRow("360 is 0") << 360.0 << 1.0 << 1.0 << QList<double> {1, 0, 0};
    QTest::newRow("sector 0") << 30.0 << 1.0 << 1.0 << QList<double> {1, 0.5, 0};
    QTest::newRow("sector 1") << 90.0 << 1.0 << 1.0 << QList<double> {0.5, 1, 0};
    QTest::newRow("sector 2") << 150.0 << 0.5 << 0.8 << QList<double> {0.4, 0.8, 0.6};
    QTest::newRow("sector 3") << 210.0 << 1.0 << 1.0 << QList<double> {0, 0.5, 1};
    QTest::newRow("sector 4") << 270.0 << 1.0 << 0.5 << QList<double> {0.25, 0, 0.5};
    QTest::newRow("sector 5") << 330.0 << 1.0 << 1.0 << QList<double> {1, 0, 0.5};
    QTest::newRow("zero saturation") << 100.0 << 0.0 << 0.3 << QList<double> {0.3, 0.3, 0.3};
    QTest::newRow("just under 360")
        << std::nextafter(360.0, 0.0) << 1.0 << 1.0 << QList<double> {1, 0, 0};
}

void TstColourConversions::hsvToRgb()
{
    QFETCH(double, h);
    QFETCH(double, s);
    QFETCH(double, v);
    QFETCH(QList<double>, rgb);
    double r = -1, g = -1, b = -1;
    HSVtoRGB(false, h, s, v, r, g, b);
    QVERIFY2(
        std::abs(r - rgb[0]) < 1e-9 && std::abs(g - rgb[1]) < 1e-9 && std::abs(b - rgb[2]) < 1e-9,
        qPrintable(QStringLiteral("%1 %2 %3").arg(r).arg(g).arg(b)));
}

void TstColourConversions::hsvToPixel_data()
{
    QTest::addColumn<float>("h");
    QTest::addColumn<float>("s");
    QTest::addColumn<float>("v");
    QTest::addColumn<uint>("pixel");

    QTest::newRow("red") << 0.0f << 1.0f << 1.0f << 0xFF0000u;
    QTest::newRow("orange, green ties to even") << 30.0f << 1.0f << 1.0f << 0xFF8000u;
    QTest::newRow("green") << 120.0f << 1.0f << 1.0f << 0x00FF00u;
    QTest::newRow("blue") << 240.0f << 1.0f << 1.0f << 0x0000FFu;
    QTest::newRow("360 is red") << 360.0f << 1.0f << 1.0f << 0xFF0000u;
    // The disc asks for a - 180 and 540 - a: -180 is cyan, 540 is cyan too.
    QTest::newRow("-180 is cyan") << -180.0f << 1.0f << 1.0f << 0x00FFFFu;
    QTest::newRow("540 is cyan") << 540.0f << 1.0f << 1.0f << 0x00FFFFu;
    QTest::newRow("grey, half value") << 200.0f << 0.0f << 0.5f << 0x808080u;
    QTest::newRow("just under 360") << std::nextafter(360.0f, 0.0f) << 1.0f << 1.0f << 0xFF0000u;
    QTest::newRow("black") << 10.0f << 1.0f << 0.0f << 0x000000u;
}

void TstColourConversions::hsvToPixel()
{
    QFETCH(float, h);
    QFETCH(float, s);
    QFETCH(float, v);
    QFETCH(uint, pixel);
    QCOMPARE(HSVtoPixel(h, s, v), uint32_t(pixel));
}

// Every colour of a 4-per-step sample of the RGB cube (and its ends) survives
// RGB -> HSV -> RGB and RGB -> CMYK -> RGB within 1/255, with the hue in [0, 360) and one
// of c, m, y zero.
void TstColourConversions::roundTripsOverDenseSample()
{
    QList<int> levels;
    for (int n = 0; n < 256; n += 5)
        levels << n;
    levels << 254 << 255;
    for (int rn : levels)
        for (int gn : levels)
            for (int bn : levels) {
                ColourState st;
                TColorToColour(uint32_t(rn | gn << 8 | bn << 16), st.r, st.g, st.b);
                RGBtoHSV(st);
                if (!st.hueUndefined)
                    QVERIFY(st.h >= 0 && st.h < 360);
                ColourState back = st;
                HSVtoRGB(back);
                QVERIFY(std::abs(back.r - st.r) <= 1.0 / 255);
                QVERIFY(std::abs(back.g - st.g) <= 1.0 / 255);
                QVERIFY(std::abs(back.b - st.b) <= 1.0 / 255);
                QCOMPARE(ColourToTColor(back.r, back.g, back.b), uint32_t(rn | gn << 8 | bn << 16));

                RGBtoCMYK(st);
                QVERIFY(st.c == 0 || st.m == 0 || st.y == 0);
                back = st;
                CMYKtoRGB(back);
                QVERIFY(std::abs(back.r - st.r) <= 1.0 / 255);
                QVERIFY(std::abs(back.g - st.g) <= 1.0 / 255);
                QVERIFY(std::abs(back.b - st.b) <= 1.0 / 255);
            }
}

void TstColourConversions::windowColourAndHex_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("g");
    QTest::addColumn<double>("b");
    QTest::addColumn<uint>("colour");
    QTest::addColumn<QString>("hex");

    // 127.5 rounds to the even 128, 126.5 to the even 126.
    QTest::newRow("orange") << 1.0 << 0.5 << 0.0 << 0x0080FFu << "#FF8000";
    QTest::newRow("126.5 to even") << 126.5 / 255 << 0.0 << 1.0 << 0xFF007Eu << "#7E00FF";
    QTest::newRow("black") << 0.0 << 0.0 << 0.0 << 0x000000u << "#000000";
    QTest::newRow("small blue") << 0.0 << 0.0 << 10 / 255.0 << 0x0A0000u << "#00000A";
}

void TstColourConversions::windowColourAndHex()
{
    QFETCH(double, r);
    QFETCH(double, g);
    QFETCH(double, b);
    QFETCH(uint, colour);
    QFETCH(QString, hex);
    QCOMPARE(ColourToTColor(r, g, b), uint32_t(colour));
    QCOMPARE(HexCode(colour), hex);
    double r2 = 0, g2 = 0, b2 = 0;
    TColorToColour(colour, r2, g2, b2);
    QCOMPARE(ColourToTColor(r2, g2, b2), uint32_t(colour));
}

void TstColourConversions::texts_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("text");

    QTest::newRow("half, unit") << 0.5 << 0 << "0,500";
    QTest::newRow("half, percent") << 0.5 << 1 << "50,0%";
    QTest::newRow("half, byte") << 0.5 << 2 << "128";
    QTest::newRow("one, unit") << 1.0 << 0 << "1,000";
    QTest::newRow("one, percent") << 1.0 << 1 << "100,0%";
    QTest::newRow("5 percent") << 0.05 << 1 << "5,0%";
    QTest::newRow("zero, byte") << 0.0 << 2 << "0";
    QTest::newRow("bad format reads as unit") << 0.25 << 7 << "0,250";
}

void TstColourConversions::texts()
{
    QFETCH(double, x);
    QFETCH(int, format);
    QFETCH(QString, text);
    QCOMPARE(FormatCompos(x, format), text);
}

void TstColourConversions::hueAndMaximumTexts()
{
    QCOMPARE(FormatTeinte(120), QStringLiteral("120,0 °"));
    QCOMPARE(FormatTeinte(0), QStringLiteral("0,0 °"));
    // An exact half of the last decimal goes up, as the decimal text reads.
    QCOMPARE(FormatTeinte(7.25), QStringLiteral("7,3 °"));
    QCOMPARE(MaxCaption(0), QStringLiteral("1.000 "));
    QCOMPARE(MaxCaption(1), QStringLiteral("100 % "));
    QCOMPARE(MaxCaption(2), QStringLiteral("255 "));
}

QTEST_GUILESS_MAIN(TstColourConversions)
#include "tst_colourconversions.moc"
