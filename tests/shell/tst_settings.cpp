#include "shell/IniFile.h"
#include "shell/Settings.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <map>

using namespace kaleno;

namespace {

const QString kProgram = QStringLiteral("/opt/kaleno");

Settings load(const QByteArray &file)
{
    Settings settings;
    LoadSettings(settings, IniFile::Parse(file), kProgram);
    return settings;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A value of the settings by its key name, for the tables of range checks.
int field(const Settings &s, const QString &name)
{
    static const std::map<QString, int (*)(const Settings &)> fields = {
        {"PageActive", [](const Settings &s) { return s.PageActive; }},
        {"wThumb", [](const Settings &s) { return s.wThumb; }},
        {"TipIndex", [](const Settings &s) { return s.TipIndex; }},
        {"TipFlag", [](const Settings &s) { return int(s.TipFlag); }},
        {"ComposIndex", [](const Settings &s) { return s.ComposIndex; }},
        {"RayIndex", [](const Settings &s) { return s.RayIndex; }},
        {"ShapeIndex", [](const Settings &s) { return s.ShapeIndex; }},
        {"LFasciIndex", [](const Settings &s) { return s.LFasciIndex; }},
        {"TypeFasciIndex", [](const Settings &s) { return s.TypeFasciIndex; }},
        {"NbRayons", [](const Settings &s) { return s.NbRayons; }},
        {"Epais", [](const Settings &s) { return s.Epais; }},
        {"wDest", [](const Settings &s) { return s.wDest; }},
        {"Confusion", [](const Settings &s) { return int(std::lround(s.Confusion * 1e7)); }},
        {"NbLens", [](const Settings &s) { return s.NbLens; }},
        {"LensIndex", [](const Settings &s) { return s.LensIndex; }},
        {"Ep1", [](const Settings &s) { return s.LensTable[1].Ep; }},
        {"Hau1", [](const Settings &s) { return s.LensTable[1].Hau; }},
        {"Ra11", [](const Settings &s) { return s.LensTable[1].Ra1; }},
        {"Ra21", [](const Settings &s) { return s.LensTable[1].Ra2; }},
        {"Ty11", [](const Settings &s) { return int(s.LensTable[1].Ty1); }},
        {"Ty21", [](const Settings &s) { return int(s.LensTable[1].Ty2); }},
        {"HSVColor", [](const Settings &s) { return int(s.HSVColor); }},
    };
    const auto found = fields.find(name);
    return found != fields.end() ? found->second(s) : INT_MIN;
}

// Every (section, key) of a document in file order.
QStringList keyPath(const IniFile &ini)
{
    QStringList path;
    for (const QString &section : ini.Sections()) {
        for (const QString &key : ini.Keys(section))
            path.append(section + '/' + key);
    }
    return path;
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void defaultsWithoutFile();
    void defaultLensTable_data();
    void defaultLensTable();
    void missingLensKeysAreAnonymous();
    void placements();
    void confusion_data();
    void confusion();
    void coloursAreTColorIntegers();
    void rangeChecks_data();
    void rangeChecks();
    void garbageReadsAsDefaults();
    void fileOrder();
    void keepsWhatItDoesNotWrite();
    void readOnlyFolder();
    void unwritablePath_data();
    void unwritablePath();
    void filePath();
    void encodings_data();
    void encodings();
    void anyFileGivesUsableSettings();
    void readOnlyMessage();
    void setLensDef();
};

void TestSettings::initTestCase() { QStandardPaths::setTestModeEnabled(true); }

void TestSettings::defaultsWithoutFile()
{
    QTemporaryDir dir;
    Settings s;
    s.PageActive = 4;
    s.NbLens = 2;
    LoadSettings(s, dir.filePath("Kaleno.ini"), kProgram);

    QCOMPARE(s.Placements[0].H, 480); // MainF
    for (int i = 1; i < kPlacementCount; ++i) {
        const WindowPlacement p = s.Placements[i];
        QCOMPARE(QList<int>({p.X, p.Y, p.W, p.H, p.Maxis}), QList<int>({1, 1, 510, 400, 0}));
    }
    QCOMPARE(s.DirFichier, QStringLiteral("none"));
    QCOMPARE(s.brwPath, kProgram);
    QCOMPARE(s.PageActive, 1);
    QCOMPARE(s.wThumb, 80);
    QCOMPARE(s.wDest, 150);
    QCOMPARE(s.Confusion, 3e-5);
    QCOMPARE(s.RayIndex, 1);
    QCOMPARE(s.LFasciIndex, 1);
    QCOMPARE(s.NbRayons, 3);
    QCOMPARE(s.Epais, 2);
    QCOMPARE(s.NbLens, 10);
    QCOMPARE(s.LensIndex, 1);
    QVERIFY(s.ExtSynthFlag && s.TipFlag && s.BullesFlag && s.SplashFlag && !s.BlurFlag);
    QVERIFY(s.Blanc[0] && !s.Blanc[1] && s.Blanc[2]);
    // (R, G, B) as 0x00BBGGRR.
    QCOMPARE(s.CFF[1], 0x0000FFu); // (255, 0, 0)
    QCOMPARE(s.ObjColor1, 0x007000u); // (0, 112, 0)
    QCOMPARE(s.Couleur[2], 0x800000u); // (0, 0, 128)
    QCOMPARE(s.Couleur[8], 0x808000u); // (0, 128, 128)
    QCOMPARE(s.cgAxe, 0x000080u); // (128, 0, 0)
    QCOMPARE(s.cgRay, 0xFFFF00u); // (0, 255, 255)
    QCOMPARE(s.cgTexte, 0xC0C0C0u); // (192, 192, 192)

    Settings constructed;
    constructed.brwPath = kProgram;
    QVERIFY(s == constructed);
}

void TestSettings::defaultLensTable_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("no LensF section") << QByteArray();
    QTest::newRow("NbLens 0") << QByteArray("[LensF]\nNbLens=0\nNo1=Mine\nEp1=50\n");
    QTest::newRow("NbLens negative") << QByteArray("[LensF]\nNbLens=-4\n");
}

void TestSettings::defaultLensTable()
{
    QFETCH(QByteArray, file);
    const Settings s = load(file);
    QCOMPARE(s.NbLens, 10);
    QCOMPARE(s.LensTable[1],
        (LensDef {QStringLiteral(u"Lentille biconvexe n°1"), 10, 6000, 8930, 8930, 1, 1}));
    QCOMPARE(s.LensTable[4],
        (LensDef {QStringLiteral(u"Lentille biconcave n°2"), 3710, 6000, 15000, 15000, 2, 2}));
    QCOMPARE(
        s.LensTable[6], (LensDef {QStringLiteral(u"Menisque n°2"), 2000, 6000, 8900, 12000, 1, 2}));
    QCOMPARE(s.LensTable[7],
        (LensDef {QStringLiteral(u"Quasi-Sphérique"), 670, 6000, 6100, 6100, 1, 1}));
    QCOMPARE(s.LensTable[10],
        (LensDef {QStringLiteral(u"Lame épaisse"), 6000, 8000, 100000, 100000, 0, 0}));
    QCOMPARE(s.LensTable[11], (LensDef {"Anonyme", 10, 6000, 20000, 20000, 1, 1}));
    for (int n = 1; n <= 10; ++n)
        QCOMPARE(s.LensTable[n], kDefaultLenses[n - 1]);

    const IniFile saved = SettingsDocument(s, IniFile());
    QCOMPARE(saved.ReadString("LensF", "NbLens", {}), QStringLiteral("10"));
    QCOMPARE(saved.ReadString("LensF", "No1", {}), QStringLiteral(u"Lentille biconvexe n°1"));
    QCOMPARE(saved.ReadString("LensF", "No10", {}), QStringLiteral(u"Lame épaisse"));
    QCOMPARE(saved.ReadString("LensF", "Ra28", {}), QStringLiteral("100000"));
    QVERIFY(!saved.Has("LensF", "No11"));
}

void TestSettings::missingLensKeysAreAnonymous()
{
    const Settings s = load("[LensF]\nNbLens=3\nNo1=Ma lentille\nEp1=200\nHau1=5000\n"
                            "Ra11=7000\nRa21=9000\nTy11=2\nTy21=0\n");
    QCOMPARE(s.NbLens, 3);
    QCOMPARE(s.LensTable[1], (LensDef {"Ma lentille", 200, 5000, 7000, 9000, 2, 0}));
    const LensDef anonymous {"Anonyme", 10, 6000, 20000, 20000, 1, 1};
    for (int n = 2; n <= kMaxLens; ++n)
        QCOMPARE(s.LensTable[n], anonymous);
}

void TestSettings::placements()
{
    const IniFile empty;
    QCOMPARE(ReadPlacement(empty, "MainF"), (WindowPlacement {1, 1, 510, 480, false}));
    QCOMPARE(ReadPlacement(empty, "LensF"), (WindowPlacement {1, 1, 510, 400, false}));

    IniFile ini;
    const WindowPlacement maximised {40, 30, 700, 500, true};
    const WindowPlacement normal {-8, 12, 640, 480, false};
    WritePlacement(ini, "SubF", maximised);
    WritePlacement(ini, "AddF", normal);
    const auto written = [&ini](const char *section) {
        QStringList values;
        for (const char *key : {"X", "Y", "W", "H", "Maxis"})
            values.append(ini.ReadString(section, key, "?"));
        return values;
    };
    QCOMPARE(written("SubF"), QStringList({"0", "0", "-1", "-1", "1"}));
    QCOMPARE(written("AddF"), QStringList({"-8", "12", "640", "480", "0"}));
    QCOMPARE(ReadPlacement(ini, "AddF"), normal);

    // The launcher keeps a maximised window's last normal geometry in memory.
    Settings s;
    s.Placements[2] = maximised;
    QCOMPARE(ReadPlacement(SettingsDocument(s, IniFile()), "SubF"),
        (WindowPlacement {0, 0, -1, -1, true}));
    QCOMPARE(s.Placements[2], maximised);
}

void TestSettings::confusion_data()
{
    QTest::addColumn<double>("metres");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("readsBack"); // the stored integer gives back the same metres
    QTest::newRow("default 0.03 mm") << 3e-5 << "300" << true;
    QTest::newRow("0.01 mm") << 1e-5 << "100" << true;
    QTest::newRow("0.30 mm") << 3e-4 << "3000" << true;
    // 0.00025005 * 1e7 is exactly 2500.5 in doubles: ties go to the even neighbour.
    QTest::newRow("tie down to even") << 0.00025005 << "2500" << false;
    QTest::newRow("tie up to even") << 0.00025015 << "2502" << false;
    QTest::newRow("just below a tie") << 0.000250149 << "2501" << false;
}

void TestSettings::confusion()
{
    QFETCH(double, metres);
    QFETCH(QString, stored);
    QFETCH(bool, readsBack);
    Settings s;
    s.Confusion = metres;
    QCOMPARE(SettingsDocument(s, IniFile()).ReadString("PhotoF", "Confusion", {}), stored);
    if (readsBack)
        QCOMPARE(load("[PhotoF]\nConfusion=" + stored.toLatin1()).Confusion, metres);
}

void TestSettings::coloursAreTColorIntegers()
{
    Settings s;
    s.HSVColor = 0x0000FF; // pure red
    s.CF1 = 0xFF0000; // pure blue
    s.Couleur[15] = 0x00FF00; // pure green
    const IniFile saved = SettingsDocument(s, IniFile());
    QCOMPARE(saved.ReadString("CouleurF", "HSVColor", {}), QStringLiteral("255"));
    QCOMPARE(saved.ReadString("FiltreF", "CF1", {}), QStringLiteral("16711680"));
    QCOMPARE(saved.ReadString("PhotoF", "Couleur16", {}), QStringLiteral("65280"));
    Settings reread;
    LoadSettings(reread, saved, kProgram);
    QCOMPARE(reread.HSVColor, 0x0000FFu);
    QCOMPARE(reread.CF1, 0xFF0000u);
    QCOMPARE(reread.Couleur[15], 0x00FF00u);
}

void TestSettings::rangeChecks_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("expected");
    const auto row = [](const char *tag, const char *section, const char *lines, const char *name,
                         int expected) {
        QTest::newRow(tag) << QByteArray("[") + section + "]\n" + lines << QString(name)
                           << expected;
    };
    row("PageActive 2", "MainF", "PageActive=2", "PageActive", 2);
    row("PageActive 4", "MainF", "PageActive=4", "PageActive", 4);
    row("PageActive 3 is astronomy", "MainF", "PageActive=3", "PageActive", 1);
    row("PageActive 0", "MainF", "PageActive=0", "PageActive", 1);
    row("PageActive 5", "MainF", "PageActive=5", "PageActive", 1);
    row("PageActive word", "MainF", "PageActive=deux", "PageActive", 1);
    row("TipIndex 30", "Tips", "TipIndex=30", "TipIndex", 30);
    row("TipIndex -1", "Tips", "TipIndex=-1", "TipIndex", 0);
    row("TipFlag 0", "Tips", "TipFlag=0", "TipFlag", 0);
    row("TipFlag 2 is true", "Tips", "TipFlag=2", "TipFlag", 1);
    row("TipFlag word", "Tips", "TipFlag=non", "TipFlag", 1);
    row("wThumb 60", "Browser", "wThumb=60", "wThumb", 60);
    row("wThumb 120", "Browser", "wThumb=120", "wThumb", 120);
    row("wThumb 90", "Browser", "wThumb=90", "wThumb", 80);
    row("wDest 80", "LoupF", "wDest=80", "wDest", 80);
    row("wDest 1000", "LoupF", "wDest=1000", "wDest", 1000);
    row("wDest 79", "LoupF", "wDest=79", "wDest", 150);
    row("wDest 1001", "LoupF", "wDest=1001", "wDest", 150);
    row("wDest padded", "LoupF", "wDest=  300 ", "wDest", 300);
    row("wDest trailing text", "LoupF", "wDest=300px", "wDest", 150);
    row("ComposIndex 2", "CouleurF", "ComposIndex=2", "ComposIndex", 2);
    row("ComposIndex 3", "CouleurF", "ComposIndex=3", "ComposIndex", 0);
    row("ComposIndex -1", "CouleurF", "ComposIndex=-1", "ComposIndex", 0);
    row("HSVColor -1 masked", "CouleurF", "HSVColor=-1", "HSVColor", 0xFFFFFF);
    row("HSVColor top byte masked", "CouleurF", "HSVColor=16777471", "HSVColor", 255);
    row("HSVColor word", "CouleurF", "HSVColor=rouge", "HSVColor", 255);
    row("RayIndex 0", "PhotoF", "RayIndex=0", "RayIndex", 0);
    row("RayIndex 5", "PhotoF", "RayIndex=5", "RayIndex", 5);
    row("RayIndex 6", "PhotoF", "RayIndex=6", "RayIndex", 1);
    row("ShapeIndex 4", "PhotoF", "ShapeIndex=4", "ShapeIndex", 4);
    row("ShapeIndex 5", "PhotoF", "ShapeIndex=5", "ShapeIndex", 0);
    row("Confusion 100", "PhotoF", "Confusion=100", "Confusion", 100);
    row("Confusion 3000", "PhotoF", "Confusion=3000", "Confusion", 3000);
    row("Confusion 99", "PhotoF", "Confusion=99", "Confusion", 300);
    row("Confusion 3001", "PhotoF", "Confusion=3001", "Confusion", 300);
    row("LFasciIndex 0", "LensF", "LFasciIndex=0", "LFasciIndex", 0);
    row("LFasciIndex 3", "LensF", "LFasciIndex=3", "LFasciIndex", 1);
    row("TypeFasciIndex 6", "LensF", "TypeFasciIndex=6", "TypeFasciIndex", 6);
    row("TypeFasciIndex 7", "LensF", "TypeFasciIndex=7", "TypeFasciIndex", 0);
    row("NbRayons 1", "LensF", "NbRayons=1", "NbRayons", 1);
    row("NbRayons 600", "LensF", "NbRayons=600", "NbRayons", 600);
    row("NbRayons 4", "LensF", "NbRayons=4", "NbRayons", 3);
    row("NbRayons 0", "LensF", "NbRayons=0", "NbRayons", 3);
    row("Epais 1", "LensF", "Epais=1", "Epais", 1);
    row("Epais 5", "LensF", "Epais=5", "Epais", 5);
    row("Epais 0", "LensF", "Epais=0", "Epais", 2);
    row("Epais 6", "LensF", "Epais=6", "Epais", 2);
    row("NbLens 20", "LensF", "NbLens=20", "NbLens", 20);
    row("NbLens 25", "LensF", "NbLens=25", "NbLens", 20);
    row("NbLens -3", "LensF", "NbLens=-3", "NbLens", 10);
    row("NbLens word", "LensF", "NbLens=trois", "NbLens", 10);
    row("LensIndex 3 of 3", "LensF", "NbLens=3\nLensIndex=3", "LensIndex", 3);
    row("LensIndex 4 of 3", "LensF", "NbLens=3\nLensIndex=4", "LensIndex", 1);
    row("LensIndex 0", "LensF", "NbLens=3\nLensIndex=0", "LensIndex", 1);
    row("LensIndex 10 of the default table", "LensF", "LensIndex=10", "LensIndex", 10);
    row("LensIndex 11 of the default table", "LensF", "LensIndex=11", "LensIndex", 1);
    row("height 1000", "LensF", "NbLens=1\nHau1=1000\nRa11=30000", "Hau1", 2000);
    row("height 30000", "LensF", "NbLens=1\nHau1=30000\nRa11=40000", "Hau1", 20000);
    row("radius equal to height", "LensF", "NbLens=1\nHau1=6000\nRa11=6000", "Ra11", 6100);
    row("radius just above height", "LensF", "NbLens=1\nHau1=6000\nRa11=6001", "Ra11", 6001);
    row("radius negative", "LensF", "NbLens=1\nRa21=-5", "Ra21", 6100);
    row("radius against raised height", "LensF", "NbLens=1\nHau1=1000\nRa11=1500", "Ra11", 2100);
    row("radius against lowered height", "LensF", "NbLens=1\nHau1=30000\nRa21=25000", "Ra21",
        25000);
    row("thickness 5", "LensF", "NbLens=1\nEp1=5", "Ep1", 10);
    row("thickness -100", "LensF", "NbLens=1\nEp1=-100", "Ep1", 10);
    row("thickness 10", "LensF", "NbLens=1\nEp1=10", "Ep1", 10);
    row("kind 2", "LensF", "NbLens=1\nTy11=2", "Ty11", 2);
    row("kind 3", "LensF", "NbLens=1\nTy11=3", "Ty11", 0);
    row("kind -1", "LensF", "NbLens=1\nTy21=-1", "Ty21", 0);
    row("kind 257 is no byte", "LensF", "NbLens=1\nTy21=257", "Ty21", 0);
    row("kind word", "LensF", "NbLens=1\nTy11=plan", "Ty11", 1);
}

void TestSettings::rangeChecks()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, name);
    QFETCH(int, expected);
    QCOMPARE(field(load(file), name), expected);
}

void TestSettings::garbageReadsAsDefaults()
{
    // Every key the program writes, each holding text that is no number.
    const IniFile keys = SettingsDocument(Settings(), IniFile());
    IniFile garbage;
    for (const QString &section : keys.Sections()) {
        for (const QString &key : keys.Keys(section))
            garbage.WriteString(section, key, QStringLiteral("n'importe quoi"));
    }
    Settings s;
    LoadSettings(s, garbage, kProgram);
    Settings expected;
    expected.DirFichier = QStringLiteral("n'importe quoi");
    expected.brwPath = QStringLiteral("n'importe quoi");
    QVERIFY(s == expected);
}

void TestSettings::fileOrder()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Kaleno.ini");
    Settings s;
    QCOMPARE(SaveSettings(s, path), SaveResult::Saved);
    QCOMPARE(SaveSettings(s, path), SaveResult::Saved); // over an existing file
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"Kaleno.ini"}));

    const QByteArray bytes = readAll(path);
    const QByteArray head = "[Access]\r\nAllowed=1\r\n\r\n"
                            "[MainF]\r\nX=1\r\nY=1\r\nW=510\r\nH=480\r\nMaxis=0\r\n"
                            "DirFichier=none\r\n"
                            "Avertissement=******* Attention, ne jamais modifier ce fichier "
                            "manuellement *******\r\n"
                            "ExtSynthFlag=1\r\nPageActive=1\r\n\r\n"
                            "[AddF]\r\nX=1\r\nY=1\r\nW=510\r\nH=400\r\nMaxis=0\r\n\r\n";
    QCOMPARE(bytes.left(head.size()), head);

    const IniFile saved = IniFile::Parse(bytes);
    QCOMPARE(saved.Sections(),
        QStringList({"Access", "MainF", "AddF", "SubF", "LoupF", "EclaireF", "QuadriF", "RGBF",
            "DessinF", "ContrastF", "CouleurF", "MoireF", "FiltreF", "SpectreF", "DistortF",
            "PhotoF", "LensF", "Tips", "Perception", "Browser", "Cosmo"}));
    const QStringList path5 = {"X", "Y", "W", "H", "Maxis"};
    QCOMPARE(saved.Keys("LoupF"), path5 + QStringList({"wDest"}));
    QCOMPARE(saved.Keys("FiltreF"),
        path5 + QStringList({"CF1", "CFF1", "CFF2", "CFF3", "Blanc1", "Blanc2", "Blanc3"}));
    QCOMPARE(saved.Keys("Tips"), QStringList({"TipIndex", "TipFlag", "BullesFlag", "SplashFlag"}));
    QCOMPARE(saved.Keys("Cosmo"), QStringList({"GlobeFlag", "UseCalcFlag", "AllowLieuFlag"}));
    const QStringList lensF = saved.Keys("LensF");
    QCOMPARE(lensF.mid(5, 14),
        QStringList({"cgFond", "cgAxe", "cgRay", "cgLens", "cgBord", "cgTexte", "Epais",
            "LFasciIndex", "TypeFasciIndex", "NbRayons", "LensTextFlag", "NbLens", "LensIndex",
            "LensModiFlag"}));
    QCOMPARE(lensF.mid(19, 8),
        QStringList({"No1", "Ep1", "Hau1", "Ra11", "Ra21", "Ty11", "Ty21", "No2"}));
    QCOMPARE(lensF.last(), QStringLiteral("Ty210"));
    const QStringList photoF = saved.Keys("PhotoF");
    QCOMPARE(photoF.mid(5, 3), QStringList({"ObjColor1", "ObjColor2", "Couleur1"}));
    QCOMPARE(photoF.mid(22),
        QStringList({"Couleur16", "ShapeIndex", "RayIndex", "ModObjFlag", "Confusion"}));
}

void TestSettings::keepsWhatItDoesNotWrite()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Kaleno.ini");
    QVERIFY(writeFile(path,
        "[MainF]\r\nX=5\r\nCustom=7\r\n\r\n"
        "[Extra]\r\nfoo=bar\r\n; a comment\r\n\r\n"
        "[LensF]\r\nNbLens=4\r\nNo3=Trois\r\nNo4=Quatre\r\nEp4=300\r\nFuture=x\r\n"));
    Settings s;
    LoadSettings(s, path, kProgram);
    QCOMPARE(s.LensTable[4].No, QStringLiteral("Quatre"));
    s.NbLens = 2; // the user removed two lenses
    QCOMPARE(SaveSettings(s, path), SaveResult::Saved);

    const IniFile saved = IniFile::Parse(readAll(path));
    QCOMPARE(saved.Sections().last(), QStringLiteral("Extra"));
    QCOMPARE(saved.Keys("Extra"), QStringList({"foo"}));
    QCOMPARE(saved.ReadString("Extra", "foo", {}), QStringLiteral("bar"));
    QCOMPARE(saved.Keys("MainF").mid(8), QStringList({"PageActive", "Custom"}));
    QCOMPARE(saved.ReadString("MainF", "X", {}), QStringLiteral("5"));
    QCOMPARE(saved.ReadString("LensF", "NbLens", {}), QStringLiteral("2"));
    QCOMPARE(saved.ReadString("LensF", "No4", {}), QStringLiteral("Quatre"));
    QCOMPARE(saved.ReadString("LensF", "Ep4", {}), QStringLiteral("300"));
    QCOMPARE(saved.Keys("LensF").mid(saved.Keys("LensF").indexOf("Ty22") + 1),
        QStringList({"No3", "No4", "Ep4", "Future"}));

    // Raising the count again brings the kept records back.
    Settings reread;
    LoadSettings(reread, IniFile::Parse(readAll(path).replace("NbLens=2", "NbLens=4")), kProgram);
    QCOMPARE(reread.LensTable[4], (LensDef {"Quatre", 300, 6000, 20000, 20000, 1, 1}));
}

void TestSettings::readOnlyFolder()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Kaleno.ini");
    const QByteArray old = "[MainF]\r\nX=5\r\n";
    QVERIFY(writeFile(path, old));
    const auto permissions = QFile::permissions(dir.path());
    QVERIFY(QFile::setPermissions(dir.path(),
        QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther
            | QFile::ExeOther));
    const bool stillWritable = writeFile(dir.filePath("probe"), "x");
    QFile::remove(dir.filePath("probe"));
    if (stillWritable) {
        QFile::setPermissions(dir.path(), permissions);
        QSKIP("This user writes into read-only folders (root); unwritablePath covers ReadOnly");
    }
    const SaveResult result = SaveSettings(Settings(), path);
    const QString fallback = SettingsFilePath(dir.path());
    QFile::setPermissions(dir.path(), permissions);
    QCOMPARE(result, SaveResult::ReadOnly);
    QCOMPARE(readAll(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"Kaleno.ini"}));
    QVERIFY(fallback != path);
}

void TestSettings::unwritablePath_data()
{
    QTest::addColumn<QString>("relative");
    QTest::newRow("under a regular file") << "blocker/Kaleno.ini";
    QTest::newRow("under a regular file, deeper") << "blocker/sub/Kaleno.ini";
    QTest::newRow("the file is a folder") << "folder";
}

void TestSettings::unwritablePath()
{
    QFETCH(QString, relative);
    QTemporaryDir dir;
    const QByteArray blocker = "not a folder\r\n";
    QVERIFY(writeFile(dir.filePath("blocker"), blocker));
    QVERIFY(QDir(dir.path()).mkdir("folder"));
    QCOMPARE(SaveSettings(Settings(), dir.filePath(relative)), SaveResult::ReadOnly);
    QCOMPARE(readAll(dir.filePath("blocker")), blocker);
    QVERIFY(QFileInfo(dir.filePath("folder")).isDir());
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
        QStringList({"blocker", "folder"}));
}

void TestSettings::filePath()
{
    QTemporaryDir dir;
    QCOMPARE(SettingsFilePath(dir.path()), dir.filePath("Kaleno.ini"));
    QVERIFY(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));

    QVERIFY(writeFile(dir.filePath("blocker"), "x"));
    const QString configFolder
        = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QVERIFY(!configFolder.isEmpty());
    const QString fallback = SettingsFilePath(dir.filePath("blocker"));
    QCOMPARE(fallback, QDir(configFolder).filePath("Kaleno.ini"));

    // Saving there creates the folder if needed, and loading reads it back.
    QDir(configFolder).removeRecursively();
    Settings s;
    s.TipIndex = 17;
    QCOMPARE(SaveSettings(s, fallback), SaveResult::Saved);
    Settings reread;
    LoadSettings(reread, fallback, kProgram);
    QCOMPARE(reread.TipIndex, 17);
    QDir(configFolder).removeRecursively();
}

void TestSettings::encodings_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("windows-1252") << QByteArray("Lentille biconvexe n\xB0"
                                                "1");
    QTest::newRow("utf-8") << QByteArray("Lentille biconvexe n\xC2\xB0"
                                         "1");
    QTest::newRow("utf-8 with bom") << QByteArray("\xEF\xBB\xBF")
            + "Lentille biconvexe n\xC2\xB0"
              "1";
}

void TestSettings::encodings()
{
    QFETCH(QByteArray, name);
    const bool bom = name.startsWith("\xEF\xBB\xBF");
    const QByteArray file = (bom ? QByteArray("\xEF\xBB\xBF") : QByteArray())
        + "[LensF]\r\nNbLens=1\r\nNo1=" + name.mid(bom ? 3 : 0) + "\r\n";
    const Settings s = load(file);
    QCOMPARE(s.LensTable[1].No, QStringLiteral(u"Lentille biconvexe n°1"));
    QVERIFY(SettingsDocument(s, IniFile())
                .Serialize()
                .contains("No1=Lentille biconvexe n\xC2\xB0"
                          "1\r\n"));
}

void TestSettings::anyFileGivesUsableSettings()
{
    const QStringList universe = keyPath(SettingsDocument(Settings(), IniFile()));
    const char *values[] = {"0", "1", "2", "3", "-1", "5", "7", "60", "100", "150", "600", "999",
        "1500", "2000", "6000", "20001", "99999", "2147483647", "-2147483648", "9999999999", "abc",
        "", " 12 ", "0x10", "1e3"};
    QRandomGenerator random(1606);
    for (int round = 0; round < 300; ++round) {
        QByteArray file;
        if (round % 10 == 0) { // raw noise
            file.resize(random.bounded(1, 8192));
            for (char &byte : file)
                byte = char(random.bounded(256));
        } else { // known keys with odd values, in any order and any case
            std::map<QString, QByteArray> sections;
            for (int k = 0; k < 200; ++k) {
                const QStringList parts = universe[random.bounded(universe.size())].split('/');
                QByteArray key = parts[1].toUtf8();
                if (random.bounded(4) == 0)
                    key = key.toUpper();
                sections[parts[0]] += key + "=" + values[random.bounded(int(std::size(values)))]
                    + (random.bounded(8) == 0 ? "\r" : "\r\n");
            }
            for (const auto &[section, lines] : sections)
                file += "[" + section.toUtf8() + "]\n" + lines;
        }
        const Settings s = load(file);
        QVERIFY(s.PageActive == 1 || s.PageActive == 2 || s.PageActive == 4);
        QVERIFY(s.wThumb == 60 || s.wThumb == 80 || s.wThumb == 100 || s.wThumb == 120);
        QVERIFY(s.TipIndex >= 0);
        QVERIFY(s.wDest >= 80 && s.wDest <= 1000);
        QVERIFY(s.Confusion >= 99e-7 && s.Confusion <= 3001e-7);
        QVERIFY(s.Epais >= 1 && s.Epais <= 5);
        QVERIFY(std::find(kRayCounts.begin(), kRayCounts.end(), s.NbRayons) != kRayCounts.end());
        QVERIFY(s.NbLens >= 1 && s.NbLens <= kMaxLens);
        QVERIFY(s.LensIndex >= 1 && s.LensIndex <= s.NbLens);
        for (int n = 1; n <= s.NbLens; ++n) {
            const LensDef &lens = s.LensTable[n];
            QVERIFY(lens.Ep >= 10 && lens.Hau >= 2000 && lens.Hau <= 20000);
            QVERIFY(lens.Ra1 > lens.Hau && lens.Ra2 > lens.Hau);
            QVERIFY(lens.Ty1 <= 2 && lens.Ty2 <= 2);
        }
        for (uint32_t colour : s.Couleur)
            QVERIFY(colour <= 0xFFFFFF);
        QVERIFY(s.HSVColor <= 0xFFFFFF && s.cgTexte <= 0xFFFFFF);
        // What was read is saved and read back unchanged, but for the geometry of
        // maximised windows, which the file does not hold.
        Settings reread;
        LoadSettings(reread, IniFile::Parse(SettingsDocument(s, IniFile::Parse(file)).Serialize()),
            kProgram);
        Settings expected = s;
        for (WindowPlacement &p : expected.Placements) {
            if (p.Maxis)
                p = WindowPlacement {0, 0, -1, -1, true};
        }
        QVERIFY2(reread == expected, qPrintable(QString::number(round)));
    }
}

void TestSettings::readOnlyMessage()
{
    QCOMPARE(ReadOnlyMessage(QStringLiteral("/media/cdrom")),
        QStringLiteral(u"Sauvegarde des options impossible sur le périphérique de lecture\n"
                       u"/media/cdrom    ( En lecture seule )\n\n"
                       u"Ce message est normal si Kaleno est exécuté depuis un CD-Rom\n\n"
                       u"Pour éviter l'affichage de ce message et conserver la configuration "
                       u"courante,\n"
                       u"il est préférable d'installer le logiciel sur un disque dur."));
    QCOMPARE(QString::fromUtf8(ReadOnlyCaption), QStringLiteral(u" Options non sauvegardées"));
}

void TestSettings::setLensDef()
{
    Settings s;
    const Settings before = s;
    s.SetLensDef(0, "zero", 1, 2, 3, 4, 1, 1);
    s.SetLensDef(kMaxLens + 1, "past", 1, 2, 3, 4, 1, 1);
    QVERIFY(s == before);
    s.SetLensDef(kMaxLens, "last", 20, 3000, 4000, 5000, 2, 0);
    QCOMPARE(s.LensTable[kMaxLens], (LensDef {"last", 20, 3000, 4000, 5000, 2, 0}));
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
