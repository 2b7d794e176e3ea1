#include "modules/optics/camera/CameraShapes.h"

#include <QFile>

#include <algorithm>

namespace kaleno {

namespace {

// The pictures are a few kilobytes; anything larger is not one of ours.
constexpr qint64 kMaxPictureBytes = qint64(1) << 20;

} // namespace

std::optional<Metafile> LoadCameraPicture(const QString &name)
{
    QFile file(QStringLiteral(":/camera/%1.wmf").arg(name));
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxPictureBytes) {
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    return ParseMetafile(bytes);
}

std::optional<CameraShapePair> LoadCameraShapes(int shapeIndex)
{
    const auto &names
        = kShapeResources[static_cast<std::size_t>(std::clamp(shapeIndex, 0, kShapeCount - 1))];
    std::optional<Metafile> upright = LoadCameraPicture(QString::fromLatin1(names[0]));
    std::optional<Metafile> turned = LoadCameraPicture(QString::fromLatin1(names[1]));
    if (!upright || !turned) {
        return std::nullopt;
    }
    return CameraShapePair {std::move(*upright), std::move(*turned)};
}

} // namespace kaleno
