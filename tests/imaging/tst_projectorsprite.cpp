#include "imaging/DibPlus.h"
#include "imaging/ProjectorSprite.h"

#include <QTest>

#include <cmath>
#include <numbers>

using kaleno::ProjectorSprite;
using kaleno::SpritePoint;
using kaleno::TDibPlus;

Q_DECLARE_METATYPE(kaleno::SpritePoint)

namespace kaleno {
char *toString(const SpritePoint &p)
{
    return QTest::toString(QStringLiteral("(%1, %2)").arg(p.x).arg(p.y));
}
} // namespace kaleno

namespace {

constexpr uint32_t kBody = 0x404040;

// A 57 x 57 yellow art with a grey body and beam pixels at the given art positions.
TDibPlus art(const std::vector<SpritePoint> &beam)
{
    TDibPlus dib(57, 57);
    dib.Fill(ProjectorSprite::kYellow);
    for (int y = 20; y < 40; ++y)
        for (int x = 20; x < 40; ++x)
            dib.SetPixel(x, y, kBody);
    for (const SpritePoint &p : beam)
        dib.SetPixel(p.x, p.y, ProjectorSprite::kBeam);
    return dib;
}

int countPixels(const TDibPlus &dib, uint32_t value)
{
    int n = 0;
    for (int y = 0; y < dib.Height(); ++y)
        for (int x = 0; x < dib.Width(); ++x)
            n += dib.GetPixel(x, y) == value;
    return n;
}

} // namespace

class TestProjectorSprite : public QObject {
    Q_OBJECT

private slots:
    void sourcePoint_data();
    void sourcePoint();
    void prepare();
    void beamListIsBounded();
    void renderUnturned();
    void renderQuarterTurn();
    void windowExcludesMargin();
    void keySwap();
    void drawClips();
};

void TestProjectorSprite::sourcePoint_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<double>("angle");
    QTest::addColumn<SpritePoint>("expected");

    const double quarter = std::numbers::pi / 2;
    // cos 0.6, sin 0.8.
    const double tilt = std::atan2(0.8, 0.6);
    QTest::newRow("centre is fixed") << 40 << 40 << 1.0 << SpritePoint {40, 40};
    QTest::newRow("unturned") << 12 << 70 << 0.0 << SpritePoint {12, 70};
    // sx = 40 - (y - 40), sy = 40 + (x - 40).
    QTest::newRow("quarter turn") << 30 << 60 << quarter << SpritePoint {20, 30};
    QTest::newRow("half turn") << 45 << 30 << std::numbers::pi << SpritePoint {35, 50};
    // Offsets (1, 0) -> (0.6, 0.8) and (2, 0) -> (1.2, 1.6): rounded, not truncated.
    QTest::newRow("tilt 1 0") << 41 << 40 << tilt << SpritePoint {41, 41};
    QTest::newRow("tilt 2 0") << 42 << 40 << tilt << SpritePoint {41, 42};
    // (0, 3) -> (-2.4, 1.8) -> (38, 42).
    QTest::newRow("tilt 0 3") << 40 << 43 << tilt << SpritePoint {38, 42};
}

void TestProjectorSprite::sourcePoint()
{
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(double, angle);
    QFETCH(SpritePoint, expected);
    QCOMPARE(kaleno::SpriteSourcePoint(x, y, angle), expected);
}

void TestProjectorSprite::prepare()
{
    ProjectorSprite sprite;
    // Art positions (5,30), (5,10), (2,40): source (16,41), (16,21), (13,51).
    sprite.Prepare(art({{5, 30}, {5, 10}, {2, 40}}));
    const std::vector<SpritePoint> expected = {{13, 51}, {16, 21}, {16, 41}};
    QCOMPARE(sprite.BeamPixels(), expected);
    QCOMPARE(sprite.KeyColour(), ProjectorSprite::kYellow);
    const TDibPlus &source = sprite.Source();
    QCOMPARE(source.Width(), 81);
    QCOMPARE(source.GetPixel(0, 0), ProjectorSprite::kYellow);
    QCOMPARE(source.GetPixel(80, 80), ProjectorSprite::kYellow);
    QCOMPARE(source.GetPixel(31, 31), kBody);
    QCOMPARE(source.GetPixel(50, 50), kBody);
    QCOMPARE(source.GetPixel(51, 51), ProjectorSprite::kYellow);
    QCOMPARE(countPixels(source, kBody), 400);
}

void TestProjectorSprite::beamListIsBounded()
{
    ProjectorSprite sprite;
    TDibPlus allBeam(57, 57);
    allBeam.Fill(ProjectorSprite::kBeam);
    sprite.Prepare(allBeam);
    QCOMPARE(int(sprite.BeamPixels().size()), ProjectorSprite::kMaxBeamPixels);
    // Column 11 holds 57 of them, column 12 the next 57, then column 13 from its top.
    QCOMPARE(sprite.BeamPixels().back(), (SpritePoint {13, 16}));
    // A second preparation starts a new list.
    sprite.Prepare(art({{0, 0}}));
    QCOMPARE(int(sprite.BeamPixels().size()), 1);
}

void TestProjectorSprite::renderUnturned()
{
    ProjectorSprite sprite;
    sprite.Prepare(art({{10, 10}, {11, 10}}));
    const TDibPlus &out = sprite.Render(0x00FF00, 0.0);
    QCOMPARE(out.GetPixel(21, 21), 0x00FF00u);
    QCOMPARE(out.GetPixel(22, 21), 0x00FF00u);
    QCOMPARE(out.GetPixel(40, 40), kBody);
    // The key surround is transparent: left black.
    QCOMPARE(out.GetPixel(20, 21), 0u);
    QCOMPARE(countPixels(out, 0x00FF00), 2);
    QCOMPARE(countPixels(out, kBody), 400);
    QCOMPARE(countPixels(out, 0), 81 * 81 - 402);

    // A new colour repaints the beam; the previous one leaves no trace.
    sprite.Render(0xFF0000, 0.0);
    QCOMPARE(countPixels(out, 0xFF0000), 2);
    QCOMPARE(countPixels(out, 0x00FF00), 0);
}

void TestProjectorSprite::renderQuarterTurn()
{
    ProjectorSprite sprite;
    // Source (20,30): shown at output (30, 60) by a quarter turn (sx = 80 - y, sy = x).
    sprite.Prepare(art({{9, 19}}));
    const TDibPlus &out = sprite.Render(0x0000FF, std::numbers::pi / 2);
    QCOMPARE(out.GetPixel(30, 60), 0x0000FFu);
    QCOMPARE(countPixels(out, 0x0000FF), 1);
    // The body, source x and y in 31..50, lands on output x in 31..50, y in 30..49.
    QCOMPARE(out.GetPixel(31, 30), kBody);
    QCOMPARE(out.GetPixel(50, 49), kBody);
    QCOMPARE(out.GetPixel(31, 50), 0u);
    QCOMPARE(countPixels(out, kBody), 400);
}

void TestProjectorSprite::windowExcludesMargin()
{
    // An art that covers the source from 11 to 80: unturned, only 11..69 is shown.
    ProjectorSprite sprite;
    TDibPlus wide(70, 70);
    wide.Fill(kBody);
    sprite.Prepare(wide);
    const TDibPlus &out = sprite.Render(0xFF0000, 0.0);
    QCOMPARE(out.GetPixel(11, 11), kBody);
    QCOMPARE(out.GetPixel(69, 69), kBody);
    QCOMPARE(out.GetPixel(70, 40), 0u);
    QCOMPARE(out.GetPixel(40, 70), 0u);
    QCOMPARE(out.GetPixel(10, 40), 0u);
    QCOMPARE(countPixels(out, kBody), 59 * 59);
}

void TestProjectorSprite::keySwap()
{
    ProjectorSprite sprite;
    sprite.Prepare(art({{10, 10}}));
    // A yellow light would vanish in a yellow key: the key turns cyan first.
    const TDibPlus &out = sprite.Render(ProjectorSprite::kYellow, 0.0);
    QCOMPARE(sprite.KeyColour(), ProjectorSprite::kCyan);
    QCOMPARE(sprite.Source().GetPixel(0, 0), ProjectorSprite::kCyan);
    QCOMPARE(countPixels(sprite.Source(), ProjectorSprite::kYellow), 1);
    QCOMPARE(out.GetPixel(21, 21), ProjectorSprite::kYellow);
    QCOMPARE(countPixels(out, ProjectorSprite::kYellow), 1);
    QCOMPARE(countPixels(out, kBody), 400);

    // Another colour keeps the key; cyan swaps it back.
    sprite.Render(0x123456, 0.0);
    QCOMPARE(sprite.KeyColour(), ProjectorSprite::kCyan);
    sprite.Render(ProjectorSprite::kCyan, 0.0);
    QCOMPARE(sprite.KeyColour(), ProjectorSprite::kYellow);
    QCOMPARE(out.GetPixel(21, 21), ProjectorSprite::kCyan);
    QCOMPARE(countPixels(out, ProjectorSprite::kCyan), 1);
    QCOMPARE(countPixels(out, 0), 81 * 81 - 401);
}

void TestProjectorSprite::drawClips()
{
    ProjectorSprite sprite;
    sprite.Prepare(art({{10, 10}}));
    TDibPlus strip(100, 81);
    strip.Fill(0x010101);
    sprite.Draw(strip, 50, 0, 0x00FF00, 0.0);
    // The output is copied whole, black included, and cut at the strip's edge.
    QCOMPARE(strip.GetPixel(71, 21), 0x00FF00u);
    QCOMPARE(strip.GetPixel(50, 0), 0u);
    QCOMPARE(strip.GetPixel(49, 0), 0x010101u);
    QCOMPARE(countPixels(strip, 0x010101), 50 * 81);
}

QTEST_GUILESS_MAIN(TestProjectorSprite)
#include "tst_projectorsprite.moc"
