#include "catalogue/BrowserCell.h"

#include "catalogue/BrowserModel.h"
#include "imaging/Canvas.h"
#include "imaging/ImageFitting.h"
#include "imaging/ImageLoaders.h"
#include "imaging/PaintBox.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>

namespace kaleno {

namespace {

// TColor values (0x00BBGGRR).
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kGrey = 0x808080;
constexpr uint32_t kSelectedBlue = 0xFF0000;

// Where a picture of natural size `natural` goes in the square. A very long thin picture
// keeps one pixel across rather than vanishing.
QRect ThumbnailRect(QSize natural, int thumb)
{
    QRect fit = FitThumbnail(natural, QSize(thumb, thumb));
    if (fit.width() < 1)
        fit.setWidth(1);
    if (fit.height() < 1)
        fit.setHeight(1);
    return fit;
}

uint32_t TColorOf(const QColor &colour)
{
    return uint32_t(colour.red()) | uint32_t(colour.green()) << 8 | uint32_t(colour.blue()) << 16;
}

} // namespace

BrowserCell::BrowserCell(int number, QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("Cell%1").arg(number));
    setAccessibleName(QStringLiteral("Vignette %1").arg(number));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);

    Image = new PaintBox(this);
    Image->setObjectName(QStringLiteral("Image"));
    Image->setAccessibleName(QStringLiteral("Vignette"));
    connect(Image, &PaintBox::Paint, this, &BrowserCell::ImagePaint);
    connect(Image, &PaintBox::MouseDown, this, [this](Qt::MouseButton button) {
        if (button == Qt::LeftButton)
            emit Clicked();
    });

    Label = new QLabel(this);
    Label->setObjectName(QStringLiteral("Label"));
    Label->setAccessibleName(QStringLiteral("Nom du fichier"));
    // Clicks on the name select the cell as well: the label lets them through.
    Label->setAttribute(Qt::WA_TransparentForMouseEvents);

    SetThumbSize(catalogue::kDefaultThumb);
    ShowEmpty();
}

void BrowserCell::SetThumbSize(int thumb)
{
    thumb_ = thumb;
    const QSize cell = catalogue::CellSize(thumb);
    resize(cell);
    Image->setGeometry(QRect(catalogue::CellImageOrigin(), QSize(thumb, thumb)));
    // As wide as the name may be (cw - 10): the shortened name is never clipped.
    Label->setGeometry(QRect(catalogue::CellLabelOrigin(thumb), QSize(cell.width() - 10, 16)));
    UpdateLabel();
    Redraw();
}

void BrowserCell::ShowEmpty()
{
    Release();
    UpdateLabel();
    Redraw();
}

void BrowserCell::ShowFile(const QString &path, const ThumbnailSource *source)
{
    Release();
    path_ = path;
    UpdateLabel();
    if (source) {
        const QRect fit = ThumbnailRect(source->naturalSize, thumb_);
        if (source->image.HasBitmap()) {
            picture_ = TDibPlus(fit.width(), fit.height());
            Canvas canvas(picture_);
            canvas.StretchDraw(QRect(0, 0, fit.width(), fit.height()), source->image);
            naturalSize_ = source->naturalSize;
            loaded_ = true;
        }
    }
    Redraw();
}

void BrowserCell::SetSelected(bool selected)
{
    selected_ = selected;
    UpdatePanelColour();
    Redraw();
}

void BrowserCell::Release()
{
    path_.clear();
    loaded_ = false;
    naturalSize_ = QSize();
    picture_ = TDibPlus(0, 0);
}

void BrowserCell::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit Clicked();
    QFrame::mousePressEvent(event);
}

void BrowserCell::ImagePaint() { Image->Draw(thumbnail_, 0, 0); }

void BrowserCell::Redraw()
{
    UpdatePanelColour();
    if (!loaded_) {
        DrawEmptyThumbnail();
    } else {
        thumbnail_ = TDibPlus(thumb_, thumb_);
        Canvas canvas(thumbnail_);
        canvas.SetBrush(selected_ ? kSelectedBlue : TColorOf(palette().color(QPalette::Button)));
        canvas.FillRect(QRect(0, 0, thumb_, thumb_));
        const QRect fit = ThumbnailRect(naturalSize_, thumb_);
        if (fit.size() == QSize(picture_.Width(), picture_.Height()))
            canvas.Draw(picture_, fit.x(), fit.y());
        else
            canvas.StretchDraw(fit, picture_);
    }
    Image->Draw(thumbnail_, 0, 0);
}

void BrowserCell::DrawEmptyThumbnail()
{
    const int t = thumb_;
    thumbnail_ = TDibPlus(t, t);
    Canvas canvas(thumbnail_);
    canvas.SetPen(kBlack);
    canvas.SetBrush(kWhite);
    canvas.Rectangle(0, 0, t, t);
    canvas.SetPen(kGrey);
    canvas.MoveTo(1, 1);
    canvas.LineTo(t - 1, t - 1);
    canvas.MoveTo(t - 2, 1);
    canvas.LineTo(0, t - 1);
}

void BrowserCell::UpdateLabel()
{
    if (path_.isEmpty()) {
        Label->setText(catalogue::EmptyCellLabel());
        return;
    }
    const QFontMetrics metrics(Label->font());
    Label->setText(catalogue::ShortenedLabel(QFileInfo(path_).fileName(),
        catalogue::CellSize(thumb_).width() - 10,
        [&metrics](const QString &text) { return metrics.horizontalAdvance(text); }));
}

void BrowserCell::UpdatePanelColour()
{
    QPalette colours = palette();
    const QColor face = QPalette().color(QPalette::Button);
    colours.setColor(QPalette::Window, selected_ ? QColor(0, 0, 255) : face);
    colours.setColor(QPalette::WindowText, selected_ ? QColor(Qt::white) : QColor(Qt::black));
    setPalette(colours);
    Label->setPalette(colours);
}

} // namespace kaleno
