#include "imaging/ImageLoaders.h"

#include "imaging/Canvas.h"
#include "imaging/Metafile.h"
#include "platform/MessageBox.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include <cstdlib>
#include <cstring>

using namespace Qt::StringLiterals;

namespace kaleno {

namespace {

enum class ReadResult { Ok, NotFound, TooLarge };

// The whole file, unless it is missing, unreadable, or larger than any picture we take.
ReadResult readFile(const QString &fileName, QByteArray &bytes)
{
    const QFileInfo info(fileName);
    if (!info.isFile())
        return ReadResult::NotFound;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return ReadResult::NotFound;
    if (file.size() > kMaxBitmapBytes)
        return ReadResult::TooLarge;
    bytes = file.readAll();
    return ReadResult::Ok;
}

// The file read whole, then decoded: Load is RasterLoad or MetafileLoad.
template <typename Load, typename Decode> Load loadWith(const QString &fileName, Decode decode)
{
    QByteArray bytes;
    switch (readFile(fileName, bytes)) {
    case ReadResult::NotFound:
        return {kLoadNotFound, std::nullopt};
    case ReadResult::TooLarge:
        return {kLoadBadFormat, std::nullopt};
    case ReadResult::Ok:
        break;
    }
    auto decoded = decode(QByteArrayView(bytes));
    if (!decoded)
        return {kLoadBadFormat, std::nullopt};
    return {kLoadOk, std::move(decoded)};
}

RasterLoad loadRaster(const QString &fileName, std::optional<TDibPlus> (*decode)(QByteArrayView))
{
    return loadWith<RasterLoad>(fileName, decode);
}

std::optional<TDibPlus> decodeJpegFull(QByteArrayView bytes) { return DecodeJpeg(bytes, 1); }

struct Heads {
    const char *missing;
    const char *bad;
};

Heads headsOf(ImageFormat format)
{
    switch (format) {
    case ImageFormat::Wmf:
        return {"Le métafichier que vous tentez d'ouvrir est introuvable",
            "Le métafichier que vous tentez d'ouvrir"};
    case ImageFormat::Bmp:
        return {"Le fichier d'image Bitmap que vous tentez d'ouvrir est introuvable",
            "Le fichier d'image Bitmap que vous tentez d'ouvrir"};
    case ImageFormat::Jpg:
        return {"Le fichier d'image Jpg que vous tentez d'ouvrir est introuvable",
            "Le fichier d'image Jpg que vous tentez d'ouvrir"};
    case ImageFormat::Gif:
        return {"Le fichier d'image Gif que vous tentez d'ouvrir est introuvable",
            "Le fichier d'image Gif que vous tentez d'ouvrir"};
    case ImageFormat::Unknown:
        break;
    }
    return {"Le fichier que vous tentez d'ouvrir est introuvable",
        "Le fichier que vous tentez d'ouvrir"};
}

std::optional<TDibPlus> playMetafileThumbnail(const Metafile &metafile, QSize box, QSize &natural)
{
    natural = MetafileNaturalSize(metafile);
    const QRect fitted = FitThumbnail(natural, box);
    if (natural.isEmpty())
        natural = box;
    TDibPlus image(fitted.width(), fitted.height());
    if (!image.HasBitmap())
        return std::nullopt;
    image.Fill(0xFFFFFF);
    Canvas canvas(image);
    PlayMetafile(canvas, metafile, QRect(0, 0, fitted.width(), fitted.height()));
    canvas.Flush();
    return image;
}

uint32_t littleEndian(QByteArrayView bytes, qsizetype at, int size)
{
    uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i)
        v = v << 8 | uint8_t(bytes[at + i]);
    return v;
}

// Qt's reader returns what it could read of a file cut short inside its rows; a Windows
// bitmap of uncompressed rows must hold all of them.
bool uncompressedRowsMissing(QByteArrayView bytes)
{
    // The 14-byte file header and a 40-byte (or longer) info header; an OS/2 header or a
    // shorter file is left to the reader.
    if (bytes.size() < 14 + 40 || littleEndian(bytes, 14, 4) < 40)
        return false;
    const qint64 offset = littleEndian(bytes, 10, 4);
    const qint64 width = int32_t(littleEndian(bytes, 18, 4));
    const qint64 height = std::abs(qint64(int32_t(littleEndian(bytes, 22, 4))));
    const qint64 bits = littleEndian(bytes, 28, 2);
    const uint32_t compression = littleEndian(bytes, 30, 4);
    if ((compression != 0 && compression != 3) || width <= 0 || bits == 0)
        return false;
    const qint64 stride = (width * bits + 31) / 32 * 4;
    return bytes.size() < offset + stride * height;
}

} // namespace

bool WithinImageCap(qint64 width, qint64 height)
{
    if (width <= 0 || height <= 0 || width > kMaxBitmapSide || height > kMaxBitmapSide)
        return false;
    // Bytes of our buffer: rows of 3 bytes a pixel padded to 4.
    const qint64 stride = (3 * width + 3) / 4 * 4;
    return stride * height <= kMaxBitmapBytes;
}

ImageFormat FormatOfFile(const QString &fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0)
        return ImageFormat::Unknown;
    const QString ext = fileName.mid(dot).toLower();
    if (ext == u".wmf")
        return ImageFormat::Wmf;
    if (ext == u".bmp")
        return ImageFormat::Bmp;
    if (ext == u".jpg")
        return ImageFormat::Jpg;
    if (ext == u".gif")
        return ImageFormat::Gif;
    return ImageFormat::Unknown;
}

std::optional<TDibPlus> DecodeBmp(QByteArrayView bytes)
{
    QByteArray data = QByteArray::fromRawData(bytes.data(), bytes.size());
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    reader.setDecideFormatFromContent(false);
    const QSize size = reader.size();
    if (!WithinImageCap(size.width(), size.height()) || uncompressedRowsMissing(bytes))
        return std::nullopt;
    QImage decoded;
    if (!reader.read(&decoded) || decoded.isNull()
        || !WithinImageCap(decoded.width(), decoded.height()))
        return std::nullopt;
    // Windows shows a bitmap's colour bytes and ignores its alpha: take the bytes as they are.
    const QImage::Format f = decoded.format();
    if (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32
        && f != QImage::Format_ARGB32_Premultiplied)
        decoded = decoded.convertToFormat(QImage::Format_RGB32);
    if (decoded.isNull())
        return std::nullopt;
    TDibPlus image(decoded.width(), decoded.height());
    if (!image.HasBitmap())
        return std::nullopt;
    for (int y = 0; y < image.Height(); ++y) {
        const auto *src = reinterpret_cast<const uint32_t *>(decoded.constScanLine(y));
        uint8_t *dst = image.Row(y);
        for (int x = 0; x < image.Width(); ++x, dst += 3) {
            const uint32_t v = src[x];
            dst[0] = Byte0(v);
            dst[1] = Byte1(v);
            dst[2] = Byte2(v);
        }
    }
    return image;
}

MetafileLoad LoadWmf(const QString &fileName)
{
    return loadWith<MetafileLoad>(fileName, ParseMetafile);
}

RasterLoad LoadBmp(const QString &fileName) { return loadRaster(fileName, DecodeBmp); }
RasterLoad LoadJpg(const QString &fileName) { return loadRaster(fileName, decodeJpegFull); }
RasterLoad LoadGif(const QString &fileName) { return loadRaster(fileName, DecodeGif); }

QString LoadMessage(ImageFormat format, int code, const QString &fileName)
{
    if (code == kLoadOk)
        return QString();
    const Heads heads = headsOf(format);
    const bool missing = code == kLoadNotFound;
    QString text = QString::fromUtf8(missing ? heads.missing : heads.bad) + u'\n' + u"[ "_s
        + fileName + u" ]"_s;
    if (!missing)
        text += u'\n' + QStringLiteral("possède un format de fichier incorrect.");
    return text;
}

QString UnknownFormatMessage(const QString &fileName)
{
    return QStringLiteral("Le fichier que vous tentez d'ouvrir\n[ ") + fileName
        + QStringLiteral(" ]\nn'est pas une image Bitmap, Jpeg, Gif ou un métafichier "
                         "(extensions .bmp, .jpg, .gif, .wmf).");
}

bool ReportLoad(ImageFormat format, int code, const QString &fileName, QWidget *parent)
{
    if (code == kLoadOk)
        return true;
    // The box beeps before it shows.
    platform::WarningBox(parent, LoadMessage(format, code, fileName));
    return false;
}

void ReportUnknownFormat(const QString &fileName, QWidget *parent)
{
    platform::WarningBox(parent, UnknownFormatMessage(fileName));
}

std::optional<ThumbnailSource> LoadThumbnailSource(const QString &path, int minWidth, int minHeight)
{
    const ImageFormat format = FormatOfFile(path);
    if (format == ImageFormat::Unknown)
        return std::nullopt;
    QByteArray bytes;
    if (readFile(path, bytes) != ReadResult::Ok)
        return std::nullopt;
    const QSize box(minWidth, minHeight);
    switch (format) {
    case ImageFormat::Wmf: {
        const std::optional<Metafile> metafile = ParseMetafile(bytes);
        if (!metafile)
            return std::nullopt;
        QSize natural;
        std::optional<TDibPlus> image = playMetafileThumbnail(*metafile, box, natural);
        if (!image)
            return std::nullopt;
        return ThumbnailSource {std::move(*image), natural};
    }
    case ImageFormat::Jpg: {
        const std::optional<QSize> natural = JpegSize(bytes);
        if (!natural)
            return std::nullopt;
        std::optional<TDibPlus> image = DecodeJpeg(bytes, JpegScaleFor(*natural, box));
        if (!image)
            return std::nullopt;
        return ThumbnailSource {std::move(*image), *natural};
    }
    case ImageFormat::Bmp:
    case ImageFormat::Gif: {
        std::optional<TDibPlus> image
            = format == ImageFormat::Bmp ? DecodeBmp(bytes) : DecodeGif(bytes);
        if (!image)
            return std::nullopt;
        const QSize natural(image->Width(), image->Height());
        return ThumbnailSource {std::move(*image), natural};
    }
    case ImageFormat::Unknown:
        break;
    }
    return std::nullopt;
}

} // namespace kaleno
