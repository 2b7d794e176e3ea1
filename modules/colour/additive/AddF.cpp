#include "modules/colour/additive/AddF.h"

#include "imaging/Canvas.h"
#include "imaging/PaintBox.h"
#include "imaging/RasterOps.h"
#include "shell/Bitmaps.h"
#include "shell/Settings.h"
#include "shell/ShellValues.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QShowEvent>
#include <QToolButton>
#include <QWheelEvent>

#include <algorithm>

namespace kaleno {

using namespace synthesis;

namespace {

constexpr int kZoneLeft = 4;
constexpr int kZoneTop = 4;
constexpr int kBottomPanelHeight = 93;
constexpr int kBarWidth = 17;
constexpr int kBarHeight = 66;
constexpr int kEditWidth = 52;
constexpr int kColumnWidth = 80;
constexpr int kBarSmallStep = 2;
constexpr int kBarLargeStep = 20;
constexpr int kBarMax = 100;

const char *const kBarNames[3] = {"rBar", "gBar", "bBar"};
const char *const kEditNames[3] = {"Redit", "GEdit", "BEdit"};
const char *const kLabelNames[3] = {"RLab", "GLab", "BLab"};
const char *const kLabelTexts[3] = {"Rouge", "Vert", "Bleu"};
const char *const kBarHints[3]
    = {" Intensité du rouge", " Intensité du vert", " Intensité du bleu"};

// The projector picture as a pixel buffer; a missing resource gives a surround alone, so
// the strip stays black rather than the window failing.
TDibPlus projectorArt()
{
    constexpr int side = ProjectorSprite::kSize - 2 * ProjectorSprite::kArtOffset + 1;
    const QImage image = LoadResourceBitmap(QStringLiteral("Projo"));
    const int w = image.isNull() ? side : image.width();
    const int h = image.isNull() ? side : image.height();
    TDibPlus art(w, h);
    art.Fill(ProjectorSprite::kYellow);
    if (!image.isNull())
        for (int y = 0; y < h; ++y) {
            const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            for (int x = 0; x < w; ++x)
                art.SetPixelFast(x, y, row[x] & 0xFFFFFFu);
        }
    return art;
}

} // namespace

TAddF::TAddF(QWidget *parent)
    : ModuleWindow(QStringLiteral("TAddF"), QStringLiteral("ADDITIVE"), parent)
{
    setWindowTitle(QStringLiteral(" Synthèse trichromique additive - ") + QLatin1String(kAppTitle));
    setMinimumSize(kMinOuterWidth, kMinOuterHeight);
    resize(640, 520);
    buildControls();
}

TAddF::~TAddF() = default;

void TAddF::buildControls()
{
    zone_ = new PaintBox(this);
    zone_->setObjectName(QStringLiteral("Zone"));
    zone_->setAccessibleName(QStringLiteral("Écran"));
    zone_->SetBackgroundColour(0);
    connect(zone_, &PaintBox::Paint, this, &TAddF::ZonePaint);
    connect(zone_, &PaintBox::MouseDown, this, &TAddF::ZoneMouseDown);
    connect(zone_, &PaintBox::MouseMove, this, &TAddF::ZoneMouseMove);
    connect(zone_, &PaintBox::MouseUp, this, &TAddF::ZoneMouseUp);
    connect(zone_, &PaintBox::Wheel, this,
        [this](int delta, Qt::KeyboardModifiers, int, int) { FormMouseWheel(delta); });

    projoZone_ = new PaintBox(this);
    projoZone_->setObjectName(QStringLiteral("ProjoZone"));
    projoZone_->setAccessibleName(QStringLiteral("Projecteurs"));
    projoZone_->SetBackgroundColour(0);
    connect(projoZone_, &PaintBox::Paint, this, &TAddF::ProjoZonePaint);

    bottomPanel_ = new QWidget(this);
    bottomPanel_->setObjectName(QStringLiteral("BottomPanel"));
    ToolPanel()->setParent(bottomPanel_);

    etenduCheck_ = new QCheckBox(QStringLiteral(" Synthèse étendue"), bottomPanel_);
    etenduCheck_->setObjectName(QStringLiteral("EtenduCheck"));
    etenduCheck_->setAccessibleName(QStringLiteral("Synthèse étendue"));
    connect(etenduCheck_, &QCheckBox::clicked, this, &TAddF::EtenduCheckClick);
    linkCheck_ = new QCheckBox(QStringLiteral(" Lier les 3 composantes"), bottomPanel_);
    linkCheck_->setObjectName(QStringLiteral("LinkCheck"));
    linkCheck_->setAccessibleName(QStringLiteral("Lier les 3 composantes"));
    connect(linkCheck_, &QCheckBox::clicked, this, &TAddF::LinkCheckClick);

    for (int i = 0; i < 3; ++i) {
        auto *label = new QLabel(QString::fromUtf8(kLabelTexts[i]), bottomPanel_);
        label->setObjectName(QLatin1String(kLabelNames[i]));
        barLabels_[i] = label;
        auto *bar = new QScrollBar(Qt::Vertical, bottomPanel_);
        bar->setObjectName(QLatin1String(kBarNames[i]));
        bar->setAccessibleName(QString::fromUtf8(kBarHints[i]).trimmed());
        bar->setToolTip(QString::fromUtf8(kBarHints[i]));
        bar->setRange(0, kBarMax);
        bar->setSingleStep(kBarSmallStep);
        bar->setPageStep(kBarLargeStep);
        connect(bar, &QScrollBar::valueChanged, this, [this, bar] { BarChange(bar); });
        bars_[i] = bar;
        auto *edit = new QLineEdit(LevelText(100), bottomPanel_);
        edit->setObjectName(QLatin1String(kEditNames[i]));
        edit->setAccessibleName(QString::fromUtf8(kLabelTexts[i]));
        edit->setReadOnly(true);
        edits_[i] = edit;
    }
}

// --- lifecycle ---------------------------------------------------------------------------

void TAddF::showEvent(QShowEvent *event)
{
    ModuleWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TAddF::FormShow()
{
    intensities_ = {100, 100, 100};
    setBarsQuietly(0);
    for (QScrollBar *bar : bars_)
        bar->setEnabled(false);
    linkCheck_->setEnabled(false);
    {
        const QSignalBlocker blockLink(linkCheck_);
        const QSignalBlocker blockEtendu(etenduCheck_);
        linkCheck_->setChecked(false);
        etenduCheck_->setChecked(false);
    }
    linked_ = false;
    extended_ = false;
    etenduCheck_->setEnabled(AppSettings().ExtSynthFlag);
    setWindowTitle(QStringLiteral(" Synthèse trichromique additive - ") + QLatin1String(kAppTitle));

    sprite_ = ProjectorSprite();
    sprite_.Prepare(projectorArt());

    W_ = std::max(width() - kScreenWidthMargin, 1);
    H_ = std::max(height() - kAdditiveShowHeightMargin, 1);
    projectorLefts_ = ProjectorLefts(W_);
    computeColours();
    setRadius(H_ / 6);
    background_ = TDibPlus(W_, H_);
    composite_ = TDibPlus(W_, H_);
    selected_ = 0;
    rebuildBackground();
    centres_ = InitialCentres(W_, H_, R_);
    computeAngles();
    updateEdits();
    shown_ = true;
    rebuildComposite();
    showComposite();
    drawAllProjectors();
}

void TAddF::resizeEvent(QResizeEvent *event)
{
    ModuleWindow::resizeEvent(event);
    FormResize();
}

void TAddF::FormResize()
{
    if (width() < kMinOuterWidth || height() < kMinOuterHeight) {
        resize(std::max(width(), kMinOuterWidth), std::max(height(), kMinOuterHeight));
        return;
    }
    W_ = width() - kScreenWidthMargin;
    H_ = height() - kAdditiveResizeHeightMargin;
    zone_->setGeometry(kZoneLeft, kZoneTop, W_, H_);
    projoZone_->setGeometry(kZoneLeft, H_ + kZoneTop, W_, kProjectorStripHeight);
    projectorLefts_ = ProjectorLefts(W_);

    const int panelTop = H_ + kZoneTop + kProjectorStripHeight;
    bottomPanel_->setGeometry(0, panelTop, width(), height() - panelTop);
    ToolPanel()->adjustSize();
    ToolPanel()->move(kZoneLeft, 4);
    const int checkTop = ToolPanel()->height() + 8;
    etenduCheck_->adjustSize();
    linkCheck_->adjustSize();
    etenduCheck_->move(kZoneLeft + 4, checkTop);
    linkCheck_->move(kZoneLeft + 4, checkTop + etenduCheck_->height() + 2);
    // The sliders stand at the right, each with its label above and its edit beside it.
    const int firstColumn = W_ + kZoneLeft - 3 * kColumnWidth;
    for (int i = 0; i < 3; ++i) {
        const int x = firstColumn + i * kColumnWidth;
        barLabels_[i]->setGeometry(x, 2, kColumnWidth - 4, 16);
        bars_[i]->setGeometry(x, 20, kBarWidth, kBarHeight);
        edits_[i]->setGeometry(x + kBarWidth + 4, 20 + (kBarHeight - 22) / 2, kEditWidth, 22);
    }

    if (shown_) {
        setRadius(H_ / 6);
        background_ = TDibPlus(W_, H_);
        composite_ = TDibPlus(W_, H_);
        rebuildBackground();
    }
    for (DiscCentre &centre : centres_)
        centre = ClampCentre(centre.x, centre.y, W_, H_, R_);
    computeAngles();
    if (shown_) {
        rebuildComposite();
        showComposite();
        drawAllProjectors();
    }
}

void TAddF::FormClose()
{
    shown_ = false;
    for (TDibPlus &disc : discs_)
        disc = TDibPlus(0, 0);
    background_ = TDibPlus(0, 0);
    composite_ = TDibPlus(0, 0);
    strip_ = TDibPlus(0, 0);
    sprite_ = ProjectorSprite();
}

// --- drawing -----------------------------------------------------------------------------

void TAddF::setRadius(int wanted)
{
    R_ = ClampRadius(wanted, H_);
    halfR_ = R_ / 2;
    diameter_ = 2 * R_;
    for (TDibPlus &disc : discs_)
        disc = TDibPlus(diameter_, diameter_);
    drawDiscs();
}

void TAddF::computeColours() { colours_ = LightColours(intensities_, extended_); }

void TAddF::drawDiscs()
{
    for (int i = 0; i < 3; ++i) {
        TDibPlus &disc = discs_[i];
        disc.Fill(kBlack);
        Canvas canvas(disc);
        // The canvas takes window colours; the discs hold pixel values.
        canvas.SetBrush(SwapRB(colours_[i]));
        canvas.SetPen(SwapRB(colours_[i]));
        canvas.Ellipse(0, 0, diameter_, diameter_);
    }
}

void TAddF::rebuildBackground()
{
    background_.Fill(kBlack);
    if (selected_ == 0)
        return;
    for (int i = 0; i < 3; ++i)
        if (i + 1 != selected_)
            BitBlt(background_, centres_[i].x - R_, centres_[i].y - R_, discs_[i], RasterOp::Or);
}

void TAddF::rebuildComposite()
{
    if (selected_ == 0) {
        composite_.Fill(kBlack);
        for (int i = 0; i < 3; ++i)
            BitBlt(composite_, centres_[i].x - R_, centres_[i].y - R_, discs_[i],
                i == 0 ? RasterOp::Copy : RasterOp::Or);
        return;
    }
    BitBlt(composite_, 0, 0, background_, RasterOp::Copy);
    const int i = selected_ - 1;
    BitBlt(composite_, centres_[i].x - R_, centres_[i].y - R_, discs_[i], RasterOp::Or);
}

void TAddF::showComposite()
{
    if (composite_.HasBitmap())
        zone_->Draw(composite_, 0, 0);
}

void TAddF::ZonePaint()
{
    if (!shown_) {
        zone_->Clear();
        return;
    }
    rebuildComposite();
    showComposite();
}

void TAddF::computeAngles()
{
    for (int i = 0; i < 3; ++i)
        angles_[i] = ProjectorAngle(centres_[i], projectorLefts_[i], H_);
}

void TAddF::drawProjector(int disc)
{
    if (!strip_.HasBitmap())
        return;
    sprite_.Draw(strip_, projectorLefts_[disc], 0, colours_[disc], angles_[disc]);
    projoZone_->Draw(strip_, 0, 0);
}

void TAddF::drawAllProjectors()
{
    if (!shown_)
        return;
    if (strip_.Width() != W_ || strip_.Height() != kProjectorStripHeight)
        strip_ = TDibPlus(W_, kProjectorStripHeight);
    strip_.Fill(kBlack);
    for (int i = 0; i < 3; ++i)
        sprite_.Draw(strip_, projectorLefts_[i], 0, colours_[i], angles_[i]);
    projoZone_->Draw(strip_, 0, 0);
}

void TAddF::ProjoZonePaint()
{
    if (!shown_) {
        projoZone_->Clear();
        return;
    }
    drawAllProjectors();
}

void TAddF::updateEdits()
{
    for (int i = 0; i < 3; ++i)
        edits_[i]->setText(LevelText(intensities_[i]));
}

// --- mouse -------------------------------------------------------------------------------

void TAddF::ZoneMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    if (!shown_)
        return;
    if (button == Qt::LeftButton) {
        selected_ = HitDisc(centres_, R_, x, y);
        rebuildBackground();
    } else if (button == Qt::RightButton) {
        const int before = R_;
        setRadius(RightClickRadius(R_, shift.testFlag(Qt::ControlModifier), H_));
        if (R_ != before) {
            rebuildBackground();
            rebuildComposite();
            showComposite();
        }
    }
}

void TAddF::ZoneMouseMove(Qt::KeyboardModifiers, Qt::MouseButtons, int x, int y)
{
    if (!shown_ || selected_ == 0)
        return;
    const int i = selected_ - 1;
    centres_[i] = ClampCentre(x, y, W_, H_, R_);
    angles_[i] = ProjectorAngle(centres_[i], projectorLefts_[i], H_);
    drawProjector(i);
    rebuildComposite();
    showComposite();
}

void TAddF::ZoneMouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int, int)
{
    if (!shown_)
        return;
    selected_ = 0;
    rebuildBackground();
}

void TAddF::wheelEvent(QWheelEvent *event)
{
    FormMouseWheel(event->angleDelta().y());
    event->accept();
}

void TAddF::FormMouseWheel(int delta)
{
    if (!shown_)
        return;
    // The wheel message carries the delta as a signed 16-bit word.
    const int before = R_;
    setRadius(WheelRadius(R_, static_cast<int16_t>(delta), H_));
    if (R_ != before) {
        rebuildBackground();
        rebuildComposite();
        showComposite();
    }
}

// --- sliders and check boxes -------------------------------------------------------------

void TAddF::setBarsQuietly(int position)
{
    barsArmed_ = false;
    for (QScrollBar *bar : bars_)
        bar->setValue(position);
    barsArmed_ = true;
}

void TAddF::BarChange(QScrollBar *moved)
{
    if (!barsArmed_ || !shown_)
        return;
    if (linked_) {
        const int level = LevelFromPosition(moved->value());
        setBarsQuietly(PositionFromLevel(level));
        intensities_ = {level, level, level};
    } else {
        for (int i = 0; i < 3; ++i)
            intensities_[i] = LevelFromPosition(bars_[i]->value());
    }
    computeColours();
    drawDiscs();
    rebuildBackground();
    rebuildComposite();
    showComposite();
    if (linked_) {
        drawAllProjectors();
    } else {
        for (int i = 0; i < 3; ++i)
            if (bars_[i] == moved)
                drawProjector(i);
    }
    updateEdits();
}

void TAddF::LinkCheckClick() { linked_ = linkCheck_->isChecked(); }

void TAddF::EtenduCheckClick()
{
    extended_ = etenduCheck_->isChecked();
    if (extended_) {
        linkCheck_->setEnabled(true);
        for (QScrollBar *bar : bars_)
            bar->setEnabled(true);
        return;
    }
    linkCheck_->setEnabled(false);
    setBarsQuietly(0);
    intensities_ = {100, 100, 100};
    for (QScrollBar *bar : bars_)
        bar->setEnabled(false);
    if (!shown_)
        return;
    computeColours();
    drawDiscs();
    rebuildBackground();
    rebuildComposite();
    showComposite();
    updateEdits();
    drawAllProjectors();
}

// --- clipboard ---------------------------------------------------------------------------

QImage TAddF::ClipboardImage() const
{
    if (!composite_.HasBitmap())
        return {};
    const int stripHeight = projoZone_->height();
    TDibPlus picture(W_, H_ + stripHeight);
    picture.Fill(kBlack);
    BitBlt(picture, 0, 0, composite_, RasterOp::Copy);
    BitBlt(picture, 0, H_, W_, stripHeight, strip_, 0, 0, RasterOp::Copy);
    return QImage(
        picture.Bits(), picture.Width(), picture.Height(), picture.Stride(), QImage::Format_BGR888)
        .copy();
}

} // namespace kaleno
