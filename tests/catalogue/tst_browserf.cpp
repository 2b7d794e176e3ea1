// The catalogue window: its first page, searches and their texts, paging, thumbnails,
// selection, the thumbnail sizes, the folder dialog, closing during a scan and pick mode.
#include "catalogue/BrowserCell.h"
#include "catalogue/BrowserF.h"
#include "shell/ParcourF.h"
#include "shell/Settings.h"

#include "../imaging/WmfBuilder.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <cstdlib>
#include <memory>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace kaleno;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr uint32_t kRedPixel = 0xFF0000;
constexpr uint32_t kWhitePixel = 0xFFFFFF;
constexpr uint32_t kBlackPixel = 0x000000;
constexpr uint32_t kGreyPixel = 0x808080;
constexpr uint32_t kBluePixel = 0x0000FF;

// A 1 x 1 GIF whose only pixel is red.
const QByteArray kRedGif
    = QByteArray::fromHex("474946383961 01000100 800000 ff0000 000000"
                          "21f90400000000 00 2c00000000010001000002024401003b");

bool WriteBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool WriteImage(const QString &path, QSize size, const char *format, QColor colour = Qt::red)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image.save(path, format);
}

// A placeable metafile of 200 x 100 pixels (at 96 units per inch) that draws nothing.
QByteArray BlankMetafile()
{
    wmf::Builder builder;
    builder.placeable = QRect(0, 0, 200, 100);
    builder.unitsPerInch = 96;
    return builder.Build();
}

uint32_t FacePixel()
{
    const QColor face = QApplication::palette().color(QPalette::Button);
    return uint32_t(face.red()) << 16 | uint32_t(face.green()) << 8 | uint32_t(face.blue());
}

} // namespace

class TestBrowserF : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void showsPromptAndEmptyCells();
    void searchCountsAndTexts_data();
    void searchCountsAndTexts();
    void twentyFiveFilesPageThroughThreePages();
    void thumbnailFitsItsSquare_data();
    void thumbnailFitsItsSquare();
    void brokenFilesKeepEmptyThumbnails();
    void clickSelectsAndShowsTheFile();
    void thumbnailSizeSetsWindowSize_data();
    void thumbnailSizeSetsWindowSize();
    void checkBoxesChangeTheSettings();
    void folderDialogSetsThePath_data();
    void folderDialogSetsThePath();
    void symlinkLoopSearchEnds();
    void closingDuringScanStopsIt();
    void pickModeReturnsTheClickedFile();
    void pickModeClosedReturnsNone();

private:
    QString path(const QString &relative) const { return QDir(tmp->path()).filePath(relative); }
    template <typename T> T *child(const char *name) const
    {
        return window->findChild<T *>(QLatin1String(name));
    }
    QString text(const char *name) const { return child<QLabel>(name)->text(); }
    QPushButton *button(const char *name) const { return child<QPushButton>(name); }
    QString cellLabel(int k) const
    {
        return window->Cell(k)->findChild<QLabel *>(u"Label"_s)->text();
    }
    // On the box itself: a click right of a short caption misses the check box.
    void clickCheck(const char *name)
    {
        QCheckBox *box = child<QCheckBox>(name);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }
    void makeBitmaps(const QString &folder, int count);
    // click() runs the search at once, before any event is processed.
    void search() { button("SearchBout")->click(); }

    std::unique_ptr<QTemporaryDir> tmp;
    std::unique_ptr<TBrowserF> window;
};

void TestBrowserF::init()
{
    tmp = std::make_unique<QTemporaryDir>();
    QVERIFY(tmp->isValid());
    AppSettings() = Settings();
    AppSettings().brwPath = QDir::toNativeSeparators(tmp->path());
    window = std::make_unique<TBrowserF>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void TestBrowserF::cleanup()
{
    window.reset();
    tmp.reset();
}

void TestBrowserF::makeBitmaps(const QString &folder, int count)
{
    for (int i = 0; i < count; ++i)
        QVERIFY(
            WriteImage(path(folder + u"b%1.bmp"_s.arg(i, 3, 10, QLatin1Char('0'))), {2, 2}, "BMP"));
}

void TestBrowserF::showsPromptAndEmptyCells()
{
    QCOMPARE(window->objectName(), u"TBrowserF"_s);
    QCOMPARE(window->windowTitle(), u" Cataloguer les images"_s);
    QCOMPARE(window->size(), QSize(598, 370));
    QCOMPARE(text("Status"), u"Appuyez sur le bouton \"Rechercher\" pour lancer la recherche"_s);
    QCOMPARE(text("Status2"), u"Recherche limitée pour les métafichiers à 50 exemplaires."_s);
    QCOMPARE(text("Pagelab"), u"Page 0 sur 0"_s);
    QCOMPARE(child<QLineEdit>("PathEd")->text(), AppSettings().brwPath);
    QCOMPARE(child<QComboBox>("wThumbCombo")->currentIndex(), 1);
    QVERIFY(!button("OpenBout")->isEnabled());
    QVERIFY(!button("PredBout")->isEnabled());
    QVERIFY(!button("SuccBout")->isEnabled());
    QCOMPARE(window->Cell(12)->pos(), QPoint(497, 222));
    for (int k = 1; k <= 12; ++k)
        QCOMPARE(cellLabel(k), u"Pas d'image"_s);
    // The empty thumbnail: white, a black frame, grey diagonals.
    const TDibPlus &empty = window->Cell(1)->Thumbnail();
    QCOMPARE(empty.Width(), 80);
    QCOMPARE(empty.GetPixel(0, 40), kBlackPixel);
    QCOMPARE(empty.GetPixel(79, 40), kBlackPixel);
    QCOMPARE(empty.GetPixel(40, 40), kGreyPixel);
    QCOMPARE(empty.GetPixel(20, 20), kGreyPixel);
    QCOMPARE(empty.GetPixel(40, 10), kWhitePixel);
}

void TestBrowserF::searchCountsAndTexts_data()
{
    QTest::addColumn<int>("topFiles");
    QTest::addColumn<int>("subFiles");
    QTest::addColumn<bool>("recurse");
    QTest::addColumn<int>("found");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("status2");
    QTest::addColumn<QString>("pages");

    QTest::newRow("0 files") << 0 << 0 << false << 0 << u"0 Fichier image trouvé"_s
                             << u"0 BitMap, 0 Métafichier, 0 Gif, 0 Jpeg"_s << u"Page 0 sur 0"_s;
    QTest::newRow("1 file") << 1 << 0 << false << 1 << u"1 Fichier image trouvé"_s
                            << u"1 BitMap, 0 Métafichier, 0 Gif, 0 Jpeg"_s << u"Page 1 sur 1"_s;
    QTest::newRow("2 files") << 2 << 0 << false << 2 << u"2 Fichiers image trouvés"_s
                             << u"2 BitMaps, 0 Métafichier, 0 Gif, 0 Jpeg"_s << u"Page 1 sur 1"_s;
    QTest::newRow("25 files") << 25 << 0 << false << 25 << u"25 Fichiers image trouvés"_s
                              << u"25 BitMaps, 0 Métafichier, 0 Gif, 0 Jpeg"_s << u"Page 1 sur 3"_s;
    QTest::newRow("150 files")
        << 150 << 0 << false << 100
        << u"100 Fichiers image trouvés  ( recherche limitée à 100 fichiers )."_s
        << u"100 BitMaps, 0 Métafichier, 0 Gif, 0 Jpeg"_s << u"Page 1 sur 9"_s;
    QTest::newRow("sub-folder off")
        << 1 << 12 << false << 1 << u"1 Fichier image trouvé"_s
        << u"1 BitMap, 0 Métafichier, 0 Gif, 0 Jpeg"_s << u"Page 1 sur 1"_s;
    QTest::newRow("sub-folder on")
        << 1 << 12 << true << 13 << u"13 Fichiers image trouvés"_s
        << u"13 BitMaps, 0 Métafichier, 0 Gif, 0 Jpeg"_s << u"Page 1 sur 2"_s;
}

void TestBrowserF::searchCountsAndTexts()
{
    QFETCH(int, topFiles);
    QFETCH(int, subFiles);
    QFETCH(bool, recurse);
    QFETCH(int, found);
    makeBitmaps({}, topFiles);
    makeBitmaps(u"sous/"_s, subFiles);
    if (child<QCheckBox>("RecurseCheck")->isChecked() != recurse)
        clickCheck("RecurseCheck");
    QCOMPARE(AppSettings().brwRecurseFlag, recurse);

    search();
    QCOMPARE(window->Result().FileCount, found);
    QTEST(text("Status"), "status");
    QTEST(text("Status2"), "status2");
    QTEST(text("Pagelab"), "pages");
    const QString limit = found == 100 ? u" ( recherche limitée à 100 fichiers )."_s : u"."_s;
    QCOMPARE(window->windowTitle(),
        u" Catalogue des images, dossier : "_s + AppSettings().brwPath + u" - "_s
            + QString::number(found) + u" fichiers trouvés"_s + limit);
    QCOMPARE(window->CurrentPage(), found > 0 ? 1 : 0);
    QCOMPARE(button("SuccBout")->isEnabled(), found > 12);
    QVERIFY(!button("PredBout")->isEnabled());
    QVERIFY(button("SearchBout")->isEnabled());
    QCOMPARE(cellLabel(1), found > 0 ? u"b000.bmp"_s : u"Pas d'image"_s);
}

void TestBrowserF::twentyFiveFilesPageThroughThreePages()
{
    makeBitmaps({}, 25);
    search();
    QCOMPARE(window->PageCount(), 3);
    QTest::mouseClick(button("SuccBout"), Qt::LeftButton);
    QCOMPARE(text("Pagelab"), u"Page 2 sur 3"_s);
    QCOMPARE(cellLabel(1), u"b012.bmp"_s);
    QVERIFY(button("PredBout")->isEnabled());
    QTest::mouseClick(button("SuccBout"), Qt::LeftButton);
    QCOMPARE(text("Pagelab"), u"Page 3 sur 3"_s);
    QVERIFY(!button("SuccBout")->isEnabled());
    QCOMPARE(cellLabel(1), u"b024.bmp"_s);
    QVERIFY(window->Cell(1)->Loaded());
    for (int k = 2; k <= 12; ++k) {
        QCOMPARE(cellLabel(k), u"Pas d'image"_s);
        QVERIFY(!window->Cell(k)->HasFile());
    }
    QTest::mouseClick(button("PredBout"), Qt::LeftButton);
    QTest::mouseClick(button("PredBout"), Qt::LeftButton);
    QCOMPARE(text("Pagelab"), u"Page 1 sur 3"_s);
    QVERIFY(!button("PredBout")->isEnabled());
}

void TestBrowserF::thumbnailFitsItsSquare_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("drawn");
    QTest::addColumn<uint32_t>("colour");
    // In 80-pixel squares.
    QTest::newRow("40 x 30 unscaled, centred")
        << u"small.bmp"_s << QSize(40, 30) << QRect(20, 25, 40, 30) << kRedPixel;
    QTest::newRow("160 x 80 to 80 x 40")
        << u"wide.bmp"_s << QSize(160, 80) << QRect(0, 20, 80, 40) << kRedPixel;
    QTest::newRow("60 x 240 to 20 x 80")
        << u"tall.bmp"_s << QSize(60, 240) << QRect(30, 0, 20, 80) << kRedPixel;
    // 1000 x 750 JPEG: read at an eighth (125 x 94), drawn 80 x 60.
    QTest::newRow("jpeg 1000 x 750 to 80 x 60")
        << u"photo.jpg"_s << QSize(1000, 750) << QRect(0, 10, 80, 60) << kRedPixel;
    QTest::newRow("gif 1 x 1") << u"dot.gif"_s << QSize(1, 1) << QRect(39, 39, 1, 1) << kRedPixel;
    // Metafiles are drawn on white.
    QTest::newRow("metafile 200 x 100")
        << u"plan.wmf"_s << QSize(200, 100) << QRect(0, 20, 80, 40) << kWhitePixel;
}

void TestBrowserF::thumbnailFitsItsSquare()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QFETCH(QRect, drawn);
    QFETCH(uint32_t, colour);
    const QString file = path(name);
    if (name.endsWith(u".gif"_s))
        QVERIFY(WriteBytes(file, kRedGif));
    else if (name.endsWith(u".wmf"_s))
        QVERIFY(WriteBytes(file, BlankMetafile()));
    else
        QVERIFY(WriteImage(file, size, name.endsWith(u".jpg"_s) ? "JPG" : "BMP"));
    search();
    const BrowserCell *cell = window->Cell(1);
    QVERIFY(cell->Loaded());
    QCOMPARE(cell->NaturalSize(), size);
    const TDibPlus &thumb = cell->Thumbnail();
    // A JPEG's red comes back within a few steps.
    auto near = [](uint32_t a, uint32_t b) {
        for (int shift : {0, 8, 16}) {
            if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 8)
                return false;
        }
        return true;
    };
    for (const QPoint corner :
        {drawn.topLeft(), drawn.bottomRight(), drawn.topRight(), drawn.bottomLeft()}) {
        QVERIFY2(near(thumb.GetPixel(corner.x(), corner.y()), colour),
            qPrintable(u"inside at %1,%2"_s.arg(corner.x()).arg(corner.y())));
    }
    const uint32_t face = FacePixel();
    if (drawn.top() > 0)
        QCOMPARE(thumb.GetPixel(drawn.left(), drawn.top() - 1), face);
    if (drawn.bottom() < 79)
        QCOMPARE(thumb.GetPixel(drawn.left(), drawn.bottom() + 1), face);
    if (drawn.left() > 0)
        QCOMPARE(thumb.GetPixel(drawn.left() - 1, drawn.top()), face);
    if (drawn.right() < 79)
        QCOMPARE(thumb.GetPixel(drawn.right() + 1, drawn.top()), face);
}

void TestBrowserF::brokenFilesKeepEmptyThumbnails()
{
    QVERIFY(WriteBytes(path(u"empty.bmp"_s), {}));
    QVERIFY(WriteBytes(path(u"garbage.jpg"_s), QByteArray(5000, '\x5a')));
    QVERIFY(WriteBytes(path(u"truncated.jpg"_s), QByteArray::fromHex("ffd8ffe000104a464946")));
    QVERIFY(WriteBytes(path(u"notagif.gif"_s), QByteArray("GIF89a")));
    QVERIFY(WriteBytes(path(u"notawmf.wmf"_s), QByteArray(64, '\0')));
    QVERIFY(WriteBytes(path(u"lying.bmp"_s), QByteArray("BM") + QByteArray(60, '\xff')));
    QVERIFY(WriteImage(path(u"ignored.png"_s), {4, 4}, "PNG"));
    QVERIFY(QDir(tmp->path()).mkpath(u"folder.bmp"_s));
#ifdef Q_OS_UNIX
    // Reading a pipe would wait for ever: it is not a file of the catalogue.
    QCOMPARE(::mkfifo(QFile::encodeName(path(u"pipe.jpg"_s)).constData(), 0600), 0);
#endif
    search();
    QCOMPARE(text("Status"), u"6 Fichiers image trouvés"_s);
    QCOMPARE(text("Status2"), u"2 BitMaps, 1 Métafichier, 1 Gif, 2 Jpegs"_s);
    for (int k = 1; k <= 6; ++k) {
        QVERIFY(window->Cell(k)->HasFile());
        QVERIFY(!window->Cell(k)->Loaded());
        QCOMPARE(window->Cell(k)->Thumbnail().GetPixel(40, 40), kGreyPixel);
        QCOMPARE(window->Cell(k)->NaturalSize(), QSize());
    }
    QVERIFY(!window->Cell(7)->HasFile());
}

void TestBrowserF::clickSelectsAndShowsTheFile()
{
    QVERIFY(WriteImage(path(u"a.bmp"_s), {40, 30}, "BMP"));
    QVERIFY(WriteImage(path(u"b.bmp"_s), {160, 80}, "BMP"));
    search();
    BrowserCell *second = window->Cell(2);
    QTest::mouseClick(second, Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(window->Selected(), 2);
    QCOMPARE(text("Status"), u"Fichier : "_s + QDir::toNativeSeparators(path(u"b.bmp"_s)));
    QCOMPARE(text("Status2"), u"Taille : 160 sur 80 pixels"_s);
    // The square around the picture turns blue with the panel.
    QCOMPARE(second->Thumbnail().GetPixel(0, 0), kBluePixel);
    QVERIFY(!button("OpenBout")->isEnabled()); // browsing only

    // Another cell takes the selection; the first goes back to the button face.
    QTest::mouseClick(window->Cell(1), Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(window->Selected(), 1);
    QCOMPARE(second->Thumbnail().GetPixel(0, 0), FacePixel());
    QCOMPARE(text("Status2"), u"Taille : 40 sur 30 pixels"_s);

    // Clicking the selected cell again clears the selection and brings the counts back.
    QTest::mouseClick(window->Cell(1), Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(window->Selected(), -1);
    QCOMPARE(text("Status"), u"2 Fichiers image trouvés"_s);
    QCOMPARE(text("Status2"), u"2 BitMaps, 0 Métafichier, 0 Gif, 0 Jpeg"_s);
}

void TestBrowserF::thumbnailSizeSetsWindowSize_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("thumb");
    QTest::addColumn<QSize>("client");
    QTest::newRow("60") << 0 << 60 << QSize(518, 370);
    QTest::newRow("100") << 2 << 100 << QSize(678, 430);
    QTest::newRow("120") << 3 << 120 << QSize(758, 490);
}

void TestBrowserF::thumbnailSizeSetsWindowSize()
{
    QFETCH(int, index);
    QFETCH(int, thumb);
    QVERIFY(WriteImage(path(u"wide.bmp"_s), {160, 80}, "BMP"));
    search();
    child<QComboBox>("wThumbCombo")->setCurrentIndex(index);
    QCOMPARE(AppSettings().wThumb, thumb);
    QFETCH(QSize, client);
    QTRY_COMPARE(window->size(), client);
    const TDibPlus &square = window->Cell(1)->Thumbnail();
    QCOMPARE(square.Width(), thumb);
    // The picture kept from the search is fitted again: thumb x thumb / 2, centred.
    QCOMPARE(square.GetPixel(0, thumb / 4), kRedPixel);
    QCOMPARE(square.GetPixel(thumb - 1, thumb * 3 / 4 - 1), kRedPixel);
    QCOMPARE(square.GetPixel(0, thumb / 4 - 1), FacePixel());
    QCOMPARE(window->Cell(12)->Thumbnail().Width(), thumb);
}

void TestBrowserF::checkBoxesChangeTheSettings()
{
    QVERIFY(WriteImage(path(u"a.bmp"_s), {2, 2}, "BMP"));
    QVERIFY(WriteBytes(path(u"b.gif"_s), kRedGif));
    clickCheck("BmpCheck");
    QCOMPARE(AppSettings().brwBmpFlag, false);
    clickCheck("MetaCheck");
    QCOMPARE(AppSettings().brwMetaFlag, false);
    search();
    QCOMPARE(text("Status2"), u"0 BitMap, 0 Métafichier, 1 Gif, 0 Jpeg"_s);
    clickCheck("GifCheck");
    clickCheck("BmpCheck");
    QCOMPARE(AppSettings().brwGifFlag, false);
    QCOMPARE(AppSettings().brwBmpFlag, true);
    // Nothing changes until the next search.
    QCOMPARE(text("Status2"), u"0 BitMap, 0 Métafichier, 1 Gif, 0 Jpeg"_s);
    search();
    QCOMPARE(text("Status2"), u"1 BitMap, 0 Métafichier, 0 Gif, 0 Jpeg"_s);
}

void TestBrowserF::folderDialogSetsThePath_data()
{
    QTest::addColumn<bool>("ok");
    QTest::newRow("ok") << true;
    QTest::newRow("cancel") << false;
}

void TestBrowserF::folderDialogSetsThePath()
{
    QFETCH(bool, ok);
    QVERIFY(QDir(tmp->path()).mkpath(u"images"_s));
    TParcourF folders;
    window->SetFolderDialog(&folders);
    const QString before = AppSettings().brwPath;
    bool opened = false;
    QTimer::singleShot(0, &folders, [&] {
        opened = folders.isVisible() && folders.InitialPath() == before;
        auto *list = folders.findChild<QTreeWidget *>(u"DirBox"_s);
        const QList<QTreeWidgetItem *> items
            = list->findItems(u"images"_s, Qt::MatchExactly | Qt::MatchRecursive);
        if (!items.isEmpty())
            emit list->itemActivated(items.first(), 0);
        folders.findChild<QPushButton *>(ok ? u"OkBout"_s : u"AnnulBout"_s)->click();
    });
    button("ParcoursBout")->click();
    QVERIFY(opened);
    const QString expected = ok ? QDir::toNativeSeparators(path(u"images"_s)) : before;
    QCOMPARE(AppSettings().brwPath, expected);
    QCOMPARE(child<QLineEdit>("PathEd")->text(), expected);
}

void TestBrowserF::symlinkLoopSearchEnds()
{
    makeBitmaps(u"a/"_s, 2);
    if (!QFile::link(tmp->path(), path(u"a/loop"_s)))
        QSKIP("This file system does not make symbolic links");
    clickCheck("RecurseCheck");
    search();
    QCOMPARE(window->Result().FileCount, 2);
    QCOMPARE(text("Status"), u"2 Fichiers image trouvés"_s);
}

void TestBrowserF::closingDuringScanStopsIt()
{
    makeBitmaps({}, 40);
    makeBitmaps(u"sub/"_s, 40);
    clickCheck("RecurseCheck");
    // Runs from the scan's first pause for events: what the user could press then.
    QList<bool> enabledDuringScan;
    bool scanning = false;
    QTimer::singleShot(0, window.get(), [&] {
        scanning = window->Scanning();
        for (const char *name : {"SearchBout", "ParcoursBout", "PredBout", "SuccBout", "OpenBout"})
            enabledDuringScan << button(name)->isEnabled();
        // A second search pressed meanwhile must not start inside the first.
        window->SearchBoutClick();
        QTest::mouseClick(button("CloseBout"), Qt::LeftButton);
    });
    search();
    QVERIFY(scanning);
    QCOMPARE(enabledDuringScan, QList<bool>(5, false));
    QVERIFY(!window->isVisible());
    QVERIFY(!window->Scanning());
    // The scan stopped before its results were shown, and what it held is freed.
    QCOMPARE(window->windowTitle(), u" Catalogue des images : Recherche en cours"_s);
    QCOMPARE(window->Result().FileCount, 0);
    QVERIFY(!window->Cell(1)->HasFile());

    // The window opens again as new and searches to the end.
    window->show();
    QCOMPARE(text("Pagelab"), u"Page 0 sur 0"_s);
    search();
    QCOMPARE(window->Result().FileCount, 80);
}

void TestBrowserF::pickModeReturnsTheClickedFile()
{
    window->hide();
    QVERIFY(WriteImage(path(u"a.bmp"_s), {4, 4}, "BMP"));
    QVERIFY(WriteBytes(path(u"b.gif"_s), kRedGif));
    bool openDisabledOnEmptyCell = false;
    QTimer::singleShot(0, window.get(), [&] {
        search();
        // An empty cell is selected but chooses nothing.
        QTest::mouseClick(window->Cell(5), Qt::LeftButton, {}, QPoint(3, 3));
        openDisabledOnEmptyCell
            = window->isVisible() && window->Selected() == 5 && !button("OpenBout")->isEnabled();
        QTest::mouseClick(window->Cell(2), Qt::LeftButton, {}, QPoint(3, 3));
    });
    const QString chosen = window->PickFile();
    QCOMPARE(chosen, QDir::toNativeSeparators(path(u"b.gif"_s)));
    QVERIFY(openDisabledOnEmptyCell);
    QVERIFY(!window->isVisible());
    QVERIFY(!window->PickMode());
}

void TestBrowserF::pickModeClosedReturnsNone()
{
    window->hide();
    QVERIFY(WriteImage(path(u"a.bmp"_s), {4, 4}, "BMP"));
    QTimer::singleShot(0, window.get(), [&] {
        search();
        QTest::mouseClick(button("CloseBout"), Qt::LeftButton);
    });
    QCOMPARE(window->PickFile(), u"None"_s);
    QVERIFY(!window->PickMode());
}

QTEST_MAIN(TestBrowserF)
#include "tst_browserf.moc"
