#include "modules/graphics/conversions/ColourConversions.h"

#include <algorithm>
#include <cmath>

namespace kaleno {

namespace {

int validFormat(int format) { return format >= 0 && format < kComponentFormatCount ? format : 0; }

uint8_t toByte(double x) { return static_cast<uint8_t>(detail::ComponentByte(x)); }

QString withComma(QString text) { return text.replace(QLatin1Char('.'), QLatin1Char(',')); }

} // namespace

QString MaxCaption(int format)
{
    static const char *const captions[kComponentFormatCount] = {"1.000 ", "100 % ", "255 "};
    return QString::fromLatin1(captions[validFormat(format)]);
}

void RGBtoCMY(ColourState &st)
{
    st.c0 = 1 - st.r;
    st.m0 = 1 - st.g;
    st.y0 = 1 - st.b;
}

void CMYtoRGB(ColourState &st)
{
    st.r = 1 - st.c0;
    st.g = 1 - st.m0;
    st.b = 1 - st.y0;
}

void RGBtoCMYK(ColourState &st)
{
    st.c = 1 - st.r;
    st.m = 1 - st.g;
    st.y = 1 - st.b;
    st.k = std::min({st.c, st.m, st.y});
    st.c -= st.k;
    st.m -= st.k;
    st.y -= st.k;
}

void CMYKtoRGB(ColourState &st)
{
    st.r = std::max(0.0, 1 - (st.c + st.k));
    st.g = std::max(0.0, 1 - (st.m + st.k));
    st.b = std::max(0.0, 1 - (st.y + st.k));
}

void RGBtoHSV(double r, double g, double b, double &h, double &s, double &v, bool &undefined)
{
    const double max = std::max({r, g, b});
    const double min = std::min({r, g, b});
    const double delta = max - min;
    v = max;
    s = max == 0 ? 0 : delta / max;
    if (s <= kHueEpsilon) {
        undefined = true;
        return;
    }
    undefined = false;
    if (r == max)
        h = (g - b) * 60 / delta;
    else if (g == max)
        h = (b - r) * 60 / delta + 120;
    else
        h = (r - g) * 60 / delta + 240;
    if (h < 0)
        h += 360;
}

void HSVtoRGB(bool undefined, double h, double s, double v, double &r, double &g, double &b)
{
    if (undefined || s <= kHueEpsilon) {
        r = g = b = v;
        return;
    }
    const double H = (h >= 360 ? h - 360 : h) * (1.0 / 60);
    detail::HueSectors(H, s, v, r, g, b);
}

void RGBtoHSV(ColourState &st) { RGBtoHSV(st.r, st.g, st.b, st.h, st.s, st.v, st.hueUndefined); }

void HSVtoRGB(ColourState &st) { HSVtoRGB(st.hueUndefined, st.h, st.s, st.v, st.r, st.g, st.b); }

uint32_t ColourToTColor(double r, double g, double b)
{
    return toByte(r) | (uint32_t(toByte(g)) << 8) | (uint32_t(toByte(b)) << 16);
}

void TColorToColour(uint32_t colour, double &r, double &g, double &b)
{
    constexpr double inv255 = 1.0 / 255;
    r = (colour & 0xFF) * inv255;
    g = ((colour >> 8) & 0xFF) * inv255;
    b = ((colour >> 16) & 0xFF) * inv255;
}

QString HexCode(uint32_t colour)
{
    const uint32_t rgb = ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
    return QStringLiteral("#%1").arg(rgb, 6, 16, QLatin1Char('0')).toUpper();
}

QString FormatCompos(double x, int format)
{
    switch (validFormat(format)) {
    case kFormatPercent:
        return withComma(QString::asprintf("%3.1f", x * 100)) + QLatin1Char('%');
    case kFormatByte:
        return QString::number(RoundEven(x * 255));
    default:
        return withComma(QString::asprintf("%1.3f", x));
    }
}

QString FormatTeinte(double h)
{
    return withComma(QString::asprintf("%3.1f", h)) + QStringLiteral(" °");
}

} // namespace kaleno
