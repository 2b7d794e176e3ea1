// Keeps our SSE pixel loops at full speed after Qt's own AVX code has run.
#pragma once

namespace kaleno {

// Qt's AVX2 routines (QImage::fill among them, as built by GCC) can leave the upper halves
// of the vector registers dirty; SSE code run after that is 3 to 4 times slower (measured
// here: an OR blit of a full-HD buffer 0.17 ms before a fill, 0.47 ms after) until a
// vzeroupper. Whole-buffer loops call this first; it costs a cycle, and nothing where the
// processor has no AVX.
void ClearUpperVectorState();

} // namespace kaleno
