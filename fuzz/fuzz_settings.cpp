// Feeds arbitrary bytes to the settings file reader, and checks the properties that hold
// by construction: what is written reads back the same, and loaded values are in range.
#include "shell/IniFile.h"
#include "shell/Settings.h"
#include "shell/TextCodec.h"

#include <QByteArrayView>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

using namespace kaleno;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void checkSameDocument(const IniFile &a, const IniFile &b)
{
    const QStringList sections = a.Sections();
    check(sections == b.Sections());
    for (const QString &section : sections) {
        const QStringList keys = a.Keys(section);
        check(keys == b.Keys(section));
        for (const QString &key : keys)
            check(a.ReadString(section, key, {}) == b.ReadString(section, key, {}));
    }
}

void checkInRange(const Settings &s)
{
    check(s.PageActive == 1 || s.PageActive == 2 || s.PageActive == 4);
    check(s.wThumb == 60 || s.wThumb == 80 || s.wThumb == 100 || s.wThumb == 120);
    check(s.TipIndex >= 0);
    check(s.ComposIndex >= 0 && s.ComposIndex <= 2);
    check(s.RayIndex >= 0 && s.RayIndex <= 5);
    check(s.ShapeIndex >= 0 && s.ShapeIndex <= 4);
    check(s.LFasciIndex >= 0 && s.LFasciIndex <= 2);
    check(s.TypeFasciIndex >= 0 && s.TypeFasciIndex <= 6);
    check(std::find(kRayCounts.begin(), kRayCounts.end(), s.NbRayons) != kRayCounts.end());
    check(s.Epais >= 1 && s.Epais <= 5);
    check(s.wDest >= 80 && s.wDest <= 1000);
    check(s.Confusion >= 99e-7 && s.Confusion <= 3001e-7);
    check(s.NbLens >= 1 && s.NbLens <= kMaxLens);
    check(s.LensIndex >= 1 && s.LensIndex <= s.NbLens);
    for (const LensDef &lens : s.LensTable) {
        check(lens.Ep >= 10 && lens.Hau >= 2000 && lens.Hau <= 20000);
        check(lens.Ra1 > lens.Hau && lens.Ra2 > lens.Hau && lens.Ty1 <= 2 && lens.Ty2 <= 2);
    }
    for (uint32_t colour : {s.CF1, s.CFF[0], s.CFF[1], s.CFF[2], s.HSVColor, s.ObjColor1,
             s.ObjColor2, s.cgFond, s.cgAxe, s.cgRay, s.cgLens, s.cgBord, s.cgTexte})
        check(colour <= 0xFFFFFF);
    for (uint32_t colour : s.Couleur)
        check(colour <= 0xFFFFFF);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    const QString folder = QStringLiteral("/opt/kaleno");

    check(EncodeWindows1252(DecodeWindows1252(bytes)) == bytes);

    // The document survives a save and a reread, and a second save changes nothing.
    const IniFile ini = IniFile::Parse(bytes);
    const QByteArray once = ini.Serialize();
    const IniFile reread = IniFile::Parse(once);
    check(reread.Serialize() == once);
    checkSameDocument(ini, reread);

    Settings settings;
    LoadSettings(settings, ini, folder);
    checkInRange(settings);

    // Saving what was read, over the same file, reads back the same settings, but for
    // the geometry of maximised windows, which the file does not hold.
    const IniFile saved = IniFile::Parse(SettingsDocument(settings, ini).Serialize());
    Settings again;
    LoadSettings(again, saved, folder);
    Settings expected = settings;
    for (WindowPlacement &p : expected.Placements) {
        if (p.Maxis)
            p = WindowPlacement {0, 0, -1, -1, true};
    }
    check(again == expected);
    // Nothing of the old file is lost: every key it had is still there.
    for (const QString &section : ini.Sections()) {
        for (const QString &key : ini.Keys(section))
            check(saved.Has(section, key));
    }
    return 0;
}
