#include "modules/graphics/colourspaces/CouleurF.h"

#include "imaging/Canvas.h"
#include "imaging/ImageBuffer.h"
#include "imaging/PaintBox.h"
#include "imaging/RasterOps.h"
#include "platform/Clipboard.h"
#include "shell/Settings.h"
#include "shell/ShellValues.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QResizeEvent>
#include <QScrollBar>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QToolButton>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kaleno {

namespace {

constexpr int kGaugeHeight = 16;
constexpr int kLabelHeight = 14;
constexpr int kBarHeight = 16;
constexpr int kPanelHeight = 33;
constexpr double kChangeTolerance = 1e-6;
constexpr int kMinWidth = 550;
constexpr int kMinHeight = 440;

struct ComponentInfo {
    const char *bar;
    const char *gauge;
    const char *label;
    const char *prefix;
    double maximum;
    GaugeImage image;
    const char *hint;
};

// In the order of TCouleurF::Component.
const ComponentInfo kComponents[TCouleurF::kComponentCount] = {
    {"RBar", "RDis", "rLab", "Rouge ( max ", 1, GaugeImage::R, " Rouge - Système RVB"},
    {"GBar", "gDis", "gLab", "Vert ( max ", 1, GaugeImage::G, " Vert - Système RVB"},
    {"BBar", "bDis", "bLab", "Bleu ( max ", 1, GaugeImage::B, " Bleu - Système RVB"},
    {"c0Bar", "c0Dis", "c0Lab", "Cyan ( max ", 1, GaugeImage::C, " Cyan - Système CMJ"},
    {"m0Bar", "m0Dis", "m0Lab", "Magenta ( max ", 1, GaugeImage::M, " Magenta - Système CMJ"},
    {"y0Bar", "y0Dis", "y0Lab", "Jaune ( max ", 1, GaugeImage::Y, " Jaune - Système CMJ"},
    {"cBar", "cDis", "cLab", "Cyan ( max ", 1, GaugeImage::C, " Cyan - Système CMJN"},
    {"mBar", "mDis", "mLab", "Magenta ( max ", 1, GaugeImage::M, " Magenta - Système CMJN"},
    {"yBar", "yDis", "yLab", "Jaune ( max ", 1, GaugeImage::Y, " Jaune - Système CMJN"},
    {"kBar", "kDis", "kLab", "Noir ( max ", 1, GaugeImage::K, " Noir - Système CMJN"},
    {"hBar", "hDis", "hLab", "", 360, GaugeImage::H, " Teinte - Système TSV"},
    {"sBar", "sDis", "sLab", "Saturation ( max ", 1, GaugeImage::S, " Saturation - Système TSV"},
    {"vBar", "vDis", "vLab", "Valeur ( max ", 1, GaugeImage::V, " Valeur - Système TSV"},
};

const char *const kSystemTitles[4][2] = {{"RGBLab", "Système RVB"}, {"CMYLab", "Système CMJ"},
    {"CMYKLab", "Système CMJN"}, {"HSVLab", "Système TSV"}};

const QString kModuleName = QStringLiteral("Systèmes de mesure de la couleur");
const QString kHueUndefined = QStringLiteral("Teinte indéfinie");

QLabel *boldLabel(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setAccessibleName(text);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

// The largest font, no larger than the application's, in which `widest` fits `width`:
// narrow windows keep whole labels rather than clipped ones.
QFont fittedFont(bool bold, const QString &widest, int width)
{
    QFont font = QApplication::font();
    font.setBold(bold);
    int pixels = QFontInfo(font).pixelSize();
    while (pixels > 7 && QFontMetrics(font).horizontalAdvance(widest) > width)
        font.setPixelSize(--pixels);
    return font;
}

} // namespace

TCouleurF::TCouleurF(QWidget *parent)
    : ModuleWindow(QStringLiteral("TCouleurF"), QStringLiteral("MESURE"), parent)
{
    setWindowTitle(QStringLiteral(" Espaces des couleurs - ") + QLatin1String(kAppTitle));
    setMinimumSize(kMinWidth, kMinHeight);
    resize(640, 480);
    buildControls();
}

TCouleurF::~TCouleurF() = default;

void TCouleurF::buildControls()
{
    for (int i = 0; i < kComponentCount; ++i) {
        const ComponentInfo &info = kComponents[i];
        const QString hint = QString::fromUtf8(info.hint);
        Row &row = rows_[i];
        row.bar = new QScrollBar(Qt::Horizontal, this);
        row.bar->setObjectName(QLatin1String(info.bar));
        row.bar->setAccessibleName(hint.trimmed());
        row.bar->setToolTip(hint);
        row.bar->setRange(0, i == kH ? 3600 : 1000);
        row.bar->setSingleStep(1);
        row.bar->setPageStep(i == kH ? 100 : 10);
        row.gauge = new PaintBox(this);
        row.gauge->setObjectName(QLatin1String(info.gauge));
        row.gauge->setAccessibleName(hint.trimmed());
        connect(row.gauge, &PaintBox::Paint, this, [this, i] { BarresPaint(i); });
        row.label = new QLabel(this);
        row.label->setObjectName(QLatin1String(info.label));
    }
    connect(rows_[kR].bar, &QScrollBar::valueChanged, this, &TCouleurF::RBarChange);
    connect(rows_[kG].bar, &QScrollBar::valueChanged, this, &TCouleurF::GBarChange);
    connect(rows_[kB].bar, &QScrollBar::valueChanged, this, &TCouleurF::BBarChange);
    connect(rows_[kC0].bar, &QScrollBar::valueChanged, this, &TCouleurF::c0BarChange);
    connect(rows_[kM0].bar, &QScrollBar::valueChanged, this, &TCouleurF::m0BarChange);
    connect(rows_[kY0].bar, &QScrollBar::valueChanged, this, &TCouleurF::y0BarChange);
    connect(rows_[kC].bar, &QScrollBar::valueChanged, this, &TCouleurF::cBarChange);
    connect(rows_[kM].bar, &QScrollBar::valueChanged, this, &TCouleurF::mBarChange);
    connect(rows_[kY].bar, &QScrollBar::valueChanged, this, &TCouleurF::yBarChange);
    connect(rows_[kK].bar, &QScrollBar::valueChanged, this, &TCouleurF::kBarChange);
    connect(rows_[kH].bar, &QScrollBar::valueChanged, this, &TCouleurF::hBarChange);
    connect(rows_[kS].bar, &QScrollBar::valueChanged, this, &TCouleurF::sBarChange);
    connect(rows_[kV].bar, &QScrollBar::valueChanged, this, &TCouleurF::vBarChange);

    for (int i = 0; i < 4; ++i)
        systemTitles_[i]
            = boldLabel(this, kSystemTitles[i][0], QString::fromUtf8(kSystemTitles[i][1]));
    coulLab_ = boldLabel(this, "CoulLab", QStringLiteral("Couleur résultante"));
    cercleLab_ = boldLabel(this, "CercleLab", QStringLiteral("Disque Teinte - Saturation"));

    colorDisplay_ = new PaintBox(this);
    colorDisplay_->setObjectName(QStringLiteral("ColorDisplay"));
    colorDisplay_->setAccessibleName(QStringLiteral("Couleur composée"));
    colorDisplay_->setToolTip(QStringLiteral(" Couleur composée"));
    connect(colorDisplay_, &PaintBox::Paint, this, &TCouleurF::ColorDisplayPaint);

    cDisplay_ = new PaintBox(this);
    cDisplay_->setObjectName(QStringLiteral("CDisplay"));
    cDisplay_->setAccessibleName(QStringLiteral("Disque Teinte-Saturation pour une Valeur"));
    cDisplay_->setToolTip(QStringLiteral("Disque Teinte-Saturation pour une Valeur"));
    connect(cDisplay_, &PaintBox::Paint, this, &TCouleurF::CDisplayPaint);
    connect(cDisplay_, &PaintBox::MouseDown, this, &TCouleurF::CDisplayMouseDown);
    connect(cDisplay_, &PaintBox::MouseMove, this, &TCouleurF::CDisplayMouseMove);

    for (auto &bevel : verticalBevels_) {
        bevel = new QFrame(this);
        bevel->setFrameShape(QFrame::VLine);
        bevel->setFrameShadow(QFrame::Sunken);
    }
    for (auto &bevel : horizontalBevels_) {
        bevel = new QFrame(this);
        bevel->setFrameShape(QFrame::HLine);
        bevel->setFrameShadow(QFrame::Sunken);
    }

    copyTxtBout_ = AddToolButton(QStringLiteral("CopyTxtBout"), QStringLiteral("Texte"),
        QStringLiteral(" Obtenir la couleur sous la forme d'un texte dans le presse-papiers"));
    connect(copyTxtBout_, &QToolButton::clicked, this, &TCouleurF::CopyTxtBoutClick);

    auto *panelLayout = qobject_cast<QHBoxLayout *>(ToolPanel()->layout());
    composCombo_ = new QComboBox(ToolPanel());
    composCombo_->setObjectName(QStringLiteral("ComposCombo"));
    composCombo_->setAccessibleName(QStringLiteral("Format des composantes"));
    composCombo_->setToolTip(QStringLiteral(" Format des composantes"));
    composCombo_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    composCombo_->addItems({QStringLiteral(" Composantes de 0 à 1"),
        QStringLiteral(" Composantes de 0 à 100%"), QStringLiteral(" Composantes de 0 à 255")});
    connect(composCombo_, &QComboBox::currentIndexChanged, this, &TCouleurF::ComposComboChange);

    hexaCheck_ = new QCheckBox(QStringLiteral(" Afficher code hexadécimal "), ToolPanel());
    hexaCheck_->setObjectName(QStringLiteral("HexaCheck"));
    hexaCheck_->setAccessibleName(QStringLiteral("Afficher code hexadécimal"));
    hexaCheck_->setToolTip(
        QStringLiteral(" Afficher/ cacher le code hexadécimal de la couleur résultante"));
    connect(hexaCheck_, &QCheckBox::toggled, this, &TCouleurF::HexaCheckClick);

    hexaEd_ = new QLineEdit(ToolPanel());
    hexaEd_->setObjectName(QStringLiteral("HexaEd"));
    hexaEd_->setAccessibleName(QStringLiteral("Code hexadécimal"));
    hexaEd_->setReadOnly(true);
    hexaEd_->setFixedWidth(
        hexaEd_->fontMetrics().horizontalAdvance(QStringLiteral("#DDDDDDD")) + 12);
    hexaEd_->setVisible(false);

    if (panelLayout) {
        panelLayout->addSpacing(12);
        panelLayout->addWidget(composCombo_);
        panelLayout->addSpacing(12);
        panelLayout->addWidget(hexaCheck_);
        panelLayout->addWidget(hexaEd_);
        panelLayout->addStretch(1);
    }
}

// --- lifecycle ---------------------------------------------------------------------------

void TCouleurF::showEvent(QShowEvent *event)
{
    ModuleWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TCouleurF::FormShow()
{
    Settings &settings = AppSettings();
    format_ = std::clamp(settings.ComposIndex, 0, kComponentFormatCount - 1);
    {
        const QSignalBlocker blockCheck(hexaCheck_);
        const QSignalBlocker blockCombo(composCombo_);
        hexaCheck_->setChecked(settings.HexaFlag);
        composCombo_->setCurrentIndex(format_);
    }
    hexaEd_->setVisible(settings.HexaFlag);
    gaugeImages_.assign(kGaugeImageCount, TDibPlus(gaugeWidth_, kGaugeHeight));
    work_ = TDibPlus(gaugeWidth_, kGaugeHeight);
    discBitmap_ = TDibPlus(discSide_, discSide_);
    BuildCursor(cursor_, cursorMask_);
    previousH_ = previousS_ = previousV_ = -1;
    source_ = kSourceAll;
    barsEnabled_ = true;
    TColorToColour(settings.HSVColor, state_.r, state_.g, state_.b);
    shown_ = true;
    FormResize();
}

void TCouleurF::resizeEvent(QResizeEvent *event)
{
    ModuleWindow::resizeEvent(event);
    FormResize();
}

void TCouleurF::FormResize()
{
    // Never narrower than high: the three columns need the width.
    if (width() < height()) {
        resize(height(), height());
        return;
    }
    if (isVisible() && shown_)
        layoutControls();
}

void TCouleurF::FormClose()
{
    gaugeImages_.clear();
    work_ = TDibPlus(0, 0);
    discBuffer_ = TDibPlus(0, 0);
    discBitmap_ = TDibPlus(0, 0);
    swatch_ = TDibPlus(0, 0);
    cursor_ = TDibPlus(0, 0);
    cursorMask_ = TDibPlus(0, 0);
    shown_ = false;
}

void TCouleurF::layoutControls()
{
    const int CW = width();
    const int CH = height();
    const int A = CH - 30;
    const int W3 = CW / 3;
    const int m = W3 / 10;
    const int GW = std::max(W3 - 2 * m, 1);
    const int A2 = A / 2;
    const int mv = A2 / 10;
    const int RS = (A - 2 * mv) / 7;
    const int D = std::max(std::min(GW, A2 - 2 * mv), 1);
    gaugeWidth_ = GW;
    discSide_ = D;
    swatchWidth_ = GW;
    swatchHeight_ = std::max(2 * RS, 1);

    // Labels may run into the column's right margin: component texts are long.
    const int labelWidth = W3 - m - 3;
    const QFont labelFont
        = fittedFont(false, QStringLiteral("Saturation ( max 100 %  ) : 100,0%"), labelWidth);
    const QFont titleFont
        = fittedFont(true, QStringLiteral("Disque Teinte - Saturation"), labelWidth);
    for (Row &row : rows_)
        row.label->setFont(labelFont);
    for (QLabel *title : systemTitles_)
        title->setFont(titleFont);
    coulLab_->setFont(titleFont);
    cercleLab_->setFont(titleFont);
    const auto placeRow = [&](Component component, int left, int y) {
        Row &row = rows_[component];
        row.label->setGeometry(left, y - kLabelHeight - 1, labelWidth, kLabelHeight + 1);
        row.gauge->setGeometry(left, y, GW, kGaugeHeight);
        row.bar->setGeometry(left, y + 17, GW, kBarHeight);
    };
    const auto placeTitle = [&](QLabel *title, int left, int y) {
        title->setGeometry(left, y, labelWidth, title->sizeHint().height());
    };
    const int left0 = m, left1 = W3 + m, left2 = 2 * W3 + m;

    for (int i = 0; i < 3; ++i) {
        placeRow(Component(kC0 + i), left0, 2 * mv + i * RS);
        placeRow(Component(kR + i), left0, 2 * mv + (4 + i) * RS);
        placeRow(Component(kH + i), left2, 2 * mv + (4 + i) * RS);
    }
    for (int i = 0; i < 4; ++i)
        placeRow(Component(kC + i), left1, 2 * mv + (3 + i) * RS);
    placeTitle(systemTitles_[1], left0, 2 * mv - 35);
    placeTitle(systemTitles_[0], left0, 2 * mv + 4 * RS - 35);
    placeTitle(systemTitles_[2], left1, 2 * mv + 3 * RS - 35);
    placeTitle(systemTitles_[3], left2, 2 * mv + 4 * RS - 35);
    placeTitle(coulLab_, left1, mv - 16);
    placeTitle(cercleLab_, left2, mv - 16);
    colorDisplay_->setGeometry(left1, mv, swatchWidth_, swatchHeight_);
    cDisplay_->setGeometry(left2 + (GW - D) / 2, mv, D, D);
    verticalBevels_[0]->setGeometry(W3 - 1, 10, 2, A - 20);
    verticalBevels_[1]->setGeometry(2 * W3 - 1, 10, 2, A - 20);
    horizontalBevels_[0]->setGeometry(left0, A2, GW, 2);
    horizontalBevels_[1]->setGeometry(left1, 2 * RS + 2 * mv, GW, 2);
    horizontalBevels_[2]->setGeometry(left2, A2, GW, 2);
    ToolPanel()->setGeometry(0, CH - kPanelHeight, CW, kPanelHeight);

    gaugeImages_.assign(kGaugeImageCount, TDibPlus(GW, kGaugeHeight));
    work_ = TDibPlus(GW, kGaugeHeight);
    discBitmap_ = TDibPlus(D, D);
    swatch_ = TDibPlus(swatchWidth_, swatchHeight_);
    discBuffer_ = TDibPlus(D, D);
    previousH_ = previousS_ = previousV_ = -1;
    for (GaugeImage kind : {GaugeImage::R, GaugeImage::G, GaugeImage::B, GaugeImage::C,
             GaugeImage::M, GaugeImage::Y, GaugeImage::K})
        BuildFixedGauge(gaugeImages_[static_cast<std::size_t>(kind)], kind);
    source_ = kSourceAll;
    Recompute();
}

// --- the central routine -----------------------------------------------------------------

double &TCouleurF::componentField(Component component)
{
    static constexpr double ColourState::*fields[kComponentCount]
        = {&ColourState::r, &ColourState::g, &ColourState::b, &ColourState::c0, &ColourState::m0,
            &ColourState::y0, &ColourState::c, &ColourState::m, &ColourState::y, &ColourState::k,
            &ColourState::h, &ColourState::s, &ColourState::v};
    return state_.*fields[component];
}

double TCouleurF::componentValue(Component component) const
{
    return const_cast<TCouleurF *>(this)->componentField(component);
}

void TCouleurF::setBars(Component first, Component last)
{
    barsEnabled_ = false;
    for (int i = first; i <= last; ++i) {
        const double scale = i == kH ? 10 : 1000;
        rows_[i].bar->setValue(RoundEven(componentValue(Component(i)) * scale));
    }
    barsEnabled_ = true;
}

void TCouleurF::setHsvBars() { setBars(kH, kV); }

void TCouleurF::Recompute()
{
    const SourceSystem source = source_;
    switch (source) {
    case kSourceAll:
    case kSourceRGB:
        RGBtoCMY(state_);
        RGBtoCMYK(state_);
        RGBtoHSV(state_);
        break;
    case kSourceCMY:
        CMYtoRGB(state_);
        RGBtoCMYK(state_);
        RGBtoHSV(state_);
        break;
    case kSourceCMYK:
        CMYKtoRGB(state_);
        RGBtoCMY(state_);
        RGBtoHSV(state_);
        break;
    case kSourceHSV:
        // HSV stays as the user set it, so a picked hue survives where RGB would give another.
        HSVtoRGB(state_);
        RGBtoCMY(state_);
        RGBtoCMYK(state_);
        break;
    }
    if (source != kSourceRGB)
        setBars(kR, kB);
    if (source != kSourceCMY)
        setBars(kC0, kY0);
    if (source != kSourceCMYK)
        setBars(kC, kK);
    setHsvBars();

    AppSettings().HSVColor = ColourToTColor(state_.r, state_.g, state_.b);
    source_ = kSourceAll;
    rewriteLabels();

    if (!shown_ || gaugeImages_.size() != kGaugeImageCount)
        return;
    const auto gauge = [this](GaugeImage kind) -> TDibPlus & {
        return gaugeImages_[static_cast<std::size_t>(kind)];
    };
    const float h = static_cast<float>(state_.h);
    const float s = static_cast<float>(state_.s);
    const float v = static_cast<float>(state_.v);
    bool rebuildH = false, rebuildS = false, rebuildV = false;
    if (std::abs(state_.h - previousH_) > kChangeTolerance)
        rebuildS = rebuildV = true;
    if (std::abs(state_.s - previousS_) > kChangeTolerance)
        rebuildH = rebuildV = true;
    if (std::abs(state_.v - previousV_) > kChangeTolerance) {
        BuildDisc(discBuffer_, v, palette().color(QPalette::Button).rgb() & 0xFFFFFFu);
        rebuildH = rebuildS = true;
    }
    if (rebuildH)
        BuildHsvGauge(gauge(GaugeImage::H), GaugeImage::H, h, s, v);
    if (rebuildS)
        BuildHsvGauge(gauge(GaugeImage::S), GaugeImage::S, h, s, v);
    if (rebuildV)
        BuildHsvGauge(gauge(GaugeImage::V), GaugeImage::V, h, s, v);
    previousH_ = state_.h;
    previousS_ = state_.s;
    previousV_ = state_.v;

    CDisplayPaint();
    swatch_.Fill(SwapRB(AppSettings().HSVColor));
    ColorDisplayPaint();
    for (int i = 0; i < kComponentCount; ++i)
        BarresPaint(i);
}

void TCouleurF::rewriteLabels()
{
    const QString maximum = MaxCaption(format_);
    for (int i = 0; i < kComponentCount; ++i) {
        QString text;
        if (i == kH)
            text = state_.hueUndefined
                ? kHueUndefined
                : QStringLiteral("Teinte ( max 360,0 ° ) : ") + FormatTeinte(state_.h);
        else
            text = QString::fromUtf8(kComponents[i].prefix) + maximum + QStringLiteral(" ) : ")
                + FormatCompos(componentValue(Component(i)), format_);
        rows_[i].label->setText(text);
        rows_[i].label->setAccessibleName(text);
    }
    if (AppSettings().HexaFlag)
        hexaEd_->setText(HexCode(AppSettings().HSVColor));
}

// --- bars --------------------------------------------------------------------------------

void TCouleurF::componentBarChange(Component component, SourceSystem source)
{
    if (!barsEnabled_)
        return;
    componentField(component) = rows_[component].bar->value() * 0.001;
    source_ = source;
    Recompute();
}

void TCouleurF::RBarChange() { componentBarChange(kR, kSourceRGB); }
void TCouleurF::GBarChange() { componentBarChange(kG, kSourceRGB); }
void TCouleurF::BBarChange() { componentBarChange(kB, kSourceRGB); }
void TCouleurF::c0BarChange() { componentBarChange(kC0, kSourceCMY); }
void TCouleurF::m0BarChange() { componentBarChange(kM0, kSourceCMY); }
void TCouleurF::y0BarChange() { componentBarChange(kY0, kSourceCMY); }
void TCouleurF::cBarChange() { componentBarChange(kC, kSourceCMYK); }
void TCouleurF::mBarChange() { componentBarChange(kM, kSourceCMYK); }
void TCouleurF::yBarChange() { componentBarChange(kY, kSourceCMYK); }
void TCouleurF::kBarChange() { componentBarChange(kK, kSourceCMYK); }

void TCouleurF::hBarChange()
{
    // An undefined hue has no meaning to change.
    if (!barsEnabled_ || state_.hueUndefined)
        return;
    state_.h = rows_[kH].bar->value() * 0.1;
    source_ = kSourceHSV;
    Recompute();
}

void TCouleurF::sBarChange()
{
    if (!barsEnabled_)
        return;
    state_.s = rows_[kS].bar->value() * 0.001;
    state_.hueUndefined = state_.s < kHueEpsilon;
    source_ = kSourceHSV;
    Recompute();
}

void TCouleurF::vBarChange() { componentBarChange(kV, kSourceHSV); }

// --- disc, wheel, format -----------------------------------------------------------------

void TCouleurF::pickOnDisc(int x, int y)
{
    const int D = discSide_;
    const int R = D / 2;
    if (R <= 0)
        return;
    x = std::clamp(x, 0, D - 1);
    y = std::clamp(y, 0, D - 1);
    const double dx = x - R;
    const double dy = R - y;
    const double dist = std::min(std::sqrt(dx * dx + dy * dy), double(R));
    state_.s = dist / R;
    state_.h = std::atan2(dy, dx) * 180 * (1 / std::numbers::pi);
    if (state_.h < 0)
        state_.h += 360;
    state_.hueUndefined = state_.s < kHueEpsilon;
    setHsvBars();
    source_ = kSourceHSV;
    Recompute();
}

void TCouleurF::CDisplayMouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)
{
    pickOnDisc(x, y);
}

void TCouleurF::CDisplayMouseMove(Qt::KeyboardModifiers, Qt::MouseButtons buttons, int x, int y)
{
    if (buttons & Qt::LeftButton)
        pickOnDisc(x, y);
}

void TCouleurF::FormMouseWheel(int delta)
{
    if (state_.hueUndefined)
        return;
    // Two degrees a notch; the hue wraps at the ends of the bar.
    state_.h += std::trunc(delta / 60.0);
    if (state_.h < 0)
        state_.h = 360;
    else if (state_.h > 360)
        state_.h = 0;
    setBars(kH, kH);
    source_ = kSourceHSV;
    Recompute();
}

bool TCouleurF::eventFilter(QObject *watched, QEvent *event)
{
    // The window takes the wheel before any of its controls, whichever is under the mouse.
    if (event->type() == QEvent::Wheel && shown_) {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && (widget == this || isAncestorOf(widget)) && widget->window() == this) {
            FormMouseWheel(static_cast<QWheelEvent *>(event)->angleDelta().y());
            return true;
        }
    }
    return ModuleWindow::eventFilter(watched, event);
}

void TCouleurF::ComposComboChange(int index)
{
    format_ = std::clamp(index, 0, kComponentFormatCount - 1);
    AppSettings().ComposIndex = format_;
    Recompute();
}

void TCouleurF::HexaCheckClick()
{
    AppSettings().HexaFlag = hexaCheck_->isChecked();
    hexaEd_->setVisible(AppSettings().HexaFlag);
    rewriteLabels();
}

// --- painting ----------------------------------------------------------------------------

void TCouleurF::ColorDisplayPaint()
{
    if (swatch_.HasBitmap())
        colorDisplay_->Draw(swatch_, 0, 0);
}

void TCouleurF::drawDiscCursor()
{
    BitBlt(discBitmap_, 0, 0, discBuffer_, RasterOp::Copy);
    if (state_.hueUndefined)
        return;
    const int R = discSide_ / 2;
    const int rr = RoundEven(R * state_.s);
    Canvas canvas(discBitmap_);
    canvas.SetPen(0xC0C0C0);
    canvas.SetBrushStyle(BrushStyle::Clear);
    if (R > rr)
        canvas.Ellipse(R - rr, R - rr, R + rr, R + rr);
    const double theta = state_.h * (1.0 / 180) * std::numbers::pi;
    canvas.SetPen(0x808080);
    canvas.MoveTo(R, R);
    canvas.LineTo(R + RoundEven(std::cos(theta) * R), R - RoundEven(std::sin(theta) * R));
}

void TCouleurF::CDisplayPaint()
{
    if (!discBuffer_.HasBitmap() || !discBitmap_.HasBitmap())
        return;
    drawDiscCursor();
    cDisplay_->Draw(discBitmap_, 0, 0);
}

void TCouleurF::BarresPaint(int component)
{
    if (component < 0 || component >= kComponentCount || !work_.HasBitmap()
        || gaugeImages_.size() != kGaugeImageCount)
        return;
    const ComponentInfo &info = kComponents[component];
    BitBlt(work_, 0, 0, gaugeImages_[static_cast<std::size_t>(info.image)], RasterOp::Copy);
    const int x = RoundEven(gaugeWidth_ * componentValue(Component(component)) / info.maximum) - 4;
    BitBlt(work_, x, 0, cursorMask_, RasterOp::Or);
    BitBlt(work_, x, 0, cursor_, RasterOp::And);
    rows_[component].gauge->Draw(work_, 0, 0);
}

// --- clipboard ---------------------------------------------------------------------------

QImage TCouleurF::ClipboardImage() const { return ImageFromBuffer(swatch_); }

QString TCouleurF::ColourText() const
{
    const QString crlf = QStringLiteral("\r\n");
    const auto compos = [this](double x) { return FormatCompos(x, format_); };
    const QString blank = QStringLiteral(" ");
    QString text = QStringLiteral("Module \"") + kModuleName + QStringLiteral("\"") + crlf + crlf;
    text += QStringLiteral("Code hexadécimal : #")
        + HexCode(ColourToTColor(state_.r, state_.g, state_.b)).mid(1) + crlf;
    text += QStringLiteral("Composantes RVB : ") + compos(state_.r) + blank + compos(state_.g)
        + blank + compos(state_.b) + crlf;
    text += QStringLiteral("Composantes CMJ : ") + compos(state_.c0) + blank + compos(state_.m0)
        + blank + compos(state_.y0) + crlf;
    text += QStringLiteral("Composantes CMJN : ") + compos(state_.c) + blank + compos(state_.m)
        + blank + compos(state_.y) + blank + compos(state_.k) + crlf;
    text += QStringLiteral("Composantes TSV : ")
        + (state_.hueUndefined ? kHueUndefined + blank : FormatTeinte(state_.h) + blank)
        + compos(state_.s) + blank + compos(state_.v) + crlf;
    return text;
}

void TCouleurF::CopyTxtBoutClick() { platform::PutText(ColourText()); }

} // namespace kaleno
