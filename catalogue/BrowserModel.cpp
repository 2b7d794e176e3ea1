#include "catalogue/BrowserModel.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace kaleno::catalogue {

namespace {

QString Plural(int count) { return count >= 2 ? QStringLiteral("s") : QString(); }

QString LimitNotice() { return QStringLiteral("( recherche limitée à 100 fichiers )."); }

// The extensions in the order a folder reports them.
enum Kind { kBmp, kWmf, kGif, kJpg, kKindCount };
const std::array<QLatin1StringView, kKindCount> kSuffixes = {QLatin1StringView("bmp"),
    QLatin1StringView("wmf"), QLatin1StringView("gif"), QLatin1StringView("jpg")};

int KindOf(const QFileInfo &info)
{
    const QString suffix = info.suffix();
    for (int kind = 0; kind < kKindCount; ++kind) {
        if (suffix.compare(kSuffixes[kind], Qt::CaseInsensitive) == 0)
            return kind;
    }
    return -1;
}

bool Enabled(const ScanKinds &kinds, int kind)
{
    switch (kind) {
    case kBmp:
        return kinds.bmp;
    case kWmf:
        return kinds.wmf;
    case kGif:
        return kinds.gif;
    case kJpg:
        return kinds.jpg;
    }
    return false;
}

bool IsLink(const QFileInfo &info) { return info.isSymLink() || info.isJunction(); }

class Scanner {
public:
    Scanner(bool recurse, const ScanKinds &kinds, const ScanHooks &hooks)
        : recurse_(recurse)
        , kinds_(kinds)
        , hooks_(hooks)
    {
    }

    // False when the caller asked to stop.
    bool Scan(const QString &folder)
    {
        // A folder reached a second time (a bind mount, a junction the link test missed)
        // would repeat its files and could loop for ever.
        const QString canonical = QFileInfo(folder).canonicalFilePath();
        if (canonical.isEmpty() || visited_.contains(canonical))
            return true;
        visited_.insert(canonical);

        const QDir dir(folder);
        // Hidden files count as on Windows; devices, pipes and sockets are skipped, as
        // opening one to read a thumbnail could block.
        const QFileInfoList entries
            = dir.entryInfoList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot,
                QDir::Name | QDir::IgnoreCase);

        std::array<QFileInfoList, kKindCount> files;
        QFileInfoList folders;
        for (const QFileInfo &entry : entries) {
            if (entry.isDir()) {
                if (!IsLink(entry))
                    folders << entry;
            } else if (entry.isFile()) {
                const int kind = KindOf(entry);
                if (kind >= 0 && Enabled(kinds_, kind))
                    files[size_t(kind)] << entry;
            }
        }

        for (const QFileInfoList &kindFiles : files) {
            for (const QFileInfo &file : kindFiles) {
                if (hooks_.fileFound)
                    hooks_.fileFound(QDir::toNativeSeparators(file.absoluteFilePath()));
                if (!KeepGoing())
                    return false;
            }
        }
        for (const QFileInfo &sub : folders) {
            if (hooks_.folderEntered)
                hooks_.folderEntered(QDir::toNativeSeparators(sub.absoluteFilePath()));
            if (!KeepGoing())
                return false;
            if (recurse_ && !Scan(sub.absoluteFilePath()))
                return false;
        }
        return true;
    }

private:
    bool KeepGoing() const { return !hooks_.keepGoing || hooks_.keepGoing(); }

    bool recurse_;
    ScanKinds kinds_;
    const ScanHooks &hooks_;
    QSet<QString> visited_;
};

} // namespace

void SearchResult::AddFound(const QString &path)
{
    if (FileCount >= kMaxFiles) {
        LimitReached = true;
        return;
    }
    ++FileCount;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("wmf"))
        ++WmfCount;
    else if (suffix == QLatin1String("gif"))
        ++GifCount;
    else if (suffix == QLatin1String("jpg"))
        ++JpgCount;
    else
        ++BmpCount;
    FileList << path;
}

bool ScanFolder(const QString &folder, bool recurse, const ScanKinds &kinds, const ScanHooks &hooks)
{
    if (folder.trimmed().isEmpty())
        return true;
    // cleanPath drops a trailing separator but keeps a root ("/", "C:/") whole.
    const QString start = QDir::cleanPath(QDir::fromNativeSeparators(folder));
    if (!QFileInfo(start).isDir())
        return true;
    Scanner scanner(recurse, kinds, hooks);
    return scanner.Scan(start);
}

SearchResult SearchFolder(
    const QString &folder, bool recurse, const ScanKinds &kinds, const ScanHooks &hooks)
{
    SearchResult result;
    ScanHooks counting = hooks;
    counting.fileFound = [&result, &hooks](const QString &path) {
        result.AddFound(path);
        if (hooks.fileFound)
            hooks.fileFound(path);
    };
    ScanFolder(folder, recurse, kinds, counting);
    return result;
}

QString PromptStatus()
{
    return QStringLiteral("Appuyez sur le bouton \"Rechercher\" pour lancer la recherche");
}

QString PromptStatus2()
{
    return QStringLiteral("Recherche limitée pour les métafichiers à 50 exemplaires.");
}

QString SearchingCaption() { return QStringLiteral(" Catalogue des images : Recherche en cours"); }

QString SearchingStatus() { return QStringLiteral("Recherche en cours : "); }

QString ResultCaption(const QString &folder, const SearchResult &result)
{
    return QStringLiteral(" Catalogue des images, dossier : ") + folder + QStringLiteral(" - ")
        + QString::number(result.FileCount)
        + (result.LimitReached ? QStringLiteral(" fichiers trouvés ") + LimitNotice()
                               : QStringLiteral(" fichiers trouvés."));
}

QString CountStatus(const SearchResult &result)
{
    const QString s = Plural(result.FileCount);
    QString text = QString::number(result.FileCount) + QStringLiteral(" Fichier") + s
        + QStringLiteral(" image trouvé") + s;
    if (result.LimitReached)
        text += QStringLiteral("  ") + LimitNotice();
    return text;
}

QString KindStatus(const SearchResult &result)
{
    return QString::number(result.BmpCount) + QStringLiteral(" BitMap") + Plural(result.BmpCount)
        + QStringLiteral(", ") + QString::number(result.WmfCount) + QStringLiteral(" Métafichier")
        + Plural(result.WmfCount) + QStringLiteral(", ") + QString::number(result.GifCount)
        + QStringLiteral(" Gif") + Plural(result.GifCount) + QStringLiteral(", ")
        + QString::number(result.JpgCount) + QStringLiteral(" Jpeg") + Plural(result.JpgCount);
}

QString FileStatus(const QString &path) { return QStringLiteral("Fichier : ") + path; }

QString SizeStatus(int width, int height)
{
    return QStringLiteral("Taille : %1 sur %2 pixels").arg(width).arg(height);
}

QString PageLabel(int currentPage, int pageCount)
{
    return QStringLiteral("Page %1 sur %2").arg(currentPage).arg(pageCount);
}

QString EmptyCellLabel() { return QStringLiteral("Pas d'image"); }

QString ThumbComboItem(int index)
{
    const int side = ThumbOfComboIndex(index);
    return QStringLiteral(" Vignettes de %1 sur %1 pixels").arg(side);
}

int PageCountFor(int fileCount)
{
    if (fileCount <= 0)
        return 0;
    return fileCount / kCellsPerPage + (fileCount % kCellsPerPage != 0 ? 1 : 0);
}

int FileIndexOf(int page, int cell, int fileCount)
{
    if (page < 1 || cell < 1 || cell > kCellsPerPage)
        return -1;
    const long long index = static_cast<long long>(page - 1) * kCellsPerPage + cell;
    return index <= fileCount ? static_cast<int>(index - 1) : -1;
}

int ThumbComboIndex(int thumb)
{
    switch (thumb) {
    case 60:
        return 0;
    case 100:
        return 2;
    case 120:
        return 3;
    default:
        return 1;
    }
}

int ThumbOfComboIndex(int index)
{
    if (index < 0 || index >= int(kThumbSizes.size()))
        return kDefaultThumb;
    return kThumbSizes[size_t(index)];
}

QSize CellSize(int thumb) { return QSize(thumb + 12, thumb + 26); }

QPoint CellOrigin(int thumb, int row, int column)
{
    const QSize cell = CellSize(thumb);
    return QPoint((cell.width() + 4) * column + 209, (cell.height() + 3) * row + 4);
}

QPoint CellImageOrigin() { return QPoint(6, 6); }

QPoint CellLabelOrigin(int thumb) { return QPoint(6, CellSize(thumb).height() - 20); }

QSize ClientSize(int thumb)
{
    const QSize cell = CellSize(thumb);
    const int h = thumb == 60 ? 106 : cell.height();
    return QSize((cell.width() + 4) * kColumns + 214, (h + 4) * kRows + 40);
}

QString ShortenedLabel(
    const QString &name, int maxWidth, const std::function<int(const QString &)> &textWidth)
{
    if (textWidth(name) <= maxWidth)
        return name;
    const QString dots = QStringLiteral("...");
    QString stem = name;
    QString label;
    do {
        // Never leave half of a surrogate pair behind.
        stem.chop(stem.size() >= 2 && stem.back().isLowSurrogate() ? 2 : 1);
        label = stem + dots;
    } while (!stem.isEmpty() && textWidth(label) > maxWidth);
    return label;
}

} // namespace kaleno::catalogue
