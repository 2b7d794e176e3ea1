#include "modules/optics/camera/CameraModel.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace kaleno {

namespace {

// Rounded half to even (the default rounding mode), held inside the int range: a point
// far off the drawing must not overflow the conversion.
int RoundPixel(double value)
{
    if (std::isnan(value)) {
        return 0;
    }
    const double rounded = std::nearbyint(value);
    if (rounded <= double(INT_MIN)) {
        return INT_MIN;
    }
    if (rounded >= double(INT_MAX)) {
        return INT_MAX;
    }
    return static_cast<int>(rounded);
}

double FNumberOf(int apertureIndex)
{
    const int index = std::clamp(apertureIndex, kMinApertureIndex, kMaxApertureIndex);
    return kFNumbers[static_cast<std::size_t>(index - kMinApertureIndex)];
}

int ChannelOf(uint32_t colour, int shift) { return int((colour >> shift) & 0xFFu); }

} // namespace

void CameraFocalSetup(CameraState &state, double f, int width, int height)
{
    state.f = f > 0 ? f : kDefaultFocalLength;
    state.width = std::max(width, 1);
    state.height = std::max(height, 1);
    state.lensColumn = state.width / 2;
    state.axisRow = state.height / 2;

    state.lensHalf = state.f / 2;
    state.objScale = state.width / (300 * state.f);
    state.lensX = 150 * state.f;
    state.filmX = state.lensX + state.f;
    state.objectX = state.lensX - 100 * state.f;
    // The film side shows 1.1 focal lengths, unless the film (3.5 of its heights) would
    // not fit the drawing's height.
    state.imgScale = std::min(state.width / (2.2 * state.f), state.height / (7 * kFilmHalf));
    state.lensHalfPx = RoundPixel(state.lensHalf * state.imgScale / (70 * state.f + 3));
    SetCameraAperture(state, state.apertureIndex);

    state.previewSide = RoundPixel(state.objScale * kObjectHalf * 2);
    state.filmSide = RoundPixel(state.imgScale * kFilmHalf * 2);
}

void SetCameraAperture(CameraState &state, int apertureIndex)
{
    state.apertureIndex = std::clamp(apertureIndex, kMinApertureIndex, kMaxApertureIndex);
    state.fNumber = FNumberOf(state.apertureIndex);
    // A hair wider than f / (2N), so that at f/2 the rays through the lens's very edge pass.
    state.apertureHalf = 1.01 * state.f / state.fNumber;
}

void SetCameraRayIndex(CameraState &state, int rayIndex)
{
    const int index = std::clamp(rayIndex, 0, int(kCameraRayCounts.size()) - 1);
    state.rayTotal = kCameraRayCounts[static_cast<std::size_t>(index)];
    state.rayHalf = state.rayTotal / 2;
}

void SetObjectX(CameraState &state, double x)
{
    const double nearest = state.lensX - kNearestObjectFocals * state.f;
    state.objectX = std::isnan(x) ? nearest : std::clamp(x, 0.0, nearest);
}

void SetFilmX(CameraState &state, double x)
{
    state.filmX = std::isnan(x) ? state.lensX : std::max(x, state.lensX);
}

void AutoFocus(CameraState &state) { SetFilmX(state, state.imageX); }

double DepthOfFocusHalf(double confusion, double fNumber) { return confusion * fNumber; }

void ComputeCameraOptics(CameraState &state, double confusion)
{
    // The object stays at least 5 f in front of the lens, so p > f and the image is real.
    SetObjectX(state, state.objectX);
    const double objectDistance = state.lensX - state.objectX; // p
    const double imageDistance = 1 / (1 / state.f - 1 / objectDistance); // p'
    state.imageX = state.lensX + imageDistance;
    state.gamma = imageDistance / objectDistance;
    const double depth = DepthOfFocusHalf(confusion, state.fNumber);
    state.nearX = state.imageX - depth;
    state.farX = state.imageX + depth;
}

bool FilmInFocus(const CameraState &state)
{
    return state.filmX >= state.nearX && state.filmX <= state.farX;
}

double ImageHalf(const CameraState &state) { return state.gamma * kObjectHalf; }

std::vector<CameraRay> TraceCameraRays(const CameraState &state)
{
    std::vector<CameraRay> rays;
    const int half = std::max(state.rayHalf, 2);
    const double step = 2 * state.lensHalf / (half - 1);
    const double imageHalf = ImageHalf(state);
    rays.reserve(static_cast<std::size_t>(2 * half));
    for (int side = 0; side < 2; ++side) {
        // The top of the object forms its image below the axis, the bottom above it.
        const double objectY = side == 0 ? kObjectHalf : -kObjectHalf;
        const double imageY = side == 0 ? -imageHalf : imageHalf;
        for (int i = 0; i < half; ++i) {
            CameraRay ray;
            ray.object = {state.objectX, objectY};
            ray.lens = {state.lensX, -state.lensHalf + i * step};
            ray.stopped = std::abs(ray.lens.y) > state.apertureHalf;
            ray.end = ray.stopped ? ray.lens : CameraPoint {state.imageX, imageY};
            rays.push_back(ray);
        }
    }
    return rays;
}

int ColumnOfX(const CameraState &state, double x)
{
    const double scale = x <= state.lensX ? state.objScale : state.imgScale;
    return state.lensColumn + RoundPixel((x - state.lensX) * scale);
}

int ObjectSideRow(const CameraState &state, double y)
{
    return RoundPixel(state.axisRow - y * state.objScale);
}

int FilmSideRow(const CameraState &state, double y)
{
    return RoundPixel(state.axisRow - y * state.imgScale);
}

double LensDistanceOfColumn(const CameraState &state, int column)
{
    const double scale = column < state.lensColumn ? state.objScale : state.imgScale;
    return (column - state.lensColumn) / scale;
}

double XOfColumn(const CameraState &state, int column)
{
    return state.lensX + LensDistanceOfColumn(state, column);
}

double HeightOfRow(const CameraState &state, int row, int column)
{
    const double scale = column < state.lensColumn ? state.objScale : state.imgScale;
    return (state.axisRow - row) / scale;
}

void MoveObjectToColumn(CameraState &state, int column)
{
    // The object keeps clear of the lens picture.
    const int limit = state.lensColumn - 2 * state.lensHalfPx;
    SetObjectX(state, XOfColumn(state, std::min(column, limit)));
}

void MoveFilmToColumn(CameraState &state, int column)
{
    SetFilmX(state, state.lensX + (column - state.lensColumn) / state.imgScale);
}

bool PointerOverObject(const CameraState &state, int x, int y)
{
    return std::abs(x - ColumnOfX(state, state.objectX)) < 6
        && std::abs(y - state.axisRow) < kObjectHalf * state.objScale;
}

bool PointerOverFilm(const CameraState &state, int x, int y)
{
    return std::abs(x - ColumnOfX(state, state.filmX)) < 6
        && std::abs(y - state.axisRow) < kFilmHalf * state.imgScale;
}

int FilmBufferSide(int height) { return 2 * std::max(height, 0) / 7 + 4; }

int FilmShapeHalf(const CameraState &state)
{
    return RoundPixel(ImageHalf(state) * state.imgScale);
}

int ApertureScale(int apertureIndex)
{
    static constexpr std::array<int, 7> kScale = {256, 230, 205, 180, 155, 130, 105};
    const int index = std::clamp(apertureIndex, kMinApertureIndex, kMaxApertureIndex);
    return kScale[static_cast<std::size_t>(index - kMinApertureIndex)];
}

ColourRamp MakeColourRamp(uint32_t colour1, uint32_t colour2)
{
    ColourRamp ramp {};
    ramp[0] = colour1 & 0xFFFFFFu;
    std::array<int, 3> channel {};
    std::array<int, 3> step {};
    for (int c = 0; c < 3; ++c) {
        channel[c] = ChannelOf(colour1, 8 * c);
        // Each channel on its own: a carry or borrow must not leak into its neighbour.
        step[c] = (ChannelOf(colour2, 8 * c) - channel[c]) / 8;
    }
    for (std::size_t i = 1; i < 8; ++i) {
        uint32_t colour = 0;
        for (int c = 0; c < 3; ++c) {
            channel[c] += step[c];
            colour |= uint32_t(channel[c]) << (8 * c);
        }
        ramp[i] = colour;
    }
    ramp[8] = colour2 & 0xFFFFFFu;
    return ramp;
}

std::array<ColourBand, 9> ColourBar(
    const ColourRamp &ramp, int left, int right, int top, int bottom, bool direct)
{
    if (top > bottom) {
        std::swap(top, bottom);
    }
    if (left > right) {
        std::swap(left, right);
    }
    std::array<ColourBand, 9> bands {};
    const double band = (top - bottom) / 9.0;
    for (int i = 1; i <= 9; ++i) {
        ColourBand &b = bands[static_cast<std::size_t>(i - 1)];
        b.left = left;
        b.right = right;
        b.bottom = RoundPixel(bottom + (i - 1) * band);
        // Each band is painted over the shared boundary row of the one below it.
        b.top = i == 9 ? top : RoundPixel(bottom + i * band) + 1;
        b.colour = direct ? ramp[static_cast<std::size_t>(i - 1)]
                          : ramp[static_cast<std::size_t>(9 - i)];
    }
    return bands;
}

} // namespace kaleno
