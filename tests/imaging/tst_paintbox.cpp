#include "imaging/DibPlus.h"
#include "imaging/PaintBox.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <memory>

using namespace kaleno;

namespace {

// A buffer whose every pixel differs: red = x, green = y, blue = 0x40.
TDibPlus Gradient(int w, int h)
{
    TDibPlus dib(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            dib.SetPixel(x, y, PackPixel(0x40, y, x));
    return dib;
}

// Returns whether the box kept the event; one it leaves goes on to the window.
bool SendWheel(QWidget *target, QPoint at, int delta, Qt::KeyboardModifiers modifiers)
{
    QWheelEvent event(QPointF(at), QPointF(target->mapToGlobal(at)), QPoint(), QPoint(0, delta),
        Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
    return event.isAccepted();
}

} // namespace

class TestPaintBox : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void startsReadyForTheWindow();
    void drawPutsTheBufferInTheFrame_data();
    void drawPutsTheBufferInTheFrame();
    void paintHandlerDrawsWhatIsShown();
    void resizeKeepsTheFrameAtWidgetSize();
    void mouseButtons_data();
    void mouseButtons();
    void mouseMoveCarriesButtonsHeld();
    void doubleClick();
    void wheel_data();
    void wheel();
    void wheelWithoutHandlerIsLeftToTheWindow();

private:
    std::unique_ptr<QWidget> window_;
    PaintBox *box_ = nullptr;
};

void TestPaintBox::init()
{
    window_ = std::make_unique<QWidget>();
    window_->resize(120, 100);
    box_ = new PaintBox(window_.get());
    box_->setObjectName("Zone");
    box_->setAccessibleName("Zone de dessin");
    box_->setGeometry(4, 4, 60, 40);
    box_->SetBackgroundColour(0x000000);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void TestPaintBox::cleanup() { window_.reset(); }

void TestPaintBox::startsReadyForTheWindow()
{
    QVERIFY(box_->hasMouseTracking());
    QCOMPARE(box_->Frame().size(), QSize(60, 40));
    QCOMPARE(box_->Frame().format(), QImage::Format_RGB32);
    QCOMPARE(box_->accessibleName(), QString("Zone de dessin"));
}

void TestPaintBox::drawPutsTheBufferInTheFrame_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::newRow("inside") << QPoint(3, 4);
    QTest::newRow("cut at the top left") << QPoint(-5, -2);
    QTest::newRow("cut at the bottom right") << QPoint(50, 35);
}

void TestPaintBox::drawPutsTheBufferInTheFrame()
{
    QFETCH(QPoint, at);
    const TDibPlus dib = Gradient(20, 10);
    box_->Draw(dib, at.x(), at.y());
    const QImage &frame = box_->Frame();
    const QRect drawn = QRect(at, QSize(20, 10)) & frame.rect();
    for (int y = 0; y < frame.height(); ++y) {
        for (int x = 0; x < frame.width(); ++x) {
            // Red = x, green = y of the buffer's pixel; the background is black.
            const QRgb expected
                = drawn.contains(x, y) ? qRgb(x - at.x(), y - at.y(), 0x40) : qRgb(0, 0, 0);
            QCOMPARE(frame.pixel(x, y), expected);
        }
    }
}

void TestPaintBox::paintHandlerDrawsWhatIsShown()
{
    const TDibPlus dib = Gradient(30, 20);
    int paints = 0;
    connect(box_, &PaintBox::Paint, this, [&] {
        ++paints;
        box_->Draw(dib, 10, 5);
    });
    // What reaches the screen is what the handler drew, through the paint event.
    const QImage shown = box_->grab().toImage();
    QVERIFY(paints >= 1);
    QCOMPARE(shown.pixel(10, 5), qRgb(0, 0, 0x40));
    QCOMPARE(shown.pixel(39, 24), qRgb(29, 19, 0x40));
    QCOMPARE(shown.pixel(9, 5), qRgb(0, 0, 0));
}

void TestPaintBox::resizeKeepsTheFrameAtWidgetSize()
{
    box_->SetBackgroundColour(0x0000FF); // a TColor: red
    box_->resize(80, 30);
    QCOMPARE(box_->Frame().size(), QSize(80, 30));
    QCOMPARE(box_->Frame().pixel(79, 29), qRgb(255, 0, 0));
    box_->Draw(Gradient(4, 4), 0, 0);
    box_->Clear();
    QCOMPARE(box_->Frame().pixel(0, 0), qRgb(255, 0, 0));
}

void TestPaintBox::mouseButtons_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QPoint>("at");
    QTest::newRow("left") << Qt::LeftButton << Qt::KeyboardModifiers() << QPoint(7, 9);
    QTest::newRow("right with ctrl")
        << Qt::RightButton << Qt::KeyboardModifiers(Qt::ControlModifier) << QPoint(0, 1);
    QTest::newRow("left with shift")
        << Qt::LeftButton << Qt::KeyboardModifiers(Qt::ShiftModifier) << QPoint(59, 39);
}

void TestPaintBox::mouseButtons()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QPoint, at);
    QSignalSpy down(box_, &PaintBox::MouseDown);
    QSignalSpy up(box_, &PaintBox::MouseUp);
    QTest::mouseClick(box_, button, modifiers, at);
    QCOMPARE(down.count(), 1);
    QCOMPARE(up.count(), 1);
    for (const QSignalSpy *spy : {&down, &up}) {
        const QList<QVariant> args = spy->first();
        QCOMPARE(args[0].value<Qt::MouseButton>(), button);
        QCOMPARE(args[1].value<Qt::KeyboardModifiers>(), modifiers);
        QCOMPARE(args[2].toInt(), at.x());
        QCOMPARE(args[3].toInt(), at.y());
    }
}

void TestPaintBox::mouseMoveCarriesButtonsHeld()
{
    QSignalSpy move(box_, &PaintBox::MouseMove);
    QMouseEvent drag(QEvent::MouseMove, QPointF(12.6, 13.2), box_->mapToGlobal(QPointF(12.6, 13.2)),
        Qt::NoButton, Qt::LeftButton | Qt::RightButton, Qt::ShiftModifier);
    QApplication::sendEvent(box_, &drag);
    QMouseEvent hover(QEvent::MouseMove, QPointF(30, 2), box_->mapToGlobal(QPointF(30, 2)),
        Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(box_, &hover);
    QCOMPARE(move.count(), 2);
    // A position inside a pixel is that pixel.
    QCOMPARE(move[0][0].value<Qt::KeyboardModifiers>(), Qt::KeyboardModifiers(Qt::ShiftModifier));
    QCOMPARE(
        move[0][1].value<Qt::MouseButtons>(), Qt::MouseButtons(Qt::LeftButton | Qt::RightButton));
    QCOMPARE(move[0][2].toInt(), 12);
    QCOMPARE(move[0][3].toInt(), 13);
    QCOMPARE(move[1][1].value<Qt::MouseButtons>(), Qt::MouseButtons());
    QCOMPARE(move[1][2].toInt(), 30);
    QCOMPARE(move[1][3].toInt(), 2);
}

void TestPaintBox::doubleClick()
{
    QSignalSpy dbl(box_, &PaintBox::DoubleClick);
    QSignalSpy down(box_, &PaintBox::MouseDown);
    QTest::mouseDClick(box_, Qt::LeftButton, Qt::ShiftModifier, QPoint(20, 10));
    QCOMPARE(dbl.count(), 1);
    QCOMPARE(dbl.first()[0].value<Qt::MouseButton>(), Qt::LeftButton);
    QCOMPARE(
        dbl.first()[1].value<Qt::KeyboardModifiers>(), Qt::KeyboardModifiers(Qt::ShiftModifier));
    QCOMPARE(dbl.first()[2].toInt(), 20);
    QCOMPARE(dbl.first()[3].toInt(), 10);
    // Qt delivers the second press as a press event of its own: none is made up here.
    QCOMPARE(down.count(), 0);
}

void TestPaintBox::wheel_data()
{
    QTest::addColumn<int>("delta");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("one notch away") << 120 << Qt::KeyboardModifiers();
    QTest::newRow("two notches back with shift")
        << -240 << Qt::KeyboardModifiers(Qt::ShiftModifier);
}

void TestPaintBox::wheel()
{
    QFETCH(int, delta);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QSignalSpy spy(box_, &PaintBox::Wheel);
    QVERIFY(SendWheel(box_, QPoint(25, 17), delta, modifiers));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.first()[0].toInt(), delta);
    QCOMPARE(spy.first()[1].value<Qt::KeyboardModifiers>(), modifiers);
    QCOMPARE(spy.first()[2].toInt(), 25);
    QCOMPARE(spy.first()[3].toInt(), 17);
}

void TestPaintBox::wheelWithoutHandlerIsLeftToTheWindow()
{
    QVERIFY(!SendWheel(box_, QPoint(25, 17), -120, Qt::NoModifier));
}

QTEST_MAIN(TestPaintBox)
#include "tst_paintbox.moc"
