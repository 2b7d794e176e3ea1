// Stored window positions against the screens that exist now.
#include "shell/PlacementFit.h"

#include <QtTest>

using namespace kaleno;

class TestPlacementFit : public QObject {
    Q_OBJECT

private slots:
    void fit_data()
    {
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QList<QRect>>("screens");
        QTest::addColumn<QRect>("expected");
        const QRect primary(0, 0, 1920, 1080);
        const QList<QRect> one {primary};
        const QList<QRect> two {primary, QRect(1920, 0, 1280, 1024)};
        QTest::newRow("inside") << QRect(100, 100, 500, 400) << one << QRect(100, 100, 500, 400);
        QTest::newRow("on the second screen")
            << QRect(2500, 100, 500, 400) << two << QRect(2500, 100, 500, 400);
        // The second monitor was unplugged: centred on the primary one.
        QTest::newRow("screen gone")
            << QRect(2500, 100, 500, 400) << one << QRect(710, 340, 500, 400);
        QTest::newRow("120 px of title bar left")
            << QRect(1800, 100, 500, 400) << one << QRect(1800, 100, 500, 400);
        QTest::newRow("20 px of title bar left")
            << QRect(1900, 100, 500, 400) << one << QRect(710, 340, 500, 400);
        QTest::newRow("title bar above the screen")
            << QRect(100, -100, 500, 400) << one << QRect(710, 340, 500, 400);
        QTest::newRow("larger than the screen")
            << QRect(3000, 0, 2500, 1500) << one << QRect(0, 0, 2500, 1500);
    }

    void fit()
    {
        QFETCH(QRect, frame);
        QFETCH(QList<QRect>, screens);
        QFETCH(QRect, expected);
        QCOMPARE(FitOntoScreens(frame, screens, screens.first()), expected);
    }
};

QTEST_GUILESS_MAIN(TestPlacementFit)
#include "tst_placementfit.moc"
