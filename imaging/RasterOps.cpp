#include "imaging/RasterOps.h"

#include "imaging/DibPlus.h"
#include "imaging/VectorState.h"

#include <algorithm>
#include <cstring>

namespace kaleno {

void CopyBytes(uint8_t *dst, const uint8_t *src, std::size_t bytes)
{
    std::memmove(dst, src, bytes);
}

// Plain byte loops: at -O3 they become 16-byte vector operations, and the compiler's own
// overlap check keeps them correct should a caller pass overlapping rows after all.
void OrBytes(uint8_t *dst, const uint8_t *src, std::size_t bytes)
{
    for (std::size_t i = 0; i < bytes; ++i)
        dst[i] |= src[i];
}

void AndBytes(uint8_t *dst, const uint8_t *src, std::size_t bytes)
{
    for (std::size_t i = 0; i < bytes; ++i)
        dst[i] &= src[i];
}

void BitBlt(
    TDibPlus &dst, int dx, int dy, int w, int h, const TDibPlus &src, int sx, int sy, RasterOp op)
{
    if (w <= 0 || h <= 0 || !dst.HasBitmap() || !src.HasBitmap())
        return;
    // 64-bit while clipping: positions near the limits of int must not overflow.
    int64_t dstX = dx, dstY = dy, srcX = sx, srcY = sy, width = w, height = h;
    auto clipStart = [](int64_t &a, int64_t &b, int64_t &extent) {
        if (a < 0) {
            b -= a;
            extent += a;
            a = 0;
        }
    };
    clipStart(srcX, dstX, width);
    clipStart(dstX, srcX, width);
    clipStart(srcY, dstY, height);
    clipStart(dstY, srcY, height);
    width = std::min({width, int64_t(src.Width()) - srcX, int64_t(dst.Width()) - dstX});
    height = std::min({height, int64_t(src.Height()) - srcY, int64_t(dst.Height()) - dstY});
    if (width <= 0 || height <= 0)
        return;

    void (*combine)(uint8_t *, const uint8_t *, std::size_t) = CopyBytes;
    if (op == RasterOp::Or)
        combine = OrBytes;
    else if (op == RasterOp::And)
        combine = AndBytes;
    const std::size_t bytes = 3 * static_cast<std::size_t>(width);
    const int rows = static_cast<int>(height);
    const int x0 = static_cast<int>(dstX), y0 = static_cast<int>(dstY);
    const int sx0 = static_cast<int>(srcX), sy0 = static_cast<int>(srcY);
    // Within one buffer a block moved down is walked from its last row, so that no source
    // row is overwritten before it is read.
    const bool bottomUp = &dst == &src && y0 > sy0;
    ClearUpperVectorState();
    for (int i = 0; i < rows; ++i) {
        const int r = bottomUp ? rows - 1 - i : i;
        combine(dst.Row(y0 + r) + 3 * x0, src.Row(sy0 + r) + 3 * sx0, bytes);
    }
}

void BitBlt(TDibPlus &dst, int dx, int dy, const TDibPlus &src, RasterOp op)
{
    BitBlt(dst, dx, dy, src.Width(), src.Height(), src, 0, 0, op);
}

} // namespace kaleno
