// The thick-lens model: its geometry routines, the lens and beam it builds, and rays
// traced through it checked against optics worked out by hand (Snell's law, thick-lens
// focal points with n = 1.5).
#include "modules/optics/lens/LensModel.h"
#include "shell/Settings.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>
#include <numbers>

using namespace kaleno;

Q_DECLARE_METATYPE(kaleno::WorldPoint)

namespace kaleno {
// How QCOMPARE shows a point.
char *toString(const WorldPoint &p)
{
    return QTest::toString(QStringLiteral("(%1, %2)").arg(p.x, 0, 'g', 17).arg(p.y, 0, 'g', 17));
}
} // namespace kaleno

namespace {

constexpr double kPi = std::numbers::pi;
const double kCriticalAngle = std::asin(1 / 1.5);

// The drawing of the window at its design size, 591 × 208 pixels.
const ViewTransform kView = ViewTransform::ForSize(591, 208);

CurrentLens defaultLens(int number)
{
    CurrentLens lens = LoadLens(kDefaultLenses, number);
    ComputeLens(lens, kView);
    return lens;
}

RayPath trace(const CurrentLens &lens, double slope, double intercept)
{
    RayPath ray;
    ray.slope = slope;
    ray.intercept = intercept;
    TraceRay(lens, ray);
    return ray;
}

// Where the line of the outgoing ray P2–P3 crosses the axis (behind the lens for a real
// focus, in front of it for a virtual one).
double axisCrossing(const RayPath &ray)
{
    const double slope = (ray.p[3].y - ray.p[2].y) / (ray.p[3].x - ray.p[2].x);
    return ray.p[2].x - ray.p[2].y / slope;
}

// Angle in radians between the direction from → to and the line through the point `at`
// and the circle centre (centre, 0), folded into 0..π/2.
double angleToNormal(WorldPoint from, WorldPoint to, WorldPoint at, double centre)
{
    const double ray = std::atan2(to.y - from.y, to.x - from.x);
    const double normal = std::atan2(at.y, at.x - centre);
    const double angle = std::abs(std::remainder(ray - normal, kPi));
    return std::min(angle, kPi - angle);
}

bool finitePoint(WorldPoint p) { return std::isfinite(p.x) && std::isfinite(p.y); }

} // namespace

class TestLensModel : public QObject {
    Q_OBJECT

private slots:
    void solveQuadratic_data();
    void solveQuadratic();
    void angleInArc_data();
    void angleInArc();
    void intersectSegments_data();
    void intersectSegments();
    void viewTransform();

    void loadLens();
    void loadLensRaisesTooSmallRadius_data();
    void loadLensRaisesTooSmallRadius();
    void vertices_data();
    void vertices();
    void parameterText();
    void widening_data();
    void widening();

    void singleRayIsCentral_data();
    void singleRayIsCentral();
    void beamLayout_data();
    void beamLayout();
    void divergentAndConvergentBeamsShareAPoint_data();
    void divergentAndConvergentBeamsShareAPoint();

    void biconvexParallelBeam();
    void paraxialFocus_data();
    void paraxialFocus();
    void divergingLensSpreadsTheBeam_data();
    void divergingLensSpreadsTheBeam();
    void plateShiftsWithoutTurning_data();
    void plateShiftsWithoutTurning();
    void stops_data();
    void stops();
    void steepRayInThickPlateEndsOnExitFace();
    void totalInternalReflection();
    void everyPointIsFinite();
};

void TestLensModel::solveQuadratic_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("c");
    QTest::addColumn<int>("count");
    QTest::addColumn<double>("root1");
    QTest::addColumn<double>("root2");

    QTest::newRow("two roots, smaller first") << 1.0 << -3.0 << 2.0 << 2 << 1.0 << 2.0;
    QTest::newRow("scaled") << 2.0 << 2.0 << -4.0 << 2 << -2.0 << 1.0;
    QTest::newRow("double root") << 1.0 << -2.0 << 1.0 << 1 << 1.0 << 1.0;
    QTest::newRow("no real root") << 1.0 << 0.0 << 1.0 << 0 << 0.0 << 0.0;
}

void TestLensModel::solveQuadratic()
{
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, c);
    QFETCH(int, count);

    const QuadraticRoots roots = SolveQuadratic(a, b, c);
    QCOMPARE(roots.count, count);
    if (count > 0) {
        QTEST(roots.root1, "root1");
        QTEST(roots.root2, "root2");
    }
}

void TestLensModel::angleInArc_data()
{
    QTest::addColumn<double>("angle");
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("end");
    QTest::addColumn<bool>("inside");

    // A left-facing arc, 3π/4..5π/4, and a right-facing one, −π/4..π/4, which crosses 0.
    QTest::newRow("left arc, middle") << kPi << 3 * kPi / 4 << 5 * kPi / 4 << true;
    QTest::newRow("left arc, start excluded") << 3 * kPi / 4 << 3 * kPi / 4 << 5 * kPi / 4 << false;
    QTest::newRow("left arc, outside") << 0.1 << 3 * kPi / 4 << 5 * kPi / 4 << false;
    QTest::newRow("right arc, zero") << 0.0 << -kPi / 4 << kPi / 4 << true;
    QTest::newRow("right arc, below axis") << -0.5 << -kPi / 4 << kPi / 4 << true;
    QTest::newRow("right arc, below axis as polar angle")
        << PolarAngle(-1, 2) << -kPi / 4 << kPi / 4 << true;
    QTest::newRow("right arc, end excluded") << kPi / 4 << -kPi / 4 << kPi / 4 << false;
    QTest::newRow("right arc, outside") << kPi << -kPi / 4 << kPi / 4 << false;
}

void TestLensModel::angleInArc()
{
    QFETCH(double, angle);
    QFETCH(double, start);
    QFETCH(double, end);

    QTEST(AngleInArc(angle, start, end), "inside");
}

void TestLensModel::intersectSegments_data()
{
    QTest::addColumn<WorldPoint>("a");
    QTest::addColumn<WorldPoint>("b");
    QTest::addColumn<bool>("hit");
    QTest::addColumn<WorldPoint>("point");

    // Against the rim from (−1, 2) to (1, 2).
    QTest::newRow("crossing") << WorldPoint {-2, 0} << WorldPoint {2, 4} << true
                              << WorldPoint {0, 2};
    QTest::newRow("crossing at the corner")
        << WorldPoint {-3, 0} << WorldPoint {1, 4} << true << WorldPoint {-1, 2};
    QTest::newRow("line crosses beyond the rim")
        << WorldPoint {0, 0} << WorldPoint {4, 4} << false << WorldPoint {};
    QTest::newRow("segment ends short of the rim")
        << WorldPoint {-2, 0} << WorldPoint {-1, 1} << false << WorldPoint {};
    QTest::newRow("parallel above")
        << WorldPoint {-3, 3} << WorldPoint {3, 3} << false << WorldPoint {};
    // A vertical ray is tilted 0.01 to the right, which moves the crossing 0.005 along.
    QTest::newRow("vertical ray, tilted")
        << WorldPoint {0, 0} << WorldPoint {0, 4} << true << WorldPoint {0.005, 2};
}

void TestLensModel::intersectSegments()
{
    QFETCH(WorldPoint, a);
    QFETCH(WorldPoint, b);
    QFETCH(bool, hit);

    const auto crossing = IntersectSegments(a, b, {-1, 2}, {1, 2});
    QCOMPARE(crossing.has_value(), hit);
    if (hit) {
        QFETCH(WorldPoint, point);
        QCOMPARE(crossing->x + 1, point.x + 1);
        QCOMPARE(crossing->y, point.y);
    }
}

void TestLensModel::viewTransform()
{
    // 40 pixels wide: one pixel per centimetre, so halves fall exactly between columns.
    const ViewTransform view = ViewTransform::ForSize(40, 31);
    QCOMPARE(view.x0, 20);
    QCOMPARE(view.y0, 15);
    QCOMPARE(view.scale, 1.0);
    QCOMPARE(view.Column(0.5), 20); // 20.5, half to even
    QCOMPARE(view.Column(1.5), 22);
    QCOMPARE(view.Column(-0.5), 20);
    QCOMPARE(view.Row(2.5), 12); // 12.5
    QCOMPARE(view.WorldX(25), 5.0);
    QCOMPARE(view.WorldY(20), -5.0);

    const ViewTransform wide = ViewTransform::ForSize(800, 600);
    QCOMPARE(wide.Column(20), 800);
    QCOMPARE(wide.Row(-15), 600);
}

void TestLensModel::loadLens()
{
    const CurrentLens lens = LoadLens(kDefaultLenses, 1);
    QCOMPARE(lens.e, 0.01);
    QCOMPARE(lens.h, 6.0);
    QCOMPARE(lens.r1, 8.93);
    QCOMPARE(lens.r2, 8.93);
    QCOMPARE(lens.kind1, SurfaceKind::Convex);
    QCOMPARE(lens.kind2, SurfaceKind::Convex);

    const CurrentLens meniscus = LoadLens(kDefaultLenses, 5);
    QCOMPARE(meniscus.kind1, SurfaceKind::Convex);
    QCOMPARE(meniscus.kind2, SurfaceKind::Concave);
    QCOMPARE(LoadLens(kDefaultLenses, 10).kind2, SurfaceKind::Plane);

    // Indexes past the ends take the nearest lens.
    QCOMPARE(LoadLens(kDefaultLenses, 0).r1, 8.93);
    QCOMPARE(LoadLens(kDefaultLenses, 11).e, 6.0);

    // And back: thousandths, rounded half to even (62.5 and 187.5 are exact in binary).
    CurrentLens edited = lens;
    edited.e = 0.0625;
    edited.h = 0.1875;
    const LensDef record = ToLensDef(edited, QStringLiteral("Essai"));
    QCOMPARE(record.Ep, 62);
    QCOMPARE(record.Hau, 188);
    QCOMPARE(record.Ra1, 8930);
    QCOMPARE(record.Ty2, uint8_t(1));
    QCOMPARE(ToLensDef(LoadLens(kDefaultLenses[6]), kDefaultLenses[6].No), kDefaultLenses[6]);
}

void TestLensModel::loadLensRaisesTooSmallRadius_data()
{
    QTest::addColumn<int>("radius");
    QTest::addColumn<double>("loaded");

    QTest::newRow("smaller than the height") << 5000 << 6.1;
    QTest::newRow("equal to the height") << 6000 << 6.1;
    QTest::newRow("just larger, kept") << 6001 << 6.001;
}

void TestLensModel::loadLensRaisesTooSmallRadius()
{
    QFETCH(int, radius);
    QFETCH(double, loaded);

    const LensDef record {QStringLiteral("Main"), 500, 6000, radius, radius, 1, 2};
    CurrentLens lens = LoadLens(record);
    QCOMPARE(lens.r1, loaded);
    QCOMPARE(lens.r2, loaded);
    ComputeLens(lens, kView);
    QVERIFY(std::isfinite(lens.c1) && std::isfinite(lens.c2));
    QVERIFY(std::isfinite(lens.start1) && std::isfinite(lens.end2));
}

void TestLensModel::vertices_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<double>("vertex1");
    QTest::addColumn<double>("vertex2");

    // Sagitta s = r − √(r² − h²) beyond the rim (convex) or inside it (concave).
    QTest::newRow("biconvexe 1") << 1 << -2.3260 << 2.3260; // 0.01 + 2.3160
    QTest::newRow("biconvexe 2") << 2 << -1.2623 << 1.2623; // 0.01 + 1.2523
    QTest::newRow("biconcave 1") << 3 << -1.3834 << 1.3834; // 3.71 − 2.3266
    QTest::newRow("biconcave 2") << 4 << -2.4577 << 2.4577; // 3.71 − 1.2523
    QTest::newRow("ménisque 1") << 5 << -2.4266 << -1.5077; // sagittas 2.3266, 1.6077
    QTest::newRow("ménisque 2") << 6 << -4.3266 << 0.3923;
    QTest::newRow("quasi-sphérique") << 7 << -5.6700 << 5.6700; // 0.67 + 5.0
    QTest::newRow("lame épaisse") << 10 << -6.0 << 6.0;
}

void TestLensModel::vertices()
{
    QFETCH(int, number);
    QFETCH(double, vertex1);
    QFETCH(double, vertex2);

    const CurrentLens lens = defaultLens(number);
    // Within a pixel of the hand-worked vertex (the table holds four decimals).
    QVERIFY2(std::abs(lens.vx1 - (vertex1 * kView.scale + kView.x0)) <= 0.51,
        qPrintable(QString::number(lens.vx1)));
    QVERIFY2(std::abs(lens.vx2 - (vertex2 * kView.scale + kView.x0)) <= 0.51,
        qPrintable(QString::number(lens.vx2)));
    // Every curved surface passes through its corners.
    if (lens.kind1 != SurfaceKind::Plane)
        QVERIFY(qFuzzyCompare(std::hypot(-lens.e - lens.c1, lens.h), lens.r1));
    if (lens.kind2 != SurfaceKind::Plane)
        QVERIFY(qFuzzyCompare(std::hypot(lens.e - lens.c2, lens.h), lens.r2));
}

void TestLensModel::parameterText()
{
    const CurrentLens lens = defaultLens(6);
    const std::array<QString, 7> expected = {QStringLiteral("Paramètres de la lentille :"),
        QStringLiteral("Epaisseur : 2,00 cm"), QStringLiteral("Hauteur : 6,00 cm"),
        QStringLiteral("Rayon n°1 : 8,90 cm"), QStringLiteral("Rayon n°2 : 12,00 cm"),
        QStringLiteral("Dioptre n°1 : Convexe"), QStringLiteral("Dioptre n°2 : Concave")};
    QCOMPARE(lens.text, expected);
    QCOMPARE(defaultLens(10).text[5], QStringLiteral("Dioptre n°1 : Plan"));
    QCOMPARE(defaultLens(1).text[1], QStringLiteral("Epaisseur : 0,01 cm"));
}

void TestLensModel::widening_data()
{
    QTest::addColumn<int>("viewWidth");
    QTest::addColumn<int>("thickness");
    QTest::addColumn<double>("widened");
    QTest::addColumn<QString>("line");

    // 100 pixels: 2.5 pixels per cm around column 50. Plane faces at ±e reach columns 49
    // and 51 first at e = 0.201 (50 ± 0.5025); 0.151 still rounds both to 50.
    QTest::newRow("two plane faces, small view") << 100 << 1 << 0.201 << "Epaisseur : 0,20 cm";
    // 591 pixels: 14.775 per cm; e = 0.051 gives columns 294 and 296.
    QTest::newRow("two plane faces, design view") << 591 << 1 << 0.051 << "Epaisseur : 0,05 cm";
    QTest::newRow("thick enough, unchanged") << 591 << 500 << 0.5 << "Epaisseur : 0,50 cm";
    QTest::newRow("no thickness") << 591 << 0 << 0.06 << "Epaisseur : 0,06 cm";
}

void TestLensModel::widening()
{
    QFETCH(int, viewWidth);
    QFETCH(int, thickness);
    QFETCH(double, widened);
    QFETCH(QString, line);

    const ViewTransform view = ViewTransform::ForSize(viewWidth, 100);
    CurrentLens lens
        = LoadLens(LensDef {QStringLiteral("Plaque"), thickness, 6000, 100000, 100000, 0, 0});
    ComputeLens(lens, view);
    QVERIFY2(std::abs(lens.e - widened) < 1e-9, qPrintable(QString::number(lens.e, 'g', 17)));
    QVERIFY(lens.vx2 - lens.vx1 >= 2);
    QCOMPARE(lens.text[1], line);
    QCOMPARE(lens.topRight, (WorldPoint {lens.e, 6}));
}

void TestLensModel::singleRayIsCentral_data()
{
    QTest::addColumn<int>("kind");
    for (int kind = 0; kind <= 6; ++kind)
        QTest::addRow("kind %d", kind) << kind;
}

void TestLensModel::singleRayIsCentral()
{
    QFETCH(int, kind);

    LensModel model;
    model.beam = Beam {0.3, -2.5, kind, 2, 1};
    model.GenerateBeam();
    QCOMPARE(model.Rays().size(), std::size_t(1));
    QCOMPARE(model.Rays()[0].slope, 0.3);
    QCOMPARE(model.Rays()[0].intercept, -2.5);
}

void TestLensModel::beamLayout_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("width");
    QTest::addColumn<QList<double>>("offsets");

    // h = 6: spacing h / count × 0.5, 1 or 2; the middle ray is count div 2 + 1.
    QTest::newRow("4 rays, medium: −2d, −d, 0, +d") << 4 << 1 << QList<double> {-3, -1.5, 0, 1.5};
    QTest::newRow("4 rays, narrow") << 4 << 0 << QList<double> {-1.5, -0.75, 0, 0.75};
    QTest::newRow("3 rays, wide") << 3 << 2 << QList<double> {-4, 0, 4};
    QTest::newRow("count held to 1") << 0 << 1 << QList<double> {0};
}

void TestLensModel::beamLayout()
{
    QFETCH(int, count);
    QFETCH(int, width);
    QFETCH(QList<double>, offsets);

    LensModel model;
    model.LoadLens(kDefaultLenses, 1);
    model.beam = Beam {0.25, 1, 0, width, count};
    model.GenerateBeam();
    QCOMPARE(model.Rays().size(), std::size_t(offsets.size()));
    for (qsizetype i = 0; i < offsets.size(); ++i) {
        QCOMPARE(model.Rays()[i].slope, 0.25);
        QCOMPARE(model.Rays()[i].intercept, 1 + offsets[i]);
    }

    model.beam.count = 5000;
    model.GenerateBeam();
    QCOMPARE(model.Rays().size(), std::size_t(kMaxRays));
}

void TestLensModel::divergentAndConvergentBeamsShareAPoint_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("count");
    QTest::addColumn<double>("meetingX");

    // Ray i has (m − i)·d more intercept and (i − m)·k / count more slope, so every ray
    // passes through x = d·count / k: with h = 6, medium width, d·count = 6.
    QTest::newRow("divergent") << 1 << 3 << -30.0;
    QTest::newRow("slightly divergent") << 2 << 7 << -60.0;
    QTest::newRow("very divergent") << 3 << 600 << -15.0;
    QTest::newRow("convergent") << 4 << 10 << 30.0;
    QTest::newRow("slightly convergent") << 5 << 5 << 60.0;
    QTest::newRow("very convergent") << 6 << 20 << 15.0;
}

void TestLensModel::divergentAndConvergentBeamsShareAPoint()
{
    QFETCH(int, kind);
    QFETCH(int, count);
    QFETCH(double, meetingX);

    LensModel model;
    model.LoadLens(kDefaultLenses, 1);
    model.beam = Beam {0.1, 2, kind, 1, count};
    model.GenerateBeam();
    const double meetingY = 0.1 * meetingX + 2;
    for (const RayPath &ray : model.Rays())
        QVERIFY(std::abs(ray.slope * meetingX + ray.intercept - meetingY) < 1e-9);
    // The first ray is the highest at the lens, and climbs more steeply when divergent.
    const RayPath &first = model.Rays().front();
    const RayPath &last = model.Rays().back();
    QVERIFY(first.intercept > last.intercept);
    QCOMPARE(first.slope > last.slope, kind <= 3);
}

void TestLensModel::biconvexParallelBeam()
{
    LensModel model;
    model.LoadLens(kDefaultLenses, 1);
    model.ComputeLens();
    model.beam = Beam {0, 0, 0, 1, 3};
    model.TraceRays();
    const auto rays = model.Rays();
    QCOMPARE(rays.size(), std::size_t(3));

    const RayPath &central = rays[1];
    for (const WorldPoint &p : central.p)
        QCOMPARE(p.y, 0.0);
    QCOMPARE(central.p[3].x, 50.0);

    // The rays 2 cm off the axis converge: they cross it behind the lens, and, by the
    // spherical aberration of a biconvex lens, short of the paraxial focus (x = 10.41).
    for (const int i : {0, 2}) {
        const RayPath &ray = rays[i];
        QCOMPARE(std::abs(ray.p[0].y), 2.0);
        QVERIFY(std::abs(ray.p[3].y) > 0);
        QVERIFY(std::signbit(ray.p[3].y) != std::signbit(ray.p[0].y));
        const double crossing = axisCrossing(ray);
        QVERIFY2(crossing > 2.326 && crossing < 10.41, qPrintable(QString::number(crossing)));
    }
    QCOMPARE(axisCrossing(rays[0]), axisCrossing(rays[2]));
}

void TestLensModel::paraxialFocus_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<double>("backVertex");
    QTest::addColumn<double>("backFocalDistance");

    // Thick lens, n = 1.5, signed radii (R > 0 when the centre is to the right), d the
    // distance between the vertices:
    //   1/f = (n − 1)(1/R1 − 1/R2 + (n − 1)d / (n R1 R2)),  BFD = f (1 − (n − 1)d / (n R1)).
    // Biconvexe 1: R 8.93, −8.93, d 4.6520: f 9.7791, BFD 8.0809.
    QTest::newRow("biconvexe 1") << 1 << 2.3260 << 8.0809;
    // Biconvexe 2: R 15, −15, d 2.5245: f 15.4329.
    QTest::newRow("biconvexe 2") << 2 << 1.2623 << 14.5671;
    // Ménisque 1: R 8.9, 12, d 0.9189: f 62.7075.
    QTest::newRow("ménisque 1") << 5 << -1.5077 << 60.5494;
    // Ménisque 2: R 8.9, 12, d 4.7189: f 45.7098.
    QTest::newRow("ménisque 2") << 6 << 0.3923 << 37.6312;
    // Quasi-sphérique: R 6.1, −6.1, d 11.34: f 8.8385.
    QTest::newRow("quasi-sphérique") << 7 << 5.6700 << 3.3615;
    // Diverging lenses: a virtual focus in front of the back vertex.
    // Biconcave 1: R −8.9, 8.9, d 2.7669: f −8.4616.
    QTest::newRow("biconcave 1") << 3 << 1.3834 << -9.3384;
    // Biconcave 2: R −15, 15, d 4.9155: f −14.2232.
    QTest::newRow("biconcave 2") << 4 << 2.4577 << -15.7768;
}

void TestLensModel::paraxialFocus()
{
    QFETCH(int, number);
    QFETCH(double, backVertex);
    QFETCH(double, backFocalDistance);

    const CurrentLens lens = defaultLens(number);
    for (const double height : {-0.5, -0.2, 0.1, 0.25, 0.5}) {
        const RayPath ray = trace(lens, 0, height);
        QVERIFY(ray.p[3] != ray.p[2]);
        const double distance = axisCrossing(ray) - backVertex;
        QVERIFY2(std::abs(distance - backFocalDistance) <= 0.02 * std::abs(backFocalDistance),
            qPrintable(QStringLiteral("height %1: %2").arg(height).arg(distance)));
    }
}

void TestLensModel::divergingLensSpreadsTheBeam_data()
{
    QTest::addColumn<int>("number");
    QTest::newRow("biconcave 1") << 3;
    QTest::newRow("biconcave 2") << 4;
}

void TestLensModel::divergingLensSpreadsTheBeam()
{
    QFETCH(int, number);

    LensModel model;
    model.LoadLens(kDefaultLenses, number);
    model.ComputeLens();
    model.beam = Beam {0, 0, 0, 1, 7};
    model.TraceRays();
    for (const RayPath &ray : model.Rays()) {
        if (ray.intercept == 0)
            continue;
        QCOMPARE(ray.p[3].x, 50.0);
        // Leaves the lens farther from the axis than it entered, and keeps moving away.
        QVERIFY(std::abs(ray.p[2].y) > std::abs(ray.intercept));
        QVERIFY(std::abs(ray.p[3].y) > std::abs(ray.p[2].y));
        QCOMPARE(std::signbit(ray.p[3].y), std::signbit(ray.intercept));
    }
}

void TestLensModel::plateShiftsWithoutTurning_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<double>("slope");
    QTest::addColumn<double>("intercept");

    QTest::newRow("lame mince, rising") << 8 << 0.5 << -1.0;
    QTest::newRow("lame moyenne, falling") << 9 << -0.3 << -1.0;
    QTest::newRow("lame épaisse, steep") << 10 << 1.2 << 2.0;
}

void TestLensModel::plateShiftsWithoutTurning()
{
    QFETCH(int, number);
    QFETCH(double, slope);
    QFETCH(double, intercept);

    const CurrentLens lens = defaultLens(number);
    const RayPath ray = trace(lens, slope, intercept);
    // Inside, sin θ' = sin θ / 1.5; the ray leaves parallel to the way it came.
    const double inside = std::asin(std::sin(std::atan(slope)) / 1.5);
    QCOMPARE(ray.p[1].x, -lens.e);
    QCOMPARE(ray.p[2].x, lens.e);
    QVERIFY(qFuzzyCompare(ray.p[2].y - ray.p[1].y, 2 * lens.e * std::tan(inside)));
    QVERIFY(qFuzzyCompare((ray.p[3].y - ray.p[2].y) / (ray.p[3].x - ray.p[2].x), slope));
}

void TestLensModel::stops_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<double>("slope");
    QTest::addColumn<double>("intercept");
    QTest::addColumn<WorldPoint>("end");

    // Biconvexe 1 is 12 cm high: a ray 10 cm above the axis passes over it.
    QTest::newRow("passes above") << 1 << 0.0 << 10.0 << WorldPoint {20, 10};
    QTest::newRow("passes below, rising") << 1 << 0.5 << -10.0 << WorldPoint {20, 0};
    // Lame épaisse, rim at y = 8 from x = −6 to 6: y = 8 − x is above the face at x = −6
    // (y = 14) and meets the rim at x = 0.
    QTest::newRow("lands on the top rim") << 10 << -1.0 << 8.0 << WorldPoint {0, 8};
    QTest::newRow("lands on the bottom rim") << 10 << 1.0 << -8.0 << WorldPoint {0, -8};
}

void TestLensModel::stops()
{
    QFETCH(int, number);
    QFETCH(double, slope);
    QFETCH(double, intercept);
    QFETCH(WorldPoint, end);

    const RayPath ray = trace(defaultLens(number), slope, intercept);
    QCOMPARE(ray.p[0].x, -30.0);
    QCOMPARE(ray.p[0].y, slope * -30 + intercept);
    for (int i = 1; i < 4; ++i) {
        QVERIFY2(std::abs(ray.p[i].x - end.x) < 1e-6 && std::abs(ray.p[i].y - end.y) < 1e-6,
            qPrintable(QStringLiteral("P%1 (%2, %3)").arg(i).arg(ray.p[i].x).arg(ray.p[i].y)));
    }
}

void TestLensModel::steepRayInThickPlateEndsOnExitFace()
{
    // Slope 20 (87.1°) enters the face x = −6 at y = −5 and runs inside at
    // asin(sin 87.1° / 1.5) = 41.75°, within 0.06° of the critical angle 41.81°: it meets
    // the exit face at y = −5 + 12 × tan 41.75° = 5.709 and would leave it grazing.
    const CurrentLens lens = defaultLens(10);
    const RayPath ray = trace(lens, 20, 115);
    QVERIFY(std::abs(ray.p[1].y + 5) < 1e-9);
    QCOMPARE(ray.p[2].x, 6.0);
    QVERIFY(std::abs(ray.p[2].y - 5.709) < 1e-3);
    const double inside = std::atan((ray.p[2].y - ray.p[1].y) / (ray.p[2].x - ray.p[1].x));
    QVERIFY(inside < kCriticalAngle && inside > kCriticalAngle - 0.002);
    QCOMPARE(ray.p[3], ray.p[2]);

    // A less steep ray leaves by the same face.
    QVERIFY(trace(lens, 10, 55).p[3].x == 50);
}

void TestLensModel::totalInternalReflection()
{
    // In "Quasi-Sphérique" the two spheres have different centres (±0.43), so a ray can
    // meet the second surface more obliquely than it entered the first. This one meets
    // it beyond the critical angle and stops there. The second circle: centre x
    // 0.67 − √(6.1² − 6²) = −0.43, radius 6.1.
    const CurrentLens lens = defaultLens(7);
    const RayPath ray = trace(lens, -0.95, -8);
    QVERIFY(ray.p[2] != ray.p[1]);
    QVERIFY(std::abs(std::hypot(ray.p[2].x + 0.43, ray.p[2].y) - 6.1) < 1e-9);
    QVERIFY(std::abs(ray.p[2].y) < 6);
    const double incidence = angleToNormal(ray.p[1], ray.p[2], ray.p[2], -0.43);
    QVERIFY2(incidence > kCriticalAngle, qPrintable(QString::number(incidence)));
    QCOMPARE(ray.p[3], ray.p[2]);

    // Snell at the entry: sin(incidence outside) = 1.5 sin(angle inside).
    const double outside = angleToNormal({-30, ray.p[0].y}, ray.p[1], ray.p[1], 0.43);
    const double refracted = angleToNormal(ray.p[1], ray.p[2], ray.p[1], 0.43);
    QVERIFY(qFuzzyCompare(std::sin(outside), 1.5 * std::sin(refracted)));
}

void TestLensModel::everyPointIsFinite()
{
    QRandomGenerator random(20261210);
    const auto uniform = [&random](double low, double high) {
        return low + (high - low) * random.generateDouble();
    };
    for (int round = 0; round < 300; ++round) {
        LensModel model;
        model.view = ViewTransform::ForSize(random.bounded(1, 2000), random.bounded(1, 1200));
        model.LoadLens(LensDef {QString(), random.bounded(-100, 60000), random.bounded(0, 25000),
            random.bounded(-1000, 150000), random.bounded(-1000, 150000),
            uint8_t(random.bounded(4)), uint8_t(random.bounded(4))});
        model.ComputeLens();
        model.beam = Beam {uniform(-4, 4), uniform(-25, 25), random.bounded(7), random.bounded(3),
            kRayCounts[random.bounded(int(kRayCounts.size()))]};
        model.TraceRays();
        for (const RayPath &ray : model.Rays()) {
            for (const WorldPoint &p : ray.p) {
                QVERIFY2(finitePoint(p),
                    qPrintable(QStringLiteral("round %1, slope %2, intercept %3")
                                   .arg(round)
                                   .arg(ray.slope)
                                   .arg(ray.intercept)));
            }
        }
    }
}

QTEST_GUILESS_MAIN(TestLensModel)
#include "tst_lensmodel.moc"
