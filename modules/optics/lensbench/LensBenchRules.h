// The arithmetic of the thick-lens bench's mouse: a surface reshaped through a dragged
// vertex, the thickness and height under the pointer, the beam moved or turned, and the
// texts of the window's lists and status line.
#pragma once

#include "modules/optics/lens/LensModel.h"

#include <QString>

namespace kaleno::lensbench {

// Beyond this radius (cm) a surface is drawn plane; below h + kRadiusMargin it cannot meet
// the rim's corners.
inline constexpr double kPlaneRadius = 100;
inline constexpr double kRadiusMargin = 0.1;
inline constexpr double kMaxThickness = 50;
inline constexpr double kThinnest = 0.01;
inline constexpr double kMinHeight = 2;
inline constexpr double kMaxHeight = 20;
inline constexpr double kMaxRotationSlope = 1;
inline constexpr double kInitialSlope = 0.6;
inline constexpr double kInitialIntercept = 8.0;
// A handle is caught by a click strictly within this many pixels of it, both ways.
inline constexpr int kNearPixels = 6;
// A dragged vertex stays at least this many pixels from the other one.
inline constexpr int kMinVertexGap = 2;
inline constexpr int kMessageCount = 10;

struct Surface {
    double radius = kPlaneRadius;
    SurfaceKind kind = SurfaceKind::Plane;
};

// The first surface through its vertex (x, 0) and the corners (−e, ±h): convex while the
// vertex is not right of the rim, concave beyond it; then held by LimitRadius.
Surface FirstSurfaceThrough(double x, bool rightOfRim, double e, double h);
// The second surface through (x, 0) and (e, ±h): concave while the vertex is not right of
// the rim, convex beyond it; then held by LimitRadius.
Surface SecondSurfaceThrough(double x, bool rightOfRim, double e, double h);
// A radius above kPlaneRadius makes the surface plane, of that radius; one not above
// h + kRadiusMargin is raised to it.
Surface LimitRadius(double radius, SurfaceKind kind, double h);

// The rim's half-width for the pointer at this column: nothing left of the centre
// (kThinnest), at most kMaxThickness.
double ThicknessAt(int column, const ViewTransform &view);
// The half-height for the pointer at this row: kept below the smaller radius by
// kRadiusMargin, then within kMinHeight..kMaxHeight.
double HeightAt(int row, const ViewTransform &view, double r1, double r2);

struct CentralRay {
    double slope = kInitialSlope;
    double intercept = kInitialIntercept;
};
// The central ray moved, keeping its slope, to pass through (x, y).
CentralRay TranslatedRay(double slope, double x, double y);
// The central ray turned about the lens centre to pass through (x, y), x < 0; its slope
// is held within ±kMaxRotationSlope.
CentralRay RotatedRay(double x, double y);

// Whether (x, y) is strictly within kNearPixels of the handle at (hx, hy), both ways.
bool NearHandle(int x, int y, int hx, int hy);

// Status line message 0..kMessageCount − 1; an index outside gives an empty text.
QString StatusMessage(int index);
// " 1 rayon lumineux", " 3 rayons lumineux", ...
QString RayCountItem(int count);
// The beam kinds 0..6 and widths 0..2 as their list items, with their leading blank.
QString BeamKindItem(int kind);
QString BeamWidthItem(int width);

} // namespace kaleno::lensbench
