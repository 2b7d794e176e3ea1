// Dialogs of the shell open in the middle of the screen they are on.
#pragma once

class QWidget;

namespace kaleno {

void CentreOnScreen(QWidget &window);

} // namespace kaleno
