#include "modules/optics/lensbench/LensBenchRules.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kaleno::lensbench {

namespace {

// A vertex dragged onto the rim's own column would make the circle's centre infinitely
// far: it is nudged into a very flat surface instead.
double offRim(double x, double rim) { return std::abs(x - rim) < 1e-6 ? x + 0.01 : x; }

const std::array<const char *, kMessageCount> kMessages = {
    "Modification des rayons : cliquez sur l'image avec le bouton droit ou gauche de la souris",
    "Rotation des rayons en cours : déplacez la souris sans relâcher le bouton droit",
    "Modification de la courbure du premier dioptre en cours : déplacer la souris sans "
    "relâcher le bouton gauche",
    "Modification de la courbure du second dioptre en cours : déplacer la souris sans "
    "relâcher le bouton gauche",
    "Modification de l'épaisseur de la lentille : cliquez sur la poignée clignotante",
    "Modification de la hauteur de la lentille : cliquez sur la poignée clignotante",
    "Translation du rayon en cours : déplacez la souris sans relâcher le bouton gauche",
    "Modification de la courbure de l'un des dioptres : cliquez sur une poignée clignotante",
    "Modification de l'épaisseur de la lentille en cours : déplacez la souris sans relâcher "
    "le bouton gauche",
    "Modification de la hauteur de la lentille en cours : déplacez la souris sans relâcher "
    "le bouton gauche",
};

const std::array<const char *, 7> kBeamKinds = {" Faisceau parallèle", " Faisceau divergent",
    " Faisceau peu divergent", " Faisceau très divergent", " Faisceau convergent",
    " Faisceau peu convergent", " Faisceau très convergent"};

const std::array<const char *, 3> kBeamWidths
    = {" Faisceau fin", " Faisceau moyen", " Faisceau large"};

} // namespace

Surface LimitRadius(double radius, SurfaceKind kind, double h)
{
    if (radius > kPlaneRadius)
        return {kPlaneRadius, SurfaceKind::Plane};
    if (!(radius > h + kRadiusMargin))
        return {h + kRadiusMargin, kind};
    return {radius, kind};
}

Surface FirstSurfaceThrough(double x, bool rightOfRim, double e, double h)
{
    x = offRim(x, -e);
    if (!rightOfRim)
        return LimitRadius(
            std::abs((x * x - e * e - h * h) * 0.5 / (e + x) - x), SurfaceKind::Convex, h);
    return LimitRadius(
        std::abs((e * e + h * h - x * x) * 0.5 / (e + x) + x), SurfaceKind::Concave, h);
}

Surface SecondSurfaceThrough(double x, bool rightOfRim, double e, double h)
{
    x = offRim(x, e);
    if (!rightOfRim)
        return LimitRadius(
            std::abs((x * x - e * e - h * h) * 0.5 / (x - e) - x), SurfaceKind::Concave, h);
    return LimitRadius(
        std::abs((e * e + h * h - x * x) * 0.5 / (x - e) + x), SurfaceKind::Convex, h);
}

double ThicknessAt(int column, const ViewTransform &view)
{
    const double e = std::max(0, column - view.x0) / view.scale;
    if (e > kMaxThickness)
        return kMaxThickness;
    return e < 1e-6 ? kThinnest : e;
}

double HeightAt(int row, const ViewTransform &view, double r1, double r2)
{
    double h = std::max(0, view.y0 - row) / view.scale;
    const double smaller = std::min(r1, r2);
    if (h >= smaller)
        h = smaller - kRadiusMargin;
    return std::clamp(h, kMinHeight, kMaxHeight);
}

CentralRay TranslatedRay(double slope, double x, double y) { return {slope, y - slope * x}; }

CentralRay RotatedRay(double x, double y)
{
    return {std::clamp(y / x, -kMaxRotationSlope, kMaxRotationSlope), 0};
}

bool NearHandle(int x, int y, int hx, int hy)
{
    return std::abs(x - hx) < kNearPixels && std::abs(y - hy) < kNearPixels;
}

QString StatusMessage(int index)
{
    if (index < 0 || index >= kMessageCount)
        return {};
    return QString::fromUtf8(kMessages[static_cast<std::size_t>(index)]);
}

QString RayCountItem(int count)
{
    return QStringLiteral(" %1 rayon%2 lumineux")
        .arg(count)
        .arg(count == 1 ? QString() : QStringLiteral("s"));
}

QString BeamKindItem(int kind)
{
    if (kind < 0 || kind >= int(kBeamKinds.size()))
        return {};
    return QString::fromUtf8(kBeamKinds[static_cast<std::size_t>(kind)]);
}

QString BeamWidthItem(int width)
{
    if (width < 0 || width >= int(kBeamWidths.size()))
        return {};
    return QString::fromUtf8(kBeamWidths[static_cast<std::size_t>(width)]);
}

} // namespace kaleno::lensbench
