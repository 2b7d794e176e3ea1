// French message boxes as the program shows them: a beep first, then a modal box.
#pragma once

class QString;
class QWidget;

namespace kaleno::platform {

void Beep();
// A warning with the caption "Avertissement" and a single OK button.
void WarningBox(QWidget *parent, const QString &text);
// A warning with the caller's caption (" Option indisponible", ...) and a single OK button.
void WarningBox(QWidget *parent, const QString &caption, const QString &text);
// A warning with the caption "Avertissement" and one button of the caller's text ("&Oui").
void WarningBoxWithButton(QWidget *parent, const QString &text, const QString &buttonText);
// An information box with the caller's caption.
void InformationBox(QWidget *parent, const QString &caption, const QString &text);

} // namespace kaleno::platform
