#include "shell/Settings.h"

#include "shell/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace kaleno {

namespace {

struct LensValues {
    const char16_t *name;
    int thickness, height, radius1, radius2, kind1, kind2;
};

constexpr LensValues kDefaultLensValues[10] = {
    {u"Lentille biconvexe n°1", 10, 6000, 8930, 8930, 1, 1},
    {u"Lentille biconvexe n°2", 10, 6000, 15000, 15000, 1, 1},
    {u"Lentille biconcave n°1", 3710, 6000, 8900, 8900, 2, 2},
    {u"Lentille biconcave n°2", 3710, 6000, 15000, 15000, 2, 2},
    {u"Menisque n°1", 100, 6000, 8900, 12000, 1, 2},
    {u"Menisque n°2", 2000, 6000, 8900, 12000, 1, 2},
    {u"Quasi-Sphérique", 670, 6000, 6100, 6100, 1, 1},
    {u"Lame mince", 500, 8000, 100000, 100000, 0, 0},
    {u"Lame moyenne", 3000, 8000, 100000, 100000, 0, 0},
    {u"Lame épaisse", 6000, 8000, 100000, 100000, 0, 0},
};

constexpr int kDefaultLensCount = 10;

LensDef makeLens(const LensValues &v)
{
    return LensDef {QString::fromUtf16(v.name), v.thickness, v.height, v.radius1, v.radius2,
        static_cast<uint8_t>(v.kind1), static_cast<uint8_t>(v.kind2)};
}

std::array<LensDef, 10> makeDefaultLenses()
{
    std::array<LensDef, 10> lenses;
    for (int i = 0; i < kDefaultLensCount; ++i)
        lenses[i] = makeLens(kDefaultLensValues[i]);
    return lenses;
}

// A file larger than this is no settings file of ours: it is neither read nor carried
// over, so that a stray huge file cannot exhaust memory at start.
constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

IniFile readIniFile(const QString &path)
{
    QFile file(path);
    if (file.size() > kMaxFileSize || !file.open(QIODevice::ReadOnly))
        return IniFile();
    return IniFile::Parse(file.read(kMaxFileSize + 1));
}

bool isIn(int value, int low, int high) { return value >= low && value <= high; }

// Reads an int and keeps it only when valid() accepts it.
template <typename Valid>
int readChecked(
    const IniFile &ini, const QString &section, const QString &key, int fallback, Valid valid)
{
    const int value = ini.ReadInteger(section, key, fallback);
    return valid(value) ? value : fallback;
}

int readInRange(
    const IniFile &ini, const QString &section, const QString &key, int fallback, int low, int high)
{
    return readChecked(ini, section, key, fallback, [=](int v) { return isIn(v, low, high); });
}

uint32_t readColour(
    const IniFile &ini, const QString &section, const QString &key, uint32_t fallback)
{
    const int value = ini.ReadInteger(section, key, static_cast<int>(fallback));
    return static_cast<uint32_t>(value) & 0x00FFFFFFu;
}

void writeColour(IniFile &ini, const QString &section, const QString &key, uint32_t colour)
{
    ini.WriteInteger(section, key, static_cast<int>(colour & 0x00FFFFFFu));
}

// Keys with a number (No1, Couleur16, Ra120), made once: loading and saving look up
// several hundred of them.
enum NumberedKey { kNo, kEp, kHau, kRa1, kRa2, kTy1, kTy2, kCFF, kBlanc, kCouleur, kKeyCount };

const QString &numbered(NumberedKey key, int n)
{
    static const auto table = [] {
        const char16_t *names[kKeyCount]
            = {u"No", u"Ep", u"Hau", u"Ra1", u"Ra2", u"Ty1", u"Ty2", u"CFF", u"Blanc", u"Couleur"};
        std::array<std::array<QString, kMaxLens + 1>, kKeyCount> keys;
        for (int k = 0; k < kKeyCount; ++k) {
            for (int i = 0; i <= kMaxLens; ++i)
                keys[k][i] = QString::fromUtf16(names[k]) + QString::number(i);
        }
        return keys;
    }();
    return table[key][n];
}

const QString kMainF = u"MainF"_s;
const QString kTips = u"Tips"_s;
const QString kPerception = u"Perception"_s;
const QString kBrowser = u"Browser"_s;
const QString kFiltreF = u"FiltreF"_s;
const QString kLoupF = u"LoupF"_s;
const QString kCouleurF = u"CouleurF"_s;
const QString kPhotoF = u"PhotoF"_s;
const QString kLensF = u"LensF"_s;
const QString kCosmo = u"Cosmo"_s;

constexpr int kDefaultConfusion = 300;
constexpr double kConfusionUnit = 1e-7; // metres per stored unit
constexpr double kConfusionScale = 1e7; // stored units per metre

// Lens n as stored, then made drawable: the height clamped first, since the radius rule
// is measured against it.
LensDef readLens(const IniFile &ini, int n)
{
    const LensDef anonymous = AnonymousLens();
    LensDef lens;
    lens.No = ini.ReadString(kLensF, numbered(kNo, n), anonymous.No);
    lens.Ep = std::max(ini.ReadInteger(kLensF, numbered(kEp, n), anonymous.Ep), 10);
    lens.Hau = std::clamp(ini.ReadInteger(kLensF, numbered(kHau, n), anonymous.Hau), 2000, 20000);
    const auto radius = [&](NumberedKey key, int fallback) {
        const int value = ini.ReadInteger(kLensF, numbered(key, n), fallback);
        return value > lens.Hau ? value : lens.Hau + 100;
    };
    lens.Ra1 = radius(kRa1, anonymous.Ra1);
    lens.Ra2 = radius(kRa2, anonymous.Ra2);
    const auto kind = [&](NumberedKey key, int fallback) {
        const int value = ini.ReadInteger(kLensF, numbered(key, n), fallback);
        return static_cast<uint8_t>(isIn(value, 0, 2) ? value : 0);
    };
    lens.Ty1 = kind(kTy1, anonymous.Ty1);
    lens.Ty2 = kind(kTy2, anonymous.Ty2);
    return lens;
}

void writeLens(IniFile &ini, int n, const LensDef &lens)
{
    ini.WriteString(kLensF, numbered(kNo, n), lens.No);
    ini.WriteInteger(kLensF, numbered(kEp, n), lens.Ep);
    ini.WriteInteger(kLensF, numbered(kHau, n), lens.Hau);
    ini.WriteInteger(kLensF, numbered(kRa1, n), lens.Ra1);
    ini.WriteInteger(kLensF, numbered(kRa2, n), lens.Ra2);
    ini.WriteInteger(kLensF, numbered(kTy1, n), lens.Ty1);
    ini.WriteInteger(kLensF, numbered(kTy2, n), lens.Ty2);
}

} // namespace

const std::array<LensDef, 10> kDefaultLenses = makeDefaultLenses();

LensDef AnonymousLens() { return LensDef {u"Anonyme"_s, 10, 6000, 20000, 20000, 1, 1}; }

std::array<WindowPlacement, kPlacementCount> Settings::defaultPlacements()
{
    std::array<WindowPlacement, kPlacementCount> placements;
    placements[0].H = 480;
    return placements;
}

std::array<LensDef, kMaxLens + 1> Settings::defaultLensTable()
{
    std::array<LensDef, kMaxLens + 1> table;
    table.fill(AnonymousLens());
    for (int i = 0; i < kDefaultLensCount; ++i)
        table[i + 1] = makeLens(kDefaultLensValues[i]);
    return table;
}

void Settings::SetLensDef(int index, const QString &name, int thickness, int height, int radius1,
    int radius2, int kind1, int kind2)
{
    if (index < 1 || index > kMaxLens)
        return;
    LensTable[index] = LensDef {name, thickness, height, radius1, radius2,
        static_cast<uint8_t>(kind1), static_cast<uint8_t>(kind2)};
}

WindowPlacement ReadPlacement(const IniFile &ini, const QString &section)
{
    WindowPlacement placement;
    placement.X = ini.ReadInteger(section, u"X"_s, 1);
    placement.Y = ini.ReadInteger(section, u"Y"_s, 1);
    placement.W = ini.ReadInteger(section, u"W"_s, 510);
    const int defaultHeight = section.compare(kMainF, Qt::CaseInsensitive) == 0 ? 480 : 400;
    placement.H = ini.ReadInteger(section, u"H"_s, defaultHeight);
    placement.Maxis = ini.ReadBool(section, u"Maxis"_s, false);
    return placement;
}

void WritePlacement(IniFile &ini, const QString &section, const WindowPlacement &placement)
{
    const bool maximised = placement.Maxis;
    ini.WriteInteger(section, u"X"_s, maximised ? 0 : placement.X);
    ini.WriteInteger(section, u"Y"_s, maximised ? 0 : placement.Y);
    ini.WriteInteger(section, u"W"_s, maximised ? -1 : placement.W);
    ini.WriteInteger(section, u"H"_s, maximised ? -1 : placement.H);
    ini.WriteBool(section, u"Maxis"_s, maximised);
}

void LoadSettings(Settings &s, const IniFile &ini, const QString &programFolder)
{
    s = Settings();
    const Settings d; // defaults

    for (int i = 0; i < kPlacementCount; ++i)
        s.Placements[i] = ReadPlacement(ini, QLatin1StringView(kPlacementSections[i]));

    s.DirFichier = ini.ReadString(kMainF, u"DirFichier"_s, d.DirFichier);
    s.ExtSynthFlag = ini.ReadBool(kMainF, u"ExtSynthFlag"_s, d.ExtSynthFlag);
    // Section 3 starts the astronomy program and is never the start section.
    s.PageActive = readChecked(
        ini, kMainF, u"PageActive"_s, d.PageActive, [](int v) { return isIn(v, 1, 4) && v != 3; });

    // The tips reader wraps a large index; only a negative one is out of reach.
    s.TipIndex = readChecked(ini, kTips, u"TipIndex"_s, d.TipIndex, [](int v) { return v >= 0; });
    s.TipFlag = ini.ReadBool(kTips, u"TipFlag"_s, d.TipFlag);
    s.BullesFlag = ini.ReadBool(kTips, u"BullesFlag"_s, d.BullesFlag);
    s.SplashFlag = ini.ReadBool(kTips, u"SplashFlag"_s, d.SplashFlag);

    s.BlurFlag = ini.ReadBool(kPerception, u"BlurFlag"_s, d.BlurFlag);
    s.AllowFasci = ini.ReadBool(kPerception, u"AllowFasci"_s, d.AllowFasci);

    s.BrowserFlag = ini.ReadBool(kBrowser, u"BrowserFlag"_s, d.BrowserFlag);
    s.wThumb = readChecked(ini, kBrowser, u"wThumb"_s, d.wThumb,
        [](int v) { return v == 60 || v == 80 || v == 100 || v == 120; });
    s.brwRecurseFlag = ini.ReadBool(kBrowser, u"brwRecurseFlag"_s, d.brwRecurseFlag);
    s.brwMetaFlag = ini.ReadBool(kBrowser, u"brwMetaFlag"_s, d.brwMetaFlag);
    s.brwBmpFlag = ini.ReadBool(kBrowser, u"brwBmpFlag"_s, d.brwBmpFlag);
    s.brwGifFlag = ini.ReadBool(kBrowser, u"brwGifFlag"_s, d.brwGifFlag);
    s.brwJpgFlag = ini.ReadBool(kBrowser, u"brwJpgFlag"_s, d.brwJpgFlag);
    s.brwPath = ini.ReadString(kBrowser, u"brwPath"_s, programFolder);

    s.CF1 = readColour(ini, kFiltreF, u"CF1"_s, d.CF1);
    for (int i = 0; i < 3; ++i)
        s.CFF[i] = readColour(ini, kFiltreF, numbered(kCFF, i + 1), d.CFF[i]);
    for (int i = 0; i < 3; ++i)
        s.Blanc[i] = ini.ReadBool(kFiltreF, numbered(kBlanc, i + 1), d.Blanc[i]);

    s.wDest = readInRange(ini, kLoupF, u"wDest"_s, d.wDest, 80, 1000);

    s.HSVColor = readColour(ini, kCouleurF, u"HSVColor"_s, d.HSVColor);
    s.ComposIndex = readInRange(ini, kCouleurF, u"ComposIndex"_s, d.ComposIndex, 0, 2);
    s.HexaFlag = ini.ReadBool(kCouleurF, u"HexaFlag"_s, d.HexaFlag);

    s.ObjColor1 = readColour(ini, kPhotoF, u"ObjColor1"_s, d.ObjColor1);
    s.ObjColor2 = readColour(ini, kPhotoF, u"ObjColor2"_s, d.ObjColor2);
    for (int i = 0; i < 16; ++i)
        s.Couleur[i] = readColour(ini, kPhotoF, numbered(kCouleur, i + 1), d.Couleur[i]);
    s.ShapeIndex = readInRange(ini, kPhotoF, u"ShapeIndex"_s, d.ShapeIndex, 0, 4);
    s.RayIndex = readInRange(ini, kPhotoF, u"RayIndex"_s, d.RayIndex, 0, 5);
    s.ModObjFlag = ini.ReadBool(kPhotoF, u"ModObjFlag"_s, d.ModObjFlag);
    s.Confusion
        = readInRange(ini, kPhotoF, u"Confusion"_s, kDefaultConfusion, 100, 3000) * kConfusionUnit;

    s.cgFond = readColour(ini, kLensF, u"cgFond"_s, d.cgFond);
    s.cgAxe = readColour(ini, kLensF, u"cgAxe"_s, d.cgAxe);
    s.cgRay = readColour(ini, kLensF, u"cgRay"_s, d.cgRay);
    s.cgLens = readColour(ini, kLensF, u"cgLens"_s, d.cgLens);
    s.cgBord = readColour(ini, kLensF, u"cgBord"_s, d.cgBord);
    s.cgTexte = readColour(ini, kLensF, u"cgTexte"_s, d.cgTexte);
    s.Epais = readInRange(ini, kLensF, u"Epais"_s, d.Epais, 1, 5);
    s.LFasciIndex = readInRange(ini, kLensF, u"LFasciIndex"_s, d.LFasciIndex, 0, 2);
    s.TypeFasciIndex = readInRange(ini, kLensF, u"TypeFasciIndex"_s, d.TypeFasciIndex, 0, 6);
    s.NbRayons = readChecked(ini, kLensF, u"NbRayons"_s, d.NbRayons, [](int v) {
        return std::find(kRayCounts.begin(), kRayCounts.end(), v) != kRayCounts.end();
    });
    s.LensTextFlag = ini.ReadBool(kLensF, u"LensTextFlag"_s, d.LensTextFlag);
    s.LensModiFlag = ini.ReadBool(kLensF, u"LensModiFlag"_s, d.LensModiFlag);

    // 0 (or nothing stored) means the user never had a table of their own: the
    // default-constructed one, the ten default lenses, stays.
    const int storedLenses = std::clamp(ini.ReadInteger(kLensF, u"NbLens"_s, 0), 0, kMaxLens);
    if (storedLenses > 0) {
        s.NbLens = storedLenses;
        for (int n = 1; n <= kMaxLens; ++n)
            s.LensTable[n] = n <= storedLenses ? readLens(ini, n) : AnonymousLens();
    }
    s.LensIndex = readInRange(ini, kLensF, u"LensIndex"_s, 1, 1, s.NbLens);

    s.GlobeFlag = ini.ReadBool(kCosmo, u"GlobeFlag"_s, d.GlobeFlag);
    s.UseCalcFlag = ini.ReadBool(kCosmo, u"UseCalcFlag"_s, d.UseCalcFlag);
    s.AllowLieuFlag = ini.ReadBool(kCosmo, u"AllowLieuFlag"_s, d.AllowLieuFlag);
}

void LoadSettings(Settings &settings, const QString &iniPath, const QString &programFolder)
{
    LoadSettings(settings, readIniFile(iniPath), programFolder);
}

IniFile SettingsDocument(const Settings &s, const IniFile &previous)
{
    IniFile ini;

    // First, as it always was: once the probe that the file could be written at all.
    ini.WriteBool(u"Access"_s, u"Allowed"_s, true);
    for (int i = 0; i < kPlacementCount; ++i)
        WritePlacement(ini, QLatin1StringView(kPlacementSections[i]), s.Placements[i]);

    ini.WriteString(kMainF, u"DirFichier"_s, s.DirFichier);
    ini.WriteString(kMainF, u"Avertissement"_s,
        QStringLiteral("******* Attention, ne jamais modifier ce fichier manuellement *******"));
    ini.WriteBool(kMainF, u"ExtSynthFlag"_s, s.ExtSynthFlag);
    ini.WriteInteger(kMainF, u"PageActive"_s, s.PageActive);

    ini.WriteInteger(kTips, u"TipIndex"_s, s.TipIndex);
    ini.WriteBool(kTips, u"TipFlag"_s, s.TipFlag);
    ini.WriteBool(kTips, u"BullesFlag"_s, s.BullesFlag);
    ini.WriteBool(kTips, u"SplashFlag"_s, s.SplashFlag);

    ini.WriteBool(kPerception, u"BlurFlag"_s, s.BlurFlag);
    ini.WriteBool(kPerception, u"AllowFasci"_s, s.AllowFasci);

    ini.WriteBool(kBrowser, u"BrowserFlag"_s, s.BrowserFlag);
    ini.WriteInteger(kBrowser, u"wThumb"_s, s.wThumb);
    ini.WriteBool(kBrowser, u"brwRecurseFlag"_s, s.brwRecurseFlag);
    ini.WriteBool(kBrowser, u"brwMetaFlag"_s, s.brwMetaFlag);
    ini.WriteBool(kBrowser, u"brwBmpFlag"_s, s.brwBmpFlag);
    ini.WriteBool(kBrowser, u"brwGifFlag"_s, s.brwGifFlag);
    ini.WriteBool(kBrowser, u"brwJpgFlag"_s, s.brwJpgFlag);
    ini.WriteString(kBrowser, u"brwPath"_s, s.brwPath);

    writeColour(ini, kFiltreF, u"CF1"_s, s.CF1);
    for (int i = 0; i < 3; ++i)
        writeColour(ini, kFiltreF, numbered(kCFF, i + 1), s.CFF[i]);
    for (int i = 0; i < 3; ++i)
        ini.WriteBool(kFiltreF, numbered(kBlanc, i + 1), s.Blanc[i]);

    ini.WriteInteger(kLoupF, u"wDest"_s, s.wDest);

    writeColour(ini, kCouleurF, u"HSVColor"_s, s.HSVColor);
    ini.WriteInteger(kCouleurF, u"ComposIndex"_s, s.ComposIndex);
    ini.WriteBool(kCouleurF, u"HexaFlag"_s, s.HexaFlag);

    writeColour(ini, kPhotoF, u"ObjColor1"_s, s.ObjColor1);
    writeColour(ini, kPhotoF, u"ObjColor2"_s, s.ObjColor2);
    for (int i = 0; i < 16; ++i)
        writeColour(ini, kPhotoF, numbered(kCouleur, i + 1), s.Couleur[i]);
    ini.WriteInteger(kPhotoF, u"ShapeIndex"_s, s.ShapeIndex);
    ini.WriteInteger(kPhotoF, u"RayIndex"_s, s.RayIndex);
    ini.WriteBool(kPhotoF, u"ModObjFlag"_s, s.ModObjFlag);
    // Ties to even under the default rounding mode; the cast is guarded against a value
    // no int can hold (the options window keeps it within 0.01..0.30 mm anyway).
    const double confusion = std::nearbyint(s.Confusion * kConfusionScale);
    ini.WriteInteger(kPhotoF, u"Confusion"_s,
        std::isfinite(confusion) && std::fabs(confusion) < 2e9 ? static_cast<int>(confusion)
                                                               : kDefaultConfusion);

    writeColour(ini, kLensF, u"cgFond"_s, s.cgFond);
    writeColour(ini, kLensF, u"cgAxe"_s, s.cgAxe);
    writeColour(ini, kLensF, u"cgRay"_s, s.cgRay);
    writeColour(ini, kLensF, u"cgLens"_s, s.cgLens);
    writeColour(ini, kLensF, u"cgBord"_s, s.cgBord);
    writeColour(ini, kLensF, u"cgTexte"_s, s.cgTexte);
    ini.WriteInteger(kLensF, u"Epais"_s, s.Epais);
    ini.WriteInteger(kLensF, u"LFasciIndex"_s, s.LFasciIndex);
    ini.WriteInteger(kLensF, u"TypeFasciIndex"_s, s.TypeFasciIndex);
    ini.WriteInteger(kLensF, u"NbRayons"_s, s.NbRayons);
    ini.WriteBool(kLensF, u"LensTextFlag"_s, s.LensTextFlag);
    const int lensCount = std::clamp(s.NbLens, 0, kMaxLens);
    ini.WriteInteger(kLensF, u"NbLens"_s, lensCount);
    ini.WriteInteger(kLensF, u"LensIndex"_s, s.LensIndex);
    ini.WriteBool(kLensF, u"LensModiFlag"_s, s.LensModiFlag);
    for (int n = 1; n <= lensCount; ++n)
        writeLens(ini, n, s.LensTable[n]);

    ini.WriteBool(kCosmo, u"GlobeFlag"_s, s.GlobeFlag);
    ini.WriteBool(kCosmo, u"UseCalcFlag"_s, s.UseCalcFlag);
    ini.WriteBool(kCosmo, u"AllowLieuFlag"_s, s.AllowLieuFlag);

    // Windows' profile functions only ever changed the keys they wrote; keep the rest.
    ini.MergeMissing(previous);
    return ini;
}

SaveResult SaveSettings(const Settings &settings, const QString &iniPath)
{
    const IniFile document = SettingsDocument(settings, readIniFile(iniPath));
    const QFileInfo target(iniPath);
    if (!QDir().mkpath(target.absolutePath()))
        return SaveResult::ReadOnly;
    QSaveFile file(iniPath);
    if (!file.open(QIODevice::WriteOnly))
        return SaveResult::ReadOnly;
    const QByteArray bytes = document.Serialize();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return SaveResult::ReadOnly;
    }
    return file.commit() ? SaveResult::Saved : SaveResult::ReadOnly;
}

QString SettingsFilePath(const QString &programFolder)
{
    const QString fileName = QStringLiteral("Kaleno.ini");
    // Permission bits say little on Windows or network shares: only creating a file tells.
    QTemporaryFile probe(QDir(programFolder).filePath(QStringLiteral("Kaleno-XXXXXX.tmp")));
    if (!programFolder.isEmpty() && probe.open())
        return QDir(programFolder).filePath(fileName);
    const QString configFolder
        = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (configFolder.isEmpty())
        return QDir(programFolder).filePath(fileName);
    return QDir(configFolder).filePath(fileName);
}

QString ReadOnlyMessage(const QString &programFolder)
{
    return QStringLiteral("Sauvegarde des options impossible sur le périphérique de lecture")
        + u'\n' + QDir::toNativeSeparators(programFolder)
        + QStringLiteral("    ( En lecture seule )") + QStringLiteral("\n\n")
        + QStringLiteral("Ce message est normal si Kaleno est exécuté depuis un CD-Rom")
        + QStringLiteral("\n\n")
        + QStringLiteral("Pour éviter l'affichage de ce message et conserver la configuration "
                         "courante,")
        + u'\n' + QStringLiteral("il est préférable d'installer le logiciel sur un disque dur.");
}

Settings &AppSettings()
{
    static Settings settings;
    return settings;
}

} // namespace kaleno
