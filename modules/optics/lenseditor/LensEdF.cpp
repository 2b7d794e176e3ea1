#include "modules/optics/lenseditor/LensEdF.h"

#include "modules/optics/lens/LensModel.h"
#include "platform/HelpViewer.h"
#include "shell/Centring.h"

#include <QFont>
#include <QFrame>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>

#include <algorithm>

namespace kaleno {

namespace {

constexpr int kClientWidth = 446;
constexpr int kClientHeight = 307;
constexpr int kLineStep = 15;

template <typename Widget> Widget *Named(Widget *widget, const QString &name, const QString &spoken)
{
    widget->setObjectName(name);
    widget->setAccessibleName(spoken);
    return widget;
}

QString Centimetres(int thousandths)
{
    return QString::number(thousandths * 0.001, 'f', 2) + QStringLiteral(" cm");
}

QString KindWord(uint8_t kind) { return SurfaceKindWord(static_cast<SurfaceKind>(kind)); }

QLabel *MakeLabel(QWidget *parent, const QString &name, int x, int y, int width)
{
    // A label's text is what a screen reader says: no accessible name of its own.
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(x, y, width, kLineStep);
    return label;
}

} // namespace

std::array<QString, 6> LensRecordLines(const LensDef &lens)
{
    return {QStringLiteral("Epaisseur : ") + Centimetres(lens.Ep),
        QStringLiteral("Hauteur : ") + Centimetres(lens.Hau),
        QStringLiteral("Rayon n°1 : ") + Centimetres(lens.Ra1),
        QStringLiteral("Rayon n°2 : ") + Centimetres(lens.Ra2),
        QStringLiteral("Dioptre n°1 : ") + KindWord(lens.Ty1),
        QStringLiteral("Dioptre n°2 : ") + KindWord(lens.Ty2)};
}

TLensEdF::TLensEdF(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TLensEdF"));
    setAccessibleName(QStringLiteral("Ajouter une nouvelle lentille"));
    setWindowFlags(
        Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral(" Ajouter une nouvelle lentille"));
    setFixedSize(kClientWidth, kClientHeight);
    setFont(QFont(QStringLiteral("Arial"), 8));

    Liste = Named(new QListWidget(this), QStringLiteral("Liste"), QStringLiteral("Lentilles"));
    Liste->setGeometry(8, 8, 329, 114);

    const auto button = [this](const char *name, const QString &text, const QString &spoken) {
        return Named(new QPushButton(text, this), QLatin1String(name), spoken);
    };
    AddBout = button("AddBout", QStringLiteral("&Ajouter"), QStringLiteral("Ajouter"));
    DelBout = button("DelBout", QStringLiteral("&Supprimer"), QStringLiteral("Supprimer"));
    HautBout = button("HautBout", QStringLiteral("&Vers le haut"), QStringLiteral("Vers le haut"));
    BasBout = button("BasBout", QStringLiteral("&Vers le bas"), QStringLiteral("Vers le bas"));
    AnnulBout = button("AnnulBout", QStringLiteral("A&nnuler"), QStringLiteral("Annuler"));
    AideBout = button("AideBout", QStringLiteral("&Aide"), QStringLiteral("Aide"));
    OkBout = button("OkBout", QStringLiteral("&Ok"), QStringLiteral("Ok"));
    const std::array<QPushButton *, 4> side = {AddBout, DelBout, HautBout, BasBout};
    for (int i = 0; i < 4; ++i)
        side[i]->setGeometry(345, 8 + 30 * i, 93, 25);
    AnnulBout->setGeometry(203, 274, 75, 25);
    AideBout->setGeometry(283, 274, 75, 25);
    OkBout->setGeometry(363, 274, 75, 25);
    OkBout->setDefault(true);

    auto *rule = new QFrame(this);
    rule->setObjectName(QStringLiteral("Bevel1"));
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    rule->setGeometry(8, 128, 430, 4);

    MakeLabel(this, QStringLiteral("SelTitreLab"), 8, 134, 212)
        ->setText(QStringLiteral("Paramètres de la lentille sélectionnée :"));
    SelNomLab = MakeLabel(this, QStringLiteral("SelNomLab"), 8, 155, 212);
    MakeLabel(this, QStringLiteral("NewTitreLab"), 228, 134, 210)
        ->setText(QStringLiteral("Paramètres de la nouvelle lentille :"));
    MakeLabel(this, QStringLiteral("NomLab"), 228, 155, 34)->setText(QStringLiteral("Nom :"));
    NomEd = Named(new QLineEdit(QStringLiteral(" Sans nom"), this), QStringLiteral("NomEd"),
        QStringLiteral("Nom de la nouvelle lentille"));
    NomEd->setGeometry(264, 152, 174, 21);
    for (int i = 0; i < 6; ++i) {
        const int y = 178 + kLineStep * i;
        selLabs_[i] = MakeLabel(this, QStringLiteral("SelLab%1").arg(i + 1), 8, y, 212);
        newLabs_[i] = MakeLabel(this, QStringLiteral("NewLab%1").arg(i + 1), 228, y, 210);
    }

    connect(Liste, &QListWidget::currentRowChanged, this, &TLensEdF::ListeClick);
    connect(AddBout, &QPushButton::clicked, this, &TLensEdF::AddBoutClick);
    connect(DelBout, &QPushButton::clicked, this, &TLensEdF::DelBoutClick);
    connect(HautBout, &QPushButton::clicked, this, &TLensEdF::HautBoutClick);
    connect(BasBout, &QPushButton::clicked, this, &TLensEdF::BasBoutClick);
    connect(OkBout, &QPushButton::clicked, this, &TLensEdF::OkBoutClick);
    connect(AnnulBout, &QPushButton::clicked, this, &TLensEdF::AnnulBoutClick);
    connect(AideBout, &QPushButton::clicked, this, &TLensEdF::AideBoutClick);

    showNew();
}

void TLensEdF::SetNewLens(const LensDef &lens)
{
    newLens_ = lens;
    showNew();
}

QStringList TLensEdF::SelectedLines() const
{
    QStringList lines {SelNomLab->text()};
    for (const QLabel *label : selLabs_)
        lines << label->text();
    return lines;
}

QStringList TLensEdF::NewLines() const
{
    QStringList lines;
    for (const QLabel *label : newLabs_)
        lines << label->text();
    return lines;
}

void TLensEdF::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    CentreOnScreen(*this);
    FormShow();
}

void TLensEdF::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        FormClose();
}

void TLensEdF::FormShow()
{
    Settings &s = AppSettings();
    accepted_ = false;
    open_ = true;
    savedTable_ = s.LensTable;
    savedCount_ = s.NbLens;
    savedIndex_ = s.LensIndex;
    // The table's own values are trusted no further than the array they index.
    s.NbLens = std::clamp(s.NbLens, 0, kMaxLens);
    selected_ = std::clamp(s.LensIndex, 1, std::max(s.NbLens, 1));
    fillList();
    showNew();
}

void TLensEdF::FormClose()
{
    if (!open_)
        return;
    open_ = false;
    Settings &s = AppSettings();
    if (accepted_) {
        s.LensIndex = selected_;
        return;
    }
    s.LensTable = savedTable_;
    s.NbLens = savedCount_;
    s.LensIndex = savedIndex_;
}

void TLensEdF::fillList()
{
    const Settings &s = AppSettings();
    {
        const QSignalBlocker quiet(Liste);
        Liste->clear();
        for (int i = 1; i <= s.NbLens; ++i)
            Liste->addItem(QString::number(i) + QStringLiteral(" - ") + s.LensTable[i].No);
        Liste->setCurrentRow(s.NbLens > 0 ? selected_ - 1 : -1);
    }
    showSelected();
}

void TLensEdF::showSelected()
{
    const Settings &s = AppSettings();
    const bool any = selected_ >= 1 && selected_ <= s.NbLens;
    const LensDef &lens = any ? s.LensTable[selected_] : s.LensTable[0];
    SelNomLab->setText(any ? lens.No : QString());
    const auto lines = LensRecordLines(lens);
    for (int i = 0; i < 6; ++i)
        selLabs_[i]->setText(any ? lines[i] : QString());
    enableButtons();
}

void TLensEdF::showNew()
{
    const auto lines = LensRecordLines(newLens_);
    for (int i = 0; i < 6; ++i)
        newLabs_[i]->setText(lines[i]);
}

void TLensEdF::enableButtons()
{
    const int count = AppSettings().NbLens;
    AddBout->setEnabled(count < kMaxLens);
    DelBout->setEnabled(count > 1);
    HautBout->setEnabled(selected_ > 1);
    BasBout->setEnabled(selected_ < count);
}

void TLensEdF::ListeClick()
{
    const int row = Liste->currentRow();
    if (row < 0)
        return;
    selected_ = row + 1;
    showSelected();
}

void TLensEdF::AddBoutClick()
{
    Settings &s = AppSettings();
    LensDef lens = newLens_;
    lens.No = NomEd->text();
    selected_ = InsertLens(s.LensTable, s.NbLens, selected_, lens);
    fillList();
}

void TLensEdF::DelBoutClick()
{
    Settings &s = AppSettings();
    selected_ = DeleteLens(s.LensTable, s.NbLens, selected_);
    fillList();
}

void TLensEdF::HautBoutClick()
{
    Settings &s = AppSettings();
    selected_ = MoveLensUp(s.LensTable, s.NbLens, selected_);
    fillList();
}

void TLensEdF::BasBoutClick()
{
    Settings &s = AppSettings();
    selected_ = MoveLensDown(s.LensTable, s.NbLens, selected_);
    fillList();
}

void TLensEdF::OkBoutClick()
{
    accepted_ = true;
    accept();
}

void TLensEdF::AnnulBoutClick() { reject(); }

void TLensEdF::AideBoutClick() { platform::ShowHelpTopic(QStringLiteral("LENSED")); }

} // namespace kaleno
