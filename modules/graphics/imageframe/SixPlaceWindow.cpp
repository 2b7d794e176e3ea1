#include "modules/graphics/imageframe/SixPlaceWindow.h"

#include "imaging/Canvas.h"
#include "imaging/CurrentImage.h"
#include "imaging/ImageBuffer.h"
#include "imaging/PaintBox.h"
#include "imaging/RasterOps.h"
#include "shell/Bitmaps.h"
#include "shell/Settings.h"
#include "shell/ShellValues.h"

#include <QCheckBox>
#include <QLabel>
#include <QResizeEvent>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QToolButton>

#include <algorithm>

namespace kaleno {

using namespace sixplaces;

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kGrey = 0x808080;

QLabel *boldLabel(QWidget *parent, const QString &name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAccessibleName(text.trimmed());
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

SixPlaceWindow::SixPlaceWindow(const QString &className, const QString &helpKeyword,
    const QString &captionPrefix, const PlaceNames &places, bool logoInMiddle, QWidget *parent)
    : ModuleWindow(className, helpKeyword, parent)
    , captionPrefix_(captionPrefix)
    , logoInMiddle_(logoInMiddle)
{
    setWindowTitle(DefaultCaption());
    setMinimumSize(kMinWidth, kMinHeight);
    resize(760, 560);
    buildControls(places);
}

SixPlaceWindow::~SixPlaceWindow() = default;

QString SixPlaceWindow::DefaultCaption() const
{
    // The fixed text ends on its dash; the blank keeps the title from running into it.
    return captionPrefix_ + QStringLiteral(" - Image par défaut - ") + QLatin1String(kAppTitle);
}

void SixPlaceWindow::buildControls(const PlaceNames &places)
{
    for (int i = 0; i < kPlaceCount; ++i) {
        const PlaceName &names = places[i];
        auto *box = new PaintBox(this);
        box->setObjectName(QLatin1String(names.zone));
        const QString text = QString::fromUtf8(names.text);
        box->setAccessibleName(text.isEmpty() ? QStringLiteral("Logo") : text);
        const auto place = static_cast<Place>(i);
        connect(box, &PaintBox::Paint, this, [this, place] { placePaint(place); });
        places_[i] = box;
        if (names.label != nullptr && *names.label != '\0') {
            auto *label = new QLabel(text, this);
            label->setObjectName(QLatin1String(names.label));
            label->setAccessibleName(text);
            labels_[i] = label;
        }
    }
    if (logoInMiddle_)
        places_[kBottomMiddle]->SetBackgroundColour(
            SwapRB(palette().color(QPalette::Button).rgb() & 0xFFFFFFu));

    bottomPanel_ = new QWidget(this);
    bottomPanel_->setObjectName(QStringLiteral("BottomPanel"));
    ToolPanel()->setParent(bottomPanel_);
    ouvreBout_ = AddToolButton(QStringLiteral("OuvreBout"), QStringLiteral("Ouvrir"),
        QStringLiteral(" Ouvrir un fichier image"));
    ouvrePlusBout_ = AddToolButton(QStringLiteral("OuvrePlusBout"), QStringLiteral("Catalogue"),
        QStringLiteral(" Ouvrir avec le catalogue"));
    defautBout_ = AddToolButton(QStringLiteral("DefautBout"), QStringLiteral("Défaut"),
        QStringLiteral(" Revenir à l'image par défaut"));
    connect(ouvreBout_, &QToolButton::clicked, this, &SixPlaceWindow::OuvreBoutClick);
    connect(ouvrePlusBout_, &QToolButton::clicked, this, &SixPlaceWindow::OuvrePlusBoutClick);
    connect(defautBout_, &QToolButton::clicked, this, &SixPlaceWindow::DefautBoutClick);

    stretchCheck_ = new QCheckBox(QStringLiteral(" Déformer et adapter l'image"), bottomPanel_);
    stretchCheck_->setObjectName(QStringLiteral("StretchCheck"));
    stretchCheck_->setAccessibleName(QStringLiteral("Déformer et adapter l'image"));
    stretchCheck_->setToolTip(
        QStringLiteral(" Déformer l'image pour qu'elle occupe tout l'espace disponible"));
    connect(stretchCheck_, &QCheckBox::clicked, this, &SixPlaceWindow::StretchCheckClick);
}

QLabel *SixPlaceWindow::AddCheckGroup(const QString &name, const QString &title)
{
    CheckGroup group;
    group.title = boldLabel(bottomPanel_, name, title);
    groups_.push_back(group);
    return group.title;
}

QCheckBox *SixPlaceWindow::AddGroupCheck(
    const QString &name, const QString &caption, const QString &hint)
{
    auto *check = new QCheckBox(caption, bottomPanel_);
    check->setObjectName(name);
    check->setAccessibleName(caption.trimmed());
    check->setToolTip(hint);
    if (!groups_.empty())
        groups_.back().checks.push_back(check);
    return check;
}

// --- lifecycle ---------------------------------------------------------------------------

void SixPlaceWindow::showEvent(QShowEvent *event)
{
    ModuleWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void SixPlaceWindow::FormShow()
{
    {
        const QSignalBlocker block(stretchCheck_);
        stretchCheck_->setChecked(false);
    }
    BeginImageModule();
    ouvrePlusBout_->setEnabled(AppSettings().BrowserFlag);
    loadLogo();
    shown_ = true;
    FormResize();
}

void SixPlaceWindow::loadLogo()
{
    logo_ = TDibPlus(0, 0);
    if (!logoInMiddle_)
        return;
    QImage image = LoadResourceBitmap(QStringLiteral("LogoG"));
    if (image.isNull())
        return;
    ReplaceCornerColour(image, palette().color(QPalette::Button).rgb());
    logo_ = BufferFromImage(image);
}

void SixPlaceWindow::resizeEvent(QResizeEvent *event)
{
    ModuleWindow::resizeEvent(event);
    FormResize();
}

void SixPlaceWindow::FormResize()
{
    if (width() < kMinWidth || height() < kMinHeight) {
        resize(std::max(width(), kMinWidth), std::max(height(), kMinHeight));
        return;
    }
    if (!shown_)
        return;
    ClearSwitches();
    const Layout layout = ComputeLayout(width(), height(), logoInMiddle_);
    W_ = layout.W;
    H_ = layout.H;
    TheImage().AreaWidth = W_;
    TheImage().AreaHeight = H_;
    original_ = TDibPlus(W_, H_);
    MakeBuffers(W_, H_);
    emptyFrame_ = TDibPlus(W_, H_);
    drawEmptyFrame();
    for (int i = 0; i < kPlaceCount; ++i) {
        places_[i]->setGeometry(layout.places[i]);
        if (QLabel *label = labels_[i]) {
            label->adjustSize();
            label->move(LabelPosition(layout.places[i], label->width()));
        }
    }
    layoutPanel(layout.panelTop);
    LoadImage();
    repaintAll();
}

void SixPlaceWindow::layoutPanel(int top)
{
    bottomPanel_->setGeometry(0, top, width(), std::max(height() - top, 0));
    ToolPanel()->adjustSize();
    ToolPanel()->move(4, 0);
    stretchCheck_->adjustSize();
    stretchCheck_->move(8, ToolPanel()->height());
    int columnsWidth = 0;
    for (const CheckGroup &group : groups_) {
        group.title->adjustSize();
        int checksWidth = 4;
        for (QCheckBox *check : group.checks) {
            check->adjustSize();
            checksWidth += check->width() + 8;
        }
        columnsWidth += std::max(group.title->width(), checksWidth) + 20;
    }
    const int toolsRight = std::max(
        ToolPanel()->x() + ToolPanel()->width(), stretchCheck_->x() + stretchCheck_->width());
    if (toolsRight + 16 + columnsWidth <= width()) {
        // Room enough: each group is a column right of the tools, its title above its boxes.
        int x = toolsRight + 16;
        for (const CheckGroup &group : groups_) {
            group.title->move(x, 4);
            int checkX = x + 4;
            const int checkY = 4 + group.title->height() + 4;
            for (QCheckBox *check : group.checks) {
                check->move(checkX, checkY);
                checkX += check->width() + 8;
            }
            x = std::max(x + group.title->width(), checkX) + 20;
        }
        return;
    }
    // A narrow window: under the tools, the stretch box then the groups flow in lines,
    // each title followed by its boxes; a group that does not fit starts a line.
    int lineY = ToolPanel()->height();
    stretchCheck_->move(8, lineY);
    int x = 8 + stretchCheck_->width() + 16;
    int lineHeight = stretchCheck_->height();
    for (const CheckGroup &group : groups_) {
        int groupWidth = group.title->width() + 6;
        int groupHeight = group.title->height();
        for (QCheckBox *check : group.checks) {
            groupWidth += check->width() + 8;
            groupHeight = std::max(groupHeight, check->height());
        }
        if (x > 8 && x + groupWidth > width()) {
            lineY += lineHeight;
            x = 8;
            lineHeight = 0;
        }
        group.title->move(x, lineY + (groupHeight - group.title->height()) / 2);
        x += group.title->width() + 6;
        for (QCheckBox *check : group.checks) {
            check->move(x, lineY + (groupHeight - check->height()) / 2);
            x += check->width() + 8;
        }
        x += 16;
        lineHeight = std::max(lineHeight, groupHeight);
    }
}

void SixPlaceWindow::FormClose()
{
    shown_ = false;
    FreeBuffers();
    original_ = TDibPlus(0, 0);
    emptyFrame_ = TDibPlus(0, 0);
    logo_ = TDibPlus(0, 0);
    EndImageModule();
}

// --- pictures ----------------------------------------------------------------------------

void SixPlaceWindow::drawEmptyFrame()
{
    if (!emptyFrame_.HasBitmap())
        return;
    const int w = emptyFrame_.Width();
    const int h = emptyFrame_.Height();
    Canvas canvas(emptyFrame_);
    canvas.SetPen(SwapRB(kBlack));
    canvas.SetBrush(SwapRB(kWhite));
    canvas.Rectangle(0, 0, w, h);
    // Corner pixel to corner pixel, both ends drawn (a line leaves out its end pixel).
    canvas.SetPen(SwapRB(kGrey));
    canvas.MoveTo(0, 0);
    canvas.LineTo(w - 1, h - 1);
    canvas.SetPixelColour(w - 1, h - 1, SwapRB(kGrey));
    canvas.MoveTo(w - 1, 0);
    canvas.LineTo(0, h - 1);
    canvas.SetPixelColour(0, h - 1, SwapRB(kGrey));
}

void SixPlaceWindow::DrawOnPlace(Place place, const TDibPlus &picture)
{
    places_[place]->Draw(picture, 0, 0);
}

void SixPlaceWindow::ShowEmptyFrame(Place place) { DrawOnPlace(place, emptyFrame_); }

void SixPlaceWindow::placePaint(Place place)
{
    if (!shown_) {
        places_[place]->Clear();
        return;
    }
    if (place == kTopLeft)
        OriginZonePaint();
    else if (place == kBottomMiddle && logoInMiddle_)
        LogoZonePaint();
    else
        PaintPlace(place);
}

void SixPlaceWindow::repaintAll()
{
    for (int i = 0; i < kPlaceCount; ++i)
        placePaint(static_cast<Place>(i));
}

void SixPlaceWindow::OriginZonePaint() { DrawOnPlace(kTopLeft, original_); }

void SixPlaceWindow::LogoZonePaint() { DrawOnPlace(kBottomMiddle, logo_); }

// --- the image ---------------------------------------------------------------------------

void SixPlaceWindow::LoadImage()
{
    if (!original_.HasBitmap())
        return;
    if (RedrawCurrentImage(original_))
        setWindowTitle(DefaultCaption());
    OriginZonePaint();
}

void SixPlaceWindow::Reset()
{
    ClearSwitches();
    if (shown_)
        repaintAll();
}

void SixPlaceWindow::OuvreBoutClick()
{
    if (!shown_)
        return;
    setWindowTitle(OpenImage(
        launcher_ != nullptr ? launcher_ : this, original_, captionPrefix_, windowTitle()));
    Reset();
}

void SixPlaceWindow::OuvrePlusBoutClick()
{
    if (!shown_)
        return;
    setWindowTitle(OpenImageFromCatalogue(
        launcher_ != nullptr ? launcher_ : this, original_, captionPrefix_, windowTitle()));
    Reset();
}

void SixPlaceWindow::DefautBoutClick()
{
    if (!shown_)
        return;
    TheImage().ImageKind = kImageTestCard;
    LoadImage();
    Reset();
}

void SixPlaceWindow::StretchCheckClick()
{
    TheImage().StretchImage = stretchCheck_->isChecked();
    if (!shown_)
        return;
    LoadImage();
    Reset();
}

// --- clipboard ---------------------------------------------------------------------------

QImage SixPlaceWindow::ClipboardImage() const
{
    if (!original_.HasBitmap())
        return {};
    TDibPlus montage(3 * W_, 2 * H_);
    montage.Fill(MontageGround());
    BitBlt(montage, 0, 0, original_, RasterOp::Copy);
    AddToMontage(montage);
    return ImageFromBuffer(montage);
}

} // namespace kaleno
