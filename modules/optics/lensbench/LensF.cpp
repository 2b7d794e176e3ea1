#include "modules/optics/lensbench/LensF.h"

#include "imaging/Canvas.h"
#include "imaging/ImageBuffer.h"
#include "imaging/PaintBox.h"
#include "imaging/RasterOps.h"
#include "modules/optics/lensbench/ButtonGlyphs.h"
#include "modules/optics/lensbench/LensBenchRules.h"
#include "modules/optics/lenseditor/ChoixGeoF.h"
#include "modules/optics/lenseditor/LensEdF.h"
#include "shell/Bitmaps.h"
#include "shell/Settings.h"
#include "shell/ShellValues.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cmath>
#include <span>
#include <utility>

namespace kaleno {

using namespace lensbench;

namespace {

constexpr int kDisplayLeft = 4;
constexpr int kDisplayTop = 4;
constexpr int kPanelHeight = 110;
constexpr int kWidthMargin = 10;
constexpr int kHeightMargin = 118;
constexpr int kMinWindowWidth = 350;
constexpr int kMinWindowHeight = 300;
constexpr int kDesignWidth = 601;
constexpr int kDesignHeight = 326;
constexpr int kRowHeight = 22;
constexpr int kComboTop = 32;
constexpr int kLensRowTop = 58;
constexpr int kBevelTop = 84;
constexpr int kBevelInset = 5; // the bevel is 10 pixels narrower than the panel
constexpr int kLabelInset = 4; // the label 8 pixels narrower than the bevel
constexpr int kTextLeft = 5;
constexpr int kTextTop = 5;
constexpr int kTextLineStep = 13;
constexpr int kHandleOffset = 4; // a 9 x 9 handle is centred on its point
constexpr int kBlinkMilliseconds = 300;
// Beyond this height (cm) a ray is off any drawing: it is cut there, so that a nearly
// vertical ray still maps to pixel coordinates the canvas accepts.
constexpr double kFarLimit = 1e4;

QString windowCaption()
{
    return QStringLiteral(" Lentilles épaisses - ") + QLatin1String(kAppTitle);
}

// A 9 x 9 handle picture as a pixel buffer; a missing resource gives a black mask and a
// white colour image, which leave the drawing untouched rather than failing.
TDibPlus handleImage(const QString &name, uint32_t fallback)
{
    const QImage image = LoadResourceBitmap(name);
    if (image.isNull()) {
        TDibPlus blank(9, 9);
        blank.Fill(fallback);
        return blank;
    }
    return BufferFromImage(image);
}

// The point where the segment from → to leaves the band |y| <= kFarLimit.
WorldPoint cutAtFarLimit(WorldPoint from, WorldPoint to)
{
    const double limit = to.y > 0 ? kFarLimit : -kFarLimit;
    const double t = (limit - from.y) / (to.y - from.y);
    return {from.x + t * (to.x - from.x), limit};
}

QPolygon rayPolyline(const RayPath &ray, const ViewTransform &view)
{
    QPolygon line;
    WorldPoint previous = ray.p[0];
    for (std::size_t i = 0; i < ray.p.size(); ++i) {
        WorldPoint p = ray.p[i];
        if (!std::isfinite(p.x) || !std::isfinite(p.y))
            break;
        const bool far = std::abs(p.y) > kFarLimit && std::abs(previous.y) <= kFarLimit;
        if (far)
            p = cutAtFarLimit(previous, p);
        line << QPoint(view.Column(p.x), view.Row(p.y));
        if (far)
            break;
        previous = p;
    }
    return line;
}

// The message cut at its end, with "...", until it is no wider than `width`.
QString fittedText(const QString &text, const QFontMetrics &metrics, int width)
{
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    const QString ellipsis = QStringLiteral("...");
    for (qsizetype kept = text.size() - 1; kept > 0; --kept) {
        const QString candidate = text.left(kept) + ellipsis;
        if (metrics.horizontalAdvance(candidate) <= width)
            return candidate;
    }
    return ellipsis;
}

bool isWaiting(int mode)
{
    return mode == TLensF::kCurvatureWaiting || mode == TLensF::kThicknessWaiting
        || mode == TLensF::kHeightWaiting;
}

} // namespace

TLensF::TLensF(QWidget *parent)
    : ModuleWindow(QStringLiteral("TLensF"), QStringLiteral("Lens"), parent)
    , model_(std::make_unique<LensModel>())
{
    setWindowTitle(windowCaption());
    setFont(QFont(QStringLiteral("Arial"), 8));
    setMinimumSize(kMinWindowWidth, kMinWindowHeight);
    buildControls();
    fillFixedLists();
    updateEnabling();
    resize(kDesignWidth, kDesignHeight);
}

TLensF::~TLensF() = default;

void TLensF::buildControls()
{
    display_ = new PaintBox(this);
    display_->setObjectName(QStringLiteral("Display"));
    display_->setAccessibleName(QStringLiteral("Banc d'optique"));
    display_->SetBackgroundColour(0);
    connect(display_, &PaintBox::Paint, this, &TLensF::DisplayPaint);
    connect(display_, &PaintBox::MouseDown, this, &TLensF::DisplayMouseDown);
    connect(display_, &PaintBox::MouseMove, this, &TLensF::DisplayMouseMove);
    connect(display_, &PaintBox::MouseUp, this, &TLensF::DisplayMouseUp);

    panel_ = new QWidget(this);
    panel_->setObjectName(QStringLiteral("Panel"));
    panel_->setAccessibleName(QStringLiteral("Outils"));
    ToolPanel()->setParent(panel_);

    changeHBout_ = AddToolButton(QStringLiteral("ChangeHBout"), QStringLiteral("Hauteur"),
        QStringLiteral(" Modifier la hauteur de la lentille"));
    changeLensBout_ = AddToolButton(QStringLiteral("ChangeLensBout"), QStringLiteral("Courbure"),
        QStringLiteral(" Modifier la courbure de l'un des dioptres"));
    changeEpBout_ = AddToolButton(QStringLiteral("ChangeEpBout"), QStringLiteral("Epaisseur"),
        QStringLiteral(" Modifier l'épaisseur de la lentille"));
    for (QToolButton *toggle : {changeHBout_, changeLensBout_, changeEpBout_})
        toggle->setCheckable(true);
    connect(changeHBout_, &QToolButton::clicked, this, &TLensF::ChangeHBoutClick);
    connect(changeLensBout_, &QToolButton::clicked, this, &TLensF::ChangeLensBoutClick);
    connect(changeEpBout_, &QToolButton::clicked, this, &TLensF::ChangeEpBoutClick);

    speedButton1_ = AddToolButton(QStringLiteral("SpeedButton1"), QStringLiteral("Couleurs"),
        QStringLiteral(" Modifier les couleurs utilisées"));
    connect(speedButton1_, &QToolButton::clicked, this, &TLensF::SpeedButton1Click);
    centrerBout_ = AddToolButton(QStringLiteral("CentrerBout"), QStringLiteral("Centrer"),
        QStringLiteral(" Centrer le faisceau sur l'axe optique"));
    connect(centrerBout_, &QToolButton::clicked, this, &TLensF::CentrerBoutClick);

    // Pictures rather than words, so that the tool bar fits the narrowest window.
    const QColor ink = palette().color(QPalette::ButtonText);
    const std::pair<QToolButton *, Glyph> glyphs[] = {{changeHBout_, Glyph::Height},
        {changeLensBout_, Glyph::Curvature}, {changeEpBout_, Glyph::Thickness},
        {speedButton1_, Glyph::Colours}, {centrerBout_, Glyph::Centre}};
    for (const auto &[button, glyph] : glyphs) {
        button->setIcon(GlyphIcon(glyph, ink));
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }

    const auto makeCombo = [this](const char *name, const QString &accessible) {
        auto *combo = new QComboBox(panel_);
        combo->setObjectName(QLatin1String(name));
        combo->setAccessibleName(accessible);
        return combo;
    };
    nbRayCombo_ = makeCombo("NBRayCombo", QStringLiteral("Nombre de rayons"));
    lFasciCombo_ = makeCombo("LFasciCombo", QStringLiteral("Largeur du faisceau"));
    typeFasciCombo_ = makeCombo("TypeFasciCombo", QStringLiteral("Type de faisceau"));
    lensCombo_ = makeCombo("LensCombo", QStringLiteral("Lentille"));
    connect(nbRayCombo_, &QComboBox::currentIndexChanged, this, &TLensF::NBRayComboChange);
    connect(lFasciCombo_, &QComboBox::currentIndexChanged, this, &TLensF::LFasciComboChange);
    connect(typeFasciCombo_, &QComboBox::currentIndexChanged, this, &TLensF::TypeFasciComboChange);
    connect(lensCombo_, &QComboBox::currentIndexChanged, this, &TLensF::LensComboChange);

    lensTextCheck_ = new QCheckBox(QStringLiteral(" Afficher les paramètres"), panel_);
    lensTextCheck_->setObjectName(QStringLiteral("LensTextCheck"));
    lensTextCheck_->setAccessibleName(QStringLiteral("Afficher les paramètres"));
    connect(lensTextCheck_, &QCheckBox::clicked, this, &TLensF::LensTextCheckClick);

    addBout_ = new QPushButton(QStringLiteral(" Ajouter à la liste"), panel_);
    addBout_->setObjectName(QStringLiteral("AddBout"));
    addBout_->setAccessibleName(QStringLiteral("Ajouter la lentille courante à la liste"));
    addBout_->setToolTip(QStringLiteral(" Ajouter la lentille courante à la liste"));
    connect(addBout_, &QPushButton::clicked, this, &TLensF::AddBoutClick);

    bevel_ = new QFrame(panel_);
    bevel_->setObjectName(QStringLiteral("Bevel1"));
    bevel_->setFrameShape(QFrame::Panel);
    bevel_->setFrameShadow(QFrame::Sunken);
    messLab_ = new QLabel(bevel_);
    messLab_->setObjectName(QStringLiteral("MessLab"));
    messLab_->setAccessibleName(QStringLiteral("Ligne d'état"));

    flash_ = new QTimer(this);
    flash_->setObjectName(QStringLiteral("Flash"));
    flash_->setInterval(kBlinkMilliseconds);
    connect(flash_, &QTimer::timeout, this, &TLensF::FlashTimer);
}

void TLensF::fillFixedLists()
{
    const QSignalBlocker blockRays(nbRayCombo_);
    const QSignalBlocker blockWidths(lFasciCombo_);
    const QSignalBlocker blockKinds(typeFasciCombo_);
    for (const int count : kRayCounts)
        nbRayCombo_->addItem(RayCountItem(count));
    for (int width = 0; width < 3; ++width)
        lFasciCombo_->addItem(BeamWidthItem(width));
    for (int kind = 0; kind < 7; ++kind)
        typeFasciCombo_->addItem(BeamKindItem(kind));
}

void TLensF::SetDialogs(TLensEdF *editor, TChoixGeoF *colours)
{
    editor_ = editor;
    colours_ = colours;
    updateEnabling();
}

void TLensF::updateEnabling()
{
    const bool modifiable = AppSettings().LensModiFlag;
    lensTextCheck_->setEnabled(modifiable);
    addBout_->setEnabled(modifiable && editor_);
    speedButton1_->setEnabled(!colours_.isNull());
}

// --- lifecycle ---------------------------------------------------------------------------

void TLensF::showEvent(QShowEvent *event)
{
    ModuleWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TLensF::FormShow()
{
    editMode_ = kBeam;
    for (QToolButton *toggle : {changeHBout_, changeLensBout_, changeEpBout_})
        toggle->setChecked(false);
    display_->unsetCursor();
    setWindowTitle(windowCaption());
    carreR_ = handleImage(QStringLiteral("CarreR"), 0xFFFFFF);
    carreM_ = handleImage(QStringLiteral("CarreM"), 0xFFFFFF);
    carreNB_ = handleImage(QStringLiteral("CarreNB"), 0x000000);
    model_->beam.slope = kInitialSlope;
    model_->beam.intercept = kInitialIntercept;
    messageIndex_ = 0;
    lastShown_ = -1;
    if (!firstShow_) {
        firstShow_ = true;
        computeView();
    }
    rebuildLensCombo();
    selectSettingsItems();
    updateEnabling();
    Redraw();
}

void TLensF::resizeEvent(QResizeEvent *event)
{
    ModuleWindow::resizeEvent(event);
    FormResize();
}

void TLensF::FormResize()
{
    if (width() < kMinWindowWidth || height() < kMinWindowHeight) {
        resize(std::max(width(), kMinWindowWidth), std::max(height(), kMinWindowHeight));
        return;
    }
    computeView();
}

void TLensF::computeView()
{
    W_ = std::max(width() - kWidthMargin, 1);
    H_ = std::max(height() - kHeightMargin, 1);
    display_->setGeometry(kDisplayLeft, kDisplayTop, W_, H_);

    const int panelWidth = width();
    panel_->setGeometry(0, height() - kPanelHeight, panelWidth, kPanelHeight);
    ToolPanel()->adjustSize();
    ToolPanel()->move(kDisplayLeft, 2);
    const int inner = panelWidth - 2 * kDisplayLeft;
    const int raysWidth = inner * 30 / 100;
    const int widthsWidth = inner * 28 / 100;
    nbRayCombo_->setGeometry(kDisplayLeft, kComboTop, raysWidth - 4, kRowHeight);
    lFasciCombo_->setGeometry(kDisplayLeft + raysWidth, kComboTop, widthsWidth - 4, kRowHeight);
    typeFasciCombo_->setGeometry(kDisplayLeft + raysWidth + widthsWidth, kComboTop,
        inner - raysWidth - widthsWidth, kRowHeight);
    lensTextCheck_->adjustSize();
    addBout_->adjustSize();
    const int addLeft = panelWidth - kDisplayLeft - addBout_->width();
    addBout_->setGeometry(addLeft, kLensRowTop, addBout_->width(), kRowHeight);
    const int checkLeft = addLeft - 6 - lensTextCheck_->width();
    lensTextCheck_->move(checkLeft, kLensRowTop + (kRowHeight - lensTextCheck_->height()) / 2);
    lensCombo_->setGeometry(
        kDisplayLeft, kLensRowTop, std::max(checkLeft - 6 - kDisplayLeft, 40), kRowHeight);
    const int bevelWidth = panelWidth - 2 * kBevelInset;
    bevel_->setGeometry(kBevelInset, kBevelTop, bevelWidth, kRowHeight);
    messLab_->setGeometry(kLabelInset, 3, bevelWidth - 2 * kLabelInset, kRowHeight - 6);
    // The label's width changed: the message is fitted to it again at the next redraw.
    lastShown_ = -1;

    model_->view = ViewTransform::ForSize(W_, H_);
    if (!firstShow_)
        return;
    if (work_.Width() != W_ || work_.Height() != H_) {
        work_ = TDibPlus(W_, H_);
        back_ = TDibPlus(W_, H_);
    }
    paintBack();
    model_->ComputeLens();
    Redraw();
}

void TLensF::FormClose()
{
    flash_->stop();
    display_->unsetCursor();
    work_ = TDibPlus(0, 0);
    back_ = TDibPlus(0, 0);
    carreR_ = TDibPlus(0, 0);
    carreM_ = TDibPlus(0, 0);
    carreNB_ = TDibPlus(0, 0);
    firstShow_ = false;
}

// --- lists -------------------------------------------------------------------------------

void TLensF::rebuildLensCombo()
{
    Settings &settings = AppSettings();
    settings.NbLens = std::clamp(settings.NbLens, 1, kMaxLens);
    settings.LensIndex = std::clamp(settings.LensIndex, 1, settings.NbLens);
    {
        const QSignalBlocker block(lensCombo_);
        lensCombo_->clear();
        for (int i = 1; i <= settings.NbLens; ++i)
            lensCombo_->addItem(QStringLiteral("%1 - %2").arg(i).arg(
                settings.LensTable[static_cast<std::size_t>(i)].No));
        lensCombo_->setCurrentIndex(settings.LensIndex - 1);
    }
    model_->LoadLens(std::span<const LensDef>(settings.LensTable).subspan(1, settings.NbLens),
        settings.LensIndex);
    model_->ComputeLens();
}

void TLensF::selectSettingsItems()
{
    const Settings &settings = AppSettings();
    const QSignalBlocker blockRays(nbRayCombo_);
    const QSignalBlocker blockWidths(lFasciCombo_);
    const QSignalBlocker blockKinds(typeFasciCombo_);
    const auto count = std::find(kRayCounts.begin(), kRayCounts.end(), settings.NbRayons);
    nbRayCombo_->setCurrentIndex(
        count == kRayCounts.end() ? -1 : int(std::distance(kRayCounts.begin(), count)));
    typeFasciCombo_->setCurrentIndex(
        settings.TypeFasciIndex < typeFasciCombo_->count() ? settings.TypeFasciIndex : -1);
    lFasciCombo_->setCurrentIndex(
        settings.LFasciIndex < lFasciCombo_->count() ? settings.LFasciIndex : -1);
    lensTextCheck_->setChecked(settings.LensTextFlag);
}

void TLensF::NBRayComboChange(int item)
{
    if (item < 0 || item >= int(kRayCounts.size()))
        return;
    AppSettings().NbRayons = kRayCounts[static_cast<std::size_t>(item)];
    Redraw();
}

void TLensF::LFasciComboChange(int item)
{
    if (item < 0)
        return;
    AppSettings().LFasciIndex = item;
    Redraw();
}

void TLensF::TypeFasciComboChange(int item)
{
    if (item < 0)
        return;
    AppSettings().TypeFasciIndex = item;
    Redraw();
}

void TLensF::LensComboChange(int item)
{
    Settings &settings = AppSettings();
    if (item < 0 || item >= settings.NbLens)
        return;
    settings.LensIndex = item + 1;
    model_->LoadLens(std::span<const LensDef>(settings.LensTable).subspan(1, settings.NbLens),
        settings.LensIndex);
    model_->ComputeLens();
    Redraw();
}

void TLensF::LensTextCheckClick()
{
    AppSettings().LensTextFlag = lensTextCheck_->isChecked();
    Redraw();
}

// --- buttons -----------------------------------------------------------------------------

void TLensF::toggleClicked(QToolButton *button, int mode, int message)
{
    display_->unsetCursor();
    if (button->isChecked()) {
        // One group: at most one of the three down, all may be up.
        for (QToolButton *other : {changeHBout_, changeLensBout_, changeEpBout_})
            if (other != button)
                other->setChecked(false);
        editMode_ = mode;
        messageIndex_ = message;
    } else {
        editMode_ = kBeam;
        messageIndex_ = 0;
    }
    Redraw();
}

void TLensF::ChangeHBoutClick() { toggleClicked(changeHBout_, kHeightWaiting, 5); }

void TLensF::ChangeLensBoutClick() { toggleClicked(changeLensBout_, kCurvatureWaiting, 7); }

void TLensF::ChangeEpBoutClick() { toggleClicked(changeEpBout_, kThicknessWaiting, 4); }

void TLensF::SpeedButton1Click()
{
    if (!colours_)
        return;
    colours_->exec();
    if (back_.HasBitmap())
        paintBack();
    Redraw();
}

void TLensF::CentrerBoutClick()
{
    model_->beam.slope = 0;
    model_->beam.intercept = 0;
    Redraw();
}

void TLensF::AddBoutClick()
{
    if (!editor_ || !AppSettings().LensModiFlag)
        return;
    // The editor names the lens from its own edit box.
    editor_->SetNewLens(ToLensDef(model_->lens, QString()));
    editor_->exec();
    rebuildLensCombo();
    Redraw();
}

// --- drawing -----------------------------------------------------------------------------

void TLensF::paintBack()
{
    const Settings &settings = AppSettings();
    back_.Fill(SwapRB(settings.cgFond));
    Canvas canvas(back_);
    canvas.SetBackgroundMode(BackgroundMode::Transparent);
    canvas.SetPen(settings.cgAxe, settings.Epais, PenStyle::Dot);
    canvas.MoveTo(0, model_->view.y0);
    canvas.LineTo(W_, model_->view.y0);
    canvas.SetPen(settings.cgBord, 1);
    canvas.SetBrushStyle(BrushStyle::Clear);
    canvas.Rectangle(0, 0, W_, H_);
}

void TLensF::drawLens(Canvas &canvas) const
{
    const CurrentLens &lens = model_->lens;
    const ViewTransform &view = model_->view;
    const auto line = [&](double x1, double y1, double x2, double y2) {
        canvas.MoveTo(view.Column(x1), view.Row(y1));
        canvas.LineTo(view.Column(x2), view.Row(y2));
    };
    const auto arc = [&](double centre, double radius, double start, double end) {
        canvas.Arc(view.Column(centre - radius), view.Row(radius), view.Column(centre + radius),
            view.Row(-radius), view.Column(centre + radius * std::cos(start)),
            view.Row(radius * std::sin(start)), view.Column(centre + radius * std::cos(end)),
            view.Row(radius * std::sin(end)));
    };
    if (lens.kind1 == SurfaceKind::Plane)
        line(-lens.e, lens.h, -lens.e, -lens.h);
    else
        arc(lens.c1, lens.r1, lens.start1, lens.end1);
    if (lens.kind2 == SurfaceKind::Plane)
        line(lens.e, lens.h, lens.e, -lens.h);
    else
        arc(lens.c2, lens.r2, lens.start2, lens.end2);
    line(-lens.e, lens.h, lens.e, lens.h);
    line(-lens.e, -lens.h, lens.e, -lens.h);
}

void TLensF::drawRays(Canvas &canvas) const
{
    for (const RayPath &ray : model_->Rays())
        canvas.Polyline(rayPolyline(ray, model_->view));
}

QPoint TLensF::FirstVertexHandle() const { return {model_->lens.vx1, model_->view.y0}; }

QPoint TLensF::SecondVertexHandle() const { return {model_->lens.vx2, model_->view.y0}; }

QPoint TLensF::ThicknessHandle() const
{
    return {model_->view.Column(model_->lens.e), model_->view.y0};
}

QPoint TLensF::HeightHandle() const { return {model_->view.x0, model_->view.Row(model_->lens.h)}; }

void TLensF::drawHandles()
{
    QPoint involved[2];
    int count = 0;
    QPoint dragged;
    switch (editMode_) {
    case kCurvatureWaiting:
    case kFirstSurfaceDrag:
    case kSecondSurfaceDrag:
        involved[0] = FirstVertexHandle();
        involved[1] = SecondVertexHandle();
        count = 2;
        dragged = editMode_ == kFirstSurfaceDrag ? involved[0] : involved[1];
        break;
    case kThicknessWaiting:
    case kThicknessDrag:
        involved[0] = dragged = ThicknessHandle();
        count = 1;
        break;
    case kHeightWaiting:
    case kHeightDrag:
        involved[0] = dragged = HeightHandle();
        count = 1;
        break;
    default:
        return;
    }
    // The mask whitens the handle's pixels, the colour image then tints them; the rest of
    // the square is black in one and white in the other, so the drawing shows through.
    for (int i = 0; i < count; ++i)
        BitBlt(work_, involved[i].x() - kHandleOffset, involved[i].y() - kHandleOffset, carreNB_,
            RasterOp::Or);
    if (isWaiting(editMode_)) {
        const TDibPlus &colour = blinkOn_ ? carreR_ : carreM_;
        for (int i = 0; i < count; ++i)
            BitBlt(work_, involved[i].x() - kHandleOffset, involved[i].y() - kHandleOffset, colour,
                RasterOp::And);
    } else {
        BitBlt(work_, dragged.x() - kHandleOffset, dragged.y() - kHandleOffset, carreR_,
            RasterOp::And);
    }
}

void TLensF::Redraw()
{
    if (isWaiting(editMode_) != flash_->isActive()) {
        if (isWaiting(editMode_))
            flash_->start();
        else
            flash_->stop();
    }
    if (!work_.HasBitmap())
        return;
    const Settings &settings = AppSettings();
    BitBlt(work_, 0, 0, back_, RasterOp::Copy);
    {
        Canvas canvas(work_);
        canvas.SetBackgroundMode(BackgroundMode::Transparent);
        canvas.SetFont(QStringLiteral("Arial"), 8);
        canvas.SetFontColour(settings.cgTexte);
        if (settings.LensTextFlag) {
            for (std::size_t i = 0; i < model_->lens.text.size(); ++i)
                canvas.TextOut(kTextLeft, kTextTop + kTextLineStep * int(i), model_->lens.text[i]);
        } else {
            canvas.TextOut(kTextLeft, kTextTop, QLatin1String(kAppTitle));
        }
        canvas.SetBrushStyle(BrushStyle::Clear);
        canvas.SetPen(settings.cgLens, settings.Epais);
        drawLens(canvas);
        model_->beam.kind = settings.TypeFasciIndex;
        model_->beam.width = settings.LFasciIndex;
        model_->beam.count = settings.NbRayons;
        model_->TraceRays();
        canvas.SetPen(settings.cgRay, settings.Epais);
        drawRays(canvas);
    }
    drawHandles();
    display_->Draw(work_, 0, 0);
    updateStatus();
}

void TLensF::DisplayPaint()
{
    if (work_.HasBitmap())
        display_->Draw(work_, 0, 0);
    else
        display_->Clear();
}

void TLensF::updateStatus()
{
    if (messageIndex_ == lastShown_)
        return;
    lastShown_ = messageIndex_;
    messLab_->setText(fittedText(StatusMessage(messageIndex_), fontMetrics(), messLab_->width()));
}

void TLensF::FlashTimer()
{
    blinkOn_ = !blinkOn_;
    Redraw();
}

// --- mouse -------------------------------------------------------------------------------

void TLensF::startDrag(int mode, int message, Qt::CursorShape cursor)
{
    editMode_ = mode;
    messageIndex_ = message;
    display_->setCursor(cursor);
    Redraw();
}

void TLensF::endDrag(int mode, int message)
{
    editMode_ = mode;
    messageIndex_ = message;
    display_->unsetCursor();
    Redraw();
}

void TLensF::DisplayMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y)
{
    if (!work_.HasBitmap())
        return;
    const CurrentLens &lens = model_->lens;
    const ViewTransform &view = model_->view;
    const auto near = [x, y](QPoint handle) { return NearHandle(x, y, handle.x(), handle.y()); };
    switch (editMode_) {
    case kBeam:
        if (button == Qt::RightButton)
            messageIndex_ = 1;
        else if (button == Qt::LeftButton)
            messageIndex_ = 6;
        updateStatus();
        break;
    case kCurvatureWaiting:
        if (near(FirstVertexHandle())) {
            dragLow_ = view.Column(-lens.e - lens.h);
            dragHigh_ = view.Column(-lens.e + lens.h);
            rimColumn_ = view.Column(-lens.e);
            startDrag(kFirstSurfaceDrag, 2, Qt::SizeHorCursor);
        } else if (near(SecondVertexHandle())) {
            dragLow_ = view.Column(lens.e - lens.h);
            dragHigh_ = view.Column(lens.e + lens.h);
            rimColumn_ = view.Column(lens.e);
            startDrag(kSecondSurfaceDrag, 3, Qt::SizeHorCursor);
        }
        break;
    case kThicknessWaiting:
        if (near(ThicknessHandle()))
            startDrag(kThicknessDrag, 8, Qt::SizeHorCursor);
        break;
    case kHeightWaiting:
        if (near(HeightHandle()))
            startDrag(kHeightDrag, 9, Qt::SizeVerCursor);
        break;
    default:
        break;
    }
}

void TLensF::DisplayMouseMove(Qt::KeyboardModifiers, Qt::MouseButtons buttons, int x, int y)
{
    if (!work_.HasBitmap())
        return;
    CurrentLens &lens = model_->lens;
    const ViewTransform &view = model_->view;
    const auto rangeColumn = [this, x] { return std::max(dragLow_, std::min(x, dragHigh_)); };
    switch (editMode_) {
    case kBeam: {
        if (buttons == Qt::NoButton)
            return;
        // Only left of the lens: the central ray is a line through a point of the
        // incoming side.
        if (x < view.x0) {
            Beam &beam = model_->beam;
            CentralRay ray {beam.slope, beam.intercept};
            if (buttons.testFlag(Qt::LeftButton))
                ray = TranslatedRay(beam.slope, view.WorldX(x), view.WorldY(y));
            else if (buttons.testFlag(Qt::RightButton))
                ray = RotatedRay(view.WorldX(x), view.WorldY(y));
            beam.slope = ray.slope;
            beam.intercept = ray.intercept;
        }
        Redraw();
        return;
    }
    case kFirstSurfaceDrag: {
        const int column = std::min(rangeColumn(), lens.vx2 - kMinVertexGap);
        const Surface surface
            = FirstSurfaceThrough(view.WorldX(column), column > rimColumn_, lens.e, lens.h);
        lens.r1 = surface.radius;
        lens.kind1 = surface.kind;
        break;
    }
    case kSecondSurfaceDrag: {
        const int column = std::max(rangeColumn(), lens.vx1 + kMinVertexGap);
        const Surface surface
            = SecondSurfaceThrough(view.WorldX(column), column > rimColumn_, lens.e, lens.h);
        lens.r2 = surface.radius;
        lens.kind2 = surface.kind;
        break;
    }
    case kThicknessDrag:
        lens.e = ThicknessAt(x, view);
        break;
    case kHeightDrag:
        lens.h = HeightAt(y, view, lens.r1, lens.r2);
        break;
    default:
        return;
    }
    model_->ComputeLens();
    Redraw();
}

void TLensF::DisplayMouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int, int)
{
    if (!work_.HasBitmap())
        return;
    switch (editMode_) {
    case kFirstSurfaceDrag:
    case kSecondSurfaceDrag:
        endDrag(kCurvatureWaiting, 7);
        break;
    case kThicknessDrag:
        endDrag(kThicknessWaiting, 4);
        break;
    case kHeightDrag:
        endDrag(kHeightWaiting, 5);
        break;
    case kBeam:
        messageIndex_ = 0;
        updateStatus();
        break;
    default:
        break;
    }
}

// --- clipboard ---------------------------------------------------------------------------

QImage TLensF::ClipboardImage() const
{
    if (!work_.HasBitmap())
        return {};
    return ImageFromBuffer(work_);
}

} // namespace kaleno
