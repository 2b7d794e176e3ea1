#include "catalogue/BrowserF.h"

#include "catalogue/BrowserCell.h"
#include "catalogue/ThumbnailBatch.h"
#include "platform/HelpViewer.h"
#include "shell/Centring.h"
#include "shell/ParcourF.h"
#include "shell/Settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QShowEvent>
#include <QSignalBlocker>

namespace kaleno {

using namespace catalogue;

namespace {

// Pending events run at most this often during a scan: often enough for the window to
// feel live, rarely enough that a folder of thousands of files is not slowed by them.
constexpr qint64 kPumpMilliseconds = 10;
constexpr int kColumnLeft = 4;
constexpr int kColumnWidth = 200;
constexpr int kHalfWidth = 98;
constexpr int kButtonHeight = 25;

template <typename Widget> Widget *Named(Widget *widget, const QString &name, const QString &spoken)
{
    widget->setObjectName(name);
    widget->setAccessibleName(spoken);
    return widget;
}

QPushButton *Button(QWidget *parent, const QString &name, const QString &caption)
{
    auto *button = Named(new QPushButton(caption, parent), name, QString(caption).remove('&'));
    // Enter in the window presses nothing by surprise (a search can take a while).
    button->setAutoDefault(false);
    return button;
}

QCheckBox *Check(QWidget *parent, const QString &name, const QString &caption)
{
    return Named(new QCheckBox(caption, parent), name, caption.trimmed());
}

} // namespace

TBrowserF::TBrowserF(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TBrowserF"));
    setAccessibleName(QStringLiteral("Cataloguer les images"));
    setWindowTitle(QStringLiteral(" Cataloguer les images"));
    setFont(QFont(QStringLiteral("Arial"), 8));
    buildControls();
    layoutWindow();
}

TBrowserF::~TBrowserF() = default;

void TBrowserF::buildControls()
{
    wThumbCombo = Named(
        new QComboBox(this), QStringLiteral("wThumbCombo"), QStringLiteral("Taille des vignettes"));
    for (int i = 0; i < int(kThumbSizes.size()); ++i)
        wThumbCombo->addItem(ThumbComboItem(i));
    RecurseCheck
        = Check(this, QStringLiteral("RecurseCheck"), QStringLiteral(" Sous-dossiers inclus"));
    MetaCheck = Check(this, QStringLiteral("MetaCheck"), QStringLiteral(" Métafichiers"));
    BmpCheck = Check(this, QStringLiteral("BmpCheck"), QStringLiteral(" BitMaps"));
    GifCheck = Check(this, QStringLiteral("GifCheck"), QStringLiteral(" Gifs"));
    JpgCheck = Check(this, QStringLiteral("JpgCheck"), QStringLiteral(" Jpegs"));
    SearchBout = Button(this, QStringLiteral("SearchBout"), QStringLiteral("&Rechercher"));
    ParcoursBout = Button(this, QStringLiteral("ParcoursBout"), QStringLiteral("&Parcourir"));
    PathLab = Named(new QLabel(QStringLiteral("Dans le dossier :"), this),
        QStringLiteral("PathLab"), QStringLiteral("Dans le dossier"));
    PathEd = Named(new QLineEdit(this), QStringLiteral("PathEd"), QStringLiteral("Dossier"));
    PathEd->setReadOnly(true);
    QPalette face = PathEd->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    PathEd->setPalette(face);
    PredBout = Button(this, QStringLiteral("PredBout"), QStringLiteral("Page &précédente"));
    SuccBout = Button(this, QStringLiteral("SuccBout"), QStringLiteral("Page &suivante"));
    Pagelab = Named(new QLabel(this), QStringLiteral("Pagelab"), QStringLiteral("Page"));
    Pagelab->setAlignment(Qt::AlignCenter);
    OpenBout = Button(this, QStringLiteral("OpenBout"), QStringLiteral("&Ouvrir"));
    CloseBout = Button(this, QStringLiteral("CloseBout"), QStringLiteral("&Quitter"));
    AideBout = Button(this, QStringLiteral("AideBout"), QStringLiteral("&Aide"));

    Panel1 = Named(new QFrame(this), QStringLiteral("Panel1"), QStringLiteral("Barre d'état"));
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Sunken);
    Status = Named(new QLabel(Panel1), QStringLiteral("Status"), QStringLiteral("État"));
    Status2 = Named(new QLabel(Panel1), QStringLiteral("Status2"), QStringLiteral("État, suite"));

    for (int k = 1; k <= kCellsPerPage; ++k) {
        auto *cell = new BrowserCell(k, this);
        cells_[size_t(k - 1)] = cell;
        connect(cell, &BrowserCell::Clicked, this, [this, k] { CellClick(k); });
    }

    connect(wThumbCombo, &QComboBox::currentIndexChanged, this, &TBrowserF::wThumbComboChange);
    connect(RecurseCheck, &QCheckBox::clicked, this, &TBrowserF::RecurseCheckClick);
    connect(MetaCheck, &QCheckBox::clicked, this, &TBrowserF::MetaCheckClick);
    connect(BmpCheck, &QCheckBox::clicked, this, &TBrowserF::BmpCheckClick);
    connect(GifCheck, &QCheckBox::clicked, this, &TBrowserF::GifCheckClick);
    connect(JpgCheck, &QCheckBox::clicked, this, &TBrowserF::JpgCheckClick);
    connect(SearchBout, &QPushButton::clicked, this, &TBrowserF::SearchBoutClick);
    connect(ParcoursBout, &QPushButton::clicked, this, &TBrowserF::ParcoursBoutClick);
    connect(PredBout, &QPushButton::clicked, this, &TBrowserF::PredBoutClick);
    connect(SuccBout, &QPushButton::clicked, this, &TBrowserF::SuccBoutClick);
    connect(OpenBout, &QPushButton::clicked, this, &TBrowserF::OpenBoutClick);
    connect(CloseBout, &QPushButton::clicked, this, &TBrowserF::CloseBoutClick);
    connect(AideBout, &QPushButton::clicked, this, &TBrowserF::AideBoutClick);
}

QString TBrowserF::PickFile()
{
    pickMode_ = true;
    chosenFile_ = QStringLiteral("None");
    exec();
    return chosenFile_;
}

void TBrowserF::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    FormShow();
    CentreOnScreen(*this);
}

void TBrowserF::FormShow()
{
    const Settings &settings = AppSettings();
    setWindowTitle(QStringLiteral(" Cataloguer les images"));
    {
        const QSignalBlocker blocker(wThumbCombo);
        wThumbCombo->setCurrentIndex(ThumbComboIndex(settings.wThumb));
    }
    result_ = SearchResult();
    currentPage_ = 0;
    pageCount_ = 0;
    selected_ = -1;
    PathEd->setText(settings.brwPath);
    RecurseCheck->setChecked(settings.brwRecurseFlag);
    MetaCheck->setChecked(settings.brwMetaFlag);
    BmpCheck->setChecked(settings.brwBmpFlag);
    GifCheck->setChecked(settings.brwGifFlag);
    JpgCheck->setChecked(settings.brwJpgFlag);
    Status->setText(PromptStatus());
    Status2->setText(PromptStatus2());
    for (BrowserCell *cell : cells_)
        cell->SetSelected(false);
    layoutWindow();
    showPage(true);
    OpenBout->setEnabled(false);
}

void TBrowserF::layoutWindow()
{
    const int thumb = ThumbOfComboIndex(ThumbComboIndex(AppSettings().wThumb));
    for (BrowserCell *cell : cells_)
        cell->SetThumbSize(thumb);
    setFixedSize(ClientSize(thumb));
    FormResize();
}

void TBrowserF::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    FormResize();
}

void TBrowserF::FormResize()
{
    const int width = this->width();
    const int height = this->height();
    const int thumb = cells_[0]->ThumbSize();
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column)
            cells_[size_t(row * kColumns + column)]->move(CellOrigin(thumb, row, column));
    }

    const int left = kColumnLeft;
    const int right = left + kColumnWidth - kHalfWidth;
    wThumbCombo->setGeometry(left, 4, kColumnWidth, 22);
    RecurseCheck->setGeometry(left + 4, 34, kColumnWidth - 4, 18);
    MetaCheck->setGeometry(left + 4, 58, kHalfWidth - 4, 18);
    BmpCheck->setGeometry(right + 4, 58, kHalfWidth - 4, 18);
    GifCheck->setGeometry(left + 4, 78, kHalfWidth - 4, 18);
    JpgCheck->setGeometry(right + 4, 78, kHalfWidth - 4, 18);
    SearchBout->setGeometry(left, 106, kHalfWidth, kButtonHeight);
    ParcoursBout->setGeometry(right, 106, kHalfWidth, kButtonHeight);
    PathLab->setGeometry(left, 140, kColumnWidth, 14);
    PathEd->setGeometry(left, 156, kColumnWidth, 21);
    PredBout->setGeometry(left, 190, kHalfWidth, kButtonHeight);
    SuccBout->setGeometry(right, 190, kHalfWidth, kButtonHeight);
    Pagelab->setGeometry(left, 220, kColumnWidth, 16);

    // The window's own buttons sit at the foot of the column, above the status bar.
    const int buttonsTop = height - kStatusBarHeight - 6 - kButtonHeight;
    const int third = (kColumnWidth - 8) / 3;
    OpenBout->setGeometry(left, buttonsTop, third, kButtonHeight);
    CloseBout->setGeometry(left + third + 4, buttonsTop, third, kButtonHeight);
    AideBout->setGeometry(left + 2 * (third + 4), buttonsTop, third, kButtonHeight);

    Panel1->setGeometry(0, height - kStatusBarHeight, width, kStatusBarHeight);
    Status->setGeometry(4, 2, width - 8, 15);
    Status2->setGeometry(4, 17, width - 8, 15);
}

void TBrowserF::SearchBoutClick()
{
    if (scanning_)
        return;
    const Settings &settings = AppSettings();
    clearSelection();
    result_ = SearchResult();
    currentPage_ = 0;
    pageCount_ = 0;
    setWindowTitle(SearchingCaption());

    scanning_ = true;
    stopRequested_ = false;
    pump_.invalidate();
    updateButtons();
    const QString folder = settings.brwPath;
    ScanKinds kinds;
    kinds.bmp = settings.brwBmpFlag;
    kinds.wmf = settings.brwMetaFlag;
    kinds.gif = settings.brwGifFlag;
    kinds.jpg = settings.brwJpgFlag;
    ScanHooks hooks;
    hooks.fileFound = [this](const QString &path) { result_.AddFound(path); };
    hooks.folderEntered = [this](const QString &path) {
        Status->setText(SearchingStatus());
        Status2->setText(path);
    };
    hooks.keepGoing = [this] { return scanKeepGoing(); };
    ScanFolder(folder, settings.brwRecurseFlag, kinds, hooks);
    scanning_ = false;

    if (closePending_) {
        // The window was closed during the scan: nothing is left to show.
        closePending_ = false;
        FormClose();
        return;
    }

    pageCount_ = PageCountFor(result_.FileCount);
    if (pageCount_ > 0)
        currentPage_ = 1;
    showPage(true);
    setWindowTitle(ResultCaption(folder, result_));
    showCounts();
    selected_ = -1;
    updateButtons();
}

bool TBrowserF::scanKeepGoing()
{
    if (!pump_.isValid() || pump_.elapsed() >= kPumpMilliseconds) {
        QCoreApplication::processEvents();
        pump_.start();
    }
    return !stopRequested_;
}

void TBrowserF::ParcoursBoutClick()
{
    if (scanning_)
        return;
    TParcourF *dialog = folderDialog_;
    if (!dialog) {
        if (!ownFolderDialog_)
            ownFolderDialog_ = new TParcourF(this);
        dialog = ownFolderDialog_;
    }
    dialog->SetInitialPath(AppSettings().brwPath);
    dialog->exec();
    const QString chosen = dialog->ChosenPath();
    if (chosen != QLatin1String("None")) {
        AppSettings().brwPath = chosen;
        PathEd->setText(chosen);
    }
}

void TBrowserF::PredBoutClick()
{
    if (scanning_ || currentPage_ <= 1)
        return;
    clearSelection();
    --currentPage_;
    showPage(true);
    showCounts();
}

void TBrowserF::SuccBoutClick()
{
    if (scanning_ || currentPage_ >= pageCount_)
        return;
    clearSelection();
    ++currentPage_;
    showPage(true);
    showCounts();
}

void TBrowserF::OpenBoutClick()
{
    if (scanning_ || !pickMode_ || selected_ < 1 || !Cell(selected_)->HasFile())
        return;
    chosenFile_ = Cell(selected_)->FilePath();
    accept();
}

void TBrowserF::CloseBoutClick() { close(); }

void TBrowserF::AideBoutClick() { platform::ShowHelpTopic(QStringLiteral("Browser")); }

void TBrowserF::wThumbComboChange(int index)
{
    AppSettings().wThumb = ThumbOfComboIndex(index);
    layoutWindow();
    showPage(false);
}

void TBrowserF::RecurseCheckClick() { AppSettings().brwRecurseFlag = RecurseCheck->isChecked(); }
void TBrowserF::MetaCheckClick() { AppSettings().brwMetaFlag = MetaCheck->isChecked(); }
void TBrowserF::BmpCheckClick() { AppSettings().brwBmpFlag = BmpCheck->isChecked(); }
void TBrowserF::GifCheckClick() { AppSettings().brwGifFlag = GifCheck->isChecked(); }
void TBrowserF::JpgCheckClick() { AppSettings().brwJpgFlag = JpgCheck->isChecked(); }

void TBrowserF::CellClick(int number)
{
    // During a scan the cells still show the last page while its list is being rebuilt.
    if (scanning_ || number < 1 || number > kCellsPerPage)
        return;
    BrowserCell *cell = Cell(number);
    if (selected_ == number) {
        cell->SetSelected(false);
        selected_ = -1;
    } else {
        if (selected_ >= 1)
            Cell(selected_)->SetSelected(false);
        cell->SetSelected(true);
        selected_ = number;
    }
    if (pickMode_ && selected_ == number && cell->HasFile()) {
        chosenFile_ = cell->FilePath();
        accept();
        return;
    }
    if (selected_ >= 1 && cell->HasFile()) {
        Status->setText(FileStatus(cell->FilePath()));
        Status2->setText(SizeStatus(cell->NaturalSize().width(), cell->NaturalSize().height()));
    } else {
        showCounts();
    }
    updateButtons();
}

void TBrowserF::showPage(bool fresh)
{
    Pagelab->setText(PageLabel(currentPage_, pageCount_));
    if (fresh) {
        QStringList files;
        for (int k = 1; k <= kCellsPerPage; ++k) {
            const int index = FileIndexOf(currentPage_, k, result_.FileCount);
            if (index < 0 || index >= result_.FileList.size())
                break;
            files << result_.FileList.at(index);
        }
        const std::vector<std::optional<ThumbnailSource>> sources
            = LoadThumbnailSources(files, cells_[0]->ThumbSize());
        for (int k = 1; k <= kCellsPerPage; ++k) {
            const size_t i = size_t(k - 1);
            if (i < sources.size())
                Cell(k)->ShowFile(files.at(qsizetype(i)), sources[i] ? &*sources[i] : nullptr);
            else
                Cell(k)->ShowEmpty();
        }
    }
    updateButtons();
}

void TBrowserF::clearSelection()
{
    if (selected_ >= 1)
        Cell(selected_)->SetSelected(false);
    selected_ = -1;
}

void TBrowserF::showCounts()
{
    Status->setText(CountStatus(result_));
    Status2->setText(KindStatus(result_));
}

void TBrowserF::updateButtons()
{
    const bool idle = !scanning_;
    SearchBout->setEnabled(idle);
    ParcoursBout->setEnabled(idle);
    PredBout->setEnabled(idle && currentPage_ >= 2);
    SuccBout->setEnabled(idle && currentPage_ < pageCount_);
    OpenBout->setEnabled(idle && pickMode_ && selected_ >= 1 && Cell(selected_)->HasFile());
}

void TBrowserF::done(int result)
{
    stopRequested_ = true;
    if (scanning_)
        closePending_ = true;
    else
        FormClose();
    QDialog::done(result);
}

void TBrowserF::FormClose()
{
    result_ = SearchResult();
    for (BrowserCell *cell : cells_) {
        cell->SetSelected(false);
        cell->ShowEmpty();
    }
    selected_ = -1;
    currentPage_ = 0;
    pageCount_ = 0;
    pickMode_ = false;
}

} // namespace kaleno
