#include "shell/PlacementFit.h"

#include <algorithm>

namespace kaleno {

namespace {

// A title bar strip this large must be on a screen for the user to drag the window back.
constexpr int kGrabWidth = 40;
constexpr int kGrabHeight = 20;

bool reachable(const QRect &frame, const QRect &screen)
{
    const QRect titleBar(frame.left(), frame.top(), frame.width(), kGrabHeight);
    const QRect shown = titleBar.intersected(screen);
    return shown.width() >= std::min(kGrabWidth, frame.width()) && shown.height() > 0;
}

} // namespace

QRect FitOntoScreens(const QRect &frame, const QList<QRect> &screens, const QRect &primary)
{
    for (const QRect &screen : screens)
        if (reachable(frame, screen))
            return frame;
    QRect moved = frame;
    const int left = primary.left() + std::max(0, (primary.width() - frame.width()) / 2);
    const int top = primary.top() + std::max(0, (primary.height() - frame.height()) / 2);
    moved.moveTo(left, top);
    return moved;
}

} // namespace kaleno
