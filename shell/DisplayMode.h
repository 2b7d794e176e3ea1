// The screen's description for the launcher's status line, and whether it has too few
// colours for the modules to look right.
#pragma once

#include <QString>

namespace kaleno {

struct DisplayMode {
    QString Text;
    bool LowColour;
};

// "Affichage <width> sur <height> pixels, <colours>." from the screen's depth.
DisplayMode DescribeDisplay(int width, int height, int bitsPerPixel);

} // namespace kaleno
