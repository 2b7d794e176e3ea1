#include "modules/graphics/rgb/RGBSplit.h"

#include "imaging/DibPlus.h"
#include "imaging/VectorState.h"

#include <array>

namespace kaleno::rgbsplit {

namespace {

// 48 bytes are 16 pixels and three 16-byte vectors: masking a block with a fixed pattern
// of that length is a plain byte loop the compiler turns into three vector ANDs.
constexpr std::size_t kBlockPixels = 16;
constexpr std::size_t kBlockBytes = 3 * kBlockPixels;

constexpr std::array<uint8_t, kBlockBytes> blockMask(int keptByte)
{
    std::array<uint8_t, kBlockBytes> mask {};
    for (std::size_t i = 0; i < kBlockBytes; ++i)
        mask[i] = (i % 3 == static_cast<std::size_t>(keptByte)) ? 0xFF : 0x00;
    return mask;
}

// Bytes in memory are blue (0), green (1), red (2).
constexpr auto kKeepBlue = blockMask(0);
constexpr auto kKeepGreen = blockMask(1);
constexpr auto kKeepRed = blockMask(2);

} // namespace

void SplitRow(const uint8_t *source, uint8_t *red, uint8_t *green, uint8_t *blue, std::size_t count)
{
    const std::size_t blocks = count / kBlockPixels;
    for (std::size_t b = 0; b < blocks; ++b) {
        const std::size_t at = b * kBlockBytes;
        for (std::size_t i = 0; i < kBlockBytes; ++i) {
            const uint8_t value = source[at + i];
            red[at + i] = value & kKeepRed[i];
            green[at + i] = value & kKeepGreen[i];
            blue[at + i] = value & kKeepBlue[i];
        }
    }
    for (std::size_t i = blocks * kBlockBytes; i < 3 * count; ++i) {
        const uint8_t value = source[i];
        red[i] = value & kKeepRed[i % 3];
        green[i] = value & kKeepGreen[i % 3];
        blue[i] = value & kKeepBlue[i % 3];
    }
}

void SplitChannels(const TDibPlus &source, TDibPlus &red, TDibPlus &green, TDibPlus &blue)
{
    const int w = source.Width();
    const int h = source.Height();
    for (TDibPlus *part : {&red, &green, &blue})
        if (part->Width() != w || part->Height() != h)
            *part = TDibPlus(w, h);
    if (!source.HasBitmap())
        return;
    ClearUpperVectorState();
    for (int y = 0; y < h; ++y)
        SplitRow(source.Row(y), red.Row(y), green.Row(y), blue.Row(y), static_cast<std::size_t>(w));
}

} // namespace kaleno::rgbsplit
