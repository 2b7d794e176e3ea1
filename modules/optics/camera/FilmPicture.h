// The pictures of the photographed object: the object preview (the upright shape in its
// colours) and the film picture (the turned shape as the film receives it, blurred out of
// focus and darkened by the diaphragm), plus the colour bar painted into a buffer.
#pragma once

#include "modules/optics/camera/CameraModel.h"

namespace kaleno {

class TDibPlus;
struct Metafile;

// Fills the nine bands of ColourBar(ramp, left, right, top, bottom, direct) into the
// buffer (pixel values through SwapRB), clipped to it.
void FillColourBar(TDibPlus &target, const ColourRamp &ramp, int left, int right, int top,
    int bottom, bool direct);

// A black square of `side` pixels with the shape (white polygons) stretched over the
// square from (centre - half, centre - half) to (centre + half, centre + half), filled with
// a colour bar (direct or reversed) over that square: the shape's mask ANDed with the bar.
TDibPlus ShapeInColours(
    const Metafile &shape, const ColourRamp &ramp, int side, int half, bool direct);

// The object preview: a square of side `side` (P) with the upright shape over the whole
// square in a reversed bar (first colour at the top), framed in white.
TDibPlus MakeObjectPreview(const Metafile &uprightShape, const ColourRamp &ramp, int side);

// The film picture, a square of side state.filmSide (S): the turned shape of half-side
// FilmShapeHalf(state) around the centre in a direct bar (first colour at the bottom);
// when the film lies outside the depth of focus a 5 x 5 box blur twice over (2, 2) to
// (S - 3, S - 3); darkened by ApertureScale(state.apertureIndex); framed in white.
// Call ComputeCameraOptics first. A side under 1 gives an empty buffer.
TDibPlus MakeFilmPicture(
    const CameraState &state, const Metafile &turnedShape, const ColourRamp &ramp);

} // namespace kaleno
