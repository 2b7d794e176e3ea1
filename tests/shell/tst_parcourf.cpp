// The working-folder dialog: opening on the caller's folder, choosing with OK, cancelling,
// and the warning for a drive that cannot be read.
#include "shell/ParcourF.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <memory>

using namespace kaleno;

class TestParcourF : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensOnInitialPath();
    void missingInitialPathKeepsFolder();
    void okChoosesOpenedFolder();
    void cancelLeavesNone_data();
    void cancelLeavesNone();
    void driveChangeOpensItsRoot();
    void unreadableDriveWarnsThenRestores();

private:
    QString path(const QString &relative) const { return QDir::cleanPath(tmp->filePath(relative)); }
    static QString shown(const QString &folder)
    {
        return QLatin1Char(' ') + QDir::toNativeSeparators(folder);
    }
    QLineEdit *edit1() const { return dialog->findChild<QLineEdit *>("Edit1"); }
    QComboBox *driveBox() const { return dialog->findChild<QComboBox *>("DriveBox"); }
    QTreeWidget *dirBox() const { return dialog->findChild<QTreeWidget *>("DirBox"); }
    QPushButton *button(const char *name) const { return dialog->findChild<QPushButton *>(name); }
    void openSubFolder(const QString &name);

    std::unique_ptr<QTemporaryDir> tmp;
    std::unique_ptr<TParcourF> dialog;
    QString otherDrive;
    QString offlineDrive;
};

void TestParcourF::init()
{
    tmp = std::make_unique<QTemporaryDir>();
    QVERIFY(tmp->isValid());
    QDir root(tmp->path());
    for (const char *folder : {"images/Zoo", "images/arbres", "other/photos", "offline"})
        QVERIFY(root.mkpath(QString::fromLatin1(folder)));
    otherDrive = path("other");
    offlineDrive = path("offline");

    dialog = std::make_unique<TParcourF>();
    // Two stand-in drives beside the real root: one that reads, one without a medium.
    dialog->SetDriveLister([this] {
        return QStringList {QDir::rootPath(), otherDrive, offlineDrive};
    });
    dialog->SetDriveCheck([this](const QString &root) { return root != offlineDrive; });
    QVERIFY(edit1() && driveBox() && dirBox());
}

void TestParcourF::cleanup()
{
    dialog.reset();
    tmp.reset();
}

// Selects a sub-folder of the open one and presses Enter on it, as a user would.
void TestParcourF::openSubFolder(const QString &name)
{
    QTreeWidgetItem *current = dirBox()->currentItem();
    QVERIFY(current);
    QTreeWidgetItem *target = nullptr;
    for (int i = 0; i < current->childCount(); ++i)
        if (current->child(i)->text(0) == name)
            target = current->child(i);
    QVERIFY2(target, qPrintable(name));
    dirBox()->setCurrentItem(target);
    QTest::keyClick(dirBox(), Qt::Key_Return);
}

void TestParcourF::opensOnInitialPath()
{
    dialog->SetInitialPath(path("images"));
    dialog->show();

    QCOMPARE(dialog->size(), QSize(314, 176));
    QCOMPARE(dialog->ChosenPath(), QStringLiteral("None"));
    QCOMPARE(dialog->Folder(), QDir::toNativeSeparators(path("images")));
    QCOMPARE(edit1()->text(), shown(path("images")));
    // Under the root and none of the stand-in drives.
    QCOMPARE(driveBox()->currentText(), QDir::toNativeSeparators(QDir::rootPath()));
    QCOMPARE(dialog->LastDrive(), QDir::rootPath());

    // The list: the root at the top, the open folder current, its sub-folders below it in
    // name order regardless of case.
    QCOMPARE(dirBox()->topLevelItemCount(), 1);
    QCOMPARE(dirBox()->topLevelItem(0)->text(0), QDir::toNativeSeparators(QDir::rootPath()));
    const QTreeWidgetItem *current = dirBox()->currentItem();
    QVERIFY(current);
    QCOMPARE(current->text(0), QStringLiteral("images"));
    QCOMPARE(current->childCount(), 2);
    QCOMPARE(current->child(0)->text(0), QStringLiteral("arbres"));
    QCOMPARE(current->child(1)->text(0), QStringLiteral("Zoo"));
}

void TestParcourF::missingInitialPathKeepsFolder()
{
    dialog->SetInitialPath(path("images"));
    dialog->show();
    dialog->reject();

    dialog->SetInitialPath(path("images/absent"));
    dialog->show();
    QCOMPARE(dialog->Folder(), QDir::toNativeSeparators(path("images")));
    QCOMPARE(edit1()->text(), shown(path("images")));
}

void TestParcourF::okChoosesOpenedFolder()
{
    dialog->SetInitialPath(path("images"));
    dialog->show();
    openSubFolder(QStringLiteral("Zoo"));
    // Enter opened the folder without pressing OK.
    QVERIFY(dialog->isVisible());
    QCOMPARE(edit1()->text(), shown(path("images/Zoo")));
    QCOMPARE(dirBox()->currentItem()->text(0), QStringLiteral("Zoo"));

    QTest::mouseClick(button("OkBout"), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(dialog->ChosenPath(), QDir::toNativeSeparators(path("images/Zoo")));
}

void TestParcourF::cancelLeavesNone_data()
{
    QTest::addColumn<bool>("titleBar");

    QTest::newRow("Annuler button") << false;
    QTest::newRow("title bar") << true;
}

void TestParcourF::cancelLeavesNone()
{
    QFETCH(bool, titleBar);

    // A first use chose a folder; the next one starts again from "None".
    dialog->SetInitialPath(path("images"));
    dialog->show();
    QTest::mouseClick(button("OkBout"), Qt::LeftButton);
    QCOMPARE(dialog->ChosenPath(), QDir::toNativeSeparators(path("images")));

    dialog->show();
    QCOMPARE(dialog->ChosenPath(), QStringLiteral("None"));
    openSubFolder(QStringLiteral("arbres"));
    if (titleBar)
        dialog->close();
    else
        QTest::mouseClick(button("AnnulBout"), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->ChosenPath(), QStringLiteral("None"));
}

void TestParcourF::driveChangeOpensItsRoot()
{
    dialog->SetInitialPath(path("images"));
    dialog->show();

    driveBox()->setCurrentIndex(driveBox()->findText(QDir::toNativeSeparators(otherDrive)));
    QCOMPARE(dialog->Folder(), QDir::toNativeSeparators(otherDrive));
    QCOMPARE(dialog->LastDrive(), otherDrive);
    QCOMPARE(edit1()->text(), shown(otherDrive));
    QVERIFY(!dialog->DriveWarning());
    QCOMPARE(dirBox()->currentItem()->child(0)->text(0), QStringLiteral("photos"));
}

void TestParcourF::unreadableDriveWarnsThenRestores()
{
    dialog->SetInitialPath(path("images"));
    dialog->show();
    auto *warn = dialog->findChild<QTimer *>("Warn");
    QVERIFY(warn);
    QCOMPARE(warn->interval(), 3000);
    const QColor normal = edit1()->palette().color(QPalette::Text);
    QCOMPARE(normal, QColor(Qt::black));
    // The warning's length is checked above; the test need not sit through it.
    warn->setInterval(200);

    driveBox()->setCurrentIndex(driveBox()->findText(QDir::toNativeSeparators(offlineDrive)));
    QVERIFY(dialog->DriveWarning());
    QVERIFY(warn->isActive());
    QCOMPARE(
        edit1()->text(), QStringLiteral(" Le lecteur choisi est actuellement indisponible !!!"));
    QCOMPARE(edit1()->palette().color(QPalette::Text), QColor(Qt::red));
    // Back on the drive that was open, the folder untouched.
    QCOMPARE(driveBox()->currentText(), QDir::toNativeSeparators(QDir::rootPath()));
    QCOMPARE(dialog->LastDrive(), QDir::rootPath());
    QCOMPARE(dialog->Folder(), QDir::toNativeSeparators(path("images")));

    // Moving in the folder list during the warning leaves the warning on screen.
    openSubFolder(QStringLiteral("arbres"));
    QCOMPARE(
        edit1()->text(), QStringLiteral(" Le lecteur choisi est actuellement indisponible !!!"));

    QTRY_VERIFY(!dialog->DriveWarning());
    QVERIFY(!warn->isActive());
    QCOMPARE(edit1()->text(), shown(path("images/arbres")));
    QCOMPARE(edit1()->palette().color(QPalette::Text), normal);
}

QTEST_MAIN(TestParcourF)
#include "tst_parcourf.moc"
