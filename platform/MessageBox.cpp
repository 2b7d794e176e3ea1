#include "platform/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

namespace kaleno::platform {

namespace {

const char *const kWarningCaption = "Avertissement";

void showBox(QWidget *parent, QMessageBox::Icon icon, const QString &caption, const QString &text,
    const QString &buttonText)
{
    Beep();
    QMessageBox box(icon, caption, text, QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("MessageBox"));
    if (buttonText.isEmpty())
        box.addButton(QMessageBox::Ok);
    else
        box.addButton(buttonText, QMessageBox::AcceptRole);
    box.exec();
}

} // namespace

void Beep() { QApplication::beep(); }

void WarningBox(QWidget *parent, const QString &text)
{
    showBox(parent, QMessageBox::Warning, QString::fromUtf8(kWarningCaption), text, QString());
}

void WarningBox(QWidget *parent, const QString &caption, const QString &text)
{
    showBox(parent, QMessageBox::Warning, caption, text, QString());
}

void WarningBoxWithButton(QWidget *parent, const QString &text, const QString &buttonText)
{
    showBox(parent, QMessageBox::Warning, QString::fromUtf8(kWarningCaption), text, buttonText);
}

void InformationBox(QWidget *parent, const QString &caption, const QString &text)
{
    showBox(parent, QMessageBox::Information, caption, text, QString());
}

} // namespace kaleno::platform
