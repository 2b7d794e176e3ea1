#include "shell/IniFile.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTest>

#include <climits>

using namespace kaleno;

class TestIniFile : public QObject {
    Q_OBJECT

private slots:
    void readString_data();
    void readString();
    void readInteger_data();
    void readInteger();
    void readBool_data();
    void readBool();
    void serializeKeepsWhatItCannotRead();
    void writesInPlaceOrAppends();
    void writtenValueReadsBackAsStored();
    void sectionsAndKeysAreDistinct();
    void mergeMissingAddsOnlyWhatIsMissing();
    void anyBytesParse_data();
    void anyBytesParse();
    void manyKeysStayFast();
};

void TestIniFile::readString_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("present");
    QTest::addColumn<QString>("value");
    QTest::newRow("trimmed around =") << QByteArray("[S]\r\n  k  =  v w \t\r\n") << "S"
                                      << "k" << true << "v w";
    QTest::newRow("names ignore case") << QByteArray("[MainF]\nDirFichier=x") << "MAINF"
                                       << "dirfichier" << true << "x";
    QTest::newRow("first = splits") << QByteArray("[S]\nk=a=b") << "S"
                                    << "k" << true << "a=b";
    QTest::newRow("empty value is present") << QByteArray("[S]\nk=\n") << "S"
                                            << "k" << true << "";
    QTest::newRow("lone CR ends lines") << QByteArray("[S]\rk=1\rj=2") << "S"
                                        << "j" << true << "2";
    QTest::newRow("header padded, tail ignored") << QByteArray("  [ S ] old\nk=1") << "S"
                                                 << "k" << true << "1";
    QTest::newRow("first duplicate key wins") << QByteArray("[S]\nk=1\nK=2") << "S"
                                              << "k" << true << "1";
    QTest::newRow("first duplicate section wins")
        << QByteArray("[S]\nk=1\n[T]\n[s]\nk=2\nm=3") << "S"
        << "m" << false << "";
    QTest::newRow("comment is no key") << QByteArray("[S]\n;k=1") << "S"
                                       << ";k" << false << "";
    QTest::newRow("line without =") << QByteArray("[S]\nk\n") << "S"
                                    << "k" << false << "";
    QTest::newRow("key before any section") << QByteArray("k=1\n[S]\n") << ""
                                            << "k" << false << "";
    QTest::newRow("empty section name") << QByteArray("[]\nk=1") << ""
                                        << "k" << true << "1";
    QTest::newRow("unclosed bracket is a key") << QByteArray("[S]\n[x=1") << "S"
                                               << "[x" << true << "1";
    QTest::newRow("nul inside value") << QByteArray("[S]\nk=a\0b", 9) << "S"
                                      << "k" << true << QString::fromUtf16(u"a\u0000b", 3);
    QTest::newRow("1252 text") << QByteArray("[S]\nk=n\xB0"
                                             "1")
                               << "S"
                               << "k" << true << QStringLiteral(u"n°1");
    QTest::newRow("utf-8 text with bom") << QByteArray("\xEF\xBB\xBF[S]\nk=n\xC2\xB0"
                                                       "1")
                                         << "S"
                                         << "k" << true << QStringLiteral(u"n°1");
    QTest::newRow("missing section") << QByteArray("[S]\nk=1") << "T"
                                     << "k" << false << "";
}

void TestIniFile::readString()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(bool, present);
    QFETCH(QString, value);
    const IniFile ini = IniFile::Parse(file);
    QCOMPARE(ini.Has(section, key), present);
    QCOMPARE(ini.ReadString(section, key, QStringLiteral("def")), present ? value : "def");
}

void TestIniFile::readInteger_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("plain") << QByteArray("42") << 42;
    QTest::newRow("minus") << QByteArray("-5") << -5;
    QTest::newRow("plus") << QByteArray("+5") << 5;
    QTest::newRow("leading zeros") << QByteArray("0012") << 12;
    QTest::newRow("padded") << QByteArray("  12  ") << 12;
    QTest::newRow("int max") << QByteArray("2147483647") << INT_MAX;
    QTest::newRow("int min") << QByteArray("-2147483648") << INT_MIN;
    QTest::newRow("above int max") << QByteArray("2147483648") << -99;
    QTest::newRow("below int min") << QByteArray("-2147483649") << -99;
    QTest::newRow("twenty digits") << QByteArray("99999999999999999999") << -99;
    QTest::newRow("trailing text") << QByteArray("12abc") << -99;
    QTest::newRow("word") << QByteArray("douze") << -99;
    QTest::newRow("empty") << QByteArray("") << -99;
    QTest::newRow("sign alone") << QByteArray("-") << -99;
    QTest::newRow("hex") << QByteArray("0x10") << -99;
    QTest::newRow("decimal point") << QByteArray("1.5") << -99;
    QTest::newRow("inner blank") << QByteArray("1 2") << -99;
    QTest::newRow("arabic-indic digit") << QByteArray("\xD9\xA3") << -99;
}

void TestIniFile::readInteger()
{
    QFETCH(QByteArray, text);
    QFETCH(int, expected);
    const IniFile ini = IniFile::Parse("[S]\r\nk=" + text + "\r\n");
    QCOMPARE(ini.ReadInteger("S", "k", -99), expected);
    QCOMPARE(ini.ReadInteger("S", "absent", -99), -99);
}

void TestIniFile::readBool_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("fallback");
    QTest::addColumn<bool>("expected");
    QTest::newRow("1") << QByteArray("1") << false << true;
    QTest::newRow("0") << QByteArray("0") << true << false;
    QTest::newRow("2 is true") << QByteArray("2") << false << true;
    QTest::newRow("-1 is true") << QByteArray("-1") << false << true;
    QTest::newRow("word gives default true") << QByteArray("oui") << true << true;
    QTest::newRow("word gives default false") << QByteArray("true") << false << false;
    QTest::newRow("empty gives default") << QByteArray("") << true << true;
}

void TestIniFile::readBool()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, fallback);
    QFETCH(bool, expected);
    const IniFile ini = IniFile::Parse("[S]\nk=" + text);
    QCOMPARE(ini.ReadBool("S", "k", fallback), expected);
}

void TestIniFile::serializeKeepsWhatItCannotRead()
{
    const IniFile ini = IniFile::Parse("top line\n"
                                       "\n"
                                       "[A]\n"
                                       "; comment = kept\n"
                                       "  x =  1  \n"
                                       "bare line\n"
                                       "\n\n"
                                       "[B] trailing\n"
                                       "y=n\xB0\n");
    QCOMPARE(ini.Serialize(),
        QByteArray("top line\r\n"
                   "\r\n"
                   "[A]\r\n"
                   "; comment = kept\r\n"
                   "x=1\r\n"
                   "bare line\r\n"
                   "\r\n"
                   "[B]\r\n"
                   "y=n\xC2\xB0\r\n"));
}

void TestIniFile::writesInPlaceOrAppends()
{
    IniFile ini = IniFile::Parse("[A]\r\nx=1\r\nz=2\r\n\r\n[B]\r\ny=2\r\n");
    ini.WriteInteger("a", "X", -12); // existing key keeps its place and spelling
    ini.WriteBool("A", "flag", true);
    ini.WriteBool("B", "off", false);
    ini.WriteString("C", "k", QStringLiteral(u"é"));
    QCOMPARE(ini.Serialize(),
        QByteArray("[A]\r\nx=-12\r\nz=2\r\nflag=1\r\n\r\n"
                   "[B]\r\ny=2\r\noff=0\r\n\r\n"
                   "[C]\r\nk=\xC3\xA9\r\n"));

    IniFile empty;
    empty.WriteInteger("S", "k", 0);
    QCOMPARE(empty.Serialize(), QByteArray("[S]\r\nk=0\r\n"));
}

void TestIniFile::writtenValueReadsBackAsStored()
{
    IniFile ini;
    ini.WriteString("S", "k", QStringLiteral("  one\r\ntwo\nthree  "));
    ini.WriteString("S", "next", QStringLiteral("1"));
    const QString expected = QStringLiteral("one  two three");
    QCOMPARE(ini.ReadString("S", "k", {}), expected);
    const IniFile reread = IniFile::Parse(ini.Serialize());
    QCOMPARE(reread.ReadString("S", "k", {}), expected);
    QCOMPARE(reread.ReadString("S", "next", {}), QStringLiteral("1"));
}

void TestIniFile::sectionsAndKeysAreDistinct()
{
    const IniFile ini = IniFile::Parse("[One]\nb=1\na=2\nB=3\n;c=4\n[Two]\n[one]\nz=5\n");
    QCOMPARE(ini.Sections(), QStringList({"One", "Two"}));
    QCOMPARE(ini.Keys("ONE"), QStringList({"b", "a"}));
    QVERIFY(ini.Keys("Two").isEmpty());
    QVERIFY(ini.Keys("Three").isEmpty());
    QVERIFY(ini.HasSection("two"));
    QVERIFY(!ini.HasSection("Three"));
}

void TestIniFile::mergeMissingAddsOnlyWhatIsMissing()
{
    IniFile ini;
    ini.WriteString("Main", "Kept", "new");
    const IniFile old = IniFile::Parse("[MAIN]\nkept=old\nextra=1\n;note=x\nextra=2\n"
                                       "[Other]\na=b\n[main]\nhidden=3\n");
    ini.MergeMissing(old);
    QCOMPARE(ini.Serialize(),
        QByteArray("[Main]\r\nKept=new\r\nextra=1\r\n\r\n"
                   "[Other]\r\na=b\r\n"));
}

void TestIniFile::anyBytesParse_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QRandomGenerator random(20240611);
    QByteArray noise(256 * 1024, Qt::Uninitialized);
    random.fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
    // Noise with INI punctuation sprinkled in, so that sections and keys come out of it.
    QByteArray punctuated = noise;
    const char marks[] = "[]=;\r\n";
    for (qsizetype i = 0; i < punctuated.size(); i += 7)
        punctuated[i] = marks[random.bounded(6)];

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("nuls") << QByteArray(4096, '\0');
    QTest::newRow("random bytes") << noise;
    QTest::newRow("punctuated noise") << punctuated;
    QTest::newRow("CRs only") << QByteArray(100000, '\r');
    QTest::newRow("brackets only") << QByteArray(100000, '[');
    QTest::newRow("one 4 MB line") << QByteArray("[S]\nk=") + QByteArray(4 << 20, 'x');
    QTest::newRow("1 MB of sections") << QByteArray("[s]\n").repeated(1 << 18);
    QTest::newRow("1 MB of keys") << "[s]\n" + QByteArray("k=v\n").repeated(1 << 18);
    const QByteArray line = "Lentille biconvexe numero 1 = Lentille biconvexe n\xB0"
                            "1 (copie)\r\n";
    QTest::newRow("10 MB of long keys") << "[s]\n" + line.repeated((10 << 20) / line.size());
}

void TestIniFile::anyBytesParse()
{
    QFETCH(QByteArray, bytes);
    const IniFile ini = IniFile::Parse(bytes);
    const QByteArray once = ini.Serialize();
    const IniFile reread = IniFile::Parse(once);
    QCOMPARE(reread.Serialize(), once);
    QCOMPARE(reread.Sections(), ini.Sections());
    for (const QString &section : ini.Sections()) {
        QCOMPARE(reread.Keys(section), ini.Keys(section));
        for (const QString &key : ini.Keys(section))
            QCOMPARE(reread.ReadString(section, key, {}), ini.ReadString(section, key, {}));
    }
}

void TestIniFile::manyKeysStayFast()
{
    // 100 000 keys: lookups that scan the section would make about 2.5e10 comparisons
    // here, minutes even without sanitizers; the hash index takes seconds.
    constexpr int count = 100000;
    QByteArray file = "[S]\r\n";
    for (int i = 0; i < count; ++i)
        file += "key" + QByteArray::number(i) + '=' + QByteArray::number(i) + "\r\n";
    QElapsedTimer timer;
    timer.start();
    IniFile ini = IniFile::Parse(file);
    qint64 sum = 0;
    for (int i = 0; i < count; ++i)
        sum += ini.ReadInteger("S", "KEY" + QString::number(i), 0);
    for (int i = 0; i < count; ++i)
        ini.WriteInteger("S", "new" + QString::number(i), i);
    QCOMPARE(sum, qint64(count) * (count - 1) / 2);
    QCOMPARE(ini.ReadInteger("S", "new99999", 0), 99999);
    QVERIFY2(timer.elapsed() < 60000, qPrintable(QString::number(timer.elapsed())));
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
