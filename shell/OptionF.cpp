#include "shell/OptionF.h"

#include "platform/HelpViewer.h"
#include "shell/Bitmaps.h"
#include "shell/Centring.h"
#include "shell/ConfusionText.h"
#include "shell/Settings.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>

namespace kaleno {

namespace {

constexpr int kClientWidth = 365;
constexpr int kClientHeight = 203;
// Inside the page control's frame.
constexpr int kPageWidth = 341;

// The caption as a screen reader should say it: no mnemonic marker, no padding blanks.
QString SpokenName(const QString &caption)
{
    QString name = caption;
    name.remove(QLatin1Char('&'));
    return name.trimmed();
}

template <typename Widget> Widget *Named(Widget *widget, const QString &name, const QString &spoken)
{
    widget->setObjectName(name);
    widget->setAccessibleName(spoken);
    return widget;
}

QPushButton *MakeButton(QWidget *parent, const QString &name, const QString &caption)
{
    return Named(new QPushButton(caption, parent), name, SpokenName(caption));
}

QCheckBox *MakeCheck(QWidget *page, const QString &name, const QString &caption, int top, int width)
{
    auto *box = Named(new QCheckBox(caption, page), name, SpokenName(caption));
    box->setGeometry(8, top, width, 21);
    return box;
}

// The settings edited by the flag boxes, in the order of the boxes.
constexpr std::array<bool Settings::*, 10> kFlags = {&Settings::BullesFlag, &Settings::TipFlag,
    &Settings::SplashFlag, &Settings::BrowserFlag, &Settings::LensModiFlag, &Settings::ExtSynthFlag,
    &Settings::ModObjFlag, &Settings::AllowLieuFlag, &Settings::UseCalcFlag, &Settings::GlobeFlag};

} // namespace

TOptionF::TOptionF(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TOptionF"));
    setAccessibleName(QStringLiteral("Options du logiciel"));
    // A tool window: small caption, no resizing, no minimise or maximise box.
    setWindowFlags(
        Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral(" Options du logiciel"));
    setFixedSize(kClientWidth, kClientHeight);
    // The captions were measured in this face and size; a larger one would cut them.
    setFont(QFont(QStringLiteral("Arial"), 8));

    Classeur = Named(new QTabWidget(this), QStringLiteral("Classeur"), QStringLiteral("Options"));
    Classeur->setGeometry(8, 8, 349, 156);

    const auto makePage = [this](const QString &name, const QString &caption) {
        auto *page = Named(new QWidget, name, SpokenName(caption));
        Classeur->addTab(page, caption);
        return page;
    };
    PrefTab = makePage(QStringLiteral("PrefTab"), QStringLiteral(" Préférences "));
    OptTab = makePage(QStringLiteral("OptTab"), QStringLiteral(" Optique   "));
    CosmoTab = makePage(QStringLiteral("CosmoTab"), QStringLiteral(" Astronomie"));

    // Preferences: four boxes beside the logo.
    const int prefWidth = 228;
    flagBoxes_[0] = MakeCheck(PrefTab, QStringLiteral("BullesCheck"),
        QStringLiteral(" Afficher les bulles d'aide "), 8, prefWidth);
    flagBoxes_[1] = MakeCheck(PrefTab, QStringLiteral("TipCheck"),
        QStringLiteral(" Afficher les astuces du jour au démarrage"), 32, prefWidth);
    flagBoxes_[2] = MakeCheck(PrefTab, QStringLiteral("SplashCheck"),
        QStringLiteral(" Afficher l'écran de démarrage"), 56, prefWidth);
    flagBoxes_[3] = MakeCheck(PrefTab, QStringLiteral("BrowserCheck"),
        QStringLiteral(" Autoriser l'emploi du catalogue d'images"), 80, prefWidth);

    PB = Named(new QLabel(PrefTab), QStringLiteral("PB"), QStringLiteral("Logo"));
    PB->setGeometry(8 + prefWidth + 4, 8, kPageWidth - (8 + prefWidth + 4) - 4, 110);
    PB->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QImage logo = LoadResourceBitmap(QStringLiteral("Logo"));
    if (!logo.isNull()) {
        // The logo's background is the colour of its corner; it takes the button face so
        // that the picture sits on the page without a frame.
        ReplaceCornerColour(logo, palette().color(QPalette::Button).rgb());
        PB->setPixmap(QPixmap::fromImage(logo));
    }

    // Optics: the circle of confusion, then three permissions.
    ConfusLab
        = Named(new QLabel(QStringLiteral("Cercle de confusion ( 0,01 - 0,30 mm ) :"), OptTab),
            QStringLiteral("ConfusLab"), QStringLiteral("Cercle de confusion ( 0,01 - 0,30 mm )"));
    ConfusLab->adjustSize();
    ConfusLab->move(8, 12);
    ConfEd = Named(new QLineEdit(OptTab), QStringLiteral("ConfEd"),
        QStringLiteral("Cercle de confusion en millimètres"));
    ConfEd->setGeometry(ConfusLab->geometry().right() + 6, 8, 49, 21);
    ConfusLab->setBuddy(ConfEd);
    ConfEd->installEventFilter(this);
    UnitLab = Named(new QLabel(QStringLiteral("mm"), OptTab), QStringLiteral("UnitLab"),
        QStringLiteral("millimètres"));
    UnitLab->adjustSize();
    UnitLab->move(ConfEd->geometry().right() + 5, 12);

    const int fullWidth = kPageWidth - 16;
    flagBoxes_[4] = MakeCheck(OptTab, QStringLiteral("LensModiCheck"),
        QStringLiteral(" Autoriser la modification de la liste de lentilles"), 44, fullWidth);
    flagBoxes_[5] = MakeCheck(OptTab, QStringLiteral("ExtSynthCheck"),
        QStringLiteral(" Autoriser la synthèse étendue ( additive et soustractive )"), 68,
        fullWidth);
    flagBoxes_[6] = MakeCheck(OptTab, QStringLiteral("ModObjCheck"),
        QStringLiteral(" Autoriser la modification de l'objet photographié"), 92, fullWidth);

    // Astronomy: the separate program's options, kept here so that it needs no window.
    flagBoxes_[7] = MakeCheck(CosmoTab, QStringLiteral("AllowLieuCheck"),
        QStringLiteral(" Permettre la modification du lieu d'observation"), 8, fullWidth);
    flagBoxes_[8] = MakeCheck(CosmoTab, QStringLiteral("UseCalcCheck"),
        QStringLiteral(" Permettre l'utilisation de la calculatrice pour calendrier "), 32,
        fullWidth);
    flagBoxes_[9] = MakeCheck(CosmoTab, QStringLiteral("GlobeCheck"),
        QStringLiteral(" Utiliser le globe 3D pour choisir un lieu"), 56, fullWidth);

    OkBout = MakeButton(this, QStringLiteral("OkBout"), QStringLiteral("&Ok"));
    AnnulBout = MakeButton(this, QStringLiteral("AnnulBout"), QStringLiteral("A&nnuler"));
    AideBout = MakeButton(this, QStringLiteral("AideBout"), QStringLiteral("&Aide"));
    OkBout->setGeometry(120, 170, 75, 25);
    AnnulBout->setGeometry(201, 170, 75, 25);
    AideBout->setGeometry(282, 170, 75, 25);
    OkBout->setDefault(true);

    connect(OkBout, &QPushButton::clicked, this, &TOptionF::OkBoutClick);
    connect(AnnulBout, &QPushButton::clicked, this, &TOptionF::AnnulBoutClick);
    connect(AideBout, &QPushButton::clicked, this, &TOptionF::AideBoutClick);
}

void TOptionF::SetPage(Page page)
{
    switch (page) {
    case Page::Preferences:
        Classeur->setCurrentWidget(PrefTab);
        break;
    case Page::Optics:
        Classeur->setCurrentWidget(OptTab);
        break;
    case Page::Astronomy:
        Classeur->setCurrentWidget(CosmoTab);
        break;
    }
}

int TOptionF::ShowOnPage(Page page)
{
    SetPage(page);
    return exec();
}

void TOptionF::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // A window restored from the task bar is not being opened again.
    if (event->spontaneous())
        return;
    CentreOnScreen(*this);
    FormShow();
}

void TOptionF::FormShow()
{
    Settings &settings = AppSettings();
    okPressed_ = false;
    for (std::size_t i = 0; i < kFlags.size(); ++i) {
        const bool value = settings.*kFlags[i];
        flagBoxes_[i]->setChecked(value);
        flagBackup_[i] = value;
    }
    confusionBackup_ = settings.Confusion;
    ConfEd->setText(FormatConfusion(settings.Confusion));
    open_ = true;
}

void TOptionF::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TOptionF::FormClose()
{
    if (!open_)
        return;
    open_ = false;
    Settings &settings = AppSettings();
    if (okPressed_) {
        for (std::size_t i = 0; i < kFlags.size(); ++i)
            settings.*kFlags[i] = flagBoxes_[i]->isChecked();
    } else {
        for (std::size_t i = 0; i < kFlags.size(); ++i)
            settings.*kFlags[i] = flagBackup_[i];
        settings.Confusion = confusionBackup_;
    }
}

void TOptionF::OkBoutClick()
{
    okPressed_ = true;
    // A value typed and confirmed by the button's shortcut never left the edit.
    if (ConfEd->isModified())
        ConfEdEntry();
    accept();
}

void TOptionF::AnnulBoutClick() { reject(); }

void TOptionF::AideBoutClick() { platform::ShowHelpTopic(QStringLiteral("Options")); }

void TOptionF::ConfEdEntry()
{
    Settings &settings = AppSettings();
    settings.Confusion = ParseConfusion(ConfEd->text());
    ConfEd->setText(FormatConfusion(settings.Confusion));
}

bool TOptionF::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ConfEd) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            // Enter confirms the value and stops there: it must not reach the OK button.
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                ConfEdEntry();
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            // Losing the focus with the window (another program, or this window closing
            // after a cancel that has already restored the value) is not leaving the edit.
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            if (open_ && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                ConfEdEntry();
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kaleno
