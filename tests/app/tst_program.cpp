// The whole program, started in process with "Cosmo" as its parameter (no splash, no tip),
// driven from inside its own message loop.
#include "app/Program.h"
#include "shell/MainF.h"
#include "shell/ModuleWindow.h"
#include "shell/Settings.h"
#include "shell/SuperLab.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <functional>

using namespace kaleno;

namespace {

TMainF *findLauncher()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *launcher = qobject_cast<TMainF *>(widget))
            return launcher;
    return nullptr;
}

// Runs the program; `during` runs once its launcher is on screen and must end the run
// (closing the launcher) when it is done.
int runWith(std::function<void(TMainF &)> during)
{
    auto *poll = new QTimer(qApp);
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, during] {
        TMainF *launcher = findLauncher();
        if (!launcher || !launcher->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        during(*launcher);
    });
    poll->start();
    return runProgram(*qApp);
}

// Closes the next modal message box, remembering its text and buttons.
struct MessageCatcher {
    QString text, caption;
    QStringList buttons;
    void arm()
    {
        auto *poll = new QTimer(qApp);
        poll->setInterval(10);
        QObject::connect(poll, &QTimer::timeout, [this, poll] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            poll->stop();
            poll->deleteLater();
            text = box->text();
            caption = box->windowTitle();
            for (QAbstractButton *button : box->buttons())
                buttons << button->text();
            box->done(0);
        });
        poll->start();
    }
};

struct LineSeen {
    QString caption;
    int top;
    bool visible;
    bool linkEnabled;
};

class TestModule : public ModuleWindow {
public:
    TestModule() : ModuleWindow(QStringLiteral("TAddF"), QStringLiteral("ADDITIVE")) {}
    int closes = 0;

protected:
    void FormClose() override { ++closes; }
};

} // namespace

class TestProgram : public QObject {
    Q_OBJECT

private:
    QString iniPath() const { return QCoreApplication::applicationDirPath() + "/Kaleno.ini"; }

private slots:
    void init() { QFile::remove(iniPath()); }
    void cleanup() { QFile::remove(iniPath()); }

    void sectionsFollowTheMenuScript_data()
    {
        QTest::addColumn<int>("section");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QList<int>>("tops");
        QTest::addColumn<QList<bool>>("visible");
        const QList<bool> all(11, true);
        QList<bool> seven(11, true);
        for (int j = 7; j < 11; ++j)
            seven[j] = false;
        QList<bool> eight(11, true);
        for (int j = 8; j < 11; ++j)
            eight[j] = false;
        // Every line 28 pixels below the last, 10 more from a "+" line on.
        QTest::newRow("colours") << 1 << " Kaleno - Couleurs et perception visuelle"
                                 << QList<int>{68, 96, 124, 152, 180, 208, 236, 264, 302, 330, 358}
                                 << all;
        QTest::newRow("optics") << 2 << " Kaleno - Optique géométrique"
                                << QList<int>{68, 96, 124, 152, 190, 218, 246} << seven;
        QTest::newRow("graphics") << 4 << " Kaleno - Infographie et couleurs"
                                  << QList<int>{68, 96, 124, 152, 180, 218, 246, 274} << eight;
    }

    void sectionsFollowTheMenuScript()
    {
        QFETCH(int, section);
        QFETCH(QString, caption);
        QFETCH(QList<int>, tops);
        QFETCH(QList<bool>, visible);

        QString title;
        QList<LineSeen> lines;
        bool ownLinkEnabled = true, otherLinkEnabled = false;
        runWith([&](TMainF &launcher) {
            launcher.SectionLabClick(section);
            title = launcher.windowTitle();
            for (int j = 1; j <= 11; ++j) {
                auto *label = launcher.findChild<TSuperLab *>(QStringLiteral("LinkLab%1").arg(j));
                lines.append({label->text(), label->y(), label->isVisible(), label->linkEnabled()});
            }
            const int other = section == 1 ? 2 : 1;
            ownLinkEnabled =
                launcher.findChild<TSuperLab *>(QStringLiteral("SecLab%1").arg(section))
                    ->linkEnabled();
            otherLinkEnabled =
                launcher.findChild<TSuperLab *>(QStringLiteral("SecLab%1").arg(other))
                    ->linkEnabled();
            launcher.close();
        });

        QCOMPARE(title, caption);
        QCOMPARE(lines.size(), 11);
        for (int j = 0; j < 11; ++j) {
            QCOMPARE(lines[j].visible, visible[j]);
            if (visible[j])
                QCOMPARE(lines[j].top, tops[j]);
        }
        // A section's own link is inactive, the three others active.
        QVERIFY(!ownLinkEnabled);
        QVERIFY(otherLinkEnabled);
        // The help line is there and active in every shown section.
        const int help = section == 1 ? 8 : section == 2 ? 4 : 5;
        QCOMPARE(lines[help].caption, QStringLiteral("Aide de Kaleno"));
        QVERIFY(lines[help].linkEnabled);
    }

    void missingModulesAreGreyed()
    {
        bool linkEnabled = true, menuEnabled = true, bulletShown = false;
        runWith([&](TMainF &launcher) {
            launcher.SectionLabClick(1);
            // The moiré window is not built yet.
            linkEnabled = launcher.findChild<TSuperLab *>("LinkLab6")->linkEnabled();
            menuEnabled = launcher.findChild<QAction *>("MoireMenu")->isEnabled();
            bulletShown = launcher.findChild<QWidget *>("Puce6")->isVisible();
            launcher.close();
        });
        QVERIFY(!linkEnabled);
        QVERIFY(!menuEnabled);
        QVERIFY(bulletShown);
    }

    void openingAModuleHidesTheLauncher()
    {
        TestModule module;
        bool launcherHidden = false, moduleShown = false, launcherBack = false;
        runWith([&](TMainF &launcher) {
            launcher.SetModuleWindow(Module::Add, &module);
            launcher.SectionLabClick(1);
            launcher.LabClick(1);
            moduleShown = module.isVisible();
            launcherHidden = !launcher.isVisible();
            module.CloseBout()->click();
            launcherBack = launcher.isVisible() && !module.isVisible();
            launcher.close();
        });
        QVERIFY(moduleShown);
        QVERIFY(launcherHidden);
        QVERIFY(launcherBack);
        QCOMPARE(module.closes, 1);
    }

    // Every window built so far opens from its menu entry, hides the launcher and brings
    // it back when its close button is pressed.
    void builtModulesOpenFromTheirMenus_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("window");
        QTest::newRow("additive") << "AddMenu" << "TAddF";
        QTest::newRow("subtractive") << "SubMenu" << "TSubF";
        QTest::newRow("colour spaces") << "CouleurMenu" << "TCouleurF";
        QTest::newRow("thick lenses") << "OptGeoMenu" << "TLensF";
        QTest::newRow("camera") << "PhotoMenu" << "TPhotoF";
        QTest::newRow("RGB decomposition") << "RGBMenu" << "TRGBF";
    }

    void builtModulesOpenFromTheirMenus()
    {
        QFETCH(QString, menu);
        QFETCH(QString, window);
        bool shown = false, launcherHidden = false, launcherBack = false;
        runWith([&](TMainF &launcher) {
            launcher.findChild<QAction *>(menu)->trigger();
            ModuleWindow *module = nullptr;
            for (QWidget *widget : QApplication::topLevelWidgets())
                if (widget->objectName() == window)
                    module = qobject_cast<ModuleWindow *>(widget);
            shown = module && module->isVisible();
            launcherHidden = !launcher.isVisible();
            if (module)
                module->CloseBout()->click();
            launcherBack = launcher.isVisible();
            launcher.close();
        });
        QVERIFY(shown);
        QVERIFY(launcherHidden);
        QVERIFY(launcherBack);
    }

    void secondInstanceIsRefused()
    {
        MessageCatcher catcher;
        int nestedResult = -1;
        runWith([&](TMainF &launcher) {
            catcher.arm();
            nestedResult = runProgram(*qApp);
            launcher.close();
        });
        QCOMPARE(nestedResult, 0);
        QCOMPARE(catcher.text, QStringLiteral("Attention, Kaleno est déjà en cours d'exécution."));
        QCOMPARE(catcher.caption, QStringLiteral("Avertissement"));
        QCOMPARE(catcher.buttons, QStringList{QStringLiteral("&Oui")});
    }

    void astronomyWithoutTheProgramStaysPut()
    {
        MessageCatcher catcher;
        int sectionAfter = 0;
        bool stillShown = false;
        runWith([&](TMainF &launcher) {
            launcher.SectionLabClick(2);
            catcher.arm();
            launcher.SectionLabClick(3);
            sectionAfter = launcher.CurrentSection();
            stillShown = launcher.isVisible();
            launcher.close();
        });
        QVERIFY(catcher.text.contains(QStringLiteral("astronomie")));
        QCOMPARE(sectionAfter, 2);
        QVERIFY(stillShown);
    }

    void settingsWrittenAtExitInFileOrder()
    {
        // A stored section and a foreign key come back; the sixteen placements are written.
        QFile seed(iniPath());
        QVERIFY(seed.open(QIODevice::WriteOnly));
        seed.write("[MainF]\r\nPageActive=4\r\n[Extra]\r\nKeep=yes\r\n");
        seed.close();

        int section = 0;
        runWith([&](TMainF &launcher) {
            section = launcher.CurrentSection();
            launcher.close();
        });
        QCOMPARE(section, 4);

        QFile file(iniPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QStringList order;
        QString current;
        for (const QByteArray &raw : file.readAll().split('\n')) {
            const QString line = QString::fromUtf8(raw).trimmed();
            if (line.startsWith('[')) {
                current = line.mid(1, line.size() - 2);
            } else if (line.contains('=')) {
                order << current + "/" + line.section('=', 0, 0);
            }
        }
        QCOMPARE(order.value(0), QStringLiteral("Access/Allowed"));
        // The sixteen placements in the file's order (other keys of a window's section
        // follow its five placement keys).
        const QStringList keys{"X", "Y", "W", "H", "Maxis"};
        QStringList placements, expected;
        for (const QString &entry : order)
            if (keys.contains(entry.section('/', 1)))
                placements << entry;
        for (const char *section : kPlacementSections)
            for (const QString &key : keys)
                expected << QString::fromLatin1(section) + "/" + key;
        QCOMPARE(placements, expected);
        const int mainKeys = order.indexOf("MainF/Maxis");
        QCOMPARE(order.mid(mainKeys + 1, 4),
                 (QStringList{"MainF/DirFichier", "MainF/Avertissement", "MainF/ExtSynthFlag",
                              "MainF/PageActive"}));
        QVERIFY(order.contains("Extra/Keep"));
    }
};

int main(int argc, char *argv[])
{
    // The program reads its parameter from the application object.
    int programArgc = 2;
    char name[] = "tst_program";
    char cosmo[] = "Cosmo";
    char *programArgv[] = {name, cosmo, nullptr};
    QApplication application(programArgc, programArgv);
    TestProgram test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_program.moc"
