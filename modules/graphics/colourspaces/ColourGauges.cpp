#include "modules/graphics/colourspaces/ColourGauges.h"

#include "imaging/DibPlus.h"
#include "modules/graphics/conversions/ColourConversions.h"

#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

namespace kaleno {

namespace {

// One colour per column in row 0, then row 0 copied to the other rows.
template <typename ColumnColour> void fillColumns(TDibPlus &gauge, const ColumnColour &colour)
{
    const int width = gauge.Width();
    if (width <= 0 || gauge.Height() <= 0)
        return;
    for (int x = 0; x < width; ++x)
        gauge.SetPixelFast(x, 0, colour(x));
    for (int y = 1; y < gauge.Height(); ++y)
        std::memcpy(gauge.Row(y), gauge.Row(0), static_cast<std::size_t>(3 * width));
}

} // namespace

void BuildFixedGauge(TDibPlus &gauge, GaugeImage kind)
{
    const int width = gauge.Width();
    // Accumulated like the running value of a loop, so the steps land where they always did.
    const double step = width > 1 ? 255.0 / (width - 1) : 0;
    std::vector<int> levels(static_cast<std::size_t>(std::max(width, 0)));
    double t = 0;
    for (int &n : levels) {
        n = RoundEven(t);
        t += step;
    }
    const auto level = [&](int x) { return levels[static_cast<std::size_t>(x)]; };
    switch (kind) {
    case GaugeImage::R:
        fillColumns(gauge, [&](int x) { return PackPixel(0, 0, level(x)); });
        break;
    case GaugeImage::G:
        fillColumns(gauge, [&](int x) { return PackPixel(0, level(x), 0); });
        break;
    case GaugeImage::B:
        fillColumns(gauge, [&](int x) { return PackPixel(level(x), 0, 0); });
        break;
    case GaugeImage::C:
        fillColumns(gauge, [&](int x) { return PackPixel(255, 255, 255 - level(x)); });
        break;
    case GaugeImage::M:
        fillColumns(gauge, [&](int x) { return PackPixel(255, 255 - level(x), 255); });
        break;
    case GaugeImage::Y:
        fillColumns(gauge, [&](int x) { return PackPixel(255 - level(x), 255, 255); });
        break;
    case GaugeImage::K:
        fillColumns(gauge, [&](int x) {
            const int n = 255 - level(x);
            return PackPixel(n, n, n);
        });
        break;
    default:
        break;
    }
}

void BuildHsvGauge(TDibPlus &gauge, GaugeImage kind, float h, float s, float v)
{
    const int width = gauge.Width();
    const float span = kind == GaugeImage::H ? 360.0f : 1.0f;
    const float step = width > 1 ? span / static_cast<float>(width - 1) : 0.0f;
    float running = 0;
    // Columns are visited in order, so the running value can advance inside the callback.
    const auto next = [&] {
        const float value = running;
        running += step;
        return value;
    };
    switch (kind) {
    case GaugeImage::H:
        fillColumns(gauge, [&](int) { return HSVtoPixel(next(), s, v); });
        break;
    case GaugeImage::S:
        fillColumns(gauge, [&](int) { return HSVtoPixel(h, next(), v); });
        break;
    case GaugeImage::V:
        fillColumns(gauge, [&](int) { return HSVtoPixel(h, s, next()); });
        break;
    default:
        break;
    }
}

void BuildDisc(TDibPlus &disc, float v, uint32_t background)
{
    disc.Fill(background);
    const int D = disc.Width();
    if (D <= 0 || disc.Height() != D)
        return;
    const int R = D / 2;
    const float radius = static_cast<float>(R);
    // Single precision is all the hue needs here (HSVtoPixel takes a float) and halves
    // the cost of the arc tangent, the dearest step of the disc.
    constexpr float toDegrees = static_cast<float>(180 / std::numbers::pi);
    // The lower-right quarter is computed; the three others are its mirror images with
    // the hue turned accordingly, so one arc tangent serves four pixels.
    for (int j = R; j < D; ++j) {
        const int dy = j - R;
        for (int i = R; i < D; ++i) {
            const int dx = i - R;
            const float dist = std::sqrt(static_cast<float>(dx * dx + dy * dy));
            if (!(dist < radius))
                break; // further right on this row is further out
            const float s = dist / radius;
            float af = std::atan2(static_cast<float>(-dy), static_cast<float>(dx)) * toDegrees;
            if (af < 0)
                af += 360;
            disc.SetPixelFast(i, j, HSVtoPixel(af, s, v));
            disc.SetPixelFast(i, D - j, HSVtoPixel(360 - af, s, v));
            disc.SetPixelFast(D - i, D - j, HSVtoPixel(af - 180, s, v));
            disc.SetPixelFast(D - i, j, HSVtoPixel(540 - af, s, v));
        }
    }
}

void BuildCursor(TDibPlus &cursor, TDibPlus &mask)
{
    constexpr uint32_t white = 0xFFFFFF, black = 0x000000, grey = 0xC0C0C0;
    cursor = TDibPlus(kCursorWidth, kCursorHeight);
    mask = TDibPlus(kCursorWidth, kCursorHeight);
    cursor.Fill(white);
    // Row by row from the base of the triangle to its tip: the first and last pixel of
    // each span are the black outline, the rest light grey. The base is a black line.
    constexpr int spans[6][2] = {{0, 8}, {0, 8}, {1, 7}, {2, 6}, {3, 5}, {4, 4}};
    for (int row = 0; row < 6; ++row) {
        const auto [first, last] = spans[row];
        for (int x = first; x <= last; ++x) {
            const uint32_t colour = row == 0 || x == first || x == last ? black : grey;
            cursor.SetPixelFast(x, row, colour);
            cursor.SetPixelFast(x, kCursorHeight - 1 - row, colour);
        }
    }
    for (int y = 0; y < kCursorHeight; ++y)
        for (int x = 0; x < kCursorWidth; ++x)
            mask.SetPixelFast(x, y, cursor.GetPixelFast(x, y) == white ? black : white);
}

} // namespace kaleno
