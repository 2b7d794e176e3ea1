#include "modules/graphics/colourspaces/CouleurF.h"

#include "imaging/PaintBox.h"
#include "shell/Settings.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include <memory>

using namespace kaleno;

namespace {

const char *const kBars[13] = {"RBar", "GBar", "BBar", "c0Bar", "m0Bar", "y0Bar", "cBar", "mBar",
    "yBar", "kBar", "hBar", "sBar", "vBar"};

} // namespace

class TstCouleurF : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void showsTheStoredColour();
    void layoutFollowsTheClientSize();
    void barMovesTheOtherSystems_data();
    void barMovesTheOtherSystems();
    void zeroSaturationFreezesTheHue();
    void greyThroughRgbKeepsTheHueBar();
    void labelsFollowTheFormat_data();
    void labelsFollowTheFormat();
    void pickOnTheDisc_data();
    void pickOnTheDisc();
    void dragOnTheDiscNeedsTheLeftButton();
    void wheelWrapsTheHue_data();
    void wheelWrapsTheHue();
    void discAndGaugePixels();
    void colourText_data();
    void colourText();
    void hexadecimalSwitch();

private:
    QScrollBar *bar(const char *name) const
    {
        return window->findChild<QScrollBar *>(QLatin1String(name));
    }
    QString label(const char *name) const
    {
        return window->findChild<QLabel *>(QLatin1String(name))->text();
    }
    QList<int> barPositions() const
    {
        QList<int> positions;
        for (const char *name : kBars)
            positions << bar(name)->value();
        return positions;
    }
    void wheel(QWidget *target, int delta)
    {
        const QPointF at(target->width() / 2.0, target->height() / 2.0);
        QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
            Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &event);
    }

    std::unique_ptr<TCouleurF> window;
};

void TstCouleurF::init()
{
    AppSettings() = Settings {};
    window = std::make_unique<TCouleurF>();
    window->resize(900, 700);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void TstCouleurF::cleanup() { window.reset(); }

void TstCouleurF::showsTheStoredColour()
{
    QCOMPARE(window->objectName(), QStringLiteral("TCouleurF"));
    // Default colour red: every system shows it.
    QCOMPARE(
        barPositions(), (QList<int> {1000, 0, 0, 0, 1000, 1000, 0, 1000, 1000, 0, 0, 1000, 1000}));
    QCOMPARE(label("hLab"), QStringLiteral("Teinte ( max 360,0 ° ) : 0,0 °"));
    QCOMPARE(label("kLab"), QStringLiteral("Noir ( max 1.000  ) : 0,000"));

    // A second showing reads the settings again.
    window->close();
    AppSettings().HSVColor = 0x00FF00; // green
    AppSettings().ComposIndex = 2;
    window->show();
    QCOMPARE(bar("GBar")->value(), 1000);
    QCOMPARE(bar("RBar")->value(), 0);
    QCOMPARE(bar("hBar")->value(), 1200);
    QCOMPARE(label("gLab"), QStringLiteral("Vert ( max 255  ) : 255"));
    QCOMPARE(window->findChild<QComboBox *>(QStringLiteral("ComposCombo"))->currentIndex(), 2);
}

void TstCouleurF::layoutFollowsTheClientSize()
{
    // 900 x 700: A = 670, W3 = 300, m = 30, GW = 240, A2 = 335, mv = 33, RS = 86, D = 240.
    QCOMPARE(window->GaugeWidth(), 240);
    QCOMPARE(window->DiscDiameter(), 240);
    QCOMPARE(window->findChild<PaintBox *>(QStringLiteral("RDis"))->geometry(),
        QRect(30, 66 + 4 * 86, 240, 16));
    QCOMPARE(bar("RBar")->geometry().topLeft(), QPoint(30, 66 + 4 * 86 + 17));
    QCOMPARE(window->findChild<PaintBox *>(QStringLiteral("cDis"))->geometry().topLeft(),
        QPoint(330, 66 + 3 * 86));
    QCOMPARE(window->findChild<PaintBox *>(QStringLiteral("CDisplay"))->geometry(),
        QRect(630, 33, 240, 240));
    QCOMPARE(window->findChild<PaintBox *>(QStringLiteral("ColorDisplay"))->geometry(),
        QRect(330, 33, 240, 172));

    // Held to 550 x 440 at least, and never narrower than high.
    window->resize(600, 800);
    QTRY_COMPARE(window->width(), 800);
    window->resize(100, 100);
    QTRY_COMPARE(window->size(), QSize(550, 440));
}

void TstCouleurF::barMovesTheOtherSystems_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("position");
    QTest::addColumn<QList<int>>("positions"); // R G B c0 m0 y0 c m y k h s v

    // From red (1, 0, 0) each time.
    QTest::newRow("green to half gives orange")
        << "GBar" << 500
        << QList<int> {1000, 500, 0, 0, 500, 1000, 0, 500, 1000, 0, 300, 1000, 1000};
    QTest::newRow("cyan ink darkens red")
        << "c0Bar" << 300
        << QList<int> {700, 0, 0, 300, 1000, 1000, 0, 700, 700, 300, 0, 1000, 700};
    // c + k above 1 gives 0 for green and blue; the CMYK bars keep what the user set.
    QTest::newRow("black ink keeps its system")
        << "kBar" << 500
        << QList<int> {500, 0, 0, 500, 1000, 1000, 0, 1000, 1000, 500, 0, 1000, 500};
    QTest::newRow("hue to green") << "hBar" << 1200
                                  << QList<int> {0, 1000, 0, 1000, 0, 1000, 1000, 0, 1000, 0, 1200,
                                         1000, 1000};
    QTest::newRow("value to a quarter")
        << "vBar" << 250 << QList<int> {250, 0, 0, 750, 1000, 1000, 0, 250, 250, 750, 0, 1000, 250};
    QTest::newRow("saturation to 0.6")
        << "sBar" << 600 << QList<int> {1000, 400, 400, 0, 600, 600, 0, 600, 600, 0, 0, 600, 1000};
}

void TstCouleurF::barMovesTheOtherSystems()
{
    QFETCH(QString, name);
    QFETCH(int, position);
    QFETCH(QList<int>, positions);
    bar(qPrintable(name))->setValue(position);
    QCOMPARE(barPositions(), positions);
    const ColourState &st = window->State();
    QCOMPARE(AppSettings().HSVColor, ColourToTColor(st.r, st.g, st.b));
}

void TstCouleurF::zeroSaturationFreezesTheHue()
{
    bar("hBar")->setValue(2000);
    QCOMPARE(label("hLab"), QStringLiteral("Teinte ( max 360,0 ° ) : 200,0 °"));
    bar("sBar")->setValue(0);
    QCOMPARE(label("hLab"), QStringLiteral("Teinte indéfinie"));
    QCOMPARE(window->State().h, 200.0);
    QCOMPARE(AppSettings().HSVColor, 0xFFFFFFu);

    // The hue bar and the wheel change nothing now.
    bar("hBar")->setValue(500);
    wheel(window.get(), 120);
    QCOMPARE(window->State().h, 200.0);
    QCOMPARE(AppSettings().HSVColor, 0xFFFFFFu);

    // The disc has no cursor: its centre is the disc's own white, not the grey radius.
    const auto *disc = window->findChild<PaintBox *>(QStringLiteral("CDisplay"));
    const int R = window->DiscDiameter() / 2;
    QCOMPARE(disc->Frame().pixel(R, R) & 0xFFFFFF, 0xFFFFFFu);

    // The old hue comes back with the saturation.
    bar("sBar")->setValue(1000);
    QCOMPARE(label("hLab"), QStringLiteral("Teinte ( max 360,0 ° ) : 200,0 °"));
    QCOMPARE(bar("hBar")->value(), 2000);
    QCOMPARE(disc->Frame().pixel(R, R) & 0xFFFFFF, 0x808080u);
}

void TstCouleurF::greyThroughRgbKeepsTheHueBar()
{
    bar("GBar")->setValue(1000); // yellow, hue 60
    QCOMPARE(bar("hBar")->value(), 600);
    bar("BBar")->setValue(1000); // white
    QVERIFY(window->State().hueUndefined);
    QCOMPARE(bar("hBar")->value(), 600);
    QCOMPARE(bar("sBar")->value(), 0);
    QCOMPARE(bar("vBar")->value(), 1000);
    QCOMPARE(label("hLab"), QStringLiteral("Teinte indéfinie"));
}

void TstCouleurF::labelsFollowTheFormat_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("red");
    QTest::addColumn<QString>("saturation");

    QTest::newRow("0 to 1") << 0 << "Rouge ( max 1.000  ) : 0,500"
                            << "Saturation ( max 1.000  ) : 1,000";
    QTest::newRow("percent") << 1 << "Rouge ( max 100 %  ) : 50,0%"
                             << "Saturation ( max 100 %  ) : 100,0%";
    QTest::newRow("0 to 255") << 2 << "Rouge ( max 255  ) : 128"
                              << "Saturation ( max 255  ) : 255";
}

void TstCouleurF::labelsFollowTheFormat()
{
    QFETCH(int, format);
    QFETCH(QString, red);
    QFETCH(QString, saturation);
    bar("RBar")->setValue(500);
    window->findChild<QComboBox *>(QStringLiteral("ComposCombo"))->setCurrentIndex(format);
    QCOMPARE(label("rLab"), red);
    QCOMPARE(label("sLab"), saturation);
    QCOMPARE(label("hLab"), QStringLiteral("Teinte ( max 360,0 ° ) : 0,0 °"));
    QCOMPARE(AppSettings().ComposIndex, format);
}

void TstCouleurF::pickOnTheDisc_data()
{
    QTest::addColumn<QPoint>("at"); // in units of R: the box is 2R wide
    QTest::addColumn<QPoint>("nudge"); // then in pixels (QTest takes (0, 0) as the middle)
    QTest::addColumn<double>("hue");
    QTest::addColumn<double>("saturation");
    QTest::addColumn<bool>("undefined");

    QTest::newRow("top of the rim") << QPoint(1, 0) << QPoint(0, 0) << 90.0 << 1.0 << false;
    QTest::newRow("left of the rim") << QPoint(0, 1) << QPoint(0, 0) << 180.0 << 1.0 << false;
    QTest::newRow("corner, outside: rim") << QPoint(0, 0) << QPoint(1, 1) << 135.0 << 1.0 << false;
    QTest::newRow("centre") << QPoint(1, 1) << QPoint(0, 0) << 0.0 << 0.0 << true;
}

void TstCouleurF::pickOnTheDisc()
{
    QFETCH(QPoint, at);
    QFETCH(QPoint, nudge);
    QFETCH(double, hue);
    QFETCH(double, saturation);
    QFETCH(bool, undefined);
    auto *disc = window->findChild<PaintBox *>(QStringLiteral("CDisplay"));
    const int R = window->DiscDiameter() / 2;
    QTest::mousePress(disc, Qt::RightButton, Qt::NoModifier, at * R + nudge);
    const ColourState &st = window->State();
    QCOMPARE(st.hueUndefined, undefined);
    QVERIFY(qFuzzyCompare(st.h + 1, hue + 1));
    QCOMPARE(st.s, saturation);
    QCOMPARE(bar("sBar")->value(), qRound(saturation * 1000));
    if (!undefined)
        QCOMPARE(bar("hBar")->value(), qRound(hue * 10));
    QCOMPARE(bar("vBar")->value(), 1000);
}

void TstCouleurF::dragOnTheDiscNeedsTheLeftButton()
{
    auto *disc = window->findChild<PaintBox *>(QStringLiteral("CDisplay"));
    const int R = window->DiscDiameter() / 2;
    const auto move = [&](QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent event(
            QEvent::MouseMove, at, disc->mapToGlobal(at), Qt::NoButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(disc, &event);
    };
    move(QPoint(R, 0), Qt::NoButton);
    QCOMPARE(bar("hBar")->value(), 0);
    move(QPoint(R, 0), Qt::RightButton);
    QCOMPARE(bar("hBar")->value(), 0);
    move(QPoint(0, R), Qt::LeftButton);
    QCOMPARE(bar("hBar")->value(), 1800);
    QCOMPARE(AppSettings().HSVColor, 0xFFFF00u); // cyan, as a TColor
}

void TstCouleurF::wheelWrapsTheHue_data()
{
    QTest::addColumn<int>("hueBar");
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QString>("hueLabel");

    QTest::newRow("359 up to 0") << 3590 << 120 << 0 << "Teinte ( max 360,0 ° ) : 0,0 °";
    QTest::newRow("1 down to 360") << 10 << -120 << 3600 << "Teinte ( max 360,0 ° ) : 360,0 °";
    QTest::newRow("two notches") << 1000 << 240 << 1040 << "Teinte ( max 360,0 ° ) : 104,0 °";
    // A small delta of a fine wheel counts in whole degrees, the fraction dropped.
    QTest::newRow("fine wheel") << 1000 << 90 << 1010 << "Teinte ( max 360,0 ° ) : 101,0 °";
}

void TstCouleurF::wheelWrapsTheHue()
{
    QFETCH(int, hueBar);
    QFETCH(int, delta);
    QFETCH(int, expected);
    QFETCH(QString, hueLabel);
    bar("hBar")->setValue(hueBar);
    // Over a scroll bar too, the window takes the wheel.
    wheel(bar("RBar"), delta);
    QCOMPARE(bar("hBar")->value(), expected);
    QCOMPARE(label("hLab"), hueLabel);
}

void TstCouleurF::discAndGaugePixels()
{
    // Saturation 0 hides the disc cursor; the disc itself is drawn for v = 1.
    bar("sBar")->setValue(0);
    const QImage disc = window->findChild<PaintBox *>(QStringLiteral("CDisplay"))->Frame();
    const int R = window->DiscDiameter() / 2; // 120
    const auto at = [&](int x, int y) { return disc.pixel(x, y) & 0xFFFFFF; };
    // Half saturation: hue 0 right of the centre, 90 above, 180 left, 270 below.
    QCOMPARE(at(R + R / 2, R), 0xFF8080u);
    QCOMPARE(at(R, R - R / 2), 0xBFFF80u);
    QCOMPARE(at(R - R / 2, R), 0x80FFFFu);
    QCOMPARE(at(R, R + R / 2), 0xBF80FFu);
    const QColor face = window->palette().color(QPalette::Button);
    QCOMPARE(at(1, 1), face.rgb() & 0xFFFFFF);

    // Red gauge at 0.5 with GW = 240: the cursor spans 116..124; its triangles are black
    // at the top and bottom rows, the gauge shows between them.
    bar("sBar")->setValue(1000);
    bar("RBar")->setValue(500);
    const QImage red = window->findChild<PaintBox *>(QStringLiteral("RDis"))->Frame();
    QCOMPARE(red.pixel(116, 0) & 0xFFFFFF, 0u);
    QCOMPARE(red.pixel(124, 15) & 0xFFFFFF, 0u);
    QCOMPARE(red.pixel(120, 3) & 0xFFFFFF, 0xC0C0C0u);
    // Column 120: level Round(120 * 255 / 239) = 128.
    QCOMPARE(red.pixel(120, 8) & 0xFFFFFF, 0x800000u);
    QCOMPARE(red.pixel(239, 0) & 0xFFFFFF, 0xFF0000u);
    QCOMPARE(red.pixel(0, 0) & 0xFFFFFF, 0u);
    const QImage black = window->findChild<PaintBox *>(QStringLiteral("kDis"))->Frame();
    QCOMPARE(black.pixel(200, 0) & 0xFFFFFF, 0x2A2A2Au); // Round(200 * 255 / 239) = 213
}

void TstCouleurF::colourText_data()
{
    QTest::addColumn<QList<int>>("hsvBars"); // h, s, v
    QTest::addColumn<int>("format");
    QTest::addColumn<QStringList>("lines");

    const QString head = QStringLiteral("Module \"Systèmes de mesure de la couleur\"");
    QTest::newRow("orange, 0 to 1")
        << QList<int> {300, 1000, 1000} << 0
        << QStringList {head, "", "Code hexadécimal : #FF8000",
               "Composantes RVB : 1,000 0,500 0,000", "Composantes CMJ : 0,000 0,500 1,000",
               "Composantes CMJN : 0,000 0,500 1,000 0,000", "Composantes TSV : 30,0 ° 1,000 1,000",
               ""};
    QTest::newRow("grey, 0 to 255")
        << QList<int> {300, 0, 500} << 2
        << QStringList {head, "", "Code hexadécimal : #808080", "Composantes RVB : 128 128 128",
               "Composantes CMJ : 128 128 128", "Composantes CMJN : 0 0 0 128",
               "Composantes TSV : Teinte indéfinie 0 128", ""};
}

void TstCouleurF::colourText()
{
    QFETCH(QList<int>, hsvBars);
    QFETCH(int, format);
    QFETCH(QStringList, lines);
    bar("hBar")->setValue(hsvBars[0]);
    bar("sBar")->setValue(hsvBars[1]);
    bar("vBar")->setValue(hsvBars[2]);
    window->findChild<QComboBox *>(QStringLiteral("ComposCombo"))->setCurrentIndex(format);
    QCOMPARE(window->ColourText().split(QStringLiteral("\r\n")), lines);

    window->findChild<QToolButton *>(QStringLiteral("CopyTxtBout"))->click();
    QCOMPARE(QApplication::clipboard()->text(), window->ColourText());
    window->findChild<QToolButton *>(QStringLiteral("CopierBout"))->click();
    const QImage swatch = QApplication::clipboard()->image();
    QCOMPARE(swatch.size(), QSize(240, 172));
    QCOMPARE(swatch.pixel(5, 5) & 0xFFFFFF, SwapRB(AppSettings().HSVColor));
}

void TstCouleurF::hexadecimalSwitch()
{
    auto *edit = window->findChild<QLineEdit *>(QStringLiteral("HexaEd"));
    QVERIFY(!edit->isVisible());
    bar("GBar")->setValue(500);
    window->findChild<QCheckBox *>(QStringLiteral("HexaCheck"))->setChecked(true);
    QVERIFY(edit->isVisible());
    QVERIFY(AppSettings().HexaFlag);
    QCOMPARE(edit->text(), QStringLiteral("#FF8000"));
    bar("BBar")->setValue(1000);
    QCOMPARE(edit->text(), QStringLiteral("#FF80FF"));
}

QTEST_MAIN(TstCouleurF)
#include "tst_couleurf.moc"
