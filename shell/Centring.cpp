#include "shell/Centring.h"

#include <QScreen>
#include <QWidget>

namespace kaleno {

void CentreOnScreen(QWidget &window)
{
    if (const QScreen *shown = window.screen()) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(shown->availableGeometry().center());
        window.move(frame.topLeft());
    }
}

} // namespace kaleno
