// Feeds arbitrary bytes to the GIF decoder: frames outside the screen, missing colour maps,
// indexes past the map and cut LZW data must give a refusal or a sound picture.
#include "imaging/DibPlus.h"
#include "imaging/ImageLoaders.h"

#include <QByteArrayView>

#include <cstdint>
#include <cstdlib>

using namespace kaleno;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::optional<TDibPlus> image = DecodeGif(QByteArrayView(data, qsizetype(size)));
    if (image && !(image->HasBitmap() && WithinImageCap(image->Width(), image->Height())))
        std::abort();
    return 0;
}
