#include "shell/Bitmaps.h"
#include "shell/SplashF.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using kaleno::TSplashF;

class TstSplashF : public QObject {
    Q_OBJECT

private slots:
    void splashIsABorderlessCentredWindowOnTop();
    void splashRefusesToCloseWhileTimerRuns();
    void splashClosesAtTheTick();
    void aboutClosesOnClick();
    void bitmapResources_data();
    void bitmapResources();
    void cursors_data();
    void cursors();
};

void TstSplashF::splashIsABorderlessCentredWindowOnTop()
{
    TSplashF splash;
    splash.ShowSplash();
    QCOMPARE(splash.objectName(), QStringLiteral("TSplashF"));
    QCOMPARE(splash.size(), QSize(500, 340));
    QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(splash.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!splash.isModal());
    const QPoint offset = splash.geometry().center() - splash.screen()->geometry().center();
    QVERIFY2(offset.manhattanLength() <= 2, "the splash is not centred on the screen");
}

void TstSplashF::splashRefusesToCloseWhileTimerRuns()
{
    TSplashF splash;
    QSignalSpy closed(&splash, &TSplashF::Closed);
    splash.ShowSplash();
    QVERIFY(splash.TimerRunning());

    QVERIFY(!splash.close());
    splash.reject();
    splash.accept();
    QTest::keyClick(&splash, Qt::Key_Escape);
    QTest::mouseClick(&splash, Qt::LeftButton, {}, QPoint(250, 170));

    QVERIFY(splash.isVisible());
    QVERIFY(splash.TimerRunning());
    QCOMPARE(closed.count(), 0);
}

void TstSplashF::splashClosesAtTheTick()
{
    TSplashF splash;
    QSignalSpy closed(&splash, &TSplashF::Closed);
    splash.ShowSplash(30);
    QVERIFY(splash.isVisible());
    QVERIFY(closed.wait(5000));
    QVERIFY(!splash.isVisible());
    QVERIFY(!splash.TimerRunning());
    QCOMPARE(closed.count(), 1);
}

void TstSplashF::aboutClosesOnClick()
{
    TSplashF splash;
    QSignalSpy closed(&splash, &TSplashF::Closed);
    bool modal = false;
    bool timerRunning = true;
    QTimer::singleShot(0, &splash, [&] {
        modal = splash.isModal() && splash.isVisible();
        timerRunning = splash.TimerRunning();
        QTest::mouseClick(&splash, Qt::LeftButton, {}, QPoint(480, 320));
    });
    // A missed click must fail the test, not hang it.
    constexpr int kGaveUp = 42;
    QTimer::singleShot(5000, &splash, [&] { splash.done(kGaveUp); });

    QVERIFY(splash.ShowAbout() != kGaveUp);
    QVERIFY(modal);
    QVERIFY(!timerRunning);
    QVERIFY(!splash.isVisible());
    QCOMPARE(closed.count(), 1);
}

namespace {

enum class Key { Corner, Given };

// Pixels of the corner colour, as a share of the picture.
double CornerShare(const QImage &image)
{
    const QRgb corner = image.pixel(0, 0);
    qsizetype count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == corner;
    return double(count) / (qsizetype(image.width()) * image.height());
}

} // namespace

void TstSplashF::bitmapResources_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size"); // an invalid size: any size
    QTest::addColumn<uint>("key"); // 0: no given key, the corner colour is the key
    QTest::addColumn<bool>("keyAtCorners");
    QTest::addColumn<bool>("background"); // the key covers most of a tile

    const QSize any;
    const uint olive = qRgb(128, 128, 0);
    const uint red = qRgb(255, 0, 0);
    const uint black = qRgb(0, 0, 0);
    QTest::newRow("red bullet") << "PuceR" << QSize(13, 9) << olive << true << false;
    QTest::newRow("grey bullet") << "PuceG" << QSize(13, 9) << olive << true << false;
    QTest::newRow("blue bullet") << "PuceB" << QSize(13, 9) << olive << true << false;
    QTest::newRow("tip icons") << "Tips" << QSize(38, 17) << red << true << false;
    QTest::newRow("light motif") << "Motif" << any << 0u << true << true;
    QTest::newRow("dark motif") << "MotifF" << any << 0u << true << true;
    QTest::newRow("logo") << "Logo" << any << 0u << true << false;
    QTest::newRow("mini logo") << "MiniLogo" << any << 0u << true << false;
    // The splash adds these onto its sky: a black border leaves no seam.
    QTest::newRow("glowing name") << "LogoXL" << any << black << true << false;
    QTest::newRow("star") << "SplashNova" << any << black << true << false;
    QTest::newRow("sky") << "LogoBlue" << any << 0u << false << false;
    QTest::newRow("lens") << "Lens" << any << 0u << true << false;
}

void TstSplashF::bitmapResources()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QFETCH(uint, key);
    QFETCH(bool, keyAtCorners);
    QFETCH(bool, background);

    const QImage image = kaleno::LoadResourceBitmap(name);
    QVERIFY2(!image.isNull(), qPrintable(name));
    if (size.isValid())
        QCOMPARE(image.size(), size);
    const QRgb expected = key != 0 ? QRgb(key) : image.pixel(0, 0);
    if (keyAtCorners) {
        const int r = image.width() - 1;
        const int b = image.height() - 1;
        for (const QPoint p : {QPoint(0, 0), QPoint(r, 0), QPoint(0, b), QPoint(r, b)})
            QCOMPARE(image.pixel(p) & 0xFFFFFFu, expected & 0xFFFFFFu);
    }
    if (background)
        QVERIFY2(CornerShare(image) > 0.5, "the corner colour is not the tile's background");
}

void TstSplashF::cursors_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Qt::CursorShape>("shape");
    QTest::newRow("hand") << "C_Main" << Qt::BitmapCursor;
    QTest::newRow("brush") << "C_Brosse" << Qt::BitmapCursor;
    QTest::newRow("pencil") << "C_Crayon" << Qt::BitmapCursor;
    QTest::newRow("paint pot") << "C_Flood" << Qt::BitmapCursor;
    QTest::newRow("eraser") << "C_Gomme" << Qt::BitmapCursor;
    QTest::newRow("unknown name") << "NoSuchCursor" << Qt::ArrowCursor;
}

void TstSplashF::cursors()
{
    QFETCH(QString, name);
    QFETCH(Qt::CursorShape, shape);
    const QCursor cursor = kaleno::LoadResourceCursor(name);
    QCOMPARE(cursor.shape(), shape);
    if (shape != Qt::BitmapCursor)
        return;
    const QImage picture = cursor.pixmap().toImage();
    QCOMPARE(picture.size(), QSize(32, 32));
    // The hot spot lies on the drawing (the finger tip, the pencil point, ...).
    QVERIFY(picture.rect().contains(cursor.hotSpot()));
    QVERIFY(qAlpha(picture.pixel(cursor.hotSpot())) > 0);
}

QTEST_MAIN(TstSplashF)
#include "tst_splashf.moc"
