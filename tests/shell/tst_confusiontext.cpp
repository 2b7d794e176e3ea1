// The circle-of-confusion text: what a typed entry becomes in metres and how it shows.
#include "shell/ConfusionText.h"

#include <QTest>

using namespace kaleno;

class TestConfusionText : public QObject {
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void format_data();
    void format();
};

void TestConfusionText::parse_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("metres");
    QTest::addColumn<QString>("shown");

    QTest::newRow("comma") << "0,05" << 5e-5 << " 0.0500";
    QTest::newRow("point") << "0.05" << 5e-5 << " 0.0500";
    QTest::newRow("four decimals") << "0,1234" << 1.234e-4 << " 0.1234";
    QTest::newRow("lower bound") << "0.01" << 1e-5 << " 0.0100";
    QTest::newRow("upper bound") << "0,3" << 3e-4 << " 0.3000";
    QTest::newRow("one is too large") << "1" << 3e-4 << " 0.3000";
    QTest::newRow("just above the upper bound") << "0.3000001" << 3e-4 << " 0.3000";
    QTest::newRow("just below the lower bound") << "0,009" << 1e-5 << " 0.0100";
    QTest::newRow("letters only") << "abc" << 1e-5 << " 0.0100";
    QTest::newRow("empty") << "" << 1e-5 << " 0.0100";
    QTest::newRow("separator alone") << "." << 1e-5 << " 0.0100";
    QTest::newRow("only the first separator counts") << "0,0,5" << 5e-5 << " 0.0500";
    QTest::newRow("mixed separators") << "0.1,5" << 1.5e-4 << " 0.1500";
    QTest::newRow("shown form typed back") << " 0.0300" << 3e-5 << " 0.0300";
    QTest::newRow("unit and blanks dropped") << " 0.03 mm" << 3e-5 << " 0.0300";
    QTest::newRow("inner blank dropped") << "0.0 5" << 5e-5 << " 0.0500";
    QTest::newRow("minus sign dropped") << "-0.2" << 2e-4 << " 0.2000";
    QTest::newRow("exponent letter dropped") << "1e-2" << 3e-4 << " 0.3000";
    QTest::newRow("leading separator") << ".05" << 5e-5 << " 0.0500";
    QTest::newRow("leading separator, too large") << ".5" << 3e-4 << " 0.3000";
    QTest::newRow("trailing separator") << "5." << 3e-4 << " 0.3000";
    // U+0665 is an Arabic-Indic five: a digit to Unicode, not one of 0-9.
    QTest::newRow("non-ASCII digit dropped") << QStringLiteral("0,0\u0665") << 1e-5 << " 0.0100";
    QTest::newRow("digits beyond a double") << QString(400, QLatin1Char('9')) << 3e-4 << " 0.3000";
}

void TestConfusionText::parse()
{
    QFETCH(QString, typed);
    QFETCH(double, metres);
    QFETCH(QString, shown);

    const double parsed = ParseConfusion(typed);
    QCOMPARE(parsed, metres);
    QCOMPARE(FormatConfusion(parsed), shown);
}

void TestConfusionText::format_data()
{
    QTest::addColumn<double>("metres");
    QTest::addColumn<QString>("shown");

    // The settings file's default, 300 × 1e-7 m, which is not exactly 3e-5 in binary.
    QTest::newRow("stored default") << 300 * 1e-7 << " 0.0300";
    QTest::newRow("fifth decimal rounds") << 1.23456e-4 << " 0.1235";
    QTest::newRow("zero") << 0.0 << " 0.0000";
    QTest::newRow("above one millimetre") << 1.5e-3 << " 1.5000";
}

void TestConfusionText::format()
{
    QFETCH(double, metres);
    QFETCH(QString, shown);

    QCOMPARE(FormatConfusion(metres), shown);
}

QTEST_GUILESS_MAIN(TestConfusionText)
#include "tst_confusiontext.moc"
