// The camera's pictures: the film picture (sharp in focus, blurred out of it, darkened by
// the diaphragm, framed in white), the object preview, and the built-in shapes and lens.
#include "modules/optics/camera/CameraShapes.h"
#include "modules/optics/camera/FilmPicture.h"

#include "imaging/Canvas.h"
#include "imaging/DibPlus.h"
#include "imaging/Metafile.h"

#include <QRect>
#include <QSet>
#include <QTest>

#include <cmath>

using namespace kaleno;

namespace {

constexpr double kConfusion = 3e-5;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;

MetafileRecord Record(MetaFunction function, std::vector<uint16_t> words)
{
    return MetafileRecord {function, std::move(words)};
}

// A placeable metafile whose drawing is one white square over its whole 1000 x 1000 frame:
// the film picture of it is the colour bar itself, so its pixels can be worked out.
Metafile WhiteSquare()
{
    Metafile metafile;
    metafile.header.placeable = true;
    metafile.header.frame = QRect(0, 0, 1000, 1000);
    metafile.header.unitsPerInch = 1024;
    metafile.header.checksumValid = true;
    metafile.header.objectCount = 2;
    metafile.header.maxRecordWords = 12;
    metafile.records = {
        Record(MetaFunction::SetWindowOrg, {0, 0}),
        Record(MetaFunction::SetWindowExt, {1000, 1000}),
        Record(MetaFunction::CreatePenIndirect, {0, 0, 0, 0xFFFF, 0x00FF}),
        Record(MetaFunction::CreateBrushIndirect, {0, 0xFFFF, 0x00FF, 0}),
        Record(MetaFunction::SelectObject, {0}),
        Record(MetaFunction::SelectObject, {1}),
        Record(MetaFunction::Polygon, {4, 0, 0, 1000, 0, 1000, 1000, 0, 1000}),
    };
    return metafile;
}

// f 35 mm on a 600 x 400 drawing: imgScale = 400 / 0.084, S = 114, centre 57. The object
// 60 f before the lens: gamma = 1/59, the image's half-height 0.5/59 m, that is 40.36
// pixels: the square covers columns and rows 17..96.
CameraState FilmCamera(int apertureIndex)
{
    CameraState state;
    CameraFocalSetup(state, 0.035, 600, 400);
    SetCameraAperture(state, apertureIndex);
    SetObjectX(state, state.lensX - 60 * state.f);
    ComputeCameraOptics(state, kConfusion);
    AutoFocus(state);
    return state;
}

void MoveFilmOutOfFocus(CameraState &state, double depths)
{
    SetFilmX(state, state.imageX + depths * (state.farX - state.imageX));
}

bool FrameIsWhite(const TDibPlus &picture)
{
    const int last = picture.Width() - 1;
    for (int i = 0; i <= last; ++i) {
        if (picture.GetPixel(i, 0) != kWhite || picture.GetPixel(i, last) != kWhite
            || picture.GetPixel(0, i) != kWhite || picture.GetPixel(last, i) != kWhite) {
            return false;
        }
    }
    return true;
}

int Channel(uint32_t value, int shift) { return int((value >> shift) & 0xFF); }

int PolygonCount(const Metafile &metafile)
{
    int count = 0;
    for (const MetafileRecord &record : metafile.records) {
        count += record.function == MetaFunction::Polygon ? 1 : 0;
    }
    return count;
}

TDibPlus Played(const Metafile &metafile, int width, int height)
{
    TDibPlus target(width, height);
    Canvas canvas(target);
    PlayMetafile(canvas, metafile, QRect(0, 0, width, height));
    canvas.Flush();
    return target;
}

} // namespace

class TestFilmPicture : public QObject {
    Q_OBJECT

private slots:
    void geometry();
    void sharpInFocus();
    void blurredOutOfFocus_data();
    void blurredOutOfFocus();
    void apertureDarkens_data();
    void apertureDarkens();
    void objectPreviewIsReversed();
    void shapesLoad_data();
    void shapesLoad();
    void lensPictureIsGraded();
};

void TestFilmPicture::geometry()
{
    const CameraState state = FilmCamera(1);
    QCOMPARE(state.filmSide, 114);
    QCOMPARE(FilmShapeHalf(state), 40);
}

void TestFilmPicture::sharpInFocus()
{
    const CameraState state = FilmCamera(1);
    QVERIFY(FilmInFocus(state));
    // TColor red (255, 0, 0) to blue (0, 0, 255).
    const ColourRamp ramp = MakeColourRamp(0x0000FF, 0xFF0000);
    const TDibPlus picture = MakeFilmPicture(state, WhiteSquare(), ramp);
    QCOMPARE(picture.Width(), 114);
    QVERIFY(FrameIsWhite(picture));
    // Turned over on the film: the first colour at the bottom, the second at the top.
    QCOMPARE(picture.GetPixel(57, 95), 0xFF0000u);
    QCOMPARE(picture.GetPixel(57, 18), 0x0000FFu);
    QCOMPARE(picture.GetPixel(57, 15), kBlack);
    QCOMPARE(picture.GetPixel(15, 57), kBlack);
    QCOMPARE(picture.GetPixel(99, 57), kBlack);
    // Sharp: nothing but black and the nine colours of the ramp.
    QSet<uint32_t> allowed {kBlack};
    for (const uint32_t colour : ramp) {
        allowed.insert(SwapRB(colour));
    }
    for (int y = 1; y < 113; ++y) {
        for (int x = 1; x < 113; ++x) {
            QVERIFY2(allowed.contains(picture.GetPixel(x, y)),
                qPrintable(QString("%1,%2").arg(x).arg(y)));
        }
    }
}

void TestFilmPicture::blurredOutOfFocus_data()
{
    QTest::addColumn<double>("depths"); // film distance from the image, in half-depths
    QTest::newRow("just beyond the far limit") << 1.05;
    QTest::newRow("just before the near limit") << -1.05;
    QTest::newRow("far beyond") << 40.0;
}

void TestFilmPicture::blurredOutOfFocus()
{
    QFETCH(double, depths);
    CameraState state = FilmCamera(1);
    MoveFilmOutOfFocus(state, depths);
    QVERIFY(!FilmInFocus(state));
    // One colour, pixel value 0xC8 red, 0x64 green.
    const ColourRamp ramp = MakeColourRamp(0x0064C8, 0x0064C8);
    const TDibPlus picture = MakeFilmPicture(state, WhiteSquare(), ramp);
    QVERIFY(FrameIsWhite(picture));
    // The blur works in place (each pixel reads its replaced neighbours), so the inside
    // darkens a little even far from the edges, and no more.
    const uint32_t inside = picture.GetPixel(57, 57);
    QVERIFY(Channel(inside, 16) >= 0xC0 && Channel(inside, 16) <= 0xC8);
    // Across the square's left edge (column 17) the colour fades: black far outside,
    // intermediate values on both sides of the edge.
    QCOMPARE(picture.GetPixel(8, 57), kBlack);
    for (const int x : {15, 16, 17, 18}) {
        const uint32_t value = picture.GetPixel(x, 57);
        QVERIFY2(Channel(value, 16) > 0 && Channel(value, 16) < Channel(inside, 16),
            qPrintable(QString::number(x)));
        QVERIFY(Channel(value, 8) < 0x64);
    }
    QVERIFY(Channel(picture.GetPixel(16, 57), 16) < Channel(picture.GetPixel(18, 57), 16));

    // Exactly the sharp coloured shape blurred twice inside a two-pixel margin, then framed.
    TDibPlus expected = ShapeInColours(WhiteSquare(), ramp, 114, 40, true);
    expected.Blur25(2, 2, 111, 111);
    expected.Blur25(2, 2, 111, 111);
    {
        Canvas canvas(expected);
        canvas.SetBrush(kWhite);
        canvas.FrameRect(QRect(0, 0, 114, 114));
    }
    QCOMPARE(QByteArrayView(picture.Bits(), picture.ImageSize()),
        QByteArrayView(expected.Bits(), expected.ImageSize()));

    // The blur is the same however far the film is from focus.
    CameraState slightly = FilmCamera(1);
    MoveFilmOutOfFocus(slightly, 1.05);
    const TDibPlus reference = MakeFilmPicture(slightly, WhiteSquare(), ramp);
    QCOMPARE(QByteArrayView(picture.Bits(), picture.ImageSize()),
        QByteArrayView(reference.Bits(), reference.ImageSize()));
}

void TestFilmPicture::apertureDarkens_data()
{
    QTest::addColumn<int>("apertureIndex");
    QTest::addColumn<int>("k");
    QTest::addColumn<uint>("bottomColour"); // red 255 * k div 256
    QTest::newRow("f/2.8") << 2 << 230 << 0xE50000u;
    QTest::newRow("f/5.6") << 4 << 180 << 0xB30000u;
    QTest::newRow("f/16") << 7 << 105 << 0x680000u;
}

void TestFilmPicture::apertureDarkens()
{
    QFETCH(int, apertureIndex);
    QFETCH(int, k);
    QFETCH(uint, bottomColour);
    const ColourRamp ramp = MakeColourRamp(0x0000FF, 0x80FF40);
    const TDibPlus open = MakeFilmPicture(FilmCamera(1), WhiteSquare(), ramp);
    const CameraState state = FilmCamera(apertureIndex);
    QVERIFY(FilmInFocus(state));
    const TDibPlus closed = MakeFilmPicture(state, WhiteSquare(), ramp);
    QVERIFY(FrameIsWhite(closed));
    QCOMPARE(closed.GetPixel(57, 95), bottomColour);
    for (int y = 1; y < 113; ++y) {
        for (int x = 1; x < 113; ++x) {
            const uint32_t bright = open.GetPixel(x, y);
            const uint32_t dark = closed.GetPixel(x, y);
            for (const int shift : {0, 8, 16}) {
                QCOMPARE(Channel(dark, shift), Channel(bright, shift) * k / 256);
            }
        }
    }
}

void TestFilmPicture::objectPreviewIsReversed()
{
    const ColourRamp ramp = MakeColourRamp(0x0000FF, 0xFF0000);
    const TDibPlus preview = MakeObjectPreview(WhiteSquare(), ramp, 90);
    QCOMPARE(preview.Width(), 90);
    QVERIFY(FrameIsWhite(preview));
    // Upright: the first colour (red) at the top, the second (blue) at the bottom.
    QCOMPARE(preview.GetPixel(45, 3), 0xFF0000u);
    QCOMPARE(preview.GetPixel(45, 86), 0x0000FFu);
}

void TestFilmPicture::shapesLoad_data()
{
    QTest::addColumn<int>("shapeIndex");
    QTest::addColumn<int>("polygons");
    QTest::newRow("letter R") << 0 << 5;
    QTest::newRow("island") << 1 << 1;
    QTest::newRow("cat") << 2 << 1;
    QTest::newRow("dog") << 3 << 1;
    QTest::newRow("cyclist") << 4 << 50;
}

void TestFilmPicture::shapesLoad()
{
    QFETCH(int, shapeIndex);
    QFETCH(int, polygons);
    const std::optional<CameraShapePair> pair = LoadCameraShapes(shapeIndex);
    QVERIFY(pair.has_value());
    QVERIFY(pair->upright.header.placeable);
    QVERIFY(pair->upright.header.checksumValid);
    QCOMPARE(pair->upright.header.unitsPerInch, 1024);
    QCOMPARE(PolygonCount(pair->upright), polygons);
    QCOMPARE(PolygonCount(pair->turned), polygons);

    // White shapes on black, and the turned twin is the same picture turned half a round.
    // Played 200 pixels wide, a frame point u lands on u / 5 and its twin 1000 - u on
    // 200 - u / 5; the outline is drawn on the vertices, so pixel (x, y) of one is pixel
    // (200 - x, 200 - y) of the other (outside the buffer, black).
    const TDibPlus upright = Played(pair->upright, 200, 200);
    const TDibPlus turned = Played(pair->turned, 200, 200);
    int white = 0;
    int mismatches = 0;
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 200; ++x) {
            const uint32_t value = upright.GetPixel(x, y);
            QVERIFY(value == kWhite || value == kBlack);
            white += value == kWhite ? 1 : 0;
            mismatches += value != turned.GetPixel(200 - x, 200 - y) ? 1 : 0;
        }
    }
    // A shape fills between a sixth and four fifths of its frame.
    QVERIFY2(white > 6000 && white < 32000, qPrintable(QString::number(white)));
    // Rasterising may round a vertex the other way, never more.
    QVERIFY2(mismatches * 50 < white, qPrintable(QString::number(mismatches)));
}

void TestFilmPicture::lensPictureIsGraded()
{
    const std::optional<Metafile> lens = LoadCameraPicture(QString::fromLatin1(kLensResource));
    QVERIFY(lens.has_value());
    QVERIFY(lens->header.placeable);
    QCOMPARE(PolygonCount(*lens), 64);
    const TDibPlus picture = Played(*lens, 64, 200);
    QSet<uint32_t> colours;
    for (int x = 0; x < 64; ++x) {
        colours.insert(picture.GetPixel(x, 100));
    }
    QVERIFY2(colours.size() >= 24, qPrintable(QString::number(colours.size())));
    // The lens tapers to points: its top row is mostly background.
    QCOMPARE(picture.GetPixel(0, 0), kBlack);
}

QTEST_MAIN(TestFilmPicture)
#include "tst_filmpicture.moc"
