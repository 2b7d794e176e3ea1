// Where the current image goes in a module's working area: the fitted metafile, the
// centred bitmap and the test card's 4:3 frame. Pure geometry, shared by the drawing code
// and its tests.
#pragma once

#include <QRect>
#include <QSize>

namespace kaleno {

// A metafile of natural size `natural` fitted into a W x H area, proportions kept: as wide
// as the area when it is relatively wider (height Round(W / r), centred vertically),
// otherwise as high (width Round(H * r), centred horizontally). Round is half to even,
// centring divides by 2 truncating toward zero. A natural size without area (a plain
// metafile that sets no window) fills the whole area.
QRect FitMetafile(QSize natural, int areaWidth, int areaHeight);

// The top-left corner of a bitmap drawn at its natural size in the middle of the area;
// negative when it is larger, so that it is cropped evenly on both sides.
QPoint CentredBitmapOrigin(QSize bitmap, int areaWidth, int areaHeight);

// The largest 4:3 rectangle of the test card in the area, centred: Round(H * 1.3333333)
// wide when W / H > 1.333, otherwise Round(W * 0.75) high.
QRect TestCardRect(int areaWidth, int areaHeight);

// A picture of natural size `natural` in a catalogue thumbnail box (a square in the
// catalogue): natural size and centred when both sides are under the box's, otherwise
// fitted as FitMetafile does (for a square, the longer side fills the box). A natural size
// without area fills the box.
QRect FitThumbnail(QSize natural, QSize box);

} // namespace kaleno
