#include "modules/optics/photo/PhotoF.h"

#include "imaging/PaintBox.h"
#include "modules/optics/photo/PickPhotoF.h"
#include "platform/HelpViewer.h"
#include "shell/Settings.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>
#include <set>

using namespace kaleno;

// A 621 x 361 window draws on 611 x 245 pixels: the lens at column 305, the axis on row
// 122. With the 35 mm objective the object side has 611 / (300 * 0.035) = 58.19 pixels a
// metre, the film side min(611 / (2.2 * 0.035), 245 / (7 * 0.012)) = 2916.67. The object
// starts 100 f = 3.5 m before the lens (column 305 - 204 = 101) and the film at f
// (column 305 + 102 = 407).
namespace {

constexpr double kF = 0.035;
constexpr double kLensX = 150 * kF;
constexpr double kObjScale = 611 / (300 * kF);
constexpr double kImgScale = 245 / (7 * 0.012);
constexpr int kLensColumn = 305;
constexpr int kAxisRow = 122;
constexpr uint32_t kYellowPixel = 0xFFFF00;

// Thin lens: the image distance p' from 1/p + 1/p' = 1/f.
double imageDistance(double p) { return kF * p / (p - kF); }

} // namespace

class TstPhotoF : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensOnTheThirtyFiveMillimetre();
    void autofocusSharpensAndMovingTheFilmBlurs();
    void diaphragmDarkensByItsFactor_data();
    void diaphragmDarkensByItsFactor();
    void dragsStopAtTheirLimits_data();
    void dragsStopAtTheirLimits();
    void objectiveChangeResetsPositions();
    void readoutLines_data();
    void readoutLines();
    void cursorsAreDrawnButNotCopied();
    void hoverSetsModeCursorAndMessage();
    void longMessageIsShortenedToFit();
    void objectButtonFollowsDialogAndSetting_data();
    void objectButtonFollowsDialogAndSetting();
    void objectDialogRecoloursTheObject();
    void helpOpensOnItsKeyword();
    void displayFollowsTheSceneThroughDrags();

private:
    PaintBox *display() const { return window->findChild<PaintBox *>(QStringLiteral("Display")); }
    template <typename T> T *child(const char *name) const
    {
        return window->findChild<T *>(QLatin1String(name));
    }
    void drag(QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton)
    {
        // Qt drops a move to where the pointer already is: come from the top row.
        QTest::mouseMove(display(), QPoint(from.x(), 5));
        QTest::mouseMove(display(), from);
        QTest::mousePress(display(), button, {}, from);
        QTest::mouseMove(display(), to);
        QTest::mouseRelease(display(), button, {}, to);
    }
    int filmColumn() const { return ColumnOfX(window->Camera(), window->Camera().filmX); }
    // Pixels inside the film picture's frame that are neither black nor a colour of the
    // object: none in a sharp picture, many in a blurred one.
    int mixedFilmPixels() const
    {
        const TDibPlus &film = window->FilmPicture();
        const ColourRamp ramp = MakeColourRamp(AppSettings().ObjColor1, AppSettings().ObjColor2);
        std::set<uint32_t> clean {0};
        for (uint32_t colour : ramp)
            clean.insert(SwapRB(colour));
        int mixed = 0;
        for (int y = 1; y < film.Height() - 1; ++y)
            for (int x = 1; x < film.Width() - 1; ++x)
                mixed += clean.count(film.GetPixel(x, y)) == 0;
        return mixed;
    }

    std::unique_ptr<TPhotoF> window;
};

void TstPhotoF::init()
{
    AppSettings() = Settings {};
    window = std::make_unique<TPhotoF>();
    window->resize(621, 361);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(display()->size(), QSize(611, 245));
}

void TstPhotoF::cleanup() { window.reset(); }

void TstPhotoF::opensOnTheThirtyFiveMillimetre()
{
    const CameraState &c = window->Camera();
    QCOMPARE(c.f, kF);
    QCOMPARE(child<QComboBox>("FocaleCombo")->currentIndex(), 1);
    QCOMPARE(child<QComboBox>("RayCombo")->currentIndex(), 1);
    QCOMPARE(c.rayTotal, 20);
    QCOMPARE(c.lensColumn, kLensColumn);
    QCOMPARE(c.axisRow, kAxisRow);
    QCOMPARE(ColumnOfX(c, c.objectX), 101);
    QCOMPARE(filmColumn(), 407);
    QCOMPARE(window->FilmPicture().Width(), 70); // 24 mm at 2916.67 pixels a metre
    QCOMPARE(window->FilmPictureOrigin(), QPoint(611 - 30 - 70, 10));
    QVERIFY(window->windowTitle().startsWith(QStringLiteral(" Appareil photographique - ")));
}

void TstPhotoF::autofocusSharpensAndMovingTheFilmBlurs()
{
    QTest::mouseClick(child<QToolButton>("AutoFocusBout"), Qt::LeftButton);
    const CameraState &c = window->Camera();
    QVERIFY(qAbs(c.filmX - kLensX - imageDistance(100 * kF)) < 1e-12);
    QCOMPARE(mixedFilmPixels(), 0);
    const int sharpColumn = filmColumn();

    // Three pixels further is 1 mm, far beyond the depth of focus (some hundredths of a mm).
    drag(QPoint(sharpColumn, kAxisRow), QPoint(sharpColumn + 3, kAxisRow));
    QVERIFY(qAbs(c.filmX - (kLensX + (sharpColumn + 3 - kLensColumn) / kImgScale)) < 1e-12);
    QVERIFY(mixedFilmPixels() > 20);

    QTest::mouseClick(child<QToolButton>("AutoFocusBout"), Qt::LeftButton);
    QCOMPARE(mixedFilmPixels(), 0);
}

void TstPhotoF::diaphragmDarkensByItsFactor_data()
{
    QTest::addColumn<int>("item");
    QTest::addColumn<int>("factor");
    QTest::newRow("f/2.8") << 1 << 230;
    QTest::newRow("f/4") << 2 << 205;
    QTest::newRow("f/5.6") << 3 << 180;
    QTest::newRow("f/8") << 4 << 155;
    QTest::newRow("f/11") << 5 << 130;
    QTest::newRow("f/16") << 6 << 105;
}

void TstPhotoF::diaphragmDarkensByItsFactor()
{
    QFETCH(int, item);
    QFETCH(int, factor);
    QTest::mouseClick(child<QToolButton>("AutoFocusBout"), Qt::LeftButton);
    const TDibPlus open = window->FilmPicture();
    child<QComboBox>("NCombo")->setCurrentIndex(item);
    QTest::mouseClick(child<QToolButton>("AutoFocusBout"), Qt::LeftButton);
    const TDibPlus closed = window->FilmPicture();
    int coloured = 0;
    for (int y = 1; y < open.Height() - 1; ++y)
        for (int x = 1; x < open.Width() - 1; ++x) {
            const uint32_t before = open.GetPixel(x, y);
            coloured += before != 0;
            const uint32_t after = closed.GetPixel(x, y);
            for (int shift : {0, 8, 16})
                QCOMPARE(int(after >> shift & 0xFF), int(before >> shift & 0xFF) * factor / 256);
        }
    QVERIFY(coloured > 50);
    // The diaphragm covers the top of the lens picture, right half, down to the opening.
    const CameraState &c = window->Camera();
    QVERIFY(FilmSideRow(c, c.apertureHalf) > FilmSideRow(c, c.lensHalf) + 2);
    QCOMPARE(
        window->Background().GetPixel(kLensColumn + 2, FilmSideRow(c, c.lensHalf) + 1), 0x808080u);
}

void TstPhotoF::dragsStopAtTheirLimits_data()
{
    QTest::addColumn<bool>("film");
    QTest::addColumn<int>("toColumn");
    QTest::addColumn<double>("expected");
    // The object never comes nearer than 5 f: the image then forms 1.25 f behind the lens.
    QTest::newRow("object onto the lens") << false << 600 << kLensX - 5 * kF;
    QTest::newRow("object past the left edge") << false << -50 << 0.0;
    QTest::newRow("object 2 m before the lens")
        << false << kLensColumn - 116 << kLensX - 116 / kObjScale;
    QTest::newRow("film left of the lens") << true << 10 << kLensX;
    QTest::newRow("film 10 cm behind") << true << kLensColumn + 292 << kLensX + 292 / kImgScale;
}

void TstPhotoF::dragsStopAtTheirLimits()
{
    QFETCH(bool, film);
    QFETCH(int, toColumn);
    QFETCH(double, expected);
    const CameraState &c = window->Camera();
    const int from = film ? filmColumn() : ColumnOfX(c, c.objectX);
    drag(QPoint(from, kAxisRow + 5), QPoint(toColumn, kAxisRow + 5));
    QVERIFY(qAbs((film ? c.filmX : c.objectX) - expected) < 1e-9);
    if (!film && toColumn == 600)
        QVERIFY(qAbs(c.gamma - 0.25) < 1e-12); // p' = 5f / 4 for p = 5f
    QCOMPARE(window->DragMode(), int(TPhotoF::kIdle));
}

void TstPhotoF::objectiveChangeResetsPositions()
{
    drag(QPoint(filmColumn(), kAxisRow), QPoint(filmColumn() + 40, kAxisRow));
    child<QComboBox>("FocaleCombo")->setCurrentIndex(4);
    const CameraState &c = window->Camera();
    QCOMPARE(c.f, 0.135);
    QVERIFY(qAbs(c.lensX - 150 * 0.135) < 1e-12);
    QVERIFY(qAbs(c.objectX - 50 * 0.135) < 1e-12);
    QVERIFY(qAbs(c.filmX - 151 * 0.135) < 1e-12);
}

void TstPhotoF::readoutLines_data()
{
    QTest::addColumn<QList<QPoint>>("leftRight");
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<QStringList>("texts");
    // Column 100: (100 - 305) / 58.19 m = -352.29 cm; row 50: 72 / 58.19 m = 123.73 cm.
    // Column 400: 95 / 2916.67 m = 3.257 cm; row 150: -28 / 2916.67 m = -0.96 cm.
    const QPoint left(100, 50), right(400, 150), none(-1, -1);
    QTest::newRow("cursor 1 only") << QList<QPoint> {left, none} << false
                                   << QStringList {"x1 : -352.3 cm", "Curseur 2 absent"};
    QTest::newRow("cursor 2 only") << QList<QPoint> {none, right} << false
                                   << QStringList {"Curseur 1 absent", "x2 :    3.3 cm   "};
    QTest::newRow("both") << QList<QPoint> {left, right} << false
                          << QStringList {
                                 "x1 : -352.3 cm", "x2 :    3.3 cm   ", "x2-x1 :  355.5 cm   "};
    QTest::newRow("both, horizontal")
        << QList<QPoint> {left, right} << true
        << QStringList {"x1 : -352.3 cm", "y1 :  123.7 cm", "x2 :    3.3 cm   ",
               "y2 :   -1.0 cm   ", "x2-x1 :  355.5 cm   ", "y2-y1 : -124.7 cm   "};
}

void TstPhotoF::readoutLines()
{
    QFETCH(QList<QPoint>, leftRight);
    QFETCH(bool, horizontal);
    QFETCH(QStringList, texts);
    QCOMPARE(window->ReadoutTexts().size(), 3); // the credit lines
    if (horizontal)
        QTest::mouseClick(child<QToolButton>("HorizonBout"), Qt::LeftButton);
    const Qt::MouseButton buttons[2] = {Qt::LeftButton, Qt::RightButton};
    for (int i = 0; i < 2; ++i)
        if (leftRight[i].x() >= 0)
            drag(leftRight[i] - QPoint(3, 3), leftRight[i], buttons[i]);
    QCOMPARE(window->ReadoutTexts(), texts);

    QTest::mouseClick(child<QToolButton>("RazCurBout"), Qt::LeftButton);
    QCOMPARE(window->CursorPosition(1).x(), -1);
    QCOMPARE(window->CursorPosition(2).x(), -1);
    QCOMPARE(window->ReadoutTexts().size(), 3);
    QVERIFY(!window->ReadoutTexts().join(QString()).contains(QStringLiteral("Curseur")));
}

void TstPhotoF::cursorsAreDrawnButNotCopied()
{
    QTest::mouseClick(child<QToolButton>("HorizonBout"), Qt::LeftButton);
    drag(QPoint(205, 40), QPoint(200, 30));
    QCOMPARE(window->CursorPosition(1), QPoint(200, 30));
    const QImage &frame = display()->Frame();
    QCOMPARE(frame.pixel(200, 200) & 0xFFFFFFu, kYellowPixel); // the vertical line
    QCOMPARE(frame.pixel(560, 30) & 0xFFFFFFu, kYellowPixel); // the horizontal one
    QTest::mouseClick(child<QToolButton>("CopierBout"), Qt::LeftButton);
    const QImage copied = QApplication::clipboard()->image();
    QCOMPARE(copied.size(), QSize(611, 245));
    QCOMPARE(copied.pixel(200, 200) & 0xFFFFFFu, window->Scene().GetPixel(200, 200));
    QVERIFY((copied.pixel(200, 200) & 0xFFFFFFu) != kYellowPixel);
}

void TstPhotoF::hoverSetsModeCursorAndMessage()
{
    auto *messLab = child<QLabel>("MessLab");
    QTest::mouseMove(display(), QPoint(101 + 5, kAxisRow - 28));
    QCOMPARE(window->DragMode(), int(TPhotoF::kOverObject));
    QCOMPARE(display()->cursor().shape(), Qt::SizeHorCursor);
    QCOMPARE(messLab->text(),
        QStringLiteral(
            "Cliquer et déplacer l'objet en glissant la souris sans relâcher le bouton"));
    // Six columns away is no longer over it.
    QTest::mouseMove(display(), QPoint(101 + 6, kAxisRow));
    QCOMPARE(window->DragMode(), int(TPhotoF::kIdle));
    QCOMPARE(display()->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(window->MessageIndex(), 0);
    QTest::mouseMove(display(), QPoint(407, kAxisRow + 34));
    QCOMPARE(window->DragMode(), int(TPhotoF::kOverFilm));
    QCOMPARE(window->MessageIndex(), 5);
    QTest::mousePress(display(), Qt::LeftButton, {}, QPoint(407, kAxisRow + 34));
    QCOMPARE(window->DragMode(), int(TPhotoF::kDraggingFilm));
    QCOMPARE(messLab->text(),
        QStringLiteral("Déplacer la pellicule en glissant la souris sans relâcher le bouton"));
    QTest::mouseRelease(display(), Qt::LeftButton, {}, QPoint(407, kAxisRow + 34));
    QCOMPARE(window->MessageIndex(), 0);
}

void TstPhotoF::longMessageIsShortenedToFit()
{
    window->resize(350, 300);
    QTest::mouseMove(display(), QPoint(150, 20));
    QTest::mouseMove(display(), QPoint(ColumnOfX(window->Camera(), window->Camera().filmX), 92));
    QCOMPARE(window->MessageIndex(), 5);
    auto *messLab = child<QLabel>("MessLab");
    QVERIFY(messLab->text().endsWith(QStringLiteral("...")));
    QVERIFY(QStringLiteral(
        "Cliquer et déplacer la pellicule en glissant la souris sans relâcher le bouton")
                .startsWith(messLab->text().chopped(3)));
    QVERIFY(messLab->fontMetrics().horizontalAdvance(messLab->text()) <= messLab->width());
}

void TstPhotoF::objectButtonFollowsDialogAndSetting_data()
{
    QTest::addColumn<bool>("withDialog");
    QTest::addColumn<bool>("allowed");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("dialog, allowed") << true << true << true;
    QTest::newRow("dialog, not allowed") << true << false << false;
    QTest::newRow("no dialog") << false << true << false;
}

void TstPhotoF::objectButtonFollowsDialogAndSetting()
{
    QFETCH(bool, withDialog);
    QFETCH(bool, allowed);
    QFETCH(bool, enabled);
    TPickPhotoF dialog;
    window->close();
    AppSettings().ModObjFlag = allowed;
    window->SetPickDialog(withDialog ? &dialog : nullptr);
    window->show();
    QCOMPARE(child<QToolButton>("ColorBout")->isEnabled(), enabled);
    window->SetPickDialog(nullptr);
}

void TstPhotoF::objectDialogRecoloursTheObject()
{
    TPickPhotoF dialog;
    window->SetPickDialog(&dialog);
    QTimer::singleShot(0, &dialog, [&dialog] {
        AppSettings().ObjColor1 = 0x0000FF; // red, as the bars would leave it
        dialog.accept();
    });
    QTest::mouseClick(child<QToolButton>("ColorBout"), Qt::LeftButton);
    // The object bar is reversed: its top rows take the first colour.
    const CameraState &c = window->Camera();
    const int column = ColumnOfX(c, c.objectX) - 1;
    QCOMPARE(window->Scene().GetPixel(column, ObjectSideRow(c, kObjectHalf) + 2), 0xFF0000u);
    window->SetPickDialog(nullptr);
}

void TstPhotoF::helpOpensOnItsKeyword()
{
    QTest::mouseClick(child<QToolButton>("AideBout"), Qt::LeftButton);
    QCOMPARE(platform::CurrentHelpKeyword(), QStringLiteral("PHOTO"));
    platform::QuitHelp();
}

void TstPhotoF::displayFollowsTheSceneThroughDrags()
{
    // Each step redraws only what moved: the box must still show the whole scene.
    drag(QPoint(101, kAxisRow), QPoint(250, kAxisRow));
    drag(QPoint(filmColumn(), kAxisRow), QPoint(filmColumn() + 60, kAxisRow));
    drag(QPoint(250, kAxisRow), QPoint(40, kAxisRow));
    QTest::mouseClick(child<QToolButton>("AutoFocusBout"), Qt::LeftButton);
    const QImage &frame = display()->Frame();
    const TDibPlus &scene = window->Scene();
    int differing = 0;
    for (int y = 0; y < scene.Height(); ++y)
        for (int x = 0; x < scene.Width(); ++x)
            differing += (frame.pixel(x, y) & 0xFFFFFFu) != scene.GetPixel(x, y);
    QCOMPARE(differing, 0);
}

QTEST_MAIN(TstPhotoF)
#include "tst_photof.moc"
