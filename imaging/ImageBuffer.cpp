#include "imaging/ImageBuffer.h"

namespace kaleno {

QImage ImageFromBuffer(const TDibPlus &buffer)
{
    if (!buffer.HasBitmap())
        return {};
    return QImage(
        buffer.Bits(), buffer.Width(), buffer.Height(), buffer.Stride(), QImage::Format_BGR888)
        .copy();
}

TDibPlus BufferFromImage(const QImage &image)
{
    if (image.isNull())
        return TDibPlus(0, 0);
    const QImage rgb = image.format() == QImage::Format_RGB32
        ? image
        : image.convertToFormat(QImage::Format_RGB32);
    TDibPlus buffer(rgb.width(), rgb.height());
    for (int y = 0; y < buffer.Height(); ++y) {
        const auto *src = reinterpret_cast<const uint32_t *>(rgb.constScanLine(y));
        uint8_t *dst = buffer.Row(y);
        for (int x = 0; x < buffer.Width(); ++x, dst += 3) {
            dst[0] = Byte0(src[x]);
            dst[1] = Byte1(src[x]);
            dst[2] = Byte2(src[x]);
        }
    }
    return buffer;
}

} // namespace kaleno
