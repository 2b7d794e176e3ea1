// TBrowserF: the image catalogue, " Cataloguer les images". It searches a folder for
// BMP, WMF, GIF and JPEG files and shows them as pages of twelve thumbnails; in pick mode
// the image modules choose their picture in it.
#pragma once

#include "catalogue/BrowserModel.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QString>

#include <array>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kaleno {

class BrowserCell;
class TParcourF;

class TBrowserF : public QDialog {
    Q_OBJECT

public:
    explicit TBrowserF(QWidget *parent = nullptr);
    ~TBrowserF() override;

    // Shows the window modally in pick mode: the file chosen, or "None".
    QString PickFile();

    // The working-folder dialog ParcoursBout opens; without one the window makes its own.
    void SetFolderDialog(TParcourF *dialog) { folderDialog_ = dialog; }

    bool PickMode() const { return pickMode_; }
    void SetPickMode(bool pick) { pickMode_ = pick; }
    const QString &ChosenFile() const { return chosenFile_; }
    const catalogue::SearchResult &Result() const { return result_; }
    int PageCount() const { return pageCount_; }
    int CurrentPage() const { return currentPage_; }
    // The selected cell 1..12, or -1.
    int Selected() const { return selected_; }
    bool Scanning() const { return scanning_; }
    // Cell 1..12.
    BrowserCell *Cell(int number) const { return cells_[size_t(number - 1)]; }

    void FormShow();
    void FormResize();
    void SearchBoutClick();
    void ParcoursBoutClick();
    void PredBoutClick();
    void SuccBoutClick();
    void OpenBoutClick();
    void CloseBoutClick();
    void AideBoutClick();
    void wThumbComboChange(int index);
    void RecurseCheckClick();
    void MetaCheckClick();
    void BmpCheckClick();
    void GifCheckClick();
    void JpgCheckClick();
    void CellClick(int number);

public slots:
    // Every way of closing passes here (buttons, Escape, the frame): a scan under way
    // stops, and what the showing made is freed once it has.
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildControls();
    void layoutWindow();
    // Shows page CurrentPage in the cells, decoding them again when `fresh`.
    void showPage(bool fresh);
    void clearSelection();
    void showCounts();
    void updateButtons();
    // The scan's pause between entries: pending events run (at most every few
    // milliseconds, which the user cannot tell apart) and a close stops the scan.
    bool scanKeepGoing();
    void FormClose();

    QComboBox *wThumbCombo;
    QCheckBox *RecurseCheck;
    QCheckBox *MetaCheck;
    QCheckBox *BmpCheck;
    QCheckBox *GifCheck;
    QCheckBox *JpgCheck;
    QPushButton *SearchBout;
    QPushButton *ParcoursBout;
    QLabel *PathLab;
    QLineEdit *PathEd;
    QPushButton *PredBout;
    QPushButton *SuccBout;
    QLabel *Pagelab;
    QPushButton *OpenBout;
    QPushButton *CloseBout;
    QPushButton *AideBout;
    QFrame *Panel1;
    QLabel *Status;
    QLabel *Status2;
    std::array<BrowserCell *, catalogue::kCellsPerPage> cells_ {};

    TParcourF *folderDialog_ = nullptr;
    TParcourF *ownFolderDialog_ = nullptr;

    catalogue::SearchResult result_;
    int pageCount_ = 0;
    int currentPage_ = 0;
    int selected_ = -1;
    bool pickMode_ = false;
    QString chosenFile_ = QStringLiteral("None");

    bool scanning_ = false;
    bool stopRequested_ = false;
    bool closePending_ = false;
    QElapsedTimer pump_;
};

} // namespace kaleno
