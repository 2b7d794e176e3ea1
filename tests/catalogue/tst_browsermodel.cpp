// The catalogue's model: the folder scan with its kinds, order, limit and loops; the
// counters and French texts with their plurals; paging, cell geometry and the name label.
#include "catalogue/BrowserModel.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kaleno::catalogue;
using namespace Qt::Literals::StringLiterals;

namespace {

// A folder tree from "relative/path" entries; a path ending in '/' is a folder.
bool MakeTree(const QDir &root, const QStringList &entries)
{
    for (const QString &entry : entries) {
        if (entry.endsWith(QLatin1Char('/'))) {
            if (!root.mkpath(entry))
                return false;
            continue;
        }
        const QString path = root.filePath(entry);
        if (!root.mkpath(QFileInfo(path).absolutePath()))
            return false;
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        file.write("x");
    }
    return true;
}

// n files named f000.<ext>, f001.<ext>, ... under `folder`.
QStringList Numbered(const QString &folder, int n, const QString &ext)
{
    QStringList names;
    for (int i = 0; i < n; ++i)
        names << folder + QStringLiteral("f%1.").arg(i, 3, 10, QLatin1Char('0')) + ext;
    return names;
}

SearchResult Found(const QStringList &names)
{
    SearchResult result;
    for (const QString &name : names)
        result.AddFound(QStringLiteral("/x/") + name);
    return result;
}

} // namespace

class TestBrowserModel : public QObject {
    Q_OBJECT

private slots:
    void countsAndTexts_data();
    void countsAndTexts();
    void scanCounts_data();
    void scanCounts();
    void missingFolderYieldsNothing_data();
    void missingFolderYieldsNothing();
    void scanOrderIsKindsThenFoldersDepthFirst();
    void limitKeepsFirstHundredAndScanGoesOn();
    void symlinkLoopEnds();
    void keepGoingFalseStopsAtOnce();
    void paging_data();
    void paging();
    void windowGeometry_data();
    void windowGeometry();
    void shortenedLabel_data();
    void shortenedLabel();
};

void TestBrowserModel::countsAndTexts_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("fileCount");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("status2");
    QTest::addColumn<QString>("caption");

    QTest::newRow("none") << QStringList() << 0 << u"0 Fichier image trouvé"_s
                          << u"0 BitMap, 0 Métafichier, 0 Gif, 0 Jpeg"_s
                          << u" Catalogue des images, dossier : /x - 0 fichiers trouvés."_s;
    QTest::newRow("one") << QStringList {u"a.gif"_s} << 1 << u"1 Fichier image trouvé"_s
                         << u"0 BitMap, 0 Métafichier, 1 Gif, 0 Jpeg"_s
                         << u" Catalogue des images, dossier : /x - 1 fichiers trouvés."_s;
    QTest::newRow("two") << QStringList {u"a.jpg"_s, u"b.JPG"_s} << 2
                         << u"2 Fichiers image trouvés"_s
                         << u"0 BitMap, 0 Métafichier, 0 Gif, 2 Jpegs"_s
                         << u" Catalogue des images, dossier : /x - 2 fichiers trouvés."_s;
    // 10 + 5 + 2 + 8: every word of the second line takes its s.
    QTest::newRow("twenty-five") << Numbered({}, 10, u"bmp"_s) + Numbered({}, 5, u"wmf"_s)
            + Numbered({}, 2, u"gif"_s) + Numbered({}, 8, u"jpg"_s)
                                 << 25 << u"25 Fichiers image trouvés"_s
                                 << u"10 BitMaps, 5 Métafichiers, 2 Gifs, 8 Jpegs"_s
                                 << u" Catalogue des images, dossier : /x - 25 fichiers trouvés."_s;
    // 99 bitmaps, then a metafile (the hundredth), then 50 more that are not counted.
    QTest::newRow("hundred and fifty")
        << Numbered({}, 99, u"bmp"_s) + Numbered({}, 1, u"wmf"_s) + Numbered({}, 50, u"gif"_s)
        << 100 << u"100 Fichiers image trouvés  ( recherche limitée à 100 fichiers )."_s
        << u"99 BitMaps, 1 Métafichier, 0 Gif, 0 Jpeg"_s
        << u" Catalogue des images, dossier : /x - 100 fichiers trouvés ( recherche limitée à 100 fichiers )."_s;
}

void TestBrowserModel::countsAndTexts()
{
    QFETCH(QStringList, names);
    const SearchResult result = Found(names);
    QTEST(result.FileCount, "fileCount");
    QCOMPARE(result.FileList.size(), result.FileCount);
    QTEST(CountStatus(result), "status");
    QTEST(KindStatus(result), "status2");
    QTEST(ResultCaption(u"/x"_s, result), "caption");
}

void TestBrowserModel::scanCounts_data()
{
    QTest::addColumn<QStringList>("tree");
    QTest::addColumn<bool>("recurse");
    QTest::addColumn<bool>("bitmaps");
    // Expected: files counted, then BMP, WMF, GIF, JPEG counters, then folders entered.
    QTest::addColumn<QList<int>>("counts");

    QTest::newRow("empty folder") << QStringList() << false << true
                                  << QList<int> {0, 0, 0, 0, 0, 0};
    QTest::newRow("one file") << QStringList {u"a.bmp"_s} << false << true
                              << QList<int> {1, 1, 0, 0, 0, 0};
    QTest::newRow("two kinds") << QStringList {u"a.gif"_s, u"b.wmf"_s} << false << true
                               << QList<int> {2, 0, 1, 1, 0, 0};
    QTest::newRow("25 files") << Numbered({}, 25, u"jpg"_s) << false << true
                              << QList<int> {25, 0, 0, 0, 25, 0};
    QTest::newRow("150 files") << Numbered({}, 150, u"bmp"_s) << false << true
                               << QList<int> {100, 100, 0, 0, 0, 0};
    // Upper-case extensions match as on Windows; other extensions and folders named like
    // images are not files of the catalogue.
    QTest::newRow("extensions") << QStringList {u"A.BMP"_s, u"b.Jpg"_s, u"c.png"_s, u"d.jpeg"_s,
        u"e.txt"_s, u"noext"_s, u"f.gif/"_s}
                                << false << true << QList<int> {2, 1, 0, 0, 1, 1};
    const QStringList nested {
        u"top.bmp"_s, u"sub/a.gif"_s, u"sub/deep/b.jpg"_s, u"sub/deep/c.jpg"_s, u"other/d.wmf"_s};
    QTest::newRow("sub-folders off") << nested << false << true << QList<int> {1, 1, 0, 0, 0, 2};
    QTest::newRow("sub-folders on") << nested << true << true << QList<int> {5, 1, 1, 1, 2, 3};
    QTest::newRow("bitmaps off") << nested << true << false << QList<int> {4, 0, 1, 1, 2, 3};
}

void TestBrowserModel::scanCounts()
{
    QFETCH(QStringList, tree);
    QFETCH(bool, recurse);
    QFETCH(bool, bitmaps);
    QFETCH(QList<int>, counts);
    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    QVERIFY(MakeTree(QDir(tmp.path()), tree));

    ScanKinds kinds;
    kinds.bmp = bitmaps;
    int entered = 0;
    ScanHooks hooks;
    hooks.folderEntered = [&entered](const QString &) { ++entered; };
    // A trailing separator is dropped before the scan.
    const SearchResult result
        = SearchFolder(QDir::toNativeSeparators(tmp.path() + u'/'), recurse, kinds, hooks);
    QCOMPARE(result.FileCount, counts[0]);
    QCOMPARE(result.BmpCount, counts[1]);
    QCOMPARE(result.WmfCount, counts[2]);
    QCOMPARE(result.GifCount, counts[3]);
    QCOMPARE(result.JpgCount, counts[4]);
    QCOMPARE(entered, counts[5]);
    QCOMPARE(result.LimitReached, tree.size() > kMaxFiles);
}

void TestBrowserModel::missingFolderYieldsNothing_data()
{
    QTest::addColumn<QString>("folder");
    QTest::newRow("empty path") << QString();
    QTest::newRow("blank path") << u"   "_s;
    QTest::newRow("no such folder") << u"gone/away"_s;
    QTest::newRow("a file") << u"a.bmp"_s;
}

void TestBrowserModel::missingFolderYieldsNothing()
{
    QFETCH(QString, folder);
    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    QVERIFY(MakeTree(QDir(tmp.path()), {u"a.bmp"_s}));
    // Relative names are taken inside the temporary folder, never the current one.
    const QString path = folder.trimmed().isEmpty() ? folder : QDir(tmp.path()).filePath(folder);
    int events = 0;
    ScanHooks hooks;
    hooks.folderEntered = [&events](const QString &) { ++events; };
    const SearchResult result = SearchFolder(path, true, ScanKinds(), hooks);
    QCOMPARE(result.FileCount, 0);
    QCOMPARE(events, 0);
    QCOMPARE(CountStatus(result), u"0 Fichier image trouvé"_s);
}

void TestBrowserModel::scanOrderIsKindsThenFoldersDepthFirst()
{
    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    QVERIFY(MakeTree(QDir(tmp.path()),
        {u"z.jpg"_s, u"b.gif"_s, u"y.bmp"_s, u"a.wmf"_s, u"B/in.bmp"_s, u"a/deep/x.gif"_s,
            u"a/w.jpg"_s}));
    QStringList events;
    ScanHooks hooks;
    const QString root = tmp.path() + u'/';
    auto relative = [&root](const QString &path) {
        return QDir::fromNativeSeparators(path).mid(root.size());
    };
    hooks.fileFound = [&](const QString &path) { events << relative(path); };
    hooks.folderEntered = [&](const QString &path) { events << u"> "_s + relative(path); };
    QVERIFY(ScanFolder(tmp.path(), true, ScanKinds(), hooks));
    // In each folder: BMP, WMF, GIF, JPEG, then sub-folders by name, case ignored.
    const QStringList expected {u"y.bmp"_s, u"a.wmf"_s, u"b.gif"_s, u"z.jpg"_s, u"> a"_s,
        u"a/w.jpg"_s, u"> a/deep"_s, u"a/deep/x.gif"_s, u"> B"_s, u"B/in.bmp"_s};
    QCOMPARE(events, expected);
}

void TestBrowserModel::limitKeepsFirstHundredAndScanGoesOn()
{
    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    QVERIFY(MakeTree(QDir(tmp.path()), Numbered({}, 120, u"gif"_s) + QStringList {u"last/"_s}));
    int entered = 0;
    ScanHooks hooks;
    hooks.folderEntered = [&entered](const QString &) { ++entered; };
    const SearchResult result = SearchFolder(tmp.path(), false, ScanKinds(), hooks);
    QCOMPARE(result.FileCount, 100);
    QVERIFY(result.LimitReached);
    QCOMPARE(QFileInfo(result.FileList.first()).fileName(), u"f000.gif"_s);
    QCOMPARE(QFileInfo(result.FileList.last()).fileName(), u"f099.gif"_s);
    // The folder after the 120 files is still reached.
    QCOMPARE(entered, 1);
}

void TestBrowserModel::symlinkLoopEnds()
{
    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    const QDir root(tmp.path());
    QVERIFY(MakeTree(root, {u"a.bmp"_s, u"sub/b.bmp"_s}));
    // sub/up -> the root, and sub/self -> sub: each would loop for ever if followed.
    if (!QFile::link(root.path(), root.filePath(u"sub/up"_s))
        || !QFile::link(root.filePath(u"sub"_s), root.filePath(u"sub/self"_s)))
        QSKIP("This file system does not make symbolic links");
    QStringList entered;
    ScanHooks hooks;
    hooks.folderEntered = [&entered](const QString &path) { entered << path; };
    const SearchResult result = SearchFolder(tmp.path(), true, ScanKinds(), hooks);
    QCOMPARE(result.FileCount, 2);
    QCOMPARE(entered, QStringList {QDir::toNativeSeparators(root.filePath(u"sub"_s))});
}

void TestBrowserModel::keepGoingFalseStopsAtOnce()
{
    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    QVERIFY(MakeTree(QDir(tmp.path()), Numbered({}, 5, u"bmp"_s) + Numbered(u"s/"_s, 5, u"bmp"_s)));
    int asked = 0;
    int found = 0;
    ScanHooks hooks;
    hooks.fileFound = [&found](const QString &) { ++found; };
    hooks.keepGoing = [&asked] { return ++asked < 3; };
    QVERIFY(!ScanFolder(tmp.path(), true, ScanKinds(), hooks));
    QCOMPARE(found, 3);
    QCOMPARE(asked, 3);
}

void TestBrowserModel::paging_data()
{
    QTest::addColumn<int>("fileCount");
    QTest::addColumn<int>("pageCount");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("cell");
    QTest::addColumn<int>("index");
    QTest::newRow("nothing found") << 0 << 0 << 0 << 1 << -1;
    QTest::newRow("one file, cell 1") << 1 << 1 << 1 << 1 << 0;
    QTest::newRow("one file, cell 2") << 1 << 1 << 1 << 2 << -1;
    QTest::newRow("twelve, last cell") << 12 << 1 << 1 << 12 << 11;
    QTest::newRow("thirteen, page 2") << 13 << 2 << 2 << 1 << 12;
    QTest::newRow("25, page 3 cell 1") << 25 << 3 << 3 << 1 << 24;
    QTest::newRow("25, page 3 cell 2") << 25 << 3 << 3 << 2 << -1;
    QTest::newRow("100, page 9 cell 4") << 100 << 9 << 9 << 4 << 99;
    QTest::newRow("cell 13") << 100 << 9 << 1 << 13 << -1;
}

void TestBrowserModel::paging()
{
    QFETCH(int, fileCount);
    QFETCH(int, page);
    QFETCH(int, cell);
    QTEST(PageCountFor(fileCount), "pageCount");
    QTEST(FileIndexOf(page, cell, fileCount), "index");
}

void TestBrowserModel::windowGeometry_data()
{
    QTest::addColumn<int>("thumb");
    QTest::addColumn<int>("comboIndex");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QPoint>("lastCell");
    // Client: (thumb + 16) * 4 + 214 wide; (ch + 4) * 3 + 40 high with ch = thumb + 26,
    // but 106 for 60. Cell (2, 3): ((thumb + 16) * 3 + 209, (thumb + 29) * 2 + 4).
    QTest::newRow("60") << 60 << 0 << QSize(518, 370) << QPoint(437, 182);
    QTest::newRow("80") << 80 << 1 << QSize(598, 370) << QPoint(497, 222);
    QTest::newRow("100") << 100 << 2 << QSize(678, 430) << QPoint(557, 262);
    QTest::newRow("120") << 120 << 3 << QSize(758, 490) << QPoint(617, 302);
}

void TestBrowserModel::windowGeometry()
{
    QFETCH(int, thumb);
    QFETCH(int, comboIndex);
    QTEST(ClientSize(thumb), "client");
    QTEST(CellOrigin(thumb, 2, 3), "lastCell");
    QCOMPARE(CellOrigin(thumb, 0, 0), QPoint(209, 4));
    QCOMPARE(ThumbComboIndex(thumb), comboIndex);
    QCOMPARE(ThumbOfComboIndex(comboIndex), thumb);
    QCOMPARE(ThumbComboItem(comboIndex), u" Vignettes de %1 sur %1 pixels"_s.arg(thumb));
}

void TestBrowserModel::shortenedLabel_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("maxWidth");
    QTest::addColumn<QString>("label");
    // Six pixels a character.
    QTest::newRow("fits") << u"abcde"_s << 30 << u"abcde"_s;
    QTest::newRow("two letters and dots") << u"abcdefgh"_s << 30 << u"ab..."_s;
    QTest::newRow("one over") << u"abcdef"_s << 35 << u"ab..."_s;
    QTest::newRow("nothing fits") << u"abcdef"_s << 10 << u"..."_s;
}

void TestBrowserModel::shortenedLabel()
{
    QFETCH(QString, name);
    QFETCH(int, maxWidth);
    QTEST(ShortenedLabel(name, maxWidth, [](const QString &text) { return 6 * int(text.size()); }),
        "label");
}

QTEST_GUILESS_MAIN(TestBrowserModel)
#include "tst_browsermodel.moc"
