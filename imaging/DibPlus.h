// TDibPlus: the program's off-screen picture, a top-down 24-bit buffer whose pixels the
// modules address directly, plus the small colour routines that go with it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

namespace kaleno {

// A pixel value is 0x00RRGGBB (stored in memory as the bytes blue, green, red). A window
// colour (TColor) is 0x00BBGGRR; SwapRB turns one into the other.
class TDibPlus {
public:
    // A size that is not positive, or too large for a 32-bit image size, gives a buffer
    // without bitmap, 0 x 0: every access but the *Fast ones is then a no-op.
    TDibPlus(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Bytes per row: 3 * Width rounded up to a multiple of 4.
    int Stride() const { return stride_; }
    int ImageSize() const { return stride_ * height_; }
    bool HasBitmap() const { return !pixels_.empty(); }

    uint8_t *Bits() { return pixels_.data(); }
    const uint8_t *Bits() const { return pixels_.data(); }
    uint8_t *Row(int y) { return pixels_.data() + static_cast<std::ptrdiff_t>(y) * stride_; }
    const uint8_t *Row(int y) const
    {
        return pixels_.data() + static_cast<std::ptrdiff_t>(y) * stride_;
    }

    void SetPixel(int x, int y, uint32_t value);
    // Same bounds test as SetPixel without the bitmap test (a buffer without bitmap has
    // no inside, so the bounds test alone keeps it safe).
    void SetPixelClipped(int x, int y, uint32_t value);
    void SetPixelFast(int x, int y, uint32_t value)
    {
        uint8_t *p = Row(y) + 3 * x;
        p[0] = static_cast<uint8_t>(value);
        p[1] = static_cast<uint8_t>(value >> 8);
        p[2] = static_cast<uint8_t>(value >> 16);
    }
    // Returns 0 outside the buffer or when there is no bitmap.
    uint32_t GetPixel(int x, int y) const;
    uint32_t GetPixelFast(int x, int y) const
    {
        const uint8_t *p = Row(y) + 3 * x;
        return p[0] | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16);
    }

    // Rows first <= y < end become black, padding included; the range is clamped.
    void ClearRows(int first, int end);
    // Pixels (x, y0)..(x, y1), both included, without tests; y0 <= y1.
    void VLine(int x, int y0, int y1, uint32_t value);
    // Midpoint circle outline, each point clipped.
    void Circle(int cx, int cy, uint32_t value, int radius);
    // The same outline, each point kept with probability density / 100.
    void SpeckledCircle(int cx, int cy, int density, uint32_t value, int radius);
    void ReplaceColor(uint32_t oldValue, uint32_t newValue);
    // In-place five-point average over x0..x1, y0..y1 (bounds included). The rectangle
    // is clamped to the one-pixel margin the kernel reads.
    void Smooth5(int x0, int y0, int x1, int y1);
    // In-place 5 x 5 box average over x0..x1, y0..y1; clamped to a two-pixel margin.
    void Blur25(int x0, int y0, int x1, int y1);
    // Lights row y between x0 and x1 with factors in 256ths (clamped to 0..256); the rest
    // of the row is black.
    void LightRow(int x0, int x1, int y, int kR, int kG, int kB);
    // Each channel of every pixel times k / 256, rounded down (k clamped to 0..256).
    void ScaleAll(int kR, int kG, int kB);
    // Every pixel becomes value.
    void Fill(uint32_t value);

private:
    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    std::vector<uint8_t> pixels_;
    // Speckles need no quality, only a fixed, cheap sequence per buffer.
    std::minstd_rand random_;
};

// a + 256 b + 65536 c, each taken as a byte: (blue, green, red) makes a pixel value,
// (red, green, blue) a TColor.
constexpr uint32_t PackPixel(int a, int b, int c)
{
    return (uint32_t(a) & 0xFFu) | ((uint32_t(b) & 0xFFu) << 8) | ((uint32_t(c) & 0xFFu) << 16);
}
constexpr uint8_t Byte0(uint32_t v) { return static_cast<uint8_t>(v); }
constexpr uint8_t Byte1(uint32_t v) { return static_cast<uint8_t>(v >> 8); }
constexpr uint8_t Byte2(uint32_t v) { return static_cast<uint8_t>(v >> 16); }
// Exchanges bytes 0 and 2, keeps byte 1, drops byte 3: TColor <-> pixel value.
constexpr uint32_t SwapRB(uint32_t v)
{
    return ((v & 0xFFu) << 16) | (v & 0xFF00u) | ((v >> 16) & 0xFFu);
}

// The TColor of inks c, m, y (0..1): each component Round((1 - k) * 255), ties to even;
// values outside 0..1 are clamped.
uint32_t SubtractiveRGB(double c, double m, double y);
// Four-colour printing of a TColor: black extracted, then each ink printed when its
// factor is 1 and left out when it is 0.
uint32_t QuadriColor(uint32_t colour, int fY, int fM, int fC, int fK);
// Three-colour printing of a TColor, no black.
uint32_t TriColor(uint32_t colour, int fY, int fM, int fC);

} // namespace kaleno
