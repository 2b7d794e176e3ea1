// The tip of the day: one short tip about the program with its number, buttons to page
// through the list, and the choice of showing the window at the next start.
#pragma once

#include <QDialog>
#include <QImage>
#include <QStringList>

class QCheckBox;
class QLabel;
class QPainter;
class QPushButton;

namespace kaleno {

class TTipF : public QDialog {
    Q_OBJECT

public:
    explicit TTipF(QWidget *parent = nullptr);

    // The tips of the current showing; empty while the window is closed.
    const QStringList &Tips() const { return tips_; }

    // Handlers, under the names of the controls they serve.
    void FormShow();
    void FormClose();
    void NextboutClick();
    void PredBoutClick();
    void CloseBoutClick();
    void TipCroixClick();
    void tipBoxPaint(QPainter &painter);

    // Closing by any path (button, Escape, frame) goes through here.
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showTip();

    QWidget *tipBox_ = nullptr;
    QLabel *tipLab_ = nullptr;
    QLabel *numeroLab_ = nullptr;
    QCheckBox *tipCroix_ = nullptr;
    QPushButton *closeBout_ = nullptr;
    QPushButton *predBout_ = nullptr;
    QPushButton *nextbout_ = nullptr;

    QStringList tips_;
    // Two 19 x 17 icons side by side: shown at start, not shown at start.
    QImage tipsBitmap_;
    bool open_ = false;
};

} // namespace kaleno
