#include "modules/optics/photo/PhotoRules.h"

#include <QTest>

using namespace kaleno;

class TstPhotoRules : public QObject {
    Q_OBJECT

private slots:
    void centimetreText_data();
    void centimetreText();
    void hexadecimalCodeIsRedGreenBlueUpperCase();
};

void TstPhotoRules::centimetreText_data()
{
    QTest::addColumn<double>("metres");
    QTest::addColumn<QString>("text");
    QTest::newRow("padded to seven") << 0.1234 << QStringLiteral("   12.3");
    QTest::newRow("negative") << -3.522913 << QStringLiteral(" -352.3");
    QTest::newRow("a hair below zero keeps its sign") << -0.0004 << QStringLiteral("   -0.0");
    QTest::newRow("wider than seven is not cut") << 1234.5678 << QStringLiteral("123456.8");
}

void TstPhotoRules::centimetreText()
{
    QFETCH(double, metres);
    QFETCH(QString, text);
    QCOMPARE(photo::CentimetreText(metres), text);
}

void TstPhotoRules::hexadecimalCodeIsRedGreenBlueUpperCase()
{
    // TColor 0x00BBGGRR: red 0x0A, green 0xBC, blue 0xDE.
    const QString text = photo::ObjectColoursText(0xDEBC0A, 0x000001);
    QVERIFY(text.contains(QStringLiteral("Composantes RVB : 10 188 222\r\n")));
    QVERIFY(text.contains(QStringLiteral("Code hexadécimal : #0ABCDE\r\n")));
    QVERIFY(text.endsWith(QStringLiteral("Code hexadécimal : #010000\r\n")));
}

QTEST_GUILESS_MAIN(TstPhotoRules)
#include "tst_photorules.moc"
