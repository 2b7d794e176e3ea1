#include "modules/colour/synthesis/SynthesisRules.h"

#include <QTest>

#include <climits>
#include <cmath>
#include <numbers>

using namespace kaleno::synthesis;

Q_DECLARE_METATYPE(kaleno::synthesis::Levels)
Q_DECLARE_METATYPE(kaleno::synthesis::DiscColours)
Q_DECLARE_METATYPE(kaleno::synthesis::DiscCentre)

namespace kaleno::synthesis {
char *toString(const DiscCentre &c)
{
    return QTest::toString(QStringLiteral("(%1, %2)").arg(c.x).arg(c.y));
}
} // namespace kaleno::synthesis

class TestSynthesisRules : public QObject {
    Q_OBJECT

private slots:
    void lightColours_data();
    void lightColours();
    void inkColours_data();
    void inkColours();
    void mixing();
    void clampRadius_data();
    void clampRadius();
    void radiusSteps();
    void initialCentres();
    void hitOrder_data();
    void hitOrder();
    void clampCentre_data();
    void clampCentre();
    void sliderTexts();
    void projectors();
};

void TestSynthesisRules::lightColours_data()
{
    QTest::addColumn<Levels>("levels");
    QTest::addColumn<bool>("extended");
    QTest::addColumn<DiscColours>("expected");

    QTest::newRow("plain ignores levels")
        << Levels {40, 0, 7} << false << DiscColours {0xFF0000, 0x00FF00, 0x0000FF};
    QTest::newRow("extended full")
        << Levels {100, 100, 100} << true << DiscColours {0xFF0000, 0x00FF00, 0x0000FF};
    // 40 * 255 = 10200, div 100 = 102; 50 -> 127; 1 -> 2 (truncated, not rounded).
    QTest::newRow("extended 40 50 1")
        << Levels {40, 50, 1} << true << DiscColours {0x660000, 0x007F00, 0x000002};
    QTest::newRow("extended 0 99")
        << Levels {0, 99, 0} << true << DiscColours {0x000000, 0x00FC00, 0x000000};
}

void TestSynthesisRules::lightColours()
{
    QFETCH(Levels, levels);
    QFETCH(bool, extended);
    QFETCH(DiscColours, expected);
    QCOMPARE(LightColours(levels, extended), expected);
}

void TestSynthesisRules::inkColours_data()
{
    QTest::addColumn<Levels>("levels");
    QTest::addColumn<bool>("extended");
    QTest::addColumn<DiscColours>("expected");

    QTest::newRow("plain ignores levels")
        << Levels {0, 40, 7} << false << DiscColours {0x00FFFF, 0xFF00FF, 0xFFFF00};
    QTest::newRow("extended full")
        << Levels {100, 100, 100} << true << DiscColours {0x00FFFF, 0xFF00FF, 0xFFFF00};
    // 0.6 * 255 = 153 = 0x99: cyan at 40 % is (153, 255, 255).
    QTest::newRow("cyan 40") << Levels {40, 100, 100} << true
                             << DiscColours {0x99FFFF, 0xFF00FF, 0xFFFF00};
    // 127.5 and 229.5 round to the even 128 (0x80) and 230 (0xE6); 0.3 * 255 = 76.5 -> 76.
    QTest::newRow("ties to even") << Levels {50, 10, 70} << true
                                  << DiscColours {0x80FFFF, 0xFFE6FF, 0xFFFF4C};
    QTest::newRow("zero is white")
        << Levels {0, 0, 0} << true << DiscColours {0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
    // 0.99 * 255 = 252.45 -> 252; 0.01 * 255 = 2.55 -> 3.
    QTest::newRow("1 and 99") << Levels {1, 99, 100} << true
                              << DiscColours {0xFCFFFF, 0xFF03FF, 0xFFFF00};
}

void TestSynthesisRules::inkColours()
{
    QFETCH(Levels, levels);
    QFETCH(bool, extended);
    QFETCH(DiscColours, expected);
    QCOMPARE(InkColours(levels, extended), expected);
}

void TestSynthesisRules::mixing()
{
    const DiscColours lights = LightColours({100, 100, 100}, false);
    QCOMPARE(MixLights(lights[0], lights[1]), 0xFFFF00u);
    QCOMPARE(MixLights(lights[1], lights[2]), 0x00FFFFu);
    QCOMPARE(MixLights(MixLights(kBlack, lights[0]), MixLights(lights[1], lights[2])), kWhite);
    // Dimmed lights still add channel by channel: 102 red over full green.
    const DiscColours dim = LightColours({40, 100, 0}, true);
    QCOMPARE(MixLights(dim[0], dim[1]), 0x66FF00u);
    QCOMPARE(MixLights(kBlack, dim[2]), kBlack);

    const DiscColours inks = InkColours({100, 100, 100}, false);
    QCOMPARE(MixInks(inks[0], inks[2]), 0x00FF00u);
    QCOMPARE(MixInks(inks[0], inks[1]), 0x0000FFu);
    QCOMPARE(MixInks(MixInks(kWhite, inks[0]), MixInks(inks[1], inks[2])), kBlack);
    // A 0 % ink vanishes on the paper; the stronger absorption wins per channel.
    const DiscColours weak = InkColours({0, 100, 40}, true);
    QCOMPARE(MixInks(kWhite, weak[0]), kWhite);
    QCOMPARE(MixInks(InkColours({40, 100, 100}, true)[0], inks[0]), 0x00FFFFu);
    QCOMPARE(MixInks(weak[1], weak[2]), 0xFF0099u);
}

void TestSynthesisRules::clampRadius_data()
{
    QTest::addColumn<int>("wanted");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("expected");

    QTest::newRow("inside") << 100 << 600 << 100;
    QTest::newRow("at upper bound") << 200 << 600 << 200;
    QTest::newRow("above H div 3") << 201 << 600 << 200;
    QTest::newRow("H div 3 truncates") << 300 << 602 << 200;
    QTest::newRow("at 20") << 20 << 600 << 20;
    QTest::newRow("below 20") << 19 << 600 << 20;
    QTest::newRow("negative") << -50 << 600 << 20;
    // Low screen, H div 3 = 15: the upper bound is tested first and wins over 20 ...
    QTest::newRow("low screen, large r") << 16 << 45 << 15;
    // ... but a radius under both bounds still becomes 20.
    QTest::newRow("low screen, small r") << 10 << 45 << 20;
}

void TestSynthesisRules::clampRadius()
{
    QFETCH(int, wanted);
    QFETCH(int, height);
    QFETCH(int, expected);
    QCOMPARE(ClampRadius(wanted, height), expected);
}

void TestSynthesisRules::radiusSteps()
{
    QCOMPARE(RightClickRadius(50, false, 600), 60);
    QCOMPARE(RightClickRadius(50, true, 600), 40);
    QCOMPARE(RightClickRadius(25, true, 600), 20);
    QCOMPARE(RightClickRadius(195, false, 600), 200);

    QCOMPARE(WheelNotches(240), 2);
    QCOMPARE(WheelNotches(-120), -1);
    // Part of a notch (a fine-grained wheel) moves nothing.
    QCOMPARE(WheelNotches(60), 0);
    QCOMPARE(WheelNotches(-119), 0);
    QCOMPARE(WheelRadius(50, 240, 600), 70);
    QCOMPARE(WheelRadius(50, -360, 600), 20);
    QCOMPARE(WheelRadius(50, 60, 600), 50);
    QCOMPARE(WheelRadius(50, INT_MAX, 600), 200);
    QCOMPARE(WheelRadius(50, INT_MIN, 600), 20);
}

void TestSynthesisRules::initialCentres()
{
    // R = 51: R div 2 = 25.
    const DiscCentres centres = InitialCentres(401, 300, 51);
    QCOMPARE(centres[0], (DiscCentre {200, 150}));
    QCOMPARE(centres[1], (DiscCentre {225, 125}));
    QCOMPARE(centres[2], (DiscCentre {175, 125}));
}

void TestSynthesisRules::hitOrder_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("expected");

    // Red (100,100), green (130,100), blue (130,130), R = 40.
    QTest::newRow("red over green") << 115 << 100 << 1;
    QTest::newRow("all three: red") << 120 << 115 << 1;
    QTest::newRow("green over blue") << 150 << 110 << 2;
    QTest::newRow("blue alone") << 130 << 165 << 3;
    QTest::newRow("red rim included") << 60 << 100 << 1;
    // 3^2 + 40^2 > 40^2.
    QTest::newRow("just outside red") << 97 << 60 << 0;
    QTest::newRow("nowhere") << 0 << 0 << 0;
}

void TestSynthesisRules::hitOrder()
{
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, expected);
    const DiscCentres centres
        = {DiscCentre {100, 100}, DiscCentre {130, 100}, DiscCentre {130, 130}};
    QCOMPARE(HitDisc(centres, 40, x, y), expected);
}

void TestSynthesisRules::clampCentre_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<DiscCentre>("expected");

    // W 400, H 300, R 41: R div 2 = 20, lowest centre 259.
    QTest::newRow("inside") << 200 << 150 << DiscCentre {200, 150};
    QTest::newRow("left") << -30 << 150 << DiscCentre {-20, 150};
    QTest::newRow("right") << 500 << 150 << DiscCentre {420, 150};
    QTest::newRow("top") << 200 << -21 << DiscCentre {200, -20};
    QTest::newRow("below screen") << 200 << 280 << DiscCentre {200, 259};
    QTest::newRow("corner") << -100 << 1000 << DiscCentre {-20, 259};
    QTest::newRow("edges kept") << 420 << 259 << DiscCentre {420, 259};
}

void TestSynthesisRules::clampCentre()
{
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(DiscCentre, expected);
    QCOMPARE(ClampCentre(x, y, 400, 300, 41), expected);
}

void TestSynthesisRules::sliderTexts()
{
    QCOMPARE(LevelText(100), QStringLiteral(" 100 %"));
    QCOMPARE(LevelText(0), QStringLiteral(" 0 %"));
    QCOMPARE(LevelText(40), QStringLiteral(" 40 %"));
    // A linked slider moved to 40 % puts every slider at position 60.
    QCOMPARE(LevelFromPosition(60), 40);
    QCOMPARE(PositionFromLevel(40), 60);
    QCOMPARE(LevelFromPosition(0), 100);
}

void TestSynthesisRules::projectors()
{
    QCOMPARE(ProjectorLefts(600), (std::array<int, 3> {10, 260, 510}));
    QCOMPARE(ProjectorLefts(461), (std::array<int, 3> {10, 190, 371}));

    // Projector at left 10, screen 300: its centre is (50, 340).
    QCOMPARE(ProjectorAngle({50, 150}, 10, 300), 0.0);
    // 100 right and 100 up: arctan(100 / -100).
    QVERIFY(std::abs(ProjectorAngle({150, 240}, 10, 300) + std::numbers::pi / 4) < 1e-12);
    QVERIFY(std::abs(ProjectorAngle({-50, 240}, 10, 300) - std::numbers::pi / 4) < 1e-12);
    // On the projector's own row: the limit from above, a quarter turn.
    QVERIFY(std::abs(ProjectorAngle({150, 340}, 10, 300) + std::numbers::pi / 2) < 1e-12);
    QCOMPARE(ProjectorAngle({50, 340}, 10, 300), 0.0);
}

QTEST_GUILESS_MAIN(TestSynthesisRules)
#include "tst_synthesisrules.moc"
