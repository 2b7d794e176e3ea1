// Conversions between Qt's images and our pixel buffers: pictures from the resources
// coming in, the clipboard's bitmaps going out.
#pragma once

#include "imaging/DibPlus.h"

#include <QImage>

namespace kaleno {

// A deep copy of the buffer as a 24-bit image; a null image for an empty buffer.
QImage ImageFromBuffer(const TDibPlus &buffer);
// The image's colours as pixel values, whatever its format (alpha is dropped); an empty
// buffer for a null image.
TDibPlus BufferFromImage(const QImage &image);

} // namespace kaleno
