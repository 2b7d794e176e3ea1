#include "modules/optics/photo/PhotoF.h"

#include "imaging/Canvas.h"
#include "imaging/ImageBuffer.h"
#include "imaging/Metafile.h"
#include "imaging/PaintBox.h"
#include "imaging/RasterOps.h"
#include "modules/optics/camera/FilmPicture.h"
#include "modules/optics/photo/PhotoRules.h"
#include "modules/optics/photo/PickPhotoF.h"
#include "platform/Calculator.h"
#include "shell/Settings.h"
#include "shell/ShellValues.h"

#include <QComboBox>
#include <QFont>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QShowEvent>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace kaleno {

namespace {

constexpr int kMinOuterWidth = 350;
constexpr int kMinOuterHeight = 300;
constexpr int kDisplayLeft = 6;
constexpr int kDisplayTop = 4;
constexpr int kWidthMargin = 10;
constexpr int kHeightMargin = 116;
constexpr int kPanelHeight = 106;
constexpr int kInfosWidth = 201;
constexpr int kInfosHeight = 51;

// TColor values (0x00BBGGRR).
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kGrey = 0x808080;
constexpr uint32_t kSilver = 0xC0C0C0;
constexpr uint32_t kYellow = 0x00FFFF;
constexpr uint32_t kRed = 0x0000FF;

const char *const kFocalItems[5] = {" 28 mm ( très courte focale )", " 35 mm ( courte focale )",
    " 50 mm ( focale normale )", " 90 mm ( grande focale )", " 135 mm ( grande focale )"};
constexpr int kDefaultFocalItem = 1;
const char *const kRayItems[6] = {" 10", " 20", " 50", " 100", " 150", " 200"};
const char *const kNItems[7] = {"  2", "  2,8", "  4,0", "  5,6", "  8", " 11", " 16"};

const char *const kMessages[6] = {
    "Cliquez sur l'écran pour déplacer l'objet, la pellicule ou obtenir un curseur",
    "Déplacer le curseur en glissant la souris sans relâcher le bouton",
    "Déplacer l'objet en glissant la souris sans relâcher le bouton",
    "Déplacer la pellicule en glissant la souris sans relâcher le bouton",
    "Cliquer et déplacer l'objet en glissant la souris sans relâcher le bouton",
    "Cliquer et déplacer la pellicule en glissant la souris sans relâcher le bouton",
};

// What the readout says before any cursor is placed.
const char *const kCreditLines[3] = {
    "Bouton gauche : curseur 1 (jaune)",
    "Bouton droit : curseur 2 (rouge)",
    "Mesures en cm depuis l'objectif",
};

int roundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

// One graduated ruler from its origin outwards. Along a row (horizontal) or a column,
// `base` is that row or column, `step` +1 or -1 the way it runs, `tickSide` the side its
// ticks point to. Length in pixels, range in units; labels every ten units, as units
// times `multiplier`.
struct Ruler {
    bool horizontal = true;
    int base = 0;
    int origin = 0;
    int step = 1;
    int tickSide = -1;
    int length = 0;
    double range = 0;
    int multiplier = 1;
    bool originLabel = false;
};

void drawRuler(Canvas &canvas, const Ruler &ruler)
{
    if (ruler.length <= 0 || !(ruler.range > 0))
        return;
    const double perUnit = ruler.length / ruler.range;
    if (!(perUnit > 0.05))
        return;
    auto line = [&](int along0, int across0, int along1, int across1) {
        if (ruler.horizontal) {
            canvas.MoveTo(along0, across0);
            canvas.LineTo(along1, across1);
        } else {
            canvas.MoveTo(across0, along0);
            canvas.LineTo(across1, along1);
        }
    };
    line(ruler.origin, ruler.base, ruler.origin + ruler.step * ruler.length, ruler.base);
    for (int k = 0;; ++k) {
        const int offset = roundHalfEven(k * perUnit);
        if (offset > ruler.length)
            break;
        const int at = ruler.origin + ruler.step * offset;
        const int tick = k % 10 == 0 ? 8 : (k % 5 == 0 ? 6 : 3);
        line(at, ruler.base, at, ruler.base + ruler.tickSide * tick);
        if (k % 10 != 0 || (k == 0 && !ruler.originLabel))
            continue;
        const QString label = QString::number(k * ruler.multiplier);
        const int w = canvas.TextWidth(label);
        if (ruler.horizontal) {
            canvas.TextOut(at - w / 2, ruler.base - 18, label);
        } else {
            const int x = ruler.tickSide > 0 ? ruler.base + 10 : ruler.base - 10 - w;
            canvas.TextOut(x, at - canvas.TextHeight(label) / 2, label);
        }
    }
}

// A white line across the whole buffer: a horizontal cursor.
void rowLine(TDibPlus &buffer, int y, uint32_t value)
{
    if (y < 0 || y >= buffer.Height())
        return;
    for (int x = 0; x < buffer.Width(); ++x)
        buffer.SetPixelFast(x, y, value);
}

} // namespace

TPhotoF::TPhotoF(QWidget *parent)
    : ModuleWindow(QStringLiteral("TPhotoF"), QStringLiteral("PHOTO"), parent)
{
    setWindowTitle(QStringLiteral(" Appareil photographique - ") + QLatin1String(kAppTitle));
    setMinimumSize(kMinOuterWidth, kMinOuterHeight);
    // The panel was laid out for Arial 8: a wider system font would not fit it.
    setFont(QFont(QStringLiteral("Arial"), 8));
    resize(621, 361);
    buildControls();
}

TPhotoF::~TPhotoF() = default;

void TPhotoF::buildControls()
{
    display_ = new PaintBox(this);
    display_->setObjectName(QStringLiteral("Display"));
    display_->setAccessibleName(QStringLiteral("Appareil photographique"));
    display_->SetBackgroundColour(kBlack);
    connect(display_, &PaintBox::Paint, this, &TPhotoF::DisplayPaint);
    connect(display_, &PaintBox::MouseDown, this, &TPhotoF::DisplayMouseDown);
    connect(display_, &PaintBox::MouseMove, this, &TPhotoF::DisplayMouseMove);
    connect(display_, &PaintBox::MouseUp, this, &TPhotoF::DisplayMouseUp);

    panel_ = new QWidget(this);
    panel_->setObjectName(QStringLiteral("Panel"));
    ToolPanel()->setParent(panel_);

    auto button = [this](const char *name, const QString &caption, const QString &hint) {
        auto *b = new QToolButton(panel_);
        b->setObjectName(QLatin1String(name));
        b->setAccessibleName(hint.isEmpty() ? caption.trimmed() : hint.trimmed());
        b->setText(caption);
        b->setAutoRaise(true);
        if (!hint.isEmpty())
            b->setToolTip(hint);
        return b;
    };
    calcBout_ = button(
        "CalcBout", QStringLiteral("Calc."), QStringLiteral(" Accès à la calculatrice de Windows"));
    connect(calcBout_, &QToolButton::clicked, this, &TPhotoF::CalcBoutClick);
    colorBout_ = button("ColorBout", QStringLiteral(" Objet"), QStringLiteral(" Modifier l'objet"));
    colorBout_->setEnabled(false);
    connect(colorBout_, &QToolButton::clicked, this, &TPhotoF::ColorBoutClick);
    autoFocusBout_ = button("AutoFocusBout", QStringLiteral("Autofocus"),
        QStringLiteral(" Mise au point automatique sur l'objet"));
    autoFocusBout_->setAutoRaise(false);
    connect(autoFocusBout_, &QToolButton::clicked, this, &TPhotoF::AutoFocusBoutClick);
    razCurBout_ = button("RazCurBout", QStringLiteral("Effacer les curseurs"), {});
    razCurBout_->setAutoRaise(false);
    connect(razCurBout_, &QToolButton::clicked, this, &TPhotoF::RazCurBoutClick);
    horizonBout_ = button("HorizonBout", QStringLiteral("Utiliser les curseurs horizontaux"), {});
    horizonBout_->setCheckable(true);
    horizonBout_->setAutoRaise(false);
    connect(horizonBout_, &QToolButton::clicked, this, &TPhotoF::HorizonBoutClick);

    infosZone_ = new PaintBox(panel_);
    infosZone_->setObjectName(QStringLiteral("InfosZone"));
    infosZone_->setAccessibleName(QStringLiteral("Coordonnées des curseurs"));
    infosZone_->setToolTip(QStringLiteral(" Coordonnées des curseurs"));
    infosZone_->SetBackgroundColour(kBlack);
    infosZone_->resize(kInfosWidth, kInfosHeight);
    connect(infosZone_, &PaintBox::Paint, this, &TPhotoF::InfosZonePaint);

    auto combo = [this](const char *name, const QString &accessible, const QString &hint) {
        auto *c = new QComboBox(panel_);
        c->setObjectName(QLatin1String(name));
        c->setAccessibleName(accessible);
        if (!hint.isEmpty())
            c->setToolTip(hint);
        return c;
    };
    auto label = [this](const char *name, const QString &text) {
        auto *l = new QLabel(text, panel_);
        l->setObjectName(QLatin1String(name));
        return l;
    };
    focaleLab_ = label("FocaleLab", QStringLiteral("Objectif utilisé :"));
    focaleCombo_ = combo("FocaleCombo", QStringLiteral("Objectif utilisé"), {});
    for (const char *item : kFocalItems)
        focaleCombo_->addItem(QString::fromUtf8(item));
    focaleCombo_->setCurrentIndex(kDefaultFocalItem);
    connect(focaleCombo_, &QComboBox::currentIndexChanged, this, &TPhotoF::FocaleComboChange);

    rayLab_ = label("RayLab", QStringLiteral("Rayons lumineux :"));
    rayCombo_ = combo("RayCombo", QStringLiteral("Rayons lumineux"),
        QStringLiteral(" Choisir le nombre de rayons lumineux"));
    for (const char *item : kRayItems)
        rayCombo_->addItem(QString::fromUtf8(item));
    connect(rayCombo_, &QComboBox::currentIndexChanged, this, &TPhotoF::RayComboChange);

    nLab_ = label("NLab", QStringLiteral("Nombre d'ouverture :"));
    nCombo_ = combo("NCombo", QStringLiteral("Nombre d'ouverture"),
        QStringLiteral(" Choisir le nombre d'ouverture"));
    for (const char *item : kNItems)
        nCombo_->addItem(QString::fromUtf8(item));
    nCombo_->setCurrentIndex(0);
    connect(nCombo_, &QComboBox::currentIndexChanged, this, &TPhotoF::NComboChange);

    bevel_ = new QFrame(panel_);
    bevel_->setObjectName(QStringLiteral("Bevel"));
    bevel_->setFrameShape(QFrame::Panel);
    bevel_->setFrameShadow(QFrame::Sunken);
    messLab_ = new QLabel(panel_);
    messLab_->setObjectName(QStringLiteral("MessLab"));
    messLab_->setAccessibleName(QStringLiteral("Ligne d'état"));
}

void TPhotoF::SetPickDialog(TPickPhotoF *dialog)
{
    pickDialog_ = dialog;
    colorBout_->setEnabled(pickDialog_ != nullptr && AppSettings().ModObjFlag);
}

QPoint TPhotoF::CursorPosition(int number) const { return number == 2 ? cursors_[1] : cursors_[0]; }

QPoint TPhotoF::FilmPictureOrigin() const { return QPoint(W_ - 30 - camera_.filmSide, 10); }

// --- lifecycle ---------------------------------------------------------------------------

void TPhotoF::showEvent(QShowEvent *event)
{
    ModuleWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TPhotoF::FormShow()
{
    setWindowTitle(QStringLiteral(" Appareil photographique - ") + QLatin1String(kAppTitle));
    Settings &settings = AppSettings();
    ramp_ = MakeColourRamp(settings.ObjColor1, settings.ObjColor2);
    loadPictures();
    dragMode_ = kIdle;
    display_->unsetCursor();
    cursors_ = {QPoint(-1, 0), QPoint(-1, 0)};
    horizontalCursors_ = false;
    horizonBout_->setChecked(false);
    messageIndex_ = 0;
    lastMessage_ = -1;
    colorBout_->setEnabled(pickDialog_ != nullptr && settings.ModObjFlag);
    infos_ = TDibPlus(kInfosWidth, kInfosHeight);

    settings.RayIndex = std::clamp(settings.RayIndex, 0, int(kCameraRayCounts.size()) - 1);
    SetCameraRayIndex(camera_, settings.RayIndex);
    {
        const QSignalBlocker blockRays(rayCombo_);
        rayCombo_->setCurrentIndex(settings.RayIndex);
        // Every opening starts on the 35 mm objective; the list says so too.
        const QSignalBlocker blockFocal(focaleCombo_);
        focaleCombo_->setCurrentIndex(kDefaultFocalItem);
        const QSignalBlocker blockN(nCombo_);
        nCombo_->setCurrentIndex(camera_.apertureIndex - kMinApertureIndex);
    }
    camera_.f = kFocalLengths[kDefaultFocalItem];
    shown_ = true;
    if (firstShow_) {
        firstShow_ = false;
        computeView();
    }
    Redraw();
}

void TPhotoF::resizeEvent(QResizeEvent *event)
{
    ModuleWindow::resizeEvent(event);
    FormResize();
}

void TPhotoF::FormResize()
{
    if (width() < kMinOuterWidth || height() < kMinOuterHeight) {
        resize(std::max(width(), kMinOuterWidth), std::max(height(), kMinOuterHeight));
        return;
    }
    W_ = width() - kWidthMargin;
    H_ = height() - kHeightMargin;
    display_->setGeometry(kDisplayLeft, kDisplayTop, W_, H_);
    panel_->setGeometry(0, height() - kPanelHeight, width(), kPanelHeight);
    layoutPanel();
    if (!shown_)
        return;
    computeView();
    Redraw();
}

void TPhotoF::layoutPanel()
{
    const int pw = panel_->width();
    ToolPanel()->adjustSize();
    ToolPanel()->move(4, 2);
    for (QToolButton *b : {autoFocusBout_, razCurBout_, horizonBout_, calcBout_, colorBout_})
        b->adjustSize();
    // Three rows of buttons at the left: the frame's tools, the two actions on the scene,
    // then the calculator and the object.
    const int row2 = ToolPanel()->height() + 4;
    const int row3 = row2 + autoFocusBout_->height() + 4;
    autoFocusBout_->move(6, row2);
    razCurBout_->move(autoFocusBout_->geometry().right() + 6, row2);
    calcBout_->move(6, row3);
    colorBout_->move(calcBout_->geometry().right() + 4, row3);
    const int leftBlock = std::max({ToolPanel()->geometry().right(),
                              razCurBout_->geometry().right(), colorBout_->geometry().right()})
        + 8;

    // The readout at the right, the three lists between it and the buttons; a narrow
    // window squeezes the lists.
    const int infosLeft = std::max(pw - kInfosWidth - 6, leftBlock + 100);
    infosZone_->setGeometry(infosLeft, 4, kInfosWidth, kInfosHeight);
    horizonBout_->setGeometry(infosLeft, 4 + kInfosHeight + 3,
        std::min(horizonBout_->width(), kInfosWidth), horizonBout_->height());
    const int listLeft = leftBlock;
    const int listWidth = std::max(infosLeft - 8 - listLeft, 100);
    focaleLab_->setGeometry(listLeft, 1, listWidth, 15);
    focaleCombo_->setGeometry(listLeft, 16, std::min(listWidth, 180), 22);
    const int half = std::min((listWidth - 6) / 2, 110);
    rayLab_->setGeometry(listLeft, 41, half, 15);
    rayCombo_->setGeometry(listLeft, 56, std::min(half, 80), 22);
    nLab_->setGeometry(listLeft + half + 6, 41, half, 15);
    nCombo_->setGeometry(listLeft + half + 6, 56, std::min(half, 80), 22);

    bevel_->setGeometry(5, kPanelHeight - 24, pw - 10, 20);
    messLab_->setGeometry(9, kPanelHeight - 22, pw - 18, 16);
    lastMessage_ = -1;
    showMessage();
}

void TPhotoF::FormClose()
{
    shown_ = false;
    firstShow_ = true;
    dragMode_ = kIdle;
    shapes_.reset();
    lensPicture_.reset();
    background_ = TDibPlus(0, 0);
    scene_ = TDibPlus(0, 0);
    withCursors_ = TDibPlus(0, 0);
    preview_ = TDibPlus(0, 0);
    filmPicture_ = TDibPlus(0, 0);
    infos_ = TDibPlus(0, 0);
}

QImage TPhotoF::ClipboardImage() const
{
    if (!scene_.HasBitmap())
        return {};
    return ImageFromBuffer(scene_);
}

// --- view and background -----------------------------------------------------------------

void TPhotoF::loadPictures()
{
    shapes_ = LoadCameraShapes(AppSettings().ShapeIndex);
    lensPicture_ = LoadCameraPicture(QLatin1String(kLensResource));
}

void TPhotoF::computeView()
{
    W_ = std::max(width() - kWidthMargin, 1);
    H_ = std::max(height() - kHeightMargin, 1);
    CameraFocalSetup(camera_, camera_.f, W_, H_);
    background_ = TDibPlus(W_, H_);
    scene_ = TDibPlus(W_, H_);
    withCursors_ = TDibPlus(W_, H_);
    makePreview();
    paintBackground();
}

void TPhotoF::makePreview()
{
    const int side = std::max(camera_.previewSide, 0);
    if (shapes_) {
        preview_ = MakeObjectPreview(shapes_->upright, ramp_, side);
        return;
    }
    // Without its shape the object is still shown in its colours.
    preview_ = TDibPlus(side, side);
    FillColourBar(preview_, ramp_, 0, side - 1, 0, side - 1, false);
}

void TPhotoF::paintBackground()
{
    if (!background_.HasBitmap())
        return;
    sceneMarks_ = QRegion(0, 0, W_, H_);
    const CameraState &c = camera_;
    background_.Fill(SwapRB(kBlack));
    const int lc = c.lensColumn;
    Canvas canvas(background_);
    canvas.SetPen(kWhite);
    canvas.SetFont(QStringLiteral("Arial"), 7);
    canvas.SetFontColour(kWhite);
    canvas.SetBackgroundMode(BackgroundMode::Transparent);
    drawRulers(canvas);

    const QString title = QStringLiteral("Tous les axes sont gradués en centimètres");
    canvas.TextOut((W_ - canvas.TextWidth(title)) / 2, 4, title);
    canvas.TextOut(40, c.previewSide + 12, QStringLiteral("Objet photographié"));
    canvas.SetBrush(kWhite);
    canvas.FrameRect(QRect(0, 0, W_, H_));
    canvas.SetPen(kWhite);
    canvas.MoveTo(20, c.axisRow);
    canvas.LineTo(W_ - 22, c.axisRow);
    const int lensTop = FilmSideRow(c, c.lensHalf);
    const int lensBottom = FilmSideRow(c, -c.lensHalf);
    canvas.SetPen(kSilver);
    canvas.MoveTo(lc, lensTop);
    canvas.LineTo(lc, lensBottom);
    if (preview_.HasBitmap())
        canvas.Draw(preview_, 40, 10);

    const QRect lensBox(lc - c.lensHalfPx, lensTop, 2 * c.lensHalfPx, lensBottom - lensTop);
    if (lensPicture_) {
        PlayMetafile(canvas, *lensPicture_, lensBox);
    } else {
        // Without its picture the objective is drawn as a plain converging lens.
        canvas.SetPen(kSilver);
        canvas.SetBrushStyle(BrushStyle::Clear);
        canvas.Ellipse(lensBox.left(), lensBox.top(), lensBox.left() + lensBox.width(),
            lensBox.top() + lensBox.height());
    }
    if (c.apertureIndex > kMinApertureIndex) {
        canvas.SetPen(kGrey);
        canvas.SetBrush(kGrey);
        canvas.SetBrushStyle(BrushStyle::Solid);
        canvas.Rectangle(lc, lensTop, lc + c.lensHalfPx, FilmSideRow(c, c.apertureHalf));
        canvas.Rectangle(lc, FilmSideRow(c, -c.apertureHalf), lc + c.lensHalfPx, lensBottom);
    }
}

void TPhotoF::drawRulers(Canvas &canvas)
{
    const CameraState &c = camera_;

    const int filmLength = W_ - c.lensColumn;
    Ruler ruler;
    ruler.horizontal = true;
    ruler.base = H_ - 5;
    ruler.origin = c.lensColumn;
    ruler.tickSide = -1;
    // Film side: 1 cm units at the film's scale.
    ruler.step = 1;
    ruler.length = filmLength;
    ruler.range = filmLength / c.imgScale * 100;
    ruler.multiplier = 1;
    ruler.originLabel = true;
    drawRuler(canvas, ruler);
    // Object side: 10 cm units at the object's scale.
    ruler.step = -1;
    ruler.length = c.lensColumn;
    ruler.range = c.lensColumn / c.objScale * 10;
    ruler.multiplier = 10;
    ruler.originLabel = false;
    drawRuler(canvas, ruler);

    const int half = H_ / 2 - 30;
    Ruler side;
    side.horizontal = false;
    side.origin = c.axisRow;
    side.length = half;
    for (int way : {-1, 1}) {
        side.step = way;
        side.originLabel = way < 0;
        side.base = 5;
        side.tickSide = 1;
        side.range = half / c.objScale * 10;
        side.multiplier = 10;
        drawRuler(canvas, side);
        side.base = W_ - 5;
        side.tickSide = -1;
        side.range = half / c.imgScale * 100;
        side.multiplier = 1;
        drawRuler(canvas, side);
    }
}

// --- drawing -----------------------------------------------------------------------------

void TPhotoF::drawScene()
{
    const CameraState &c = camera_;
    const QRect whole(0, 0, W_, H_);
    // Only what the last scene drew over the background needs the background back.
    const QRegion restore = sceneMarks_ & whole;
    for (const QRect &r : restore)
        BitBlt(
            scene_, r.x(), r.y(), r.width(), r.height(), background_, r.x(), r.y(), RasterOp::Copy);
    QRegion marks;
    // One pixel more each way: the dotted pen and the end pixels stay inside.
    auto mark = [&marks](const QRect &area) { marks += area.adjusted(-1, -1, 1, 1); };

    const int imageColumn = ColumnOfX(c, c.imageX);
    const double imageHalf = ImageHalf(c);
    const int imageTop = FilmSideRow(c, imageHalf);
    const int imageBottom = FilmSideRow(c, -imageHalf);
    FillColourBar(scene_, ramp_, imageColumn - 1, imageColumn + 1, imageTop, imageBottom, true);
    mark(QRect(QPoint(imageColumn - 1, imageTop), QPoint(imageColumn + 1, imageBottom)));
    const int objectColumn = ColumnOfX(c, c.objectX);
    const int objectTop = ObjectSideRow(c, kObjectHalf);
    const int objectBottom = ObjectSideRow(c, -kObjectHalf);
    FillColourBar(
        scene_, ramp_, objectColumn - 1, objectColumn + 1, objectTop, objectBottom, false);
    mark(QRect(QPoint(objectColumn - 1, objectTop), QPoint(objectColumn + 1, objectBottom)));

    Canvas canvas(scene_);
    const std::vector<CameraRay> rays = TraceCameraRays(c);
    const int half = static_cast<int>(rays.size()) / 2;
    for (int i = 0; i < static_cast<int>(rays.size()); ++i) {
        const CameraRay &ray = rays[static_cast<size_t>(i)];
        canvas.SetPen(i < half ? ramp_[0] : ramp_[8]);
        QPolygon points;
        points << QPoint(objectColumn, ObjectSideRow(c, ray.object.y))
               << QPoint(c.lensColumn, FilmSideRow(c, ray.lens.y));
        if (!ray.stopped)
            points << QPoint(ColumnOfX(c, ray.end.x), FilmSideRow(c, ray.end.y));
        // Polyline leaves out its last pixel: the end point is drawn on its own.
        canvas.Polyline(points);
        canvas.SetPixelColour(points.back().x(), points.back().y(), canvas.PenColour());
        mark(points.boundingRect());
    }

    const QPoint filmOrigin = FilmPictureOrigin();
    if (shapes_) {
        filmPicture_ = MakeFilmPicture(c, shapes_->turned, ramp_);
        canvas.Draw(filmPicture_, filmOrigin.x(), filmOrigin.y());
        mark(QRect(filmOrigin, QSize(filmPicture_.Width(), filmPicture_.Height())));
    }
    canvas.SetFont(QStringLiteral("Arial"), 7);
    canvas.SetFontColour(kWhite);
    canvas.SetBackgroundMode(BackgroundMode::Opaque);
    canvas.SetBackgroundColour(kBlack);
    auto text = [&](int x, int y, const QString &s) {
        canvas.TextOut(x, y, s);
        mark(QRect(x, y, canvas.TextWidth(s), canvas.TextHeight(s)));
    };
    const QString filmTitle = QStringLiteral("Image sur pellicule");
    text(W_ - 30 - canvas.TextWidth(filmTitle), c.filmSide + 12, filmTitle);
    const QString objectText = QStringLiteral("Objet");
    text(objectColumn - 2 - canvas.TextWidth(objectText), objectBottom + 2, objectText);

    const int filmColumn = ColumnOfX(c, c.filmX);
    const int filmTop = FilmSideRow(c, kFilmHalf);
    const int filmBottom = FilmSideRow(c, -kFilmHalf);
    text(filmColumn + 2, filmBottom + 2, QStringLiteral("Pellicule"));
    canvas.SetPen(kWhite, 1, PenStyle::Dot);
    canvas.SetBackgroundMode(BackgroundMode::Transparent);
    canvas.MoveTo(filmColumn, filmTop);
    canvas.LineTo(filmColumn, filmBottom + 1);
    canvas.SetPen(kWhite);
    canvas.MoveTo(filmColumn - 5, filmTop);
    canvas.LineTo(filmColumn + 5, filmTop);
    canvas.MoveTo(filmColumn - 5, filmBottom);
    canvas.LineTo(filmColumn + 5, filmBottom);
    mark(QRect(QPoint(filmColumn - 5, filmTop), QPoint(filmColumn + 5, filmBottom)));

    const QRegion drawn = marks & whole;
    changed_ = (changed_ + restore + drawn) & whole;
    sceneMarks_ = drawn;
}

void TPhotoF::Redraw()
{
    if (!shown_ || !scene_.HasBitmap())
        return;
    ComputeCameraOptics(camera_, AppSettings().Confusion);
    drawScene();
    showDrawing();
    drawReadout();
    showMessage();
}

void TPhotoF::showDrawing()
{
    if (!scene_.HasBitmap())
        return;
    if (cursors_[0].x() < 0 && cursors_[1].x() < 0) {
        // While the box still holds the last picture, only the parts that changed go
        // through the conversion.
        const QRegion parts = changed_ & QRect(0, 0, W_, H_);
        if (display_->Frame().cacheKey() == shownFrame_ && parts != QRegion(QRect(0, 0, W_, H_))) {
            for (const QRect &part : parts) {
                TDibPlus piece(part.width(), part.height());
                BitBlt(piece, 0, 0, part.width(), part.height(), scene_, part.x(), part.y(),
                    RasterOp::Copy);
                display_->Draw(piece, part.x(), part.y());
            }
        } else {
            display_->Draw(scene_, 0, 0);
        }
        changed_ = QRegion();
        shownFrame_ = display_->Frame().cacheKey();
        return;
    }
    BitBlt(withCursors_, 0, 0, scene_, RasterOp::Copy);
    const std::array<uint32_t, 2> colours = {SwapRB(kYellow), SwapRB(kRed)};
    for (int i = 0; i < 2; ++i) {
        const QPoint p = cursors_[static_cast<size_t>(i)];
        if (p.x() < 0)
            continue;
        if (p.x() < W_)
            withCursors_.VLine(p.x(), 0, H_ - 1, colours[static_cast<size_t>(i)]);
        if (horizontalCursors_)
            rowLine(withCursors_, p.y(), colours[static_cast<size_t>(i)]);
    }
    display_->Draw(withCursors_, 0, 0);
    shownFrame_ = display_->Frame().cacheKey();
    // The cursors' lines are in the box now: the next picture without them is a whole one.
    changed_ = QRegion(0, 0, W_, H_);
}

void TPhotoF::DisplayPaint()
{
    if (!shown_ || !scene_.HasBitmap()) {
        display_->Clear();
        return;
    }
    // The box keeps the last picture: convert it again only when the box lost it.
    if (display_->Frame().cacheKey() != shownFrame_)
        showDrawing();
}

// --- cursor readout ----------------------------------------------------------------------

void TPhotoF::drawReadout()
{
    if (!infos_.HasBitmap())
        return;
    readoutTexts_.clear();
    Canvas canvas(infos_);
    canvas.SetFont(QStringLiteral("Arial"), 8);
    canvas.SetPen(kGrey);
    canvas.SetBrush(kBlack);
    canvas.Rectangle(0, 0, kInfosWidth, kInfosHeight);
    canvas.SetBackgroundMode(BackgroundMode::Transparent);
    auto text = [&](int x, int y, uint32_t colour, const QString &s) {
        canvas.SetFontColour(colour);
        canvas.TextOut(x, y, s);
        readoutTexts_ << s;
    };
    const bool present1 = cursors_[0].x() >= 0;
    const bool present2 = cursors_[1].x() >= 0;
    if (!present1 && !present2) {
        for (int i = 0; i < 3; ++i)
            text(4, 1 + 17 * i, kWhite, QString::fromUtf8(kCreditLines[i]));
        infosZone_->Draw(infos_, 0, 0);
        return;
    }
    const CameraState &c = camera_;
    auto xOf = [&](QPoint p) { return LensDistanceOfColumn(c, p.x()); };
    auto yOf = [&](QPoint p) { return HeightOfRow(c, p.y(), p.x()); };
    const QString cm = QStringLiteral(" cm");
    const QString cmPadded = QStringLiteral(" cm   ");
    if (present1) {
        text(4, 1, kYellow, QStringLiteral("x1 :") + photo::CentimetreText(xOf(cursors_[0])) + cm);
        if (horizontalCursors_)
            text(104, 1, kYellow,
                QStringLiteral("y1 :") + photo::CentimetreText(yOf(cursors_[0])) + cm);
    } else {
        text(4, 1, kYellow, QStringLiteral("Curseur 1 absent"));
    }
    if (present2) {
        text(4, 18, kRed,
            QStringLiteral("x2 :") + photo::CentimetreText(xOf(cursors_[1])) + cmPadded);
        if (horizontalCursors_)
            text(104, 18, kRed,
                QStringLiteral("y2 :") + photo::CentimetreText(yOf(cursors_[1])) + cmPadded);
    } else {
        text(4, 18, kRed, QStringLiteral("Curseur 2 absent"));
    }
    if (present1 && present2) {
        text(4, 35, kWhite,
            QStringLiteral("x2-x1 :") + photo::CentimetreText(xOf(cursors_[1]) - xOf(cursors_[0]))
                + cmPadded);
        if (horizontalCursors_)
            text(104, 35, kWhite,
                QStringLiteral("y2-y1 :")
                    + photo::CentimetreText(yOf(cursors_[1]) - yOf(cursors_[0])) + cmPadded);
    }
    infosZone_->Draw(infos_, 0, 0);
}

void TPhotoF::InfosZonePaint()
{
    if (!infos_.HasBitmap()) {
        infosZone_->Clear();
        return;
    }
    infosZone_->Draw(infos_, 0, 0);
}

// --- status line -------------------------------------------------------------------------

void TPhotoF::setMessage(int index) { messageIndex_ = std::clamp(index, 0, 5); }

void TPhotoF::showMessage()
{
    if (messageIndex_ == lastMessage_)
        return;
    lastMessage_ = messageIndex_;
    QString text = QString::fromUtf8(kMessages[messageIndex_]);
    const QFontMetrics metrics(messLab_->font());
    const int room = messLab_->width();
    if (metrics.horizontalAdvance(text) > room) {
        const QString dots = QStringLiteral("...");
        while (!text.isEmpty() && metrics.horizontalAdvance(text + dots) > room)
            text.chop(1);
        text += dots;
    }
    messLab_->setText(text);
}

// --- mouse -------------------------------------------------------------------------------

void TPhotoF::setPointerMode(int x, int y)
{
    if (PointerOverObject(camera_, x, y)) {
        dragMode_ = kOverObject;
        display_->setCursor(Qt::SizeHorCursor);
        setMessage(4);
    } else if (PointerOverFilm(camera_, x, y)) {
        dragMode_ = kOverFilm;
        display_->setCursor(Qt::SizeHorCursor);
        setMessage(5);
    } else {
        dragMode_ = kIdle;
        display_->unsetCursor();
        setMessage(0);
    }
    showMessage();
}

void TPhotoF::placeCursor(Qt::MouseButtons buttons, int x, int y)
{
    const QPoint p(std::clamp(x, 1, W_), std::clamp(y, 1, std::max(H_ - 1, 1)));
    if (buttons.testFlag(Qt::LeftButton))
        cursors_[0] = p;
    else if (buttons.testFlag(Qt::RightButton))
        cursors_[1] = p;
    else
        return;
    showDrawing();
    drawReadout();
}

void TPhotoF::DisplayMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y)
{
    if (!shown_)
        return;
    switch (dragMode_) {
    case kIdle:
        dragMode_ = kPlacingCursors;
        setMessage(1);
        showMessage();
        // The click itself puts the cursor down, so a click without a drag places it.
        placeCursor(button, x, y);
        break;
    case kOverObject:
        if (button == Qt::LeftButton) {
            dragMode_ = kDraggingObject;
            setMessage(2);
            showMessage();
        }
        break;
    case kOverFilm:
        if (button == Qt::LeftButton) {
            dragMode_ = kDraggingFilm;
            setMessage(3);
            showMessage();
        }
        break;
    default:
        break;
    }
}

void TPhotoF::DisplayMouseMove(Qt::KeyboardModifiers, Qt::MouseButtons buttons, int x, int y)
{
    if (!shown_)
        return;
    switch (dragMode_) {
    case kIdle:
    case kOverObject:
    case kOverFilm:
        setPointerMode(x, y);
        break;
    case kPlacingCursors:
        placeCursor(buttons, x, y);
        break;
    case kDraggingObject:
        // The object may come as near as 5 focal lengths, where the image grows large: a
        // margin of the lens picture's width would stop it near 9 f on any screen.
        SetObjectX(camera_, XOfColumn(camera_, std::min(x, camera_.lensColumn - 1)));
        Redraw();
        break;
    case kDraggingFilm:
        MoveFilmToColumn(camera_, x);
        Redraw();
        break;
    default:
        break;
    }
}

void TPhotoF::DisplayMouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int, int)
{
    if (!shown_)
        return;
    dragMode_ = kIdle;
    display_->unsetCursor();
    setMessage(0);
    showMessage();
}

// --- controls ----------------------------------------------------------------------------

void TPhotoF::FocaleComboChange(int index)
{
    if (index < 0 || index >= static_cast<int>(kFocalLengths.size()))
        return;
    camera_.f = kFocalLengths[static_cast<size_t>(index)];
    if (!shown_)
        return;
    CameraFocalSetup(camera_, camera_.f, W_, H_);
    makePreview();
    paintBackground();
    Redraw();
}

void TPhotoF::RayComboChange(int index)
{
    if (index < 0 || index >= static_cast<int>(kCameraRayCounts.size()))
        return;
    AppSettings().RayIndex = index;
    SetCameraRayIndex(camera_, index);
    Redraw();
}

void TPhotoF::NComboChange(int index)
{
    if (index < 0 || index >= static_cast<int>(kFNumbers.size()))
        return;
    SetCameraAperture(camera_, index + kMinApertureIndex);
    if (!shown_)
        return;
    paintBackground();
    Redraw();
}

void TPhotoF::AutoFocusBoutClick()
{
    if (!shown_)
        return;
    ComputeCameraOptics(camera_, AppSettings().Confusion);
    AutoFocus(camera_);
    Redraw();
}

void TPhotoF::ColorBoutClick()
{
    if (!pickDialog_)
        return;
    pickDialog_->exec();
    if (!shown_)
        return;
    const Settings &settings = AppSettings();
    ramp_ = MakeColourRamp(settings.ObjColor1, settings.ObjColor2);
    shapes_ = LoadCameraShapes(settings.ShapeIndex);
    makePreview();
    paintBackground();
    Redraw();
}

void TPhotoF::CalcBoutClick() { platform::ShowCalculator(); }

void TPhotoF::RazCurBoutClick()
{
    cursors_ = {QPoint(-1, 0), QPoint(-1, 0)};
    if (!shown_)
        return;
    showDrawing();
    drawReadout();
}

void TPhotoF::HorizonBoutClick()
{
    horizontalCursors_ = !horizontalCursors_;
    {
        const QSignalBlocker block(horizonBout_);
        horizonBout_->setChecked(horizontalCursors_);
    }
    if (!shown_)
        return;
    showDrawing();
    drawReadout();
}

} // namespace kaleno
