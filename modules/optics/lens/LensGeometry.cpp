#include "modules/optics/lens/LensGeometry.h"

#include <cmath>
#include <numbers>

namespace kaleno {

namespace {
constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr double kSegmentTolerance = 1e-6;
} // namespace

QuadraticRoots SolveQuadratic(double a, double b, double c)
{
    const double discriminant = b * b - 4 * a * c;
    if (discriminant < 0)
        return {};
    if (discriminant == 0) {
        const double root = -b / (2 * a);
        return {1, root, root};
    }
    const double squareRoot = std::sqrt(discriminant);
    return {2, (-b - squareRoot) / (2 * a), (-b + squareRoot) / (2 * a)};
}

double PolarAngle(double y, double x)
{
    const double angle = std::atan2(y, x);
    return angle < 0 ? angle + kTwoPi : angle;
}

double NormalizeAngle(double angle)
{
    if (angle < 0)
        return angle + kTwoPi;
    if (angle > kTwoPi)
        return angle - kTwoPi;
    return angle;
}

bool AngleInArc(double angle, double start, double end)
{
    angle = NormalizeAngle(angle);
    start = NormalizeAngle(start);
    end = NormalizeAngle(end);
    if (end >= start)
        return start < angle && angle < end;
    return (angle >= 0 && angle < end) || (angle < kTwoPi && angle > start);
}

double Distance(WorldPoint p, WorldPoint q) { return std::hypot(q.x - p.x, q.y - p.y); }

bool PointOnSegment(WorldPoint p, WorldPoint a, WorldPoint b)
{
    const auto near = [](WorldPoint u, WorldPoint v) {
        return std::abs(u.x - v.x) < kSegmentTolerance && std::abs(u.y - v.y) < kSegmentTolerance;
    };
    if (near(a, b))
        return near(p, a);
    if (near(p, a) || near(p, b))
        return true;
    // A vertical segment has no slope: it is never a ray segment here (IntersectSegments
    // tilts those), and a point off its ends is taken as off it.
    if (std::abs(b.x - a.x) < kSegmentTolerance)
        return false;
    const double slope = (b.y - a.y) / (b.x - a.x);
    const double intercept = a.y - slope * a.x;
    const WorldPoint middle {(a.x + b.x) / 2, (a.y + b.y) / 2};
    return std::abs(slope * p.x + intercept - p.y) < kSegmentTolerance
        && Distance(p, middle) < Distance(a, b) / 2;
}

std::optional<WorldPoint> IntersectSegments(WorldPoint a, WorldPoint b, WorldPoint c, WorldPoint d)
{
    if (std::abs(b.x - a.x) < kSegmentTolerance)
        b.x += 0.01;
    double slope1 = (b.y - a.y) / (b.x - a.x);
    const double intercept1 = a.y - slope1 * a.x;
    const double slope2 = (d.y - c.y) / (d.x - c.x);
    if (slope2 == slope1)
        slope1 += 1e-5;
    const double intercept2 = c.y - slope2 * c.x;
    const double x = -(intercept2 - intercept1) / (slope2 - slope1);
    const WorldPoint crossing {x, slope1 * x + intercept1};
    if (PointOnSegment(crossing, a, b) && PointOnSegment(crossing, c, d))
        return crossing;
    return std::nullopt;
}

double MinOf(double a, double b) { return a < b ? a : b; }

} // namespace kaleno
