// The arithmetic of the colour-measurement window: one colour in the RGB, CMY, CMYK and
// HSV systems, the conversions between them, and the texts that show its components.
#pragma once

#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace kaleno {

// A saturation at or below this leaves the hue without meaning.
inline constexpr double kHueEpsilon = 1e-6;

// One colour in the four systems, every component in 0..1 except h in degrees (0..360).
// While hueUndefined holds (grey, white, black), h keeps its last value.
struct ColourState {
    double r = 1, g = 0, b = 0;
    double c0 = 0, m0 = 1, y0 = 1;
    double c = 0, m = 1, y = 1, k = 0;
    double h = 0, s = 1, v = 1;
    bool hueUndefined = false;
};

// The three ways a component is written: 0..1, percent, 0..255.
enum ComponentFormat { kFormatUnit = 0, kFormatPercent = 1, kFormatByte = 2 };
inline constexpr int kComponentFormatCount = 3;

// The maximum shown in a component label, with its trailing blank ("1.000 ", "100 % ",
// "255 "); a format out of range reads as 0.
QString MaxCaption(int format);

void RGBtoCMY(ColourState &state);
void CMYtoRGB(ColourState &state);
// Black extraction: all the grey of the colour goes into k, so one of c, m, y is 0.
void RGBtoCMYK(ColourState &state);
// Results below 0 become 0; there is no upper clamp (none is reachable from 0..1 inputs).
void CMYKtoRGB(ColourState &state);

// h is written only when the hue is defined, so an undefined hue keeps its last value.
void RGBtoHSV(double r, double g, double b, double &h, double &s, double &v, bool &undefined);
void HSVtoRGB(bool undefined, double h, double s, double v, double &r, double &g, double &b);
// The state's own fields.
void RGBtoHSV(ColourState &state);
void HSVtoRGB(ColourState &state);

// Round to nearest, ties to even, as the processor's default rounding does.
inline int RoundEven(double x)
{
    // Adding and removing 1.5 * 2^52 leaves the integer that the rounding mode (to
    // nearest, ties to even) picks, without the library call nearbyint costs on baseline
    // x86-64: the disc rounds twelve times a pixel.
    constexpr double kShift = 6755399441055744.0;
    if (std::abs(x) < 1e9)
        return static_cast<int>((x + kShift) - kShift);
    return static_cast<int>(std::clamp(std::nearbyint(x), -2147483648.0, 2147483647.0));
}

namespace detail {

// The six sectors of the hue circle, shared by both precisions. H is the hue in sixths of
// the circle, 0 <= H < 6; rounding can bring a hue just under 360 to exactly 6, which the
// clamp of i keeps in the last sector instead of reading past it.
template <typename Real> void HueSectors(Real H, Real s, Real v, Real &r, Real &g, Real &b)
{
    const int i = std::clamp(static_cast<int>(H), 0, 5);
    const Real f = H - static_cast<Real>(i);
    const Real p = (1 - s) * v;
    const Real q = (1 - s * f) * v;
    const Real t = (1 - (1 - f) * s) * v;
    switch (i) {
    case 0:
        r = v, g = t, b = p;
        break;
    case 1:
        r = q, g = v, b = p;
        break;
    case 2:
        r = p, g = v, b = t;
        break;
    case 3:
        r = p, g = q, b = v;
        break;
    case 4:
        r = t, g = p, b = v;
        break;
    default:
        r = v, g = p, b = q;
        break;
    }
}

inline uint32_t ComponentByte(double x) { return uint32_t(std::clamp(RoundEven(x * 255), 0, 255)); }

} // namespace detail

// Single precision, for the gauges and the disc: a pixel value 0x00RRGGBB. A hue in
// -360..720 is brought into 0..360 first; a saturation of 0 gives grey. Inline: the disc
// calls it four times a pixel.
inline uint32_t HSVtoPixel(float h, float s, float v)
{
    if (h < 0)
        h += 360;
    if (h >= 360)
        h -= 360;
    float r = 0, g = 0, b = 0;
    detail::HueSectors(h * (1.0f / 60), s, v, r, g, b);
    return (detail::ComponentByte(r) << 16) | (detail::ComponentByte(g) << 8)
        | detail::ComponentByte(b);
}

// 0x00BBGGRR from components in 0..1 (each byte rounded ties to even, clamped to 0..255).
uint32_t ColourToTColor(double r, double g, double b);
void TColorToColour(uint32_t colour, double &r, double &g, double &b);
// "#RRGGBB", upper-case.
QString HexCode(uint32_t colour);

// x in 0..1 as "0,500", "50,0%" or "128" by format (out of range reads as 0).
QString FormatCompos(double x, int format);
// "120,0 °".
QString FormatTeinte(double h);

} // namespace kaleno
