// Windows metafile player: draws a metafile read by ParseMetafile onto a Canvas, its
// window stretched over a rectangle, as GDI plays one into a box.
#pragma once

#include "imaging/MetafileRecords.h"

class QRect;

namespace kaleno {

class Canvas;

// Plays every record onto the canvas. The metafile's window (origin and extent, from its
// records, or a placeable file's frame until they come) is mapped onto dest: the window
// origin to dest's top-left corner, origin + extent to the corner past its bottom-right
// pixel; a plain file without a window draws one logical unit to a pixel. Play starts
// from a fresh device context's state (black pen, white brush, opaque white background,
// black text, alternate fill) and leaves the canvas's drawing state as the file left it.
// Drawn: pens, solid and hollow brushes, fonts, the object table, save/restore, polygons,
// poly-polygons, polylines, rectangles (rounded ones square), ellipses, arcs, pies, chords,
// lines, pixels, text, and uncompressed bitmaps copied, ANDed or ORed. Skipped: raster
// operations of other kinds, clipping, palettes, pattern brushes.
void PlayMetafile(Canvas &canvas, const Metafile &metafile, const QRect &dest);

} // namespace kaleno
