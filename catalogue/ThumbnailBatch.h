// Reads the files of a catalogue page for their thumbnails, several at once: decoding is
// nearly all of a page's time (a 12-megapixel JPEG takes tens of milliseconds even read at
// an eighth of its size), and the files do not depend on each other.
#pragma once

#include "imaging/ImageLoaders.h"

#include <QStringList>

#include <optional>
#include <vector>

namespace kaleno {

// One source per path, in order (nothing where a file is missing or cannot be decoded),
// each read for a thumbnail of side `side`. Only decoding runs off the calling thread; no
// widget is touched.
std::vector<std::optional<ThumbnailSource>> LoadThumbnailSources(
    const QStringList &paths, int side);

} // namespace kaleno
