#include "ImageFileBuilder.h"
#include "WmfBuilder.h"
#include "imaging/CurrentImage.h"
#include "imaging/DibPlus.h"
#include "imaging/ImageFitting.h"
#include "imaging/TestCard.h"
#include "shell/Settings.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace kaleno;

namespace {

// Pixel values 0x00RRGGBB; the background is set as a TColor (0x00BBGGRR).
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kGrey = 0x808080;
constexpr uint32_t kBackTColor = 0x563412; // R 0x12, G 0x34, B 0x56
constexpr uint32_t kBack = 0x123456;

const QString kPrefix = QStringLiteral("Décomposition RVB d'une image");
const QString kDefaultCaption = QStringLiteral("Décomposition RVB d'une image - Image par défaut");

// A different value at every pixel of a 640 x 480 picture.
uint32_t gradient(int x, int y) { return PackPixel(x & 0xFF, y & 0xFF, (x >> 8) * 16 + (y >> 8)); }

// Closes every message box that comes up while it lives, keeping the last text.
struct MessageCatcher {
    int shown = 0;
    QString text;
    QTimer poll;
    MessageCatcher()
    {
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (box == nullptr)
                return;
            ++shown;
            text = box->text();
            box->done(0);
        });
        poll.start();
    }
};

bool sameBuffer(const TDibPlus &a, const TDibPlus &b)
{
    return a.Width() == b.Width() && a.Height() == b.Height()
        && std::equal(a.Bits(), a.Bits() + a.ImageSize(), b.Bits());
}

} // namespace

class TstCurrentImage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void fittingGeometry_data();
    void fittingGeometry();
    void largeBitmapIsCroppedEvenly();
    void stretchedBitmapFillsTheArea();
    void metafileIsFittedAndCentred();
    void testCardPlacement_data();
    void testCardPlacement();
    void testCardPixels_data();
    void testCardPixels();
    void redrawRule();
    void failedLoadChangesNothing_data();
    void failedLoadChangesNothing();
    void openDialogAndFolder();
    void cancelKeepsCaptionAndImage();
    void fileDialogCancelled();
    void cataloguePicker();
    void moduleLifecycle();

private:
    QString write(const QString &name, const QByteArray &bytes);
    QTemporaryDir dir_;
};

void TstCurrentImage::initTestCase() { QVERIFY(dir_.isValid()); }

void TstCurrentImage::init()
{
    BeginImageModule();
    TheImage().AreaWidth = 300;
    TheImage().AreaHeight = 200;
}

void TstCurrentImage::cleanup()
{
    EndImageModule();
    SetImageFileChooser({});
    SetCataloguePicker({});
    AppSettings().DirFichier = QStringLiteral("none");
}

QString TstCurrentImage::write(const QString &name, const QByteArray &bytes)
{
    const QString path = dir_.filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}

void TstCurrentImage::fittingGeometry_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<QSize>("natural");
    QTest::addColumn<QSize>("area");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("2:1 metafile in a square")
        << "metafile" << QSize(200, 100) << QSize(300, 300) << QRect(0, 75, 300, 150);
    QTest::newRow("1:2 metafile in a square")
        << "metafile" << QSize(100, 200) << QSize(300, 300) << QRect(75, 0, 150, 300);
    // 3:1 in 100 x 100: 100 / 3 = 33.33 -> 33 high, (100 - 33) div 2 = 33.
    QTest::newRow("3:1 rounds") << "metafile" << QSize(300, 100) << QSize(100, 100)
                                << QRect(0, 33, 100, 33);
    // 5:2 in 9 x 100: 9 / 2.5 = 3.6 -> 4.  2:5 in 100 x 5: 5 * 0.4 = 2 exactly.
    QTest::newRow("ties go to even")
        << "metafile" << QSize(2, 5) << QSize(100, 5) << QRect(49, 0, 2, 5);
    QTest::newRow("half rounds to even")
        << "metafile" << QSize(10, 4) << QSize(5, 100) << QRect(0, 49, 5, 2);
    QTest::newRow("no window fills the area")
        << "metafile" << QSize() << QSize(300, 200) << QRect(0, 0, 300, 200);
    QTest::newRow("card 400 x 200")
        << "card" << QSize() << QSize(400, 200) << QRect(66, 0, 267, 200);
    QTest::newRow("card 300 x 300")
        << "card" << QSize() << QSize(300, 300) << QRect(0, 37, 300, 225);
    QTest::newRow("card exactly 4:3")
        << "card" << QSize() << QSize(400, 300) << QRect(0, 0, 400, 300);
    QTest::newRow("bitmap larger")
        << "bitmap" << QSize(640, 480) << QSize(300, 200) << QRect(-170, -140, 640, 480);
    // (300 - 301) div 2 truncates toward zero: 0.
    QTest::newRow("bitmap one wider")
        << "bitmap" << QSize(301, 10) << QSize(300, 200) << QRect(0, 95, 301, 10);
    QTest::newRow("bitmap three wider")
        << "bitmap" << QSize(303, 10) << QSize(300, 200) << QRect(-1, 95, 303, 10);
    QTest::newRow("thumbnail small")
        << "thumbnail" << QSize(40, 30) << QSize(80, 80) << QRect(20, 25, 40, 30);
    QTest::newRow("thumbnail wide")
        << "thumbnail" << QSize(160, 80) << QSize(80, 80) << QRect(0, 20, 80, 40);
}

void TstCurrentImage::fittingGeometry()
{
    QFETCH(QString, what);
    QFETCH(QSize, natural);
    QFETCH(QSize, area);
    QFETCH(QRect, expected);
    QRect got;
    if (what == u"metafile")
        got = FitMetafile(natural, area.width(), area.height());
    else if (what == u"card")
        got = TestCardRect(area.width(), area.height());
    else if (what == u"thumbnail")
        got = FitThumbnail(natural, area);
    else
        got = QRect(CentredBitmapOrigin(natural, area.width(), area.height()), natural);
    QCOMPARE(got, expected);
}

void TstCurrentImage::largeBitmapIsCroppedEvenly()
{
    const QString path = write(QStringLiteral("big.bmp"), imgfile::Bmp24(640, 480, gradient));
    TDibPlus target(300, 200);
    TheImage().BackColour = kBackTColor;
    const QString caption = LoadImageFile(path, kPrefix, kDefaultCaption, target);
    QCOMPARE(caption, kPrefix + " - " + path + " ( 640 sur 480 pixels )");
    QCOMPARE(TheImage().ImageKind, kImageBitmap);
    QCOMPARE(TheImage().BitmapWidth, 640);
    QCOMPARE(TheImage().BitmapHeight, 480);
    // Drawn at (-170, -140): the area shows the picture's pixels 170..469 by 140..339.
    QCOMPARE(target.GetPixel(0, 0), gradient(170, 140));
    QCOMPARE(target.GetPixel(299, 199), gradient(469, 339));
    QCOMPARE(target.GetPixel(130, 60), gradient(300, 200));
}

void TstCurrentImage::stretchedBitmapFillsTheArea()
{
    // 2 x 1 (black, white) stretched over 4 x 2: each pixel twice as wide and high.
    const QString path = write(QStringLiteral("two.bmp"),
        imgfile::Bmp24(2, 1, [](int x, int) { return x == 0 ? kBlack : kWhite; }));
    TheImage().AreaWidth = 4;
    TheImage().AreaHeight = 2;
    TheImage().StretchImage = true;
    TDibPlus target(4, 2);
    LoadImageFile(path, kPrefix, kDefaultCaption, target);
    const uint32_t expected[2][4]
        = {{kBlack, kBlack, kWhite, kWhite}, {kBlack, kBlack, kWhite, kWhite}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            QCOMPARE(target.GetPixel(x, y), expected[y][x]);
}

void TstCurrentImage::metafileIsFittedAndCentred()
{
    const QString path = write(QStringLiteral("wide.wmf"), wmf::BlackWmf());
    TheImage().AreaWidth = 300;
    TheImage().AreaHeight = 300;
    TheImage().BackColour = kBackTColor;
    TDibPlus target(300, 300);
    const QString caption = LoadImageFile(path, kPrefix, kDefaultCaption, target);
    QCOMPARE(caption, kPrefix + " - " + path + " ( image vectorielle )");
    QCOMPARE(TheImage().ImageKind, kImageMetafile);
    // 300 x 150 at (0, 75): rows 75..224 black, the rest background.
    QCOMPARE(target.GetPixel(150, 74), kBack);
    QCOMPARE(target.GetPixel(150, 75), kBlack);
    QCOMPARE(target.GetPixel(0, 150), kBlack);
    QCOMPARE(target.GetPixel(299, 224), kBlack);
    QCOMPARE(target.GetPixel(150, 225), kBack);

    // Laid out again in a small area and back: the proportions are those of the file.
    TheImage().AreaWidth = 7;
    TheImage().AreaHeight = 7;
    TDibPlus small(7, 7);
    DrawMetafileFitted(small);
    TheImage().AreaWidth = 300;
    TheImage().AreaHeight = 300;
    TDibPlus again(300, 300);
    DrawMetafileFitted(again);
    QVERIFY(sameBuffer(again, target));
}

void TstCurrentImage::testCardPlacement_data()
{
    QTest::addColumn<QSize>("area");
    QTest::addColumn<QList<QPoint>>("back");
    QTest::addColumn<QList<QPoint>>("white");
    // 267 x 200 at x 66: columns 66 and 332 are the card's white edge lines.
    QTest::newRow("400 x 200") << QSize(400, 200) << QList<QPoint> {{65, 0}, {333, 199}, {0, 100}}
                               << QList<QPoint> {{66, 0}, {66, 199}, {332, 0}, {332, 199}};
    // 300 x 225 at y 37: rows 37 and 261.
    QTest::newRow("300 x 300") << QSize(300, 300) << QList<QPoint> {{0, 36}, {299, 262}, {150, 0}}
                               << QList<QPoint> {{0, 37}, {299, 37}, {0, 261}, {299, 261}};
}

void TstCurrentImage::testCardPlacement()
{
    QFETCH(QSize, area);
    QFETCH(QList<QPoint>, back);
    QFETCH(QList<QPoint>, white);
    TheImage().AreaWidth = area.width();
    TheImage().AreaHeight = area.height();
    TheImage().BackColour = kBackTColor;
    TDibPlus target(area.width(), area.height());
    DrawTestCard(target);
    for (const QPoint &p : back)
        QCOMPARE(target.GetPixel(p.x(), p.y()), kBack);
    for (const QPoint &p : white)
        QCOMPARE(target.GetPixel(p.x(), p.y()), kWhite);
}

void TstCurrentImage::testCardPixels_data()
{
    // A 340 x 255 card: u = 20 exactly, circle of radius 16 * 255 div 34 = 120 around
    // (170, 127).
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<uint>("value");
    QTest::newRow("grey ground outside") << QPoint(30, 30) << uint(kGrey);
    QTest::newRow("grid line x = 2u") << QPoint(40, 30) << uint(kWhite);
    QTest::newRow("grid line y = u") << QPoint(30, 20) << uint(kWhite);
    QTest::newRow("right edge line") << QPoint(339, 30) << uint(kWhite);
    // Bars from x = 50, 40 wide, y 80..119.
    QTest::newRow("yellow bar") << QPoint(60, 100) << uint(0xFFFF00);
    QTest::newRow("cyan bar") << QPoint(100, 110) << uint(0x00FFFF);
    QTest::newRow("magenta bar") << QPoint(190, 90) << uint(0xFF00FF);
    QTest::newRow("blue bar") << QPoint(260, 100) << uint(0x0000FF);
    // Yellow bar's place, but 125 from the centre: the grid shows.
    QTest::newRow("outside the circle") << QPoint(52, 85) << uint(kGrey);
    QTest::newRow("black bar over the bars") << QPoint(165, 110) << uint(kBlack);
    QTest::newRow("centre vertical line") << QPoint(170, 110) << uint(kWhite);
    // Steps from x = 50 at y 180..199: level 80 (x 90..129), level 153 (x 170..209).
    QTest::newRow("grey step 80") << QPoint(110, 190) << uint(0x505050);
    QTest::newRow("grey step 153") << QPoint(200, 190) << uint(0x999999);
    // First grating stripe: x 70..74, gap 75..79, y 140..179.
    QTest::newRow("first stripe") << QPoint(72, 150) << uint(kWhite);
    QTest::newRow("first gap") << QPoint(77, 150) << uint(kBlack);
    // Small black blocks 3u..4u high, from 3.5u = 70, u / 2 wide: 70..79 black, 80..89 white.
    QTest::newRow("small block") << QPoint(75, 70) << uint(kBlack);
    QTest::newRow("between small blocks") << QPoint(85, 70) << uint(kWhite);
    // Red block over the yellow one, y 220..259 cut by the circle at 247.
    QTest::newRow("yellow block") << QPoint(120, 230) << uint(0xFFFF00);
    QTest::newRow("red block") << QPoint(165, 230) << uint(0xFF0000);
}

void TstCurrentImage::testCardPixels()
{
    QFETCH(QPoint, at);
    QFETCH(uint, value);
    TDibPlus card(340, 255);
    PaintTestCard(card);
    QCOMPARE(card.GetPixel(at.x(), at.y()), uint32_t(value));
}

void TstCurrentImage::redrawRule()
{
    TDibPlus target(300, 200);
    QCOMPARE(TheImage().ImageKind, kImageNone);
    QVERIFY(RedrawCurrentImage(target));
    QCOMPARE(TheImage().ImageKind, kImageTestCard);
    // The card is 267 wide at x 16: its left edge line, then grey ground outside the circle.
    QCOMPARE(target.GetPixel(16, 5), kWhite);
    QCOMPARE(target.GetPixel(21, 5), kGrey);

    const QString path = write(
        QStringLiteral("redraw.bmp"), imgfile::Bmp24(10, 10, [](int, int) { return 0x00FF00u; }));
    LoadImageFile(path, kPrefix, kDefaultCaption, target);
    QCOMPARE(TheImage().ImageKind, kImageBitmap);
    target.Fill(0);
    QVERIFY(!RedrawCurrentImage(target));
    QCOMPARE(target.GetPixel(150, 100), 0x00FF00u);
    QCOMPARE(target.GetPixel(0, 0), kWhite);

    // The default button: kind 1, then the card again.
    TheImage().ImageKind = kImageTestCard;
    QVERIFY(RedrawCurrentImage(target));
    QCOMPARE(TheImage().ImageKind, kImageTestCard);
}

void TstCurrentImage::failedLoadChangesNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << "absent.gif" << QByteArray() << "introuvable";
    QTest::newRow("bad jpeg") << "bad.jpg" << QByteArray("not a jpeg at all")
                              << "format de fichier incorrect";
    QTest::newRow("bad metafile") << "bad.wmf" << QByteArray(100, '\0')
                                  << "format de fichier incorrect";
    QTest::newRow("other extension") << "image.png" << QByteArray("png") << "n'est pas une image";
}

void TstCurrentImage::failedLoadChangesNothing()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);

    const QString good = write(QStringLiteral("good.bmp"), imgfile::Bmp24(640, 480, gradient));
    TDibPlus target(300, 200);
    const QString caption = LoadImageFile(good, kPrefix, kDefaultCaption, target);
    const TDibPlus before = target;

    const QString path = bytes.isEmpty() ? dir_.filePath(name) : write(name, bytes);
    MessageCatcher catcher;
    QCOMPARE(LoadImageFile(path, kPrefix, caption, target), caption);
    QCOMPARE(catcher.shown, 1);
    QVERIFY2(catcher.text.contains(message), qPrintable(catcher.text));
    QCOMPARE(TheImage().ImageKind, kImageBitmap);
    QCOMPARE(TheImage().ImageBitmap.Width(), 640);
    QCOMPARE(TheImage().ImageBitmap.GetPixel(1, 2), gradient(1, 2));
    QVERIFY(sameBuffer(target, before));
}

void TstCurrentImage::openDialogAndFolder()
{
    const QString path = write(QStringLiteral("Images/pic.gif"),
        imgfile::Gif(3, 2, {0xFF0000, 0x0000FF},
            imgfile::GifFrame {0, 0, 3, 2, {}, false, {0, 1, 0, 1, 0, 1}}));
    QString seenTitle, seenFolder;
    QStringList seenFilters;
    SetImageFileChooser(
        [&](QWidget *, const QString &title, const QString &folder, const QStringList &filters) {
            seenTitle = title;
            seenFolder = folder;
            seenFilters = filters;
            return path;
        });
    TDibPlus target(300, 200);
    const QString caption = OpenImage(nullptr, target, kPrefix, kDefaultCaption);
    QCOMPARE(caption, kPrefix + " - " + path + " ( 3 sur 2 pixels )");
    QCOMPARE(seenTitle, QStringLiteral(" Ouvrir une image bitmap ou un métafichier"));
    // "none": the dialog starts in the program's folder.
    QCOMPARE(seenFolder,
        QDir::toNativeSeparators(QCoreApplication::applicationDirPath()) + QDir::separator());
    QCOMPARE(seenFilters,
        (QStringList {"Images Bitmap et métafichiers (*.bmp, *.wmf) (*.bmp *.wmf *.jpg *.gif)",
            "Images Bitmap (*.bmp) (*.bmp)", "Images gif (*.gif) (*.gif)",
            "Images Jpeg (*.jpg) (*.jpg)", "Métafichiers Windows (*.wmf) (*.wmf)"}));
    const QString images
        = QDir::toNativeSeparators(dir_.filePath(QStringLiteral("Images"))) + QDir::separator();
    QCOMPARE(AppSettings().DirFichier, images);

    // The folder is kept even when the file does not load, and the next dialog starts there.
    const QString other = write(QStringLiteral("Other/broken.bmp"), QByteArray("BM"));
    SetImageFileChooser(
        [&](QWidget *, const QString &, const QString &folder, const QStringList &) {
            seenFolder = folder;
            return other;
        });
    MessageCatcher catcher;
    QCOMPARE(OpenImage(nullptr, target, kPrefix, caption), caption);
    QCOMPARE(seenFolder, images);
    QCOMPARE(AppSettings().DirFichier,
        QDir::toNativeSeparators(dir_.filePath(QStringLiteral("Other"))) + QDir::separator());
}

void TstCurrentImage::cancelKeepsCaptionAndImage()
{
    const QString path = write(QStringLiteral("keep.bmp"), imgfile::Bmp24(640, 480, gradient));
    TDibPlus target(300, 200);
    const QString caption = LoadImageFile(path, kPrefix, kDefaultCaption, target);
    const TDibPlus before = target;
    AppSettings().DirFichier = QStringLiteral("/somewhere/");
    SetImageFileChooser(
        [](QWidget *, const QString &, const QString &, const QStringList &) { return QString(); });
    QCOMPARE(OpenImage(nullptr, target, kPrefix, caption), caption);
    QCOMPARE(TheImage().ImageKind, kImageBitmap);
    QVERIFY(sameBuffer(target, before));
    QCOMPARE(AppSettings().DirFichier, QStringLiteral("/somewhere/"));
}

void TstCurrentImage::fileDialogCancelled()
{
    AppSettings().DirFichier = QDir::toNativeSeparators(dir_.path()) + QDir::separator();
    QString title, folder;
    QStringList filters;
    QTimer poll;
    poll.setInterval(5);
    connect(&poll, &QTimer::timeout, this, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (dialog == nullptr || dialog->objectName() != u"OpenDial")
            return;
        poll.stop();
        title = dialog->windowTitle();
        folder = dialog->directory().absolutePath();
        filters = dialog->nameFilters();
        dialog->reject();
    });
    poll.start();
    TDibPlus target(300, 200);
    QCOMPARE(OpenImage(nullptr, target, kPrefix, kDefaultCaption), kDefaultCaption);
    QCOMPARE(title, QStringLiteral(" Ouvrir une image bitmap ou un métafichier"));
    QCOMPARE(folder, QDir(dir_.path()).absolutePath());
    QCOMPARE(filters.size(), 5);
    QCOMPARE(TheImage().ImageKind, kImageNone);
}

void TstCurrentImage::cataloguePicker()
{
    TDibPlus target(300, 200);
    // No picker registered: nothing happens.
    QCOMPARE(OpenImageFromCatalogue(nullptr, target, kPrefix, kDefaultCaption), kDefaultCaption);
    int asked = 0;
    SetCataloguePicker([&] {
        ++asked;
        return QStringLiteral("None");
    });
    QCOMPARE(OpenImageFromCatalogue(nullptr, target, kPrefix, kDefaultCaption), kDefaultCaption);
    QCOMPARE(asked, 1);
    QCOMPARE(TheImage().ImageKind, kImageNone);

    const QString path = write(QStringLiteral("picked.wmf"), wmf::BlackWmf());
    SetCataloguePicker([&] { return path; });
    QCOMPARE(OpenImageFromCatalogue(nullptr, target, kPrefix, kDefaultCaption),
        kPrefix + " - " + path + " ( image vectorielle )");
    QCOMPARE(TheImage().ImageKind, kImageMetafile);
}

void TstCurrentImage::moduleLifecycle()
{
    CurrentImage &image = TheImage();
    image.ImageKind = kImageBitmap;
    image.ImageBitmap = TDibPlus(5, 5);
    image.StretchImage = true;
    image.BackColour = 0x123456;
    BeginImageModule();
    QCOMPARE(image.ImageKind, kImageNone);
    QVERIFY(!image.StretchImage);
    QCOMPARE(image.BackColour, 0xFFFFFFu);
    QVERIFY(!image.ImageBitmap.HasBitmap());
    image.ImageBitmap = TDibPlus(5, 5);
    EndImageModule();
    QVERIFY(!image.ImageBitmap.HasBitmap());
    QCOMPARE(image.ImageKind, kImageNone);
}

QTEST_MAIN(TstCurrentImage)
#include "tst_currentimage.moc"
