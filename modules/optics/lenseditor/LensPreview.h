// The small picture of the optics bench that shows the display colours and line width
// being chosen: a framed screen, a title, the axis, a biconvex lens and five rays.
#pragma once

#include <cstdint>

namespace kaleno {

class TDibPlus;

inline constexpr int kPreviewWidth = 220;
inline constexpr int kPreviewHeight = 141;

// The colours are TColor values (0x00BBGGRR), as the settings hold them.
struct PreviewColours {
    uint32_t fond = 0, lens = 0, ray = 0, axe = 0, bord = 0, texte = 0;
};

// Draws into a kPreviewWidth × kPreviewHeight buffer with pens `width` pixels wide.
void DrawLensPreview(TDibPlus &buffer, const PreviewColours &colours, int width);

} // namespace kaleno
