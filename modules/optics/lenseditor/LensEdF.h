// TLensEdF: the lens table editor; inserts the offered lens, deletes and reorders the
// user's lenses in place, and puts the table back as it was unless the user confirms.
#pragma once

#include "modules/optics/lenseditor/LensTableEdit.h"
#include "shell/Settings.h"

#include <QDialog>
#include <QStringList>

#include <array>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kaleno {

class TLensEdF : public QDialog {
    Q_OBJECT

public:
    explicit TLensEdF(QWidget *parent = nullptr);

    // The record offered for insertion; its name is replaced by NomEd's text on insertion.
    void SetNewLens(const LensDef &lens);
    // exec() shows it modally; edits AppSettings() lens table directly (restores it on
    // cancel / close)

    const LensDef &NewLens() const { return newLens_; }
    // 1-based index of the selected table lens.
    int Selected() const { return selected_; }
    // The lines of the left (selected lens: name, then six values) and right (offered
    // lens: six values) columns.
    QStringList SelectedLines() const;
    QStringList NewLines() const;

    void FormShow();
    void FormClose();
    void ListeClick();
    void AddBoutClick();
    void DelBoutClick();
    void HautBoutClick();
    void BasBoutClick();
    void OkBoutClick();
    void AnnulBoutClick();
    void AideBoutClick();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void fillList();
    void showSelected();
    void showNew();
    void enableButtons();

    LensDef newLens_ = AnonymousLens();
    int selected_ = 1;
    bool accepted_ = false;
    // Set while the dialog is open: a close then acts once, however it comes.
    bool open_ = false;
    LensTable savedTable_ {};
    int savedCount_ = 0;
    int savedIndex_ = 1;

    QListWidget *Liste = nullptr;
    QPushButton *AddBout = nullptr;
    QPushButton *DelBout = nullptr;
    QPushButton *HautBout = nullptr;
    QPushButton *BasBout = nullptr;
    QPushButton *AnnulBout = nullptr;
    QPushButton *AideBout = nullptr;
    QPushButton *OkBout = nullptr;
    QLineEdit *NomEd = nullptr;
    QLabel *SelNomLab = nullptr;
    std::array<QLabel *, 6> selLabs_ {};
    std::array<QLabel *, 6> newLabs_ {};
};

// The six value lines of a lens record: four lengths in centimetres and two surface kinds.
std::array<QString, 6> LensRecordLines(const LensDef &lens);

} // namespace kaleno
