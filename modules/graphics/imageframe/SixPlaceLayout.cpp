#include "modules/graphics/imageframe/SixPlaceLayout.h"

namespace kaleno::sixplaces {

Layout ComputeLayout(int clientWidth, int clientHeight, bool logoInMiddle)
{
    Layout layout;
    const int W = (clientWidth - 26) / 3;
    const int H = (clientHeight - 110) / 2;
    layout.W = W;
    layout.H = H;
    const int middleX = W + 13;
    const int rightX = 2 * (W + 8) + 5;
    const int top = 4;
    const int bottom = H + 29;
    layout.places[kTopLeft] = QRect(4, top, W, H);
    layout.places[kTopMiddle] = QRect(middleX, top, W, H);
    layout.places[kTopRight] = QRect(rightX, top, W, H);
    layout.places[kBottomLeft] = QRect(4, bottom, W, H);
    layout.places[kBottomRight] = QRect(rightX, bottom, W, H);
    // The logo is centred on the client rather than on the middle column; the two agree
    // to within the rounding of W.
    layout.places[kBottomMiddle] = logoInMiddle
        ? QRect((clientWidth - 123) / 2, bottom + (H - 44) / 2, kLogoWidth, kLogoHeight)
        : QRect(middleX, bottom, W, H);
    layout.panelTop = bottom + H + kLabelRoom;
    return layout;
}

QPoint LabelPosition(const QRect &place, int labelWidth)
{
    return QPoint(place.x() + (place.width() - labelWidth) / 2, place.y() + place.height() + 1);
}

} // namespace kaleno::sixplaces
