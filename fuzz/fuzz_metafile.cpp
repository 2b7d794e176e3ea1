// Feeds arbitrary bytes to the metafile reader and plays what it accepts onto a small
// buffer: nothing may read past the bytes, crash, or hang, whatever the records claim.
#include "imaging/Canvas.h"
#include "imaging/DibPlus.h"
#include "imaging/Metafile.h"

#include <QByteArrayView>
#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>
#include <memory>

using namespace kaleno;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

// Fontconfig keeps the patterns of every font family asked for until exit; the leak
// checker would take that cache, which grows with each new family name, for a leak.
extern "C" const char *__lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // The canvas paints text and shapes through QPainter, which needs a GUI application.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static std::unique_ptr<QGuiApplication> application
        = std::make_unique<QGuiApplication>(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::optional<Metafile> metafile = ParseMetafile(QByteArrayView(data, qsizetype(size)));
    if (!metafile)
        return 0;
    const MetafileHeader &header = metafile->header;
    check(header.objectCount >= 0 && header.objectCount <= 0xFFFF);
    check(!header.placeable || header.unitsPerInch > 0);
    const QSize natural = MetafileNaturalSize(*metafile);
    check(natural.isEmpty() || (natural.width() >= 0 && natural.height() >= 0));
    for (const MetafileRecord &record : metafile->records) {
        check(record.size() + 3 <= header.maxRecordWords);
        if (const std::optional<MetafileBitmap> bitmap = DecodeMetafileBitmap(record)) {
            check(bitmap->width > 0 && bitmap->width <= kMaxBitmapSide);
            check(bitmap->height > 0 && bitmap->height <= kMaxBitmapSide);
            check(
                bitmap->pixels.size() == std::size_t(bitmap->width) * std::size_t(bitmap->height));
        }
    }

    TDibPlus buffer(48, 32);
    Canvas canvas(buffer);
    PlayMetafile(canvas, *metafile, QRect(4, 2, 40, 28));
    return 0;
}
