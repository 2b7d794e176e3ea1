// PaintBox: a window's drawing area. It shows pixel buffers 1:1 and hands its paint,
// mouse and wheel events to the window's handlers through signals.
#pragma once

#include <QImage>
#include <QWidget>

#include <cstdint>

namespace kaleno {

class TDibPlus;

// The window connects its handlers to the signals, e.g.
//     connect(zone, &PaintBox::Paint, this, &TAddF::ZonePaint);
// and ZonePaint calls zone->Draw(buffer, 0, 0). What is shown is the frame, a 32-bit
// image of the widget's size kept by the box: Draw converts the buffer's rows into it
// (Qt draws 24-bit images slowly), and the paint event puts it on screen at once.
// Coordinates are the box's own pixels, (0, 0) at its top-left corner. Mouse tracking
// is on, so MouseMove also comes without a button held.
class PaintBox : public QWidget {
    Q_OBJECT

public:
    explicit PaintBox(QWidget *parent = nullptr);

    // Copies the buffer into the frame with its top-left pixel at (x, y), clipped to the
    // box. Inside a Paint handler it is shown by the paint event under way; elsewhere
    // the box schedules a repaint of the part that changed.
    void Draw(const TDibPlus &buffer, int x, int y);
    // Fills the frame with the background colour.
    void Clear();
    // The colour (a TColor, 0x00BBGGRR) of the frame where nothing was drawn, kept
    // through resizing; the palette's window colour at first.
    void SetBackgroundColour(uint32_t colour);
    uint32_t BackgroundColour() const { return backgroundColour_; }

    // What the box shows, Format_RGB32, of the widget's size.
    const QImage &Frame() const { return frame_; }

signals:
    // The box needs its picture: the handler draws it with Draw.
    void Paint();
    // A button went down, the second press of a double click too.
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    // The pointer moved; `buttons` are the buttons held.
    void MouseMove(Qt::KeyboardModifiers shift, Qt::MouseButtons buttons, int x, int y);
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    // A double click, after the MouseDown of its second press (Windows gives the double
    // click first).
    void DoubleClick(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    // The wheel turned: delta is the vertical angle in eighths of a degree, 120 a notch
    // away from the user. When nothing is connected the event goes on to the window.
    void Wheel(int delta, Qt::KeyboardModifiers shift, int x, int y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    QImage frame_;
    uint32_t backgroundColour_ = 0;
    bool painting_ = false;
};

} // namespace kaleno
