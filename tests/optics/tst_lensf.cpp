// The thick-lens window driven offscreen at its design size: a 601 x 326 client gives a
// 591 x 208 drawing, origin (295, 104), 14.775 pixels per centimetre. "Lentille biconvexe
// n°1" (e 0.01, h 6, radii 8.93) then has its vertices at x = ±2.326 cm, columns 261 and 329.
// Radii are checked with the sagitta rule: a surface of chord half-height h bulging by s
// has radius (s² + h²) / 2s.
#include "modules/optics/lensbench/LensF.h"

#include "imaging/PaintBox.h"
#include "modules/optics/lenseditor/ChoixGeoF.h"
#include "modules/optics/lenseditor/LensEdF.h"
#include "shell/Settings.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

using namespace kaleno;

Q_DECLARE_METATYPE(kaleno::SurfaceKind)

namespace {

constexpr double kScale = 14.775;
constexpr int kX0 = 295;
constexpr int kY0 = 104;
const QPoint kFirstVertex(261, kY0);
const QPoint kSecondVertex(329, kY0);
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kDarkRed = 0x800000;
constexpr uint32_t kWhite = 0xFFFFFF;

// (s² + h²) / 2s for a vertex at `column`, s measured from the rim at ±0.01.
double sagittaRadius(int column, double rim)
{
    const double s = std::abs((column - kX0) / kScale - rim);
    return (s * s + 36) / (2 * s);
}

// Pixels of `value` in the box of `work` from (x0, y0) to (x1, y1), bounds included.
int countPixels(const TDibPlus &work, int x0, int y0, int x1, int y1, uint32_t value)
{
    int count = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            count += work.GetPixel(x, y) == value ? 1 : 0;
    return count;
}

bool onHandleOutline(int i, int j)
{
    return i == 0 || i == 8 || j == 0 || j == 8 || (i == 4 && j == 4);
}

} // namespace

class TstLensF : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensAtDesignSize();
    void listsHoldTheirItems_data();
    void listsHoldTheirItems();
    void resizingSnapsToTheMinimum();
    void surfaceDrag_data();
    void surfaceDrag();
    void thicknessDrag_data();
    void thicknessDrag();
    void heightDrag_data();
    void heightDrag();
    void beamFollowsTheMouse_data();
    void beamFollowsTheMouse();
    void clickAwayFromHandleKeepsBlinking();
    void statusFollowsTheMode_data();
    void statusFollowsTheMode();
    void longMessageEndsInEllipsis();
    void handlesAreOredThenAnded();
    void controlsChangeTheBench();
    void copyPutsTheDrawingOnTheClipboard();
    void addBoutInsertsTheCurrentLens();
    void coloursDialogRepaintsTheBackground();

private:
    PaintBox *display() const { return window->findChild<PaintBox *>(QStringLiteral("Display")); }
    template <typename T> T *control(const char *name) const
    {
        return window->findChild<T *>(QLatin1String(name));
    }
    QString status() const { return control<QLabel>("MessLab")->text(); }
    void press(QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(display(), button, {}, at);
    }
    void drag(QPoint from, QPoint to)
    {
        QTest::mousePress(display(), Qt::LeftButton, {}, from);
        QTest::mouseMove(display(), to);
        QTest::mouseRelease(display(), Qt::LeftButton, {}, to);
    }
    void chooseLens(int index) { control<QComboBox>("LensCombo")->setCurrentIndex(index - 1); }
    uint32_t workPixel(QPoint p) const { return window->Work().GetPixel(p.x(), p.y()); }

    Settings saved;
    std::unique_ptr<TLensF> window;
};

void TstLensF::init()
{
    saved = AppSettings();
    AppSettings() = Settings();
    window = std::make_unique<TLensF>();
    window->resize(601, 326);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(window->size(), QSize(601, 326));
}

void TstLensF::cleanup()
{
    window.reset();
    AppSettings() = saved;
}

void TstLensF::opensAtDesignSize()
{
    QCOMPARE(window->objectName(), QStringLiteral("TLensF"));
    QCOMPARE(window->windowTitle(), QStringLiteral(" Lentilles épaisses - Kaleno"));
    QCOMPARE(window->HelpKeyword(), QStringLiteral("Lens"));
    QCOMPARE(display()->geometry(), QRect(4, 4, 591, 208));
    QCOMPARE(window->Work().Width(), 591);
    QCOMPARE(window->Work().Height(), 208);
    QCOMPARE(window->Model().view.x0, kX0);
    QCOMPARE(window->Model().view.y0, kY0);
    QCOMPARE(window->FirstVertexHandle(), kFirstVertex);
    QCOMPARE(window->SecondVertexHandle(), kSecondVertex);
    QCOMPARE(window->Model().beam.slope, 0.6);
    QCOMPARE(window->Model().beam.intercept, 8.0);
    QCOMPARE(window->EditMode(), 0);
    QVERIFY(!window->findChild<QTimer *>(QStringLiteral("Flash"))->isActive());
    QCOMPARE(status(),
        QStringLiteral("Modification des rayons : cliquez sur l'image avec le bouton droit ou "
                       "gauche de la souris"));
    for (const char *name : {"Panel", "ChangeHBout", "ChangeLensBout", "ChangeEpBout",
             "SpeedButton1", "CentrerBout", "LensTextCheck", "AddBout", "MessLab"})
        QVERIFY2(control<QWidget>(name), name);
    // The background: frame in cgBord (white), axis in cgAxe (128, 0, 0) at column 100.
    QCOMPARE(window->Back().GetPixel(0, 50), kWhite);
    QCOMPARE(window->Back().GetPixel(100, kY0), kDarkRed);
    QCOMPARE(window->Back().GetPixel(100, 50), 0u);
    // The lens in cgLens (white) at both vertices and at the rim's top corner (295, 15).
    QVERIFY(countPixels(window->Work(), 259, kY0 - 2, 263, kY0 + 2, kWhite) > 0);
    QVERIFY(countPixels(window->Work(), 327, kY0 - 2, 331, kY0 + 2, kWhite) > 0);
    QVERIFY(countPixels(window->Work(), 293, 13, 297, 17, kWhite) > 0);
    // Nothing of the lens beyond its vertices on the axis.
    QCOMPARE(countPixels(window->Work(), 240, kY0 - 2, 255, kY0 + 2, kWhite), 0);
}

void TstLensF::listsHoldTheirItems_data()
{
    QTest::addColumn<QString>("combo");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selected");
    QTest::newRow("one ray") << "NBRayCombo" << 13 << 0 << " 1 rayon lumineux" << 1;
    QTest::newRow("three rays") << "NBRayCombo" << 13 << 1 << " 3 rayons lumineux" << 1;
    QTest::newRow("600 rays") << "NBRayCombo" << 13 << 12 << " 600 rayons lumineux" << 1;
    QTest::newRow("narrow") << "LFasciCombo" << 3 << 0 << " Faisceau fin" << 1;
    QTest::newRow("wide") << "LFasciCombo" << 3 << 2 << " Faisceau large" << 1;
    QTest::newRow("parallel") << "TypeFasciCombo" << 7 << 0 << " Faisceau parallèle" << 0;
    QTest::newRow("very convergent")
        << "TypeFasciCombo" << 7 << 6 << " Faisceau très convergent" << 0;
    QTest::newRow("first lens") << "LensCombo" << 10 << 0 << "1 - Lentille biconvexe n°1" << 0;
    QTest::newRow("last lens") << "LensCombo" << 10 << 9 << "10 - Lame épaisse" << 0;
}

void TstLensF::listsHoldTheirItems()
{
    QFETCH(QString, combo);
    QFETCH(int, count);
    QFETCH(int, item);
    QFETCH(QString, text);
    QFETCH(int, selected);
    auto *box = window->findChild<QComboBox *>(combo);
    QVERIFY(box);
    QCOMPARE(box->count(), count);
    QCOMPARE(box->itemText(item), text);
    QCOMPARE(box->currentIndex(), selected);
}

void TstLensF::resizingSnapsToTheMinimum()
{
    window->resize(200, 100);
    QCOMPARE(window->size(), QSize(350, 300));
    QCOMPARE(display()->size(), QSize(340, 182));
    QCOMPARE(window->Work().Width(), 340);
    QCOMPARE(window->Model().view.scale, 0.025 * 340);
    auto *label = control<QLabel>("MessLab");
    QCOMPARE(label->width(), 350 - 10 - 8);
}

void TstLensF::surfaceDrag_data()
{
    QTest::addColumn<bool>("first");
    QTest::addColumn<int>("column");
    QTest::addColumn<SurfaceKind>("kind");
    QTest::addColumn<double>("radius");
    QTest::addColumn<int>("vertex");
    // Right of the rim the first surface bulges into the lens: concave.
    QTest::newRow("first to concave")
        << true << 310 << SurfaceKind::Concave << sagittaRadius(310, -0.01) << 310;
    // One column off the rim: s = 0.078 cm, r = 232 cm, beyond 100: plane.
    QTest::newRow("first near the rim: plane") << true << 296 << SurfaceKind::Plane << 100.0 << -1;
    QTest::newRow("first on the rim: plane") << true << 295 << SurfaceKind::Plane << 100.0 << -1;
    // Far left, held to column 206 (x = -6.02): r would be 6.00, below h + 0.1.
    QTest::newRow("first at its range end") << true << 100 << SurfaceKind::Convex << 6.1 << -1;
    // Held 2 pixels left of the second vertex (329), inside the range end 384.
    QTest::newRow("first against the second")
        << true << 380 << SurfaceKind::Concave << sagittaRadius(327, -0.01) << 327;
    QTest::newRow("second to concave")
        << false << 280 << SurfaceKind::Concave << sagittaRadius(280, 0.01) << 280;
    QTest::newRow("second on the rim: plane") << false << 295 << SurfaceKind::Plane << 100.0 << -1;
    QTest::newRow("second at its range end") << false << 600 << SurfaceKind::Convex << 6.1 << -1;
    // Range end 206, then held 2 pixels right of the first vertex (261).
    QTest::newRow("second against the first")
        << false << 150 << SurfaceKind::Concave << sagittaRadius(263, 0.01) << 263;
}

void TstLensF::surfaceDrag()
{
    QFETCH(bool, first);
    QFETCH(int, column);
    QFETCH(SurfaceKind, kind);
    QFETCH(double, radius);
    QFETCH(int, vertex);
    control<QToolButton>("ChangeLensBout")->click();
    QCOMPARE(window->EditMode(), 1);
    const QPoint handle = first ? kFirstVertex : kSecondVertex;
    // A click 5 pixels off the handle still catches it.
    QTest::mousePress(display(), Qt::LeftButton, {}, handle + QPoint(5, -5));
    QCOMPARE(window->EditMode(), first ? 2 : 3);
    QCOMPARE(display()->cursor().shape(), Qt::SizeHorCursor);
    QCOMPARE(window->DragLow(), 206);
    QCOMPARE(window->DragHigh(), 384);
    QCOMPARE(window->RimColumn(), 295);
    QTest::mouseMove(display(), QPoint(column, 40));
    QTest::mouseRelease(display(), Qt::LeftButton, {}, QPoint(column, 40));
    QCOMPARE(window->EditMode(), 1);
    QCOMPARE(display()->cursor().shape(), Qt::ArrowCursor);

    const CurrentLens &lens = window->Model().lens;
    QCOMPARE(first ? lens.kind1 : lens.kind2, kind);
    QVERIFY2(std::abs((first ? lens.r1 : lens.r2) - radius) < 1e-9,
        qPrintable(QString::number(first ? lens.r1 : lens.r2, 'g', 12)));
    // The other surface is untouched.
    QCOMPARE(first ? lens.r2 : lens.r1, 8.93);
    if (vertex >= 0)
        QCOMPARE(first ? lens.vx1 : lens.vx2, vertex);
    QVERIFY(lens.vx2 - lens.vx1 >= 2);
}

void TstLensF::thicknessDrag_data()
{
    QTest::addColumn<int>("lens");
    QTest::addColumn<int>("column");
    QTest::addColumn<double>("e");
    QTest::newRow("30 pixels right of the centre") << 1 << 325 << 30 / kScale;
    QTest::newRow("left of the centre") << 1 << 250 << 0.01;
    // Two plane faces 0.01 cm from the centre both round to column 295: the rim widens
    // to 0.06 cm, columns 294 and 296.
    QTest::newRow("plane faces widened") << 8 << 250 << 0.06;
    QTest::newRow("held to 50 cm") << 1 << 2000 << 50.0;
}

void TstLensF::thicknessDrag()
{
    QFETCH(int, lens);
    QFETCH(int, column);
    QFETCH(double, e);
    chooseLens(lens);
    control<QToolButton>("ChangeEpBout")->click();
    QCOMPARE(window->EditMode(), 4);
    const QPoint handle = window->ThicknessHandle();
    QCOMPARE(handle.y(), kY0);
    press(handle);
    QCOMPARE(window->EditMode(), 5);
    QTest::mouseMove(display(), QPoint(column, 150));
    QVERIFY2(std::abs(window->Model().lens.e - e) < 1e-9,
        qPrintable(QString::number(window->Model().lens.e, 'g', 12)));
    QTest::mouseRelease(display(), Qt::LeftButton, {}, QPoint(column, 150));
    QCOMPARE(window->EditMode(), 4);
}

void TstLensF::heightDrag_data()
{
    QTest::addColumn<int>("lens");
    QTest::addColumn<int>("row");
    QTest::addColumn<double>("h");
    QTest::newRow("44 pixels above the axis") << 1 << 60 << 44 / kScale;
    // 10.02 cm would reach the radii 8.93: held 0.1 below them.
    QTest::newRow("below the radii") << 1 << -44 << 8.83;
    QTest::newRow("at least 2 cm") << 1 << 100 << 2.0;
    QTest::newRow("under the axis: 2 cm") << 1 << 180 << 2.0;
    // A plate's radii are 100 cm: the height stops at 20.
    QTest::newRow("at most 20 cm") << 8 << -400 << 20.0;
}

void TstLensF::heightDrag()
{
    QFETCH(int, lens);
    QFETCH(int, row);
    QFETCH(double, h);
    chooseLens(lens);
    control<QToolButton>("ChangeHBout")->click();
    const QPoint handle = window->HeightHandle();
    QCOMPARE(handle.x(), kX0);
    press(handle + QPoint(-5, 5));
    QCOMPARE(window->EditMode(), 7);
    QCOMPARE(display()->cursor().shape(), Qt::SizeVerCursor);
    QTest::mouseMove(display(), QPoint(400, row));
    QVERIFY2(std::abs(window->Model().lens.h - h) < 1e-9,
        qPrintable(QString::number(window->Model().lens.h, 'g', 12)));
    QTest::mouseRelease(display(), Qt::LeftButton, {}, QPoint(400, row));
    QCOMPARE(window->EditMode(), 6);
    QCOMPARE(window->HeightHandle(), QPoint(kX0, qRound(kY0 - h * kScale)));
}

void TstLensF::beamFollowsTheMouse_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<double>("slope");
    QTest::addColumn<double>("intercept");
    // (150, 60) is x = -145 / 14.775 = -9.814 cm, y = 44 / 14.775 = 2.978 cm.
    QTest::newRow("translation") << int(Qt::LeftButton) << QPoint(150, 60) << 0.6
                                 << 2.978003384 + 0.6 * 9.813874788;
    QTest::newRow("translation right of the lens: none")
        << int(Qt::LeftButton) << QPoint(400, 60) << 0.6 << 8.0;
    QTest::newRow("rotation") << int(Qt::RightButton) << QPoint(150, 60) << -44.0 / 145 << 0.0;
    QTest::newRow("rotation held to -1") << int(Qt::RightButton) << QPoint(290, 10) << -1.0 << 0.0;
    QTest::newRow("rotation held to 1") << int(Qt::RightButton) << QPoint(250, 200) << 1.0 << 0.0;
}

void TstLensF::beamFollowsTheMouse()
{
    QFETCH(int, button);
    QFETCH(QPoint, to);
    QFETCH(double, slope);
    QFETCH(double, intercept);
    const auto mouseButton = Qt::MouseButton(button);
    QTest::mousePress(display(), mouseButton, {}, QPoint(100, 50));
    QTest::mouseMove(display(), to);
    QVERIFY2(std::abs(window->Model().beam.slope - slope) < 1e-8,
        qPrintable(QString::number(window->Model().beam.slope, 'g', 12)));
    QVERIFY2(std::abs(window->Model().beam.intercept - intercept) < 1e-8,
        qPrintable(QString::number(window->Model().beam.intercept, 'g', 12)));
    QTest::mouseRelease(display(), mouseButton, {}, to);
    QCOMPARE(window->MessageIndex(), 0);
}

void TstLensF::clickAwayFromHandleKeepsBlinking()
{
    control<QToolButton>("ChangeLensBout")->click();
    auto *flash = window->findChild<QTimer *>(QStringLiteral("Flash"));
    QVERIFY(flash->isActive());
    QCOMPARE(flash->interval(), 300);
    press(kFirstVertex + QPoint(6, 0));
    QTest::mouseRelease(display(), Qt::LeftButton, {}, kFirstVertex + QPoint(6, 0));
    QCOMPARE(window->EditMode(), 1);
    const bool blink = window->BlinkOn();
    QTRY_COMPARE(window->BlinkOn(), !blink);
    QTRY_COMPARE(window->BlinkOn(), blink);
    control<QToolButton>("ChangeLensBout")->click();
    QCOMPARE(window->EditMode(), 0);
    QVERIFY(!flash->isActive());
}

void TstLensF::statusFollowsTheMode_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("message");
    QTest::newRow("right press") << "right" << 0
                                 << "Rotation des rayons en cours : déplacez la souris sans "
                                    "relâcher le bouton droit";
    QTest::newRow("left press") << "left" << 0
                                << "Translation du rayon en cours : déplacez la souris sans "
                                   "relâcher le bouton gauche";
    QTest::newRow("thickness") << "ChangeEpBout" << 4
                               << "Modification de l'épaisseur de la lentille : cliquez sur la "
                                  "poignée clignotante";
    QTest::newRow("height") << "ChangeHBout" << 6
                            << "Modification de la hauteur de la lentille : cliquez sur la "
                               "poignée clignotante";
    QTest::newRow("curvature") << "ChangeLensBout" << 1
                               << "Modification de la courbure de l'un des dioptres : cliquez "
                                  "sur une poignée clignotante";
    QTest::newRow("second surface")
        << "second" << 3
        << "Modification de la courbure du second dioptre en cours : déplacer la souris sans "
           "relâcher le bouton gauche";
    QTest::newRow("height drag") << "height drag" << 7
                                 << "Modification de la hauteur de la lentille en cours : "
                                    "déplacez la souris sans relâcher le bouton gauche";
}

void TstLensF::statusFollowsTheMode()
{
    QFETCH(QString, action);
    QFETCH(int, mode);
    QFETCH(QString, message);
    window->resize(1200, 326);
    if (action == QLatin1String("right"))
        press(QPoint(100, 50), Qt::RightButton);
    else if (action == QLatin1String("left"))
        press(QPoint(100, 50));
    else if (action == QLatin1String("second")) {
        control<QToolButton>("ChangeLensBout")->click();
        press(window->SecondVertexHandle());
    } else if (action == QLatin1String("height drag")) {
        control<QToolButton>("ChangeHBout")->click();
        press(window->HeightHandle());
    } else {
        window->findChild<QToolButton *>(action)->click();
    }
    QCOMPARE(window->EditMode(), mode);
    QCOMPARE(status(), message);
}

void TstLensF::longMessageEndsInEllipsis()
{
    const QString full = QStringLiteral("Modification de l'épaisseur de la lentille en cours : "
                                        "déplacez la souris sans relâcher le bouton gauche");
    window->resize(350, 300);
    control<QToolButton>("ChangeEpBout")->click();
    press(window->ThicknessHandle());
    auto *label = control<QLabel>("MessLab");
    const QString shown = label->text();
    QVERIFY2(shown.endsWith(QStringLiteral("...")), qPrintable(shown));
    QVERIFY(full.startsWith(shown.chopped(3)));
    QVERIFY(shown.size() < full.size());
    QVERIFY(QFontMetrics(window->font()).horizontalAdvance(shown) <= label->width());
    // One character more would not fit.
    const QString longer = full.left(shown.size() - 2) + QStringLiteral("...");
    QVERIFY(QFontMetrics(window->font()).horizontalAdvance(longer) > label->width());
    // Wider again, the whole message comes back.
    window->resize(1400, 300);
    QCOMPARE(label->text(), full);
}

void TstLensF::handlesAreOredThenAnded()
{
    const TDibPlus before = window->Work();
    control<QToolButton>("ChangeLensBout")->click();
    const auto checkHandle = [&](QPoint point, uint32_t colour) {
        for (int j = 0; j < 9; ++j)
            for (int i = 0; i < 9; ++i) {
                const QPoint p = point + QPoint(i - 4, j - 4);
                const uint32_t expected
                    = onHandleOutline(i, j) ? colour : before.GetPixel(p.x(), p.y());
                if (workPixel(p) != expected)
                    return false;
            }
        return true;
    };
    const uint32_t blinking = window->BlinkOn() ? kRed : kDarkRed;
    QVERIFY(checkHandle(kFirstVertex, blinking));
    QVERIFY(checkHandle(kSecondVertex, blinking));
    // Dragging: the mask on both vertices, the red only on the dragged one.
    press(kFirstVertex);
    QVERIFY(checkHandle(kFirstVertex, kRed));
    QVERIFY(checkHandle(kSecondVertex, kWhite));
    QTest::mouseRelease(display(), Qt::LeftButton, {}, kFirstVertex);
    // The frame shown is the drawing.
    QCOMPARE(display()->Frame().pixel(kSecondVertex) & 0xFFFFFFu, workPixel(kSecondVertex));
}

void TstLensF::controlsChangeTheBench()
{
    chooseLens(8);
    QCOMPARE(AppSettings().LensIndex, 8);
    QCOMPARE(window->Model().lens.kind1, SurfaceKind::Plane);
    QCOMPARE(window->Model().lens.e, 0.5);
    QCOMPARE(window->Model().lens.h, 8.0);

    control<QComboBox>("NBRayCombo")->setCurrentIndex(12);
    QCOMPARE(AppSettings().NbRayons, 600);
    QCOMPARE(window->Model().rayCount, 600);
    control<QComboBox>("TypeFasciCombo")->setCurrentIndex(3);
    QCOMPARE(AppSettings().TypeFasciIndex, 3);
    control<QComboBox>("LFasciCombo")->setCurrentIndex(2);
    QCOMPARE(AppSettings().LFasciIndex, 2);

    // Centred, the 1-ray beam runs along the axis through the plate: ray colour on the
    // axis far right of the lens.
    control<QComboBox>("NBRayCombo")->setCurrentIndex(0);
    control<QToolButton>("CentrerBout")->click();
    QCOMPARE(window->Model().beam.slope, 0.0);
    QCOMPARE(window->Model().beam.intercept, 0.0);
    QCOMPARE(workPixel(QPoint(550, kY0)), 0x00FFFFu);

    // Seven lines of parameters in cgTexte (192, 192, 192) from (5, 5), 13 pixels apart;
    // without them only the title's line remains.
    constexpr uint32_t kGrey = 0xC0C0C0;
    QVERIFY(countPixels(window->Work(), 5, 5, 150, 17, kGrey) > 0);
    QVERIFY(countPixels(window->Work(), 5, 83, 150, 95, kGrey) > 0);
    auto *check = control<QCheckBox>("LensTextCheck");
    QVERIFY(check->isChecked());
    check->click();
    QVERIFY(!AppSettings().LensTextFlag);
    QVERIFY(countPixels(window->Work(), 5, 5, 150, 17, kGrey) > 0);
    QCOMPARE(countPixels(window->Work(), 5, 19, 150, 95, kGrey), 0);

    // Without the dialogs, their buttons are disabled; without LensModiFlag, the text
    // check and AddBout too.
    QVERIFY(!control<QPushButton>("AddBout")->isEnabled());
    QVERIFY(!control<QToolButton>("SpeedButton1")->isEnabled());
    TLensEdF editor;
    window->SetDialogs(&editor, nullptr);
    QVERIFY(control<QPushButton>("AddBout")->isEnabled());
    window->close();
    AppSettings().LensModiFlag = false;
    window->show();
    QVERIFY(!control<QPushButton>("AddBout")->isEnabled());
    QVERIFY(!check->isEnabled());
    window->SetDialogs(nullptr, nullptr);
}

void TstLensF::copyPutsTheDrawingOnTheClipboard()
{
    control<QToolButton>("ChangeEpBout")->click();
    control<QToolButton>("CopierBout")->click();
    const QImage image = QApplication::clipboard()->image();
    QCOMPARE(image.size(), QSize(591, 208));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFFu) != workPixel(QPoint(x, y)))
                QFAIL(qPrintable(QStringLiteral("differs at %1, %2").arg(x).arg(y)));
}

void TstLensF::addBoutInsertsTheCurrentLens()
{
    TLensEdF editor;
    window->SetDialogs(&editor, nullptr);
    // A thicker first lens goes to the list under the editor's default name.
    control<QToolButton>("ChangeEpBout")->click();
    press(window->ThicknessHandle());
    QTest::mouseMove(display(), QPoint(325, kY0));
    QTest::mouseRelease(display(), Qt::LeftButton, {}, QPoint(325, kY0));
    QTimer::singleShot(0, this, [] {
        QWidget *dialog = QApplication::activeModalWidget();
        QVERIFY(dialog);
        dialog->findChild<QPushButton *>(QStringLiteral("AddBout"))->click();
        dialog->findChild<QPushButton *>(QStringLiteral("OkBout"))->click();
    });
    control<QPushButton>("AddBout")->click();
    QCOMPARE(AppSettings().NbLens, 11);
    auto *lenses = control<QComboBox>("LensCombo");
    QCOMPARE(lenses->count(), 11);
    QCOMPARE(lenses->currentIndex(), AppSettings().LensIndex - 1);
    const LensDef &added = AppSettings().LensTable[std::size_t(AppSettings().LensIndex)];
    // 30 pixels at 14.775 a centimetre: 2.030 cm, stored in thousandths.
    QCOMPARE(added.Ep, 2030);
    QCOMPARE(added.Ra1, 8930);
    QCOMPARE(window->Model().lens.e, 2.03);
    QCOMPARE(lenses->currentText(),
        QStringLiteral("%1 - %2").arg(AppSettings().LensIndex).arg(added.No));
}

void TstLensF::coloursDialogRepaintsTheBackground()
{
    TChoixGeoF colours;
    window->SetDialogs(nullptr, &colours);
    QVERIFY(control<QToolButton>("SpeedButton1")->isEnabled());
    // The printing preset: white background, black frame, axis (192, 192, 192).
    QTimer::singleShot(0, this, [] {
        QWidget *dialog = QApplication::activeModalWidget();
        QVERIFY(dialog);
        dialog->findChild<QPushButton *>(QStringLiteral("ImprimeBout"))->click();
        dialog->findChild<QPushButton *>(QStringLiteral("OkBout"))->click();
    });
    control<QToolButton>("SpeedButton1")->click();
    QCOMPARE(window->Back().GetPixel(100, 50), kWhite);
    QCOMPARE(window->Back().GetPixel(0, 50), 0u);
    QCOMPARE(window->Back().GetPixel(100, kY0), 0xC0C0C0u);
    QCOMPARE(window->Work().GetPixel(100, 180), kWhite);
}

QTEST_MAIN(TstLensF)
#include "tst_lensf.moc"
