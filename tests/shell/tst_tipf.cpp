#include "shell/TipF.h"

#include "shell/Bitmaps.h"
#include "shell/Settings.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <memory>

using namespace kaleno;

namespace {

// The first and last tips of the resource, as written there.
const QString kFirstTipStart = u"Kaleno fonctionne directement depuis un CD-ROM"_qs;
const QString kLastTipStart = u"Cette astuce du jour peut être affichée à tout moment"_qs;

} // namespace

class TestTipF : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void window();
    void lastTipThenCloseWraps();
    void storedIndexBeyondListShowsFirst();
    void navigation_data();
    void navigation();
    void closePaths_data();
    void closePaths();
    void untickedBoxStopsShowingAtStart();
    void notePanel();
    void everyTipFitsItsLabel();

private:
    void open(int tipIndex, bool tipFlag = true);
    QString numero() const { return dialog_->findChild<QLabel *>(u"NumeroLab"_qs)->text(); }
    QString tip() const { return dialog_->findChild<QLabel *>(u"TipLab"_qs)->text(); }
    template <typename T> T *child(const char *name) const
    {
        return dialog_->findChild<T *>(QString::fromLatin1(name));
    }

    std::unique_ptr<TTipF> dialog_;
};

void TestTipF::init()
{
    AppSettings() = Settings();
    dialog_ = std::make_unique<TTipF>();
}

void TestTipF::cleanup()
{
    dialog_.reset();
    AppSettings() = Settings();
}

void TestTipF::open(int tipIndex, bool tipFlag)
{
    AppSettings().TipIndex = tipIndex;
    AppSettings().TipFlag = tipFlag;
    dialog_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog_.get()));
}

void TestTipF::window()
{
    open(0);
    QCOMPARE(dialog_->objectName(), u"TTipF"_qs);
    QCOMPARE(dialog_->windowTitle(), u" Astuce du jour"_qs);
    QCOMPARE(dialog_->size(), QSize(328, 173));
    QCOMPARE(dialog_->windowType(), Qt::Tool);
    QVERIFY(dialog_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    const QPoint centre = dialog_->screen()->availableGeometry().center();
    QVERIFY((dialog_->frameGeometry().center() - centre).manhattanLength() <= 2);

    for (const char *name :
        {"tipBox", "TipLab", "NumeroLab", "TipCroix", "CloseBout", "PredBout", "Nextbout"}) {
        const QWidget *control = child<QWidget>(name);
        QVERIFY2(control, name);
        QVERIFY2(!control->accessibleName().isEmpty(), name);
        QVERIFY2(dialog_->rect().contains(control->geometry()), name);
    }
    QCOMPARE(child<QWidget>("tipBox")->geometry(), QRect(14, 8, 300, 107));
    QCOMPARE(child<QWidget>("TipLab")->geometry(), QRect(23, 35, 281, 70));
    // The number sits at (220, 19), or further left when it would leave the note panel.
    const QRect numero = child<QWidget>("NumeroLab")->geometry();
    QCOMPARE(numero.top(), 19);
    QVERIFY(numero.left() <= 220);
    QVERIFY(numero.right() < 14 + 300 - 1);
    QCOMPARE(child<QPushButton>("CloseBout")->text(), u"&Quitter"_qs);
    QCOMPARE(child<QPushButton>("PredBout")->text(), u"Astuce &précédente"_qs);
    QCOMPARE(child<QPushButton>("Nextbout")->text(), u"Astuce &suivante"_qs);
    QCOMPARE(dialog_->Tips().size(), 31);
}

void TestTipF::lastTipThenCloseWraps()
{
    open(30);
    QCOMPARE(numero(), u"Astuce n° 31 sur 31"_qs);
    QVERIFY(tip().startsWith(kLastTipStart));
    QVERIFY(child<QWidget>("NumeroLab")->geometry().right() < 14 + 300 - 1);
    // The whole number stays on the note panel.

    QTest::mouseClick(child<QPushButton>("CloseBout"), Qt::LeftButton);
    QVERIFY(!dialog_->isVisible());
    QCOMPARE(AppSettings().TipIndex, 0);
    QVERIFY(dialog_->Tips().isEmpty());
}

void TestTipF::storedIndexBeyondListShowsFirst()
{
    open(40);
    QCOMPARE(numero(), u"Astuce n° 1 sur 31"_qs);
    QVERIFY(tip().startsWith(kFirstTipStart));
    QCOMPARE(AppSettings().TipIndex, 0);
}

void TestTipF::navigation_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<int>("index");

    QTest::newRow("previous on the first shows the last") << 0 << u"P"_qs << 30;
    QTest::newRow("next on the last shows the first") << 30 << u"N"_qs << 0;
    QTest::newRow("next twice") << 4 << u"NN"_qs << 6;
    QTest::newRow("back and forth") << 10 << u"PPN"_qs << 9;
    QTest::newRow("around the list backwards") << 1 << u"PPP"_qs << 29;
}

void TestTipF::navigation()
{
    QFETCH(int, start);
    QFETCH(QString, clicks);
    QFETCH(int, index);

    open(start);
    for (const QChar click : clicks)
        QTest::mouseClick(
            child<QPushButton>(click == u'P' ? "PredBout" : "Nextbout"), Qt::LeftButton);
    QCOMPARE(AppSettings().TipIndex, index);
    QCOMPARE(numero(), u"Astuce n° %1 sur 31"_qs.arg(index + 1));
    QCOMPARE(tip(), dialog_->Tips().at(index));
    if (index == 30)
        QVERIFY(tip().startsWith(kLastTipStart));
    if (index == 0)
        QVERIFY(tip().startsWith(kFirstTipStart));
}

void TestTipF::closePaths_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("Quitter") << u"button"_qs;
    QTest::newRow("Escape") << u"escape"_qs;
    QTest::newRow("frame") << u"close"_qs;
}

void TestTipF::closePaths()
{
    QFETCH(QString, path);

    open(5);
    if (path == u"button")
        child<QPushButton>("CloseBout")->click();
    else if (path == u"escape")
        QTest::keyClick(dialog_.get(), Qt::Key_Escape);
    else
        dialog_->close();
    QVERIFY(!dialog_->isVisible());
    QCOMPARE(AppSettings().TipIndex, 6);

    // Only a showing advances the index: closing again changes nothing.
    dialog_->close();
    dialog_->reject();
    QCOMPARE(AppSettings().TipIndex, 6);

    // The next showing starts with the following tip.
    open(AppSettings().TipIndex);
    QCOMPARE(numero(), u"Astuce n° 7 sur 31"_qs);
}

void TestTipF::untickedBoxStopsShowingAtStart()
{
    open(0, true);
    auto *box = child<QCheckBox>("TipCroix");
    QVERIFY(box->isChecked());
    box->click();
    QCOMPARE(AppSettings().TipFlag, true); // only closing stores it
    dialog_->close();
    QCOMPARE(AppSettings().TipFlag, false);
    QCOMPARE(AppSettings().TipIndex, 1);

    open(AppSettings().TipIndex, false);
    QVERIFY(!box->isChecked());
    box->click();
    dialog_->close();
    QCOMPARE(AppSettings().TipFlag, true);
}

void TestTipF::notePanel()
{
    open(0, true);
    auto *panel = child<QWidget>("tipBox");
    const QColor note(255, 255, 235);
    const QColor grey(128, 128, 128);

    QImage shot = panel->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shot.size(), QSize(300, 107));
    QCOMPARE(shot.pixelColor(0, 0), grey);
    QCOMPARE(shot.pixelColor(299, 106), grey);
    QCOMPARE(shot.pixelColor(150, 106), grey);
    QCOMPARE(shot.pixelColor(1, 1), note);
    QCOMPARE(shot.pixelColor(150, 80), note);
    QCOMPARE(shot.pixelColor(298, 105), note);
    int black = 0;
    for (int y = 5; y < 30; ++y)
        for (int x = 26; x < 200; ++x)
            black += shot.pixelColor(x, y) == QColor(Qt::black);
    QVERIFY2(black > 50, "no title text");

    QImage bitmap = LoadResourceBitmap(u"Tips"_qs);
    if (bitmap.isNull())
        QSKIP("no Tips bitmap among the resources");
    ReplaceImageColour(bitmap, qRgb(255, 0, 0), note.rgb());
    const QImage shownAtStart = bitmap.copy(0, 0, 19, 17);
    const QImage notShown = bitmap.copy(19, 0, 19, 17);
    QVERIFY(shownAtStart != notShown);
    QCOMPARE(shot.copy(4, 4, 19, 17), shownAtStart);

    child<QCheckBox>("TipCroix")->click();
    shot = panel->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shot.copy(4, 4, 19, 17), notShown);
}

void TestTipF::everyTipFitsItsLabel()
{
    open(0);
    auto *label = child<QLabel>("TipLab");
    for (const QString &text : dialog_->Tips()) {
        label->setText(text);
        QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(text));
    }
}

QTEST_MAIN(TestTipF)
#include "tst_tipf.moc"
