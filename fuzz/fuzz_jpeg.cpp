// Feeds arbitrary bytes to the JPEG decoder at every reduction, and to its header reader:
// libjpeg's errors must come back as a refusal, never end the process, crash or hang.
#include "imaging/DibPlus.h"
#include "imaging/ImageLoaders.h"

#include <QByteArrayView>

#include <cstdint>
#include <cstdlib>

using namespace kaleno;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    // The first byte picks the reduction, the rest is the file.
    const int scale = 1 << (data[0] & 3);
    const QByteArrayView bytes(data + 1, qsizetype(size - 1));
    const std::optional<QSize> natural = JpegSize(bytes);
    const std::optional<TDibPlus> image = DecodeJpeg(bytes, scale);
    if (!image)
        return 0;
    if (!natural || !image->HasBitmap())
        std::abort();
    // libjpeg rounds each side up when it reduces.
    if (image->Width() != (natural->width() + scale - 1) / scale
        || image->Height() != (natural->height() + scale - 1) / scale)
        std::abort();
    return 0;
}
