#include "modules/optics/photo/PickPhotoF.h"

#include "modules/optics/camera/CameraModel.h"
#include "platform/HelpViewer.h"
#include "shell/Settings.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace kaleno;

namespace {

// TColor values (0x00BBGGRR) from red, green, blue.
constexpr uint32_t tcolor(int r, int g, int b)
{
    return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16;
}

} // namespace

class TstPickPhotoF : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void showingTakesTheNearestPaletteEntry_data();
    void showingTakesTheNearestPaletteEntry();
    void secondColourIsEditedThroughRadio2();
    void barEditsOneComponentAndItsSwatch();
    void linkedBarsMakeAGrey();
    void swatchClickChoosesItsColour();
    void originalPaletteComesBack();
    void shapeChoiceIsStoredAndDrawn();
    void copiedTextListsBothColours();
    void helpOpensOnItsKeyword();

private:
    template <typename T> T *child(const char *name) const
    {
        return dialog->findChild<T *>(QLatin1String(name));
    }
    void showDialog()
    {
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    }

    std::unique_ptr<TPickPhotoF> dialog;
};

void TstPickPhotoF::init()
{
    AppSettings() = Settings {};
    dialog = std::make_unique<TPickPhotoF>();
}

void TstPickPhotoF::cleanup() { dialog.reset(); }

void TstPickPhotoF::showingTakesTheNearestPaletteEntry_data()
{
    QTest::addColumn<uint32_t>("colour");
    QTest::addColumn<int>("entry");
    QTest::newRow("in the palette: dark green") << tcolor(0, 112, 0) << 0;
    // 10 + 8 + 5 = 23 from the dark green, more from every other entry.
    QTest::newRow("near the dark green") << tcolor(10, 120, 5) << 0;
    // Grey is entries 5 and 15: the first is kept.
    QTest::newRow("grey twice in the palette") << tcolor(128, 128, 128) << 4;
    // 184 from the dark green (entry 1) and from the navy blue (entry 3): the first wins.
    QTest::newRow("tie goes to the first") << tcolor(64, 56, 64) << 0;
    // Silver is 189 away; yellow, cyan and magenta 255.
    QTest::newRow("white goes to silver") << tcolor(255, 255, 255) << 5;
}

void TstPickPhotoF::showingTakesTheNearestPaletteEntry()
{
    QFETCH(uint32_t, colour);
    QFETCH(int, entry);
    AppSettings().ObjColor1 = colour;
    showDialog();
    QCOMPARE(dialog->EditedColour(), 1);
    QCOMPARE(dialog->SelectedSwatch(), entry);
    QCOMPARE(AppSettings().ObjColor1, kDefaultCameraColours[static_cast<size_t>(entry)]);
    QVERIFY(child<QRadioButton>("Radio1")->isChecked());
    QCOMPARE(child<QLabel>("CoulLab")->text(), QStringLiteral("Couleur n°1"));
    QVERIFY(
        child<QToolButton>(qPrintable(QStringLiteral("SwatchBout%1").arg(entry + 1)))->isChecked());
    const uint32_t chosen = AppSettings().ObjColor1;
    QCOMPARE(child<QScrollBar>("rBar")->value(), int(chosen & 0xFF));
    QCOMPARE(child<QScrollBar>("gBar")->value(), int(chosen >> 8 & 0xFF));
    QCOMPARE(child<QScrollBar>("bBar")->value(), int(chosen >> 16 & 0xFF));
}

void TstPickPhotoF::secondColourIsEditedThroughRadio2()
{
    showDialog();
    QTest::mouseClick(child<QRadioButton>("Radio2"), Qt::LeftButton);
    QCOMPARE(dialog->EditedColour(), 2);
    QCOMPARE(child<QLabel>("CoulLab")->text(), QStringLiteral("Couleur n°2"));
    // The second colour, (0, 255, 0), is palette entry 2.
    QCOMPARE(dialog->SelectedSwatch(), 1);
    QCOMPARE(child<QScrollBar>("gBar")->value(), 255);
    child<QScrollBar>("rBar")->setValue(40);
    QCOMPARE(AppSettings().ObjColor2, tcolor(40, 255, 0));
    QCOMPARE(AppSettings().ObjColor1, tcolor(0, 112, 0));
}

void TstPickPhotoF::barEditsOneComponentAndItsSwatch()
{
    showDialog();
    child<QScrollBar>("bBar")->setValue(200);
    QCOMPARE(AppSettings().ObjColor1, tcolor(0, 112, 200));
    QCOMPARE(AppSettings().Couleur[0], tcolor(0, 112, 200));
    QCOMPARE(child<QLabel>("bLab")->text(), QStringLiteral("Composante bleue : 200"));
    QCOMPARE(child<QLabel>("gLab")->text(), QStringLiteral("Composante verte : 112"));
    QCOMPARE(child<QScrollBar>("bBar")->pageStep(), 2);
}

void TstPickPhotoF::linkedBarsMakeAGrey()
{
    showDialog();
    QTest::mouseClick(child<QCheckBox>("LinkCheck"), Qt::LeftButton);
    child<QScrollBar>("rBar")->setValue(90);
    QCOMPARE(AppSettings().ObjColor1, tcolor(90, 90, 90));
    QCOMPARE(child<QScrollBar>("gBar")->value(), 90);
    QCOMPARE(child<QScrollBar>("bBar")->value(), 90);
    QCOMPARE(child<QLabel>("rLab")->text(), QStringLiteral("Composante rouge : 90"));
}

void TstPickPhotoF::swatchClickChoosesItsColour()
{
    showDialog();
    QTest::mouseClick(child<QToolButton>("SwatchBout8"), Qt::LeftButton);
    QCOMPARE(dialog->SelectedSwatch(), 7);
    QCOMPARE(AppSettings().ObjColor1, tcolor(255, 0, 0));
    QVERIFY(child<QToolButton>("SwatchBout8")->isChecked());
    QVERIFY(!child<QToolButton>("SwatchBout1")->isChecked());
    QCOMPARE(child<QScrollBar>("rBar")->value(), 255);
}

void TstPickPhotoF::originalPaletteComesBack()
{
    showDialog();
    child<QScrollBar>("rBar")->setValue(30); // entry 1 becomes (30, 112, 0)
    QCOMPARE(AppSettings().Couleur[0], tcolor(30, 112, 0));
    QTest::mouseClick(child<QToolButton>("RazBout"), Qt::LeftButton);
    QCOMPARE(AppSettings().Couleur, kDefaultCameraColours);
    // (30, 112, 0) is 30 from the restored dark green: that becomes the colour again.
    QCOMPARE(AppSettings().ObjColor1, tcolor(0, 112, 0));
    QCOMPARE(dialog->SelectedSwatch(), 0);
}

void TstPickPhotoF::shapeChoiceIsStoredAndDrawn()
{
    showDialog();
    const TDibPlus letter = dialog->Preview();
    QCOMPARE(letter.Width(), 90);
    child<QComboBox>("ShapeCombo")->setCurrentIndex(4);
    QCOMPARE(AppSettings().ShapeIndex, 4);
    const TDibPlus cyclist = dialog->Preview();
    // Each preview holds only black and the object's colours, top rows in the first.
    int differing = 0;
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 90; ++x)
            differing += letter.GetPixel(x, y) != cyclist.GetPixel(x, y);
    QVERIFY(differing > 100);
    const ColourRamp ramp = MakeColourRamp(AppSettings().ObjColor1, AppSettings().ObjColor2);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 90; ++x) {
            const uint32_t p = cyclist.GetPixel(x, y);
            QVERIFY(p == 0 || p == SwapRB(ramp[0]));
        }
}

void TstPickPhotoF::copiedTextListsBothColours()
{
    AppSettings().ObjColor1 = tcolor(0, 0, 255);
    AppSettings().ObjColor2 = tcolor(255, 255, 0);
    showDialog();
    QTest::mouseClick(child<QToolButton>("CopyTxtBout"), Qt::LeftButton);
    const QString expected = QStringLiteral(
        "Module \"Appareil photographique\"\r\n\r\n"
        "Couleur n°1 :\r\nComposantes RVB : 0 0 255\r\nCode hexadécimal : #0000FF\r\n"
        "\r\n"
        "Couleur n°2 :\r\nComposantes RVB : 255 255 0\r\nCode hexadécimal : #FFFF00\r\n");
    QCOMPARE(QApplication::clipboard()->text(), expected);
    QCOMPARE(dialog->ColoursText(), expected);
}

void TstPickPhotoF::helpOpensOnItsKeyword()
{
    showDialog();
    QTest::mouseClick(child<QToolButton>("AideBout"), Qt::LeftButton);
    QCOMPARE(platform::CurrentHelpKeyword(), QStringLiteral("PICKPHOTO"));
    platform::QuitHelp();
}

QTEST_MAIN(TstPickPhotoF)
#include "tst_pickphotof.moc"
