// The separation of a picture into its red, green and blue light images: each keeps one
// byte of the pixel value, at its original intensity, on black.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kaleno {

class TDibPlus;

namespace rgbsplit {

// Masks of the pixel value 0x00RRGGBB.
inline constexpr uint32_t kRedMask = 0xFF0000;
inline constexpr uint32_t kGreenMask = 0x00FF00;
inline constexpr uint32_t kBlueMask = 0x0000FF;

constexpr uint32_t RedPart(uint32_t pixel) { return pixel & kRedMask; }
constexpr uint32_t GreenPart(uint32_t pixel) { return pixel & kGreenMask; }
constexpr uint32_t BluePart(uint32_t pixel) { return pixel & kBlueMask; }

// Row kernel over `count` pixels stored blue, green, red: each output row gets the
// pixels with the other two bytes cleared. The rows may not overlap.
void SplitRow(
    const uint8_t *source, uint8_t *red, uint8_t *green, uint8_t *blue, std::size_t count);

// The three light images of `source`, each made anew at its size.
void SplitChannels(const TDibPlus &source, TDibPlus &red, TDibPlus &green, TDibPlus &blue);

} // namespace rgbsplit
} // namespace kaleno
