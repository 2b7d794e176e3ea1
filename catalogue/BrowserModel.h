// The arithmetic of the image catalogue apart from its window: the folder scan with its
// limit of 100 files, the counters, the French status texts, paging and cell geometry.
#pragma once

#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

namespace kaleno::catalogue {

inline constexpr int kMaxFiles = 100;
inline constexpr int kRows = 3;
inline constexpr int kColumns = 4;
inline constexpr int kCellsPerPage = kRows * kColumns;
// The four thumbnail sides the window offers, in the order of its list.
inline constexpr std::array<int, 4> kThumbSizes = {60, 80, 100, 120};
inline constexpr int kDefaultThumb = 80;
// Height of the status bar along the bottom of the window.
inline constexpr int kStatusBarHeight = 34;

// What a search found: the first kMaxFiles paths in the order of the scan, and counters.
struct SearchResult {
    QStringList FileList;
    int FileCount = 0;
    int BmpCount = 0;
    int WmfCount = 0;
    int GifCount = 0;
    int JpgCount = 0;
    bool LimitReached = false;

    // Counts a found file while there is room; past the limit only LimitReached is set.
    // The lower-case extension picks the counter: .wmf, .gif, .jpg, anything else BMP.
    void AddFound(const QString &path);
};

// The kinds of image a scan reports, from the window's check boxes.
struct ScanKinds {
    bool bmp = true;
    bool wmf = true;
    bool gif = true;
    bool jpg = true;
};

// What the scan tells its caller. keepGoing is asked after every entry (the window runs
// its pending events there); false ends the scan at once. Every hook may be empty.
struct ScanHooks {
    std::function<void(const QString &path)> fileFound;
    std::function<void(const QString &path)> folderEntered;
    std::function<bool()> keepGoing;
};

// Scans `folder`: first its files of each enabled kind, in the order BMP, WMF, GIF, JPEG
// (extensions in any case, regular files only, entries sorted by name), then each
// sub-folder, reported as entered and, with `recurse`, scanned the same way, depth first.
// Paths are reported in native separators. A trailing separator is ignored; a folder that
// does not exist (or an empty path) yields nothing. Links to folders are never followed and
// a folder reached twice is scanned once, so a loop in the file system ends. Returns false
// when keepGoing stopped it.
bool ScanFolder(
    const QString &folder, bool recurse, const ScanKinds &kinds, const ScanHooks &hooks);

// ScanFolder into a result. fileFound and folderEntered of `hooks` are called as well.
SearchResult SearchFolder(
    const QString &folder, bool recurse, const ScanKinds &kinds, const ScanHooks &hooks = {});

// Texts of the window.
QString PromptStatus(); // before the first search
QString PromptStatus2();
QString SearchingCaption();
QString SearchingStatus(); // first status line while a folder is entered
QString ResultCaption(const QString &folder, const SearchResult &result);
// "1 Fichier image trouvé", "2 Fichiers image trouvés", with the limit notice.
QString CountStatus(const SearchResult &result);
// "0 BitMap, 2 Métafichiers, 1 Gif, 5 Jpegs".
QString KindStatus(const SearchResult &result);
QString FileStatus(const QString &path);
QString SizeStatus(int width, int height);
QString PageLabel(int currentPage, int pageCount);
QString EmptyCellLabel();
QString ThumbComboItem(int index);

// Paging: ceil(fileCount / 12).
int PageCountFor(int fileCount);
// Index in FileList of cell 1..12 of page `page` (1-based), or -1 for an empty cell.
int FileIndexOf(int page, int cell, int fileCount);

// The list item of a thumbnail side (60 first, 100 third, 120 fourth, anything else
// second), and the side of an item (anything out of range gives 80).
int ThumbComboIndex(int thumb);
int ThumbOfComboIndex(int index);

// Cell geometry for thumbnails of side `thumb`: a cell is (thumb + 12) x (thumb + 26).
QSize CellSize(int thumb);
// Top-left corner of the cell at row 0..2, column 0..3, in the window's client area.
QPoint CellOrigin(int thumb, int row, int column);
// The thumbnail inside its cell, and the name label's corner.
QPoint CellImageOrigin();
QPoint CellLabelOrigin(int thumb);
// Client size of the window; 60-pixel thumbnails keep the height of 80-pixel ones, which
// the left column needs.
QSize ClientSize(int thumb);

// The name shown under a thumbnail: the whole name when it fits maxWidth, otherwise
// shortened one character at a time with "..." appended until it fits (or nothing is left
// but "...").
QString ShortenedLabel(
    const QString &name, int maxWidth, const std::function<int(const QString &)> &textWidth);

} // namespace kaleno::catalogue
