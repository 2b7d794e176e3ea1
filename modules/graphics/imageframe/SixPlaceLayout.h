// Where the six places of the picture-splitting windows go for a client size: five or six
// images of equal size W x H in two rows, or the suite's logo in the bottom middle.
#pragma once

#include <QPoint>
#include <QRect>

#include <array>

namespace kaleno::sixplaces {

enum Place { kTopLeft, kTopMiddle, kTopRight, kBottomLeft, kBottomMiddle, kBottomRight };
inline constexpr int kPlaceCount = 6;

// The window is never made smaller than this (outer size).
inline constexpr int kMinWidth = 400;
inline constexpr int kMinHeight = 300;
// The logo bitmap that may stand in the bottom middle.
inline constexpr int kLogoWidth = 109;
inline constexpr int kLogoHeight = 50;
// Room under the second row for its labels, then the tool panel below.
inline constexpr int kLabelRoom = 18;

struct Layout {
    int W = 0;
    int H = 0;
    // In the order of Place. With the logo, the bottom middle is the logo's own rectangle.
    std::array<QRect, kPlaceCount> places {};
    // Top of the tool panel, which runs to the bottom of the client area.
    int panelTop = 0;
};

// W = (clientWidth - 26) div 3, H = (clientHeight - 110) div 2, dividing toward zero; a
// client below the minimum can give sizes of 0 or less, which the caller never shows.
Layout ComputeLayout(int clientWidth, int clientHeight, bool logoInMiddle);

// A label of this width stands 1 pixel below its place, centred on it.
QPoint LabelPosition(const QRect &place, int labelWidth);

} // namespace kaleno::sixplaces
