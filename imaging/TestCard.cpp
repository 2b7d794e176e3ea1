#include "imaging/TestCard.h"

#include "imaging/Canvas.h"
#include "imaging/DibPlus.h"
#include "imaging/RasterOps.h"

#include <cmath>

namespace kaleno {

namespace {

// TColor values (0x00BBGGRR).
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kGrey = 0x808080;
constexpr uint32_t kYellow = 0x00FFFF;
constexpr uint32_t kCyan = 0xFFFF00;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kMagenta = 0xFF00FF;
constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kBlue = 0xFF0000;

int roundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

// A rectangle without outline, its corners rounded to the nearest pixel; the far corner is
// excluded, as in GDI.
void fillBox(Canvas &canvas, double x1, double y1, double x2, double y2, uint32_t colour)
{
    const int left = roundEven(x1), top = roundEven(y1);
    const int right = roundEven(x2), bottom = roundEven(y2);
    if (right <= left || bottom <= top)
        return;
    canvas.SetBrush(colour);
    canvas.FillRect(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
}

void line(Canvas &canvas, int x1, int y1, int x2, int y2)
{
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

void paintGrid(TDibPlus &grid, double u)
{
    const int w = grid.Width(), h = grid.Height();
    Canvas canvas(grid);
    fillBox(canvas, 0, 0, w, h, kGrey);
    canvas.SetPen(kWhite);
    for (int k = 0; roundEven(k * u) < w; ++k)
        line(canvas, roundEven(k * u), 0, roundEven(k * u), h);
    for (int k = 0; roundEven(k * u) < h; ++k)
        line(canvas, 0, roundEven(k * u), w, roundEven(k * u));
    line(canvas, w - 1, 0, w - 1, h);
    line(canvas, 0, h - 1, w, h - 1);
}

void centredText(Canvas &canvas, double u, double y, const QString &text)
{
    const double x = 6 * u + (5 * u - canvas.TextWidth(text)) / 2;
    canvas.TextOut(roundEven(x), roundEven(y), text);
}

void paintPattern(TDibPlus &pattern, double u)
{
    const int w = pattern.Width(), h = pattern.Height();
    Canvas canvas(pattern);
    fillBox(canvas, 0, 0, w, h, kWhite);

    constexpr uint32_t kBars[6] = {kYellow, kCyan, kGreen, kMagenta, kRed, kBlue};
    for (int i = 0; i < 6; ++i)
        fillBox(canvas, 2.5 * u + 2 * i * u, 4 * u, 2.5 * u + 2 * (i + 1) * u, 6 * u, kBars[i]);

    fillBox(canvas, 4 * u, 11 * u, 13 * u, 13 * u, kYellow);
    fillBox(canvas, 8 * u, 11 * u, 9 * u, 13 * u, kRed);
    fillBox(canvas, 2 * u, 6 * u, 15 * u, 9 * u, kBlack);

    // Gratings of 5, 4, 3, 2 and 1 pixels, each width over a stretch of 2u.
    int p = 5;
    double a = 3.5 * u;
    double x = 3.5 * u - 10;
    while (x < 13.5 * u) {
        x += 2 * p;
        if (x - a >= 2 * u) {
            a += 2 * u;
            --p;
        }
        fillBox(canvas, x, 7 * u, x + p, 9 * u, kWhite);
    }

    fillBox(canvas, 8 * u, 5 * u, 9 * u, 8 * u, kBlack);
    fillBox(canvas, 6 * u, u, 11 * u, 2 * u, kBlack);
    fillBox(canvas, 5.5 * u, 10 * u, 11.5 * u, 11 * u, kBlack);

    constexpr int kSteps[6] = {0, 80, 102, 153, 204, 255};
    for (int i = 0; i < 6; ++i) {
        const uint32_t grey = PackPixel(kSteps[i], kSteps[i], kSteps[i]);
        fillBox(canvas, 2.5 * u + 2 * i * u, 9 * u, 2.5 * u + 2 * (i + 1) * u, 10 * u, grey);
    }
    for (int k = 0; k <= 10; ++k)
        fillBox(canvas, 3.5 * u + k * u, 3 * u, 4 * u + k * u, 4 * u, kBlack);

    canvas.SetPen(kWhite);
    line(canvas, w / 2, roundEven(5 * u), w / 2, roundEven(8 * u));
    line(canvas, roundEven(2 * u), h / 2, roundEven(15 * u), h / 2);
    for (int k = 0; k <= 17; ++k)
        line(canvas, roundEven(k * u), roundEven(6 * u), roundEven(k * u), roundEven(7 * u));

    const int textHeight = static_cast<int>(std::floor(u)) - 1;
    if (textHeight <= 0)
        return;
    canvas.SetFontName(QStringLiteral("Arial"));
    canvas.SetFontStyle(0);
    canvas.SetFontHeight(-textHeight);
    canvas.SetFontColour(kWhite);
    canvas.SetBackgroundMode(BackgroundMode::Transparent);
    centredText(canvas, u, u, QString::fromUtf8(kTestCardTitle));
    centredText(canvas, u, 10 * u, QString::fromUtf8(kTestCardSubtitle));
}

// White inside the circle (every pixel within the radius of the centre), black outside;
// `inside` false gives the inverse.
TDibPlus discMask(int w, int h, int radius, bool inside)
{
    TDibPlus mask(w, h);
    mask.Fill(inside ? 0x000000 : 0xFFFFFF);
    const int cx = w / 2, cy = h / 2;
    const uint32_t disc = inside ? 0xFFFFFF : 0x000000;
    for (int dy = -radius; dy <= radius; ++dy) {
        const int y = cy + dy;
        if (y < 0 || y >= h)
            continue;
        int dx = static_cast<int>(std::sqrt(double(radius) * radius - double(dy) * dy));
        while (dx * dx + dy * dy > radius * radius)
            --dx;
        for (int x = std::max(cx - dx, 0); x <= std::min(cx + dx, w - 1); ++x)
            mask.SetPixelFast(x, y, disc);
    }
    return mask;
}

} // namespace

void PaintTestCard(TDibPlus &card)
{
    const int w = card.Width(), h = card.Height();
    if (!card.HasBitmap())
        return;
    const double u = w / 17.0;
    const int radius = 16 * h / 34;

    TDibPlus pattern(w, h);
    paintPattern(pattern, u);
    BitBlt(pattern, 0, 0, discMask(w, h, radius, true), RasterOp::And);

    paintGrid(card, u);
    BitBlt(card, 0, 0, discMask(w, h, radius, false), RasterOp::And);
    BitBlt(card, 0, 0, pattern, RasterOp::Or);
}

} // namespace kaleno
