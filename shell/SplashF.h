// TSplashF: the borderless picture shown at start-up (for a fixed time, it cannot be
// closed before) and from the launcher's "A propos" entry (until a click).
#pragma once

#include "imaging/DibPlus.h"

#include <QDialog>
#include <QImage>

class QCloseEvent;
class QMouseEvent;
class QPaintEvent;
class QTimer;

namespace kaleno {

class TSplashF : public QDialog {
    Q_OBJECT

public:
    static constexpr int kWidth = 500;
    static constexpr int kHeight = 340;
    static constexpr int kSplashDurationMs = 15000;

    explicit TSplashF(QWidget *parent = nullptr);

    // Splash mode: shown without blocking and painted at once; the window refuses to
    // close until StopTimer ticks, after durationMs, and then closes itself.
    void ShowSplash(int durationMs = kSplashDurationMs);
    // About mode: modal, no timer; a click anywhere closes it. Returns the dialog result.
    int ShowAbout();

    bool TimerRunning() const;
    bool AboutMode() const { return aboutMode_; }

    void reject() override;
    void done(int result) override;

signals:
    // The window has closed, in either mode (the launcher enables its About entry again).
    void Closed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void StopTimerTimer();
    void ComposePicture();
    void CentreOnScreen();

    QTimer *StopTimer;
    bool aboutMode_ = false;
    TDibPlus picture_ {kWidth, kHeight};
    QImage shown_;
};

} // namespace kaleno
