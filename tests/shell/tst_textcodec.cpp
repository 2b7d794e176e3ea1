#include "shell/TextCodec.h"

#include <QTest>

using namespace kaleno;

class TestTextCodec : public QObject {
    Q_OBJECT

private slots:
    void decodeWindows1252_data();
    void decodeWindows1252();
    void encodeWindows1252_data();
    void encodeWindows1252();
    void everyByteRoundTrips();
    void validUtf8_data();
    void validUtf8();
    void utf8OrWindows1252_data();
    void utf8OrWindows1252();
};

void TestTextCodec::decodeWindows1252_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QByteArray("Kaleno 1") << QStringLiteral("Kaleno 1");
    QTest::newRow("nul kept") << QByteArray("a\0b", 3) << QString::fromUtf16(u"a\u0000b", 3);
    QTest::newRow("euro 0x80") << QByteArray("\x80") << QStringLiteral(u"\u20AC");
    QTest::newRow("quotes 0x91-0x94")
        << QByteArray("\x91\x92\x93\x94") << QStringLiteral(u"\u2018\u2019\u201C\u201D");
    QTest::newRow("oe 0x9C, Y diaeresis 0x9F")
        << QByteArray("\x9C\x9F") << QStringLiteral(u"\u0153\u0178");
    QTest::newRow("undefined bytes keep their code")
        << QByteArray("\x81\x8D\x8F\x90\x9D") << QStringLiteral(u"\u0081\u008D\u008F\u0090\u009D");
    QTest::newRow("latin-1 half") << QByteArray("n\xB0 \xE9t\xE9 \xA0\xFF")
                                  << QStringLiteral(u"n° été \u00A0ÿ");
}

void TestTextCodec::decodeWindows1252()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(DecodeWindows1252(bytes), text);
}

void TestTextCodec::encodeWindows1252_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("french") << QStringLiteral(u"Lame épaisse n°2 €")
                            << QByteArray("Lame \xE9paisse n\xB0"
                                          "2 \x80");
    QTest::newRow("OE ligature") << QStringLiteral(u"\u0152uvre") << QByteArray("\x8Cuvre");
    QTest::newRow("C1 control without a byte") << QStringLiteral(u"a\u0085b") << QByteArray("a?b");
    QTest::newRow("CJK") << QStringLiteral(u"\u4E2D") << QByteArray("?");
    QTest::newRow("pair is one character") << QStringLiteral(u"x\U0001F600y") << QByteArray("x?y");
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("?");
}

void TestTextCodec::encodeWindows1252()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(EncodeWindows1252(text), bytes);
}

void TestTextCodec::everyByteRoundTrips()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString text = DecodeWindows1252(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(EncodeWindows1252(text), all);
}

void TestTextCodec::validUtf8_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("valid");
    QTest::newRow("empty") << QByteArray() << true;
    QTest::newRow("ascii with nul") << QByteArray("a\0b", 3) << true;
    QTest::newRow("two bytes") << QByteArray("\xC2\xB0") << true;
    QTest::newRow("three bytes, U+FFFF") << QByteArray("\xEF\xBF\xBF") << true;
    QTest::newRow("four bytes, U+10FFFF") << QByteArray("\xF4\x8F\xBF\xBF") << true;
    QTest::newRow("lone 1252 byte") << QByteArray("n\xB0"
                                                  "1")
                                    << false;
    QTest::newRow("continuation first") << QByteArray("\x80") << false;
    QTest::newRow("overlong two bytes") << QByteArray("\xC0\xAF") << false;
    QTest::newRow("overlong three bytes") << QByteArray("\xE0\x80\xAF") << false;
    QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << false;
    QTest::newRow("above U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << false;
    QTest::newRow("F5 lead") << QByteArray("\xF5\x80\x80\x80") << false;
    QTest::newRow("cut at the end") << QByteArray("ab\xE2\x82") << false;
    QTest::newRow("bad second trail") << QByteArray("\xE2\x82\x41") << false;
}

void TestTextCodec::validUtf8()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, valid);
    QCOMPARE(IsValidUtf8(bytes), valid);
}

void TestTextCodec::utf8OrWindows1252_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("utf-8") << QByteArray("n\xC2\xB0"
                                         "1")
                           << QStringLiteral(u"n°1");
    QTest::newRow("1252") << QByteArray("n\xB0"
                                        "1")
                          << QStringLiteral(u"n°1");
    QTest::newRow("bom dropped") << QByteArray("\xEF\xBB\xBFn\xC2\xB0") << QStringLiteral(u"n°");
    QTest::newRow("only one bom dropped") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF"
                                                        "a")
                                          << QStringLiteral(u"\uFEFFa");
    // One invalid sequence anywhere makes the whole file 1252, the bom bytes included.
    QTest::newRow("bom then 1252") << QByteArray("\xEF\xBB\xBF\xE9") << QStringLiteral(u"ï»¿é");
}

void TestTextCodec::utf8OrWindows1252()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(DecodeUtf8OrWindows1252(bytes), text);
}

QTEST_GUILESS_MAIN(TestTextCodec)
#include "tst_textcodec.moc"
