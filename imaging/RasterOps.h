// Block transfers between pixel buffers with GDI's raster operations on the RGB bytes:
// copy (SRCCOPY), OR for mixing lights (SRCPAINT), AND for inks and filters (SRCAND).
#pragma once

#include <cstddef>
#include <cstdint>

namespace kaleno {

class TDibPlus;

enum class RasterOp { Copy, Or, And };

// Row kernels: `bytes` bytes of dst combined with src. The buffers may not overlap.
void CopyBytes(uint8_t *dst, const uint8_t *src, std::size_t bytes);
void OrBytes(uint8_t *dst, const uint8_t *src, std::size_t bytes);
void AndBytes(uint8_t *dst, const uint8_t *src, std::size_t bytes);

// Combines the w x h block of src at (sx, sy) into dst at (dx, dy). The block is clipped
// to both buffers (a negative position moves the other side with it), so any arguments
// are safe. src and dst may be the same buffer only for non-overlapping blocks.
void BitBlt(
    TDibPlus &dst, int dx, int dy, int w, int h, const TDibPlus &src, int sx, int sy, RasterOp op);
// The whole of src at (dx, dy).
void BitBlt(TDibPlus &dst, int dx, int dy, const TDibPlus &src, RasterOp op);

} // namespace kaleno
