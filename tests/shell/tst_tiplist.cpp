#include "shell/TipList.h"

#include <QFile>
#include <QTest>

using namespace kaleno;

class TestTipList : public QObject {
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void hugeInputIsLinear();
    void realTips();
};

void TestTipList::parse_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("tips");

    QTest::newRow("two tips then FIN")
        << QByteArray("Un\r\nDeux\r\nFIN\r\n") << QStringList {u"Un"_qs, u"Deux"_qs};
    QTest::newRow("nothing read after FIN")
        << QByteArray("Un\r\nFIN\r\nDeux\r\n") << QStringList {u"Un"_qs};
    QTest::newRow("FIN needs its whole line")
        << QByteArray("FINAL\r\n FIN\r\nFIN") << QStringList {u"FINAL"_qs, u" FIN"_qs};
    QTest::newRow("empty line is an empty tip")
        << QByteArray("Un\r\n\r\nDeux\r\nFIN\r\n") << QStringList {u"Un"_qs, QString(), u"Deux"_qs};
    QTest::newRow("FIN first") << QByteArray("FIN\r\nUn\r\n") << QStringList {};
    QTest::newRow("empty input") << QByteArray() << QStringList {};
    QTest::newRow("no FIN, last line ended")
        << QByteArray("Un\r\nDeux\r\n") << QStringList {u"Un"_qs, u"Deux"_qs};
    QTest::newRow("no carriage return at all")
        << QByteArray("Une seule astuce") << QStringList {u"Une seule astuce"_qs};
    QTest::newRow("lone CR keeps the next first letter")
        << QByteArray("Un\rDeux\rFIN") << QStringList {u"Un"_qs, u"Deux"_qs};
    QTest::newRow("bare LF is part of the text")
        << QByteArray("Un\nDeux\r\nFIN\r\n") << QStringList {u"Un\nDeux"_qs};
    QTest::newRow("CR at the very end") << QByteArray("Un\r") << QStringList {u"Un"_qs};
    QTest::newRow("Windows-1252 letters")
        << QByteArray("\xC0 bient\xF4t, \xE9t\xE9 \x80\x85\r\nFIN\r\n")
        << QStringList {u"À bientôt, été €…"_qs};
    QTest::newRow("NUL and high bytes kept")
        << QByteArray("a\0b\xFF\r\nFIN", 9) << QStringList {u"a\0b\u00FF"_qs};
}

void TestTipList::parse()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, tips);
    QCOMPARE(ParseTips(bytes), tips);
}

void TestTipList::hugeInputIsLinear()
{
    // A million carriage returns and 8 MiB without any: both end, one pass each.
    const QByteArray returns(1 << 20, '\r');
    QCOMPARE(ParseTips(returns).size(), 1 << 20);
    const QByteArray letters(8 << 20, 'x');
    const QStringList one = ParseTips(letters);
    QCOMPARE(one.size(), 1);
    QCOMPARE(one.first().size(), 8 << 20);
}

void TestTipList::realTips()
{
    QFile file(QFINDTESTDATA("../../resources/text/TIPS.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.endsWith("\r\nFIN\r\n"));
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));

    const QStringList tips = ParseTips(bytes);
    QCOMPARE(tips.size(), 31);
    for (const QString &tip : tips) {
        QVERIFY2(!tip.trimmed().isEmpty(), "an empty tip");
        QVERIFY2(tip.size() <= 245, qPrintable(tip));
    }
    QVERIFY(tips.first().startsWith(u"Kaleno fonctionne directement depuis un CD-ROM"_qs));
    // Accents come from single 1252 bytes, not from UTF-8 pairs.
    QVERIFY(tips.join(QString()).contains(u"fenêtre"_qs));
    QVERIFY(!tips.join(QString()).contains(u'Ã'));
}

QTEST_GUILESS_MAIN(TestTipList)
#include "tst_tiplist.moc"
