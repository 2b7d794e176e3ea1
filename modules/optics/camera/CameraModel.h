// The camera of the optics module: a thin converging lens between a 1 m high object and a
// 24 mm film, its rays, its depth of focus, and where the drawing puts each of them.
// Lengths are metres; x runs along the axis from the object (left) to the film (right).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace kaleno {

// The five objectives, in the order of the window's list. The one the list calls 90 mm
// is 0.08 m: that is the value the program has always shown its pupils.
inline constexpr std::array<double, 5> kFocalLengths = {0.028, 0.035, 0.05, 0.08, 0.135};
inline constexpr double kDefaultFocalLength = 0.035; // list index 1
// f-numbers of aperture indexes 1..7 (index 0 of the array is aperture index 1).
inline constexpr std::array<double, 7> kFNumbers = {2, 2.8, 4, 5.6, 8, 11, 16};
inline constexpr int kMinApertureIndex = 1;
inline constexpr int kMaxApertureIndex = 7;
// Ray counts of RayIndex 0..5.
inline constexpr std::array<int, 6> kCameraRayCounts = {10, 20, 50, 100, 150, 200};

inline constexpr double kObjectHalf = 0.5; // the object is 1 m high
inline constexpr double kFilmHalf = 0.012; // the film is 24 mm high
// The object never comes nearer to the lens than this many focal lengths.
inline constexpr double kNearestObjectFocals = 5;

struct CameraPoint {
    double x = 0;
    double y = 0;

    friend bool operator==(const CameraPoint &, const CameraPoint &) = default;
};

// One ray: from a point of the object through the lens to the image, or stopped at the
// lens by the diaphragm (then `end` == `lens` and `stopped` is set).
struct CameraRay {
    CameraPoint object;
    CameraPoint lens;
    CameraPoint end;
    bool stopped = false;
};

// The whole camera and its view. Set it up with CameraFocalSetup, move things with the
// Move*/Set* functions (they keep the clamps), and call ComputeCameraOptics before drawing.
struct CameraState {
    // Optics
    double f = kDefaultFocalLength;
    double lensX = 150 * kDefaultFocalLength;
    double objectX = 50 * kDefaultFocalLength; // in [0, lensX - 5 f]
    double filmX = 151 * kDefaultFocalLength; // never left of lensX
    double imageX = 0; // where the sharp image forms (ComputeCameraOptics)
    double gamma = 0; // magnification, image distance / object distance (positive)
    double nearX = 0; // film positions between nearX and farX give a sharp picture
    double farX = 0;
    double lensHalf = kDefaultFocalLength / 2; // half-height of the drawn lens
    int apertureIndex = 1; // 1..7
    double fNumber = 2;
    double apertureHalf = 1.01 * kDefaultFocalLength / 2; // half-opening of the diaphragm
    int rayTotal = 20;
    int rayHalf = 10;

    // View: a drawing of width x height pixels, the lens at the middle column.
    int width = 1;
    int height = 1;
    int lensColumn = 0;
    int axisRow = 0;
    double objScale = 1; // pixels per metre left of the lens
    double imgScale = 1; // pixels per metre right of the lens
    int lensHalfPx = 0; // half-width of the lens picture
    int previewSide = 0; // P: the object preview, the object's 1 m at objScale
    int filmSide = 0; // S: the film picture, the film's 24 mm at imgScale
};

// For a new objective or a new drawing size (at least 1 x 1 is used): the lens at 150 f,
// the object put back at 100 f in front of it, the film at the focal plane, the scales
// and pixel sizes of the view, and the diaphragm for the current aperture index. Call
// ComputeCameraOptics afterwards.
void CameraFocalSetup(CameraState &state, double f, int width, int height);

// Aperture index 1..7 (clamped): the f-number and the diaphragm's half-opening.
void SetCameraAperture(CameraState &state, int apertureIndex);
// RayIndex 0..5 (clamped): 10 to 200 rays, half from the top of the object.
void SetCameraRayIndex(CameraState &state, int rayIndex);

// The object at x, held within [0, lensX - 5 f].
void SetObjectX(CameraState &state, double x);
// The film at x, never left of the lens.
void SetFilmX(CameraState &state, double x);
// The film moved to the sharp image (ComputeCameraOptics first).
void AutoFocus(CameraState &state);

// Thin-lens optics for the current positions: 1/f = 1/p + 1/p' with p the object's and p'
// the image's distance to the lens, the magnification p'/p, and the depth of focus from
// the circle of confusion (metres) and the f-number.
void ComputeCameraOptics(CameraState &state, double confusion);

// Half the distance the film may move either side of the sharp image: confusion · N, the
// distant-object form the lessons teach (closer objects would add a factor 1 + gamma).
double DepthOfFocusHalf(double confusion, double fNumber);
// The film lies within [nearX, farX].
bool FilmInFocus(const CameraState &state);
// Height of the image of the object's top (below the axis) and bottom (above): gamma / 2.
double ImageHalf(const CameraState &state);

// rayTotal rays: rays 1..rayHalf (indexes 0..rayHalf-1) from the top of the object, the
// others from its bottom; heights at the lens evenly from -lensHalf to +lensHalf; each
// ends at its image point, or at the lens when higher than the diaphragm lets through.
std::vector<CameraRay> TraceCameraRays(const CameraState &state);

// View mapping. Columns are measured from the lens column, at objScale on the left and
// imgScale on the right; rows from the axis row. Rounding is half to even, held inside
// the int range.
int ColumnOfX(const CameraState &state, double x);
int ObjectSideRow(const CameraState &state, double y);
int FilmSideRow(const CameraState &state, double y);
// Back from a column: the signed distance to the lens (negative on the object side), and
// the position along the axis.
double LensDistanceOfColumn(const CameraState &state, int column);
double XOfColumn(const CameraState &state, int column);
// Back from a row: the height above the axis, at the scale of the side of `column`.
double HeightOfRow(const CameraState &state, int row, int column);

// Mouse drags: the object or the film under a pointer column, with their clamps.
void MoveObjectToColumn(CameraState &state, int column);
void MoveFilmToColumn(CameraState &state, int column);
// The pointer is over the object bar or the film: strictly within 6 columns of it and
// strictly within its half-height of the axis row.
bool PointerOverObject(const CameraState &state, int x, int y);
bool PointerOverFilm(const CameraState &state, int x, int y);

// Side of the film work buffer for a drawing height: room for the largest film picture.
int FilmBufferSide(int height);
// Half-side in pixels of the shape in the film picture: the image's half-height at imgScale.
int FilmShapeHalf(const CameraState &state);
// ScaleAll factor (256ths) that darkens the film picture at an aperture index; 256 at f/2.
int ApertureScale(int apertureIndex);

// Nine colours from the object's first colour to its second (TColor values, 0x00BBGGRR):
// each step adds (c2 - c1) / 8 to each of red, green and blue separately, divided as
// integers (towards zero); the last is the second colour itself.
using ColourRamp = std::array<uint32_t, 9>;
ColourRamp MakeColourRamp(uint32_t colour1, uint32_t colour2);

// One band of a colour bar: columns left..right and rows top..bottom, all included.
struct ColourBand {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    uint32_t colour = 0; // TColor
};

// Nine bands of equal height stacked upwards from the row `bottom` to the row `top`
// (top < bottom), over columns left..right (both included). Band i (1..9, from the bottom)
// starts at row Round(bottom + (i-1)·band) with band = (top - bottom) / 9, and reaches up
// to the row below the next band's start; the last band reaches `top`. Direct bars put
// ramp[0] at the bottom, reversed ones ramp[8]. A bar upside down (top > bottom) is given
// with its rows swapped.
std::array<ColourBand, 9> ColourBar(
    const ColourRamp &ramp, int left, int right, int top, int bottom, bool direct);

} // namespace kaleno
