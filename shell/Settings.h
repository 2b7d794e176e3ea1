// The program's settings: every option, module setting, window position and the user's
// lens table, with their defaults, and their loading from and saving to Kaleno.ini.
#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace kaleno {

class IniFile;

// One window's position and size in screen pixels.
struct WindowPlacement {
    int X = 1, Y = 1, W = 510, H = 400;
    bool Maxis = false;

    friend bool operator==(const WindowPlacement &, const WindowPlacement &) = default;
};

// One lens of the optics bench: lengths in thousandths of a centimetre, surface kinds
// 0 plane, 1 convex, 2 concave.
struct LensDef {
    QString No;
    int Ep = 0, Hau = 0, Ra1 = 0, Ra2 = 0;
    uint8_t Ty1 = 0, Ty2 = 0;

    friend bool operator==(const LensDef &, const LensDef &) = default;
};

inline constexpr int kPlacementCount = 16;
// The windows whose placement is stored, in the order they are read and saved.
inline constexpr std::array<const char *, kPlacementCount> kPlacementSections
    = {"MainF", "AddF", "SubF", "LoupF", "EclaireF", "QuadriF", "RGBF", "DessinF", "ContrastF",
        "CouleurF", "MoireF", "FiltreF", "SpectreF", "DistortF", "PhotoF", "LensF"};

inline constexpr int kMaxLens = 20;
// The lens table given to a user who has none (NbLens 0 or absent).
extern const std::array<LensDef, 10> kDefaultLenses;
// The record of a lens added without values, and of a lens whose keys are missing.
LensDef AnonymousLens();

// TColor values, 0x00BBGGRR: the camera's colour palette.
inline constexpr std::array<uint32_t, 16> kDefaultCameraColours
    = {0x007000, 0x00FF00, 0x800000, 0xFF0000, 0x808080, 0xC0C0C0, 0x000080, 0x0000FF, 0x808000,
        0xFFFF00, 0x008080, 0x00FFFF, 0x800080, 0xFF00FF, 0x808080, 0xC0C0C0};

// The numbers of rays the optics windows offer.
inline constexpr std::array<int, 13> kRayCounts
    = {1, 3, 5, 7, 10, 15, 20, 30, 50, 100, 200, 300, 600};

// Every value of the settings file. A default-constructed Settings is what loading gives
// when there is no file, except brwPath (the program folder, known only when loading):
// the ten default lenses, NbLens 10. Colours are TColor values (0x00BBGGRR).
struct Settings {
    std::array<WindowPlacement, kPlacementCount> Placements = defaultPlacements();

    // MainF
    QString DirFichier = QStringLiteral("none");
    bool ExtSynthFlag = true;
    int PageActive = 1;

    // Tips
    int TipIndex = 0;
    bool TipFlag = true;
    bool BullesFlag = true;
    bool SplashFlag = true;

    // Perception
    bool BlurFlag = false;
    bool AllowFasci = true;

    // Browser
    bool BrowserFlag = true;
    int wThumb = 80;
    bool brwRecurseFlag = false;
    bool brwMetaFlag = true;
    bool brwBmpFlag = true;
    bool brwGifFlag = true;
    bool brwJpgFlag = true;
    QString brwPath;

    // FiltreF: the light, then filters 1..3 at indexes 0..2 (CFF1.., Blanc1..).
    uint32_t CF1 = 0xFFFFFF;
    std::array<uint32_t, 3> CFF = {0xFFFFFF, 0x0000FF, 0xFFFFFF};
    std::array<bool, 3> Blanc = {true, false, true};

    // LoupF
    int wDest = 150;

    // CouleurF
    uint32_t HSVColor = 0x0000FF;
    int ComposIndex = 0;
    bool HexaFlag = false;

    // PhotoF
    uint32_t ObjColor1 = 0x007000;
    uint32_t ObjColor2 = 0x00FF00;
    std::array<uint32_t, 16> Couleur = kDefaultCameraColours; // index 0 is Couleur1
    int ShapeIndex = 0;
    int RayIndex = 1;
    bool ModObjFlag = true;
    double Confusion = 300 * 1e-7; // metres; the file holds metres * 1e7

    // LensF
    uint32_t cgFond = 0x000000;
    uint32_t cgAxe = 0x000080;
    uint32_t cgRay = 0xFFFF00;
    uint32_t cgLens = 0xFFFFFF;
    uint32_t cgBord = 0xFFFFFF;
    uint32_t cgTexte = 0xC0C0C0;
    int Epais = 2;
    int LFasciIndex = 1;
    int TypeFasciIndex = 0;
    int NbRayons = 3;
    bool LensTextFlag = true;
    int NbLens = 10;
    int LensIndex = 1;
    bool LensModiFlag = true;
    // Lenses 1..NbLens are in use; the others hold AnonymousLens(), index 0 included.
    std::array<LensDef, kMaxLens + 1> LensTable = defaultLensTable();

    // Cosmo: options of the astronomy program, edited here.
    bool GlobeFlag = true;
    bool UseCalcFlag = true;
    bool AllowLieuFlag = true;

    // Fills lens record index (1..kMaxLens; any other index is ignored).
    void SetLensDef(int index, const QString &name, int thickness, int height, int radius1,
        int radius2, int kind1, int kind2);

    friend bool operator==(const Settings &, const Settings &) = default;

private:
    static std::array<WindowPlacement, kPlacementCount> defaultPlacements();
    static std::array<LensDef, kMaxLens + 1> defaultLensTable();
};

// The five keys of one window. H defaults to 480 for MainF and 400 elsewhere.
WindowPlacement ReadPlacement(const IniFile &ini, const QString &section);
// A maximised window is written as 0, 0, -1, -1, 1 (its record keeps the values the
// window will take when it is restored).
void WritePlacement(IniFile &ini, const QString &section, const WindowPlacement &placement);

// Resets settings to the defaults, then reads every key; each value is range-checked
// and one that is missing, unreadable or out of range takes its default.
void LoadSettings(Settings &settings, const IniFile &ini, const QString &programFolder);
// The same from a file; a missing or unreadable file gives the defaults.
void LoadSettings(Settings &settings, const QString &iniPath, const QString &programFolder);

// The document SaveSettings writes: every key in the program's order, then the keys and
// sections of `previous` that were not written (lens records beyond NbLens, keys of
// other versions or programs), each appended to its section.
IniFile SettingsDocument(const Settings &settings, const IniFile &previous);

enum class SaveResult { Saved, ReadOnly };
// Replaces the file atomically: whatever happens, the file on disk is either the old one
// or the new one, whole. ReadOnly when it cannot be written; the old file is then untouched.
SaveResult SaveSettings(const Settings &settings, const QString &iniPath);

// programFolder/Kaleno.ini when a file can be created in programFolder, else Kaleno.ini
// in the user's configuration folder (a program run from a CD-ROM or a protected folder).
QString SettingsFilePath(const QString &programFolder);

// The text and caption of the message shown when the settings could not be saved.
QString ReadOnlyMessage(const QString &programFolder);
inline constexpr char ReadOnlyCaption[] = " Options non sauvegardées";

// The one settings object of the program, filled at start and saved at exit.
Settings &AppSettings();

} // namespace kaleno
