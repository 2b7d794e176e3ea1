// The options window: check boxes shown from the settings, applied on OK, taken back on
// cancel with the circle of confusion, which an entry changes at once.
#include "shell/OptionF.h"
#include "shell/Settings.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <array>
#include <memory>

using namespace kaleno;

namespace {

struct FlagCase {
    const char *Box;
    bool Settings::*Flag;
};

const std::array<FlagCase, 10> kFlags = {{
    {"BullesCheck", &Settings::BullesFlag},
    {"TipCheck", &Settings::TipFlag},
    {"SplashCheck", &Settings::SplashFlag},
    {"BrowserCheck", &Settings::BrowserFlag},
    {"LensModiCheck", &Settings::LensModiFlag},
    {"ExtSynthCheck", &Settings::ExtSynthFlag},
    {"ModObjCheck", &Settings::ModObjFlag},
    {"AllowLieuCheck", &Settings::AllowLieuFlag},
    {"UseCalcCheck", &Settings::UseCalcFlag},
    {"GlobeCheck", &Settings::GlobeFlag},
}};

// Neighbours differ, so that two boxes wired to each other's flag show up.
void SetAlternating(Settings &settings, bool first)
{
    bool value = first;
    for (const FlagCase &flag : kFlags) {
        settings.*flag.Flag = value;
        value = !value;
    }
}

} // namespace

class TestOptionF : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void showReflectsSettings_data();
    void showReflectsSettings();
    void opensOnPage_data();
    void opensOnPage();
    void cancelRestoresEverything_data();
    void cancelRestoresEverything();
    void okAppliesBoxes();
    void backupIsTakenAtEachShow();

private:
    QCheckBox *box(const char *name) const { return dialog->findChild<QCheckBox *>(name); }
    QLineEdit *confEd() const { return dialog->findChild<QLineEdit *>("ConfEd"); }
    QPushButton *button(const char *name) const { return dialog->findChild<QPushButton *>(name); }
    void showActive();
    void toggleAll();

    std::unique_ptr<TOptionF> dialog;
};

void TestOptionF::init()
{
    AppSettings() = Settings {};
    dialog = std::make_unique<TOptionF>();
    for (const FlagCase &flag : kFlags)
        QVERIFY2(box(flag.Box), flag.Box);
    QVERIFY(confEd());
}

void TestOptionF::cleanup()
{
    dialog.reset();
    AppSettings() = Settings {};
}

void TestOptionF::showActive()
{
    dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
}

void TestOptionF::toggleAll()
{
    for (const FlagCase &flag : kFlags)
        box(flag.Box)->toggle();
}

void TestOptionF::showReflectsSettings_data()
{
    QTest::addColumn<bool>("first");
    QTest::addColumn<double>("confusion");
    QTest::addColumn<QString>("shown");

    QTest::newRow("odd boxes set") << true << 1.2e-4 << " 0.1200";
    QTest::newRow("even boxes set") << false << 3e-4 << " 0.3000";
}

void TestOptionF::showReflectsSettings()
{
    QFETCH(bool, first);
    QFETCH(double, confusion);
    QFETCH(QString, shown);

    SetAlternating(AppSettings(), first);
    AppSettings().Confusion = confusion;
    dialog->show();

    for (const FlagCase &flag : kFlags)
        QVERIFY2(box(flag.Box)->isChecked() == AppSettings().*flag.Flag, flag.Box);
    QCOMPARE(confEd()->text(), shown);
    QVERIFY(!dialog->OkPressed());
    QCOMPARE(dialog->size(), QSize(365, 203));
    QCOMPARE(dialog->windowTitle(), QStringLiteral(" Options du logiciel"));
}

void TestOptionF::opensOnPage_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("tab");

    QTest::newRow("preferences") << int(TOptionF::Page::Preferences) << "PrefTab";
    QTest::newRow("optics") << int(TOptionF::Page::Optics) << "OptTab";
    QTest::newRow("astronomy") << int(TOptionF::Page::Astronomy) << "CosmoTab";
}

void TestOptionF::opensOnPage()
{
    QFETCH(int, page);
    QFETCH(QString, tab);

    // Start from another page than the one asked for.
    dialog->SetPage(page == 0 ? TOptionF::Page::Astronomy : TOptionF::Page::Preferences);
    dialog->SetPage(static_cast<TOptionF::Page>(page));
    dialog->show();
    const auto *classeur = dialog->findChild<QTabWidget *>("Classeur");
    QVERIFY(classeur);
    QCOMPARE(classeur->currentWidget()->objectName(), tab);
}

void TestOptionF::cancelRestoresEverything_data()
{
    QTest::addColumn<QString>("way");

    QTest::newRow("Annuler button") << "button";
    QTest::newRow("title bar") << "close";
    QTest::newRow("Escape key") << "escape";
}

void TestOptionF::cancelRestoresEverything()
{
    QFETCH(QString, way);

    SetAlternating(AppSettings(), true);
    const Settings before = AppSettings();
    showActive();
    toggleAll();
    // Check boxes change nothing until OK.
    QVERIFY(AppSettings() == before);

    confEd()->setFocus();
    confEd()->selectAll();
    QTest::keyClicks(confEd(), QStringLiteral("0,05"));
    QTest::keyClick(confEd(), Qt::Key_Return);
    // The entry is taken at once, and Enter stays in the edit instead of pressing OK.
    QCOMPARE(AppSettings().Confusion, 5e-5);
    QCOMPARE(confEd()->text(), QStringLiteral(" 0.0500"));
    QVERIFY(dialog->isVisible());
    QVERIFY(!dialog->OkPressed());

    if (way == QLatin1String("button"))
        QTest::mouseClick(button("AnnulBout"), Qt::LeftButton);
    else if (way == QLatin1String("close"))
        dialog->close();
    else
        QTest::keyClick(dialog.get(), Qt::Key_Escape);

    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    QVERIFY(!dialog->OkPressed());
    for (const FlagCase &flag : kFlags)
        QVERIFY2(AppSettings().*flag.Flag == before.*flag.Flag, flag.Box);
    QCOMPARE(AppSettings().Confusion, before.Confusion);
    QVERIFY(AppSettings() == before);
}

void TestOptionF::okAppliesBoxes()
{
    SetAlternating(AppSettings(), false);
    dialog->SetPage(TOptionF::Page::Optics);
    showActive();
    toggleAll();

    // Leaving the edit with Tab takes the entry: letters and the second separator drop.
    confEd()->setFocus();
    QTRY_VERIFY(confEd()->hasFocus());
    confEd()->selectAll();
    QTest::keyClicks(confEd(), QStringLiteral("0.2 mm."));
    QTest::keyClick(confEd(), Qt::Key_Tab);
    QVERIFY(!confEd()->hasFocus());
    QCOMPARE(AppSettings().Confusion, 2e-4);
    QCOMPARE(confEd()->text(), QStringLiteral(" 0.2000"));

    QTest::mouseClick(button("OkBout"), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QVERIFY(dialog->OkPressed());
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    bool expected = true; // the inverse of the alternation that was shown
    for (const FlagCase &flag : kFlags) {
        QVERIFY2(AppSettings().*flag.Flag == expected, flag.Box);
        expected = !expected;
    }
    QCOMPARE(AppSettings().Confusion, 2e-4);
}

void TestOptionF::backupIsTakenAtEachShow()
{
    const Settings before = AppSettings();
    dialog->SetPage(TOptionF::Page::Optics);
    showActive();
    toggleAll();
    confEd()->selectAll();
    QTest::keyClicks(confEd(), QStringLiteral("0,1"));
    QTest::keyClick(confEd(), Qt::Key_Enter, Qt::KeypadModifier);
    QTest::mouseClick(button("OkBout"), Qt::LeftButton);
    const Settings accepted = AppSettings();
    QCOMPARE(accepted.Confusion, 1e-4);
    QVERIFY(accepted.BullesFlag != before.BullesFlag);

    // A second opening cancelled returns to what the first one accepted.
    showActive();
    QVERIFY(!dialog->OkPressed());
    QCOMPARE(confEd()->text(), QStringLiteral(" 0.1000"));
    toggleAll();
    confEd()->selectAll();
    QTest::keyClicks(confEd(), QStringLiteral("0,25"));
    QTest::keyClick(confEd(), Qt::Key_Return);
    QCOMPARE(AppSettings().Confusion, 2.5e-4);
    QTest::mouseClick(button("AnnulBout"), Qt::LeftButton);
    QVERIFY(AppSettings() == accepted);
}

QTEST_MAIN(TestOptionF)
#include "tst_optionf.moc"
