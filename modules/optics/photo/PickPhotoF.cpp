#include "modules/optics/photo/PickPhotoF.h"

#include "imaging/Canvas.h"
#include "imaging/ImageBuffer.h"
#include "imaging/PaintBox.h"
#include "modules/optics/camera/CameraModel.h"
#include "modules/optics/camera/FilmPicture.h"
#include "modules/optics/photo/PhotoRules.h"
#include "platform/Clipboard.h"
#include "platform/HelpViewer.h"
#include "shell/Centring.h"
#include "shell/Settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QRadioButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QToolButton>

#include <algorithm>

namespace kaleno {

namespace {

constexpr int kClientWidth = 336;
constexpr int kClientHeight = 196;
constexpr int kPreviewSide = 90;
constexpr int kSwatchGlyphWidth = 16;
constexpr int kSwatchGlyphHeight = 15;
constexpr int kSwatchButtonSide = 16;
constexpr uint32_t kOlive = 0x008080; // TColor of (128,128,0)
constexpr uint32_t kRedColour = 0x0000FF;
constexpr uint32_t kGreyColour = 0x808080;

const char *const kBarNames[3] = {"rBar", "gBar", "bBar"};
const char *const kBarLabelNames[3] = {"rLab", "gLab", "bLab"};
const char *const kBarTexts[3]
    = {"Composante rouge : ", "Composante verte : ", "Composante bleue : "};
const char *const kShapeItems[5] = {"Lettre \"R\"", "Ilot", "Chat assis", "Chien", "Cycliste"};

int channel(uint32_t colour, int component)
{
    return static_cast<int>((colour >> (8 * component)) & 0xFFu);
}

uint32_t withChannel(uint32_t colour, int component, int value)
{
    const int shift = 8 * component;
    return (colour & ~(0xFFu << shift)) | (uint32_t(value & 0xFF) << shift);
}

// A palette swatch: an olive outer frame (red for the olive swatch itself, which would
// not show its frame), a black frame inside, the colour in the middle.
QImage swatchGlyph(uint32_t colour)
{
    TDibPlus glyph(kSwatchGlyphWidth, kSwatchGlyphHeight);
    {
        Canvas canvas(glyph);
        canvas.SetPen(colour == kOlive ? kRedColour : kOlive);
        canvas.SetBrush(0);
        canvas.Rectangle(0, 0, kSwatchGlyphWidth, kSwatchGlyphHeight);
        canvas.SetBrush(colour);
        canvas.SetPen(colour);
        canvas.FillRect(QRect(QPoint(2, 2), QPoint(13, 13)));
    }
    return ImageFromBuffer(glyph);
}

// GDI's RoundRect over (0, 0)-(w, h) with corners of radius r: four corner ellipses, the
// fill between them, then the straight edges.
void roundedRectangle(Canvas &canvas, int w, int h, int r)
{
    const int d = 2 * r;
    canvas.Ellipse(0, 0, d, d);
    canvas.Ellipse(w - d, 0, w, d);
    canvas.Ellipse(0, h - d, d, h);
    canvas.Ellipse(w - d, h - d, w, h);
    canvas.FillRect(QRect(QPoint(r, 1), QPoint(w - r - 1, h - 2)));
    canvas.FillRect(QRect(QPoint(1, r), QPoint(w - 2, h - r - 1)));
    canvas.MoveTo(r, 0);
    canvas.LineTo(w - r, 0);
    canvas.MoveTo(r, h - 1);
    canvas.LineTo(w - r, h - 1);
    canvas.MoveTo(0, r);
    canvas.LineTo(0, h - r);
    canvas.MoveTo(w - 1, r);
    canvas.LineTo(w - 1, h - r);
}

} // namespace

TPickPhotoF::TPickPhotoF(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TPickPhotoF"));
    setWindowTitle(QStringLiteral(" Modifier les couleurs de l'objet"));
    setWindowFlag(Qt::Tool, true);
    setFixedSize(kClientWidth, kClientHeight);
    // Laid out for Arial 8, like the camera window.
    setFont(QFont(QStringLiteral("Arial"), 8));
    buildControls();
}

TPickPhotoF::~TPickPhotoF() = default;

void TPickPhotoF::buildControls()
{
    auto name = [](QWidget *widget, const char *objectName, const QString &accessible) {
        widget->setObjectName(QLatin1String(objectName));
        widget->setAccessibleName(accessible);
    };

    radio1_ = new QRadioButton(QStringLiteral(" Modifier la couleur 1"), this);
    name(radio1_, "Radio1", QStringLiteral("Modifier la couleur 1"));
    radio1_->setGeometry(8, 4, 170, 18);
    connect(radio1_, &QRadioButton::clicked, this, &TPickPhotoF::Radio1Click);
    radio2_ = new QRadioButton(QStringLiteral(" Modifier la couleur 2"), this);
    name(radio2_, "Radio2", QStringLiteral("Modifier la couleur 2"));
    radio2_->setGeometry(8, 22, 170, 18);
    connect(radio2_, &QRadioButton::clicked, this, &TPickPhotoF::Radio2Click);

    coulLab_ = new QLabel(QStringLiteral("Couleur n°1"), this);
    name(coulLab_, "CoulLab", QStringLiteral("Couleur modifiée"));
    QFont bold = coulLab_->font();
    bold.setBold(true);
    coulLab_->setFont(bold);
    coulLab_->setGeometry(8, 44, 120, 16);

    recta_ = new PaintBox(this);
    name(recta_, "Recta", QStringLiteral("Couleur modifiée"));
    recta_->setGeometry(132, 42, 48, 20);
    connect(recta_, &PaintBox::Paint, this, &TPickPhotoF::RectaPaint);

    for (int i = 0; i < 3; ++i) {
        auto *label = new QLabel(QString::fromUtf8(kBarTexts[i]), this);
        name(label, kBarLabelNames[i], QString::fromUtf8(kBarTexts[i]).trimmed());
        label->setGeometry(8, 64 + 30 * i, 172, 14);
        barLabels_[i] = label;
        auto *bar = new QScrollBar(Qt::Horizontal, this);
        name(bar, kBarNames[i], QString::fromUtf8(kBarTexts[i]).chopped(3));
        bar->setRange(0, 255);
        bar->setSingleStep(1);
        bar->setPageStep(2);
        bar->setGeometry(8, 78 + 30 * i, 172, 14);
        bars_[i] = bar;
    }
    connect(bars_[0], &QScrollBar::valueChanged, this, &TPickPhotoF::rBarChange);
    connect(bars_[1], &QScrollBar::valueChanged, this, &TPickPhotoF::gBarChange);
    connect(bars_[2], &QScrollBar::valueChanged, this, &TPickPhotoF::bBarChange);

    linkCheck_ = new QCheckBox(QStringLiteral(" Lier les 3 composantes"), this);
    name(linkCheck_, "LinkCheck", QStringLiteral("Lier les 3 composantes"));
    linkCheck_->setGeometry(8, 152, 172, 18);

    auto toolButton = [&](const char *objectName, const QString &caption, const QString &hint) {
        auto *button = new QToolButton(this);
        name(button, objectName, hint.trimmed());
        button->setText(caption);
        button->setToolTip(hint);
        button->setAutoRaise(true);
        return button;
    };
    copyTxtBout_ = toolButton("CopyTxtBout", QStringLiteral("Texte"),
        QStringLiteral(" Obtenir les couleurs sous la forme d'un texte"));
    copyTxtBout_->setGeometry(8, 172, 50, 22);
    connect(copyTxtBout_, &QToolButton::clicked, this, &TPickPhotoF::CopyTxtBoutClick);
    aideBout_ = toolButton("AideBout", QStringLiteral("Aide"), QStringLiteral(" Accéder à l'aide"));
    aideBout_->setGeometry(62, 172, 50, 22);
    connect(aideBout_, &QToolButton::clicked, this, &TPickPhotoF::AideBoutClick);
    closeBout_
        = toolButton("CloseBout", QStringLiteral("Fermer"), QStringLiteral(" Fermer la fenêtre"));
    closeBout_->setGeometry(116, 172, 60, 22);
    connect(closeBout_, &QToolButton::clicked, this, &TPickPhotoF::CloseBoutClick);

    // The palette: two rows of eight swatches at the top right.
    for (int i = 0; i < 16; ++i) {
        auto *button = new QToolButton(this);
        name(button, qPrintable(QStringLiteral("SwatchBout%1").arg(i + 1)),
            QStringLiteral("Couleur %1 de la palette").arg(i + 1));
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setIconSize(QSize(kSwatchGlyphWidth, kSwatchGlyphHeight));
        button->setGeometry(
            192 + 18 * (i % 8), 4 + 20 * (i / 8), kSwatchButtonSide + 2, kSwatchButtonSide + 3);
        connect(button, &QToolButton::clicked, this, [this, i] { SwatchClick(i); });
        swatches_[i] = button;
    }
    razBout_ = toolButton("RazBout", QStringLiteral("Palette d'origine"),
        QStringLiteral(" Retrouver la palette originale"));
    razBout_->setGeometry(192, 44, 144 - 4, 20);
    connect(razBout_, &QToolButton::clicked, this, &TPickPhotoF::RazBoutClick);

    motifLab_ = new QLabel(QStringLiteral("Motif :"), this);
    name(motifLab_, "MotifLab", QStringLiteral("Motif"));
    motifLab_->setGeometry(192, 70, 44, 16);
    shapeCombo_ = new QComboBox(this);
    name(shapeCombo_, "ShapeCombo", QStringLiteral("Motif"));
    for (const char *item : kShapeItems)
        shapeCombo_->addItem(QString::fromUtf8(item));
    shapeCombo_->setGeometry(192, 86, 90, 22);
    connect(shapeCombo_, &QComboBox::currentIndexChanged, this, &TPickPhotoF::ShapeComboChange);

    display_ = new PaintBox(this);
    name(display_, "Display", QStringLiteral("Aperçu de l'objet"));
    display_->SetBackgroundColour(0);
    display_->setGeometry(kClientWidth - 4 - kPreviewSide, kClientHeight - 4 - kPreviewSide,
        kPreviewSide, kPreviewSide);
    connect(display_, &PaintBox::Paint, this, &TPickPhotoF::DisplayPaint);
}

// --- lifecycle ---------------------------------------------------------------------------

void TPickPhotoF::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    CentreOnScreen(*this);
    FormShow();
}

void TPickPhotoF::FormShow()
{
    edited_ = 1;
    radio1_->setChecked(true);
    coulLab_->setText(QStringLiteral("Couleur n°1"));
    linkCheck_->setChecked(false);
    {
        const QSignalBlocker block(shapeCombo_);
        shapeCombo_->setCurrentIndex(std::clamp(AppSettings().ShapeIndex, 0, 4));
    }
    shapes_ = LoadCameraShapes(AppSettings().ShapeIndex);
    for (int i = 0; i < 16; ++i)
        paintSwatch(i);
    chooseEditedColour();
}

// --- colours -----------------------------------------------------------------------------

uint32_t &TPickPhotoF::editedSetting()
{
    return edited_ == 1 ? AppSettings().ObjColor1 : AppSettings().ObjColor2;
}

void TPickPhotoF::chooseEditedColour()
{
    selected_ = photo::NearestPaletteIndex(AppSettings().Couleur, editedSetting());
    applyColour(AppSettings().Couleur[static_cast<size_t>(selected_)]);
}

void TPickPhotoF::applyColour(uint32_t colour)
{
    Settings &settings = AppSettings();
    editedSetting() = colour;
    settings.Couleur[static_cast<size_t>(selected_)] = colour;
    paintSwatch(selected_);
    barsArmed_ = false;
    for (int i = 0; i < 3; ++i)
        bars_[i]->setValue(channel(colour, i));
    barsArmed_ = true;
    showColour();
}

void TPickPhotoF::showColour()
{
    const uint32_t colour = editedSetting();
    for (int i = 0; i < 3; ++i)
        barLabels_[i]->setText(
            QString::fromUtf8(kBarTexts[i]) + QString::number(channel(colour, i)));
    for (int i = 0; i < 16; ++i)
        swatches_[i]->setChecked(i == selected_);
    RectaPaint();
    drawPreview();
    DisplayPaint();
}

void TPickPhotoF::paintSwatch(int index)
{
    swatches_[index]->setIcon(
        QIcon(QPixmap::fromImage(swatchGlyph(AppSettings().Couleur[static_cast<size_t>(index)]))));
}

void TPickPhotoF::Radio1Click()
{
    edited_ = 1;
    coulLab_->setText(QStringLiteral("Couleur n°1"));
    chooseEditedColour();
}

void TPickPhotoF::Radio2Click()
{
    edited_ = 2;
    coulLab_->setText(QStringLiteral("Couleur n°2"));
    chooseEditedColour();
}

void TPickPhotoF::barChange(int component)
{
    if (!barsArmed_)
        return;
    uint32_t colour = editedSetting();
    const int value = bars_[component]->value();
    // Linked, any bar sets the three components: the grey scale in one move.
    if (linkCheck_->isChecked())
        colour = PackPixel(value, value, value);
    else
        colour = withChannel(colour, component, value);
    applyColour(colour);
}

void TPickPhotoF::rBarChange() { barChange(0); }
void TPickPhotoF::gBarChange() { barChange(1); }
void TPickPhotoF::bBarChange() { barChange(2); }

void TPickPhotoF::SwatchClick(int index)
{
    if (index < 0 || index >= 16)
        return;
    selected_ = index;
    applyColour(AppSettings().Couleur[static_cast<size_t>(index)]);
}

void TPickPhotoF::RazBoutClick()
{
    AppSettings().Couleur = kDefaultCameraColours;
    for (int i = 0; i < 16; ++i)
        paintSwatch(i);
    chooseEditedColour();
}

void TPickPhotoF::ShapeComboChange(int index)
{
    if (index < 0 || index > 4)
        return;
    AppSettings().ShapeIndex = index;
    shapes_ = LoadCameraShapes(index);
    drawPreview();
    DisplayPaint();
}

// --- pictures ----------------------------------------------------------------------------

void TPickPhotoF::drawPreview()
{
    const ColourRamp ramp = MakeColourRamp(AppSettings().ObjColor1, AppSettings().ObjColor2);
    if (shapes_) {
        preview_ = ShapeInColours(shapes_->upright, ramp, kPreviewSide, kPreviewSide / 2, false);
        return;
    }
    // Without its shape the object is still shown in its colours, as a plain bar.
    preview_ = TDibPlus(kPreviewSide, kPreviewSide);
    FillColourBar(preview_, ramp, 0, kPreviewSide - 1, 0, kPreviewSide - 1, false);
}

void TPickPhotoF::DisplayPaint()
{
    if (preview_.HasBitmap())
        display_->Draw(preview_, 0, 0);
}

void TPickPhotoF::RectaPaint()
{
    const int w = recta_->width(), h = recta_->height();
    if (swatchPicture_.Width() != w || swatchPicture_.Height() != h)
        swatchPicture_ = TDibPlus(w, h);
    swatchPicture_.Fill(palette().window().color().rgb() & 0xFFFFFFu);
    {
        Canvas canvas(swatchPicture_);
        canvas.SetPen(kGreyColour);
        canvas.SetBrush(editedSetting());
        roundedRectangle(canvas, w, h, 6);
    }
    recta_->Draw(swatchPicture_, 0, 0);
}

// --- buttons -----------------------------------------------------------------------------

QString TPickPhotoF::ColoursText() const
{
    return photo::ObjectColoursText(AppSettings().ObjColor1, AppSettings().ObjColor2);
}

void TPickPhotoF::CopyTxtBoutClick() { platform::PutText(ColoursText()); }

void TPickPhotoF::AideBoutClick() { platform::ShowHelpTopic(QStringLiteral("PICKPHOTO")); }

void TPickPhotoF::CloseBoutClick() { accept(); }

} // namespace kaleno
