#include "modules/graphics/rgb/RGBF.h"

#include "imaging/CurrentImage.h"
#include "imaging/PaintBox.h"
#include "shell/Settings.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace kaleno;

// A 629 x 312 client gives W = (629 - 26) div 3 = 201 and H = (312 - 110) div 2 = 101:
// the diagonals of the empty frame then rise one pixel every two, so the pixels they
// cross are known exactly.
namespace {

constexpr int kClientWidth = 629;
constexpr int kClientHeight = 312;
constexpr int W = 201;
constexpr int H = 101;

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kGrey = 0x808080;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kYellow = 0xFFFF00;

// The test picture: 96 x 64, its left half white and its right half pure blue, both in
// whole 16 x 16 blocks so that JPEG keeps them flat. Centred in the area it stands at
// ((201 - 96) div 2, (101 - 64) div 2) = (52, 18).
constexpr int kPictureWidth = 96;
constexpr int kPictureHeight = 64;
const QPoint kInWhite(52 + 24, 18 + 32);
const QPoint kInBlue(52 + 72, 18 + 32);

const QString kPrefix = QStringLiteral(" Décomposition RGB d'une image");
const QString kDefaultCaption = kPrefix + QStringLiteral(" - Image par défaut - Kaleno");

} // namespace

class TstRGBF : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void layoutFollowsTheClientSize_data();
    void layoutFollowsTheClientSize();
    void showsDefaultImageAndEmptyFrames();
    void emptyFramePixels_data();
    void emptyFramePixels();
    void logoOnButtonFace();
    void switchesRecomposeByOr_data();
    void switchesRecomposeByOr();
    void decompositionOffKeepsSwitches();
    void typicalUseWithJpeg();
    void newImageAndDefaultResetEverything();
    void stretchFillsTheArea();
    void copyWhileOffHoldsOriginalOnly();
    void catalogueOpensAndResets();
    void catalogueFollowsBrowserFlag();
    void controlsCarryTheirHints_data();
    void controlsCarryTheirHints();

private:
    PaintBox *zone(const char *name) const
    {
        return window->findChild<PaintBox *>(QLatin1String(name));
    }
    uint32_t zonePixel(const char *name, QPoint p) const
    {
        return zone(name)->Frame().pixel(p) & 0xFFFFFFu;
    }
    QCheckBox *check(const char *name) const
    {
        return window->findChild<QCheckBox *>(QLatin1String(name));
    }
    QToolButton *button(const char *name) const
    {
        return window->findChild<QToolButton *>(QLatin1String(name));
    }
    // Writes the test picture as a JPEG and has the open dialog answer with it.
    QString writeTestJpeg()
    {
        QImage picture(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        for (int y = 0; y < kPictureHeight; ++y)
            for (int x = 0; x < kPictureWidth / 2; ++x)
                picture.setPixel(x, y, 0xFFFFFFFFu);
        const QString path = folder.filePath(QStringLiteral("image.jpg"));
        if (!picture.save(path, "JPG", 100))
            return {};
        return path;
    }
    void openThroughDialog(const QString &path)
    {
        SetImageFileChooser([path](QWidget *, const QString &, const QString &,
                                const QStringList &) { return path; });
        button("OuvreBout")->click();
    }
    // Every pixel of the recomposed image is the original's under `mask`.
    void compareRecomposed(uint32_t mask) const
    {
        const TDibPlus &original = window->Original();
        const TDibPlus &recomposed = window->Recomposed();
        QCOMPARE(recomposed.Width(), W);
        QCOMPARE(recomposed.Height(), H);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                if (recomposed.GetPixel(x, y) != (original.GetPixel(x, y) & mask))
                    QFAIL(qPrintable(QStringLiteral("pixel (%1, %2)").arg(x).arg(y)));
    }

    QTemporaryDir folder;
    std::unique_ptr<TRGBF> window;
};

void TstRGBF::init()
{
    QVERIFY(folder.isValid());
    AppSettings().BrowserFlag = true;
    AppSettings().DirFichier = folder.path();
    window = std::make_unique<TRGBF>();
    window->resize(kClientWidth, kClientHeight);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(window->size(), QSize(kClientWidth, kClientHeight));
}

void TstRGBF::cleanup()
{
    window.reset();
    SetImageFileChooser({});
    SetCataloguePicker({});
}

void TstRGBF::layoutFollowsTheClientSize_data()
{
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QSize>("held");
    QTest::addColumn<QSize>("area");
    QTest::addColumn<int>("middleX");
    QTest::addColumn<int>("rightX");
    QTest::addColumn<int>("bottomY");
    QTest::addColumn<QPoint>("logo");
    // middle = W + 13, right = 2 (W + 8) + 5, bottom = H + 29; the logo at
    // ((cw - 123) div 2, H + 29 + (H - 44) div 2).
    QTest::newRow("629 x 312") << QSize(629, 312) << QSize(629, 312) << QSize(201, 101) << 214
                               << 423 << 130 << QPoint(253, 158);
    QTest::newRow("800 x 600") << QSize(800, 600) << QSize(800, 600) << QSize(258, 245) << 271
                               << 537 << 274 << QPoint(338, 374);
    QTest::newRow("too small: held at 400 x 300")
        << QSize(300, 200) << QSize(400, 300) << QSize(124, 95) << 137 << 269 << 124
        << QPoint(138, 149);
}

void TstRGBF::layoutFollowsTheClientSize()
{
    QFETCH(QSize, client);
    QFETCH(QSize, held);
    QFETCH(QSize, area);
    QFETCH(int, middleX);
    QFETCH(int, rightX);
    QFETCH(int, bottomY);
    QFETCH(QPoint, logo);
    window->resize(client);
    QCOMPARE(window->size(), held);
    const int w = area.width();
    const int h = area.height();
    QCOMPARE(window->AreaW(), w);
    QCOMPARE(window->AreaH(), h);
    QCOMPARE(TheImage().AreaWidth, w);
    QCOMPARE(TheImage().AreaHeight, h);
    QCOMPARE(window->Original().Width(), w);
    QCOMPARE(window->Recomposed().Height(), h);
    QCOMPARE(zone("OriginZone")->geometry(), QRect(4, 4, w, h));
    QCOMPARE(zone("Zone1")->geometry(), QRect(middleX, 4, w, h));
    QCOMPARE(zone("Zone2")->geometry(), QRect(rightX, 4, w, h));
    QCOMPARE(zone("Zone3")->geometry(), QRect(4, bottomY, w, h));
    QCOMPARE(zone("Zone4")->geometry(), QRect(rightX, bottomY, w, h));
    QCOMPARE(zone("LogoZone")->geometry(), QRect(logo, QSize(109, 50)));
    const struct {
        const char *label;
        const char *zone;
    } pairs[] = {{"Lab", "OriginZone"}, {"Lab1", "Zone1"}, {"Lab2", "Zone2"}, {"Lab3", "Zone3"},
        {"Lab4", "Zone4"}};
    for (const auto &pair : pairs) {
        const QLabel *label = window->findChild<QLabel *>(QLatin1String(pair.label));
        const QRect place = zone(pair.zone)->geometry();
        QCOMPARE(label->y(), place.bottom() + 2);
        QCOMPARE(label->x(), place.x() + (w - label->width()) / 2);
    }
    // The tools stand below the second row's labels, inside the window.
    const QWidget *panel = window->findChild<QWidget *>(QStringLiteral("BottomPanel"));
    QVERIFY(panel->y() > bottomY + h);
    QVERIFY(panel->geometry().bottom() < held.height());
}

void TstRGBF::showsDefaultImageAndEmptyFrames()
{
    QCOMPARE(window->windowTitle(), kDefaultCaption);
    QCOMPARE(TheImage().ImageKind, kImageTestCard);
    QVERIFY(!window->Decomposing());
    // The original is the test card, as the shared drawing makes it for this area.
    TDibPlus card(W, H);
    DrawTestCard(card);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(window->Original().Bits()),
                 window->Original().ImageSize()),
        QByteArray(reinterpret_cast<const char *>(card.Bits()), card.ImageSize()));
    QCOMPARE(
        zone("OriginZone")->Frame().pixel(W / 2, H / 2) & 0xFFFFFFu, card.GetPixel(W / 2, H / 2));
    for (const char *name : {"Zone1", "Zone2", "Zone3", "Zone4"})
        QCOMPARE(zonePixel(name, QPoint(100, 50)), kGrey);
}

void TstRGBF::emptyFramePixels_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<uint32_t>("colour");
    QTest::newRow("top border") << QPoint(100, 0) << kBlack;
    QTest::newRow("left border") << QPoint(0, 50) << kBlack;
    QTest::newRow("right border") << QPoint(W - 1, 50) << kBlack;
    QTest::newRow("bottom border") << QPoint(100, H - 1) << kBlack;
    QTest::newRow("top-left corner") << QPoint(0, 0) << kGrey;
    QTest::newRow("bottom-right corner") << QPoint(W - 1, H - 1) << kGrey;
    QTest::newRow("top-right corner") << QPoint(W - 1, 0) << kGrey;
    QTest::newRow("bottom-left corner") << QPoint(0, H - 1) << kGrey;
    QTest::newRow("crossing") << QPoint(100, 50) << kGrey;
    QTest::newRow("down diagonal") << QPoint(50, 25) << kGrey;
    QTest::newRow("up diagonal") << QPoint(150, 25) << kGrey;
    QTest::newRow("above the crossing") << QPoint(100, 25) << kWhite;
    QTest::newRow("left of the crossing") << QPoint(50, 50) << kWhite;
    QTest::newRow("below right") << QPoint(150, 60) << kWhite;
}

void TstRGBF::emptyFramePixels()
{
    QFETCH(QPoint, at);
    QFETCH(uint32_t, colour);
    QCOMPARE(window->EmptyFrame().GetPixel(at.x(), at.y()), colour);
    for (const char *name : {"Zone1", "Zone2", "Zone3", "Zone4"})
        QCOMPARE(zonePixel(name, at), colour);
}

void TstRGBF::logoOnButtonFace()
{
    const QRgb face = window->palette().color(QPalette::Button).rgb() & 0xFFFFFFu;
    QCOMPARE(window->Logo().Width(), 109);
    QCOMPARE(window->Logo().Height(), 50);
    QCOMPARE(zonePixel("LogoZone", QPoint(0, 0)), face);
    QCOMPARE(zonePixel("LogoZone", QPoint(108, 49)), face);
    // Inside the red light only, and where the three lights meet.
    QCOMPARE(zonePixel("LogoZone", QPoint(6, 17)), kRed);
    QCOMPARE(zonePixel("LogoZone", QPoint(23, 24)), kWhite);
}

void TstRGBF::switchesRecomposeByOr_data()
{
    QTest::addColumn<bool>("red");
    QTest::addColumn<bool>("green");
    QTest::addColumn<bool>("blue");
    QTest::addColumn<uint32_t>("mask");
    QTest::newRow("none: black") << false << false << false << 0x000000u;
    QTest::newRow("red") << true << false << false << 0xFF0000u;
    QTest::newRow("blue") << false << false << true << 0x0000FFu;
    QTest::newRow("red and green") << true << true << false << 0xFFFF00u;
    QTest::newRow("green and blue") << false << true << true << 0x00FFFFu;
    QTest::newRow("all three: the original") << true << true << true << 0xFFFFFFu;
}

void TstRGBF::switchesRecomposeByOr()
{
    QFETCH(bool, red);
    QFETCH(bool, green);
    QFETCH(bool, blue);
    QFETCH(uint32_t, mask);
    check("RGBCheck")->click();
    QVERIFY(window->Decomposing());
    // Each component is its primary at the original intensity, on black.
    const QPoint at(W / 2, H / 2 + 20);
    const uint32_t original = window->Original().GetPixel(at.x(), at.y());
    QCOMPARE(zonePixel("Zone1", at), original & 0xFF0000u);
    QCOMPARE(zonePixel("Zone2", at), original & 0x00FF00u);
    QCOMPARE(zonePixel("Zone3", at), original & 0x0000FFu);
    if (red)
        check("RCheck")->click();
    if (green)
        check("GCheck")->click();
    if (blue)
        check("BCheck")->click();
    QCOMPARE(window->RedOn(), red);
    QCOMPARE(window->GreenOn(), green);
    QCOMPARE(window->BlueOn(), blue);
    compareRecomposed(mask);
    QCOMPARE(zonePixel("Zone4", at), original & mask);
}

void TstRGBF::decompositionOffKeepsSwitches()
{
    check("RGBCheck")->click();
    check("RCheck")->click();
    check("GCheck")->click();
    check("RGBCheck")->click();
    QVERIFY(!window->Decomposing());
    for (const char *name : {"Zone1", "Zone2", "Zone3", "Zone4"})
        QCOMPARE(zonePixel(name, QPoint(100, 50)), kGrey);
    QVERIFY(check("RCheck")->isChecked());
    QVERIFY(check("GCheck")->isChecked());
    QVERIFY(window->RedOn() && window->GreenOn());
    // A switch moved while off leaves the empty frame.
    check("BCheck")->click();
    QCOMPARE(zonePixel("Zone4", QPoint(100, 50)), kGrey);
    check("BCheck")->click();
    check("RGBCheck")->click();
    compareRecomposed(0xFFFF00u);
}

void TstRGBF::typicalUseWithJpeg()
{
    const QString path = writeTestJpeg();
    QVERIFY(!path.isEmpty());
    QSignalSpy closed(window.get(), &ModuleWindow::Closed);

    openThroughDialog(path);
    QCOMPARE(TheImage().ImageKind, kImageBitmap);
    QCOMPARE(window->windowTitle(),
        kPrefix + QStringLiteral(" - ") + path + QStringLiteral(" ( 96 sur 64 pixels )"));
    // The picture is centred on the white ground.
    QCOMPARE(window->Original().GetPixel(kInWhite.x(), kInWhite.y()), kWhite);
    QCOMPARE(window->Original().GetPixel(kInBlue.x(), kInBlue.y()) & 0xFFFF00u, 0u);
    QVERIFY(window->Original().GetPixel(kInBlue.x(), kInBlue.y()) >= 0xF0u);
    QCOMPARE(window->Original().GetPixel(5, 5), kWhite);
    QCOMPARE(zonePixel("OriginZone", kInWhite), kWhite);

    check("RGBCheck")->click();
    check("RCheck")->click();
    check("GCheck")->click();
    // White less its blue is yellow; blue less its blue is black.
    QCOMPARE(zonePixel("Zone4", kInWhite), kYellow);
    QCOMPARE(zonePixel("Zone4", kInBlue), kBlack);
    compareRecomposed(0xFFFF00u);

    button("CopierBout")->click();
    const QImage copy = QApplication::clipboard()->image();
    QCOMPARE(copy.size(), QSize(3 * W, 2 * H));
    const uint32_t blueOfBlue = window->Original().GetPixel(kInBlue.x(), kInBlue.y());
    const struct {
        QPoint at;
        uint32_t colour;
    } expected[] = {
        {kInWhite, kWhite}, // original
        {kInWhite + QPoint(W, 0), kRed}, // red component
        {kInWhite + QPoint(2 * W, 0), 0x00FF00u}, // green component
        {kInWhite + QPoint(0, H), 0x0000FFu}, // blue component
        {kInBlue + QPoint(0, H), blueOfBlue}, // blue component of the blue half
        {kInWhite + QPoint(W, H), kBlack}, // the logo's place stays black
        {kInWhite + QPoint(2 * W, H), kYellow}, // recomposed
        {kInBlue + QPoint(2 * W, H), kBlack},
    };
    for (const auto &e : expected)
        QCOMPARE(copy.pixel(e.at) & 0xFFFFFFu, e.colour);

    window->close();
    QCOMPARE(closed.count(), 1);
    QVERIFY(!window->Original().HasBitmap());
    QVERIFY(!window->Recomposed().HasBitmap());
    QCOMPARE(TheImage().ImageKind, kImageNone);
}

void TstRGBF::newImageAndDefaultResetEverything()
{
    for (const char *name : {"RGBCheck", "RCheck", "GCheck", "BCheck"})
        check(name)->click();
    const QString path = writeTestJpeg();
    QVERIFY(!path.isEmpty());
    openThroughDialog(path);
    for (const char *name : {"RGBCheck", "RCheck", "GCheck", "BCheck"})
        QVERIFY2(!check(name)->isChecked(), name);
    QVERIFY(!window->Decomposing() && !window->RedOn() && !window->GreenOn() && !window->BlueOn());
    for (const char *name : {"Zone1", "Zone2", "Zone3", "Zone4"})
        QCOMPARE(zonePixel(name, QPoint(100, 50)), kGrey);

    // A cancelled dialog keeps the picture and the caption.
    const QString caption = window->windowTitle();
    openThroughDialog(QString());
    QCOMPARE(window->windowTitle(), caption);
    QCOMPARE(window->Original().GetPixel(kInWhite.x(), kInWhite.y()), kWhite);

    check("RGBCheck")->click();
    button("DefautBout")->click();
    QVERIFY(!check("RGBCheck")->isChecked());
    QCOMPARE(TheImage().ImageKind, kImageTestCard);
    QCOMPARE(window->windowTitle(), kDefaultCaption);
    TDibPlus card(W, H);
    DrawTestCard(card);
    for (const QPoint p : {QPoint(W / 2, H / 2), QPoint(80, 30), kInWhite, kInBlue})
        QCOMPARE(window->Original().GetPixel(p.x(), p.y()), card.GetPixel(p.x(), p.y()));
}

void TstRGBF::stretchFillsTheArea()
{
    const QString path = writeTestJpeg();
    QVERIFY(!path.isEmpty());
    openThroughDialog(path);
    check("RGBCheck")->click();
    check("StretchCheck")->click();
    QVERIFY(TheImage().StretchImage);
    QVERIFY(!check("RGBCheck")->isChecked());
    // Stretched over the whole area: white on the left edge, blue on the right.
    QCOMPARE(window->Original().GetPixel(0, 0), kWhite);
    QCOMPARE(window->Original().GetPixel(W - 1, H - 1) & 0xFFFF00u, 0u);
    QCOMPARE(zonePixel("OriginZone", QPoint(W - 1, H - 1)) & 0xFFFF00u, 0u);
}

void TstRGBF::copyWhileOffHoldsOriginalOnly()
{
    check("RCheck")->click();
    button("CopierBout")->click();
    const QImage copy = QApplication::clipboard()->image();
    QCOMPARE(copy.size(), QSize(3 * W, 2 * H));
    for (int y = 0; y < H; y += 10)
        for (int x = 0; x < W; x += 10)
            QCOMPARE(copy.pixel(x, y) & 0xFFFFFFu, window->Original().GetPixel(x, y));
    for (const QPoint corner : {QPoint(W, 0), QPoint(2 * W, 0), QPoint(0, H), QPoint(W, H),
             QPoint(2 * W, H), QPoint(3 * W - 1, 2 * H - 1)})
        QCOMPARE(copy.pixel(corner) & 0xFFFFFFu, kBlack);
}

void TstRGBF::catalogueOpensAndResets()
{
    const QString path = writeTestJpeg();
    QVERIFY(!path.isEmpty());
    SetCataloguePicker([path] { return path; });
    check("RGBCheck")->click();
    button("OuvrePlusBout")->click();
    QCOMPARE(window->windowTitle(),
        kPrefix + QStringLiteral(" - ") + path + QStringLiteral(" ( 96 sur 64 pixels )"));
    QVERIFY(!check("RGBCheck")->isChecked());
    QCOMPARE(window->Original().GetPixel(kInWhite.x(), kInWhite.y()), kWhite);
    // The catalogue closed without a choice: nothing changes.
    SetCataloguePicker([] { return QStringLiteral("None"); });
    const QString caption = window->windowTitle();
    button("OuvrePlusBout")->click();
    QCOMPARE(window->windowTitle(), caption);
    QCOMPARE(TheImage().ImageKind, kImageBitmap);
}

void TstRGBF::catalogueFollowsBrowserFlag()
{
    QVERIFY(button("OuvrePlusBout")->isEnabled());
    window->close();
    AppSettings().BrowserFlag = false;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QVERIFY(!button("OuvrePlusBout")->isEnabled());
    QCOMPARE(window->windowTitle(), kDefaultCaption);
    QCOMPARE(window->Original().Width(), W);
}

void TstRGBF::controlsCarryTheirHints_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("hint");
    QTest::newRow("close") << "CloseBout"
                           << " Fermer la fenêtre";
    QTest::newRow("copy") << "CopierBout"
                          << " Copier les images dans le presse-papiers";
    QTest::newRow("help") << "AideBout"
                          << " Accéder à l'aide";
    QTest::newRow("open") << "OuvreBout"
                          << " Ouvrir un fichier image";
    QTest::newRow("catalogue") << "OuvrePlusBout"
                               << " Ouvrir avec le catalogue";
    QTest::newRow("default") << "DefautBout"
                             << " Revenir à l'image par défaut";
    QTest::newRow("stretch") << "StretchCheck"
                             << " Déformer l'image pour qu'elle occupe tout l'espace disponible";
    QTest::newRow("decomposition") << "RGBCheck"
                                   << " Activer / Désactiver la décomposition de l'image";
    QTest::newRow("red") << "RCheck"
                         << " Recomposer l'image en utilisant la composante Rouge";
    QTest::newRow("green") << "GCheck"
                           << " Recomposer l'image en utilisant la composante Verte";
    QTest::newRow("blue") << "BCheck"
                          << " Recomposer l'image en utilisant la composante Bleue";
}

void TstRGBF::controlsCarryTheirHints()
{
    QFETCH(QString, name);
    QFETCH(QString, hint);
    const QWidget *control = window->findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->toolTip(), hint);
    QVERIFY(!control->accessibleName().isEmpty());
}

QTEST_MAIN(TstRGBF)
#include "tst_rgbf.moc"
