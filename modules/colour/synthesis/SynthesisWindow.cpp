#include "modules/colour/synthesis/SynthesisWindow.h"

#include "imaging/ImageBuffer.h"
#include "imaging/PaintBox.h"
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
constexpr int kBarWidth = 17;
constexpr int kBarHeight = 66;
constexpr int kEditWidth = 52;
constexpr int kColumnWidth = 80;
constexpr int kBarSmallStep = 2;
constexpr int kBarLargeStep = 20;
constexpr int kBarMax = 100;

const char *const kEditNames[3] = {"Redit", "GEdit", "BEdit"};
const char *const kLabelNames[3] = {"RLab", "GLab", "BLab"};

} // namespace

SynthesisWindow::SynthesisWindow(const Look &look, QWidget *parent)
    : ModuleWindow(look.className, look.helpKeyword, parent)
    , look_(look)
{
    setWindowTitle(look_.caption + QStringLiteral(" - ") + QLatin1String(kAppTitle));
    setMinimumSize(kMinOuterWidth, kMinOuterHeight);
    resize(640, 520);
    buildControls();
}

SynthesisWindow::~SynthesisWindow() = default;

void SynthesisWindow::buildControls()
{
    zone_ = new PaintBox(this);
    zone_->setObjectName(QStringLiteral("Zone"));
    zone_->setAccessibleName(QStringLiteral("Écran"));
    zone_->SetBackgroundColour(look_.paper);
    connect(zone_, &PaintBox::Paint, this, &SynthesisWindow::ZonePaint);
    connect(zone_, &PaintBox::MouseDown, this, &SynthesisWindow::ZoneMouseDown);
    connect(zone_, &PaintBox::MouseMove, this, &SynthesisWindow::ZoneMouseMove);
    connect(zone_, &PaintBox::MouseUp, this, &SynthesisWindow::ZoneMouseUp);
    connect(zone_, &PaintBox::Wheel, this,
        [this](int delta, Qt::KeyboardModifiers, int, int) { FormMouseWheel(delta); });

    stripZone_ = new PaintBox(this);
    stripZone_->setObjectName(QLatin1String(look_.stripName));
    stripZone_->setAccessibleName(look_.stripAccessibleName);
    stripZone_->SetBackgroundColour(look_.paper);
    connect(stripZone_, &PaintBox::Paint, this, [this] {
        if (shown_)
            drawStripAll();
        else
            stripZone_->Clear();
    });

    bottomPanel_ = new QWidget(this);
    bottomPanel_->setObjectName(QStringLiteral("BottomPanel"));
    ToolPanel()->setParent(bottomPanel_);

    etenduCheck_ = new QCheckBox(QStringLiteral(" Synthèse étendue"), bottomPanel_);
    etenduCheck_->setObjectName(QStringLiteral("EtenduCheck"));
    etenduCheck_->setAccessibleName(QStringLiteral("Synthèse étendue"));
    connect(etenduCheck_, &QCheckBox::clicked, this, &SynthesisWindow::EtenduCheckClick);
    linkCheck_ = new QCheckBox(QStringLiteral(" Lier les 3 composantes"), bottomPanel_);
    linkCheck_->setObjectName(QStringLiteral("LinkCheck"));
    linkCheck_->setAccessibleName(QStringLiteral("Lier les 3 composantes"));
    connect(linkCheck_, &QCheckBox::clicked, this, &SynthesisWindow::LinkCheckClick);

    for (int i = 0; i < 3; ++i) {
        auto *label = new QLabel(QString::fromUtf8(look_.labelTexts[i]), bottomPanel_);
        label->setObjectName(QLatin1String(kLabelNames[i]));
        barLabels_[i] = label;
        auto *bar = new QScrollBar(Qt::Vertical, bottomPanel_);
        bar->setObjectName(QLatin1String(look_.barNames[i]));
        bar->setAccessibleName(QString::fromUtf8(look_.barHints[i]).trimmed());
        bar->setToolTip(QString::fromUtf8(look_.barHints[i]));
        bar->setRange(0, kBarMax);
        bar->setSingleStep(kBarSmallStep);
        bar->setPageStep(kBarLargeStep);
        connect(bar, &QScrollBar::valueChanged, this, [this, bar] { BarChange(bar); });
        bars_[i] = bar;
        auto *edit = new QLineEdit(LevelText(100), bottomPanel_);
        edit->setObjectName(QLatin1String(kEditNames[i]));
        edit->setAccessibleName(QString::fromUtf8(look_.labelTexts[i]));
        edit->setReadOnly(true);
        edits_[i] = edit;
    }
}

// --- lifecycle ---------------------------------------------------------------------------

void SynthesisWindow::showEvent(QShowEvent *event)
{
    ModuleWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void SynthesisWindow::FormShow()
{
    prepareArt();
    levels_ = {100, 100, 100};
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
    setWindowTitle(look_.caption + QStringLiteral(" - ") + QLatin1String(kAppTitle));

    W_ = std::max(width() - kScreenWidthMargin, 1);
    H_ = std::max(height() - look_.showHeightMargin, 1);
    screenChanged();
    computeColours();
    setRadius(H_ / 6);
    background_ = TDibPlus(W_, H_);
    composite_ = TDibPlus(W_, H_);
    selected_ = 0;
    rebuildBackground();
    centres_ = InitialCentres(W_, H_, R_);
    for (int i = 0; i < 3; ++i)
        discMoved(i);
    updateEdits();
    shown_ = true;
    rebuildComposite();
    showComposite();
    drawStripAll();
}

void SynthesisWindow::resizeEvent(QResizeEvent *event)
{
    ModuleWindow::resizeEvent(event);
    FormResize();
}

void SynthesisWindow::FormResize()
{
    if (width() < kMinOuterWidth || height() < kMinOuterHeight) {
        resize(std::max(width(), kMinOuterWidth), std::max(height(), kMinOuterHeight));
        return;
    }
    W_ = width() - kScreenWidthMargin;
    H_ = height() - look_.resizeHeightMargin;
    zone_->setGeometry(kZoneLeft, kZoneTop, W_, H_);
    stripZone_->setGeometry(kZoneLeft, H_ + kZoneTop, W_, look_.stripHeight);
    screenChanged();

    const int panelTop = H_ + kZoneTop + look_.stripHeight;
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
    for (int i = 0; i < 3; ++i) {
        centres_[i] = ClampCentre(centres_[i].x, centres_[i].y, W_, H_, R_);
        discMoved(i);
    }
    if (shown_) {
        rebuildComposite();
        showComposite();
        drawStripAll();
    }
}

void SynthesisWindow::FormClose()
{
    shown_ = false;
    for (TDibPlus &disc : discs_)
        disc = TDibPlus(0, 0);
    background_ = TDibPlus(0, 0);
    composite_ = TDibPlus(0, 0);
    strip_ = TDibPlus(0, 0);
    releaseArt();
}

// --- drawing -----------------------------------------------------------------------------

void SynthesisWindow::setRadius(int wanted)
{
    R_ = ClampRadius(wanted, H_);
    diameter_ = 2 * R_;
    for (TDibPlus &disc : discs_)
        disc = TDibPlus(diameter_, diameter_);
    drawDiscs();
}

void SynthesisWindow::computeColours() { colours_ = discColours(levels_, extended_); }

void SynthesisWindow::drawDiscs()
{
    for (int i = 0; i < 3; ++i)
        drawDisc(i, discs_[i]);
}

void SynthesisWindow::rebuildBackground()
{
    background_.Fill(look_.paper);
    if (selected_ == 0)
        return;
    for (int i = 0; i < 3; ++i)
        if (i + 1 != selected_)
            BitBlt(background_, centres_[i].x - R_, centres_[i].y - R_, discs_[i], look_.mix);
}

void SynthesisWindow::rebuildComposite()
{
    if (selected_ == 0) {
        composite_.Fill(look_.paper);
        for (int i = 0; i < 3; ++i)
            BitBlt(composite_, centres_[i].x - R_, centres_[i].y - R_, discs_[i],
                i == 0 ? RasterOp::Copy : look_.mix);
        return;
    }
    BitBlt(composite_, 0, 0, background_, RasterOp::Copy);
    const int i = selected_ - 1;
    BitBlt(composite_, centres_[i].x - R_, centres_[i].y - R_, discs_[i], look_.mix);
}

void SynthesisWindow::showComposite()
{
    if (composite_.HasBitmap())
        zone_->Draw(composite_, 0, 0);
}

void SynthesisWindow::ZonePaint()
{
    if (!shown_) {
        zone_->Clear();
        return;
    }
    rebuildComposite();
    showComposite();
}

// A new radius redraws everything that depends on it.
void SynthesisWindow::renewRadiusView()
{
    rebuildBackground();
    rebuildComposite();
    showComposite();
}

// New levels: colours, discs and screen.
void SynthesisWindow::renewColours()
{
    computeColours();
    drawDiscs();
    rebuildBackground();
    rebuildComposite();
    showComposite();
}

void SynthesisWindow::drawStripOne(int i)
{
    if (!shown_ || !strip_.HasBitmap())
        return;
    drawStripItem(i, strip_);
    stripZone_->Draw(strip_, 0, 0);
}

void SynthesisWindow::drawStripAll()
{
    if (!shown_)
        return;
    if (strip_.Width() != W_ || strip_.Height() != look_.stripHeight)
        strip_ = TDibPlus(W_, look_.stripHeight);
    strip_.Fill(look_.paper);
    for (int i = 0; i < 3; ++i)
        drawStripItem(i, strip_);
    stripZone_->Draw(strip_, 0, 0);
}

void SynthesisWindow::updateEdits()
{
    for (int i = 0; i < 3; ++i)
        edits_[i]->setText(LevelText(levels_[i]));
}

// --- mouse -------------------------------------------------------------------------------

void SynthesisWindow::ZoneMouseDown(
    Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    if (!shown_)
        return;
    if (button == Qt::LeftButton) {
        selected_ = HitDisc(centres_, R_, x, y);
        rebuildBackground();
    } else if (button == Qt::RightButton) {
        const int before = R_;
        setRadius(RightClickRadius(R_, shift.testFlag(Qt::ControlModifier), H_));
        if (R_ != before)
            renewRadiusView();
    }
}

void SynthesisWindow::ZoneMouseMove(Qt::KeyboardModifiers, Qt::MouseButtons, int x, int y)
{
    if (!shown_ || selected_ == 0)
        return;
    const int i = selected_ - 1;
    centres_[i] = ClampCentre(x, y, W_, H_, R_);
    if (discMoved(i))
        drawStripOne(i);
    rebuildComposite();
    showComposite();
}

void SynthesisWindow::ZoneMouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int, int)
{
    if (!shown_)
        return;
    selected_ = 0;
    rebuildBackground();
}

void SynthesisWindow::wheelEvent(QWheelEvent *event)
{
    FormMouseWheel(event->angleDelta().y());
    event->accept();
}

void SynthesisWindow::FormMouseWheel(int delta)
{
    if (!shown_)
        return;
    // The wheel message carries the delta as a signed 16-bit word.
    const int before = R_;
    setRadius(WheelRadius(R_, static_cast<int16_t>(delta), H_));
    if (R_ != before)
        renewRadiusView();
}

// --- sliders and check boxes -------------------------------------------------------------

void SynthesisWindow::setBarsQuietly(int position)
{
    barsArmed_ = false;
    for (QScrollBar *bar : bars_)
        bar->setValue(position);
    barsArmed_ = true;
}

void SynthesisWindow::BarChange(QScrollBar *moved)
{
    if (!barsArmed_ || !shown_)
        return;
    if (linked_) {
        const int level = LevelFromPosition(moved->value());
        setBarsQuietly(PositionFromLevel(level));
        levels_ = {level, level, level};
    } else {
        for (int i = 0; i < 3; ++i)
            levels_[i] = LevelFromPosition(bars_[i]->value());
    }
    renewColours();
    // Linked, all three items change colour: all are redrawn, so none shows a stale one.
    if (linked_) {
        drawStripAll();
    } else {
        for (int i = 0; i < 3; ++i)
            if (bars_[i] == moved)
                drawStripOne(i);
    }
    updateEdits();
}

void SynthesisWindow::LinkCheckClick() { linked_ = linkCheck_->isChecked(); }

void SynthesisWindow::EtenduCheckClick()
{
    extended_ = etenduCheck_->isChecked();
    if (extended_) {
        linkCheck_->setEnabled(true);
        for (QScrollBar *bar : bars_)
            bar->setEnabled(true);
    } else {
        linkCheck_->setEnabled(false);
        setBarsQuietly(0);
        levels_ = {100, 100, 100};
        for (QScrollBar *bar : bars_)
            bar->setEnabled(false);
        if (shown_) {
            renewColours();
            updateEdits();
            drawStripAll();
        }
    }
    if (shown_)
        renewColours();
}

// --- clipboard ---------------------------------------------------------------------------

QImage SynthesisWindow::ClipboardImage() const
{
    if (!composite_.HasBitmap())
        return {};
    const int stripHeight = stripZone_->height();
    TDibPlus picture(W_, H_ + stripHeight);
    picture.Fill(look_.paper);
    BitBlt(picture, 0, 0, composite_, RasterOp::Copy);
    BitBlt(picture, 0, H_, W_, stripHeight, strip_, 0, 0, RasterOp::Copy);
    return ImageFromBuffer(picture);
}

} // namespace kaleno
