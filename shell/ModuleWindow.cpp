#include "shell/ModuleWindow.h"

#include "platform/Clipboard.h"
#include "platform/HelpViewer.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QToolButton>

namespace kaleno {

ModuleWindow::ModuleWindow(const QString &className, const QString &helpKeyword, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , helpKeyword_(helpKeyword)
{
    setObjectName(className);
    setAccessibleName(className);
    toolPanel_ = new QWidget(this);
    toolPanel_->setObjectName(QStringLiteral("ToolPanel"));
    toolLayout_ = new QHBoxLayout(toolPanel_);
    toolLayout_->setContentsMargins(2, 2, 2, 2);
    toolLayout_->setSpacing(2);
    closeBout_ = AddToolButton(QStringLiteral("CloseBout"), QStringLiteral("Fermer"),
        QStringLiteral(" Fermer la fenêtre"));
    aideBout_ = AddToolButton(
        QStringLiteral("AideBout"), QStringLiteral("Aide"), QStringLiteral(" Accéder à l'aide"));
    copierBout_ = AddToolButton(QStringLiteral("CopierBout"), QStringLiteral("Copier"),
        QStringLiteral(" Copier l'image dans le presse-papiers"));
    connect(closeBout_, &QToolButton::clicked, this, &ModuleWindow::CloseBoutClick);
    connect(aideBout_, &QToolButton::clicked, this, &ModuleWindow::AideBoutClick);
    connect(copierBout_, &QToolButton::clicked, this, &ModuleWindow::CopierBoutClick);
    // Tool tips of every child pass through here so that the hint option can silence them.
    qApp->installEventFilter(this);
}

QToolButton *ModuleWindow::AddToolButton(
    const QString &name, const QString &caption, const QString &hint)
{
    auto *button = new QToolButton(toolPanel_);
    button->setObjectName(name);
    button->setAccessibleName(hint.trimmed());
    button->setText(caption);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    toolLayout_->addWidget(button);
    return button;
}

void ModuleWindow::CloseBoutClick() { close(); }

void ModuleWindow::AideBoutClick() { platform::ShowHelpTopic(helpKeyword_); }

void ModuleWindow::CopierBoutClick()
{
    const QImage image = ClipboardImage();
    if (!image.isNull())
        platform::PutImage(image);
}

void ModuleWindow::closeEvent(QCloseEvent *event)
{
    FormClose();
    event->accept();
    emit Closed();
}

bool ModuleWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ToolTip && !showHints_) {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && (widget == this || isAncestorOf(widget)))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kaleno
