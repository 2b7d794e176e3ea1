#include "shell/ParcourF.h"

#include "shell/Bitmaps.h"
#include "shell/Centring.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QStyle>
#include <QTimer>
#include <QTreeWidget>

namespace kaleno {

namespace {

constexpr int kClientWidth = 314;
constexpr int kClientHeight = 176;
constexpr int kWarningMilliseconds = 3000;
constexpr int kPathRole = Qt::UserRole;

#if defined(Q_OS_WIN)
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseSensitive;
#endif

template <typename Widget> Widget *Named(Widget *widget, const QString &name, const QString &spoken)
{
    widget->setObjectName(name);
    widget->setAccessibleName(spoken);
    return widget;
}

QString WithSlash(const QString &path)
{
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

QString CleanFolder(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// Where a folder list may open when the one it showed has gone: its nearest existing parent.
QString NearestExistingFolder(const QString &folder)
{
    QString candidate = folder;
    while (!candidate.isEmpty() && !QFileInfo(candidate).isDir()) {
        const QString parent = QFileInfo(candidate).absolutePath();
        if (parent == candidate)
            break;
        candidate = parent;
    }
    return QFileInfo(candidate).isDir() ? candidate : QDir::currentPath();
}

} // namespace

TParcourF::TParcourF(QWidget *parent)
    : QDialog(parent)
    , driveLister_(&TParcourF::SystemDrives)
    , driveCheck_(&TParcourF::DriveReadable)
    , lastDrive_(QDir::rootPath())
{
    setObjectName(QStringLiteral("TParcourF"));
    setAccessibleName(QStringLiteral("Spécifier le chemin de travail"));
    setWindowFlags(
        Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral(" Spécifier le chemin de travail"));
    setFixedSize(kClientWidth, kClientHeight);
    setFont(QFont(QStringLiteral("Arial"), 8));

    DriveBox = Named(new QComboBox(this), QStringLiteral("DriveBox"), QStringLiteral("Lecteur"));
    DriveBox->setGeometry(8, 8, 209, 22);

    DirBox = Named(new QTreeWidget(this), QStringLiteral("DirBox"), QStringLiteral("Dossiers"));
    DirBox->setGeometry(8, 36, 209, 105);
    DirBox->setHeaderHidden(true);
    DirBox->setRootIsDecorated(false);
    DirBox->setItemsExpandable(false);
    DirBox->setExpandsOnDoubleClick(false);
    // The list opens and closes with the folder, not by hand: no expand arrows.
    DirBox->setStyleSheet(QStringLiteral("QTreeView::branch { image: none; }"));
    DirBox->setIndentation(10);
    DirBox->setUniformRowHeights(true);
    // Long folder names scroll sideways rather than being cut.
    DirBox->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    DirBox->header()->setStretchLastSection(false);
    DirBox->installEventFilter(this);

    Edit1
        = Named(new QLineEdit(this), QStringLiteral("Edit1"), QStringLiteral("Chemin de travail"));
    Edit1->setGeometry(8, 148, 293, 21);
    // The path shown follows the folder list; typing in it would choose nothing.
    Edit1->setReadOnly(true);

    AnnulBout = Named(new QPushButton(QStringLiteral("&Annuler"), this),
        QStringLiteral("AnnulBout"), QStringLiteral("Annuler"));
    AideBout = Named(new QPushButton(QStringLiteral("Ai&de"), this), QStringLiteral("AideBout"),
        QStringLiteral("Aide"));
    OkBout = Named(new QPushButton(QStringLiteral("&Ok"), this), QStringLiteral("OkBout"),
        QStringLiteral("Ok"));
    AnnulBout->setGeometry(228, 52, 75, 25);
    AideBout->setGeometry(228, 84, 75, 25);
    OkBout->setGeometry(228, 116, 75, 25);
    OkBout->setDefault(true);

    PB = Named(new QLabel(this), QStringLiteral("PB"), QStringLiteral("Logo"));
    PB->setGeometry(228, 4, 78, 44);
    PB->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QImage logo = LoadResourceBitmap(QStringLiteral("MiniLogo"));
    if (!logo.isNull()) {
        ReplaceCornerColour(logo, palette().color(QPalette::Button).rgb());
        PB->setPixmap(QPixmap::fromImage(logo));
    }

    Warn = new QTimer(this);
    Warn->setObjectName(QStringLiteral("Warn"));
    Warn->setInterval(kWarningMilliseconds);

    connect(DriveBox, &QComboBox::currentIndexChanged, this, &TParcourF::DriveBoxChange);
    connect(DirBox, &QTreeWidget::itemActivated, this, &TParcourF::DirBoxOpen);
    connect(Warn, &QTimer::timeout, this, &TParcourF::WarnTimer);
    connect(OkBout, &QPushButton::clicked, this, &TParcourF::OkBoutClick);
    connect(AnnulBout, &QPushButton::clicked, this, &TParcourF::AnnulBoutClick);

    fillDrives();
    openFolder(QDir::currentPath());
}

QString TParcourF::Folder() const { return QDir::toNativeSeparators(folder_); }

void TParcourF::SetDriveLister(std::function<QStringList()> lister)
{
    driveLister_ = std::move(lister);
}

void TParcourF::SetDriveCheck(std::function<bool(const QString &)> check)
{
    driveCheck_ = std::move(check);
}

QStringList TParcourF::SystemDrives()
{
    QStringList drives;
    for (const QFileInfo &drive : QDir::drives())
        drives << drive.absoluteFilePath();
    if (drives != QStringList {QStringLiteral("/")})
        return drives;

    // One root for everything: the volumes a user would call drives are the real devices
    // and network shares mounted under it, not the kernel's pseudo file systems nor the
    // loop images of packaged applications.
    static const QList<QByteArray> networkTypes
        = {"nfs", "nfs4", "cifs", "smb3", "smbfs", "fuse.sshfs"};
    QStringList volumes;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady())
            continue;
        const QString root = volume.rootPath();
        const QByteArray device = volume.device();
        const bool realDevice = device.startsWith("/dev/") && !device.startsWith("/dev/loop");
        if (!realDevice && !networkTypes.contains(volume.fileSystemType()))
            continue;
        if (root == QLatin1String("/") || root.startsWith(QLatin1String("/boot"))
            || root.startsWith(QLatin1String("/snap/")) || !QFileInfo(root).isDir()
            || volumes.contains(root))
            continue;
        volumes << root;
    }
    volumes.sort();
    return drives + volumes;
}

bool TParcourF::DriveReadable(const QString &root)
{
    const QStorageInfo volume(root);
    return volume.isValid() && volume.isReady() && QDir(root).isReadable();
}

void TParcourF::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    CentreOnScreen(*this);
    FormShow();
}

void TParcourF::FormShow()
{
    chosenPath_ = QStringLiteral("None");
    // A warning left running by the last use has nothing to say now.
    Warn->stop();
    driveWarning_ = false;
    Edit1->setPalette(QPalette());

    // Media come and go between two uses: the drive list is read again.
    fillDrives();
    const QFileInfo initial(initialPath_);
    if (!initialPath_.isEmpty() && initial.isDir())
        openFolder(initial.absoluteFilePath());
    else
        openFolder(NearestExistingFolder(folder_));
    Edit1->setText(QLatin1Char(' ') + Folder());
}

void TParcourF::DriveBoxChange()
{
    const int index = DriveBox->currentIndex();
    if (index < 0)
        return;
    const QString root = DriveBox->itemData(index, kPathRole).toString();
    if (driveCheck_ && driveCheck_(root) && QFileInfo(root).isDir()) {
        openFolder(root);
        lastDrive_ = root;
        DirBoxChange();
        return;
    }

    const int last = DriveBox->findData(lastDrive_, kPathRole);
    {
        const QSignalBlocker blocker(DriveBox);
        DriveBox->setCurrentIndex(last);
    }
    Warn->start();
    QPalette warning = Edit1->palette();
    warning.setColor(QPalette::Text, Qt::red);
    Edit1->setPalette(warning);
    Edit1->setText(QStringLiteral(" Le lecteur choisi est actuellement indisponible !!!"));
    driveWarning_ = true;
}

void TParcourF::DirBoxOpen(QTreeWidgetItem *item)
{
    // The list is rebuilt under the item: take its path first.
    const QString folder = item->data(0, kPathRole).toString();
    if (folder == folder_)
        return;
    openFolder(folder);
    DirBoxChange();
}

void TParcourF::DirBoxChange()
{
    if (!driveWarning_)
        Edit1->setText(QLatin1Char(' ') + Folder());
}

void TParcourF::WarnTimer()
{
    Warn->stop();
    Edit1->setPalette(QPalette());
    Edit1->setText(QLatin1Char(' ') + Folder());
    driveWarning_ = false;
}

void TParcourF::OkBoutClick()
{
    chosenPath_ = Folder();
    accept();
}

void TParcourF::AnnulBoutClick() { reject(); }

bool TParcourF::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == DirBox && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        // Enter opens the folder under the cursor; it does not also press OK.
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (QTreeWidgetItem *item = DirBox->currentItem())
                DirBoxOpen(item);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TParcourF::fillDrives()
{
    const QSignalBlocker blocker(DriveBox);
    DriveBox->clear();
    const QStringList drives = driveLister_ ? driveLister_() : QStringList();
    for (const QString &root : drives)
        DriveBox->addItem(QDir::toNativeSeparators(root), root);
    DriveBox->setCurrentIndex(driveIndexOf(folder_));
}

int TParcourF::driveIndexOf(const QString &folder) const
{
    if (folder.isEmpty())
        return -1;
    const QString path = WithSlash(folder);
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < DriveBox->count(); ++i) {
        const QString root
            = WithSlash(QDir::cleanPath(DriveBox->itemData(i, kPathRole).toString()));
        if (path.startsWith(root, kPathCase) && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    return best;
}

void TParcourF::openFolder(const QString &folder)
{
    folder_ = CleanFolder(folder);

    // The drive list follows the folder, which may have crossed onto another volume.
    const int drive = driveIndexOf(folder_);
    if (drive >= 0) {
        const QSignalBlocker blocker(DriveBox);
        DriveBox->setCurrentIndex(drive);
        lastDrive_ = DriveBox->itemData(drive, kPathRole).toString();
    }

    QStringList chain;
    QDir walk(folder_);
    chain.prepend(walk.absolutePath());
    while (walk.cdUp())
        chain.prepend(walk.absolutePath());

    const QSignalBlocker blocker(DirBox);
    DirBox->clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    QTreeWidgetItem *parentItem = nullptr;
    for (const QString &path : chain) {
        const QString name
            = parentItem ? QFileInfo(path).fileName() : QDir::toNativeSeparators(path);
        auto *item = parentItem ? new QTreeWidgetItem(parentItem) : new QTreeWidgetItem(DirBox);
        item->setText(0, name);
        item->setIcon(0, openIcon);
        item->setData(0, kPathRole, path);
        parentItem = item;
    }
    QTreeWidgetItem *current = parentItem;
    const QFileInfoList subFolders = QDir(folder_).entryInfoList(
        QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    for (const QFileInfo &sub : subFolders) {
        auto *item = new QTreeWidgetItem(current);
        item->setText(0, sub.fileName());
        item->setIcon(0, closedIcon);
        item->setData(0, kPathRole, sub.absoluteFilePath());
    }
    DirBox->expandAll();
    DirBox->setCurrentItem(current);
    DirBox->scrollToItem(current);
}

} // namespace kaleno
