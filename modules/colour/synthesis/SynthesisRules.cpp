#include "modules/colour/synthesis/SynthesisRules.h"

#include "imaging/DibPlus.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kaleno::synthesis {

namespace {

constexpr int clampLevel(int level) { return level < 0 ? 0 : (level > 100 ? 100 : level); }

} // namespace

DiscColours LightColours(const Levels &intensities, bool extended)
{
    if (!extended)
        return {0xFF0000, 0x00FF00, 0x0000FF};
    auto channel = [&](int i) { return uint32_t(clampLevel(intensities[i]) * 255 / 100); };
    return {channel(0) << 16, channel(1) << 8, channel(2)};
}

DiscColours InkColours(const Levels &strengths, bool extended)
{
    if (!extended)
        return {0x00FFFF, 0xFF00FF, 0xFFFF00};
    auto ink = [&](int i) { return clampLevel(strengths[i]) * 0.01; };
    // SubtractiveRGB gives a TColor; the buffers take pixel values.
    return {SwapRB(SubtractiveRGB(ink(0), 0, 0)), SwapRB(SubtractiveRGB(0, ink(1), 0)),
        SwapRB(SubtractiveRGB(0, 0, ink(2)))};
}

int ClampRadius(int wanted, int screenHeight)
{
    const int largest = screenHeight / 3;
    if (wanted > largest)
        return largest;
    if (wanted < kMinRadius)
        return kMinRadius;
    return wanted;
}

int RightClickRadius(int radius, bool ctrl, int screenHeight)
{
    return ClampRadius(ctrl ? radius - kRadiusStep : radius + kRadiusStep, screenHeight);
}

int WheelNotches(int angleDelta) { return angleDelta / kWheelDeltaPerNotch; }

int WheelRadius(int radius, int angleDelta, int screenHeight)
{
    // A notch count is small, but a forged delta must not overflow the sum.
    const long long wanted = radius + 10LL * WheelNotches(angleDelta);
    const long long bounded = std::clamp<long long>(wanted, -1'000'000, 1'000'000);
    return ClampRadius(static_cast<int>(bounded), screenHeight);
}

DiscCentres InitialCentres(int screenWidth, int screenHeight, int radius)
{
    const int half = radius / 2;
    const DiscCentre first {screenWidth / 2, screenHeight / 2};
    return {first, DiscCentre {first.x + half, first.y - half},
        DiscCentre {first.x - half, first.y - half}};
}

int HitDisc(const DiscCentres &centres, int radius, int x, int y)
{
    const long long r2 = static_cast<long long>(radius) * radius;
    for (int i = 0; i < 3; ++i) {
        const long long dx = static_cast<long long>(x) - centres[i].x;
        const long long dy = static_cast<long long>(y) - centres[i].y;
        if (dx * dx + dy * dy <= r2)
            return i + 1;
    }
    return 0;
}

DiscCentre ClampCentre(int x, int y, int screenWidth, int screenHeight, int radius)
{
    const int half = radius / 2;
    // Written as max then min, so a screen too small for the range still gives one answer.
    return {std::min(std::max(x, -half), screenWidth + half),
        std::min(std::max(y, -half), screenHeight - radius)};
}

QString LevelText(int level) { return QStringLiteral(" %1 %").arg(level); }

std::array<int, 3> ProjectorLefts(int screenWidth)
{
    return {10, screenWidth / 2 - 40, screenWidth - 90};
}

double ProjectorAngle(DiscCentre disc, int projectorLeft, int screenHeight)
{
    const double across = double(disc.x) - projectorLeft - 40;
    const double up = double(disc.y) - screenHeight - 40;
    // Clamped centres keep the disc above the projector; the guard is for a tiny screen.
    if (up == 0)
        return across == 0 ? 0.0 : std::copysign(std::numbers::pi / 2, -across);
    return std::atan(across / up);
}

} // namespace kaleno::synthesis
