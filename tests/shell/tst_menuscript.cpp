#include "shell/MenuScript.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>

using namespace kaleno;

namespace {

// A well-formed script of 4 x 16 lines: "Titre<s>=T<s>", "Lien<k>=L<s><k>1N",
// "Label<jj>=C<s>.<j>1N".
QByteArrayList plainLines()
{
    QByteArrayList lines;
    for (int s = 1; s <= 4; ++s) {
        lines << "Titre" + QByteArray::number(s) + "=T" + QByteArray::number(s);
        for (int k = 1; k <= 4; ++k)
            lines << "Lien" + QByteArray::number(k) + "=L" + QByteArray::number(s)
                    + QByteArray::number(k) + "1N";
        for (int j = 1; j <= 11; ++j)
            lines << QByteArray("Label") + (j < 10 ? "0" : "") + QByteArray::number(j) + "=C"
                    + QByteArray::number(s) + "." + QByteArray::number(j) + "1N";
    }
    return lines;
}

QByteArray joined(const QByteArrayList &lines) { return lines.join("\r\n") + "\r\n"; }

QByteArray realScript()
{
    const QString path = QFINDTESTDATA("../../resources/text/MENU.txt");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace

class TestMenuScript : public QObject {
    Q_OBJECT

private slots:
    void realScriptLines_data();
    void realScriptLines();
    void realScriptTitlesAndLinks();
    void realScriptIsCrLfWithCommentsFirst();
    void commentsRemovedAnywhereButLastLine();
    void entryParts_data();
    void entryParts();
    void malformed_data();
    void malformed();
    void extraLinesIgnoredAndLoneLineEnds();
    void arbitraryBytesNeverCrash();
    void layout_data();
    void layout();
};

void TestMenuScript::realScriptLines_data()
{
    QTest::addColumn<int>("section");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QString>("states");
    QTest::addColumn<QString>("steps");

    QTest::newRow("colours and perception")
        << 1
        << QStringList {u"Synthèse trichromique additive"_qs,
               u"Synthèse trichromique soustractive"_qs, u"Eclairage d'une scène"_qs,
               u"Lumière et filtres"_qs, u"Illusions ( géométriques et contraste )"_qs,
               u"Moirés"_qs, u"Dessin libre"_qs, u"Spectre de la lumière blanche"_qs,
               u"Aide de Kaleno"_qs, u"Cataloguer les images"_qs, u"Quitter"_qs}
        << u"11111111222"_qs << u"NNNNNNNN+NN"_qs;
    QTest::newRow("geometric optics")
        << 2
        << QStringList {u"Lentilles épaisses convergentes et divergentes"_qs,
               u"L'appareil photographique"_qs, u"L'oeil et la vision ( Html )"_qs,
               u"L'oeil et la vision ( WinHelp )"_qs, u"Aide de Kaleno"_qs,
               u"Cataloguer les images"_qs, u"Quitter"_qs, u" "_qs, u" "_qs, u" "_qs, u" "_qs}
        << u"11112223333"_qs << u"NNNN+NNNNNN"_qs;
    QTest::newRow("astronomy") << 3
                               << QStringList {u"Les phases de la lune"_qs,
                                      u"Les éclipses de lune et de soleil "_qs,
                                      u"Le système solaire"_qs, u"Le phénomène des saisons "_qs,
                                      u"Aide de Kaleno"_qs, u"Cataloguer les images"_qs,
                                      u"Quitter"_qs, u" "_qs, u" "_qs, u" "_qs, u" "_qs}
                               << u"11112223333"_qs << u"NNNN+NNNNNN"_qs;
    QTest::newRow("computer graphics")
        << 4
        << QStringList {u"Les systèmes de mesure de la couleur"_qs,
               u"Quadrichromie et trichromie"_qs, u"Décomposition RVB d'une image"_qs,
               u"Luminosité et contraste d'une image"_qs, u"L'écran de télévision à la loupe"_qs,
               u"Aide de Kaleno"_qs, u"Cataloguer les images"_qs, u"Quitter"_qs, u" "_qs, u" "_qs,
               u" "_qs}
        << u"11111222333"_qs << u"NNNNN+NNNNN"_qs;
}

void TestMenuScript::realScriptLines()
{
    QFETCH(int, section);
    QFETCH(QStringList, captions);
    QFETCH(QString, states);
    QFETCH(QString, steps);

    const QByteArray bytes = realScript();
    QVERIFY(!bytes.isEmpty());
    const auto sections = ParseMenuScript(bytes, u"Kaleno"_qs);
    QVERIFY(sections);
    for (int j = 1; j <= 11; ++j) {
        const MenuEntry &entry = (*sections)[section].Lines[j];
        QCOMPARE(entry.Caption, captions[j - 1]);
        QCOMPARE(entry.State, states[j - 1].digitValue());
        QCOMPARE(entry.NormalStep, steps[j - 1] == u'N');
    }
}

void TestMenuScript::realScriptTitlesAndLinks()
{
    const auto sections = ParseMenuScript(realScript(), u"Kaleno"_qs);
    QVERIFY(sections);
    const QStringList titles {u" Kaleno - Couleurs et perception visuelle"_qs,
        u" Kaleno - Optique géométrique"_qs, u" Kaleno - Lumière et astronomie"_qs,
        u" Kaleno - Infographie et couleurs"_qs};
    const QStringList links {u"Couleurs et perception"_qs, u"Optique géométrique"_qs,
        u"Astronomie"_qs, u"Infographie"_qs};
    for (int s = 1; s <= 4; ++s) {
        QCOMPARE((*sections)[s].Title, titles[s - 1]);
        for (int k = 1; k <= 4; ++k) {
            const MenuEntry &link = (*sections)[s].Links[k];
            QCOMPARE(link.Caption, links[k - 1]);
            QCOMPARE(link.State, k == s ? 0 : 1);
            QVERIFY(link.NormalStep);
        }
    }
}

void TestMenuScript::realScriptIsCrLfWithCommentsFirst()
{
    const QByteArray bytes = realScript();
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count("\r\n"), bytes.count('\n'));
    QCOMPARE(bytes.count("\r\n"), bytes.count('\r'));
    const QByteArrayList lines = bytes.chopped(2).split('\n');
    QCOMPARE(lines.size(), 6 + 64);
    const QByteArrayList comments {"// 0 inactif mais visible", "// 1 actif, normal",
        "// 2 Puce rouge et actif", "// 3 invisible", "// N saut normal",
        "// + saut plus grand avant le label"};
    for (int i = 0; i < 6; ++i)
        QCOMPARE(lines[i].chopped(1), comments[i]);
    // Windows-1252, not UTF-8: "géométrique" holds the single byte 0xE9.
    QVERIFY(bytes.contains("Lien2=Optique g\xE9om\xE9trique"));
}

void TestMenuScript::commentsRemovedAnywhereButLastLine()
{
    QByteArrayList lines = plainLines();
    lines.insert(20, "// between sections");
    lines.insert(20, "// twice in a row");
    lines.insert(0, "//first");
    lines.append("// after the last line");
    const auto sections = ParseMenuScript(joined(lines), u"P"_qs);
    QVERIFY(sections);
    QCOMPARE((*sections)[2].Lines[3].Caption, u"C2.3"_qs);
    QCOMPARE((*sections)[4].Lines[11].Caption, u"C4.11"_qs);

    // The final line is never examined, so a last comment stays in the list: with one
    // real line missing it becomes line 11 of section 4, and its text is no valid entry.
    lines = plainLines();
    lines.removeLast();
    lines.append("// 0 inactif mais visible");
    QVERIFY(!ParseMenuScript(joined(lines), u"P"_qs));
    lines.last() = "//Label=read as a line1N";
    const auto kept = ParseMenuScript(joined(lines), u"P"_qs);
    QVERIFY(kept);
    QCOMPARE((*kept)[4].Lines[11].Caption, u"read as a line"_qs);
}

void TestMenuScript::entryParts_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("normal");

    QTest::newRow("greyed") << QByteArray("Label05=Grey0N") << u"Grey"_qs << 0 << true;
    QTest::newRow("red bullet, larger step")
        << QByteArray("Label05=Red2+") << u"Red"_qs << 2 << false;
    QTest::newRow("any other spacing is larger")
        << QByteArray("Label05=Odd1n") << u"Odd"_qs << 1 << false;
    QTest::newRow("empty caption") << QByteArray("Label05=3N") << QString() << 3 << true;
    QTest::newRow("trailing blank kept")
        << QByteArray("Label05=Les saisons 1N") << u"Les saisons "_qs << 1 << true;
    QTest::newRow("key length, not key text")
        << QByteArray("XXXXXXXXabc1N") << u"abc"_qs << 1 << true;
    QTest::newRow("1252 accents and euro") << QByteArray("Label05=\xC9t\xE9 \x80 \x9C"
                                                         "1N")
                                           << u"Été € œ"_qs << 1 << true;
    const QByteArray fifty = QByteArray(10, 'a') + QByteArray(40, 'b');
    QTest::newRow("cut to 50 characters")
        << ("Label05=" + fifty + "XYZ1N") << QString::fromLatin1(fifty) << 1 << true;
    QTest::newRow("exactly 50 kept")
        << ("Label05=" + fifty + "1N") << QString::fromLatin1(fifty) << 1 << true;
}

void TestMenuScript::entryParts()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, caption);
    QFETCH(int, state);
    QFETCH(bool, normal);

    QByteArrayList lines = plainLines();
    lines[16 + 5 + 4] = line; // section 2, link line 5
    const auto sections = ParseMenuScript(joined(lines), u"P"_qs);
    QVERIFY(sections);
    const MenuEntry &entry = (*sections)[2].Lines[5];
    QCOMPARE(entry.Caption, caption);
    QCOMPARE(entry.State, state);
    QCOMPARE(entry.NormalStep, normal);
}

void TestMenuScript::malformed_data()
{
    QTest::addColumn<QByteArray>("bytes");

    const QByteArrayList lines = plainLines();
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("63 lines") << joined(lines.mid(0, 63));
    QTest::newRow("only comments") << QByteArray("// a\r\n// b\r\n");
    auto replaced = [&lines](int index, const QByteArray &line) {
        QByteArrayList copy = lines;
        copy[index] = line;
        return joined(copy);
    };
    QTest::newRow("state 4") << replaced(5, "Label01=Caption4N");
    QTest::newRow("state not a digit") << replaced(5, "Label01=CaptionxN");
    QTest::newRow("state a sign") << replaced(5, "Label01=Caption-N");
    QTest::newRow("value of one character") << replaced(40, "Label04=N");
    QTest::newRow("line shorter than its key") << replaced(40, "Label");
    QTest::newRow("bad section link") << replaced(1, "Lien1=Couleurs9N");
    QTest::newRow("bad last line") << replaced(63, "Label11= 3");
}

void TestMenuScript::malformed()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!ParseMenuScript(bytes, u"P"_qs));
}

void TestMenuScript::extraLinesIgnoredAndLoneLineEnds()
{
    QByteArrayList lines = plainLines();
    lines << "Titre5=beyond"
          << "not an entry at all";
    const auto withExtra = ParseMenuScript(joined(lines), u"P"_qs);
    QVERIFY(withExtra);
    QCOMPARE((*withExtra)[1].Title, u" PT1"_qs);

    // A short title line has an empty text; a script saved with bare LF or CR still reads.
    lines = plainLines();
    lines[16] = "Titre";
    const auto unix = ParseMenuScript(lines.join('\n'), u"P"_qs);
    QVERIFY(unix);
    QCOMPARE((*unix)[2].Title, u" P"_qs);
    QCOMPARE((*unix)[3].Lines[7].Caption, u"C3.7"_qs);
    QVERIFY(ParseMenuScript(lines.join('\r'), u"P"_qs));
    // A blank line is a line, and not a valid entry.
    lines.insert(30, QByteArray());
    QVERIFY(!ParseMenuScript(joined(lines), u"P"_qs));
}

void TestMenuScript::arbitraryBytesNeverCrash()
{
    const QByteArray real = realScript();
    QVERIFY(!real.isEmpty());
    QRandomGenerator random(20240611);
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes;
        if (round % 2 == 0) {
            bytes = real;
            for (int flips = 1 + round % 7; flips > 0; --flips)
                bytes[random.bounded(int(bytes.size()))] = char(random.bounded(256));
            bytes.truncate(random.bounded(int(bytes.size()) + 1));
        } else {
            bytes.resize(random.bounded(4000));
            for (char &byte : bytes)
                byte = char(random.bounded(256));
        }
        const auto sections = ParseMenuScript(bytes, u"P"_qs);
        if (!sections)
            continue;
        for (int s = 1; s <= 4; ++s) {
            for (int j = 1; j <= 11; ++j) {
                const MenuEntry &entry = (*sections)[s].Lines[j];
                QVERIFY(entry.State >= 0 && entry.State <= 3);
                QVERIFY(entry.Caption.size() <= 50);
            }
        }
    }
}

void TestMenuScript::layout_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("states");
    QTest::addColumn<QList<int>>("tops");

    // 68 + 28 (j - 1), plus 10 from each "+" line on.
    QTest::newRow("all normal") << u"NNNNNNNNNNN"_qs << u"11111111111"_qs
                                << QList<int> {68, 96, 124, 152, 180, 208, 236, 264, 292, 320, 348};
    QTest::newRow("larger step at 9")
        << u"NNNNNNNN+NN"_qs << u"11111111222"_qs
        << QList<int> {68, 96, 124, 152, 180, 208, 236, 264, 302, 330, 358};
    QTest::newRow("hidden lines still take their place")
        << u"+NNN+NNNNNN"_qs << u"33331111330"_qs
        << QList<int> {78, 106, 134, 162, 200, 228, 256, 284, 312, 340, 368};
}

void TestMenuScript::layout()
{
    QFETCH(QString, steps);
    QFETCH(QString, states);
    QFETCH(QList<int>, tops);

    MenuSection section;
    for (int j = 1; j <= 11; ++j) {
        section.Lines[j].NormalStep = steps[j - 1] == u'N';
        section.Lines[j].State = states[j - 1].digitValue();
    }
    const LinkLayout layout = LayoutLines(section);
    for (int j = 1; j <= 11; ++j) {
        QCOMPARE(layout.top[j], tops[j - 1]);
        QCOMPARE(layout.bulletTop[j], tops[j - 1] + 4);
        QCOMPARE(layout.visible[j], states[j - 1] != u'3');
    }
}

QTEST_GUILESS_MAIN(TestMenuScript)
#include "tst_menuscript.moc"
