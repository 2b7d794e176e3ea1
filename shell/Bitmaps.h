// The program's bitmap and cursor resources, loaded by name, and the key-colour swap the
// windows apply to them (a background colour replaced by the system's button face, ...).
#pragma once

#include <QCursor>
#include <QImage>

class QString;

namespace kaleno {

// ":/bitmaps/<name>.bmp" as a 32-bit image; a null image when there is no such resource.
QImage LoadResourceBitmap(const QString &name);
// Every pixel of colour `from` becomes `to` (alpha ignored in the comparison).
void ReplaceImageColour(QImage &image, QRgb from, QRgb to);
// The same with the colour of pixel (0, 0) as `from`.
void ReplaceCornerColour(QImage &image, QRgb to);

// ":/cursors/<name>.png" with its hot spot from ":/cursors/hotspots.txt" (lines
// "name x y"). Without the picture: the system's pointing hand for "C_Main", the arrow
// for any other name.
QCursor LoadResourceCursor(const QString &name);

} // namespace kaleno
