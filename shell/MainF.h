// The launcher: the program's main window, its menu bar and the page of links that the
// menu script fills, section by section. It opens the teaching windows and takes them back.
#pragma once

#include "shell/MenuScript.h"
#include "shell/Settings.h"

#include <QCursor>
#include <QImage>
#include <QMainWindow>
#include <QStringList>

#include <array>
#include <optional>

class QAction;
class QDialog;
class QLabel;
class QMenu;
class QTimer;

namespace kaleno {

class ModuleWindow;
class TOptionF;
class TSplashF;
class TSuperLab;
class TTipF;

// The teaching windows the launcher opens, in the order of its module table.
enum class Module {
    Add,
    Sub,
    Dessin,
    Eclaire,
    Spectre,
    Illusion,
    Filtre,
    Moire,
    Couleur,
    Quadri,
    RGB,
    Loup,
    Contraste,
    OptGeo,
    Photo
};
inline constexpr int kModuleCount = 15;

struct ModuleEntry {
    const char *menuName; // the launcher's menu item
    const char *caption; // its caption, UTF-8
    const char *windowName; // the window's class name
    const char *section; // its placement section in the settings file
};
extern const std::array<ModuleEntry, kModuleCount> kModuleTable;

class TMainF : public QMainWindow {
    Q_OBJECT
public:
    // arguments: the command line, program name first; "Cosmo" as the first parameter
    // means the astronomy program started us, so no splash and no tip of the day.
    // settingsPath: the settings file, read here and written when the window closes.
    TMainF(const QStringList &arguments, const QString &programFolder, const QString &settingsPath,
        QWidget *parent = nullptr);
    ~TMainF() override;

    // The windows made by the program; a module left null stays greyed in the menu and on
    // the page, and its placement record goes back to the file unchanged.
    void SetModuleWindow(Module module, ModuleWindow *window);
    void SetDialogs(TSplashF *splash, TOptionF *options, TTipF *tips);
    // The image catalogue; without it its menu item and links stay greyed.
    void SetBrowser(QDialog *browser);

    // Stores the sixteen placements and writes the settings file, once per run: closing
    // the launcher does it, and the program calls it again in case the run ended otherwise.
    void SaveAtExit();

    void OpenModule(QWidget *window);
    void ModuleClosed();

    // The launcher's state, for the program and its tests.
    int CurrentSection() const { return AppSettings().PageActive; }
    bool MenuScriptLoaded() const { return sections_.has_value(); }
    bool SaveWarningEnabled() const { return saveWarningEnabled_; }
    bool QuitHelpOnExit() const { return quitHelpOnExit_; }
    const QString &DisplayModeText() const { return displayModeText_; }
    bool LowColourDisplay() const { return lowColourDisplay_; }

    // Handlers, under the names the launcher's controls and menus know them by.
    void SectionLabClick(int section);
    void LabClick(int line);
    void ShowSection();
    void EditionMenuPopup();
    void ClearMenuClick();
    void CosmoMenuClick();
    void BrowserMenuClick();
    void QuitMenuClick();
    void CalcMenuClick();
    void OptionsMenuClick(int page);
    void WinHlpMenuClick();
    void TipMenuClick();
    void LisezMoiMenuClick();
    void OeilMenuClick();
    void OeilHlpMenuClick();
    void AboutMenuClick();
    void TipTimeTimer();
    void WarningTimerTimer();

    // Applies the hint option to every module window.
    void ApplyHints();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    friend class LauncherPage;
    friend class LauncherBullet;

    void buildMenus();
    void buildPage();
    void loadBitmaps();
    void firstShow();
    void applyPlacements();
    void storePlacements();
    void applyEntry(TSuperLab *label, const MenuEntry &entry, bool available);
    bool moduleAvailable(int section, int line) const;
    QAction *lineAction(int section, int line) const;
    void LaunchCosmo();
    QString cosmoProgram() const;
    void paintPage(QWidget *page);
    void paintBullet(QWidget *bullet, int line);

    QStringList arguments_;
    QString programFolder_;
    QString settingsPath_;
    QString displayModeText_;
    bool lowColourDisplay_ = false;
    bool firstShow_ = true;
    bool quitHelpOnExit_ = true;
    bool saveWarningEnabled_ = false;
    bool saved_ = false;

    std::optional<std::array<MenuSection, 5>> sections_;
    std::array<ModuleWindow *, kModuleCount> modules_ {};
    std::array<QAction *, kModuleCount> moduleActions_ {};
    TSplashF *splash_ = nullptr;
    TOptionF *options_ = nullptr;
    TTipF *tips_ = nullptr;
    QDialog *browser_ = nullptr;

    QImage puceR_, puceG_, puceB_, motif_;
    QCursor handCursor_;
    QWidget *page_ = nullptr;
    QLabel *modeLab_ = nullptr;
    QLabel *warningLab_ = nullptr;
    std::array<TSuperLab *, 5> secLabs_ {};
    std::array<TSuperLab *, 12> linkLabs_ {};
    std::array<QWidget *, 12> puces_ {};
    std::array<int, 12> lineStates_ {};
    QTimer *tipTime_ = nullptr;
    QTimer *warningTimer_ = nullptr;
    bool warningRed_ = true;

    QAction *cosmoMenu_ = nullptr;
    QAction *browserMenu_ = nullptr;
    QAction *quitMenu_ = nullptr;
    QAction *calcMenu_ = nullptr;
    QMenu *editionMenu_ = nullptr;
    QAction *clearMenu_ = nullptr;
    QAction *winHlpMenu_ = nullptr;
    QAction *tipMenu_ = nullptr;
    QAction *lisezMoiMenu_ = nullptr;
    QAction *oeilMenu_ = nullptr;
    QAction *oeilHlpMenu_ = nullptr;
    QAction *aboutMenu_ = nullptr;
};

} // namespace kaleno
