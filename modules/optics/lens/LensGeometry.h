// Plane geometry of the optics bench: roots, angles around a circle's centre, segments.
// Tolerances and nudges are part of the results: the ray tracer relies on them.
#pragma once

#include <optional>

namespace kaleno {

// A point of the bench, in centimetres (x along the axis, y up).
struct WorldPoint {
    double x = 0;
    double y = 0;

    friend bool operator==(const WorldPoint &, const WorldPoint &) = default;
};

// The real roots of a·t² + b·t + c = 0: count 0, 1 (both roots equal) or 2. With a > 0,
// root1 is the smaller.
struct QuadraticRoots {
    int count = 0;
    double root1 = 0;
    double root2 = 0;
};

QuadraticRoots SolveQuadratic(double a, double b, double c);

// ArcTan2(y, x) in [0, 2π).
double PolarAngle(double y, double x);
// One turn added to a negative angle, or taken from one above 2π.
double NormalizeAngle(double angle);
// Whether angle lies strictly inside the arc running counter-clockwise from start to end;
// an arc whose end is below its start crosses angle 0.
bool AngleInArc(double angle, double start, double end);

double Distance(WorldPoint p, WorldPoint q);
// Within 1e-6 of the segment a–b (a degenerate segment is a point).
bool PointOnSegment(WorldPoint p, WorldPoint a, WorldPoint b);
// Where the ray segment a–b crosses the rim segment c–d, which must not be vertical. A
// vertical ray segment is tilted by moving b 0.01 to the right, and parallel lines by
// steepening the ray by 1e-5, so that a crossing point always exists.
std::optional<WorldPoint> IntersectSegments(WorldPoint a, WorldPoint b, WorldPoint c, WorldPoint d);

double MinOf(double a, double b);

} // namespace kaleno
