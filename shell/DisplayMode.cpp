#include "shell/DisplayMode.h"

namespace kaleno {

DisplayMode DescribeDisplay(int width, int height, int bitsPerPixel)
{
    QString colours;
    bool lowColour = true;
    switch (bitsPerPixel) {
    case 8:
        colours = QStringLiteral("256 couleurs.");
        break;
    case 16:
        colours = QStringLiteral("65536 couleurs.");
        lowColour = false;
        break;
    case 24:
    case 32:
        colours = QStringLiteral("16 millions de couleurs.");
        lowColour = false;
        break;
    default:
        colours = QStringLiteral("16 couleurs.");
        break;
    }
    return {
        QStringLiteral("Affichage %1 sur %2 pixels, ").arg(width).arg(height) + colours, lowColour};
}

} // namespace kaleno
