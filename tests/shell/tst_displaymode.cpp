// The display description of the launcher's status line and the low-colour advice.
#include "shell/DisplayMode.h"

#include <QTest>

using namespace kaleno;

class TestDisplayMode : public QObject {
    Q_OBJECT

private slots:
    void describe_data();
    void describe();
};

void TestDisplayMode::describe_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("bits");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("lowColour");

    QTest::newRow("8 bits") << 640 << 480 << 8 << "Affichage 640 sur 480 pixels, 256 couleurs."
                            << true;
    QTest::newRow("16 bits") << 800 << 600 << 16 << "Affichage 800 sur 600 pixels, 65536 couleurs."
                             << false;
    QTest::newRow("24 bits") << 1024 << 768 << 24
                             << "Affichage 1024 sur 768 pixels, 16 millions de couleurs." << false;
    QTest::newRow("32 bits") << 1920 << 1080 << 32
                             << "Affichage 1920 sur 1080 pixels, 16 millions de couleurs." << false;
    QTest::newRow("4 bits") << 640 << 480 << 4 << "Affichage 640 sur 480 pixels, 16 couleurs."
                            << true;
    QTest::newRow("15 bits") << 800 << 600 << 15 << "Affichage 800 sur 600 pixels, 16 couleurs."
                             << true;
    QTest::newRow("1 bit") << 640 << 350 << 1 << "Affichage 640 sur 350 pixels, 16 couleurs."
                           << true;
}

void TestDisplayMode::describe()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, bits);
    QFETCH(QString, text);
    QFETCH(bool, lowColour);

    const DisplayMode mode = DescribeDisplay(width, height, bits);
    QCOMPARE(mode.Text, text);
    QCOMPARE(mode.LowColour, lowColour);
}

QTEST_GUILESS_MAIN(TestDisplayMode)
#include "tst_displaymode.moc"
