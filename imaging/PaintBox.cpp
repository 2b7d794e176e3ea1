#include "imaging/PaintBox.h"

#include "imaging/DibPlus.h"
#include "imaging/VectorState.h"

#include <QMetaMethod>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

#if defined(__x86_64__) || defined(__i386__) || defined(_M_X64) || defined(_M_IX86)
#include <immintrin.h>
#if defined(_MSC_VER)
#include <intrin.h>
#endif
#endif

namespace kaleno {

namespace {

// B, G, R bytes to 0xFFRRGGBB words. Qt draws a 24-bit image at several milliseconds a
// full-HD frame; this conversion is the whole cost of showing a buffer here.
void ConvertRowPlain(uint32_t *dst, const uint8_t *src, int count)
{
    for (int i = 0; i < count; ++i, src += 3)
        dst[i] = 0xFF000000u | src[0] | (uint32_t(src[1]) << 8) | (uint32_t(src[2]) << 16);
}

#if defined(__x86_64__) || defined(__i386__) || defined(_M_X64) || defined(_M_IX86)
#define KALENO_ROW_SSSE3 1
// The compilers leave the plain loop scalar (three-byte strides): one byte shuffle turns
// four pixels into four words, about as fast as a memcpy of the frame.
#if defined(__GNUC__)
__attribute__((target("ssse3")))
#endif
void ConvertRowSsse3(uint32_t *dst, const uint8_t *src, int count)
{
    const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    const __m128i opaque = _mm_set1_epi32(int(0xFF000000u));
    int i = 0;
    // Each load reads 16 bytes, past the 12 it uses: stop while 6 pixels remain.
    for (; i + 6 <= count; i += 4) {
        const __m128i bgr = _mm_loadu_si128(reinterpret_cast<const __m128i *>(src + 3 * i));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(dst + i),
            _mm_or_si128(_mm_shuffle_epi8(bgr, spread), opaque));
    }
    ConvertRowPlain(dst + i, src + 3 * i, count - i);
}

bool HasSsse3()
{
#if defined(__GNUC__)
    return __builtin_cpu_supports("ssse3");
#else
    int info[4];
    __cpuid(info, 1);
    return (info[2] & (1 << 9)) != 0;
#endif
}
#endif

void ConvertRows(
    uint32_t *dst, qsizetype dstStride, const uint8_t *src, int srcStride, int count, int rows)
{
    ClearUpperVectorState();
#ifdef KALENO_ROW_SSSE3
    static const bool ssse3 = HasSsse3();
#endif
    for (int row = 0; row < rows; ++row, dst += dstStride, src += srcStride) {
#ifdef KALENO_ROW_SSSE3
        if (ssse3) {
            ConvertRowSsse3(dst, src, count);
            continue;
        }
#endif
        ConvertRowPlain(dst, src, count);
    }
}

QPoint PixelAt(const QPointF &position)
{
    return QPoint(int(std::floor(position.x())), int(std::floor(position.y())));
}

} // namespace

PaintBox::PaintBox(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    // Every pixel comes from the frame: nothing to erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    const QColor window = palette().color(QPalette::Window);
    backgroundColour_ = PackPixel(window.red(), window.green(), window.blue());
}

void PaintBox::SetBackgroundColour(uint32_t colour) { backgroundColour_ = colour & 0xFFFFFFu; }

void PaintBox::Clear()
{
    if (frame_.size() != size())
        frame_ = QImage(size(), QImage::Format_RGB32);
    frame_.fill(
        QColor(Byte0(backgroundColour_), Byte1(backgroundColour_), Byte2(backgroundColour_)));
    if (!painting_)
        update();
}

void PaintBox::Draw(const TDibPlus &buffer, int x, int y)
{
    if (frame_.size() != size())
        Clear();
    if (!buffer.HasBitmap() || frame_.isNull())
        return;
    // Clipped in 64 bits: a position near the limits of int must not overflow.
    const int64_t left = std::max<int64_t>(x, 0);
    const int64_t top = std::max<int64_t>(y, 0);
    const int64_t right = std::min<int64_t>(int64_t(x) + buffer.Width(), frame_.width());
    const int64_t bottom = std::min<int64_t>(int64_t(y) + buffer.Height(), frame_.height());
    if (left >= right || top >= bottom)
        return;
    const int count = int(right - left);
    const int rows = int(bottom - top);
    const qsizetype frameWords = frame_.bytesPerLine() / qsizetype(sizeof(uint32_t));
    ConvertRows(reinterpret_cast<uint32_t *>(frame_.scanLine(int(top))) + left, frameWords,
        buffer.Row(int(top - y)) + 3 * (left - x), buffer.Stride(), count, rows);
    if (!painting_)
        update(QRect(int(left), int(top), count, rows));
}

void PaintBox::paintEvent(QPaintEvent *event)
{
    if (frame_.size() != size())
        Clear();
    painting_ = true;
    emit Paint();
    painting_ = false;
    QPainter painter(this);
    painter.drawImage(event->rect().topLeft(), frame_, event->rect());
}

void PaintBox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Clear();
}

void PaintBox::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = PixelAt(event->position());
    emit MouseDown(event->button(), event->modifiers(), at.x(), at.y());
}

void PaintBox::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = PixelAt(event->position());
    emit MouseMove(event->modifiers(), event->buttons(), at.x(), at.y());
}

void PaintBox::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint at = PixelAt(event->position());
    emit MouseUp(event->button(), event->modifiers(), at.x(), at.y());
}

void PaintBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QPoint at = PixelAt(event->position());
    emit DoubleClick(event->button(), event->modifiers(), at.x(), at.y());
}

void PaintBox::wheelEvent(QWheelEvent *event)
{
    // Only the vertical wheel, like Windows' WM_MOUSEWHEEL; a window that handles the
    // wheel itself gets the event when the box has no handler.
    const int delta = event->angleDelta().y();
    if (delta == 0 || !isSignalConnected(QMetaMethod::fromSignal(&PaintBox::Wheel))) {
        event->ignore();
        return;
    }
    const QPoint at = PixelAt(event->position());
    emit Wheel(delta, event->modifiers(), at.x(), at.y());
    event->accept();
}

} // namespace kaleno
