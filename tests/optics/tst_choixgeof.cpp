// The display-colours dialog of the optics bench and its sixteen-cell colour choice: the
// preview's pixels, the presets, the line width, and the choice by mouse and keys.
#include "modules/optics/lenseditor/ChoixGeoF.h"
#include "modules/optics/lenseditor/ChooseF.h"

#include "imaging/DibPlus.h"
#include "imaging/PaintBox.h"
#include "platform/HelpViewer.h"
#include "shell/Settings.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

using namespace kaleno;

namespace {

// TColor values (0x00BBGGRR).
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kCyan = 0xFFFF00;
constexpr uint32_t kGrey = 0x808080;
constexpr uint32_t kSilver = 0xC0C0C0;
constexpr uint32_t kNavy = 0x800000;
constexpr uint32_t kMaroon = 0x000080;

// A pixel of a buffer as the TColor drawn there.
uint32_t At(const TDibPlus &buffer, int x, int y) { return SwapRB(buffer.GetPixel(x, y)); }

uint32_t Face(const QWidget &widget)
{
    const QColor c = widget.palette().color(QPalette::Button);
    return uint32_t(c.red()) | uint32_t(c.green()) << 8 | uint32_t(c.blue()) << 16;
}

} // namespace

class TestChoixGeoF : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensOnBackgroundItem();
    void previewFrameInsideAxisLensAndRays();
    void presetsSetAllSixColours_data();
    void presetsSetAllSixColours();
    void widthStaysWithinOneToFive_data();
    void widthStaysWithinOneToFive();
    void changeStoresChosenColour();
    void swatchClickSelectsItemAndOpensChoice();
    void helpKeywords();

    void chooseStartsOnColoursCell_data();
    void chooseStartsOnColoursCell();
    void chooseKeysStopAtLimits_data();
    void chooseKeysStopAtLimits();
    void chooseClickClampsIntoGrid_data();
    void chooseClickClampsIntoGrid();
    void chooseDrawsCellsAndBlinkingFrame();

private:
    template <typename T> T *child(const char *name) const
    {
        return dialog->findChild<T *>(QLatin1String(name));
    }
    // Opens the colour choice on `colour`, presses the keys, ends with Enter or Escape.
    uint32_t choose(uint32_t colour, const QList<Qt::Key> &keys, bool ok);

    std::unique_ptr<TChoixGeoF> dialog;
};

void TestChoixGeoF::init()
{
    AppSettings() = Settings {};
    dialog = std::make_unique<TChoixGeoF>();
}

void TestChoixGeoF::cleanup()
{
    dialog.reset();
    platform::QuitHelp();
}

uint32_t TestChoixGeoF::choose(uint32_t colour, const QList<Qt::Key> &keys, bool ok)
{
    TChooseF *chooser = dialog->Chooser();
    QTimer::singleShot(0, chooser, [chooser, keys, ok] {
        QVERIFY(chooser->isVisible());
        QWidget *focus = chooser->focusWidget();
        QVERIFY(focus);
        for (Qt::Key key : keys)
            QTest::keyClick(focus, key);
        QTest::keyClick(focus, ok ? Qt::Key_Return : Qt::Key_Escape);
    });
    return chooser->Choose(colour);
}

void TestChoixGeoF::opensOnBackgroundItem()
{
    dialog->show();
    QCOMPARE(dialog->objectName(), QStringLiteral("TChoixGeoF"));
    QCOMPARE(dialog->windowTitle(), QStringLiteral(" Couleurs utilisées pour l'affichage"));
    QCOMPARE(dialog->Item(), 0);
    QVERIFY(child<QRadioButton>("FondRadio")->isChecked());
    QCOMPARE(child<QRadioButton>("TexteRadio")->text(), QStringLiteral(" Texte"));
    QCOMPARE(child<PaintBox>("Canevas")->size(), QSize(220, 141));
    QCOMPARE(child<QLineEdit>("EpaisEdit")->text(), QStringLiteral(" 2"));
    QCOMPARE(child<QLabel>("UnitLab")->text(), QStringLiteral("Pixels"));
    QCOMPARE(child<QPushButton>("DefautBout")->toolTip(),
        QStringLiteral(" Retrouver les couleurs par défaut"));
    // Each swatch shows its setting inside a black outline.
    QCOMPARE(At(dialog->Swatch(2), 10, 8), kCyan);
    QCOMPARE(At(dialog->Swatch(3), 10, 8), kMaroon);
    QCOMPARE(At(dialog->Swatch(3), 0, 0), kBlack);

    // Another item chosen, then the dialog reopened: the background again.
    QTest::mouseClick(child<QRadioButton>("AxeRadio"), Qt::LeftButton);
    QCOMPARE(dialog->Item(), 3);
    dialog->hide();
    dialog->show();
    QCOMPARE(dialog->Item(), 0);
}

void TestChoixGeoF::previewFrameInsideAxisLensAndRays()
{
    Settings &s = AppSettings();
    s.cgFond = kNavy;
    s.cgBord = kRed;
    s.cgAxe = kWhite;
    s.cgLens = kSilver;
    s.cgRay = kCyan;
    s.cgTexte = kGrey;
    s.Epais = 1;
    dialog->show();
    const TDibPlus &p = dialog->Preview();
    QCOMPARE(p.Width(), 220);
    QCOMPARE(p.Height(), 141);

    // The frame: first and last row and column, away from where rays end on it.
    for (QPoint frame : {QPoint(0, 0), QPoint(60, 0), QPoint(0, 30), QPoint(219, 100),
             QPoint(150, 140), QPoint(219, 140)})
        QCOMPARE(At(p, frame.x(), frame.y()), kRed);
    for (QPoint inside : {QPoint(1, 1), QPoint(200, 120), QPoint(218, 139), QPoint(30, 30)})
        QCOMPARE(At(p, inside.x(), inside.y()), kNavy);
    // The axis is dotted three on, three off from x = 1.
    QCOMPARE(At(p, 2, 70), kWhite);
    QCOMPARE(At(p, 5, 70), kNavy);
    QCOMPARE(At(p, 7, 70), kWhite);
    // The lens's faces reach x = 94 (left box 94..153) and x = 128 (right box 69..128) on
    // the middle row of their boxes, y = 70, drawn over the axis, whose dots 91..93 show
    // left of it.
    QCOMPARE(At(p, 94, 70), kSilver);
    QCOMPARE(At(p, 93, 70), kWhite);
    // The rays' bends, and their first points.
    for (QPoint ray : {QPoint(99, 51), QPoint(119, 53), QPoint(100, 69), QPoint(99, 79),
             QPoint(120, 77), QPoint(1, 118)})
        QCOMPARE(At(p, ray.x(), ray.y()), kCyan);
    // Some text in its colour within the title's cell.
    bool text = false;
    for (int y = 3; y < 16; ++y)
        for (int x = 3; x < 70; ++x)
            text = text || At(p, x, y) == kGrey;
    QVERIFY(text);
    // What the box shows is the preview.
    QCOMPARE(child<PaintBox>("Canevas")->Frame().pixel(94, 70) & 0xFFFFFFu, 0xC0C0C0u);

    // Wider pens widen the rays: a pixel next to a bend turns ray-coloured.
    QCOMPARE(At(p, 99, 49), kNavy);
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(child<QToolButton>("EpaisUp"), Qt::LeftButton);
    QCOMPARE(s.Epais, 4);
    QCOMPARE(At(p, 99, 49), kCyan);
}

void TestChoixGeoF::presetsSetAllSixColours_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QList<uint32_t>>("colours"); // fond, lens, ray, axe, bord, texte

    QTest::newRow("default") << QStringLiteral("DefautBout")
                             << QList<uint32_t> {kBlack, kWhite, kCyan, kMaroon, kWhite, kSilver};
    QTest::newRow("print") << QStringLiteral("ImprimeBout")
                           << QList<uint32_t> {kWhite, kBlack, kGrey, kSilver, kBlack, kBlack};
}

void TestChoixGeoF::presetsSetAllSixColours()
{
    QFETCH(QString, button);
    QFETCH(QList<uint32_t>, colours);
    Settings &s = AppSettings();
    s.cgFond = s.cgLens = s.cgRay = s.cgAxe = s.cgBord = s.cgTexte = 0x123456;
    s.Epais = 3;
    dialog->show();

    QTest::mouseClick(dialog->findChild<QPushButton *>(button), Qt::LeftButton);
    QCOMPARE(QList<uint32_t>({s.cgFond, s.cgLens, s.cgRay, s.cgAxe, s.cgBord, s.cgTexte}), colours);
    QCOMPARE(s.Epais, 3);
    QCOMPARE(At(dialog->Preview(), 0, 0), colours[4]);
    QCOMPARE(At(dialog->Preview(), 200, 120), colours[0]);
    for (int i = 0; i < 6; ++i)
        QCOMPARE(At(dialog->Swatch(i), 10, 8), colours[i]);
}

void TestChoixGeoF::widthStaysWithinOneToFive_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("up");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("unit");

    QTest::newRow("2 down to 1") << 2 << false << 1 << 1 << "Pixel";
    QTest::newRow("1 stays 1") << 1 << false << 2 << 1 << "Pixel";
    QTest::newRow("1 up to 2") << 1 << true << 1 << 2 << "Pixels";
    QTest::newRow("3 up to 5") << 3 << true << 2 << 5 << "Pixels";
    QTest::newRow("5 stays 5") << 5 << true << 3 << 5 << "Pixels";
}

void TestChoixGeoF::widthStaysWithinOneToFive()
{
    QFETCH(int, start);
    QFETCH(bool, up);
    QFETCH(int, clicks);
    QFETCH(int, width);
    AppSettings().Epais = start;
    dialog->show();
    auto *spin = child<QToolButton>(up ? "EpaisUp" : "EpaisDown");
    for (int i = 0; i < clicks; ++i)
        QTest::mouseClick(spin, Qt::LeftButton);
    QCOMPARE(AppSettings().Epais, width);
    QCOMPARE(child<QLineEdit>("EpaisEdit")->text(), QLatin1Char(' ') + QString::number(width));
    QTEST(child<QLabel>("UnitLab")->text(), "unit");
}

void TestChoixGeoF::changeStoresChosenColour()
{
    dialog->show();
    QTest::mouseClick(child<QRadioButton>("RayRadio"), Qt::LeftButton);
    // Cyan is cell 7; Right moves to 8, white.
    TChooseF *chooser = dialog->Chooser();
    QTimer::singleShot(0, chooser, [chooser] {
        QCOMPARE(chooser->Cell(), 7);
        QTest::keyClick(chooser->focusWidget(), Qt::Key_Right);
        QTest::mouseClick(chooser->findChild<QPushButton *>("OkBout"), Qt::LeftButton);
    });
    QTest::mouseClick(child<QPushButton>("ChangeBout"), Qt::LeftButton);
    QCOMPARE(AppSettings().cgRay, kWhite);
    QCOMPARE(At(dialog->Swatch(2), 10, 8), kWhite);
    QCOMPARE(At(dialog->Preview(), 99, 51), kWhite);
    // The others are untouched.
    QCOMPARE(AppSettings().cgFond, kBlack);
    QCOMPARE(AppSettings().cgAxe, kMaroon);
}

void TestChoixGeoF::swatchClickSelectsItemAndOpensChoice()
{
    dialog->show();
    TChooseF *chooser = dialog->Chooser();
    // The text, silver, is cell 16; Up moves to cell 8, white.
    QTimer::singleShot(0, chooser, [chooser] {
        QCOMPARE(chooser->Cell(), 16);
        QTest::keyClick(chooser->focusWidget(), Qt::Key_Up);
        QTest::keyClick(chooser->focusWidget(), Qt::Key_Return);
    });
    QTest::mouseClick(child<PaintBox>("TexteShape"), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(dialog->Item(), 5);
    QVERIFY(child<QRadioButton>("TexteRadio")->isChecked());
    QCOMPARE(AppSettings().cgTexte, kWhite);

    // Escape keeps the colour, whatever was moved to.
    QTimer::singleShot(0, chooser, [chooser] {
        QTest::keyClick(chooser->focusWidget(), Qt::Key_Left);
        QTest::keyClick(chooser->focusWidget(), Qt::Key_Escape);
    });
    QTest::mouseClick(child<PaintBox>("FondShape"), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(dialog->Item(), 0);
    QCOMPARE(AppSettings().cgFond, kBlack);
}

void TestChoixGeoF::helpKeywords()
{
    dialog->show();
    QTest::mouseClick(child<QPushButton>("AideBout"), Qt::LeftButton);
    QCOMPARE(platform::CurrentHelpKeyword(), QStringLiteral("PICKLENS"));

    TChooseF *chooser = dialog->Chooser();
    chooser->Start(kBlack);
    chooser->open();
    QTest::mouseClick(chooser->findChild<QPushButton *>("AideBout"), Qt::LeftButton);
    QCOMPARE(platform::CurrentHelpKeyword(), QStringLiteral("LENS"));
    QTest::mouseClick(chooser->findChild<QPushButton *>("AnnulBout"), Qt::LeftButton);
    QVERIFY(!chooser->isVisible());
}

void TestChoixGeoF::chooseStartsOnColoursCell_data()
{
    QTest::addColumn<uint32_t>("colour");
    QTest::addColumn<int>("cell");
    QTest::addColumn<uint32_t>("onOk");
    QTest::addColumn<uint32_t>("onCancel");

    QTest::newRow("grey, cell 1") << kGrey << 1 << kGrey << kGrey;
    QTest::newRow("red, cell 2") << kRed << 2 << kRed << kRed;
    QTest::newRow("black, cell 9") << kBlack << 9 << kBlack << kBlack;
    QTest::newRow("silver, cell 16") << kSilver << 16 << kSilver << kSilver;
    // No cell holds it: the choice starts on cell 1, but cancelling keeps the colour.
    QTest::newRow("other colour") << uint32_t(0x123456) << 1 << kGrey << uint32_t(0x123456);
}

void TestChoixGeoF::chooseStartsOnColoursCell()
{
    QFETCH(uint32_t, colour);
    QFETCH(int, cell);
    TChooseF *chooser = dialog->Chooser();
    QCOMPARE(TChooseF::CellOf(colour), colour == 0x123456 ? 0 : cell);
    chooser->Start(colour);
    QCOMPARE(chooser->Cell(), cell);
    QTEST(choose(colour, {}, true), "onOk");
    QTEST(choose(colour, {}, false), "onCancel");
    QVERIFY(!chooser->isVisible());
}

void TestChoixGeoF::chooseKeysStopAtLimits_data()
{
    QTest::addColumn<uint32_t>("colour");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<int>("cell");

    // Cells: 3 green, 8 white, 9 black, 11 dark green, 12 olive, 16 silver.
    QTest::newRow("up on the first row") << uint32_t(0x00FF00) << Qt::Key_Up << 3;
    QTest::newRow("down from the first row") << uint32_t(0x00FF00) << Qt::Key_Down << 11;
    QTest::newRow("down on the second row") << uint32_t(0x008080) << Qt::Key_Down << 12;
    QTest::newRow("up from the second row") << uint32_t(0x008080) << Qt::Key_Up << 4;
    QTest::newRow("right on 16") << kSilver << Qt::Key_Right << 16;
    QTest::newRow("left on 1") << kGrey << Qt::Key_Left << 1;
    QTest::newRow("right from 8 wraps to 9") << kWhite << Qt::Key_Right << 9;
    QTest::newRow("left from 9 wraps to 8") << kBlack << Qt::Key_Left << 8;
}

void TestChoixGeoF::chooseKeysStopAtLimits()
{
    QFETCH(uint32_t, colour);
    QFETCH(Qt::Key, key);
    QFETCH(int, cell);
    QCOMPARE(choose(colour, {key}, true), TChooseF::kColours[cell - 1]);
}

void TestChoixGeoF::chooseClickClampsIntoGrid_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<int>("cell");

    // (0, 0) itself would be taken by QTest as the middle of the grid.
    QTest::newRow("top edge") << QPoint(1, 0) << 1;
    QTest::newRow("last pixel of cell 1") << QPoint(27, 27) << 1;
    QTest::newRow("first of cell 2") << QPoint(28, 0) << 2;
    QTest::newRow("first of cell 9") << QPoint(0, 28) << 9;
    QTest::newRow("bottom-right") << QPoint(223, 55) << 16;
    QTest::newRow("left of and below the grid") << QPoint(-5, 100) << 9;
    QTest::newRow("right of and above the grid") << QPoint(300, -3) << 8;
}

void TestChoixGeoF::chooseClickClampsIntoGrid()
{
    QFETCH(QPoint, point);
    QFETCH(int, cell);
    QCOMPARE(TChooseF::CellAt(point.x(), point.y()), cell);
    if (point.x() < 0 || point.y() < 0 || point.x() >= 224 || point.y() >= 56)
        return;
    TChooseF *chooser = dialog->Chooser();
    chooser->Start(kWhite);
    chooser->open();
    QTest::mouseClick(chooser->findChild<PaintBox *>("Grille"), Qt::LeftButton, {}, point);
    QCOMPARE(chooser->Cell(), cell);
    QTest::mouseClick(chooser->findChild<QPushButton *>("OkBout"), Qt::LeftButton);
    QCOMPARE(chooser->Result(), TChooseF::kColours[cell - 1]);
}

void TestChoixGeoF::chooseDrawsCellsAndBlinkingFrame()
{
    TChooseF *chooser = dialog->Chooser();
    QCOMPARE(chooser->windowTitle(), QStringLiteral(" Choix d'une couleur"));
    QCOMPARE(chooser->size(), QSize(233, 97));
    chooser->Start(kRed); // cell 2, x 28..55, y 0..27
    chooser->open();
    const TDibPlus &grid = chooser->Grid();
    const uint32_t face = Face(*chooser);

    // Cell 10 (maroon), not selected: background, black outline inset by 3, grey shading
    // inside its left and top edges, then its colour.
    const int x = 28, y = 28;
    QCOMPARE(At(grid, x + 1, y + 10), face);
    QCOMPARE(At(grid, x + 3, y + 10), kBlack);
    QCOMPARE(At(grid, x + 24, y + 10), kBlack);
    QCOMPARE(At(grid, x + 10, y + 24), kBlack);
    QCOMPARE(At(grid, x + 4, y + 10), kGrey);
    QCOMPARE(At(grid, x + 10, y + 4), kGrey);
    QCOMPARE(At(grid, x + 10, y + 10), kMaroon);
    QCOMPARE(At(grid, x + 23, y + 23), kMaroon);

    // The selected cell's dotted frame, one pixel inside the cell, black on the face
    // colour, then the reverse at each tick of the timer.
    auto *timer = chooser->findChild<QTimer *>("PointiTimer");
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 300);
    QVERIFY(timer->isActive());
    QList<uint32_t> frame;
    for (int i = 29; i < 55; ++i)
        frame << At(grid, i, 1);
    QVERIFY(frame.contains(kBlack));
    QVERIFY(frame.contains(face));
    QVERIFY(!chooser->Reversed());
    QTRY_VERIFY_WITH_TIMEOUT(chooser->Reversed(), 2000);
    for (int i = 29; i < 55; ++i)
        QCOMPARE(At(grid, i, 1), frame[i - 29] == kBlack ? face : kBlack);
    // No frame on the other cells.
    QCOMPARE(At(grid, x + 10, y + 1), face);

    QTest::mouseClick(chooser->findChild<QPushButton *>("AnnulBout"), Qt::LeftButton);
    QVERIFY(!timer->isActive());
    QCOMPARE(chooser->Result(), kRed);
}

QTEST_MAIN(TestChoixGeoF)
#include "tst_choixgeof.moc"
