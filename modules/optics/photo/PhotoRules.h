// The small rules of the camera window and its object dialog that need no window: the
// palette entry nearest a colour, the colours as a text, and the cursor readout values.
#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace kaleno::photo {

// The palette entry equal to the colour, else the one with the smallest sum of absolute
// differences of red, green and blue; the first one wins a tie. Colours are TColor values.
int NearestPaletteIndex(const std::array<uint32_t, 16> &palette, uint32_t colour);

// The object's two colours (TColor values) as the dialog copies them to the clipboard.
QString ObjectColoursText(uint32_t colour1, uint32_t colour2);

// A length in metres shown in centimetres, one decimal, a point, at least 7 characters
// wide: 0.1234 m gives "   12.3".
QString CentimetreText(double metres);

} // namespace kaleno::photo
