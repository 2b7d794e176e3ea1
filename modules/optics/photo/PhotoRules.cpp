#include "modules/optics/photo/PhotoRules.h"

#include <cstdlib>

namespace kaleno::photo {

namespace {

int channel(uint32_t colour, int shift) { return static_cast<int>((colour >> shift) & 0xFFu); }

QString colourBlock(int number, uint32_t colour)
{
    const QString crlf = QStringLiteral("\r\n");
    const int r = channel(colour, 0), g = channel(colour, 8), b = channel(colour, 16);
    return QStringLiteral("Couleur n°%1 :").arg(number) + crlf
        + QStringLiteral("Composantes RVB : %1 %2 %3").arg(r).arg(g).arg(b) + crlf
        + QStringLiteral("Code hexadécimal : #")
        + QStringLiteral("%1").arg((r << 16) | (g << 8) | b, 6, 16, QLatin1Char('0')).toUpper()
        + crlf;
}

} // namespace

int NearestPaletteIndex(const std::array<uint32_t, 16> &palette, uint32_t colour)
{
    int best = 0;
    int bestDistance = 765 + 1;
    for (int i = 0; i < static_cast<int>(palette.size()); ++i) {
        int distance = 0;
        for (int shift : {0, 8, 16})
            distance += std::abs(channel(palette[i], shift) - channel(colour, shift));
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

QString ObjectColoursText(uint32_t colour1, uint32_t colour2)
{
    return QStringLiteral("Module \"Appareil photographique\"\r\n\r\n") + colourBlock(1, colour1)
        + QStringLiteral("\r\n") + colourBlock(2, colour2);
}

QString CentimetreText(double metres) { return QString::asprintf("%7.1f", metres * 100.0); }

} // namespace kaleno::photo
