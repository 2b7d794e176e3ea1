#include "modules/optics/lenseditor/ChoixGeoF.h"

#include "imaging/Canvas.h"
#include "imaging/PaintBox.h"
#include "modules/optics/lenseditor/ChooseF.h"
#include "platform/HelpViewer.h"
#include "shell/Settings.h"

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QToolButton>

#include <algorithm>

namespace kaleno {

namespace {

constexpr int kClientWidth = 418;
constexpr int kClientHeight = 249;
constexpr int kSwatchWidth = 20;
constexpr int kSwatchHeight = 16;
constexpr int kMinWidth = 1;
constexpr int kMaxWidth = 5;

struct ItemText {
    const char *name;
    const char *text;
};
const std::array<ItemText, TChoixGeoF::kItemCount> kItems = {{
    {"Fond", " Fond de l'écran"},
    {"Lens", " Lentille"},
    {"Ray", " Rayons lumineux"},
    {"Axe", " Axe optique"},
    {"Bord", " Bords de l'écran"},
    {"Texte", " Texte"},
}};

// TColor values: the program's own colours, and colours that print as black on white.
constexpr PreviewColours kDefaultColours {.fond = 0x000000,
    .lens = 0xFFFFFF,
    .ray = 0xFFFF00,
    .axe = 0x000080,
    .bord = 0xFFFFFF,
    .texte = 0xC0C0C0};
constexpr PreviewColours kPrintColours {.fond = 0xFFFFFF,
    .lens = 0x000000,
    .ray = 0x808080,
    .axe = 0xC0C0C0,
    .bord = 0x000000,
    .texte = 0x000000};

template <typename Widget> Widget *Named(Widget *widget, const QString &name, const QString &spoken)
{
    widget->setObjectName(name);
    widget->setAccessibleName(spoken);
    return widget;
}

QPushButton *MakeButton(QWidget *parent, const char *name, const QString &text, const QString &hint)
{
    auto *button = Named(new QPushButton(text, parent), QLatin1String(name),
        QString(text).remove(QLatin1Char('&')).remove(QStringLiteral("...")));
    button->setToolTip(hint);
    return button;
}

PreviewColours SettingsColours()
{
    const Settings &s = AppSettings();
    return {s.cgFond, s.cgLens, s.cgRay, s.cgAxe, s.cgBord, s.cgTexte};
}

} // namespace

uint32_t &TChoixGeoF::ItemColour(int item)
{
    Settings &s = AppSettings();
    const std::array<uint32_t *, kItemCount> colours
        = {&s.cgFond, &s.cgLens, &s.cgRay, &s.cgAxe, &s.cgBord, &s.cgTexte};
    return *colours[std::clamp(item, 0, kItemCount - 1)];
}

TChoixGeoF::TChoixGeoF(QWidget *parent)
    : QDialog(parent)
    , swatches_ {TDibPlus(kSwatchWidth, kSwatchHeight), TDibPlus(kSwatchWidth, kSwatchHeight),
          TDibPlus(kSwatchWidth, kSwatchHeight), TDibPlus(kSwatchWidth, kSwatchHeight),
          TDibPlus(kSwatchWidth, kSwatchHeight), TDibPlus(kSwatchWidth, kSwatchHeight)}
{
    setObjectName(QStringLiteral("TChoixGeoF"));
    setAccessibleName(QStringLiteral("Couleurs utilisées pour l'affichage"));
    setWindowFlags(
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral(" Couleurs utilisées pour l'affichage"));
    setFixedSize(kClientWidth, kClientHeight);
    setFont(QFont(QStringLiteral("Arial"), 8));

    for (int i = 0; i < kItemCount; ++i) {
        const QString name = QLatin1String(kItems[i].name);
        const QString text = QString::fromUtf8(kItems[i].text);
        const int y = 8 + 24 * i;
        shapes_[i] = Named(
            new PaintBox(this), name + QStringLiteral("Shape"), QStringLiteral("Couleur :") + text);
        shapes_[i]->setGeometry(8, y + 2, kSwatchWidth, kSwatchHeight);
        connect(shapes_[i], &PaintBox::Paint, this,
            [this, i] { shapes_[i]->Draw(swatches_[i], 0, 0); });
        connect(shapes_[i], &PaintBox::MouseDown, this,
            [this, i](Qt::MouseButton, Qt::KeyboardModifiers, int, int) { SwatchMouseDown(i); });
        radios_[i]
            = Named(new QRadioButton(text, this), name + QStringLiteral("Radio"), text.trimmed());
        radios_[i]->setGeometry(34, y, 150, 20);
        connect(radios_[i], &QRadioButton::clicked, this, [this, i] { ItemClick(i); });
    }

    Canevas = Named(new PaintBox(this), QStringLiteral("Canevas"), QStringLiteral("Aperçu"));
    Canevas->setGeometry(190, 8, kPreviewWidth, kPreviewHeight);
    connect(Canevas, &PaintBox::Paint, this, &TChoixGeoF::CanevasPaint);

    auto *traitLab = new QLabel(QStringLiteral("Trait :"), this);
    traitLab->setObjectName(QStringLiteral("TraitLab"));
    traitLab->setGeometry(190, 158, 36, 17);
    EpaisEdit = Named(
        new QLineEdit(this), QStringLiteral("EpaisEdit"), QStringLiteral("Épaisseur du trait"));
    EpaisEdit->setGeometry(228, 155, 36, 21);
    EpaisEdit->setReadOnly(true);
    EpaisUp = Named(
        new QToolButton(this), QStringLiteral("EpaisUp"), QStringLiteral("Trait plus épais"));
    EpaisUp->setArrowType(Qt::UpArrow);
    EpaisUp->setGeometry(264, 155, 16, 11);
    EpaisUp->setAutoRepeat(true);
    EpaisDown = Named(
        new QToolButton(this), QStringLiteral("EpaisDown"), QStringLiteral("Trait plus fin"));
    EpaisDown->setArrowType(Qt::DownArrow);
    EpaisDown->setGeometry(264, 166, 16, 10);
    EpaisDown->setAutoRepeat(true);
    UnitLab = new QLabel(this);
    UnitLab->setObjectName(QStringLiteral("UnitLab"));
    UnitLab->setGeometry(286, 158, 60, 17);

    ChangeBout = MakeButton(this, "ChangeBout", QStringLiteral("C&hanger..."),
        QStringLiteral(" Modifier la couleur de l'objet sélectionné"));
    DefautBout = MakeButton(this, "DefautBout", QStringLiteral("&Couleurs par défaut"),
        QStringLiteral(" Retrouver les couleurs par défaut"));
    ImprimeBout = MakeButton(this, "ImprimeBout", QStringLiteral("&Adapter à l'impression"),
        QStringLiteral(" Adapter les couleurs à l'impression ( noir sur fond blanc )"));
    AideBout = MakeButton(this, "AideBout", QStringLiteral("&Aide"), QString());
    OkBout = MakeButton(this, "OkBout", QStringLiteral("&Ok"), QString());
    ChangeBout->setGeometry(8, 184, 100, 25);
    DefautBout->setGeometry(114, 184, 130, 25);
    ImprimeBout->setGeometry(250, 184, 160, 25);
    AideBout->setGeometry(250, 216, 75, 25);
    OkBout->setGeometry(335, 216, 75, 25);
    OkBout->setDefault(true);

    chooser_ = new TChooseF(this);

    connect(ChangeBout, &QPushButton::clicked, this, &TChoixGeoF::ChangeBoutClick);
    connect(DefautBout, &QPushButton::clicked, this, &TChoixGeoF::DefautBoutClick);
    connect(ImprimeBout, &QPushButton::clicked, this, &TChoixGeoF::ImprimeBoutClick);
    connect(EpaisUp, &QToolButton::clicked, this, [this] { EpaisSpinClick(true); });
    connect(EpaisDown, &QToolButton::clicked, this, [this] { EpaisSpinClick(false); });
    connect(OkBout, &QPushButton::clicked, this, &TChoixGeoF::OkBoutClick);
    connect(AideBout, &QPushButton::clicked, this, &TChoixGeoF::AideBoutClick);
}

void TChoixGeoF::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TChoixGeoF::FormShow()
{
    item_ = 0;
    radios_[0]->setChecked(true);
    showWidth();
    redraw();
}

void TChoixGeoF::redraw()
{
    const PreviewColours colours = SettingsColours();
    const std::array<uint32_t, kItemCount> byItem
        = {colours.fond, colours.lens, colours.ray, colours.axe, colours.bord, colours.texte};
    for (int i = 0; i < kItemCount; ++i) {
        Canvas canvas(swatches_[i]);
        canvas.SetPen(0x000000);
        canvas.SetBrush(byItem[i]);
        canvas.Rectangle(0, 0, kSwatchWidth, kSwatchHeight);
        canvas.Flush();
        shapes_[i]->Draw(swatches_[i], 0, 0);
    }
    DrawLensPreview(preview_, colours, AppSettings().Epais);
    Canevas->Draw(preview_, 0, 0);
}

void TChoixGeoF::showWidth()
{
    const int width = AppSettings().Epais;
    EpaisEdit->setText(QLatin1Char(' ') + QString::number(width));
    UnitLab->setText(width == 1 ? QStringLiteral("Pixel") : QStringLiteral("Pixels"));
}

void TChoixGeoF::CanevasPaint() { Canevas->Draw(preview_, 0, 0); }

void TChoixGeoF::ItemClick(int item)
{
    item_ = std::clamp(item, 0, kItemCount - 1);
    radios_[item_]->setChecked(true);
}

void TChoixGeoF::SwatchMouseDown(int item)
{
    ItemClick(item);
    ChangeBoutClick();
}

void TChoixGeoF::ChangeBoutClick()
{
    uint32_t &colour = ItemColour(item_);
    colour = chooser_->Choose(colour);
    redraw();
}

void TChoixGeoF::applyPreset(const PreviewColours &colours)
{
    Settings &s = AppSettings();
    s.cgFond = colours.fond;
    s.cgLens = colours.lens;
    s.cgRay = colours.ray;
    s.cgAxe = colours.axe;
    s.cgBord = colours.bord;
    s.cgTexte = colours.texte;
    redraw();
}

void TChoixGeoF::DefautBoutClick() { applyPreset(kDefaultColours); }

void TChoixGeoF::ImprimeBoutClick() { applyPreset(kPrintColours); }

void TChoixGeoF::EpaisSpinClick(bool up)
{
    int &width = AppSettings().Epais;
    if (up && width < kMaxWidth)
        ++width;
    else if (!up && width > kMinWidth)
        --width;
    else
        return;
    showWidth();
    redraw();
}

void TChoixGeoF::OkBoutClick() { accept(); }

void TChoixGeoF::AideBoutClick() { platform::ShowHelpTopic(QStringLiteral("PICKLENS")); }

} // namespace kaleno
