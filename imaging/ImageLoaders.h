// Decoding of the four image formats the program opens (WMF, BMP, JPEG, GIF) into a
// metafile or a 24-bit pixel buffer, with the result codes and French messages shown to
// the pupil. Every decoder refuses a picture over the size cap before allocating it.
#pragma once

#include "imaging/DibPlus.h"
#include "imaging/ImageFitting.h"
#include "imaging/MetafileRecords.h"

#include <QByteArrayView>
#include <QSize>
#include <QString>

#include <optional>

class QWidget;

namespace kaleno {

// Result codes of the loaders.
inline constexpr int kLoadOk = 0;
inline constexpr int kLoadNotFound = 1;
inline constexpr int kLoadBadFormat = 2;

// Decoded pictures share the cap of the metafiles' embedded bitmaps: kMaxBitmapSide pixels
// a side and kMaxBitmapBytes bytes (imaging/MetafileRecords.h). A larger picture is a
// format error. So are files larger than kMaxBitmapBytes.
bool WithinImageCap(qint64 width, qint64 height);

// The format is chosen by the file's extension, in any case.
enum class ImageFormat { Unknown, Wmf, Bmp, Jpg, Gif };
ImageFormat FormatOfFile(const QString &fileName);

// A raster loader's answer: the decoded picture when code is kLoadOk.
struct RasterLoad {
    int code = kLoadNotFound;
    std::optional<TDibPlus> image;
};
struct MetafileLoad {
    int code = kLoadNotFound;
    std::optional<Metafile> metafile;
};

// File name -> code 0 loaded, 1 not found (or not a readable file), 2 format error.
// They only decode; nothing is shown and the current image is not touched.
MetafileLoad LoadWmf(const QString &fileName);
RasterLoad LoadBmp(const QString &fileName);
RasterLoad LoadJpg(const QString &fileName);
RasterLoad LoadGif(const QString &fileName);

// Byte-level decoders (what the loaders run on a file's bytes; the fuzz targets call them).
// BMP through Qt's image reader (BMP only, whatever else Qt could read), whose allocation
// limit is kept; an alpha channel is ignored, as Windows bitmaps show it.
std::optional<TDibPlus> DecodeBmp(QByteArrayView bytes);
// JPEG through libjpeg-turbo, fast integer DCT, no dithering, no quantisation; greyscale,
// YCbCr, RGB, CMYK and YCCK (Adobe's inverted CMYK too) all come out as RGB. scaleDenom
// is libjpeg's reduction 1, 2, 4 or 8 (anything else is taken as 1). A file cut short is
// a format error; libjpeg's other warnings (extra bytes, minor corruption) are not.
std::optional<TDibPlus> DecodeJpeg(QByteArrayView bytes, int scaleDenom = 1);
// The picture size in a JPEG header, without decoding; nothing when the header is bad.
std::optional<QSize> JpegSize(QByteArrayView bytes);
// The largest reduction 1, 2, 4 or 8 whose picture (libjpeg rounds each side up) still
// covers `natural` fitted into minimum with its proportions kept (see FitThumbnail); 1 when
// minimum is empty.
int JpegScaleFor(QSize natural, QSize minimum);
// GIF through giflib: the first image only, on its logical screen (white where the frame
// does not cover it), the frame clipped to the screen; its own colour map or else the
// global one (none at all is a format error); indexes past the map take its last colour;
// transparent pixels are white. A file cut short inside the image is a format error.
std::optional<TDibPlus> DecodeGif(QByteArrayView bytes);

// The messages. Text of the message for a code of a format (empty for kLoadOk): the head,
// a line break, "[ " file name " ]", and for code 2 a line break and "possède un format de
// fichier incorrect.".
QString LoadMessage(ImageFormat format, int code, const QString &fileName);
// The message for a file of none of the four extensions.
QString UnknownFormatMessage(const QString &fileName);
// Beeps and shows the message of a code 1 or 2 in a warning box "Avertissement" (parent
// may be null); returns whether the image was loaded (code 0).
bool ReportLoad(ImageFormat format, int code, const QString &fileName, QWidget *parent = nullptr);
// Beeps and shows UnknownFormatMessage.
void ReportUnknownFormat(const QString &fileName, QWidget *parent = nullptr);

// A catalogue thumbnail's source: the picture, small when the format allows it, and the
// natural size of the image in the file.
struct ThumbnailSource {
    TDibPlus image;
    QSize naturalSize;
};
// Loads a file for a thumbnail that will show it fitted into minWidth x minHeight (see
// FitThumbnail), without messages. JPEG decodes at the largest libjpeg reduction that still
// covers that fitted size (JpegScaleFor); BMP and GIF decode at natural size; WMF is played
// on white into its fitted size (its natural size when that is smaller). Nothing when the
// file is missing, unreadable or of another extension.
std::optional<ThumbnailSource> LoadThumbnailSource(
    const QString &path, int minWidth, int minHeight);

} // namespace kaleno
