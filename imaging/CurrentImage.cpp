#include "imaging/CurrentImage.h"

#include "imaging/Canvas.h"
#include "imaging/ImageFitting.h"
#include "imaging/ImageLoaders.h"
#include "imaging/Metafile.h"
#include "imaging/RasterOps.h"
#include "imaging/TestCard.h"
#include "shell/Settings.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace kaleno {

namespace {

QString chooseWithDialog(
    QWidget *launcher, const QString &title, const QString &folder, const QStringList &filters)
{
    QFileDialog dialog(launcher, title, folder);
    dialog.setObjectName(QStringLiteral("OpenDial"));
    dialog.setAccessibleName(title.trimmed());
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // The descriptions already name their patterns.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(filters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

ImageFileChooser &fileChooser()
{
    static ImageFileChooser chooser;
    return chooser;
}

std::function<QString()> &cataloguePicker()
{
    static std::function<QString()> picker;
    return picker;
}

void fillArea(Canvas &canvas, const CurrentImage &image)
{
    if (image.AreaWidth <= 0 || image.AreaHeight <= 0)
        return;
    canvas.SetBrush(image.BackColour);
    canvas.FillRect(QRect(0, 0, image.AreaWidth, image.AreaHeight));
}

QString folderWithSeparator(const QString &path)
{
    QString folder = QDir::toNativeSeparators(path);
    if (!folder.endsWith(QDir::separator()))
        folder += QDir::separator();
    return folder;
}

} // namespace

CurrentImage &TheImage()
{
    static CurrentImage image;
    return image;
}

void BeginImageModule()
{
    CurrentImage &image = TheImage();
    image.ImageBitmap = TDibPlus(0, 0);
    image.ImageMetafile = Metafile();
    image.MetafileSize = QSize();
    image.BitmapWidth = 0;
    image.BitmapHeight = 0;
    image.ImageKind = kImageNone;
    image.StretchImage = false;
    image.BackColour = 0xFFFFFF;
}

void EndImageModule()
{
    CurrentImage &image = TheImage();
    image.ImageBitmap = TDibPlus(0, 0);
    image.ImageMetafile = Metafile();
    image.MetafileSize = QSize();
    image.ImageKind = kImageNone;
}

void DrawMetafileFitted(TDibPlus &target)
{
    CurrentImage &image = TheImage();
    image.ImageKind = kImageMetafile;
    const int w = image.AreaWidth, h = image.AreaHeight;
    const QRect dest
        = image.StretchImage ? QRect(0, 0, w, h) : FitMetafile(image.MetafileSize, w, h);
    Canvas canvas(target);
    fillArea(canvas, image);
    if (!dest.isEmpty())
        PlayMetafile(canvas, image.ImageMetafile, dest);
}

void DrawBitmapCentred(TDibPlus &target)
{
    CurrentImage &image = TheImage();
    image.BitmapWidth = image.ImageBitmap.Width();
    image.BitmapHeight = image.ImageBitmap.Height();
    image.ImageKind = kImageBitmap;
    const int w = image.AreaWidth, h = image.AreaHeight;
    Canvas canvas(target);
    fillArea(canvas, image);
    if (image.StretchImage) {
        if (w > 0 && h > 0)
            canvas.StretchDraw(QRect(0, 0, w, h), image.ImageBitmap);
        return;
    }
    const QPoint at = CentredBitmapOrigin(QSize(image.BitmapWidth, image.BitmapHeight), w, h);
    canvas.Draw(image.ImageBitmap, at.x(), at.y());
}

void DrawTestCard(TDibPlus &target)
{
    const CurrentImage &image = TheImage();
    {
        Canvas canvas(target);
        fillArea(canvas, image);
    }
    const QRect place = TestCardRect(image.AreaWidth, image.AreaHeight);
    if (place.isEmpty())
        return;
    TDibPlus card(place.width(), place.height());
    PaintTestCard(card);
    BitBlt(target, place.x(), place.y(), card, RasterOp::Copy);
}

bool RedrawCurrentImage(TDibPlus &target)
{
    CurrentImage &image = TheImage();
    if (image.ImageKind < kImageMetafile) {
        DrawTestCard(target);
        image.ImageKind = kImageTestCard;
        return true;
    }
    if (image.ImageKind == kImageMetafile)
        DrawMetafileFitted(target);
    else
        DrawBitmapCentred(target);
    return false;
}

QString LoadImageFile(const QString &fileName, const QString &captionPrefix,
    const QString &currentCaption, TDibPlus &target)
{
    QWidget *parent = QApplication::activeWindow();
    const ImageFormat format = FormatOfFile(fileName);
    CurrentImage &image = TheImage();
    // Each loader decodes into its own objects: the current image changes only on success.
    switch (format) {
    case ImageFormat::Unknown:
        ReportUnknownFormat(fileName, parent);
        return currentCaption;
    case ImageFormat::Wmf: {
        MetafileLoad load = LoadWmf(fileName);
        if (!ReportLoad(format, load.code, fileName, parent))
            return currentCaption;
        image.MetafileSize = MetafileNaturalSize(*load.metafile);
        image.ImageMetafile = std::move(*load.metafile);
        DrawMetafileFitted(target);
        return captionPrefix + u" - "_s + fileName + u" ( image vectorielle )"_s;
    }
    case ImageFormat::Bmp:
    case ImageFormat::Jpg:
    case ImageFormat::Gif:
        break;
    }
    RasterLoad load = format == ImageFormat::Bmp ? LoadBmp(fileName)
        : format == ImageFormat::Jpg             ? LoadJpg(fileName)
                                                 : LoadGif(fileName);
    if (!ReportLoad(format, load.code, fileName, parent))
        return currentCaption;
    image.ImageBitmap = std::move(*load.image);
    DrawBitmapCentred(target);
    return captionPrefix + u" - "_s + fileName + u" ( "_s + QString::number(image.BitmapWidth)
        + u" sur "_s + QString::number(image.BitmapHeight) + u" pixels )"_s;
}

QString OpenDialogTitle() { return QStringLiteral(" Ouvrir une image bitmap ou un métafichier"); }

QStringList OpenDialogFilters()
{
    return {
        QStringLiteral("Images Bitmap et métafichiers (*.bmp, *.wmf) (*.bmp *.wmf *.jpg *.gif)"),
        QStringLiteral("Images Bitmap (*.bmp) (*.bmp)"),
        QStringLiteral("Images gif (*.gif) (*.gif)"), QStringLiteral("Images Jpeg (*.jpg) (*.jpg)"),
        QStringLiteral("Métafichiers Windows (*.wmf) (*.wmf)")};
}

void SetImageFileChooser(ImageFileChooser chooser) { fileChooser() = std::move(chooser); }

QString OpenImage(QWidget *launcher, TDibPlus &target, const QString &captionPrefix,
    const QString &currentCaption)
{
    Settings &settings = AppSettings();
    if (settings.DirFichier == u"none")
        settings.DirFichier = folderWithSeparator(QCoreApplication::applicationDirPath());
    const ImageFileChooser &chooser = fileChooser();
    const QString path = chooser
        ? chooser(launcher, OpenDialogTitle(), settings.DirFichier, OpenDialogFilters())
        : chooseWithDialog(launcher, OpenDialogTitle(), settings.DirFichier, OpenDialogFilters());
    if (path.isEmpty())
        return currentCaption;
    // The folder is remembered whether or not the file loads.
    settings.DirFichier = folderWithSeparator(QFileInfo(path).absolutePath());
    return LoadImageFile(path, captionPrefix, currentCaption, target);
}

void SetCataloguePicker(std::function<QString()> picker) { cataloguePicker() = std::move(picker); }

QString OpenImageFromCatalogue(QWidget *launcher, TDibPlus &target, const QString &captionPrefix,
    const QString &currentCaption)
{
    Q_UNUSED(launcher);
    const std::function<QString()> &picker = cataloguePicker();
    if (!picker)
        return currentCaption;
    const QString chosen = picker();
    if (chosen.isEmpty() || chosen == u"None")
        return currentCaption;
    return LoadImageFile(chosen, captionPrefix, currentCaption, target);
}

} // namespace kaleno
