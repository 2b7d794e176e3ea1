// The thick-lens bench: one lens of two spherical or plane surfaces joined by a flat rim,
// a beam of rays, and each ray traced through the lens by Snell's law (glass 1.5, air 1).
// Lengths are centimetres in a section through the axis; x runs with the light, y up.
#pragma once

#include "modules/optics/lens/LensGeometry.h"

#include <QString>

#include <array>
#include <cstdint>
#include <span>

namespace kaleno {

struct LensDef;

enum class SurfaceKind : uint8_t { Plane = 0, Convex = 1, Concave = 2 };

// "Plan", "Convexe" or "Concave"; an unknown code reads as a plane.
QString SurfaceKindWord(SurfaceKind kind);

// Where the drawing puts the bench: W × H pixels, always 40 cm wide, centred on the lens.
struct ViewTransform {
    int x0 = 295;
    int y0 = 104;
    double scale = 0.025 * 591; // pixels per centimetre

    // A drawing of width × height pixels (at least one pixel each way).
    static ViewTransform ForSize(int width, int height);

    // Rounded half to even, and held inside the int range.
    int Column(double x) const;
    int Row(double y) const;
    double WorldX(int column) const;
    double WorldY(int row) const;
};

// The working lens. e is half the rim's length (the rim edges run from (−e, ±h) to
// (e, ±h)), h half its height; the rest is derived by ComputeLens.
struct CurrentLens {
    double e = 0.01;
    double h = 6;
    double r1 = 20;
    double r2 = 20;
    SurfaceKind kind1 = SurfaceKind::Convex;
    SurfaceKind kind2 = SurfaceKind::Convex;

    WorldPoint topLeft, topRight, bottomLeft, bottomRight;
    double c1 = 0; // x of the centre of each curved surface's circle
    double c2 = 0;
    double start1 = 0, end1 = 0; // arcs, radians counter-clockwise around the centre
    double start2 = 0, end2 = 0;
    int vx1 = 0; // pixel columns of the vertices
    int vx2 = 0;
    std::array<QString, 7> text;
};

// The beam: its central ray y = slope·x + intercept, kind 0..6 (parallel, divergent,
// slightly, very divergent, convergent, slightly, very convergent), width 0..2 (narrow,
// medium, wide), and count rays, 1..kMaxRays.
struct Beam {
    double slope = 0.6;
    double intercept = 8.0;
    int kind = 0;
    int width = 1;
    int count = 3;
};

inline constexpr int kMaxRays = 600;

// One ray: its incoming line, then the polyline P0 (start), P1 (first surface or where
// it stopped), P2 (second surface or stop), P3 (end). A stopped ray repeats its last point.
struct RayPath {
    double slope = 0;
    double intercept = 0;
    std::array<WorldPoint, 4> p;
};

// The record's thousandths of a centimetre as a lens, not yet computed. A curved or plane
// surface needs a radius larger than the height: a smaller one (a hand-edited settings
// file) is raised to h + 0.1, as the bench's own controls do.
CurrentLens LoadLens(const LensDef &record);
// Lens index of lenses, counted from 1 (lenses[0] is lens 1: pass the table's records
// 1..NbLens). An index past either end is taken as the nearest lens; an empty list gives
// the anonymous lens.
CurrentLens LoadLens(std::span<const LensDef> lenses, int index);
// The lens as a table record: lengths × 1000, rounded half to even.
LensDef ToLensDef(const CurrentLens &lens, const QString &name);

// Completes the lens for view: corners, circles, arcs and vertex columns, widening the
// rim by 0.05 cm at a time until the vertices are at least 2 pixels apart; then the
// seven lines of text that describe it.
void ComputeLens(CurrentLens &lens, const ViewTransform &view);

// Slopes and intercepts of rays[1..count] (rays[0] is unused); count is held to
// 1..kMaxRays, kind to 0..6 and width to 0..2. Returns the count used.
int GenerateBeam(const Beam &beam, double h, std::span<RayPath, kMaxRays + 1> rays);

// P0..P3 of one ray, whose slope and intercept are set, through a computed lens.
void TraceRay(const CurrentLens &lens, RayPath &ray);

// The bench's state: the lens, the beam, the traced rays and the view. The window that
// shows the bench owns one, rather than the program holding them as globals (the only
// process-wide state is the settings and the current image), so that tests build as many
// benches as they like, each with its own lens, and no window is needed to trace rays.
class LensModel {
public:
    CurrentLens lens;
    Beam beam;
    std::array<RayPath, kMaxRays + 1> rays {}; // 1..rayCount
    ViewTransform view;
    int rayCount = 0;

    void LoadLens(const LensDef &record) { lens = kaleno::LoadLens(record); }
    void LoadLens(std::span<const LensDef> lenses, int index)
    {
        lens = kaleno::LoadLens(lenses, index);
    }
    void ComputeLens() { kaleno::ComputeLens(lens, view); }
    void GenerateBeam() { rayCount = kaleno::GenerateBeam(beam, lens.h, rays); }
    // The beam, then every ray through the lens.
    void TraceRays();
    // Rays 1..rayCount of the last trace.
    std::span<const RayPath> Rays() const { return std::span(rays).subspan(1, rayCount); }
};

} // namespace kaleno
