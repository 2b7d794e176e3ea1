// The pictures of the colour-measurement window that are pure arithmetic: the gauges that
// show the range of one component, the hue-saturation disc and the gauge cursor.
#pragma once

#include <cstdint>

namespace kaleno {

class TDibPlus;

// The ten gauge images, in the order the window keeps them.
enum class GaugeImage { R, G, B, C, M, Y, K, H, S, V };
inline constexpr int kGaugeImageCount = 10;

// A gauge of a fixed system (R, G, B, C, M, Y or K): each column one colour, from black
// (or white for the inks) to the pure component, over the buffer's width. Other kinds
// leave the buffer unchanged.
void BuildFixedGauge(TDibPlus &gauge, GaugeImage kind);
// An HSV gauge: the component of `kind` (H, S or V) runs over the width (hue 0..360, the
// others 0..1) while the other two keep the values given.
void BuildHsvGauge(TDibPlus &gauge, GaugeImage kind, float h, float s, float v);

// The hue-saturation disc of value v in a square buffer of side D: hue counter-clockwise
// from the right, saturation from the centre (0) to the rim (1); outside the disc the
// buffer is `background` (a pixel value).
void BuildDisc(TDibPlus &disc, float v, uint32_t background);

// The gauge cursor, 9 x 16: a grey triangle pointing down on top, one pointing up below,
// white (transparent) between and around them; and its mask, white where the cursor is
// not white. Drawn as mask OR gauge, then cursor AND gauge.
inline constexpr int kCursorWidth = 9;
inline constexpr int kCursorHeight = 16;
void BuildCursor(TDibPlus &cursor, TDibPlus &mask);

} // namespace kaleno
