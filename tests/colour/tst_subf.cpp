#include "modules/colour/subtractive/SubF.h"

#include "SynthesisProbe.h"

#include "imaging/MetafileRecords.h"
#include "imaging/PaintBox.h"
#include "shell/Settings.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include <memory>

using namespace kaleno;

// A 640 x 520 client gives a 630 x 368 paper (H = 520 - 152), so R = 368 div 6 = 61 and
// R div 2 = 30: cyan at (315, 184), magenta at (345, 154), yellow at (285, 154). The blots
// are the irregular "Trace" shape; the points below were checked against its polygon with
// a margin of 3 pixels, so they are inside (or outside) whatever the rasteriser's edges.
namespace {

constexpr uint32_t kCyan = 0x00FFFF;
constexpr uint32_t kMagenta = 0xFF00FF;
constexpr uint32_t kYellow = 0xFFFF00;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;

const QPoint kCyanOnly(315, 224);
const QPoint kMagentaOnly(385, 130);
const QPoint kYellowOnly(245, 130);
const QPoint kAllThree(315, 164);
// A pixel of paint in the brush picture, and where each brush is drawn in its strip.
const QPoint kPaint(110, 21);
const int kBrushLeft[3] = {2, 160, 320};

} // namespace

class TstSubF : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void traceIsOnePlaceablePolygon();
    void inksAbsorbTogether();
    void dragCyanAndYellowGiveGreen();
    void dragStopsAtTheClamps_data();
    void dragStopsAtTheClamps();
    void radiusBounds_data();
    void radiusBounds();
    void strengthsAreSingleInkColours();
    void linkedSlidersAt60Give40Percent();
    void brushesTakeTheirInk();
    void copyHoldsPaperAndBrushes();

private:
    uint32_t zonePixel(QPoint p) const { return probe.zonePixel(p); }
    uint32_t brushPixel(int ink) const
    {
        return window->Strip().GetPixel(kBrushLeft[ink] + kPaint.x(), 3 + kPaint.y());
    }
    PaintBox *zone() const { return probe.zone(); }
    QScrollBar *bar(const char *name) const { return probe.bar(name); }
    QString edit(const char *name) const { return probe.edit(name); }
    QCheckBox *check(const char *name) const { return probe.check(name); }
    void drag(QPoint from, QPoint to) { probe.drag(from, to); }

    std::unique_ptr<TSubF> window;
    SynthesisProbe probe;
};

void TstSubF::init()
{
    AppSettings().ExtSynthFlag = true;
    window = std::make_unique<TSubF>();
    probe.window = window.get();
    window->resize(640, 520);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(window->size(), QSize(640, 520));
}

void TstSubF::cleanup() { window.reset(); }

void TstSubF::traceIsOnePlaceablePolygon()
{
    QFile file(QStringLiteral(":/metafiles/Trace.wmf"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const std::optional<Metafile> trace = ParseMetafile(file.readAll());
    QVERIFY(trace);
    QVERIFY(trace->header.placeable);
    QVERIFY(trace->header.checksumValid);
    QCOMPARE(trace->header.unitsPerInch, 1024);
    QCOMPARE(trace->header.frame, QRect(-2555, -2086, 5110, 4172));
    const std::vector<MetaFunction> expected = {MetaFunction::SetWindowOrg,
        MetaFunction::SetWindowExt, MetaFunction::CreatePenIndirect, MetaFunction::SelectObject,
        MetaFunction::CreateBrushIndirect, MetaFunction::SelectObject, MetaFunction::SetRop2,
        MetaFunction::SetPolyFillMode, MetaFunction::Polygon};
    std::vector<MetaFunction> functions;
    for (const MetafileRecord &record : trace->records)
        functions.push_back(record.function);
    QCOMPARE(functions, expected);
    const MetafileRecord &polygon = trace->records.back();
    QCOMPARE(polygon.Short(0), int16_t(80));
    QCOMPARE(polygon.Short(1), int16_t(8));
    QCOMPARE(polygon.Short(2), int16_t(3585));
    QCOMPARE(polygon.Short(159), int16_t(81));
    QCOMPARE(polygon.Short(160), int16_t(3745));
    QCOMPARE(trace->records[1].Short(0), int16_t(4172)); // extent: height, then width
    QCOMPARE(trace->records[1].Short(1), int16_t(5110));
}

void TstSubF::inksAbsorbTogether()
{
    QCOMPARE(window->ScreenWidth(), 630);
    QCOMPARE(window->ScreenHeight(), 368);
    QCOMPARE(window->Radius(), 61);
    QCOMPARE(zonePixel(kCyanOnly), kCyan);
    QCOMPARE(zonePixel(kMagentaOnly), kMagenta);
    QCOMPARE(zonePixel(kYellowOnly), kYellow);
    QCOMPARE(zonePixel(kAllThree), kBlack);
    QCOMPARE(zonePixel(QPoint(5, 5)), kWhite);
    for (const char *name : {"CBar", "MBar", "JBar"}) {
        QVERIFY(!bar(name)->isEnabled());
        QCOMPARE(bar(name)->value(), 0);
    }
    QCOMPARE(edit("Redit"), QStringLiteral(" 100 %"));
    QVERIFY(window->windowTitle().startsWith(QStringLiteral(" Synthèse soustractive - ")));
    QCOMPARE(window->HelpKeyword(), QStringLiteral("SOUSTRACTIVE"));
}

void TstSubF::dragCyanAndYellowGiveGreen()
{
    // Magenta leaves for the top-right corner; where cyan and yellow still overlap, green.
    drag(kMagentaOnly, QPoint(560, 60));
    QCOMPARE(window->Centres()[1], (synthesis::DiscCentre {560, 60}));
    QCOMPARE(zonePixel(QPoint(560, 60)), kMagenta);
    QCOMPARE(zonePixel(kAllThree), kGreen);
    QCOMPARE(zonePixel(kMagentaOnly), kWhite);
    QCOMPARE(zonePixel(kCyanOnly), kCyan);
}

void TstSubF::dragStopsAtTheClamps_data()
{
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QPoint>("centre");
    QTest::addColumn<QPoint>("inked"); // inside the blot at its clamped place
    // x into [-30, 660], y into [-30, 368 - 61].
    QTest::newRow("below and right") << QPoint(5000, 5000) << QPoint(660, 307) << QPoint(615, 317);
    QTest::newRow("above and left") << QPoint(-400, -400) << QPoint(-30, -30) << QPoint(10, 10);
}

void TstSubF::dragStopsAtTheClamps()
{
    QFETCH(QPoint, to);
    QFETCH(QPoint, centre);
    QFETCH(QPoint, inked);
    drag(kCyanOnly, to);
    QCOMPARE(window->Centres()[0], (synthesis::DiscCentre {centre.x(), centre.y()}));
    QCOMPARE(zonePixel(inked), kCyan);
}

void TstSubF::radiusBounds_data()
{
    QTest::addColumn<int>("notches");
    QTest::addColumn<int>("radius");
    QTest::addColumn<uint>("atCyanCentre");
    // At 20 the blots no longer reach each other's centres; larger, all three cover cyan's.
    QTest::newRow("one up") << 1 << 71 << uint(kBlack);
    QTest::newRow("up to H div 3") << 10 << 122 << uint(kBlack);
    QTest::newRow("down to 20") << -10 << 20 << uint(kCyan);
}

void TstSubF::radiusBounds()
{
    QFETCH(int, notches);
    QFETCH(int, radius);
    QFETCH(uint, atCyanCentre);
    probe.wheel(120 * notches, kAllThree);
    QCOMPARE(window->Radius(), radius);
    QCOMPARE(zonePixel(QPoint(315, 184)), atCyanCentre);
    // Just below cyan's 2R square nothing is inked.
    QCOMPARE(zonePixel(QPoint(315, 184 + radius + 2)), kWhite);
}

void TstSubF::strengthsAreSingleInkColours()
{
    check("EtenduCheck")->click();
    QVERIFY(bar("CBar")->isEnabled());
    // Position 60 is 40 %: the red channel keeps Round(0.6 * 255) = 153.
    bar("CBar")->setValue(60);
    QCOMPARE(window->Intensities(), (synthesis::Levels {40, 100, 100}));
    QCOMPARE(edit("Redit"), QStringLiteral(" 40 %"));
    QCOMPARE(zonePixel(kCyanOnly), 0x99FFFFu);
    QCOMPARE(zonePixel(kAllThree), 0x990000u); // magenta and yellow take green and blue
    QCOMPARE(brushPixel(0), 0x99FFFFu);
    // 0 %: the ink is white, the blot vanishes and its brush turns white.
    bar("CBar")->setValue(100);
    QCOMPARE(zonePixel(kCyanOnly), kWhite);
    QCOMPARE(zonePixel(kAllThree), 0xFF0000u); // magenta AND yellow
    QCOMPARE(brushPixel(0), kWhite);
    // Extended off: full inks again.
    check("EtenduCheck")->click();
    QCOMPARE(bar("CBar")->value(), 0);
    QCOMPARE(zonePixel(kCyanOnly), kCyan);
    QCOMPARE(brushPixel(0), kCyan);
}

void TstSubF::linkedSlidersAt60Give40Percent()
{
    check("EtenduCheck")->click();
    check("LinkCheck")->click();
    bar("MBar")->setValue(60);
    for (const char *name : {"CBar", "MBar", "JBar"})
        QCOMPARE(bar(name)->value(), 60);
    for (const char *name : {"Redit", "GEdit", "BEdit"})
        QCOMPARE(edit(name), QStringLiteral(" 40 %"));
    QCOMPARE(zonePixel(kAllThree), 0x999999u);
    QCOMPARE(zonePixel(kMagentaOnly), 0xFF99FFu);
    // The brushes follow the linked inks.
    QCOMPARE(brushPixel(0), 0x99FFFFu);
    QCOMPARE(brushPixel(1), 0xFF99FFu);
    QCOMPARE(brushPixel(2), 0xFFFF99u);
}

void TstSubF::brushesTakeTheirInk()
{
    // Each brush starts from the yellow picture again, so none is left in the previous
    // brush's ink, and the yellow one is yellow.
    QCOMPARE(brushPixel(0), kCyan);
    QCOMPARE(brushPixel(1), kMagenta);
    QCOMPARE(brushPixel(2), kYellow);
    QCOMPARE(window->Strip().GetPixel(kBrushLeft[1] - 5, 20), kWhite);
    // Only paint is recoloured: the handle keeps its wood.
    const uint32_t handle = window->Strip().GetPixel(kBrushLeft[2] + 40, 3 + 21);
    QVERIFY(handle != kYellow && handle != kWhite);
    check("EtenduCheck")->click();
    bar("JBar")->setValue(60);
    QCOMPARE(brushPixel(2), 0xFFFF99u);
    QCOMPARE(brushPixel(0), kCyan);
}

void TstSubF::copyHoldsPaperAndBrushes()
{
    window->findChild<QToolButton *>(QStringLiteral("CopierBout"))->click();
    const QImage image = QApplication::clipboard()->image();
    QCOMPARE(image.size(), QSize(630, 368 + 50));
    QCOMPARE(image.pixel(kAllThree) & 0xFFFFFFu, kBlack);
    QCOMPARE(image.pixel(kCyanOnly) & 0xFFFFFFu, kCyan);
    QCOMPARE(image.pixel(kBrushLeft[1] + kPaint.x(), 368 + 3 + kPaint.y()) & 0xFFFFFFu, kMagenta);
    QCOMPARE(image.pixel(600, 368 + 25) & 0xFFFFFFu, kWhite);
}

QTEST_MAIN(TstSubF)
#include "tst_subf.moc"
