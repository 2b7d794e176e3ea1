// The camera's built-in pictures: the five photographed shapes, each upright and turned
// as the lens forms it on the film, and the picture of the objective.
#pragma once

#include "imaging/MetafileRecords.h"

#include <QString>

#include <array>
#include <optional>

namespace kaleno {

inline constexpr int kShapeCount = 5;
// Resource names of the shapes of ShapeIndex 0..4: upright, turned.
inline constexpr std::array<std::array<const char *, 2>, kShapeCount> kShapeResources = {{
    {"R", "RInv"},
    {"Palmier", "PalmierR"},
    {"Chat", "ChatR"},
    {"Chien", "ChienR"},
    {"Cycle", "CycleR"},
}};
inline constexpr char kLensResource[] = "Lens";

// The built-in metafile ":/camera/<name>.wmf"; nothing when it is missing or unreadable.
std::optional<Metafile> LoadCameraPicture(const QString &name);

struct CameraShapePair {
    Metafile upright;
    Metafile turned;
};
// The pair of ShapeIndex (clamped to 0..4); nothing when a file is missing or unreadable.
std::optional<CameraShapePair> LoadCameraShapes(int shapeIndex);

} // namespace kaleno
