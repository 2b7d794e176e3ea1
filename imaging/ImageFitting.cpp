#include "imaging/ImageFitting.h"

#include <cmath>

namespace kaleno {

namespace {

// Round half to even, as the rest of the program rounds (the default rounding mode).
int roundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

} // namespace

QRect FitMetafile(QSize natural, int areaWidth, int areaHeight)
{
    if (areaWidth <= 0 || areaHeight <= 0)
        return QRect(0, 0, 0, 0);
    if (natural.width() <= 0 || natural.height() <= 0)
        return QRect(0, 0, areaWidth, areaHeight);
    const double r = double(natural.width()) / natural.height();
    if (r > double(areaWidth) / areaHeight) {
        const int height = roundEven(areaWidth / r);
        return QRect(0, (areaHeight - height) / 2, areaWidth, height);
    }
    const int width = roundEven(areaHeight * r);
    return QRect((areaWidth - width) / 2, 0, width, areaHeight);
}

QPoint CentredBitmapOrigin(QSize bitmap, int areaWidth, int areaHeight)
{
    return QPoint((areaWidth - bitmap.width()) / 2, (areaHeight - bitmap.height()) / 2);
}

QRect TestCardRect(int areaWidth, int areaHeight)
{
    if (areaWidth <= 0 || areaHeight <= 0)
        return QRect(0, 0, 0, 0);
    if (double(areaWidth) / areaHeight > 1.333) {
        const int width = roundEven(areaHeight * 1.3333333);
        return QRect((areaWidth - width) / 2, 0, width, areaHeight);
    }
    const int height = roundEven(areaWidth * 0.75);
    return QRect(0, (areaHeight - height) / 2, areaWidth, height);
}

QRect FitThumbnail(QSize natural, QSize box)
{
    const int w = natural.width(), h = natural.height();
    const int bw = box.width(), bh = box.height();
    if (bw <= 0 || bh <= 0)
        return QRect(0, 0, 0, 0);
    if (w <= 0 || h <= 0)
        return QRect(0, 0, bw, bh);
    if (w < bw && h < bh)
        return QRect((bw - w) / 2, (bh - h) / 2, w, h);
    const double r = double(w) / h;
    if (r > double(bw) / bh) {
        const int height = roundEven(bw / r);
        return QRect(0, (bh - height) / 2, bw, height);
    }
    const int width = roundEven(bh * r);
    return QRect((bw - width) / 2, 0, width, bh);
}

} // namespace kaleno
