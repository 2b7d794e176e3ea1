#include "app/Program.h"

#include "catalogue/BrowserF.h"
#include "imaging/CurrentImage.h"
#include "platform/MessageBox.h"
#include "modules/colour/additive/AddF.h"
#include "modules/colour/subtractive/SubF.h"
#include "modules/graphics/colourspaces/CouleurF.h"
#include "modules/graphics/rgb/RGBF.h"
#include "modules/optics/lensbench/LensF.h"
#include "modules/optics/lenseditor/ChoixGeoF.h"
#include "modules/optics/lenseditor/LensEdF.h"
#include "modules/optics/photo/PhotoF.h"
#include "modules/optics/photo/PickPhotoF.h"
#include "platform/SingleInstance.h"
#include "shell/MainF.h"
#include "shell/OptionF.h"
#include "shell/ParcourF.h"
#include "shell/Settings.h"
#include "shell/SplashF.h"
#include "shell/TipF.h"

#include <QApplication>
#include <QProxyStyle>

namespace kaleno {

namespace {

// Hint bubbles come up after 400 ms over a control.
class KalenoStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
        QStyleHintReturn *returnData) const override
    {
        if (hint == QStyle::SH_ToolTip_WakeUpDelay)
            return 400;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

int runProgram(QApplication &application)
{
    application.setApplicationName(QStringLiteral("Kaleno"));
    application.setApplicationDisplayName(QStringLiteral("Kaleno"));
    if (!dynamic_cast<KalenoStyle *>(QApplication::style()))
        application.setStyle(new KalenoStyle); // the application owns its style

    platform::SingleInstance instance;
    if (!instance.TryAcquire()) {
        platform::WarningBoxWithButton(nullptr,
            QStringLiteral("Attention, Kaleno est déjà en cours d'exécution."),
            QStringLiteral("&Oui"));
        return 0;
    }

    const QStringList arguments = application.arguments();
    const bool fromCosmo = arguments.size() > 1 && arguments.at(1) == QLatin1String("Cosmo");
    const QString programFolder = QCoreApplication::applicationDirPath();

    TMainF launcher(arguments, programFolder, SettingsFilePath(programFolder));
    TSplashF splash;
    if (AppSettings().SplashFlag && !fromCosmo)
        splash.ShowSplash();

    TOptionF options;
    TCouleurF couleur;
    TTipF tips;
    TParcourF parcour;
    TBrowserF browser;
    browser.SetFolderDialog(&parcour);
    // Image modules never include the catalogue: they reach it through the shared image.
    SetCataloguePicker([&browser] { return browser.PickFile(); });
    TRGBF rgb;
    rgb.SetLauncher(&launcher);
    TAddF add;
    TSubF sub;
    TChoixGeoF choixGeo;
    TLensF lens;
    TLensEdF lensEd;
    lens.SetDialogs(&lensEd, &choixGeo);
    TPhotoF photo;
    TPickPhotoF pickPhoto;
    photo.SetPickDialog(&pickPhoto);
    launcher.SetDialogs(&splash, &options, &tips);
    launcher.SetModuleWindow(Module::Add, &add);
    launcher.SetModuleWindow(Module::Sub, &sub);
    launcher.SetModuleWindow(Module::Couleur, &couleur);
    launcher.SetModuleWindow(Module::RGB, &rgb);
    launcher.SetBrowser(&browser);
    launcher.SetModuleWindow(Module::OptGeo, &lens);
    launcher.SetModuleWindow(Module::Photo, &photo);

    launcher.show();
    const int exitCode = application.exec();
    launcher.SaveAtExit();
    SetCataloguePicker({}); // the browser dies with this run
    return exitCode;
}

} // namespace kaleno
