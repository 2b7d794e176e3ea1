// The working-folder dialog: a drive list and a folder list in which the user picks the
// folder the image catalogue searches.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace kaleno {

class TParcourF : public QDialog {
    Q_OBJECT

public:
    explicit TParcourF(QWidget *parent = nullptr);

    // Set by the caller before showing: the folder to open on, if it exists.
    void SetInitialPath(const QString &path) { initialPath_ = path; }
    QString InitialPath() const { return initialPath_; }
    // The folder chosen with OK, in native separators; "None" when the dialog was cancelled.
    QString ChosenPath() const { return chosenPath_; }
    // The root of the drive last opened without error.
    QString LastDrive() const { return lastDrive_; }
    // True while the unavailable-drive warning shows.
    bool DriveWarning() const { return driveWarning_; }
    // The folder the folder list is open on, in native separators.
    QString Folder() const;

    // The drives offered, as root paths, and the test that a drive can be read. The
    // defaults ask the system; tests put in drives that are absent or unreadable.
    void SetDriveLister(std::function<QStringList()> lister);
    void SetDriveCheck(std::function<bool(const QString &)> check);

    // Every drive root of the system. Where it has a single root, the real volumes mounted
    // under it stand in for drives.
    static QStringList SystemDrives();
    static bool DriveReadable(const QString &root);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormShow();
    void DriveBoxChange();
    // A double-click or Enter on a folder of the list opens it.
    void DirBoxOpen(QTreeWidgetItem *item);
    void DirBoxChange();
    void WarnTimer();
    void OkBoutClick();
    void AnnulBoutClick();

    void fillDrives();
    int driveIndexOf(const QString &folder) const;
    void selectDrive(int index);
    // Opens the folder list on `folder`: its parents down from the root, then its own
    // sub-folders.
    void openFolder(const QString &folder);
    void stopWarning();

    QComboBox *DriveBox;
    QTreeWidget *DirBox;
    QLineEdit *Edit1;
    QPushButton *AnnulBout;
    QPushButton *AideBout;
    QPushButton *OkBout;
    QLabel *PB;
    QTimer *Warn;

    std::function<QStringList()> driveLister_;
    std::function<bool(const QString &)> driveCheck_;
    QString initialPath_;
    QString chosenPath_ = QStringLiteral("None");
    QString lastDrive_;
    QString folder_; // '/' separators, cleaned
    bool driveWarning_ = false;
};

} // namespace kaleno
