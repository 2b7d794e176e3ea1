#include "shell/SplashF.h"

#include "imaging/RasterOps.h"
#include "shell/Bitmaps.h"

#include <QCloseEvent>
#include <QFont>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace kaleno {

namespace {

const QColor kNavy(22, 44, 120);

TDibPlus ToDib(const QImage &image)
{
    const QImage rgb = image.isNull() ? image : image.convertToFormat(QImage::Format_RGB32);
    TDibPlus dib(rgb.width(), rgb.height());
    for (int y = 0; y < dib.Height(); ++y) {
        const auto *src = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        uint8_t *dst = dib.Row(y);
        for (int x = 0; x < dib.Width(); ++x) {
            dst[3 * x] = static_cast<uint8_t>(qBlue(src[x]));
            dst[3 * x + 1] = static_cast<uint8_t>(qGreen(src[x]));
            dst[3 * x + 2] = static_cast<uint8_t>(qRed(src[x]));
        }
    }
    return dib;
}

QImage ToDisplay(const TDibPlus &dib)
{
    QImage image(dib.Width(), dib.Height(), QImage::Format_RGB32);
    for (int y = 0; y < dib.Height(); ++y) {
        const uint8_t *src = dib.Row(y);
        auto *dst = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < dib.Width(); ++x)
            dst[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
    }
    return image;
}

// Light adds up: src (light on black) is added onto dst at (dx, dy), each byte saturating
// at 255, clipped to both buffers. A plain OR would band the soft glows.
void AddLight(TDibPlus &dst, int dx, int dy, const TDibPlus &src)
{
    const int x0 = std::max(0, -dx);
    const int y0 = std::max(0, -dy);
    const int x1 = std::min(src.Width(), dst.Width() - dx);
    const int y1 = std::min(src.Height(), dst.Height() - dy);
    if (x0 >= x1)
        return;
    const int bytes = 3 * (x1 - x0);
    for (int y = y0; y < y1; ++y) {
        uint8_t *d = dst.Row(y + dy) + 3 * (x0 + dx);
        const uint8_t *s = src.Row(y) + 3 * x0;
        for (int i = 0; i < bytes; ++i)
            d[i] = static_cast<uint8_t>(std::min(255, d[i] + s[i]));
    }
}

QFont ArialPixels(int pixels, bool bold = false, bool italic = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

} // namespace

TSplashF::TSplashF(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , StopTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("TSplashF"));
    setAccessibleName(QStringLiteral("Présentation de Kaleno"));
    setWindowTitle(QStringLiteral("Kaleno"));
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);

    StopTimer->setObjectName(QStringLiteral("StopTimer"));
    connect(StopTimer, &QTimer::timeout, this, &TSplashF::StopTimerTimer);
    connect(this, &QDialog::finished, this, &TSplashF::Closed);
}

void TSplashF::ShowSplash(int durationMs)
{
    aboutMode_ = false;
    setModal(false);
    ComposePicture();
    CentreOnScreen();
    // Started before the window shows, so that no close request slips in between.
    StopTimer->start(std::max(0, durationMs));
    show();
    repaint();
}

int TSplashF::ShowAbout()
{
    StopTimer->stop();
    aboutMode_ = true;
    ComposePicture();
    CentreOnScreen();
    return exec();
}

bool TSplashF::TimerRunning() const { return StopTimer->isActive(); }

void TSplashF::StopTimerTimer()
{
    StopTimer->stop();
    close();
}

void TSplashF::reject()
{
    if (TimerRunning())
        return;
    QDialog::reject();
}

void TSplashF::done(int result)
{
    if (TimerRunning())
        return;
    QDialog::done(result);
}

void TSplashF::closeEvent(QCloseEvent *event)
{
    if (TimerRunning()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TSplashF::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (aboutMode_)
        close();
}

void TSplashF::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, shown_);
}

void TSplashF::CentreOnScreen()
{
    const QScreen *where = screen() ? screen() : QGuiApplication::primaryScreen();
    if (where)
        move(where->geometry().center() - QPoint(kWidth / 2, kHeight / 2));
}

void TSplashF::ComposePicture()
{
    const TDibPlus sky = ToDib(LoadResourceBitmap(QStringLiteral("LogoBlue")));
    const TDibPlus nova = ToDib(LoadResourceBitmap(QStringLiteral("SplashNova")));
    const TDibPlus name = ToDib(LoadResourceBitmap(QStringLiteral("LogoXL")));
    const TDibPlus lens = ToDib(LoadResourceBitmap(QStringLiteral("Lens")));
    const int skyHeight = sky.Height();

    // Below the sky, the lens picture's own background carries on.
    picture_.Fill(lens.HasBitmap() ? lens.GetPixel(0, 0) : PackPixel(252, 250, 250));
    BitBlt(picture_, 0, 0, sky, RasterOp::Copy);
    // The star and the glowing name are light on black, added onto the sky.
    AddLight(picture_, kWidth - nova.Width() - 10, (skyHeight - nova.Height()) / 2, nova);
    AddLight(picture_, 10, 22, name);
    const int lowerTop = skyHeight;
    const int lowerHeight = kHeight - skyHeight;
    BitBlt(picture_, kWidth - lens.Width() - 14, lowerTop + (lowerHeight - lens.Height()) / 2, lens,
        RasterOp::Copy);

    QImage view(picture_.Bits(), kWidth, kHeight, picture_.Stride(), QImage::Format_BGR888);
    {
        QPainter painter(&view);
        painter.setRenderHint(QPainter::TextAntialiasing);

        painter.setFont(ArialPixels(16, false, true));
        painter.setPen(QColor(206, 218, 255));
        painter.drawText(QPoint(38, skyHeight - 20), QStringLiteral("Lumière, couleur et optique"));

        const int textWidth = kWidth - lens.Width() - 14 - 24 - 12;
        painter.setFont(ArialPixels(15, true));
        painter.setPen(kNavy);
        painter.drawText(QRect(24, lowerTop + 20, textWidth, 20), Qt::AlignLeft | Qt::AlignVCenter,
            QStringLiteral("Un logiciel éducatif pour le collège"));

        painter.setFont(ArialPixels(13));
        painter.setPen(QColor(52, 58, 72));
        painter.drawText(QRect(24, lowerTop + 48, textWidth, 90), Qt::TextWordWrap,
            QStringLiteral("Mélanger les lumières et les encres, explorer la perception "
                           "des couleurs, décomposer les images numériques et suivre la "
                           "lumière à travers les lentilles."));

        painter.setFont(ArialPixels(12));
        painter.setPen(QColor(110, 116, 132));
        painter.drawText(
            QPoint(24, kHeight - (aboutMode_ ? 36 : 18)), QStringLiteral("Version 0.1.0"));
        if (aboutMode_)
            painter.drawText(QPoint(24, kHeight - 18),
                QStringLiteral("Cliquez dans la fenêtre pour la fermer."));

        painter.setPen(kNavy);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(0, 0, kWidth - 1, kHeight - 1);
    }
    shown_ = ToDisplay(picture_);
    update();
}

} // namespace kaleno
