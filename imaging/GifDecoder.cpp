// GIF decoding through giflib, record by record: the first image is read line by line
// into our buffer, so no frame is allocated whole and later frames are never read.
#include "imaging/ImageLoaders.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include <gif_lib.h>

namespace kaleno {

namespace {

struct ByteSource {
    const char *data;
    qsizetype size;
    qsizetype pos = 0;
};

int readBytes(GifFileType *gif, GifByteType *buffer, int length)
{
    auto *source = static_cast<ByteSource *>(gif->UserData);
    const qsizetype count = std::clamp<qsizetype>(source->size - source->pos, 0, length);
    if (count > 0)
        std::memcpy(buffer, source->data + source->pos, static_cast<std::size_t>(count));
    source->pos += count;
    return static_cast<int>(count);
}

struct GifCloser {
    void operator()(GifFileType *gif) const
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
using GifHandle = std::unique_ptr<GifFileType, GifCloser>;

// Reads past an extension's sub-blocks; the graphic control block gives the transparent
// index.
bool skipExtension(GifFileType *gif, int &transparent)
{
    int code = 0;
    GifByteType *block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR)
        return false;
    if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr && block[0] >= 4) {
        GraphicsControlBlock gcb;
        if (DGifExtensionToGCB(block[0], block + 1, &gcb) == GIF_OK)
            transparent = gcb.TransparentColor;
    }
    while (block != nullptr) {
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR)
            return false;
    }
    return true;
}

// The rows of an interlaced image in the order the file stores them.
int interlacedRow(int index, int height)
{
    static constexpr int kStart[4] = {0, 4, 2, 1};
    static constexpr int kStep[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        const int rows
            = kStart[pass] < height ? (height - kStart[pass] + kStep[pass] - 1) / kStep[pass] : 0;
        if (index < rows)
            return kStart[pass] + index * kStep[pass];
        index -= rows;
    }
    return -1;
}

} // namespace

std::optional<TDibPlus> DecodeGif(QByteArrayView bytes)
{
    ByteSource source {bytes.data(), bytes.size()};
    int error = 0;
    GifHandle gif(DGifOpen(&source, readBytes, &error));
    if (!gif)
        return std::nullopt;

    int transparent = NO_TRANSPARENT_COLOR;
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR)
            return std::nullopt;
        if (type == EXTENSION_RECORD_TYPE) {
            if (!skipExtension(gif.get(), transparent))
                return std::nullopt;
            continue;
        }
        if (type == IMAGE_DESC_RECORD_TYPE)
            break;
        // The end of the file (or an unknown record) before any image.
        return std::nullopt;
    }
    if (DGifGetImageDesc(gif.get()) == GIF_ERROR)
        return std::nullopt;

    const GifImageDesc &frame = gif->Image;
    const ColorMapObject *map = frame.ColorMap != nullptr ? frame.ColorMap : gif->SColorMap;
    if (map == nullptr || map->ColorCount <= 0 || map->Colors == nullptr)
        return std::nullopt;
    if (frame.Width <= 0 || frame.Height <= 0 || !WithinImageCap(frame.Width, frame.Height))
        return std::nullopt;
    // A screen without area (some writers leave it 0) takes the frame's size.
    int screenWidth = gif->SWidth, screenHeight = gif->SHeight;
    int left = frame.Left, top = frame.Top;
    if (screenWidth <= 0 || screenHeight <= 0) {
        screenWidth = frame.Width;
        screenHeight = frame.Height;
        left = top = 0;
    }
    if (!WithinImageCap(screenWidth, screenHeight))
        return std::nullopt;

    TDibPlus image(screenWidth, screenHeight);
    if (!image.HasBitmap())
        return std::nullopt;
    image.Fill(0xFFFFFF);
    std::vector<GifPixelType> line(static_cast<std::size_t>(frame.Width));
    const int lastColour = map->ColorCount - 1;
    // Only the columns of the frame that fall on the screen are copied.
    const int x0 = std::max(left, 0);
    const int x1 = std::min(left + frame.Width, screenWidth);
    for (int i = 0; i < frame.Height; ++i) {
        if (DGifGetLine(gif.get(), line.data(), frame.Width) == GIF_ERROR)
            return std::nullopt;
        const int y = top + (frame.Interlace ? interlacedRow(i, frame.Height) : i);
        if (y < 0 || y >= screenHeight)
            continue;
        uint8_t *row = image.Row(y);
        for (int x = x0; x < x1; ++x) {
            const int index = line[static_cast<std::size_t>(x - left)];
            if (index == transparent)
                continue;
            const GifColorType &c = map->Colors[std::min(index, lastColour)];
            uint8_t *p = row + 3 * x;
            p[0] = c.Blue;
            p[1] = c.Green;
            p[2] = c.Red;
        }
    }
    return image;
}

} // namespace kaleno
