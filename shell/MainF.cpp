#include "shell/MainF.h"

#include "platform/Calculator.h"
#include "platform/Clipboard.h"
#include "platform/HelpViewer.h"
#include "platform/MessageBox.h"
#include "platform/ShellLaunch.h"
#include "shell/Bitmaps.h"
#include "shell/DisplayMode.h"
#include "shell/ModuleWindow.h"
#include "shell/OptionF.h"
#include "shell/PlacementFit.h"
#include "shell/ShellValues.h"
#include "shell/SplashF.h"
#include "shell/SuperLab.h"
#include "shell/TipF.h"

#include <QAction>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace kaleno {

const std::array<ModuleEntry, kModuleCount> kModuleTable = {{
    {"AddMenu", "Synthèse trichromique &additive", "TAddF", "AddF"},
    {"SubMenu", "Synthèse trichromique &soustractive", "TSubF", "SubF"},
    {"DessinMenu", "&Dessin Libre ( par soustraction )", "TDessinF", "DessinF"},
    {"EclaireMenu", "&Eclairage d'une scène", "TEclaireF", "EclaireF"},
    {"SpectreMenu", "Spectre de la lumière &blanche", "TSpectreF", "SpectreF"},
    {"IllusionMenu", "&Illusions d'optique", "TDistortF", "DistortF"},
    {"FiltreMenu", "L&umière et filtres", "TFiltreF", "FiltreF"},
    {"MoireMenu", "&Moirés", "TMoireF", "MoireF"},
    {"CouleurMenu", "S&ystèmes de mesures de la couleur", "TCouleurF", "CouleurF"},
    {"QuadriMenu", "&Impression par quadrichromie ou trichromie", "TQuadriF", "QuadriF"},
    {"RGBMenu", "&Décomposition RVB d'une image", "TRGBF", "RGBF"},
    {"LoupMenu", "L'écran de télévision à la &Loupe", "TLoupF", "LoupF"},
    {"ContrasteMenu", "&Contraste et Luminosité d'une image", "TContrastF", "ContrastF"},
    {"OptGeoMenu", "Optique &géométrique", "TLensF", "LensF"},
    {"PhotoMenu", "Appareil p&hotographique", "TPhotoF", "PhotoF"},
}};

namespace {

// The page's fixed client area and the geometry of its links.
constexpr int kClientWidth = 595;
constexpr int kClientHeight = 530;
constexpr int kStatusHeight = 20;
constexpr int kLinkLeft = 56;
constexpr int kBulletLeft = 36;
constexpr int kBulletWidth = 13;
constexpr int kBulletHeight = 9;

// What each link line of a section triggers (sections 1, 2 and 4; 3 is never shown).
constexpr std::array<std::array<const char *, 12>, 5> kLineActions = {{
    {},
    {nullptr, "AddMenu", "SubMenu", "EclaireMenu", "FiltreMenu", "IllusionMenu", "MoireMenu",
        "DessinMenu", "SpectreMenu", "WinHlpMenu", "BrowserMenu", "QuitMenu"},
    {nullptr, "OptGeoMenu", "PhotoMenu", "OeilMenu", "OeilHlpMenu", "WinHlpMenu", "BrowserMenu",
        "QuitMenu"},
    {},
    {nullptr, "CouleurMenu", "QuadriMenu", "RGBMenu", "ContrasteMenu", "LoupMenu", "WinHlpMenu",
        "BrowserMenu", "QuitMenu"},
}};

// The order in which placements are applied and stored: the launcher first.
constexpr std::array<int, kPlacementCount> kPlacementOrder
    = {0, 1, 2, 4, 3, 5, 6, 7, 8, 9, 10, 11, 13, 12, 14, 15};

int sectionIndex(const char *section)
{
    for (int i = 0; i < kPlacementCount; ++i)
        if (qstrcmp(kPlacementSections[size_t(i)], section) == 0)
            return i;
    return -1;
}

QString firstParameter(const QStringList &arguments)
{
    return arguments.size() > 1 ? arguments.at(1) : QString();
}

} // namespace

// The link page: paints the tiled motif behind the links.
class LauncherPage : public QWidget {
public:
    LauncherPage(TMainF *owner, QWidget *parent)
        : QWidget(parent)
        , owner_(owner)
    {
    }

protected:
    void paintEvent(QPaintEvent *) override { owner_->paintPage(this); }

private:
    TMainF *owner_;
};

// One bullet in front of a link line.
class LauncherBullet : public QWidget {
public:
    LauncherBullet(TMainF *owner, int line, QWidget *parent)
        : QWidget(parent)
        , owner_(owner)
        , line_(line)
    {
        setFixedSize(kBulletWidth, kBulletHeight);
    }

protected:
    void paintEvent(QPaintEvent *) override { owner_->paintBullet(this, line_); }

private:
    TMainF *owner_;
    int line_;
};

TMainF::TMainF(const QStringList &arguments, const QString &programFolder,
    const QString &settingsPath, QWidget *parent)
    : QMainWindow(parent)
    , arguments_(arguments)
    , programFolder_(programFolder)
    , settingsPath_(settingsPath)
{
    setObjectName(QStringLiteral("TMainF"));
    setAccessibleName(QString::fromUtf8(kProductName));

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const DisplayMode mode
            = DescribeDisplay(screen->size().width(), screen->size().height(), screen->depth());
        displayModeText_ = mode.Text;
        lowColourDisplay_ = mode.LowColour;
    }
    // A settings file installed beside a read-only program is the starting point until
    // the user's own copy exists.
    const QString installed = programFolder_ + QStringLiteral("/Kaleno.ini");
    LoadSettings(AppSettings(), QFileInfo::exists(settingsPath_) ? settingsPath_ : installed,
                 programFolder_);
    setWindowTitle(QString::fromUtf8(kAppTitle));

    loadBitmaps();
    buildMenus();
    buildPage();

    tipTime_ = new QTimer(this);
    tipTime_->setObjectName(QStringLiteral("TipTime"));
    tipTime_->setInterval(500);
    connect(tipTime_, &QTimer::timeout, this, &TMainF::TipTimeTimer);
    warningTimer_ = new QTimer(this);
    warningTimer_->setObjectName(QStringLiteral("WarningTimer"));
    warningTimer_->setInterval(1000);
    connect(warningTimer_, &QTimer::timeout, this, &TMainF::WarningTimerTimer);
}

TMainF::~TMainF()
{
    if (quitHelpOnExit_)
        platform::QuitHelp();
}

void TMainF::loadBitmaps()
{
    const QRgb face = palette().color(QPalette::Button).rgb();
    const QRgb olive = qRgb(128, 128, 0);
    puceR_ = LoadResourceBitmap(QStringLiteral("PuceR"));
    puceG_ = LoadResourceBitmap(QStringLiteral("PuceG"));
    puceB_ = LoadResourceBitmap(QStringLiteral("PuceB"));
    for (QImage *bullet : {&puceR_, &puceG_, &puceB_})
        ReplaceImageColour(*bullet, olive, face);
    const QColor faceColour = palette().color(QPalette::Button);
    // A dark button face gets the dark motif, so that the text stays readable.
    const int mean = (faceColour.red() + faceColour.green() + faceColour.blue()) / 3;
    motif_ = LoadResourceBitmap(mean <= 200 ? QStringLiteral("MotifF") : QStringLiteral("Motif"));
    ReplaceCornerColour(motif_, face);
}

void TMainF::buildMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));
    auto addItem = [](QMenu *menu, const char *name, const char *caption) {
        QAction *action = menu->addAction(QString::fromUtf8(caption));
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    auto moduleItem = [this, &addItem](QMenu *menu, Module module) {
        const ModuleEntry &entry = kModuleTable[size_t(module)];
        QAction *action = addItem(menu, entry.menuName, entry.caption);
        action->setEnabled(false);
        moduleActions_[size_t(module)] = action;
        connect(action, &QAction::triggered, this, [this, module] {
            if (ModuleWindow *window = modules_[size_t(module)])
                OpenModule(window);
        });
    };

    QMenu *fichier = bar->addMenu(QStringLiteral("&Fichier"));
    fichier->setObjectName(QStringLiteral("FichierMenu"));
    browserMenu_ = addItem(fichier, "BrowserMenu", "&Cataloguer les images");
    fichier->addSeparator();
    quitMenu_ = addItem(fichier, "QuitMenu", "&Quitter");

    editionMenu_ = bar->addMenu(QStringLiteral("&Edition"));
    editionMenu_->setObjectName(QStringLiteral("EditionMenu"));
    clearMenu_ = addItem(editionMenu_, "ClearMenu", "Vider le presse-papiers");
    editionMenu_->addSeparator();
    calcMenu_ = addItem(editionMenu_, "CalcMenu", "&Calculatrice de Windows");
    connect(editionMenu_, &QMenu::aboutToShow, this, &TMainF::EditionMenuPopup);

    QMenu *couleurs = bar->addMenu(QStringLiteral("&Couleurs"));
    couleurs->setObjectName(QStringLiteral("CouleursMenu"));
    for (Module m : {Module::Add, Module::Sub, Module::Dessin, Module::Eclaire, Module::Spectre,
             Module::Illusion, Module::Filtre, Module::Moire})
        moduleItem(couleurs, m);

    QMenu *optique = bar->addMenu(QStringLiteral("&Optique"));
    optique->setObjectName(QStringLiteral("OptiqueMenu"));
    moduleItem(optique, Module::OptGeo);
    moduleItem(optique, Module::Photo);
    optique->addSeparator();
    oeilMenu_ = addItem(optique, "OeilMenu", "L'&oeil et la vision ( Html )");
    oeilHlpMenu_ = addItem(optique, "OeilHlpMenu", "L'oeil et la vision ( &Winhelp )");

    QMenu *infographie = bar->addMenu(QStringLiteral("&Infographie"));
    infographie->setObjectName(QStringLiteral("InfographieMenu"));
    for (Module m : {Module::Couleur, Module::Quadri, Module::RGB, Module::Loup, Module::Contraste})
        moduleItem(infographie, m);

    cosmoMenu_ = bar->addAction(QStringLiteral("&Astronomie"));
    cosmoMenu_->setObjectName(QStringLiteral("CosmoMenu"));

    QMenu *options = bar->addMenu(QStringLiteral("O&ptions"));
    options->setObjectName(QStringLiteral("OptionsMenu"));
    QAction *preferences = addItem(options, "PreferencesMenu", "&Préférences...");
    QAction *optique1 = addItem(options, "Optique1", "&Optique...");
    QAction *astronomie1 = addItem(options, "Astronomie1", "&Astronomie...");

    QMenu *aide = bar->addMenu(QStringLiteral("Ai&de"));
    aide->setObjectName(QStringLiteral("AideMenu"));
    winHlpMenu_ = addItem(aide, "WinHlpMenu", "&Aide du logiciel");
    tipMenu_ = addItem(aide, "TipMenu", "Astuce du &jour");
    lisezMoiMenu_ = addItem(aide, "LisezMoiMenu", "&Lisez Moi");
    aide->addSeparator();
    // Both web entries stay hidden: the program has no address of its own to open.
    addItem(aide, "WebAuteurMenu", "Site Web de l'&auteur")->setVisible(false);
    addItem(aide, "SitewebdeDorvane1", "Site web de &Dorvane")->setVisible(false);
    aboutMenu_ = addItem(aide, "AboutMenu", "A &propos de...");

    // The eye documents sit beside the program when they are installed; without them the
    // entries would do nothing, so they are greyed.
    oeilMenu_->setEnabled(QFileInfo::exists(programFolder_ + QStringLiteral("/oeil/index.html")));
    oeilHlpMenu_->setEnabled(QFileInfo::exists(programFolder_ + QStringLiteral("/oeil.hlp")));

    browserMenu_->setEnabled(false);
    connect(browserMenu_, &QAction::triggered, this, &TMainF::BrowserMenuClick);
    connect(quitMenu_, &QAction::triggered, this, &TMainF::QuitMenuClick);
    connect(clearMenu_, &QAction::triggered, this, &TMainF::ClearMenuClick);
    connect(calcMenu_, &QAction::triggered, this, &TMainF::CalcMenuClick);
    connect(oeilMenu_, &QAction::triggered, this, &TMainF::OeilMenuClick);
    connect(oeilHlpMenu_, &QAction::triggered, this, &TMainF::OeilHlpMenuClick);
    connect(cosmoMenu_, &QAction::triggered, this, &TMainF::CosmoMenuClick);
    connect(preferences, &QAction::triggered, this, [this] { OptionsMenuClick(0); });
    connect(optique1, &QAction::triggered, this, [this] { OptionsMenuClick(1); });
    connect(astronomie1, &QAction::triggered, this, [this] { OptionsMenuClick(2); });
    connect(winHlpMenu_, &QAction::triggered, this, &TMainF::WinHlpMenuClick);
    connect(tipMenu_, &QAction::triggered, this, &TMainF::TipMenuClick);
    connect(lisezMoiMenu_, &QAction::triggered, this, &TMainF::LisezMoiMenuClick);
    connect(aboutMenu_, &QAction::triggered, this, &TMainF::AboutMenuClick);
}

void TMainF::buildPage()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("Client"));
    client->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(client);

    page_ = new LauncherPage(this, client);
    page_->setObjectName(QStringLiteral("Page"));
    page_->setGeometry(0, 0, kClientWidth, kClientHeight - kStatusHeight);

    auto *bevel1 = new QFrame(page_);
    bevel1->setObjectName(QStringLiteral("Bevel1"));
    bevel1->setFrameStyle(QFrame::HLine | QFrame::Raised);
    bevel1->setGeometry(0, 0, kClientWidth, 2);

    QFont linkFont(QStringLiteral("Arial"));
    linkFont.setPixelSize(16);
    linkFont.setBold(true);
    linkFont.setItalic(true);
    handCursor_ = LoadResourceCursor(QStringLiteral("C_Main"));

    auto makeLink = [&](const QString &name, QPoint at) {
        auto *label = new TSuperLab(page_);
        label->setObjectName(name);
        label->setFont(linkFont);
        label->setAttribute(Qt::WA_TranslucentBackground);
        label->move(at);
        label->setLinkCursor(handCursor_);
        return label;
    };
    const std::array<QPoint, 5> secAt
        = {QPoint(), QPoint(152, 30), QPoint(152, 8), QPoint(16, 30), QPoint(16, 8)};
    for (int s = 1; s <= 4; ++s) {
        secLabs_[size_t(s)] = makeLink(QStringLiteral("SecLab%1").arg(s), secAt[size_t(s)]);
        connect(secLabs_[size_t(s)], &TSuperLab::clicked, this, [this, s] { SectionLabClick(s); });
    }
    for (int j = 1; j <= 11; ++j) {
        linkLabs_[size_t(j)]
            = makeLink(QStringLiteral("LinkLab%1").arg(j), QPoint(kLinkLeft, 68 + 28 * (j - 1)));
        connect(linkLabs_[size_t(j)], &TSuperLab::clicked, this, [this, j] { LabClick(j); });
        auto *bullet = new LauncherBullet(this, j, page_);
        bullet->setObjectName(QStringLiteral("Puce%1").arg(j));
        bullet->move(kBulletLeft, 72 + 28 * (j - 1));
        puces_[size_t(j)] = bullet;
    }

    auto *panel = new QWidget(client);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setGeometry(0, kClientHeight - kStatusHeight, kClientWidth, kStatusHeight);
    panel->setAutoFillBackground(true);
    auto *bevel2 = new QFrame(client);
    bevel2->setObjectName(QStringLiteral("Bevel2"));
    bevel2->setFrameStyle(QFrame::HLine | QFrame::Raised);
    bevel2->setGeometry(0, kClientHeight - kStatusHeight - 2, kClientWidth, 2);
    modeLab_ = new QLabel(panel);
    modeLab_->setObjectName(QStringLiteral("ModeLab"));
    modeLab_->move(2, 2);
    warningLab_ = new QLabel(panel);
    warningLab_->setObjectName(QStringLiteral("WarningLab"));
}

void TMainF::SetModuleWindow(Module module, ModuleWindow *window)
{
    modules_[size_t(module)] = window;
    moduleActions_[size_t(module)]->setEnabled(window != nullptr);
    if (window)
        connect(window, &ModuleWindow::Closed, this, &TMainF::ModuleClosed);
}

void TMainF::SetBrowser(QDialog *browser)
{
    browser_ = browser;
    browserMenu_->setEnabled(browser_ != nullptr);
}

void TMainF::SetDialogs(TSplashF *splash, TOptionF *options, TTipF *tips)
{
    splash_ = splash;
    options_ = options;
    tips_ = tips;
    if (splash_) {
        // The splash may already be up; the About entry waits until it has gone.
        aboutMenu_->setEnabled(!splash_->isVisible());
        connect(splash_, &TSplashF::Closed, this, [this] { aboutMenu_->setEnabled(true); });
    }
}

void TMainF::OpenModule(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
    hide();
}

void TMainF::ModuleClosed() { show(); }

void TMainF::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    saveWarningEnabled_ = true;
    if (firstShow_)
        firstShow();
    ShowSection();
    if (lowColourDisplay_)
        warningTimer_->start();
}

void TMainF::hideEvent(QHideEvent *event)
{
    warningTimer_->stop();
    QMainWindow::hideEvent(event);
}

void TMainF::firstShow()
{
    QFile script(QStringLiteral(":/text/MENU.txt"));
    if (script.open(QIODevice::ReadOnly))
        sections_ = ParseMenuScript(script.readAll(), QString::fromUtf8(kProductName));
    if (!sections_)
        platform::WarningBox(this,
            QStringLiteral("Le script du menu de Kaleno est illisible : "
                           "les liens de la fenêtre restent vides."));

    modeLab_->setText(QString::fromUtf8(kProductName) + QStringLiteral(" - ") + displayModeText_);
    modeLab_->adjustSize();
    QPalette warningPalette = warningLab_->palette();
    if (lowColourDisplay_) {
        warningLab_->setText(QStringLiteral("Affichage conseillé : 65536 couleurs"));
        warningPalette.setColor(QPalette::WindowText, Qt::red);
    } else {
        warningLab_->setText(QStringLiteral("Affichage convenable"));
        warningPalette.setColor(QPalette::WindowText, QColor(0, 128, 0));
    }
    warningLab_->setPalette(warningPalette);
    warningLab_->adjustSize();
    warningLab_->move(modeLab_->geometry().right() + 1 + 10, 2);

    ApplyHints();
    if (AppSettings().TipFlag)
        tipTime_->start();
    applyPlacements();
    // The splash stays above the launcher that appears after it, window manager or not.
    if (splash_ && splash_->isVisible())
        QTimer::singleShot(0, splash_, [splash = splash_] { splash->raise(); });
    firstShow_ = false;
}

void TMainF::ApplyHints()
{
    for (ModuleWindow *window : modules_)
        if (window)
            window->SetShowHints(AppSettings().BullesFlag);
}

void TMainF::applyPlacements()
{
    Settings &settings = AppSettings();
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    const QScreen *primary = QGuiApplication::primaryScreen();
    const QRect primaryRect = primary ? primary->availableGeometry() : QRect(0, 0, 800, 600);

    for (int index : kPlacementOrder) {
        QWidget *window = index == 0 ? static_cast<QWidget *>(this) : nullptr;
        for (int m = 0; m < kModuleCount && index != 0; ++m)
            if (sectionIndex(kModuleTable[size_t(m)].section) == index)
                window = modules_[size_t(m)];
        if (!window)
            continue;
        // Resizing the magnifier changes its size setting: the stored one must win.
        const int savedDest = settings.wDest;
        const WindowPlacement &placement = settings.Placements[size_t(index)];
        if (placement.Maxis) {
            window->setWindowState(window->windowState() | Qt::WindowMaximized);
        } else {
            QRect frame(window->pos(), window->size());
            if (placement.X > -1)
                frame.moveLeft(placement.X);
            if (placement.Y > -1)
                frame.moveTop(placement.Y);
            // The launcher's page has a fixed size; only the teaching windows are resized.
            if (placement.W > 0 && window != this)
                frame.setWidth(placement.W);
            if (placement.H > 0 && window != this)
                frame.setHeight(placement.H);
            frame = FitOntoScreens(frame, screens, primaryRect);
            window->move(frame.topLeft());
            if (window != this)
                window->resize(frame.size());
        }
        settings.wDest = savedDest;
    }
}

void TMainF::storePlacements()
{
    Settings &settings = AppSettings();
    for (int index : kPlacementOrder) {
        const QWidget *window = index == 0 ? static_cast<const QWidget *>(this) : nullptr;
        for (int m = 0; m < kModuleCount && index != 0; ++m)
            if (sectionIndex(kModuleTable[size_t(m)].section) == index)
                window = modules_[size_t(m)];
        if (!window)
            continue;
        WindowPlacement &placement = settings.Placements[size_t(index)];
        placement.Maxis = window->isMaximized();
        // A maximised window keeps the size it comes back to when restored.
        const QRect normal = placement.Maxis ? window->normalGeometry() : window->geometry();
        placement.X = window->isMaximized() ? normal.x() : window->pos().x();
        placement.Y = window->isMaximized() ? normal.y() : window->pos().y();
        placement.W = normal.width();
        placement.H = normal.height();
    }
}

bool TMainF::moduleAvailable(int section, int line) const
{
    const QAction *action = lineAction(section, line);
    return !action || action->isEnabled();
}

QAction *TMainF::lineAction(int section, int line) const
{
    if (section < 1 || section > 4 || line < 1 || line > 11)
        return nullptr;
    const char *name = kLineActions[size_t(section)][size_t(line)];
    if (!name)
        return nullptr;
    return findChild<QAction *>(QString::fromLatin1(name));
}

void TMainF::applyEntry(TSuperLab *label, const MenuEntry &entry, bool available)
{
    label->setText(entry.Caption);
    label->setAccessibleName(entry.Caption);
    label->adjustSize();
    if (entry.State == 3) {
        label->hide();
        return;
    }
    label->show();
    // A line whose window is not there yet looks like an inactive one.
    const bool active = entry.State != 0 && available;
    label->setLinkEnabled(active);
    label->setLinkCursor(active ? handCursor_ : QCursor(Qt::ArrowCursor));
    label->setFontColor(active ? palette().color(QPalette::WindowText)
                               : palette().color(QPalette::Disabled, QPalette::WindowText));
}

void TMainF::ShowSection()
{
    if (!sections_)
        return;
    int &current = AppSettings().PageActive;
    if (current < 1 || current > 4 || current == 3)
        current = 1;
    const MenuSection &section = (*sections_)[size_t(current)];
    setWindowTitle(section.Title);
    for (int s = 1; s <= 4; ++s)
        applyEntry(secLabs_[size_t(s)], section.Links[size_t(s)], true);
    const LinkLayout layout = LayoutLines(section);
    for (int j = 1; j <= 11; ++j) {
        const MenuEntry &entry = section.Lines[size_t(j)];
        const bool available = moduleAvailable(current, j);
        applyEntry(linkLabs_[size_t(j)], entry, available);
        linkLabs_[size_t(j)]->move(kLinkLeft, layout.top[size_t(j)]);
        puces_[size_t(j)]->move(kBulletLeft, layout.bulletTop[size_t(j)]);
        puces_[size_t(j)]->setVisible(entry.State < 3);
        lineStates_[size_t(j)] = available ? entry.State : 0;
        puces_[size_t(j)]->update();
    }
}

void TMainF::SectionLabClick(int section)
{
    if (section == 3) {
        CosmoMenuClick();
        return;
    }
    AppSettings().PageActive = section;
    ShowSection();
}

void TMainF::LabClick(int line)
{
    if (QAction *action = lineAction(AppSettings().PageActive, line))
        action->trigger();
}

void TMainF::paintPage(QWidget *page)
{
    QPainter painter(page);
    if (motif_.isNull()) {
        painter.fillRect(page->rect(), palette().color(QPalette::Button));
        return;
    }
    const int w = motif_.width(), h = motif_.height();
    for (int r = 0; r <= page->height() / h; ++r)
        for (int c = 0; c <= page->width() / w; ++c)
            painter.drawImage(c * w, r * h, motif_);
}

void TMainF::paintBullet(QWidget *bullet, int line)
{
    const QImage *image = nullptr;
    switch (lineStates_[size_t(line)]) {
    case 0:
        image = &puceG_;
        break;
    case 1:
        image = &puceB_;
        break;
    case 2:
        image = &puceR_;
        break;
    default:
        return;
    }
    QPainter painter(bullet);
    painter.drawImage(0, 0, *image);
}

void TMainF::EditionMenuPopup() { clearMenu_->setEnabled(platform::HasBitmap()); }

void TMainF::ClearMenuClick() { platform::Clear(); }

QString TMainF::cosmoProgram() const
{
#ifdef Q_OS_WIN
    return programFolder_ + QStringLiteral("/Cosmo.exe");
#else
    return programFolder_ + QStringLiteral("/Cosmo");
#endif
}

void TMainF::CosmoMenuClick()
{
    // Without the astronomy program installed, handing over would only end Kaleno.
    if (!QFileInfo(cosmoProgram()).isExecutable()) {
        platform::WarningBox(this,
            QStringLiteral("Le programme d'astronomie n'est pas installé "
                           "sur cet ordinateur."));
        return;
    }
    saveWarningEnabled_ = false;
    quitHelpOnExit_ = false;
    close();
    LaunchCosmo();
}

void TMainF::LaunchCosmo()
{
    platform::StartProgram(cosmoProgram(), {}, programFolder_);
    saveWarningEnabled_ = false;
}

void TMainF::BrowserMenuClick()
{
    if (!AppSettings().BrowserFlag) {
        platform::WarningBox(this, QStringLiteral(" Option indisponible"),
            QStringLiteral("Cette fonction n'est pas autorisée par les "
                           "options courantes...\n")
                + QString(16, QLatin1Char(' '))
                + QStringLiteral("Modifiez les options pour y accéder."));
        return;
    }
    if (browser_)
        browser_->exec();
}

void TMainF::QuitMenuClick() { close(); }

void TMainF::CalcMenuClick() { platform::ShowCalculator(); }

void TMainF::OptionsMenuClick(int page)
{
    if (!options_)
        return;
    options_->ShowOnPage(static_cast<TOptionF::Page>(page));
    ApplyHints();
}

void TMainF::WinHlpMenuClick() { platform::ShowHelpTopic(QStringLiteral("Sommaire")); }

void TMainF::TipMenuClick()
{
    if (tips_)
        tips_->exec();
}

void TMainF::LisezMoiMenuClick() { platform::OpenReadMe(programFolder_); }

void TMainF::OeilMenuClick()
{
    platform::OpenDocument(programFolder_ + QStringLiteral("/oeil/index.html"));
}

void TMainF::OeilHlpMenuClick()
{
    platform::OpenDocument(programFolder_ + QStringLiteral("/oeil.hlp"));
}

void TMainF::AboutMenuClick()
{
    if (!splash_)
        return;
    aboutMenu_->setEnabled(false);
    splash_->ShowAbout();
    aboutMenu_->setEnabled(true);
}

void TMainF::TipTimeTimer()
{
    if (firstParameter(arguments_) == QLatin1String("Cosmo")) {
        tipTime_->stop();
        return;
    }
    if (splash_ && splash_->isVisible())
        return;
    tipTime_->stop();
    if (tips_)
        tips_->exec();
}

void TMainF::WarningTimerTimer()
{
    warningRed_ = !warningRed_;
    QPalette colours = warningLab_->palette();
    colours.setColor(
        QPalette::WindowText, warningRed_ ? QColor(Qt::red) : palette().color(QPalette::Button));
    warningLab_->setPalette(colours);
}

void TMainF::SaveAtExit()
{
    if (saved_)
        return;
    saved_ = true;
    storePlacements();
    if (SaveSettings(AppSettings(), settingsPath_) == SaveResult::ReadOnly && saveWarningEnabled_)
        platform::InformationBox(
            this, QString::fromUtf8(ReadOnlyCaption), ReadOnlyMessage(programFolder_));
}

void TMainF::closeEvent(QCloseEvent *event)
{
    SaveAtExit();
    event->accept();
    // The launcher ends the run even while a splash or a help window is still open.
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

} // namespace kaleno
