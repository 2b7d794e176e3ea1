#include "modules/optics/lenseditor/ChooseF.h"

#include "imaging/Canvas.h"
#include "imaging/PaintBox.h"
#include "platform/HelpViewer.h"
#include "shell/Centring.h"

#include <QFont>
#include <QHideEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>

#include <algorithm>
#include <initializer_list>

namespace kaleno {

namespace {

constexpr int kClientWidth = 233;
constexpr int kClientHeight = 97;
constexpr int kBlinkMilliseconds = 300;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kShade = 0x808080;

constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r | g << 8 | b << 16; }

uint32_t TColorOf(const QColor &colour)
{
    return Rgb(uint32_t(colour.red()), uint32_t(colour.green()), uint32_t(colour.blue()));
}

template <typename Widget> Widget *Named(Widget *widget, const QString &name, const QString &spoken)
{
    widget->setObjectName(name);
    widget->setAccessibleName(spoken);
    return widget;
}

} // namespace

const std::array<uint32_t, 16> TChooseF::kColours = {Rgb(128, 128, 128), Rgb(255, 0, 0),
    Rgb(0, 255, 0), Rgb(255, 255, 0), Rgb(0, 0, 255), Rgb(255, 0, 255), Rgb(0, 255, 255),
    Rgb(255, 255, 255), Rgb(0, 0, 0), Rgb(128, 0, 0), Rgb(0, 128, 0), Rgb(128, 128, 0),
    Rgb(0, 0, 128), Rgb(128, 0, 128), Rgb(0, 128, 128), Rgb(192, 192, 192)};

TChooseF::TChooseF(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TChooseF"));
    setAccessibleName(QStringLiteral("Choix d'une couleur"));
    setWindowFlags(
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral(" Choix d'une couleur"));
    setFixedSize(kClientWidth, kClientHeight);
    setFont(QFont(QStringLiteral("Arial"), 8));

    Grille = Named(new PaintBox(this), QStringLiteral("Grille"), QStringLiteral("Couleurs"));
    Grille->setGeometry(4, 4, kGridWidth, kGridHeight);
    Grille->setFocusPolicy(Qt::StrongFocus);

    AnnulBout = Named(new QPushButton(QStringLiteral("A&nnuler"), this),
        QStringLiteral("AnnulBout"), QStringLiteral("Annuler"));
    AideBout = Named(new QPushButton(QStringLiteral("&Aide"), this), QStringLiteral("AideBout"),
        QStringLiteral("Aide"));
    OkBout = Named(new QPushButton(QStringLiteral("&Ok"), this), QStringLiteral("OkBout"),
        QStringLiteral("Ok"));
    AnnulBout->setGeometry(4, 66, 72, 25);
    AideBout->setGeometry(80, 66, 72, 25);
    OkBout->setGeometry(156, 66, 72, 25);

    PointiTimer = new QTimer(this);
    PointiTimer->setObjectName(QStringLiteral("PointiTimer"));
    PointiTimer->setInterval(kBlinkMilliseconds);

    // The dialog reads the keys before its controls, so the arrows move the selection
    // rather than the focus.
    for (QWidget *control : std::initializer_list<QWidget *> {Grille, AnnulBout, AideBout, OkBout})
        control->installEventFilter(this);

    connect(Grille, &PaintBox::Paint, this, &TChooseF::GrillePaint);
    connect(Grille, &PaintBox::MouseDown, this, &TChooseF::GrilleMouseDown);
    connect(PointiTimer, &QTimer::timeout, this, &TChooseF::PointiTimerTimer);
    connect(OkBout, &QPushButton::clicked, this, &TChooseF::OkBoutClick);
    connect(AnnulBout, &QPushButton::clicked, this, &TChooseF::AnnulBoutClick);
    connect(AideBout, &QPushButton::clicked, this, &TChooseF::AideBoutClick);
}

int TChooseF::CellOf(uint32_t colour)
{
    const auto found = std::find(kColours.begin(), kColours.end(), colour & 0xFFFFFFu);
    return found == kColours.end() ? 0 : int(found - kColours.begin()) + 1;
}

int TChooseF::CellAt(int x, int y)
{
    x = std::clamp(x, 0, kGridWidth - 1);
    y = std::clamp(y, 0, kGridHeight - 1);
    return x / kCellWidth + 1 + 8 * (y / kCellHeight);
}

void TChooseF::Start(uint32_t colour)
{
    given_ = colour;
    startCell_ = std::max(CellOf(colour), 1);
    cell_ = startCell_;
    accepted_ = false;
}

uint32_t TChooseF::Result() const
{
    // A colour that no cell holds (a settings file edited by hand) survives a cancel; the
    // starting cell would otherwise replace it.
    return accepted_ ? kColours[cell_ - 1] : given_;
}

uint32_t TChooseF::Choose(uint32_t colour)
{
    Start(colour);
    exec();
    return Result();
}

void TChooseF::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    CentreOnScreen(*this);
    FormShow();
}

void TChooseF::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        FormClose();
}

void TChooseF::FormShow()
{
    reversed_ = false;
    Grille->setFocus();
    drawGrid();
    PointiTimer->start();
}

void TChooseF::FormClose() { PointiTimer->stop(); }

void TChooseF::drawGrid()
{
    const uint32_t face = TColorOf(palette().color(QPalette::Button));
    Canvas canvas(grid_);
    canvas.SetBrush(face);
    canvas.FillRect(QRect(0, 0, kGridWidth, kGridHeight));
    for (int cell = 1; cell <= 16; ++cell) {
        const int x = (cell - 1) % 8 * kCellWidth;
        const int y = (cell - 1) / 8 * kCellHeight;
        canvas.SetPen(kBlack);
        canvas.SetBrush(kColours[cell - 1]);
        canvas.Rectangle(x + 3, y + 3, x + kCellWidth - 3, y + kCellHeight - 3);
        canvas.SetPen(kShade);
        canvas.MoveTo(x + 4, y + kCellHeight - 5);
        canvas.LineTo(x + 4, y + 4);
        canvas.LineTo(x + kCellWidth - 4, y + 4);
    }
    const int x = (cell_ - 1) % 8 * kCellWidth;
    const int y = (cell_ - 1) / 8 * kCellHeight;
    canvas.SetPen(reversed_ ? face : kBlack, 1, PenStyle::Dot);
    canvas.SetBackgroundMode(BackgroundMode::Opaque);
    canvas.SetBackgroundColour(reversed_ ? kBlack : face);
    canvas.SetBrushStyle(BrushStyle::Clear);
    canvas.Rectangle(x + 1, y + 1, x + kCellWidth - 1, y + kCellHeight - 1);
    canvas.Flush();
    Grille->Draw(grid_, 0, 0);
}

void TChooseF::GrillePaint() { Grille->Draw(grid_, 0, 0); }

void TChooseF::select(int cell)
{
    if (cell < 1 || cell > 16 || cell == cell_)
        return;
    cell_ = cell;
    drawGrid();
}

void TChooseF::GrilleMouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)
{
    select(CellAt(x, y));
}

void TChooseF::PointiTimerTimer()
{
    reversed_ = !reversed_;
    drawGrid();
}

bool TChooseF::FormKeyDown(int key)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        OkBoutClick();
        return true;
    case Qt::Key_Escape:
        AnnulBoutClick();
        return true;
    case Qt::Key_Right:
        select(cell_ + 1);
        return true;
    case Qt::Key_Left:
        select(cell_ - 1);
        return true;
    case Qt::Key_Down:
        select(cell_ + 8);
        return true;
    case Qt::Key_Up:
        select(cell_ - 8);
        return true;
    default:
        return false;
    }
}

bool TChooseF::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier)
            if (FormKeyDown(key->key()))
                return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TChooseF::keyPressEvent(QKeyEvent *event)
{
    if (FormKeyDown(event->key()))
        return;
    QDialog::keyPressEvent(event);
}

void TChooseF::OkBoutClick()
{
    accepted_ = true;
    accept();
}

void TChooseF::AnnulBoutClick() { reject(); }

void TChooseF::AideBoutClick() { platform::ShowHelpTopic(QStringLiteral("LENS")); }

} // namespace kaleno
