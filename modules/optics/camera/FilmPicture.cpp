#include "modules/optics/camera/FilmPicture.h"

#include "imaging/Canvas.h"
#include "imaging/DibPlus.h"
#include "imaging/Metafile.h"
#include "imaging/RasterOps.h"

#include <QRect>

#include <algorithm>

namespace kaleno {

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;

void FrameWhite(TDibPlus &picture)
{
    Canvas canvas(picture);
    canvas.SetBrush(kWhite);
    canvas.FrameRect(QRect(0, 0, picture.Width(), picture.Height()));
}

} // namespace

void FillColourBar(
    TDibPlus &target, const ColourRamp &ramp, int left, int right, int top, int bottom, bool direct)
{
    for (const ColourBand &band : ColourBar(ramp, left, right, top, bottom, direct)) {
        const int x0 = std::max(band.left, 0);
        const int x1 = std::min(band.right, target.Width() - 1);
        const int y0 = std::max(band.top, 0);
        const int y1 = std::min(band.bottom, target.Height() - 1);
        const uint32_t value = SwapRB(band.colour);
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                target.SetPixelFast(x, y, value);
            }
        }
    }
}

TDibPlus ShapeInColours(
    const Metafile &shape, const ColourRamp &ramp, int side, int half, bool direct)
{
    TDibPlus colours(side, side);
    if (!colours.HasBitmap() || half < 1) {
        return colours;
    }
    const int c = side / 2;
    // The mask: the shape's white polygons on black, so that AND keeps the bar's colours
    // inside the shape and black around it.
    TDibPlus mask(side, side);
    {
        Canvas canvas(mask);
        PlayMetafile(canvas, shape, QRect(c - half, c - half, 2 * half, 2 * half));
    }
    FillColourBar(colours, ramp, c - half, c + half, c - half, c + half, direct);
    BitBlt(colours, 0, 0, mask, RasterOp::And);
    return colours;
}

TDibPlus MakeObjectPreview(const Metafile &uprightShape, const ColourRamp &ramp, int side)
{
    // The object is as high as the preview: the shape fills the square.
    TDibPlus preview = ShapeInColours(uprightShape, ramp, side, side / 2, false);
    if (preview.HasBitmap()) {
        FrameWhite(preview);
    }
    return preview;
}

TDibPlus MakeFilmPicture(
    const CameraState &state, const Metafile &turnedShape, const ColourRamp &ramp)
{
    const int side = state.filmSide;
    TDibPlus picture = ShapeInColours(turnedShape, ramp, side, FilmShapeHalf(state), true);
    if (!picture.HasBitmap()) {
        return picture;
    }
    if (!FilmInFocus(state)) {
        // One fixed blur, however far the film is from focus: the picture is either sharp
        // or not, which is what the pupil is asked to see.
        picture.Blur25(2, 2, side - 3, side - 3);
        picture.Blur25(2, 2, side - 3, side - 3);
    }
    if (state.apertureIndex > kMinApertureIndex) {
        const int k = ApertureScale(state.apertureIndex);
        picture.ScaleAll(k, k, k);
    }
    FrameWhite(picture);
    return picture;
}

} // namespace kaleno
