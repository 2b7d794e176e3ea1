// The options window: the user's preferences, the optics and astronomy permissions and
// the circle of confusion, on three pages, applied on OK and taken back on cancel.
#pragma once

#include <QDialog>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace kaleno {

class TOptionF : public QDialog {
    Q_OBJECT

public:
    enum class Page { Preferences, Optics, Astronomy };

    explicit TOptionF(QWidget *parent = nullptr);

    // The page the window shows next (PrefTab, OptTab, CosmoTab).
    void SetPage(Page page);
    // SetPage, then modal; returns exec()'s result.
    int ShowOnPage(Page page);

    bool OkPressed() const { return okPressed_; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormShow();
    void FormClose();
    void OkBoutClick();
    void AnnulBoutClick();
    void AideBoutClick();
    void ConfEdEntry();

    QTabWidget *Classeur;
    QWidget *PrefTab;
    QWidget *OptTab;
    QWidget *CosmoTab;
    QLabel *PB;
    QLabel *ConfusLab;
    QLineEdit *ConfEd;
    QLabel *UnitLab;
    QPushButton *OkBout;
    QPushButton *AnnulBout;
    QPushButton *AideBout;

    // The ten flag boxes, in the order of the flags they edit (see OptionF.cpp).
    std::array<QCheckBox *, 10> flagBoxes_ {};
    std::array<bool, 10> flagBackup_ {};
    double confusionBackup_ = 0.0;
    bool okPressed_ = false;
    // Between a show and the close that follows it: a close with no show before it has no
    // backup to restore.
    bool open_ = false;
};

} // namespace kaleno
