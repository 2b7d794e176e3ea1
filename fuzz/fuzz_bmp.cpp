// Feeds arbitrary bytes to the BMP decoder: no crash, no hang, and nothing over the size
// cap whatever the header claims.
#include "imaging/DibPlus.h"
#include "imaging/ImageLoaders.h"

#include <QByteArrayView>
#include <QGuiApplication>
#include <QtGlobal>

#include <cstdint>
#include <cstdlib>
#include <memory>

using namespace kaleno;

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Qt's image reader lives in QtGui, which wants its application object.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The reader warns about every malformed header; a million of them drown the report.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    static std::unique_ptr<QGuiApplication> application
        = std::make_unique<QGuiApplication>(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::optional<TDibPlus> image = DecodeBmp(QByteArrayView(data, qsizetype(size)));
    if (image && !(image->HasBitmap() && WithinImageCap(image->Width(), image->Height())))
        std::abort();
    return 0;
}
