#include "modules/optics/lens/LensModel.h"

#include "shell/Settings.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>
#include <optional>

namespace kaleno {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kGlassIndex = 1.5;
constexpr double kRayStartX = -30;
constexpr double kMissEndX = 20; // a ray that misses the lens
constexpr double kNoExitEndX = 200; // a ray that finds no way out of the glass
constexpr double kOutgoingEndX = 50; // a ray that leaves the lens
constexpr double kWideningStep = 0.05;

// Rounded half to even (the default rounding mode), held inside the int range.
int roundToInt(double value)
{
    if (std::isnan(value))
        return 0;
    const double rounded = std::nearbyint(value);
    if (rounded <= double(INT_MIN))
        return INT_MIN;
    if (rounded >= double(INT_MAX))
        return INT_MAX;
    return static_cast<int>(rounded);
}

SurfaceKind kindFromCode(uint8_t code)
{
    return code <= 2 ? static_cast<SurfaceKind>(code) : SurfaceKind::Plane;
}

// A sphere no larger than the rim's height cannot pass through its corners.
double drawableRadius(double radius, double h) { return radius > h ? radius : h + 0.1; }

QString lengthText(double value)
{
    return QString::number(value, 'f', 2).rightJustified(2, u' ').replace(u'.', u',');
}

std::optional<WorldPoint> rimHit(const CurrentLens &lens, WorldPoint from, WorldPoint to)
{
    const auto top = IntersectSegments(from, to, lens.topLeft, lens.topRight);
    const auto bottom = IntersectSegments(from, to, lens.bottomLeft, lens.bottomRight);
    if (top && bottom)
        return Distance(from, *top) >= Distance(from, *bottom) ? bottom : top;
    return top ? top : bottom;
}

QuadraticRoots circleCrossings(double slope, double intercept, double centre, double radius)
{
    return SolveQuadratic(slope * slope + 1, 2 * slope * intercept - 2 * centre,
        intercept * intercept + centre * centre - radius * radius);
}

WorldPoint pointOnLine(double slope, double intercept, double x)
{
    return {x, slope * x + intercept};
}

bool finite(double value) { return std::isfinite(value); }

} // namespace

QString SurfaceKindWord(SurfaceKind kind)
{
    switch (kind) {
    case SurfaceKind::Convex:
        return QStringLiteral("Convexe");
    case SurfaceKind::Concave:
        return QStringLiteral("Concave");
    case SurfaceKind::Plane:
        break;
    }
    return QStringLiteral("Plan");
}

ViewTransform ViewTransform::ForSize(int width, int height)
{
    width = std::max(width, 1);
    height = std::max(height, 1);
    return {width / 2, height / 2, 0.025 * width};
}

int ViewTransform::Column(double x) const { return roundToInt(x * scale + x0); }

int ViewTransform::Row(double y) const { return roundToInt(y0 - y * scale); }

double ViewTransform::WorldX(int column) const { return (column - x0) / scale; }

double ViewTransform::WorldY(int row) const { return (y0 - row) / scale; }

CurrentLens LoadLens(const LensDef &record)
{
    CurrentLens lens;
    lens.e = record.Ep * 0.001;
    lens.h = record.Hau * 0.001;
    lens.r1 = drawableRadius(record.Ra1 * 0.001, lens.h);
    lens.r2 = drawableRadius(record.Ra2 * 0.001, lens.h);
    lens.kind1 = kindFromCode(record.Ty1);
    lens.kind2 = kindFromCode(record.Ty2);
    return lens;
}

CurrentLens LoadLens(std::span<const LensDef> lenses, int index)
{
    if (lenses.empty())
        return LoadLens(AnonymousLens());
    const auto last = static_cast<int>(lenses.size());
    return LoadLens(lenses[std::clamp(index, 1, last) - 1]);
}

LensDef ToLensDef(const CurrentLens &lens, const QString &name)
{
    return {name, roundToInt(lens.e * 1000), roundToInt(lens.h * 1000), roundToInt(lens.r1 * 1000),
        roundToInt(lens.r2 * 1000), static_cast<uint8_t>(lens.kind1),
        static_cast<uint8_t>(lens.kind2)};
}

void ComputeLens(CurrentLens &lens, const ViewTransform &view)
{
    lens.h = std::max(lens.h, 0.0);
    lens.r1 = drawableRadius(lens.r1, lens.h);
    lens.r2 = drawableRadius(lens.r2, lens.h);
    const double h = lens.h;
    const double angle1 = std::asin(h / lens.r1);
    const double angle2 = std::asin(h / lens.r2);

    // Each pass widens the rim by 0.05 cm; a view too small for 2 pixels to mean anything
    // (no drawing yet) would otherwise widen it without end.
    const bool widen = view.scale >= 0.01 && std::isfinite(view.scale);
    for (int pass = 0;; ++pass) {
        if (pass > 0)
            lens.e += kWideningStep;
        if (!(lens.e >= 1e-6))
            lens.e = 0.01;
        const double e = lens.e;
        lens.topLeft = {-e, h};
        lens.topRight = {e, h};
        lens.bottomLeft = {-e, -h};
        lens.bottomRight = {e, -h};

        // The centres on the axis of the circles of radius r through a corner (x, h).
        const QuadraticRoots centres1 = SolveQuadratic(1, 2 * e, e * e + h * h - lens.r1 * lens.r1);
        const QuadraticRoots centres2
            = SolveQuadratic(1, -2 * e, e * e + h * h - lens.r2 * lens.r2);
        double vertex1 = -e;
        switch (lens.kind1) {
        case SurfaceKind::Convex: // faces left: centre right of the corner
            lens.c1 = centres1.root2;
            lens.start1 = kPi - angle1;
            lens.end1 = 2 * kPi - lens.start1;
            vertex1 = lens.c1 - lens.r1;
            break;
        case SurfaceKind::Concave: // faces right
            lens.c1 = centres1.root1;
            lens.start1 = -angle1;
            lens.end1 = angle1;
            vertex1 = lens.c1 + lens.r1;
            break;
        case SurfaceKind::Plane:
            lens.c1 = lens.start1 = lens.end1 = 0;
            break;
        }
        double vertex2 = e;
        switch (lens.kind2) {
        case SurfaceKind::Convex: // faces right
            lens.c2 = centres2.root1;
            lens.start2 = -angle2;
            lens.end2 = angle2;
            vertex2 = lens.c2 + lens.r2;
            break;
        case SurfaceKind::Concave: // faces left
            lens.c2 = centres2.root2;
            lens.start2 = kPi - angle2;
            lens.end2 = 2 * kPi - lens.start2;
            vertex2 = lens.c2 - lens.r2;
            break;
        case SurfaceKind::Plane:
            lens.c2 = lens.start2 = lens.end2 = 0;
            break;
        }
        lens.vx1 = view.Column(vertex1);
        lens.vx2 = view.Column(vertex2);
        if (!widen || lens.vx2 - 2 >= lens.vx1)
            break;
    }

    lens.text = {QStringLiteral("Paramètres de la lentille :"),
        QStringLiteral("Epaisseur : ") + lengthText(lens.e) + QStringLiteral(" cm"),
        QStringLiteral("Hauteur : ") + lengthText(lens.h) + QStringLiteral(" cm"),
        QStringLiteral("Rayon n°1 : ") + lengthText(lens.r1) + QStringLiteral(" cm"),
        QStringLiteral("Rayon n°2 : ") + lengthText(lens.r2) + QStringLiteral(" cm"),
        QStringLiteral("Dioptre n°1 : ") + SurfaceKindWord(lens.kind1),
        QStringLiteral("Dioptre n°2 : ") + SurfaceKindWord(lens.kind2)};
}

int GenerateBeam(const Beam &beam, double h, std::span<RayPath, kMaxRays + 1> rays)
{
    static constexpr double kWidthFactor[3] = {0.5, 1, 2};
    // Angular step per ray of the divergent (negative) and convergent kinds 1..6.
    static constexpr double kAngularStep[7] = {0, -0.2, -0.1, -0.4, 0.2, 0.1, 0.4};
    const int count = std::clamp(beam.count, 1, kMaxRays);
    const int kind = std::clamp(beam.kind, 0, 6);
    const double spacing = h / count * kWidthFactor[std::clamp(beam.width, 0, 2)];
    const int middle = count / 2 + 1;
    const double step = kAngularStep[kind] / count;
    for (int i = 1; i <= count; ++i) {
        RayPath &ray = rays[i];
        if (kind == 0) {
            ray.slope = beam.slope;
            ray.intercept = beam.intercept + (i - middle) * spacing;
        } else {
            // Ray `middle` is the central ray; those above it start higher and, in a
            // divergent beam, climb more steeply.
            ray.slope = beam.slope + (i - middle) * step;
            ray.intercept = beam.intercept + (middle - i) * spacing;
        }
    }
    return count;
}

void TraceRay(const CurrentLens &lens, RayPath &ray)
{
    const double a = ray.slope;
    const double b = ray.intercept;
    auto &p = ray.p;
    const auto stopAt = [&p](int from, WorldPoint where) {
        for (int i = from; i < 4; ++i)
            p[i] = where;
    };

    p[0] = pointOnLine(a, b, kRayStartX);

    std::optional<WorldPoint> entry;
    if (lens.kind1 == SurfaceKind::Plane) {
        const WorldPoint hit = pointOnLine(a, b, -lens.e);
        if (-lens.h < hit.y && hit.y < lens.h)
            entry = hit;
    } else {
        // A line that only touches the circle does not enter the glass.
        const QuadraticRoots roots = circleCrossings(a, b, lens.c1, lens.r1);
        if (roots.count == 2) {
            for (const double x : {roots.root1, roots.root2}) {
                const WorldPoint hit = pointOnLine(a, b, x);
                if (AngleInArc(PolarAngle(hit.y, x - lens.c1), lens.start1, lens.end1)) {
                    entry = hit;
                    break;
                }
            }
        }
    }
    bool stopped = !entry;
    stopAt(1, entry ? *entry : pointOnLine(a, b, kMissEndX));

    if (const auto rim = rimHit(lens, p[0], p[1])) {
        stopAt(1, *rim);
        stopped = true;
    }

    // The outside of the second surface, met before the first surface or the rim.
    if (lens.kind2 != SurfaceKind::Plane) {
        const QuadraticRoots roots = circleCrossings(a, b, lens.c2, lens.r2);
        std::optional<WorldPoint> candidates[2];
        for (int i = 0; i < std::min(roots.count, 2); ++i) {
            const WorldPoint hit = pointOnLine(a, b, i == 0 ? roots.root1 : roots.root2);
            if (AngleInArc(PolarAngle(hit.y, hit.x - lens.c2), lens.start2, lens.end2)
                && hit.x <= p[1].x)
                candidates[i] = hit;
        }
        std::optional<WorldPoint> back = candidates[0] ? candidates[0] : candidates[1];
        if (candidates[0] && candidates[1]
            && Distance(p[0], *candidates[0]) >= Distance(p[0], *candidates[1]))
            back = candidates[1];
        if (back) {
            stopAt(1, *back);
            stopped = true;
        }
    }
    if (stopped)
        return;

    // Into the glass at P1: θ is the angle from the normal to the ray.
    const WorldPoint in = p[1];
    const double m = lens.kind1 == SurfaceKind::Plane ? 0 : in.y / (in.x - lens.c1);
    const double theta = std::atan2(a - m, 1 + a * m);
    const double rho = -std::asin(std::sin(theta) / kGlassIndex);
    const double insideSlope = (m - std::tan(rho)) / (1 + m * std::tan(rho));
    const double insideIntercept = in.y - insideSlope * in.x;
    // A ray refracted straight up or down has no slope: it is drawn up to the surface.
    if (!finite(insideSlope) || !finite(insideIntercept)) {
        stopAt(2, in);
        return;
    }

    std::optional<WorldPoint> exit;
    if (lens.kind2 == SurfaceKind::Plane) {
        const WorldPoint hit = pointOnLine(insideSlope, insideIntercept, lens.e);
        if (-lens.h < hit.y && hit.y < lens.h)
            exit = hit;
    } else {
        const QuadraticRoots roots
            = circleCrossings(insideSlope, insideIntercept, lens.c2, lens.r2);
        if (roots.count > 0) {
            const auto inArc = [&lens](WorldPoint q) {
                return AngleInArc(PolarAngle(q.y, q.x - lens.c2), lens.start2, lens.end2);
            };
            const WorldPoint first = pointOnLine(insideSlope, insideIntercept, roots.root1);
            const WorldPoint second = pointOnLine(insideSlope, insideIntercept, roots.root2);
            if (inArc(first) && std::abs(first.y) < lens.h)
                exit = first;
            else if (inArc(second))
                exit = second;
        }
    }
    stopped = !exit;
    stopAt(2, exit ? *exit : pointOnLine(insideSlope, insideIntercept, kNoExitEndX));

    if (const auto rim = rimHit(lens, p[1], p[2])) {
        stopAt(2, *rim);
        stopped = true;
    }
    if (stopped)
        return;

    // Out into the air at P2: here θ2 runs from the ray to the normal.
    const WorldPoint out = p[2];
    const double m2 = lens.kind2 == SurfaceKind::Plane ? 0 : out.y / (out.x - lens.c2);
    const double theta2 = std::atan2(m2 - insideSlope, 1 + m2 * insideSlope);
    const double sine = kGlassIndex * std::sin(theta2);
    if (std::abs(sine) > 1) { // total internal reflection: the ray is not followed further
        p[3] = out;
        return;
    }
    double outSlope = 0;
    switch (lens.kind2) {
    case SurfaceKind::Plane: {
        const double alpha = std::atan2(insideSlope, 1);
        const double r = std::asin(std::clamp(kGlassIndex * std::sin(alpha), -1.0, 1.0));
        // Within a few tenths of a degree of the critical angle the light that leaves
        // grazes the face: it is not drawn.
        if (std::abs(r) >= 1.5) {
            p[3] = out;
            return;
        }
        outSlope = std::tan(r);
        break;
    }
    case SurfaceKind::Convex: {
        const double r = std::asin(sine);
        const double normal = std::atan2(out.y, out.x - lens.c2);
        if (std::abs(r - normal) > 1.53) {
            p[3] = out;
            return;
        }
        outSlope = (m2 - std::tan(r)) / (1 + m2 * std::tan(r));
        break;
    }
    case SurfaceKind::Concave: {
        const double r = std::asin(sine);
        outSlope = (m2 - std::tan(r)) / (1 + m2 * std::tan(r));
        break;
    }
    }
    const double outIntercept = out.y - outSlope * out.x;
    if (!finite(outSlope) || !finite(outIntercept)) {
        p[3] = out;
        return;
    }
    p[3] = pointOnLine(outSlope, outIntercept, kOutgoingEndX);
}

void LensModel::TraceRays()
{
    GenerateBeam();
    for (int i = 1; i <= rayCount; ++i)
        TraceRay(lens, rays[i]);
}

} // namespace kaleno
