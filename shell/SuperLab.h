// A text label that works as a hyperlink: while the mouse is over it, it shows its link
// colour and link cursor, and gives both back when the mouse leaves.
#pragma once

#include <QColor>
#include <QCursor>
#include <QLabel>

namespace kaleno {

class TSuperLab : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QCursor LinkCursor READ linkCursor WRITE setLinkCursor)
    Q_PROPERTY(QColor LinkColor READ linkColor WRITE setLinkColor)
    Q_PROPERTY(bool LinkEnabled READ linkEnabled WRITE setLinkEnabled)

public:
    explicit TSuperLab(QWidget *parent = nullptr);

    bool hovering() const { return hovering_; }

    QCursor linkCursor() const { return linkCursor_; }
    void setLinkCursor(const QCursor &cursor) { linkCursor_ = cursor; }
    QColor linkColor() const { return linkColor_; }
    void setLinkColor(const QColor &color) { linkColor_ = color; }
    // Switching the link off does not undo a hover look already applied: the owner sets
    // the text colour itself when it does so.
    bool linkEnabled() const { return linkEnabled_; }
    void setLinkEnabled(bool enabled) { linkEnabled_ = enabled; }

    // What the label had before the hover look; meaningful while hovering.
    QCursor savedCursor() const { return savedCursor_; }
    QColor savedColor() const { return savedColor_; }

    // The text colour: the palette's WindowText, in every colour group.
    QColor fontColor() const;
    void setFontColor(const QColor &color);

signals:
    // Left button pressed and released over the label.
    void clicked();

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool hovering_ = false;
    QCursor linkCursor_ {Qt::WaitCursor};
    QCursor savedCursor_;
    // A label without a cursor of its own shows its parent's; it goes back to that.
    bool savedCursorWasSet_ = false;
    QColor linkColor_ {0, 0, 255};
    QColor savedColor_;
    bool linkEnabled_ = true;
    bool pressed_ = false;
};

} // namespace kaleno
