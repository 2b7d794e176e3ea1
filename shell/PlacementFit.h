// Keeps a stored window position on a screen that exists: a monitor unplugged since the
// last run must not leave a window where nobody can reach it.
#pragma once

#include <QList>
#include <QRect>

namespace kaleno {

// The window's frame rectangle, unchanged when enough of its title bar shows on one of
// `screens` to drag it; otherwise centred on `primary` (its size kept; a window larger
// than the primary screen goes to its top-left corner).
QRect FitOntoScreens(const QRect &frame, const QList<QRect> &screens, const QRect &primary);

} // namespace kaleno
