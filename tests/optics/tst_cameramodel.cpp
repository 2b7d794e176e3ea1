// The camera model: thin-lens optics, depth of focus, clamps, rays through the diaphragm,
// the view mapping, and the object's colour ramp and colour bar. Expected values are worked
// out by hand from 1/f = 1/p + 1/p' and the drawing's scales.
#include "modules/optics/camera/CameraModel.h"

#include <QTest>

#include <cmath>

using namespace kaleno;

namespace {

constexpr double kConfusion = 3e-5;

// A camera of focal length f on a W x H drawing, the object p metres before the lens.
CameraState CameraAt(double f, double objectDistance, int width = 600, int height = 400)
{
    CameraState state;
    CameraFocalSetup(state, f, width, height);
    SetObjectX(state, state.lensX - objectDistance);
    ComputeCameraOptics(state, kConfusion);
    return state;
}

bool Close(double actual, double expected, double tolerance = 1e-12)
{
    return std::abs(actual - expected) <= tolerance * std::max(1.0, std::abs(expected));
}

} // namespace

class TestCameraModel : public QObject {
    Q_OBJECT

private slots:
    void focalSetup_data();
    void focalSetup();
    void thinLens_data();
    void thinLens();
    void objectClamp_data();
    void objectClamp();
    void objectDrag_data();
    void objectDrag();
    void filmClamp_data();
    void filmClamp();
    void depthOfFocus_data();
    void depthOfFocus();
    void raysThroughTheDiaphragm_data();
    void raysThroughTheDiaphragm();
    void centralRayIsNotDeviated();
    void viewMapping();
    void viewFilmSideWidthLimited();
    void viewRoundTrip_data();
    void viewRoundTrip();
    void colourRamp_data();
    void colourRamp();
    void colourBar_data();
    void colourBar();
    void apertureScale_data();
    void apertureScale();
};

void TestCameraModel::focalSetup_data()
{
    QTest::addColumn<int>("objective");
    QTest::addColumn<double>("f");
    QTest::newRow("28 mm") << 0 << 0.028;
    QTest::newRow("35 mm") << 1 << 0.035;
    QTest::newRow("50 mm") << 2 << 0.05;
    // The list labels this objective 90 mm; the program has always computed it at 80 mm.
    QTest::newRow("90 mm item is 0.08 m") << 3 << 0.08;
    QTest::newRow("135 mm") << 4 << 0.135;
}

void TestCameraModel::focalSetup()
{
    QFETCH(int, objective);
    QFETCH(double, f);
    QCOMPARE(kFocalLengths[std::size_t(objective)], f);
    CameraState state;
    state.objectX = 0.1;
    state.filmX = 99;
    CameraFocalSetup(state, kFocalLengths[std::size_t(objective)], 600, 400);
    // The lens at 150 f, the object back at 100 f before it, the film on the focal plane.
    QVERIFY(Close(state.lensX, 150 * f));
    QVERIFY(Close(state.objectX, 50 * f));
    QVERIFY(Close(state.filmX, 151 * f));
    QVERIFY(Close(state.lensHalf, f / 2));
}

void TestCameraModel::thinLens_data()
{
    QTest::addColumn<double>("f");
    QTest::addColumn<double>("p");
    QTest::addColumn<double>("imageDistance");
    QTest::addColumn<double>("gamma");
    // 1/p' = 1/f - 1/p, worked as fractions.
    // 1/p' = 20 - 0.2 = 19.8 = 99/5.
    QTest::newRow("50 mm at 100 f") << 0.05 << 5.0 << 5.0 / 99 << 1.0 / 99;
    // 1/p' = 200/7 - 40/7 = 160/7.
    QTest::newRow("35 mm at 5 f") << 0.035 << 0.175 << 7.0 / 160 << 0.25;
    // 1/p' = 12.5 - 1.25 = 45/4.
    QTest::newRow("80 mm at 10 f") << 0.08 << 0.8 << 4.0 / 45 << 1.0 / 9;
    // 1/p' = (150 - 1) / 4.2.
    QTest::newRow("28 mm at 150 f") << 0.028 << 4.2 << 4.2 / 149 << 1.0 / 149;
}

void TestCameraModel::thinLens()
{
    QFETCH(double, f);
    QFETCH(double, p);
    QFETCH(double, imageDistance);
    QFETCH(double, gamma);
    const CameraState state = CameraAt(f, p);
    QVERIFY(Close(state.lensX - state.objectX, p));
    QVERIFY2(Close(state.imageX - state.lensX, imageDistance),
        qPrintable(QString::number(state.imageX - state.lensX, 'g', 17)));
    QVERIFY(Close(1 / p + 1 / (state.imageX - state.lensX), 1 / f, 1e-12));
    QVERIFY(Close(state.gamma, gamma));
    QVERIFY(Close(ImageHalf(state), gamma / 2));
}

void TestCameraModel::objectClamp_data()
{
    QTest::addColumn<double>("focals"); // requested distance to the lens, in focal lengths
    QTest::addColumn<double>("expected");
    QTest::newRow("far side stays") << 60.0 << 60.0;
    QTest::newRow("at the limit") << 5.0 << 5.0;
    QTest::newRow("nearer stops at 5 f") << 2.0 << 5.0;
    QTest::newRow("past the lens stops at 5 f") << -3.0 << 5.0;
    QTest::newRow("beyond the left edge stops at x = 0") << 170.0 << 150.0;
}

void TestCameraModel::objectClamp()
{
    QFETCH(double, focals);
    QFETCH(double, expected);
    CameraState state;
    CameraFocalSetup(state, 0.05, 600, 400);
    SetObjectX(state, state.lensX - focals * state.f);
    QVERIFY(Close(state.lensX - state.objectX, expected * state.f));
    ComputeCameraOptics(state, kConfusion);
    if (expected == 5.0) {
        // At 5 f the image forms 1.25 f behind the lens, a quarter of the object's size.
        QVERIFY(Close(state.imageX - state.lensX, 1.25 * state.f));
        QVERIFY(Close(state.gamma, 0.25));
    }
}

void TestCameraModel::objectDrag_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<double>("focals"); // resulting distance to the lens
    // W 600, H 400, f 0.035: objScale = 600 / 10.5 px/m, so one focal length is 2 px; the
    // lens picture is 15 px half-wide, and the object keeps 30 px (15 f) clear of the lens.
    QTest::newRow("in the open") << 100 << 100.0;
    QTest::newRow("at the lens picture's guard") << 270 << 15.0;
    QTest::newRow("onto the lens picture") << 290 << 15.0;
    QTest::newRow("past the lens") << 400 << 15.0;
    QTest::newRow("off the left edge") << -50 << 150.0;
}

void TestCameraModel::objectDrag()
{
    QFETCH(int, column);
    QFETCH(double, focals);
    CameraState state;
    CameraFocalSetup(state, 0.035, 600, 400);
    QCOMPARE(state.lensHalfPx, 15);
    MoveObjectToColumn(state, column);
    QVERIFY(Close(state.lensX - state.objectX, focals * state.f, 1e-9));
}

void TestCameraModel::filmClamp_data()
{
    QTest::addColumn<int>("columnOffset"); // from the lens column
    QTest::addColumn<double>("expectedOffset"); // film distance behind the lens, metres
    // W 600, H 400, f 0.035: imgScale = 400 / 0.084 pixels per metre.
    QTest::newRow("behind the lens") << 100 << 100 * 0.084 / 400;
    QTest::newRow("on the lens") << 0 << 0.0;
    QTest::newRow("dragged before the lens stops on it") << -40 << 0.0;
}

void TestCameraModel::filmClamp()
{
    QFETCH(int, columnOffset);
    QFETCH(double, expectedOffset);
    CameraState state;
    CameraFocalSetup(state, 0.035, 600, 400);
    MoveFilmToColumn(state, state.lensColumn + columnOffset);
    QVERIFY(Close(state.filmX - state.lensX, expectedOffset, 1e-9));
    SetFilmX(state, state.lensX - 1);
    QCOMPARE(state.filmX, state.lensX);
}

void TestCameraModel::depthOfFocus_data()
{
    QTest::addColumn<int>("apertureIndex");
    QTest::addColumn<double>("fNumber");
    QTest::newRow("f/2") << 1 << 2.0;
    QTest::newRow("f/5.6") << 4 << 5.6;
    QTest::newRow("f/16") << 7 << 16.0;
}

void TestCameraModel::depthOfFocus()
{
    QFETCH(int, apertureIndex);
    QFETCH(double, fNumber);
    CameraState state;
    CameraFocalSetup(state, 0.05, 600, 400);
    SetCameraAperture(state, apertureIndex);
    ComputeCameraOptics(state, kConfusion);
    QCOMPARE(state.fNumber, fNumber);
    // Each side is Confusion * N, whatever the object's distance.
    const double half = kConfusion * fNumber;
    QVERIFY(Close(state.farX - state.imageX, half, 1e-9));
    QVERIFY(Close(state.imageX - state.nearX, half, 1e-9));

    AutoFocus(state);
    QVERIFY(FilmInFocus(state));
    SetFilmX(state, state.imageX + 0.95 * half);
    QVERIFY(FilmInFocus(state));
    SetFilmX(state, state.imageX - 0.95 * half);
    QVERIFY(FilmInFocus(state));
    SetFilmX(state, state.imageX + 1.05 * half);
    QVERIFY(!FilmInFocus(state));
    SetFilmX(state, state.imageX - 1.05 * half);
    QVERIFY(!FilmInFocus(state));
}

void TestCameraModel::raysThroughTheDiaphragm_data()
{
    QTest::addColumn<int>("rayIndex");
    QTest::addColumn<int>("apertureIndex");
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("passing");
    // At f/2 the diaphragm (1.01 f / 2) is a hair wider than the lens: every ray passes.
    QTest::newRow("10 rays f/2") << 0 << 1 << 10 << 10;
    // 10 rays: lens heights -f/2, -f/4, 0, f/4, f/2 from each end; at f/16 the opening is
    // 1.01 f / 16 < f/4, so only the two central rays pass.
    QTest::newRow("10 rays f/16") << 0 << 7 << 10 << 2;
    // 20 rays: heights -f/2 + k f/9; at f/4 the opening is 0.2525 f: |k/9 - 1/2| <= 0.2525
    // for k = 3..6, four rays from each end.
    QTest::newRow("20 rays f/4") << 1 << 3 << 20 << 8;
    QTest::newRow("200 rays f/2") << 5 << 1 << 200 << 200;
}

void TestCameraModel::raysThroughTheDiaphragm()
{
    QFETCH(int, rayIndex);
    QFETCH(int, apertureIndex);
    QFETCH(int, total);
    QFETCH(int, passing);
    CameraState state;
    SetCameraRayIndex(state, rayIndex);
    CameraFocalSetup(state, 0.035, 600, 400);
    SetCameraAperture(state, apertureIndex);
    ComputeCameraOptics(state, kConfusion);
    const std::vector<CameraRay> rays = TraceCameraRays(state);
    QCOMPARE(int(rays.size()), total);
    int passed = 0;
    for (int i = 0; i < total; ++i) {
        const CameraRay &ray = rays[std::size_t(i)];
        const bool fromTop = i < total / 2;
        QCOMPARE(ray.object.x, state.objectX);
        QCOMPARE(ray.object.y, fromTop ? kObjectHalf : -kObjectHalf);
        QCOMPARE(ray.lens.x, state.lensX);
        QVERIFY(std::abs(ray.lens.y) <= state.lensHalf * (1 + 1e-12));
        if (ray.stopped) {
            QCOMPARE(ray.end, ray.lens);
        } else {
            ++passed;
            // Every ray from one point of the object meets at its image point.
            QCOMPARE(ray.end.x, state.imageX);
            QVERIFY(Close(ray.end.y, fromTop ? -state.gamma / 2 : state.gamma / 2));
        }
    }
    QCOMPARE(passed, passing);
}

void TestCameraModel::centralRayIsNotDeviated()
{
    // The ray through the centre of a thin lens goes straight on: the image of the object's
    // top lies on the line from the top through the lens centre.
    CameraState state = CameraAt(0.05, 1.0);
    SetCameraRayIndex(state, 0);
    const std::vector<CameraRay> rays = TraceCameraRays(state);
    const CameraRay &central = rays[2];
    QCOMPARE(central.lens.y, 0.0);
    const double slopeIn
        = (central.lens.y - central.object.y) / (central.lens.x - central.object.x);
    const double slopeOut = (central.end.y - central.lens.y) / (central.end.x - central.lens.x);
    QVERIFY(Close(slopeIn, slopeOut, 1e-12));
}

void TestCameraModel::viewMapping()
{
    CameraState state;
    CameraFocalSetup(state, 0.035, 600, 400);
    QCOMPARE(state.lensColumn, 300);
    QCOMPARE(state.axisRow, 200);
    // objScale = 600 / 10.5 = 57.142857 px/m; imgScale = min(600 / 0.077, 400 / 0.084)
    // = 4761.905 px/m (the height limits it).
    QVERIFY(Close(state.objScale, 600 / 10.5));
    QVERIFY(Close(state.imgScale, 400 / 0.084));
    // Object 3.5 m before the lens: 200 px left of it. Film 0.035 m behind: 166.67 px.
    QCOMPARE(ColumnOfX(state, state.objectX), 100);
    QCOMPARE(ColumnOfX(state, state.filmX), 467);
    QCOMPARE(ColumnOfX(state, state.lensX), 300);
    // The object's top: 200 - 28.57; the film's top: 200 - 57.14.
    QCOMPARE(ObjectSideRow(state, kObjectHalf), 171);
    QCOMPARE(FilmSideRow(state, kFilmHalf), 143);
    QCOMPARE(FilmSideRow(state, -kFilmHalf), 257);
    // Sizes: P = 57.14, S = 114.29, lens picture half-width 83.33 / 5.45 = 15.29.
    QCOMPARE(state.previewSide, 57);
    QCOMPARE(state.filmSide, 114);
    QCOMPARE(state.lensHalfPx, 15);
    QCOMPARE(FilmBufferSide(400), 118);
    // Back from pixels: a column 100 left of the lens is 1.75 m before it; a row 50 above
    // the axis is 0.875 m up on the object side and 0.0105 m on the film side.
    QVERIFY(Close(LensDistanceOfColumn(state, 200), -1.75));
    QVERIFY(Close(HeightOfRow(state, 150, 200), 0.875));
    QVERIFY(Close(HeightOfRow(state, 150, 400), 0.0105));
    // The object bar is 57 px high around the axis; the film 114.
    QVERIFY(PointerOverObject(state, 105, 172));
    QVERIFY(!PointerOverObject(state, 106, 200));
    QVERIFY(!PointerOverObject(state, 100, 171));
    QVERIFY(PointerOverFilm(state, 462, 144));
    QVERIFY(!PointerOverFilm(state, 461, 200));
}

void TestCameraModel::viewFilmSideWidthLimited()
{
    // In a tall drawing the film side shows 1.1 focal lengths: the right edge column.
    CameraState state;
    CameraFocalSetup(state, 0.035, 600, 1000);
    QVERIFY(Close(state.imgScale, 600 / 0.077));
    QCOMPARE(ColumnOfX(state, state.lensX + 1.1 * state.f), 600);
    // ...and the object side 150 focal lengths: x = 0 is column 0.
    QCOMPARE(ColumnOfX(state, 0), 0);
}

void TestCameraModel::viewRoundTrip_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("column");
    QTest::newRow("object side") << 600 << 37;
    QTest::newRow("just left of the lens") << 600 << 299;
    QTest::newRow("lens column") << 600 << 300;
    QTest::newRow("film side") << 600 << 555;
    // An odd width: the lens column is W div 2 on both sides of the mapping.
    QTest::newRow("odd width, lens column") << 611 << 305;
    QTest::newRow("odd width, object side") << 611 << 304;
    QTest::newRow("odd width, film side") << 611 << 306;
}

void TestCameraModel::viewRoundTrip()
{
    QFETCH(int, width);
    QFETCH(int, column);
    CameraState state;
    CameraFocalSetup(state, 0.05, width, 400);
    QCOMPARE(ColumnOfX(state, XOfColumn(state, column)), column);
}

void TestCameraModel::colourRamp_data()
{
    QTest::addColumn<uint>("colour1");
    QTest::addColumn<uint>("colour2");
    QTest::addColumn<uint>("ramp1");
    QTest::addColumn<uint>("ramp7");
    // Default object: green 112 -> 255, step 143 div 8 = 17: 129, ..., 231, then 255.
    QTest::newRow("default greens") << 0x007000u << 0x00FF00u << 0x008100u << 0x00E700u;
    // TColor (R 255, G 0, B 9) -> (R 0, G 255, B 0): steps -31 (towards zero, not -32),
    // +31 and -1 (-9 div 8). Ramp[1] = (224, 31, 8), Ramp[7] = (38, 217, 2); no borrow
    // crosses from one channel into the next.
    QTest::newRow("each channel alone") << 0x0900FFu << 0x00FF00u << 0x081FE0u << 0x02D926u;
    QTest::newRow("one colour") << 0x336699u << 0x336699u << 0x336699u << 0x336699u;
}

void TestCameraModel::colourRamp()
{
    QFETCH(uint, colour1);
    QFETCH(uint, colour2);
    QFETCH(uint, ramp1);
    QFETCH(uint, ramp7);
    const ColourRamp ramp = MakeColourRamp(colour1, colour2);
    QCOMPARE(ramp[0], colour1);
    QCOMPARE(ramp[1], ramp1);
    QCOMPARE(ramp[7], ramp7);
    QCOMPARE(ramp[8], colour2);
}

void TestCameraModel::colourBar_data()
{
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("bottom");
    QTest::addColumn<bool>("direct");
    QTest::addColumn<int>("firstBandTop"); // the bottom band's highest row
    QTest::newRow("direct, 10-row bands") << 0 << 90 << true << 81;
    QTest::newRow("reversed, 10-row bands") << 0 << 90 << false << 81;
    // band = -20/9: the bottom band reaches Round(17.78) = 18, exclusive.
    QTest::newRow("uneven bands") << 0 << 20 << true << 19;
    QTest::newRow("rows given upside down") << 90 << 0 << true << 81;
}

void TestCameraModel::colourBar()
{
    QFETCH(int, top);
    QFETCH(int, bottom);
    QFETCH(bool, direct);
    QFETCH(int, firstBandTop);
    const ColourRamp ramp = MakeColourRamp(0x000000, 0xFFFFFF);
    const auto bands = ColourBar(ramp, 3, 5, top, bottom, direct);
    const int high = std::min(top, bottom);
    const int low = std::max(top, bottom);
    QCOMPARE(bands[0].bottom, low);
    QCOMPARE(bands[0].top, firstBandTop);
    QCOMPARE(bands[8].top, high);
    for (std::size_t i = 0; i < 9; ++i) {
        QCOMPARE(bands[i].left, 3);
        QCOMPARE(bands[i].right, 5);
        QCOMPARE(bands[i].colour, direct ? ramp[i] : ramp[8 - i]);
        // Stacked upwards without gap or overlap.
        if (i > 0) {
            QCOMPARE(bands[i].bottom, bands[i - 1].top - 1);
        }
    }
}

void TestCameraModel::apertureScale_data()
{
    QTest::addColumn<int>("apertureIndex");
    QTest::addColumn<int>("scale");
    QTest::newRow("f/2 unchanged") << 1 << 256;
    QTest::newRow("f/2.8") << 2 << 230;
    QTest::newRow("f/5.6") << 4 << 180;
    QTest::newRow("f/16") << 7 << 105;
}

void TestCameraModel::apertureScale()
{
    QFETCH(int, apertureIndex);
    QFETCH(int, scale);
    QCOMPARE(ApertureScale(apertureIndex), scale);
}

QTEST_GUILESS_MAIN(TestCameraModel)
#include "tst_cameramodel.moc"
