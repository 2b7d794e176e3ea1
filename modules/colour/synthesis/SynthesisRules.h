// The arithmetic shared by the additive (lights, OR) and subtractive (inks, AND) synthesis
// windows: disc colours, mixing, radius, hit test, clamps and the texts they show.
// Colours here are pixel values (0x00RRGGBB).
#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace kaleno::synthesis {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr int kMinRadius = 20;
constexpr int kRadiusStep = 10;
constexpr int kWheelDeltaPerNotch = 120;
constexpr int kMinOuterWidth = 460;
constexpr int kMinOuterHeight = 360;
// Screen size from the client size. The additive window loses two more rows on resize
// than at show: kept, so a pupil's screen matches the one the lessons were written with.
constexpr int kScreenWidthMargin = 10;
constexpr int kAdditiveShowHeightMargin = 180;
constexpr int kAdditiveResizeHeightMargin = 182;
constexpr int kSubtractiveHeightMargin = 152;
constexpr int kProjectorStripHeight = 81;
constexpr int kBrushStripHeight = 50;
// Brushes sit at fixed places in their strip whatever the window width.
constexpr std::array<int, 3> kBrushX = {2, 160, 320};
constexpr int kBrushY = 3;
// The paint of the brush picture, replaced by the ink colour.
constexpr uint32_t kBrushPaint = 0xFFFF00;

struct DiscCentre {
    int x = 0;
    int y = 0;
    friend bool operator==(const DiscCentre &, const DiscCentre &) = default;
};
using DiscCentres = std::array<DiscCentre, 3>;
// Intensities (lights) or strengths (inks) in percent, in the order of the discs.
using Levels = std::array<int, 3>;
using DiscColours = std::array<uint32_t, 3>;

// Red, green, blue lights. Extended: each channel is level * 255 div 100 of its own
// colour; otherwise full intensity whatever the levels. Levels are clamped to 0..100.
DiscColours LightColours(const Levels &intensities, bool extended);
// Cyan, magenta, yellow inks. Extended: each ink lowers only its own channel to
// Round((1 - s/100) * 255), ties to even; otherwise pure inks. Levels clamped to 0..100.
DiscColours InkColours(const Levels &strengths, bool extended);

// Lights add: each disc has one channel of its own, so OR is their sum.
constexpr uint32_t MixLights(uint32_t a, uint32_t b) { return (a | b) & kWhite; }
// Inks absorb: AND keeps the strongest absorption per channel.
constexpr uint32_t MixInks(uint32_t a, uint32_t b) { return a & b & kWhite; }

// The wanted radius bounded to [20, screenHeight div 3], the upper bound tested first, so
// a screen lower than 60 rows clamps a large radius below 20.
int ClampRadius(int wanted, int screenHeight);
// Right click: smaller by 10 with Ctrl, else larger by 10, then clamped.
int RightClickRadius(int radius, bool ctrl, int screenHeight);
// Whole notches of a wheel delta (120 a notch, truncated toward zero).
int WheelNotches(int angleDelta);
// The radius after a wheel turn: 10 per notch, then clamped.
int WheelRadius(int radius, int angleDelta, int screenHeight);

// Centres at start: disc 1 mid-screen, disc 2 up-right and disc 3 up-left by R div 2.
DiscCentres InitialCentres(int screenWidth, int screenHeight, int radius);
// 1..3 for the first disc (in disc order) whose closed disc holds (x, y), 0 for none.
int HitDisc(const DiscCentres &centres, int radius, int x, int y);
// x into [-R div 2, W + R div 2], y into [-R div 2, H - R]: a disc may leave the screen
// by half a radius except at the bottom, where the projectors or brushes are.
DiscCentre ClampCentre(int x, int y, int screenWidth, int screenHeight, int radius);

// The sliders have 100 % at the top (position 0).
constexpr int LevelFromPosition(int position) { return 100 - position; }
constexpr int PositionFromLevel(int level) { return 100 - level; }
// " 100 %": a blank, the level, a blank, the percent sign.
QString LevelText(int level);

// Left edges of the three projectors in their strip.
std::array<int, 3> ProjectorLefts(int screenWidth);
// Angle (radians) turning projector i toward its disc: arctan((x - px - 40) / (y - H - 40)),
// the projector's centre being at (px + 40, H + 40). 0 when the disc is on that centre.
double ProjectorAngle(DiscCentre disc, int projectorLeft, int screenHeight);

} // namespace kaleno::synthesis
