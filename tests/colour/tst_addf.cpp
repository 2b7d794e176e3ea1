#include "modules/colour/additive/AddF.h"

#include "SynthesisProbe.h"

#include "imaging/PaintBox.h"
#include "shell/Bitmaps.h"
#include "shell/Settings.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include <memory>

using namespace kaleno;

// A 640 x 520 client gives a 630 x 340 screen at show, so R = 340 div 6 = 56 and
// R div 2 = 28: red at (315, 170), green at (343, 142), blue at (287, 142). The largest
// radius is 340 div 3 = 113.
namespace {

constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kBlue = 0x0000FF;
constexpr uint32_t kYellow = 0xFFFF00;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;

// Inside one disc only: red below its centre, green up-right, blue up-left.
const QPoint kRedOnly(315, 220);
const QPoint kGreenOnly(383, 112);
const QPoint kBlueOnly(247, 112);
// Within R of all three centres.
const QPoint kAllThree(315, 151);

} // namespace

class TstAddF : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void showsThreeFullDiscs();
    void clickSelectsInDiscOrder_data();
    void clickSelectsInDiscOrder();
    void dragMixesTheLights();
    void dragStopsAtTheClamps_data();
    void dragStopsAtTheClamps();
    void radiusFollowsWheelAndRightClick_data();
    void radiusFollowsWheelAndRightClick();
    void extendedSlidersDimADisc();
    void linkedSlidersMoveTogether();
    void extendedOffRestoresFullLight();
    void copyHoldsScreenAndStrip();
    void projectorArtHas112BeamPixels();
    void reopeningStartsAfresh();

private:
    uint32_t zonePixel(QPoint p) const { return probe.zonePixel(p); }
    PaintBox *zone() const { return probe.zone(); }
    QScrollBar *bar(const char *name) const { return probe.bar(name); }
    QString edit(const char *name) const { return probe.edit(name); }
    QCheckBox *check(const char *name) const { return probe.check(name); }
    void drag(QPoint from, QPoint to) { probe.drag(from, to); }
    void wheel(int delta) { probe.wheel(delta, kAllThree); }

    std::unique_ptr<TAddF> window;
    SynthesisProbe probe;
};

void TstAddF::init()
{
    AppSettings().ExtSynthFlag = true;
    window = std::make_unique<TAddF>();
    probe.window = window.get();
    window->resize(640, 520);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(window->size(), QSize(640, 520));
}

void TstAddF::cleanup() { window.reset(); }

void TstAddF::showsThreeFullDiscs()
{
    QCOMPARE(window->ScreenWidth(), 630);
    QCOMPARE(window->ScreenHeight(), 340);
    QCOMPARE(window->Radius(), 56);
    QCOMPARE(zonePixel(kRedOnly), kRed);
    QCOMPARE(zonePixel(kGreenOnly), kGreen);
    QCOMPARE(zonePixel(kBlueOnly), kBlue);
    QCOMPARE(zonePixel(kAllThree), kWhite);
    QCOMPARE(zonePixel(QPoint(5, 5)), kBlack);
    for (const char *name : {"rBar", "gBar", "bBar"}) {
        QVERIFY(!bar(name)->isEnabled());
        QCOMPARE(bar(name)->value(), 0);
    }
    QCOMPARE(edit("Redit"), QStringLiteral(" 100 %"));
    QVERIFY(!check("LinkCheck")->isEnabled());
    QVERIFY(check("EtenduCheck")->isEnabled());
    QVERIFY(window->windowTitle().startsWith(QStringLiteral(" Synthèse trichromique additive - ")));
}

void TstAddF::clickSelectsInDiscOrder_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<int>("selected");
    QTest::newRow("all three: red first") << kAllThree << 1;
    // (343, 170): 28 from red, 28 from green, 62 from blue.
    QTest::newRow("red and green: red") << QPoint(343, 170) << 1;
    // (315, 110): 60 from red, 42 from green and from blue.
    QTest::newRow("green and blue: green") << QPoint(315, 110) << 2;
    QTest::newRow("blue alone") << kBlueOnly << 3;
    QTest::newRow("black screen") << QPoint(20, 20) << 0;
}

void TstAddF::clickSelectsInDiscOrder()
{
    QFETCH(QPoint, at);
    QFETCH(int, selected);
    QTest::mousePress(zone(), Qt::LeftButton, {}, at);
    QCOMPARE(window->SelectedDisc(), selected);
    QTest::mouseRelease(zone(), Qt::LeftButton, {}, at);
    QCOMPARE(window->SelectedDisc(), 0);
}

void TstAddF::dragMixesTheLights()
{
    // Blue goes to the top-left corner; red and green still overlap.
    drag(kBlueOnly, QPoint(100, 100));
    QCOMPARE(window->Centres()[2], (synthesis::DiscCentre {100, 100}));
    QCOMPARE(zonePixel(QPoint(100, 100)), kBlue);
    QCOMPARE(zonePixel(kAllThree), kYellow);
    QCOMPARE(zonePixel(kRedOnly), kRed);
    QCOMPARE(zonePixel(kBlueOnly), kBlack);
    // Green onto red (the centre goes where the pointer is): yellow where both are.
    drag(kGreenOnly, QPoint(315, 180));
    QCOMPARE(window->Centres()[1], (synthesis::DiscCentre {315, 180}));
    QCOMPARE(zonePixel(QPoint(315, 170)), kYellow);
    QCOMPARE(zonePixel(QPoint(315, 118)), kRed);
    QCOMPARE(zonePixel(QPoint(315, 232)), kGreen);
    // Blue back over both: white where the three meet.
    drag(QPoint(100, 100), QPoint(315, 175));
    QCOMPARE(zonePixel(QPoint(315, 175)), kWhite);
    QCOMPARE(zonePixel(QPoint(315 + 50, 175)), kWhite);
}

void TstAddF::dragStopsAtTheClamps_data()
{
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QPoint>("centre");
    QTest::addColumn<QPoint>("lit");
    // x into [-28, 658], y into [-28, 340 - 56]; `lit` is within R of the clamped centre.
    QTest::newRow("below and left") << QPoint(-500, 5000) << QPoint(-28, 284) << QPoint(0, 284);
    QTest::newRow("above and right") << QPoint(2000, -300) << QPoint(658, -28) << QPoint(629, 0);
    QTest::newRow("inside") << QPoint(400, 200) << QPoint(400, 200) << QPoint(400, 200);
}

void TstAddF::dragStopsAtTheClamps()
{
    QFETCH(QPoint, to);
    QFETCH(QPoint, centre);
    drag(kRedOnly, to);
    QFETCH(QPoint, lit);
    QCOMPARE(window->Centres()[0], (synthesis::DiscCentre {centre.x(), centre.y()}));
    QCOMPARE(zonePixel(lit), kRed);
}

void TstAddF::radiusFollowsWheelAndRightClick_data()
{
    QTest::addColumn<int>("wheelDelta");
    QTest::addColumn<int>("rightClicks");
    QTest::addColumn<bool>("ctrl");
    QTest::addColumn<int>("radius");
    QTest::newRow("one notch up") << 120 << 0 << false << 66;
    QTest::newRow("two notches down") << -240 << 0 << false << 36;
    QTest::newRow("half a notch") << 60 << 0 << false << 56;
    QTest::newRow("ten notches up stops at H div 3") << 1200 << 0 << false << 113;
    QTest::newRow("ten notches down stops at 20") << -1200 << 0 << false << 20;
    QTest::newRow("right click") << 0 << 1 << false << 66;
    QTest::newRow("Ctrl right click") << 0 << 1 << true << 46;
    QTest::newRow("six right clicks stop at H div 3") << 0 << 6 << false << 113;
    QTest::newRow("four Ctrl right clicks stop at 20") << 0 << 4 << true << 20;
}

void TstAddF::radiusFollowsWheelAndRightClick()
{
    QFETCH(int, wheelDelta);
    QFETCH(int, rightClicks);
    QFETCH(bool, ctrl);
    QFETCH(int, radius);
    if (wheelDelta != 0)
        wheel(wheelDelta);
    for (int i = 0; i < rightClicks; ++i)
        QTest::mouseClick(
            zone(), Qt::RightButton, ctrl ? Qt::ControlModifier : Qt::NoModifier, kAllThree);
    QCOMPARE(window->Radius(), radius);
    // Straight below the red centre only the red disc reaches.
    QCOMPARE(zonePixel(QPoint(315, 170 + radius - 3)), kRed);
    QCOMPARE(zonePixel(QPoint(315, 170 + radius + 1)), kBlack);
}

void TstAddF::extendedSlidersDimADisc()
{
    check("EtenduCheck")->click();
    QVERIFY(bar("rBar")->isEnabled());
    QVERIFY(check("LinkCheck")->isEnabled());
    // Position 60 is 40 %: 40 * 255 div 100 = 102.
    bar("rBar")->setValue(60);
    QCOMPARE(window->Intensities(), (synthesis::Levels {40, 100, 100}));
    QCOMPARE(edit("Redit"), QStringLiteral(" 40 %"));
    QCOMPARE(edit("GEdit"), QStringLiteral(" 100 %"));
    QCOMPARE(zonePixel(kRedOnly), 0x660000u);
    QCOMPARE(zonePixel(kAllThree), 0x66FFFFu);
    // The red projector's beam takes the dimmed colour.
    QVERIFY(window->Strip().HasBitmap());
    bool dimBeam = false;
    for (int y = 0; y < window->Strip().Height(); ++y)
        for (int x = 0; x < 100; ++x)
            dimBeam = dimBeam || window->Strip().GetPixel(x, y) == 0x660000u;
    QVERIFY(dimBeam);
    bar("bBar")->setValue(100);
    QCOMPARE(zonePixel(kBlueOnly), kBlack);
    QCOMPARE(zonePixel(kAllThree), 0x66FF00u);
}

void TstAddF::linkedSlidersMoveTogether()
{
    check("EtenduCheck")->click();
    check("LinkCheck")->click();
    bar("gBar")->setValue(60);
    for (const char *name : {"rBar", "gBar", "bBar"})
        QCOMPARE(bar(name)->value(), 60);
    for (const char *name : {"Redit", "GEdit", "BEdit"})
        QCOMPARE(edit(name), QStringLiteral(" 40 %"));
    QCOMPARE(zonePixel(kAllThree), 0x666666u);
    QCOMPARE(zonePixel(kGreenOnly), 0x006600u);
}

void TstAddF::extendedOffRestoresFullLight()
{
    check("EtenduCheck")->click();
    bar("rBar")->setValue(80);
    QCOMPARE(zonePixel(kRedOnly), 0x330000u);
    check("EtenduCheck")->click();
    QCOMPARE(bar("rBar")->value(), 0);
    QVERIFY(!bar("rBar")->isEnabled());
    QVERIFY(!check("LinkCheck")->isEnabled());
    QCOMPARE(edit("Redit"), QStringLiteral(" 100 %"));
    QCOMPARE(zonePixel(kRedOnly), kRed);
}

void TstAddF::copyHoldsScreenAndStrip()
{
    window->findChild<QToolButton *>(QStringLiteral("CopierBout"))->click();
    const QImage image = QApplication::clipboard()->image();
    QCOMPARE(image.size(), QSize(630, 340 + 81));
    QCOMPARE(image.pixel(kAllThree) & 0xFFFFFFu, kWhite);
    QCOMPARE(image.pixel(kRedOnly) & 0xFFFFFFu, kRed);
    // The strip sits from y = H: each projector's beam is in its disc's colour.
    int beams[3] = {0, 0, 0};
    for (int y = 340; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            switch (image.pixel(x, y) & 0xFFFFFFu) {
            case kRed:
                ++beams[0];
                break;
            case kGreen:
                ++beams[1];
                break;
            case kBlue:
                ++beams[2];
                break;
            default:
                break;
            }
    for (int count : beams)
        QVERIFY2(count > 50, qPrintable(QString::number(count)));
}

void TstAddF::projectorArtHas112BeamPixels()
{
    const QImage art = LoadResourceBitmap(QStringLiteral("Projo"));
    QCOMPARE(art.size(), QSize(57, 57));
    int blue = 0;
    for (int y = 0; y < art.height(); ++y)
        for (int x = 0; x < art.width(); ++x)
            blue += (art.pixel(x, y) & 0xFFFFFFu) == kBlue;
    QCOMPARE(blue, 112);
    for (const QPoint corner : {QPoint(0, 0), QPoint(56, 0), QPoint(0, 56), QPoint(56, 56)})
        QCOMPARE(art.pixel(corner) & 0xFFFFFFu, kYellow);
    QCOMPARE(window->Sprite().BeamPixels().size(), std::size_t(112));
}

void TstAddF::reopeningStartsAfresh()
{
    check("EtenduCheck")->click();
    bar("rBar")->setValue(60);
    drag(kRedOnly, QPoint(100, 300));
    wheel(120);
    window->close();
    QVERIFY(!window->Composite().HasBitmap());
    AppSettings().ExtSynthFlag = false;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QVERIFY(!check("EtenduCheck")->isEnabled());
    QVERIFY(!check("EtenduCheck")->isChecked());
    QCOMPARE(bar("rBar")->value(), 0);
    QCOMPARE(edit("Redit"), QStringLiteral(" 100 %"));
    QCOMPARE(window->Radius(), 56);
    QCOMPARE(zonePixel(kRedOnly), kRed);
    QCOMPARE(zonePixel(kAllThree), kWhite);
}

QTEST_MAIN(TstAddF)
#include "tst_addf.moc"
