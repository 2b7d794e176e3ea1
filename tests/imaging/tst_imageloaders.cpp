#include "ImageFileBuilder.h"
#include "WmfBuilder.h"
#include "imaging/DibPlus.h"
#include "imaging/ImageLoaders.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace kaleno;

namespace {

// Pixel values 0x00RRGGBB.
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kBlue = 0x0000FF;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;

// Four 8 x 8 quadrants: red, green / blue, white (blocks aligned on JPEG's 8 x 8 cells,
// so that the colours come back within a few levels).
uint32_t quadrants(int x, int y)
{
    if (y < 8)
        return x < 8 ? kRed : kGreen;
    return x < 8 ? kBlue : kWhite;
}

struct Probe {
    QPoint at;
    uint32_t value;
};

std::vector<int> filled(int count, int index)
{
    return std::vector<int>(std::size_t(count), index);
}

int channelDistance(uint32_t a, uint32_t b)
{
    int d = 0;
    for (int shift : {0, 8, 16})
        d = std::max(d, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
    return d;
}

// Closes the next message box, keeping its caption and text.
struct MessageCatcher {
    QString caption, text;
    QTimer poll;
    MessageCatcher()
    {
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (box == nullptr)
                return;
            poll.stop();
            caption = box->windowTitle();
            text = box->text();
            box->done(0);
        });
        poll.start();
    }
};

} // namespace

class TstImageLoaders : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void decodesValidFiles_data();
    void decodesValidFiles();
    void refusesBadFiles_data();
    void refusesBadFiles();
    void missingFileIsCode1_data();
    void missingFileIsCode1();
    void loadsMetafile();
    void formatFollowsExtension_data();
    void formatFollowsExtension();
    void messages_data();
    void messages();
    void reportShowsWarning();
    void jpegScaleForThumbnails_data();
    void jpegScaleForThumbnails();
    void thumbnailSources();

private:
    QString write(const QString &name, const QByteArray &bytes);
    QTemporaryDir dir_;
};

void TstImageLoaders::initTestCase() { QVERIFY(dir_.isValid()); }

QString TstImageLoaders::write(const QString &name, const QByteArray &bytes)
{
    const QString path = dir_.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}

RasterLoad loadByName(const QString &path)
{
    switch (FormatOfFile(path)) {
    case ImageFormat::Bmp:
        return LoadBmp(path);
    case ImageFormat::Jpg:
        return LoadJpg(path);
    case ImageFormat::Gif:
        return LoadGif(path);
    default:
        return {};
    }
}

void TstImageLoaders::decodesValidFiles_data()
{
    using imgfile::JpegKind;
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QList<Probe>>("probes");
    QTest::addColumn<int>("tolerance");

    const QList<Probe> quads {
        {{0, 0}, kRed}, {{15, 0}, kGreen}, {{0, 15}, kBlue}, {{15, 15}, kWhite}};
    // Bottom-up rows in the file, top row first in the buffer.
    QTest::newRow("bmp 24-bit")
        << "a.bmp"
        << imgfile::Bmp24(
               3, 2, [](int x, int y) { return uint32_t(x * 0x10 + y * 0x100000 + 0x0100); })
        << QSize(3, 2) << QList<Probe> {{{0, 0}, 0x000100}, {{2, 0}, 0x000120}, {{1, 1}, 0x100110}}
        << 0;
    QTest::newRow("jpeg rgb") << "b.jpg" << imgfile::Jpeg(16, 16, JpegKind::Rgb, quadrants)
                              << QSize(16, 16) << quads << 8;
    QTest::newRow("jpeg upper-case extension")
        << "c.JPG" << imgfile::Jpeg(16, 16, JpegKind::Rgb, quadrants) << QSize(16, 16) << quads
        << 8;
    QTest::newRow("jpeg progressive")
        << "d.jpg" << imgfile::Jpeg(16, 16, JpegKind::Progressive, quadrants) << QSize(16, 16)
        << quads << 8;
    // Greyscale: the green channel written, every channel read back.
    QTest::newRow("jpeg greyscale")
        << "e.jpg"
        << imgfile::Jpeg(
               16, 8, JpegKind::Grey, [](int x, int) { return x < 8 ? 0x003000u : 0x00C800u; })
        << QSize(16, 8) << QList<Probe> {{{0, 0}, 0x303030}, {{15, 7}, 0xC8C8C8}} << 4;
    QTest::newRow("jpeg adobe cmyk")
        << "f.jpg" << imgfile::Jpeg(16, 16, JpegKind::AdobeCmyk, quadrants) << QSize(16, 16)
        << quads << 8;
    QTest::newRow("jpeg cmyk without adobe marker")
        << "f2.jpg" << imgfile::Jpeg(16, 16, JpegKind::PlainCmyk, quadrants) << QSize(16, 16)
        << quads << 8;

    const std::vector<uint32_t> map {kRed, kGreen, kBlue, kWhite};
    imgfile::GifFrame whole;
    whole.width = 4;
    whole.height = 2;
    whole.indexes = {0, 1, 2, 3, 3, 2, 1, 0};
    QTest::newRow("gif global map")
        << "g.gif" << imgfile::Gif(4, 2, map, whole) << QSize(4, 2)
        << QList<Probe> {{{0, 0}, kRed}, {{3, 0}, kWhite}, {{1, 1}, kBlue}} << 0;
    imgfile::GifFrame local = whole;
    local.localMap = {kBlack, kWhite, kGreen, kBlue};
    QTest::newRow("gif local map wins") << "h.gif" << imgfile::Gif(4, 2, map, local) << QSize(4, 2)
                                        << QList<Probe> {{{0, 0}, kBlack}, {{2, 0}, kGreen}} << 0;
    QTest::newRow("gif local map only") << "i.gif" << imgfile::Gif(4, 2, {}, local) << QSize(4, 2)
                                        << QList<Probe> {{{1, 0}, kWhite}, {{3, 0}, kBlue}} << 0;
    // Rows stored 0, 2, 1, 3 (passes from rows 0, 4, 2 and 1).
    imgfile::GifFrame interlaced;
    interlaced.width = 1;
    interlaced.height = 4;
    interlaced.interlaced = true;
    interlaced.indexes = {0, 2, 1, 3};
    QTest::newRow("gif interlaced")
        << "j.gif" << imgfile::Gif(1, 4, map, interlaced) << QSize(1, 4)
        << QList<Probe> {{{0, 0}, kRed}, {{0, 1}, kGreen}, {{0, 2}, kBlue}, {{0, 3}, kWhite}} << 0;
    // A 4 x 4 frame at (2, 2) of a 4 x 4 screen: only its top-left quarter shows.
    imgfile::GifFrame outside;
    outside.left = 2;
    outside.top = 2;
    outside.width = 4;
    outside.height = 4;
    outside.indexes = filled(16, 2);
    QTest::newRow("gif frame clipped to screen")
        << "k.gif" << imgfile::Gif(4, 4, map, outside) << QSize(4, 4)
        << QList<Probe> {{{1, 1}, kWhite}, {{2, 2}, kBlue}, {{3, 3}, kBlue}, {{3, 1}, kWhite}} << 0;
    // Index 200 of a two-colour map takes the map's last colour.
    imgfile::GifFrame beyond;
    beyond.width = 2;
    beyond.indexes = {0, 200};
    QTest::newRow("gif index beyond map")
        << "l.gif" << imgfile::Gif(2, 1, {kRed, kBlue}, beyond) << QSize(2, 1)
        << QList<Probe> {{{0, 0}, kRed}, {{1, 0}, kBlue}} << 0;
    QTest::newRow("gif transparent is white")
        << "m.gif" << imgfile::Gif(4, 2, map, whole, 1) << QSize(4, 2)
        << QList<Probe> {{{0, 0}, kRed}, {{1, 0}, kWhite}, {{2, 1}, kWhite}} << 0;
}

void TstImageLoaders::decodesValidFiles()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, size);
    QFETCH(QList<Probe>, probes);
    QFETCH(int, tolerance);

    const QString path = write(name, bytes);
    QVERIFY(!path.isEmpty());
    const RasterLoad load = loadByName(path);
    QCOMPARE(load.code, kLoadOk);
    QVERIFY(load.image.has_value());
    QCOMPARE(QSize(load.image->Width(), load.image->Height()), size);
    for (const Probe &probe : probes) {
        const uint32_t got = load.image->GetPixel(probe.at.x(), probe.at.y());
        QVERIFY2(channelDistance(got, probe.value) <= tolerance,
            qPrintable(QStringLiteral("(%1, %2): %3 instead of %4")
                           .arg(probe.at.x())
                           .arg(probe.at.y())
                           .arg(got, 6, 16, QChar(u'0'))
                           .arg(probe.value, 6, 16, QChar(u'0'))));
    }
}

void TstImageLoaders::refusesBadFiles_data()
{
    using imgfile::JpegKind;
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");

    const auto grey = [](int, int) { return 0x808080u; };
    const QByteArray bmp = imgfile::Bmp24(16, 16, grey);
    const QByteArray jpeg = imgfile::Jpeg(64, 64, JpegKind::Rgb, quadrants);
    const QByteArray progressive = imgfile::Jpeg(64, 64, JpegKind::Progressive, quadrants);
    imgfile::GifFrame frame;
    frame.width = 16;
    frame.height = 16;
    frame.indexes = filled(256, 1);
    const QByteArray gif = imgfile::Gif(16, 16, {kRed, kBlue}, frame);

    for (const char *ext : {"bmp", "jpg", "gif", "wmf"})
        QTest::newRow(qPrintable(QStringLiteral("empty %1").arg(ext)))
            << QStringLiteral("empty.%1").arg(ext) << QByteArray();
    QTest::newRow("bmp truncated") << "t.bmp" << bmp.left(bmp.size() / 2);
    QTest::newRow("bmp header only") << "h.bmp" << bmp.left(20);
    QTest::newRow("bmp that is a jpeg") << "j.bmp" << jpeg;
    QTest::newRow("bmp claims 16000 x 16000")
        << "l.bmp" << imgfile::Bmp24(1, 1, grey, 16000, 16000, false);
    QTest::newRow("bmp claims 100000 x 1")
        << "w.bmp" << imgfile::Bmp24(1, 1, grey, 100000, 1, false);
    QTest::newRow("jpeg truncated") << "t.jpg" << jpeg.left(jpeg.size() / 2);
    QTest::newRow("progressive truncated") << "p.jpg" << progressive.left(progressive.size() / 2);
    QTest::newRow("jpeg garbage") << "g.jpg" << QByteArray(500, 'x');
    QTest::newRow("jpeg claims 60000 x 60000")
        << "l.jpg" << imgfile::JpegWithSize(jpeg, 60000, 60000);
    // Within the side limit but 768 MB decoded.
    QTest::newRow("jpeg claims 16000 x 16000")
        << "m.jpg" << imgfile::JpegWithSize(jpeg, 16000, 16000);
    QTest::newRow("progressive claims 16000 x 16000")
        << "n.jpg" << imgfile::JpegWithSize(progressive, 16000, 16000);
    QTest::newRow("gif truncated in the image") << "t.gif" << gif.left(gif.size() - 12);
    QTest::newRow("gif without any colour map") << "c.gif" << imgfile::Gif(16, 16, {}, frame);
    QTest::newRow("gif without image")
        << "e.gif" << gif.left(6 + 7 + 6) + QByteArray(1, char(0x3B));
    imgfile::GifFrame tiny;
    tiny.indexes = {0};
    QTest::newRow("gif screen 65535 x 65535")
        << "s.gif" << imgfile::Gif(65535, 65535, {kRed, kBlue}, tiny);
    imgfile::GifFrame huge = tiny;
    huge.width = 60000;
    huge.height = 60000;
    QTest::newRow("gif frame 60000 x 60000") << "f.gif" << imgfile::Gif(4, 4, {kRed, kBlue}, huge);
    QTest::newRow("wmf garbage") << "g.wmf" << QByteArray(64, '\x01');
    QTest::newRow("wmf truncated") << "t.wmf" << wmf::BlackWmf().left(40);
}

void TstImageLoaders::refusesBadFiles()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);

    const QString path = write(name, bytes);
    QVERIFY(!path.isEmpty());
    QElapsedTimer clock;
    clock.start();
    if (FormatOfFile(path) == ImageFormat::Wmf) {
        const MetafileLoad load = LoadWmf(path);
        QCOMPARE(load.code, kLoadBadFormat);
        QVERIFY(!load.metafile);
    } else {
        const RasterLoad load = loadByName(path);
        QCOMPARE(load.code, kLoadBadFormat);
        QVERIFY(!load.image);
    }
    // Refused from the header, not after allocating what it claims (generous for sanitizers).
    QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
}

void TstImageLoaders::missingFileIsCode1_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"none.bmp", "none.jpg", "none.gif", "none.wmf"})
        QTest::newRow(name) << QString::fromLatin1(name);
    // A folder is not a file.
    QTest::newRow("folder") << "folder.bmp";
}

void TstImageLoaders::missingFileIsCode1()
{
    QFETCH(QString, name);
    const QString path = dir_.filePath(name);
    if (name.startsWith(u"folder"))
        QVERIFY(QDir(dir_.path()).mkpath(name));
    if (FormatOfFile(path) == ImageFormat::Wmf)
        QCOMPARE(LoadWmf(path).code, kLoadNotFound);
    else
        QCOMPARE(loadByName(path).code, kLoadNotFound);
}

void TstImageLoaders::loadsMetafile()
{
    const QString path = write(QStringLiteral("black.wmf"), wmf::BlackWmf());
    const MetafileLoad load = LoadWmf(path);
    QCOMPARE(load.code, kLoadOk);
    QVERIFY(load.metafile.has_value());
    QCOMPARE(MetafileNaturalSize(*load.metafile), QSize(200, 100));
}

void TstImageLoaders::formatFollowsExtension_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<ImageFormat>("format");
    QTest::newRow("wmf") << "C:/x/a.wmf" << ImageFormat::Wmf;
    QTest::newRow("BMP") << "a.BMP" << ImageFormat::Bmp;
    QTest::newRow("Jpg") << "a.b.Jpg" << ImageFormat::Jpg;
    QTest::newRow("gif") << "a.gif" << ImageFormat::Gif;
    QTest::newRow("jpeg") << "a.jpeg" << ImageFormat::Unknown;
    QTest::newRow("png") << "a.png" << ImageFormat::Unknown;
    QTest::newRow("no extension") << "bmp" << ImageFormat::Unknown;
    QTest::newRow("dot only") << "a." << ImageFormat::Unknown;
}

void TstImageLoaders::formatFollowsExtension()
{
    QFETCH(QString, name);
    QFETCH(ImageFormat, format);
    QCOMPARE(FormatOfFile(name), format);
}

void TstImageLoaders::messages_data()
{
    QTest::addColumn<ImageFormat>("format");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("wmf missing")
        << ImageFormat::Wmf << 1
        << "Le métafichier que vous tentez d'ouvrir est introuvable\n[ F ]";
    QTest::newRow("wmf bad") << ImageFormat::Wmf << 2
                             << "Le métafichier que vous tentez d'ouvrir\n[ F ]\npossède un format "
                                "de fichier incorrect.";
    QTest::newRow("bmp missing")
        << ImageFormat::Bmp << 1
        << "Le fichier d'image Bitmap que vous tentez d'ouvrir est introuvable\n[ F ]";
    QTest::newRow("bmp bad, single L") << ImageFormat::Bmp << 2
                                       << "Le fichier d'image Bitmap que vous tentez d'ouvrir\n[ F "
                                          "]\npossède un format de fichier incorrect.";
    QTest::newRow("jpg missing")
        << ImageFormat::Jpg << 1
        << "Le fichier d'image Jpg que vous tentez d'ouvrir est introuvable\n[ F ]";
    QTest::newRow("jpg bad") << ImageFormat::Jpg << 2
                             << "Le fichier d'image Jpg que vous tentez d'ouvrir\n[ F ]\npossède "
                                "un format de fichier incorrect.";
    QTest::newRow("gif missing")
        << ImageFormat::Gif << 1
        << "Le fichier d'image Gif que vous tentez d'ouvrir est introuvable\n[ F ]";
    QTest::newRow("gif bad, single L") << ImageFormat::Gif << 2
                                       << "Le fichier d'image Gif que vous tentez d'ouvrir\n[ F "
                                          "]\npossède un format de fichier incorrect.";
    QTest::newRow("loaded") << ImageFormat::Gif << 0 << QString();
}

void TstImageLoaders::messages()
{
    QFETCH(ImageFormat, format);
    QFETCH(int, code);
    QFETCH(QString, text);
    QCOMPARE(LoadMessage(format, code, QStringLiteral("F")), text);
}

void TstImageLoaders::reportShowsWarning()
{
    {
        MessageCatcher catcher;
        QVERIFY(!ReportLoad(ImageFormat::Jpg, kLoadBadFormat, QStringLiteral("/x/y.jpg")));
        QCOMPARE(catcher.caption, QStringLiteral("Avertissement"));
        QCOMPARE(catcher.text,
            LoadMessage(ImageFormat::Jpg, kLoadBadFormat, QStringLiteral("/x/y.jpg")));
    }
    {
        MessageCatcher catcher;
        ReportUnknownFormat(QStringLiteral("/x/y.png"));
        QCOMPARE(catcher.caption, QStringLiteral("Avertissement"));
        QVERIFY(catcher.text.contains(u"[ /x/y.png ]"));
        QVERIFY(catcher.text.contains(u".bmp, .jpg, .gif, .wmf"));
    }
    // Code 0: no box, loaded.
    QVERIFY(ReportLoad(ImageFormat::Bmp, kLoadOk, QStringLiteral("a.bmp")));
}

void TstImageLoaders::jpegScaleForThumbnails_data()
{
    QTest::addColumn<QSize>("natural");
    QTest::addColumn<QSize>("box");
    QTest::addColumn<int>("denom");
    // 640 x 480 in 80 x 80 is shown 80 x 60: 640 / 8 = 80 and 480 / 8 = 60 cover it.
    QTest::newRow("eighth covers") << QSize(640, 480) << QSize(80, 80) << 8;
    // 600 x 480 fits as 80 x 64; an eighth is 75 x 60, a quarter 150 x 120.
    QTest::newRow("quarter needed") << QSize(600, 480) << QSize(80, 80) << 4;
    // 100 x 100 in 60: a half is 50 (too small).
    QTest::newRow("full size needed") << QSize(100, 100) << QSize(60, 60) << 1;
    QTest::newRow("half") << QSize(130, 100) << QSize(60, 60) << 2;
    // A small picture is shown at natural size: no reduction.
    QTest::newRow("smaller than the box") << QSize(40, 30) << QSize(80, 80) << 1;
    // Sides rounded up: 641 / 8 = 81.
    QTest::newRow("rounded up") << QSize(641, 481) << QSize(80, 80) << 8;
    QTest::newRow("no box") << QSize(640, 480) << QSize() << 1;
}

void TstImageLoaders::jpegScaleForThumbnails()
{
    QFETCH(QSize, natural);
    QFETCH(QSize, box);
    QFETCH(int, denom);
    QCOMPARE(JpegScaleFor(natural, box), denom);
}

void TstImageLoaders::thumbnailSources()
{
    // 64 x 48 JPEG in a 16-pixel box: shown 16 x 12, decoded at a quarter.
    const QString jpg = write(QStringLiteral("thumb.jpg"),
        imgfile::Jpeg(64, 48, imgfile::JpegKind::Rgb, [](int, int) { return kGreen; }));
    const std::optional<ThumbnailSource> j = LoadThumbnailSource(jpg, 16, 16);
    QVERIFY(j.has_value());
    QCOMPARE(j->naturalSize, QSize(64, 48));
    QCOMPARE(QSize(j->image.Width(), j->image.Height()), QSize(16, 12));
    QVERIFY(channelDistance(j->image.GetPixel(8, 6), kGreen) <= 8);

    // The 2:1 metafile in an 80 box: played 80 x 40, all black.
    const QString wmf = write(QStringLiteral("thumb.wmf"), wmf::BlackWmf());
    const std::optional<ThumbnailSource> w = LoadThumbnailSource(wmf, 80, 80);
    QVERIFY(w.has_value());
    QCOMPARE(w->naturalSize, QSize(200, 100));
    QCOMPARE(QSize(w->image.Width(), w->image.Height()), QSize(80, 40));
    QCOMPARE(w->image.GetPixel(40, 20), kBlack);

    const QString bmp
        = write(QStringLiteral("thumb.bmp"), imgfile::Bmp24(5, 3, [](int, int) { return kBlue; }));
    const std::optional<ThumbnailSource> b = LoadThumbnailSource(bmp, 80, 80);
    QVERIFY(b.has_value());
    QCOMPARE(b->naturalSize, QSize(5, 3));
    QCOMPARE(b->image.GetPixel(4, 2), kBlue);

    QVERIFY(!LoadThumbnailSource(dir_.filePath(QStringLiteral("absent.gif")), 80, 80));
    QVERIFY(!LoadThumbnailSource(write(QStringLiteral("bad.jpg"), QByteArray("nope")), 80, 80));
    QVERIFY(!LoadThumbnailSource(write(QStringLiteral("x.png"), QByteArray("nope")), 80, 80));
}

QTEST_MAIN(TstImageLoaders)
#include "tst_imageloaders.moc"
