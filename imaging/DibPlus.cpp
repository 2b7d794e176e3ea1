#include "imaging/DibPlus.h"

#include "imaging/VectorState.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstring>

// SSE2 is part of every x86-64 processor; elsewhere the plain loops below do the work.
#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define KALENO_SSE2 1
#include <emmintrin.h>
#else
#define KALENO_SSE2 0
#endif

namespace kaleno {

namespace {

// Sixteen pixels make 48 bytes, three whole 16-byte vectors: over such a block a 3-byte
// pattern of factors or colours lines up with the vectors without any shuffle.
constexpr int kBlockPixels = 16;
constexpr int kBlockBytes = 3 * kBlockPixels;

// (v * k) >> 8 for k in 0..256: exact in 16 bits, hence the 16-bit vector lanes below.
inline uint8_t scaled(uint8_t v, int k) { return static_cast<uint8_t>((v * k) >> 8); }

// Each channel of `pixels` pixels times k / 256, k in 0..256.
void scaleRow(uint8_t *p, int pixels, int kR, int kG, int kB)
{
    int x = 0;
#if KALENO_SSE2
    // (v << 8) * k >> 16 is (v * k) >> 8: one high-half multiply per 16-bit lane.
    __m128i factors[6];
    {
        alignas(16) uint16_t pattern[kBlockBytes];
        for (int i = 0; i < kBlockBytes; i += 3) {
            pattern[i] = static_cast<uint16_t>(kB);
            pattern[i + 1] = static_cast<uint16_t>(kG);
            pattern[i + 2] = static_cast<uint16_t>(kR);
        }
        for (int i = 0; i < 6; ++i)
            factors[i] = _mm_load_si128(reinterpret_cast<const __m128i *>(pattern + 8 * i));
    }
    const __m128i zero = _mm_setzero_si128();
    for (; x + kBlockPixels <= pixels; x += kBlockPixels, p += kBlockBytes) {
        for (int i = 0; i < 3; ++i) {
            __m128i *at = reinterpret_cast<__m128i *>(p + 16 * i);
            const __m128i v = _mm_loadu_si128(at);
            const __m128i low = _mm_mulhi_epu16(_mm_unpacklo_epi8(zero, v), factors[2 * i]);
            const __m128i high = _mm_mulhi_epu16(_mm_unpackhi_epi8(zero, v), factors[2 * i + 1]);
            _mm_storeu_si128(at, _mm_packus_epi16(low, high));
        }
    }
#endif
    for (; x < pixels; ++x, p += 3) {
        p[0] = scaled(p[0], kB);
        p[1] = scaled(p[1], kG);
        p[2] = scaled(p[2], kR);
    }
}

#if KALENO_SSE2
// Byte i of entry b is 0xFF when bit i of b is set: turns a bit mask back into a byte mask.
constexpr std::array<uint64_t, 256> kByteMasks = [] {
    std::array<uint64_t, 256> masks {};
    for (int b = 0; b < 256; ++b)
        for (int i = 0; i < 8; ++i)
            if (b & (1 << i))
                masks[b] |= uint64_t(0xFF) << (8 * i);
    return masks;
}();

inline __m128i byteMask(uint64_t bits)
{
    return _mm_set_epi64x(static_cast<int64_t>(kByteMasks[(bits >> 8) & 0xFF]),
        static_cast<int64_t>(kByteMasks[bits & 0xFF]));
}
#endif

// Every pixel equal to `from` becomes `to` (both 24-bit), row by row.
class ColourSwap {
public:
    ColourSwap(uint32_t from, uint32_t to)
        : from_ {Byte0(from), Byte1(from), Byte2(from)}
        , to_ {Byte0(to), Byte1(to), Byte2(to)}
    {
#if KALENO_SSE2
        alignas(16) uint8_t oldPattern[kBlockBytes];
        alignas(16) uint8_t newPattern[kBlockBytes];
        for (int i = 0; i < kBlockBytes; ++i) {
            oldPattern[i] = from_[i % 3];
            newPattern[i] = to_[i % 3];
        }
        for (int i = 0; i < 3; ++i) {
            olds_[i] = _mm_load_si128(reinterpret_cast<const __m128i *>(oldPattern + 16 * i));
            news_[i] = _mm_load_si128(reinterpret_cast<const __m128i *>(newPattern + 16 * i));
            flips_[i] = _mm_xor_si128(olds_[i], news_[i]);
        }
#endif
    }

    void apply(uint8_t *p, int pixels) const
    {
        int x = 0;
#if KALENO_SSE2
        // Bytes are compared 16 at a time with the repeated old colour; a pixel matches when
        // its three bits of the block's 48-bit mask are set. Most blocks of a picture hold
        // no match (nothing is written) or match whole (plain stores); only the others pay
        // for turning the bit mask back into bytes.
        constexpr uint64_t kPixelStarts = 0x249249249249; // bits 0, 3, ..., 45
        constexpr uint64_t kAll = (uint64_t(1) << kBlockBytes) - 1;
        for (; x + kBlockPixels <= pixels; x += kBlockPixels, p += kBlockBytes) {
            __m128i *at = reinterpret_cast<__m128i *>(p);
            __m128i v[3];
            uint64_t equal = 0;
            for (int i = 0; i < 3; ++i) {
                v[i] = _mm_loadu_si128(at + i);
                const auto bits
                    = static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v[i], olds_[i])));
                equal |= uint64_t(bits) << (16 * i);
            }
            const uint64_t starts = equal & (equal >> 1) & (equal >> 2) & kPixelStarts;
            if (starts == 0)
                continue;
            const uint64_t replaced = starts * 7; // each start bit and the two above it
            if (replaced == kAll) {
                for (int i = 0; i < 3; ++i)
                    _mm_storeu_si128(at + i, news_[i]);
                continue;
            }
            // Matching bytes hold the old colour, so flipping the bits in which the two
            // colours differ turns them into the new one.
            for (int i = 0; i < 3; ++i) {
                const __m128i mask = byteMask(replaced >> (16 * i));
                _mm_storeu_si128(at + i, _mm_xor_si128(v[i], _mm_and_si128(mask, flips_[i])));
            }
        }
#endif
        for (; x < pixels; ++x, p += 3) {
            if (p[0] == from_[0] && p[1] == from_[1] && p[2] == from_[2]) {
                p[0] = to_[0];
                p[1] = to_[1];
                p[2] = to_[2];
            }
        }
    }

private:
    uint8_t from_[3];
    uint8_t to_[3];
#if KALENO_SSE2
    __m128i olds_[3];
    __m128i news_[3];
    __m128i flips_[3];
#endif
};

int clampFactor(int k) { return std::clamp(k, 0, 256); }

// Ink factors are meant as 0 or 1; anything else is taken as the nearer end.
int clampInk(int f) { return std::clamp(f, 0, 1); }

int roundedComplement(double k)
{
    if (!(k >= 0.0)) // also catches NaN
        k = 0.0;
    if (k > 1.0)
        k = 1.0;
    // Ties go to the even neighbour, the program's rounding throughout: 127.5 gives 128,
    // 32.5 gives 32.
    return static_cast<int>(std::nearbyint((1.0 - k) * 255.0));
}

} // namespace

TDibPlus::TDibPlus(int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    const int64_t stride = (3 * int64_t(width) + 3) & ~int64_t(3);
    if (stride * height > INT_MAX)
        return;
    width_ = width;
    height_ = height;
    stride_ = static_cast<int>(stride);
    pixels_.assign(static_cast<std::size_t>(stride * height), 0);
}

void TDibPlus::SetPixel(int x, int y, uint32_t value)
{
    if (HasBitmap())
        SetPixelClipped(x, y, value);
}

void TDibPlus::SetPixelClipped(int x, int y, uint32_t value)
{
    if (x >= 0 && x < width_ && y >= 0 && y < height_)
        SetPixelFast(x, y, value);
}

uint32_t TDibPlus::GetPixel(int x, int y) const
{
    if (!HasBitmap() || x < 0 || x >= width_ || y < 0 || y >= height_)
        return 0;
    return GetPixelFast(x, y);
}

void TDibPlus::ClearRows(int first, int end)
{
    if (!HasBitmap())
        return;
    first = std::max(first, 0);
    if (first >= height_ || end < 0)
        return;
    end = std::min(end, height_);
    if (end <= first)
        return;
    std::memset(Row(first), 0, static_cast<std::size_t>(end - first) * stride_);
}

void TDibPlus::VLine(int x, int y0, int y1, uint32_t value)
{
    for (int y = y0; y <= y1; ++y)
        SetPixelFast(x, y, value);
}

void TDibPlus::Circle(int cx, int cy, uint32_t value, int radius)
{
    SpeckledCircle(cx, cy, 100, value, radius);
}

void TDibPlus::SpeckledCircle(int cx, int cy, int density, uint32_t value, int radius)
{
    if (radius < 0)
        return;
    // 64-bit arithmetic: a centre far outside or a huge radius must not overflow.
    const int64_t r = radius;
    if (int64_t(cx) + r < 0 || int64_t(cx) - r >= width_ || int64_t(cy) + r < 0
        || int64_t(cy) - r >= height_)
        return;
    // Nor when the whole buffer lies inside the circle (every point stays within half a
    // pixel of the radius): a huge radius would otherwise loop for nothing.
    const double farX = std::max(std::abs(double(cx)), std::abs(double(cx) - (width_ - 1)));
    const double farY = std::max(std::abs(double(cy)), std::abs(double(cy) - (height_ - 1)));
    if (r > 1 && farX * farX + farY * farY < double(r - 1) * double(r - 1))
        return;
    const bool speckled = density < 100;
    std::uniform_int_distribution<int> percent(0, 99);
    auto plot = [&](int64_t px, int64_t py) {
        if (speckled && !(density > percent(random_)))
            return;
        if (px >= 0 && px < width_ && py >= 0 && py < height_)
            SetPixelFast(static_cast<int>(px), static_cast<int>(py), value);
    };
    int64_t x = r;
    int64_t y = 0;
    int64_t e = 0;
    int64_t dy = 1;
    int64_t dx = 1 - 2 * r;
    while (y <= x) {
        plot(cx + x, cy + y);
        plot(cx + y, cy + x);
        plot(cx - y, cy + x);
        plot(cx - x, cy + y);
        plot(cx - x, cy - y);
        plot(cx - y, cy - x);
        plot(cx + y, cy - x);
        plot(cx + x, cy - y);
        y += 1;
        e += dy;
        dy += 2;
        if (2 * e + dx > 0) {
            x -= 1;
            e += dx;
            dx += 2;
        }
    }
}

void TDibPlus::ReplaceColor(uint32_t oldValue, uint32_t newValue)
{
    const ColourSwap swap(oldValue, newValue);
    ClearUpperVectorState();
    for (int y = 0; y < height_; ++y)
        swap.apply(Row(y), width_);
}

void TDibPlus::Smooth5(int x0, int y0, int x1, int y1)
{
    x0 = std::max(x0, 1);
    y0 = std::max(y0, 1);
    x1 = std::min(x1, width_ - 2);
    y1 = std::min(y1, height_ - 2);
    if (!HasBitmap() || x1 < x0 || y1 < y0)
        return;
    // The pixel to the left has been replaced when it is read, which chains a row into a
    // sequence; everything else (the finished row above, the old pixel and its right and
    // lower neighbours) is summed first in a loop that vectorises.
    const int bytes = 3 * (x1 - x0 + 1);
    std::vector<uint16_t> partial(static_cast<std::size_t>(bytes));
    for (int y = y0; y <= y1; ++y) {
        uint8_t *row = Row(y) + 3 * x0;
        const uint8_t *above = row - stride_;
        const uint8_t *below = row + stride_;
        for (int i = 0; i < bytes; ++i)
            partial[i] = static_cast<uint16_t>(above[i] + row[i] + row[i + 3] + below[i]);
        // The chain runs through registers: a reload of the byte just stored would put
        // the store-to-load delay on every pixel.
        unsigned left[3] = {row[-3], row[-2], row[-1]};
        for (int i = 0; i < bytes; i += 3) {
            for (int c = 0; c < 3; ++c) {
                left[c] = (partial[i + c] + left[c]) / 5;
                row[i + c] = static_cast<uint8_t>(left[c]);
            }
        }
    }
}

void TDibPlus::Blur25(int x0, int y0, int x1, int y1)
{
    x0 = std::max(x0, 2);
    y0 = std::max(y0, 2);
    x1 = std::min(x1, width_ - 3);
    y1 = std::min(y1, height_ - 3);
    if (!HasBitmap() || x1 < x0 || y1 < y0)
        return;
    // As in Smooth5, only the two replaced pixels to the left chain the row; the other 23
    // terms (two finished rows above, two old rows below, the old pixel and its two right
    // neighbours) are summed ahead in loops that vectorise.
    const int bytes = 3 * (x1 - x0 + 1);
    const int span = bytes + 12; // columns x0 - 2 .. x1 + 2
    std::vector<uint16_t> columns(static_cast<std::size_t>(span));
    std::vector<uint16_t> partial(static_cast<std::size_t>(bytes));
    for (int y = y0; y <= y1; ++y) {
        uint8_t *row = Row(y) + 3 * x0;
        const uint8_t *first = row - 6;
        const std::ptrdiff_t s = stride_;
        for (int i = 0; i < span; ++i)
            columns[i] = static_cast<uint16_t>(
                first[i - 2 * s] + first[i - s] + first[i + s] + first[i + 2 * s]);
        for (int i = 0; i < bytes; ++i)
            partial[i] = static_cast<uint16_t>(columns[i] + columns[i + 3] + columns[i + 6]
                + columns[i + 9] + columns[i + 12] + row[i] + row[i + 3] + row[i + 6]);
        unsigned left2[3] = {row[-6], row[-5], row[-4]};
        unsigned left1[3] = {row[-3], row[-2], row[-1]};
        for (int i = 0; i < bytes; i += 3) {
            for (int c = 0; c < 3; ++c) {
                const unsigned value = (partial[i + c] + left2[c] + left1[c]) / 25;
                left2[c] = left1[c];
                left1[c] = value;
                row[i + c] = static_cast<uint8_t>(value);
            }
        }
    }
}

void TDibPlus::LightRow(int x0, int x1, int y, int kR, int kG, int kB)
{
    bool dark = false;
    x0 = std::max(x0, 0);
    if (x0 >= width_) {
        x0 = width_;
        dark = true;
    }
    if (x1 < 0) {
        x1 = 0;
        dark = true;
    }
    x1 = std::min(x1, width_ - 1);
    if (!HasBitmap() || y < 0 || y >= height_)
        return;
    uint8_t *row = Row(y);
    if (dark) {
        std::memset(row, 0, 3 * static_cast<std::size_t>(width_));
        return;
    }
    // x1 < x0 (callers never pass it) still lights the pixel x0.
    const int last = std::max(x0, x1);
    std::memset(row, 0, 3 * static_cast<std::size_t>(x0));
    scaleRow(row + 3 * x0, last - x0 + 1, clampFactor(kR), clampFactor(kG), clampFactor(kB));
    std::memset(row + 3 * (last + 1), 0, 3 * static_cast<std::size_t>(width_ - 1 - last));
}

void TDibPlus::ScaleAll(int kR, int kG, int kB)
{
    kR = clampFactor(kR);
    kG = clampFactor(kG);
    kB = clampFactor(kB);
    ClearUpperVectorState();
    for (int y = 0; y < height_; ++y)
        scaleRow(Row(y), width_, kR, kG, kB);
}

void TDibPlus::Fill(uint32_t value)
{
    if (!HasBitmap())
        return;
    uint8_t *first = Row(0);
    for (int x = 0; x < width_; ++x)
        SetPixelFast(x, 0, value);
    for (int y = 1; y < height_; ++y)
        std::memcpy(Row(y), first, 3 * static_cast<std::size_t>(width_));
}

uint32_t SubtractiveRGB(double c, double m, double y)
{
    return PackPixel(roundedComplement(c), roundedComplement(m), roundedComplement(y));
}

uint32_t QuadriColor(uint32_t colour, int fY, int fM, int fC, int fK)
{
    int c = 255 - Byte0(colour);
    int m = 255 - Byte1(colour);
    int y = 255 - Byte2(colour);
    int k = std::min({c, m, y});
    c -= k;
    m -= k;
    y -= k;
    c *= clampInk(fC);
    m *= clampInk(fM);
    y *= clampInk(fY);
    k *= clampInk(fK);
    auto printed = [k](int ink) { return k + ink < 255 ? 255 - (k + ink) : 0; };
    return PackPixel(printed(c), printed(m), printed(y));
}

uint32_t TriColor(uint32_t colour, int fY, int fM, int fC)
{
    const int red = 255 - (255 - Byte0(colour)) * clampInk(fC);
    const int green = 255 - (255 - Byte1(colour)) * clampInk(fM);
    const int blue = 255 - (255 - Byte2(colour)) * clampInk(fY);
    return PackPixel(red, green, blue);
}

} // namespace kaleno
