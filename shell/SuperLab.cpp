#include "shell/SuperLab.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPalette>

namespace kaleno {

TSuperLab::TSuperLab(QWidget *parent)
    : QLabel(parent)
{
    resize(65, 65);
}

QColor TSuperLab::fontColor() const { return palette().color(QPalette::WindowText); }

void TSuperLab::setFontColor(const QColor &color)
{
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, color);
    setPalette(colours);
}

void TSuperLab::enterEvent(QEnterEvent *event)
{
    QLabel::enterEvent(event);
    if (hovering_ || !linkEnabled_)
        return;
    hovering_ = true;
    savedCursorWasSet_ = testAttribute(Qt::WA_SetCursor);
    savedCursor_ = cursor();
    setCursor(linkCursor_);
    savedColor_ = fontColor();
    setFontColor(linkColor_);
}

void TSuperLab::leaveEvent(QEvent *event)
{
    QLabel::leaveEvent(event);
    if (!hovering_ || !linkEnabled_)
        return;
    hovering_ = false;
    if (savedCursorWasSet_)
        setCursor(savedCursor_);
    else
        unsetCursor();
    setFontColor(savedColor_);
}

void TSuperLab::mousePressEvent(QMouseEvent *event)
{
    QLabel::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    // A plain label ignores the press, which would send it on to the parent and lose us
    // the release.
    event->accept();
    pressed_ = true;
}

void TSuperLab::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    event->accept();
    const bool wasPressed = pressed_;
    pressed_ = false;
    if (wasPressed && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace kaleno
