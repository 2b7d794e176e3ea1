#include "shell/Bitmaps.h"

#include <QFile>
#include <QPixmap>
#include <QString>
#include <QStringList>

namespace kaleno {

QImage LoadResourceBitmap(const QString &name)
{
    QImage image(QStringLiteral(":/bitmaps/%1.bmp").arg(name));
    if (image.isNull())
        return image;
    return image.convertToFormat(QImage::Format_RGB32);
}

void ReplaceImageColour(QImage &image, QRgb from, QRgb to)
{
    if (image.format() != QImage::Format_RGB32)
        image = image.convertToFormat(QImage::Format_RGB32);
    from &= 0x00FFFFFFu;
    to |= 0xFF000000u;
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((row[x] & 0x00FFFFFFu) == from)
                row[x] = to;
    }
}

void ReplaceCornerColour(QImage &image, QRgb to)
{
    if (image.isNull())
        return;
    ReplaceImageColour(image, image.pixel(0, 0), to);
}

namespace {

// The hot spot of `name` in the table, or (-1, -1) (the picture's centre, for Qt) when
// the table has no well-formed line for it.
QPoint HotSpotOf(const QString &name)
{
    QFile table(QStringLiteral(":/cursors/hotspots.txt"));
    if (!table.open(QIODevice::ReadOnly | QIODevice::Text))
        return {-1, -1};
    while (!table.atEnd()) {
        const QStringList fields
            = QString::fromLatin1(table.readLine()).simplified().split(QLatin1Char(' '));
        if (fields.size() != 3 || fields[0] != name)
            continue;
        bool okX = false;
        bool okY = false;
        const int x = fields[1].toInt(&okX);
        const int y = fields[2].toInt(&okY);
        if (okX && okY)
            return {x, y};
    }
    return {-1, -1};
}

} // namespace

QCursor LoadResourceCursor(const QString &name)
{
    const QPixmap picture(QStringLiteral(":/cursors/%1.png").arg(name));
    if (picture.isNull())
        return QCursor(name == QLatin1String("C_Main") ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QPoint hotSpot = HotSpotOf(name);
    if (!picture.rect().contains(hotSpot))
        hotSpot = {-1, -1};
    return QCursor(picture, hotSpot.x(), hotSpot.y());
}

} // namespace kaleno
